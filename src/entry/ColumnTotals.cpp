#include "entry/ColumnTotals.h"

#include "db/Dataset.h"
#include "entry/LineArithmetic.h"

using namespace Qt::StringLiterals;

ColumnTotals::ColumnTotals(Dataset &lines, QObject *parent) : QObject(parent), m_lines(lines)
{
    connect(&m_lines, &Dataset::changed, this, [this](Dataset::Change change) {
        switch (change) {
        case Dataset::Change::Opened:
        case Dataset::Change::Posted:
        case Dataset::Change::Deleted:
        case Dataset::Change::Cancelled:
            recompute();
            break;
        default:
            break;
        }
    });
    connect(&m_lines, &Dataset::closed, this, &ColumnTotals::recompute);
    recompute();
}

void ColumnTotals::recompute()
{
    Money sums[Count];
    const int rows = m_lines.isOpen() ? m_lines.rowCount() : 0;
    for (int row = 0; row < rows; ++row) {
        sums[Quantity] +=
            Money::fromDouble(LineArithmetic::numberOf(m_lines.postedValue(row, u"数量"_s)));
        sums[Amount] += LineArithmetic::moneyOf(m_lines.postedValue(row, u"金额"_s));
        sums[Tax] += LineArithmetic::moneyOf(m_lines.postedValue(row, u"税额"_s));
    }
    std::copy(std::begin(sums), std::end(sums), std::begin(m_totals));
    emit recomputed();
}
