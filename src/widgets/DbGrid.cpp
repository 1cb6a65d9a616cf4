#include "widgets/DbGrid.h"

#include "app/ErrorGuard.h"
#include "db/Dataset.h"
#include "widgets/FieldText.h"
#include "widgets/GridDelegate.h"
#include "widgets/GridFooter.h"
#include "widgets/GridHeader.h"

#include <QApplication>
#include <QKeyEvent>
#include <QScopedValueRollback>

DbGrid::DbGrid(QWidget *parent)
    : QTableView(parent), m_titles(new GridHeader(this)), m_footer(new GridFooter(*m_titles, this))
{
    setHorizontalHeader(m_titles);
    setModel(&m_model);
    setSelectionMode(SingleSelection);
    setSelectionBehavior(SelectItems);
    setTabKeyNavigation(true);
    setWordWrap(false);
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);
    verticalHeader()->setDefaultAlignment(Qt::AlignCenter);
    m_titles->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    m_footer->hide();
    connect(&m_model, &DatasetModel::currentRowMayHaveMoved, this, &DbGrid::followDataset);
    connect(selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this](const QModelIndex &current) { currentRowChangedByUser(current); });
    connect(m_titles, &QHeaderView::sectionClicked, this, &DbGrid::titleClicked);
    m_focusConnection = connect(qApp, &QApplication::focusChanged, this, &DbGrid::focusMoved);
}

DbGrid::~DbGrid()
{
    disconnect(m_focusConnection);
}

void DbGrid::bind(Dataset &dataset, const QList<GridColumn> &columns, ErrorGuard &guard)
{
    m_guard = &guard;
    if (!m_delegate) {
        m_delegate = new GridDelegate(m_model, guard, this);
        setItemDelegate(m_delegate);
    }
    m_model.setColumns(columns);
    m_model.setDataset(&dataset);
    for (int column = 0; column < columns.size(); ++column)
        setColumnWidth(column, columns.at(column).width);
    refreshFooter();
}

void DbGrid::setReadOnly(bool readOnly)
{
    if (readOnly == m_model.isReadOnly())
        return;
    if (readOnly)
        closeOpenEditor();
    m_model.setReadOnly(readOnly);
    setEditTriggers(readOnly ? NoEditTriggers
                             : DoubleClicked | EditKeyPressed | AnyKeyPressed | SelectedClicked);
}

void DbGrid::setTitleRowVisible(bool visible)
{
    m_titles->setVisible(visible);
}

void DbGrid::setTitlesCentred()
{
    m_titles->setDefaultAlignment(Qt::AlignCenter);
}

void DbGrid::setRowIndicatorVisible(bool visible)
{
    verticalHeader()->setVisible(visible);
}

void DbGrid::setFooterVisible(bool visible)
{
    m_footerVisible = visible;
    m_footer->setVisible(visible);
    updateGeometries();
}

int DbGrid::columnOf(const QString &field) const
{
    const QList<GridColumn> &columns = m_model.columns();
    for (int column = 0; column < columns.size(); ++column) {
        if (columns.at(column).field == field)
            return column;
    }
    return -1;
}

QString DbGrid::footerText(int column) const
{
    return m_footer->text(column);
}

SortMark DbGrid::sortMark(int column) const
{
    return m_titles->mark(column);
}

void DbGrid::selectNextColumnWrapping()
{
    const QModelIndex current = currentIndex();
    if (!current.isValid())
        return;
    const int next = current.column() + 1 < m_model.columnCount() ? current.column() + 1 : 0;
    setCurrentIndex(m_model.index(current.row(), next));
}

void DbGrid::updateGeometries()
{
    const int footerHeight = m_footerVisible ? m_footer->rowHeight() : 0;
    setViewportMargins(verticalHeader()->isVisible() ? verticalHeader()->width() : 0,
                       m_titles->isVisible() ? m_titles->height() : 0, 0, footerHeight);
    QTableView::updateGeometries();
    if (m_footerVisible) {
        const QRect area = viewport()->geometry();
        m_footer->setGeometry(area.left(), area.bottom() + 1, area.width(), footerHeight);
    }
}

void DbGrid::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Delete && event->modifiers() == Qt::ControlModifier) {
        if (!isReadOnly())
            emit rowDeletionRequested();
        event->accept();
        return;
    }
    QTableView::keyPressEvent(event);
}

bool DbGrid::contains(const QWidget *widget) const
{
    return widget && (widget == this || isAncestorOf(widget));
}

void DbGrid::focusMoved(QWidget *old, QWidget *now)
{
    if (contains(now) && !contains(old)) {
        emit entered();
        return;
    }
    if (!contains(old) || contains(now) || !dataset())
        return;
    // A new row the user left untouched is not worth keeping.
    Dataset &rows = *dataset();
    if (rows.isOpen() && rows.state() == Dataset::State::Insert && !rows.hasUserChange())
        m_guard->run([&] { rows.cancel(); });
}

void DbGrid::followDataset()
{
    const Dataset *rows = dataset();
    const int row = rows && rows->isOpen() ? rows->currentRow() : -1;
    if (row < 0 || row >= m_model.rowCount() || currentIndex().row() == row)
        return;
    QScopedValueRollback following(m_following, true);
    const int column = qMax(currentIndex().column(), 0);
    selectionModel()->setCurrentIndex(m_model.index(row, column),
                                      QItemSelectionModel::ClearAndSelect);
}

void DbGrid::currentRowChangedByUser(const QModelIndex &current)
{
    Dataset *rows = dataset();
    if (m_following || !current.isValid() || !rows || !rows->isOpen() ||
        rows->currentRow() == current.row())
        return;
    if (!m_guard->run([&] { rows->moveTo(current.row()); }))
        followDataset();
}

void DbGrid::refreshFooter()
{
    QStringList texts;
    QList<Qt::Alignment> alignments;
    for (const GridColumn &column : m_model.columns()) {
        switch (column.footer) {
        case GridColumn::Footer::Text:
            texts << column.footerText;
            break;
        case GridColumn::Footer::Value: {
            const QVariant value = column.footerValue ? column.footerValue() : QVariant();
            texts << (column.format ? column.format(value) : FieldText::toText(value));
            break;
        }
        case GridColumn::Footer::None:
            texts << QString();
            break;
        }
        alignments << (column.footer == GridColumn::Footer::None ? Qt::AlignLeft : Qt::AlignRight);
    }
    m_footer->setTexts(texts, alignments);
}

void DbGrid::titleClicked(int section)
{
    const QList<GridColumn> &columns = m_model.columns();
    if (section < 0 || section >= columns.size())
        return;
    const bool ctrl = QApplication::keyboardModifiers() & Qt::ControlModifier;
    const SortMark before = m_titles->mark(section);
    m_guard->run([&] { emit titleButtonClicked(columns.at(section).field, before); });
    m_titles->advanceMark(section, ctrl);
}

void DbGrid::closeOpenEditor()
{
    if (QWidget *editor = m_delegate ? m_delegate->openEditor() : nullptr)
        closeEditor(editor, QAbstractItemDelegate::NoHint);
}
