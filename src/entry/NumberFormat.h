#pragma once

#include "entry/Money.h"

#include <QString>
#include <QStringView>
#include <optional>

// The number texts of the line grid, the browse page and the printed invoice.
//
// Currency values are formatted from their exact decimal digits. A double is first taken
// as its decimal value rounded to 15 significant digits (the digits the general form
// shows), and only that decimal is rounded to the format: the double nearest 2.005 lies
// below 2.005, yet a clerk who typed 2.005 must see 2.01.
namespace NumberFormat {

inline constexpr int AmountDecimals = 2;    // "##,###,###,###.##"
inline constexpr int UnitPriceDecimals = 9; // "##,###,###.#########"

// Shortest text with at most 15 significant digits, no grouping, no trailing zeros, no
// point for whole numbers. Magnitudes below 0.0001 (other than zero) and those with more
// than 15 digits before the point take the form mantissa, "E", exponent: the mantissa
// with one digit before the point and no trailing zeros, the exponent without a plus sign
// or leading zeros ("5E-5", "-1.5E-7", "1.23456789012346E17").
QString general(double value);

// The general text followed by "%": 17 -> "17%".
QString percent(double rate);

// A pattern of optional digits such as "##,###.##": digits grouped by three, rounded to
// `decimals` places with a half away from zero, trailing zeros and a bare point left out,
// no digit before the point below one (0.085 -> ".09"); a value that rounds to zero is the
// empty text; a negative value leads with "-".
QString optionalDigits(Money value, int decimals);
QString optionalDigits(double value, int decimals);

// A pattern such as "0.00": at least one digit before the point, exactly `decimals` after
// it, a half away from zero, no grouping; "-" only when the rounded value is not zero.
QString fixed(Money value, int decimals);
QString fixed(double value, int decimals);

// What a clerk types into a quantity, unit price or rate cell: blanks around it, an
// optional sign, digits with an optional point ("3", "-2", ".5", "0.333333"), commas only
// as correctly placed thousands separators ("1,234.5", as the grid shows unit prices),
// and an exponent as the general form writes it ("5E-5"). Anything else, the empty text
// included, gives nullopt, as does a value too large for a double.
std::optional<double> parseTypedNumber(QStringView text);

// The refusal to show for a text that parseTypedNumber does not accept.
QString invalidNumberMessage(QStringView text);

} // namespace NumberFormat
