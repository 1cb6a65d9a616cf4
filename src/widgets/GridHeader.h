#pragma once

#include "widgets/SortMark.h"

#include <QHash>
#include <QHeaderView>

// A title row whose every column can carry its own sort mark, so that several columns
// can show one at a time.
class GridHeader final : public QHeaderView
{
    Q_OBJECT
public:
    explicit GridHeader(QWidget *parent = nullptr);

    SortMark mark(int section) const { return m_marks.value(section, SortMark::None); }
    // A click moves the mark on: none and up become down, down becomes up; the other
    // columns lose theirs, unless keepOthers (Ctrl), which also turns up into none.
    void advanceMark(int section, bool keepOthers);
    void clearMarks();

protected:
    void paintSection(QPainter *painter, const QRect &rect, int logicalIndex) const override;

private:
    QHash<int, SortMark> m_marks;
};
