#include "widgets/DbGrid.h"

#include "app/ErrorGuard.h"
#include "db/Dataset.h"
#include "widgets/GridDelegate.h"
#include "widgets/GridFooter.h"
#include "widgets/GridHeader.h"

#include <QApplication>
#include <QScopedValueRollback>

namespace {

Money moneyOf(const QVariant &value)
{
    if (value.isNull())
        return {};
    if (value.typeId() == qMetaTypeId<Money>())
        return value.value<Money>();
    return Money::fromDouble(value.toDouble());
}

} // namespace

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
    // Connected after the model, so the sums are fresh for whoever reacts to this dataset
    // after the grid.
    connect(&dataset, &Dataset::changed, this, &DbGrid::datasetChanged);
    connect(&dataset, &Dataset::closed, this, &DbGrid::recomputeFooter);
    recomputeFooter();
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

Money DbGrid::footerSum(const QString &field) const
{
    const int column = columnOf(field);
    return column < 0 ? Money() : m_sums.value(column);
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

void DbGrid::datasetChanged(Dataset::Change change)
{
    switch (change) {
    case Dataset::Change::Opened:
    case Dataset::Change::Posted:
    case Dataset::Change::Deleted:
    case Dataset::Change::Cancelled:
        recomputeFooter();
        break;
    default:
        break;
    }
}

void DbGrid::recomputeFooter()
{
    const QList<GridColumn> &columns = m_model.columns();
    const Dataset *rows = dataset();
    QList<Money> sums(columns.size());
    QStringList texts;
    QList<Qt::Alignment> alignments;
    const bool open = rows && rows->isOpen();
    const int pendingRow = open && rows->state() == Dataset::State::Insert ? rows->currentRow() : -1;
    for (int column = 0; column < columns.size(); ++column) {
        const GridColumn &spec = columns.at(column);
        if (spec.footer == GridColumn::Footer::Sum && open) {
            for (int row = 0; row < rows->rowCount(); ++row) {
                if (row != pendingRow)
                    sums[column] += moneyOf(rows->postedValue(row, spec.field));
            }
        }
        switch (spec.footer) {
        case GridColumn::Footer::Text:
            texts << spec.footerText;
            alignments << Qt::AlignRight;
            break;
        case GridColumn::Footer::Sum: {
            const QVariant sum = QVariant::fromValue(sums[column]);
            texts << (spec.format ? spec.format(sum) : sums[column].toString());
            alignments << Qt::AlignRight;
            break;
        }
        case GridColumn::Footer::None:
            texts << QString();
            alignments << Qt::AlignLeft;
            break;
        }
    }
    m_sums = sums;
    m_footer->setTexts(texts, alignments);
    emit footerChanged();
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
