#include "entry/Money.h"

#include <cmath>
#include <limits>

namespace {

[[noreturn]] void throwOutOfRange(double value)
{
    throw MoneyRangeError(QStringLiteral("金额 %1 超出货币范围（±922,337,203,685,477.5807）")
                              .arg(value, 0, 'g', 17)
                              .toStdString());
}

} // namespace

// A double carries 53 significant bits and 10000 = 2^4 * 625 adds ten more, so in a
// 64-bit-mantissa long double the product is the exact value of the double times 10000.
// Rounding that exact product decides the fourth decimal: an "exact half" is a double
// whose binary value lies exactly midway (0.03125 -> 0.0312), not one whose decimal
// literal looks like a half (the double nearest 0.00005 is a little above it -> 0.0001).
// Rounding a product already rounded to double would move large values by cents.
static_assert(std::numeric_limits<long double>::digits >= 63,
              "currency conversion needs the exact product of a double and 10000");

std::optional<Money> Money::tryFromDouble(double value)
{
    if (!std::isfinite(value))
        return std::nullopt;
    const long double scaled = static_cast<long double>(value) * Scale;
    const long double rounded = std::nearbyint(scaled); // default mode: to nearest, half to even
    // 2^63 is exactly representable; anything at or beyond it does not fit.
    constexpr long double limit = 9223372036854775808.0L;
    if (rounded >= limit || rounded < -limit)
        return std::nullopt;
    return Money(static_cast<std::int64_t>(rounded));
}

Money Money::fromDouble(double value)
{
    if (const auto money = tryFromDouble(value))
        return *money;
    throwOutOfRange(value);
}

std::optional<Money> Money::fromString(QStringView text)
{
    text = text.trimmed();
    bool negative = false;
    if (!text.isEmpty() && (text.front() == u'-' || text.front() == u'+')) {
        negative = text.front() == u'-';
        text = text.mid(1);
    }
    const qsizetype point = text.indexOf(u'.');
    const QStringView whole = point < 0 ? text : text.left(point);
    const QStringView fraction = point < 0 ? QStringView() : text.mid(point + 1);
    if ((whole.isEmpty() && fraction.isEmpty()) || fraction.size() > 4)
        return std::nullopt;
    // The magnitude is gathered unsigned: the most negative value has no positive twin.
    const std::uint64_t limit = negative ? std::uint64_t(1) << 63 : (std::uint64_t(1) << 63) - 1;
    std::uint64_t magnitude = 0;
    auto appendDigit = [&magnitude, limit](QChar c) {
        if (c < u'0' || c > u'9')
            return false;
        const unsigned digit = c.unicode() - u'0';
        if (magnitude > (limit - digit) / 10)
            return false;
        magnitude = magnitude * 10 + digit;
        return true;
    };
    for (QChar c : whole) {
        if (!appendDigit(c))
            return std::nullopt;
    }
    for (qsizetype i = 0; i < 4; ++i) {
        if (!appendDigit(i < fraction.size() ? fraction[i] : u'0'))
            return std::nullopt;
    }
    return Money(negative ? static_cast<std::int64_t>(0 - magnitude)
                          : static_cast<std::int64_t>(magnitude));
}

Money Money::roundedToCents() const
{
    constexpr std::int64_t step = Scale / 100;
    std::int64_t cents = m_raw / step;
    const std::int64_t rest = m_raw % step; // same sign as m_raw
    const std::int64_t twice = 2 * (rest < 0 ? -rest : rest);
    const bool up = twice > step || (twice == step && cents % 2 != 0);
    if (up)
        cents += rest < 0 ? -1 : 1;
    return Money(cents * step);
}

QString Money::toString() const
{
    const bool negative = m_raw < 0;
    // Work in unsigned so the most negative value has a magnitude too.
    const auto magnitude =
        negative ? 0 - static_cast<std::uint64_t>(m_raw) : static_cast<std::uint64_t>(m_raw);
    QString text = QString::number(magnitude / Scale);
    std::uint64_t fraction = magnitude % Scale;
    if (fraction != 0) {
        QString digits = QStringLiteral("%1").arg(fraction, 4, 10, QLatin1Char('0'));
        while (digits.endsWith(u'0'))
            digits.chop(1);
        text += u'.' + digits;
    }
    return negative ? u'-' + text : text;
}

Money Money::operator+(Money other) const
{
    std::int64_t sum = 0;
    if (__builtin_add_overflow(m_raw, other.m_raw, &sum))
        throwOutOfRange(toDouble() + other.toDouble());
    return Money(sum);
}

Money Money::operator-(Money other) const
{
    std::int64_t difference = 0;
    if (__builtin_sub_overflow(m_raw, other.m_raw, &difference))
        throwOutOfRange(toDouble() - other.toDouble());
    return Money(difference);
}

Money Money::operator-() const
{
    if (m_raw == std::numeric_limits<std::int64_t>::min())
        throwOutOfRange(-toDouble());
    return Money(-m_raw);
}
