#pragma once

#include "entry/Money.h"

#include <QObject>

class Dataset;

// The footer sums of the line grid over the posted lines: quantity, amount and tax, each
// an exact four-decimal sum (a quantity counts as its four-decimal value, NULL as nothing).
// They are summed again in full whenever the lines are opened, a line is posted, deleted
// or its editing cancelled, so a line being edited counts with its values from before the
// edit. Construct this before connecting other readers of the totals to the dataset's
// changes: it then recomputes before they run.
class ColumnTotals final : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(ColumnTotals)
public:
    enum Position
    {
        Quantity,
        Amount,
        Tax,
        Count
    }; // the order of the footer list

    explicit ColumnTotals(Dataset &lines, QObject *parent = nullptr);

    Money total(Position position) const { return m_totals[position]; }
    Money quantity() const { return m_totals[Quantity]; }
    Money amount() const { return m_totals[Amount]; }
    Money tax() const { return m_totals[Tax]; }

    void recompute();

signals:
    void recomputed();

private:
    Dataset &m_lines;
    Money m_totals[Count];
};
