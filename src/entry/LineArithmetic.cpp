#include "entry/LineArithmetic.h"

#include "entry/AmountInCapitals.h"

namespace LineArithmetic {

double numberOf(const QVariant &value)
{
    return value.isNull() ? 0.0 : value.toDouble();
}

Money moneyOf(const QVariant &value)
{
    if (value.isNull())
        return Money();
    if (value.metaType() == QMetaType::fromType<Money>())
        return value.value<Money>();
    return Money::fromDouble(value.toDouble());
}

Money lineAmount(const QVariant &quantity, const QVariant &unitPrice)
{
    return Money::fromDouble(numberOf(unitPrice) * numberOf(quantity));
}

Money lineTax(const QVariant &amount, const QVariant &rate)
{
    return Money::fromDouble(moneyOf(amount).toDouble() * numberOf(rate) / 100);
}

HeaderTotals headerTotals(Money amountTotal, Money taxTotal)
{
    const Money total = (amountTotal + taxTotal).roundedToCents();
    const double figures = total.toDouble();
    return {total, figures, AmountInCapitals(figures)};
}

} // namespace LineArithmetic
