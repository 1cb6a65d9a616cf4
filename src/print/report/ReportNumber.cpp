#include "ReportNumber.h"

#include "entry/Money.h"

#include <QDate>
#include <algorithm>
#include <cmath>
#include <limits>

static constexpr std::int64_t scale = Money::Scale;

std::optional<ReportNumber> ReportNumber::fromVariant(const QVariant &value)
{
    ReportNumber number;
    if (value.isNull())
        return number;
    if (value.metaType() == QMetaType::fromType<Money>()) {
        number.m_raw = value.value<Money>().raw();
        return number;
    }
    switch (value.metaType().id()) {
    case QMetaType::Int:
    case QMetaType::LongLong:
    case QMetaType::UInt:
    case QMetaType::Short:
        return fromInteger(value.toLongLong());
    case QMetaType::Double:
    case QMetaType::Float:
        number.m_exact = false;
        number.m_value = value.toDouble();
        return std::isfinite(number.m_value) ? std::optional(number) : std::nullopt;
    case QMetaType::QString: {
        const QString text = value.toString().trimmed();
        if (text.isEmpty())
            return number;
        if (const std::optional<Money> money = Money::fromString(text)) {
            number.m_raw = money->raw();
            return number;
        }
        bool ok = false;
        number.m_exact = false;
        number.m_value = text.toDouble(&ok);
        return ok && std::isfinite(number.m_value) ? std::optional(number) : std::nullopt;
    }
    default:
        return std::nullopt;
    }
}

ReportNumber ReportNumber::fromInteger(qint64 value)
{
    ReportNumber number;
    if (value > std::numeric_limits<std::int64_t>::max() / scale ||
        value < std::numeric_limits<std::int64_t>::min() / scale) {
        number.m_exact = false;
        number.m_value = double(value);
    } else {
        number.m_raw = value * scale;
    }
    return number;
}

double ReportNumber::toDouble() const
{
    return m_exact ? double(m_raw) / scale : m_value;
}

ReportNumber ReportNumber::operator+(const ReportNumber &other) const
{
    ReportNumber sum;
    if (m_exact && other.m_exact && !__builtin_add_overflow(m_raw, other.m_raw, &sum.m_raw))
        return sum;
    sum.m_exact = false;
    sum.m_value = toDouble() + other.toDouble();
    return sum;
}

ReportNumber ReportNumber::operator-(const ReportNumber &other) const
{
    ReportNumber difference;
    if (m_exact && other.m_exact && !__builtin_sub_overflow(m_raw, other.m_raw, &difference.m_raw))
        return difference;
    difference.m_exact = false;
    difference.m_value = toDouble() - other.toDouble();
    return difference;
}

void ReportNumber::decimalDigits(QString &integer, QString &fraction, bool &negative) const
{
    if (m_exact) {
        negative = m_raw < 0;
        // Through unsigned so that the most negative value has a magnitude too.
        const std::uint64_t magnitude =
            negative ? std::uint64_t(0) - std::uint64_t(m_raw) : std::uint64_t(m_raw);
        integer = QString::number(magnitude / scale);
        fraction = QString::number(magnitude % scale).rightJustified(4, u'0');
    } else {
        // The decimal the general form shows (15 significant digits), so that a printed
        // amount rounds the way the figure on screen suggests.
        negative = std::signbit(m_value);
        const QString e = QString::number(std::fabs(m_value), 'e', 14);
        const QString digits = e.left(1) + e.mid(2, 14);
        const int point = e.mid(e.indexOf(u'e') + 1).toInt() + 1;
        if (point <= 0) {
            integer = QStringLiteral("0");
            fraction = QString(-point, u'0') + digits;
        } else if (point >= digits.size()) {
            integer = digits + QString(point - digits.size(), u'0');
            fraction.clear();
        } else {
            integer = digits.left(point);
            fraction = digits.mid(point);
        }
        while (integer.size() > 1 && integer.startsWith(u'0'))
            integer.remove(0, 1);
    }
    while (fraction.endsWith(u'0'))
        fraction.chop(1);
}

QString ReportNumber::toText() const
{
    QString integer, fraction;
    bool negative = false;
    decimalDigits(integer, fraction, negative);
    const bool zero = integer == u"0" && fraction.isEmpty();
    return (negative && !zero ? QStringLiteral("-") : QString()) + integer +
           (fraction.isEmpty() ? QString() : u'.' + fraction);
}

std::optional<NumberPattern> NumberPattern::parse(QStringView text)
{
    NumberPattern pattern;
    pattern.m_text = text.toString();
    const qsizetype point = text.indexOf(u'.');
    if (text.isEmpty() || (point >= 0 && text.indexOf(u'.', point + 1) >= 0))
        return std::nullopt;
    const QStringView whole = point < 0 ? text : text.left(point);
    const QStringView decimals = point < 0 ? QStringView() : text.mid(point + 1);
    for (QChar c : whole) {
        if (c == u',')
            pattern.m_grouping = true;
        else if (c == u'0')
            ++pattern.m_minInteger;
        else if (c != u'#')
            return std::nullopt;
    }
    for (QChar c : decimals) {
        if (c == u'0' && pattern.m_maxDecimals == pattern.m_minDecimals)
            ++pattern.m_minDecimals;
        else if (c != u'#' && c != u'0')
            return std::nullopt;
        ++pattern.m_maxDecimals;
    }
    return pattern;
}

// Adds one to a string of decimal digits; true when the carry runs out of the front.
static bool incrementDigits(QString &digits)
{
    for (qsizetype i = digits.size() - 1; i >= 0; --i) {
        if (digits[i] != u'9') {
            digits[i] = QChar(digits[i].unicode() + 1);
            return false;
        }
        digits[i] = u'0';
    }
    return true;
}

static QString grouped(const QString &digits)
{
    QString result;
    for (qsizetype i = 0; i < digits.size(); ++i) {
        if (i > 0 && (digits.size() - i) % 3 == 0)
            result += u',';
        result += digits[i];
    }
    return result;
}

QString NumberPattern::apply(const ReportNumber &number) const
{
    QString integer, fraction;
    bool negative = false;
    number.decimalDigits(integer, fraction, negative);
    if (fraction.size() > m_maxDecimals) {
        const bool roundUp = fraction[m_maxDecimals] >= u'5';
        fraction.truncate(m_maxDecimals);
        // An empty fraction carries straight into the whole part.
        if (roundUp && incrementDigits(fraction) && incrementDigits(integer))
            integer.prepend(u'1');
    }
    while (fraction.size() > m_minDecimals && fraction.endsWith(u'0'))
        fraction.chop(1);
    fraction = fraction.leftJustified(m_minDecimals, u'0');
    while (integer.size() > 1 && integer.startsWith(u'0'))
        integer.remove(0, 1);
    if (integer == u"0" && m_minInteger == 0)
        integer.clear();
    integer = integer.rightJustified(m_minInteger, u'0');
    const auto allZero = [](const QString &digits) {
        return std::all_of(digits.begin(), digits.end(), [](QChar c) { return c == u'0'; });
    };
    const bool zero = allZero(integer) && allZero(fraction);
    QString text = m_grouping ? grouped(integer) : integer;
    if (!fraction.isEmpty())
        text += u'.' + fraction;
    return (negative && !zero) ? u'-' + text : text;
}
