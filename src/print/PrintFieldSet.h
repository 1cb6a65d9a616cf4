#pragma once

#include <QString>
#include <array>

class ColumnTotals;
class Dataset;

// The 67 text slots an invoice template takes its line and total values from: eight
// blocks of eight for lines 1 to 8 (name, model, unit, quantity, unit price,
// amount, rate, tax), then the quantity, amount and tax totals. One set lives for the
// whole run; each build starts from empty slots.
class PrintFieldSet final
{
public:
    static constexpr int SlotCount = 67;
    static constexpr int LineBlocks = 8;
    static constexpr int BlockSize = 8;
    static constexpr int QuantityTotalSlot = 65;
    static constexpr int AmountTotalSlot = 66;
    static constexpr int TaxTotalSlot = 67;

    // Slots are numbered from 1, as their names Edit1..Edit67; other numbers throw
    // std::out_of_range.
    const QString &slot(int number) const;
    void setSlot(int number, const QString &text);
    static QString slotName(int number);

private:
    std::array<QString, SlotCount> m_slots;
};

void ClearPrintFields(PrintFieldSet &fields);

// The main window's datasets a build reads: the three settings queries, which only have
// to open, and the current invoice's lines with their footer totals.
struct PrintFieldSources
{
    Dataset &set1qry;
    Dataset &set2qry;
    Dataset &set3qry;
    Dataset &detailqry;
    const ColumnTotals &totals;
};

// Fills the set from the current invoice: opens the settings queries (an open one is not
// run again), walks the lines from the first (a pending line is posted by the move), fills
// a block for each of the first eight and writes the totals. NULL leaves a slot empty.
// Afterwards the last line is current. A store error ends the build where it happens.
void FillPrintFields(PrintFieldSet &fields, const PrintFieldSources &sources);
