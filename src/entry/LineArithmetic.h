#pragma once

#include "entry/Money.h"

#include <QString>
#include <QVariant>

// The arithmetic that keeps an invoice line and the header totals consistent. Values come
// as the dataset layer reads them; NULL counts as 0 everywhere.
namespace LineArithmetic {

// A double column (数量, 单价, 税率); NULL is 0.
double numberOf(const QVariant &value);
// A currency column (金额, 税额); NULL is 0.
Money moneyOf(const QVariant &value);

// 金额 of a line: the double product of unit price and quantity, stored to four decimals
// (half to even). Throws MoneyRangeError when it does not fit a currency value.
Money lineAmount(const QVariant &quantity, const QVariant &unitPrice);

// 税额 of a line: amount times rate (in percent) divided by 100, computed in doubles and
// stored to four decimals like the amount.
Money lineTax(const QVariant &amount, const QVariant &rate);

struct HeaderTotals
{
    Money total;      // amount total plus tax total, to whole cents, a half cent to even
    double figures;   // 小写金额
    QString capitals; // 大写金额
};

HeaderTotals headerTotals(Money amountTotal, Money taxTotal);

} // namespace LineArithmetic
