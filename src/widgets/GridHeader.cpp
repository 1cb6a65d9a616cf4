#include "widgets/GridHeader.h"

#include <QPainter>
#include <QStyleOptionHeader>

GridHeader::GridHeader(QWidget *parent) : QHeaderView(Qt::Horizontal, parent)
{
    setSectionsClickable(true);
    setHighlightSections(false);
}

void GridHeader::advanceMark(int section, bool keepOthers)
{
    const SortMark before = mark(section);
    SortMark after = before == SortMark::Down ? SortMark::Up : SortMark::Down;
    if (keepOthers && before == SortMark::Up)
        after = SortMark::None;
    if (!keepOthers)
        m_marks.clear();
    m_marks.insert(section, after);
    viewport()->update();
}

void GridHeader::clearMarks()
{
    m_marks.clear();
    viewport()->update();
}

void GridHeader::paintSection(QPainter *painter, const QRect &rect, int logicalIndex) const
{
    const SortMark sectionMark = mark(logicalIndex);
    if (sectionMark == SortMark::None) {
        QHeaderView::paintSection(painter, rect, logicalIndex);
        return;
    }
    // The header's own state (palette, font metrics, elide mode) first, as QHeaderView
    // paints it; the section's title and position on top.
    QStyleOptionHeaderV2 option;
    initStyleOption(&option);
    initStyleOptionForIndex(&option, logicalIndex);
    option.rect = rect;
    option.sortIndicator =
        sectionMark == SortMark::Down ? QStyleOptionHeader::SortDown : QStyleOptionHeader::SortUp;
    painter->save();
    style()->drawControl(QStyle::CE_Header, &option, painter, this);
    painter->restore();
}
