#include "browse/ui/BrowsePage.h"

#include "app/ErrorGuard.h"
#include "browse/InvoiceSearch.h"
#include "db/Dataset.h"
#include "widgets/DbGrid.h"

#include <QEvent>
#include <QGuiApplication>
#include <QHeaderView>
#include <QLineEdit>
#include <QTabWidget>

namespace {

QStringList fieldsOf(DbGrid &grid)
{
    QStringList fields;
    for (const GridColumn &column : grid.datasetModel().columns())
        fields << column.field;
    return fields;
}

} // namespace

BrowsePage::BrowsePage(const Controls &controls, ErrorGuard &guard, QObject *parent)
    : QObject(parent), m_controls(controls), m_guard(guard),
      m_search(std::make_unique<InvoiceSearch>(controls.titles, fieldsOf(controls.list)))
{
    DbGrid &list = m_controls.list;
    connect(&m_controls.searchBox, &QLineEdit::textChanged, this,
            m_guard.guarded([this](const QString &text) { lcEditChange(text); }));
    connect(&list, &DbGrid::titleButtonClicked, this, &BrowsePage::DBGridEh2TitleBtnClick);
    connect(&list, &QAbstractItemView::clicked, this,
            m_guard.guarded([this] { DBGridEh2CellClick(); }));
    // A list shown afresh gets a current cell without any column being left.
    connect(list.selectionModel(), &QItemSelectionModel::currentColumnChanged, this,
            m_guard.guarded([this](const QModelIndex &now, const QModelIndex &before) {
                if (before.isValid() && now.isValid() && before.column() != now.column())
                    DBGridEh2ColExit();
            }));
    for (QWidget *area :
         {list.viewport(), list.horizontalHeader()->viewport(), list.verticalHeader()->viewport()})
        area->installEventFilter(this);
    m_controls.searchBox.installEventFilter(this);
}

BrowsePage::~BrowsePage() = default;

bool BrowsePage::eventFilter(QObject *watched, QEvent *event)
{
    switch (event->type()) {
    case QEvent::MouseButtonPress:
        m_guard.run([this] { DBGridEh2MouseDown(); });
        break;
    case QEvent::MouseButtonDblClick:
        if (watched == m_controls.list.viewport())
            m_guard.run([this] { DBGridEh2DblClick(); });
        break;
    case QEvent::FocusIn:
        if (watched == &m_controls.searchBox)
            prepareSearch();
        break;
    default:
        break;
    }
    return QObject::eventFilter(watched, event);
}

// The copy the search answers from takes a moment to read from a large store, and memory
// to hold: read it when the user goes to the search box (or first sorts or searches), not at
// every start-up. Later visits only bring it up to date.
void BrowsePage::prepareSearch()
{
    QGuiApplication::setOverrideCursor(Qt::WaitCursor);
    m_search->prepare();
    QGuiApplication::restoreOverrideCursor();
}

// A header the user typed into since it was last written is written before the list is
// replaced, and so are typed lines with it, whose totals the header then carries. A header
// that only the totals touched is left unwritten: the caller drops it, so a search or a
// sort never stores an invoice nobody wrote (an empty result appends one). True when
// something was written.
bool BrowsePage::writeWhatWasTyped()
{
    Dataset &titles = m_controls.titles;
    Dataset &lines = m_controls.lines;
    const bool typedLines = lines.isOpen() && lines.hasUserChange();
    if (!typedLines && !(titles.isOpen() && titles.hasUserChange()))
        return false;
    if (typedLines)
        lines.post();
    titles.post();
    return true;
}

void BrowsePage::reopenLines()
{
    Dataset &lines = m_controls.lines;
    if (lines.isOpen() && lines.hasUserChange())
        lines.post();
    lines.close();
    lines.open();
}

void BrowsePage::lcEditChange(const QString &text)
{
    writeWhatWasTyped();
    m_search->run(text);
    reopenLines();
}

void BrowsePage::DBGridEh2TitleBtnClick(const QString &column, SortMark markBefore)
{
    Dataset &titles = m_controls.titles;
    if (!writeWhatWasTyped() && titles.isEditing()) {
        // Sorting would write the pending header. With the lines closed first, dropping it
        // does not make the totals start another one at once.
        m_controls.lines.close();
        titles.cancel();
    }
    titles.setSort(markBefore == SortMark::Down ? column : column + QStringLiteral(" DESC"));
    reopenLines();
}

void BrowsePage::DBGridEh2MouseDown()
{
    reopenLines();
}

void BrowsePage::DBGridEh2CellClick()
{
    reopenLines();
}

void BrowsePage::DBGridEh2ColExit()
{
    reopenLines();
}

void BrowsePage::DBGridEh2DblClick()
{
    m_controls.pages.setCurrentWidget(&m_controls.editPage);
}
