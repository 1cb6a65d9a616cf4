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

bool addOverflows(std::int64_t a, std::int64_t b, std::int64_t *sum)
{
    return __builtin_add_overflow(a, b, sum);
}

} // namespace

std::optional<Money> Money::tryFromDouble(double value)
{
    const double scaled = value * static_cast<double>(Scale);
    // 2^63 is exactly representable; anything at or beyond it does not fit.
    constexpr double limit = 9223372036854775808.0;
    if (!std::isfinite(scaled) || scaled >= limit || scaled < -limit)
        return std::nullopt;
    return Money(static_cast<std::int64_t>(std::nearbyint(scaled))); // default mode: half to even
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
    std::int64_t raw = 0;
    auto appendDigits = [&raw](QStringView digits) {
        for (QChar c : digits) {
            if (c < u'0' || c > u'9')
                return false;
            if (__builtin_mul_overflow(raw, 10, &raw) || addOverflows(raw, c.unicode() - u'0', &raw))
                return false;
        }
        return true;
    };
    QString paddedFraction = fraction.toString();
    paddedFraction.append(QString(4 - fraction.size(), u'0'));
    if (!appendDigits(whole) || !appendDigits(paddedFraction))
        return std::nullopt;
    return Money(negative ? -raw : raw);
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
    const auto magnitude = negative ? 0 - static_cast<std::uint64_t>(m_raw) : static_cast<std::uint64_t>(m_raw);
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
    if (addOverflows(m_raw, other.m_raw, &sum))
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
