#include "entry/NumberFormat.h"

#include <QRegularExpression>
#include <cmath>

using namespace Qt::StringLiterals;

namespace {

// A non-negative decimal: digits without leading or trailing zeros (empty for zero) and
// the number of them that stand before the point, which may be negative or exceed them.
struct Decimal
{
    bool negative = false;
    QString digits;
    int pointPos = 0;

    bool isZero() const { return digits.isEmpty(); }
    int exponent() const { return pointPos - 1; } // of the first digit
    QChar digitAt(int i) const { return i >= 0 && i < digits.size() ? digits[i] : u'0'; }
};

void normalize(Decimal &d)
{
    while (d.digits.startsWith(u'0')) {
        d.digits.remove(0, 1);
        --d.pointPos;
    }
    while (d.digits.endsWith(u'0'))
        d.digits.chop(1);
    if (d.isZero())
        d = Decimal();
}

Decimal decimalOf(Money value)
{
    Decimal d;
    d.negative = value.raw() < 0;
    const auto raw = static_cast<quint64>(value.raw());
    d.digits = QString::number(d.negative ? 0 - raw : raw);
    d.pointPos = int(d.digits.size()) - 4;
    normalize(d);
    return d;
}

// The double rounded to 15 significant digits.
Decimal decimalOf(double value)
{
    Decimal d;
    if (value == 0)
        return d;
    d.negative = value < 0;
    const QString text = QString::number(std::fabs(value), 'e', 14); // "d.dddddddddddddde+XX"
    const qsizetype e = text.indexOf(u'e');
    d.digits = text.left(1) + text.mid(2, e - 2);
    d.pointPos = text.mid(e + 1).toInt() + 1;
    normalize(d);
    return d;
}

// Keeps `decimals` places after the point; a dropped part of a half or more rounds up.
Decimal roundedHalfAway(Decimal d, int decimals)
{
    const int keep = d.pointPos + decimals;
    if (keep >= d.digits.size())
        return d;
    const bool up = keep >= 0 && d.digits[keep] >= u'5';
    d.digits = keep > 0 ? d.digits.left(keep) : QString();
    if (up) {
        int i = int(d.digits.size()) - 1;
        for (; i >= 0 && d.digits[i] == u'9'; --i)
            d.digits[i] = u'0';
        if (i >= 0) {
            d.digits[i] = QChar(d.digits[i].unicode() + 1);
        } else {
            d.digits.prepend(u'1');
            ++d.pointPos;
        }
    }
    normalize(d);
    return d;
}

QString wholeDigits(const Decimal &d)
{
    QString whole;
    for (int i = 0; i < d.pointPos; ++i)
        whole += d.digitAt(i);
    return whole;
}

QString fractionDigits(const Decimal &d, int count)
{
    QString fraction;
    for (int i = d.pointPos; i < d.pointPos + count; ++i)
        fraction += d.digitAt(i);
    return fraction;
}

QString groupedByThree(const QString &digits)
{
    QString text = digits;
    for (qsizetype i = text.size() - 3; i > 0; i -= 3)
        text.insert(i, u',');
    return text;
}

QString sign(const Decimal &d)
{
    return d.negative && !d.isZero() ? u"-"_s : QString();
}

QString formatOptionalDigits(const Decimal &value, int decimals)
{
    const Decimal d = roundedHalfAway(value, decimals);
    if (d.isZero())
        return QString();
    QString text = sign(d) + groupedByThree(wholeDigits(d));
    const int places = std::min<int>(decimals, int(d.digits.size()) - d.pointPos);
    if (places > 0)
        text += u'.' + fractionDigits(d, places);
    return text;
}

QString formatFixed(const Decimal &value, int decimals)
{
    const Decimal d = roundedHalfAway(value, decimals);
    QString whole = wholeDigits(d);
    if (whole.isEmpty())
        whole = u"0"_s;
    QString text = sign(d) + whole;
    if (decimals > 0)
        text += u'.' + fractionDigits(d, decimals);
    return text;
}

} // namespace

namespace NumberFormat {

QString general(double value)
{
    if (std::isnan(value))
        return u"NAN"_s;
    if (std::isinf(value))
        return value < 0 ? u"-INF"_s : u"INF"_s;
    const Decimal d = decimalOf(value);
    if (d.isZero())
        return u"0"_s;
    const int exponent = d.exponent();
    if (exponent < -4 || exponent >= 15) {
        QString mantissa = d.digits.left(1);
        if (d.digits.size() > 1)
            mantissa += u'.' + d.digits.mid(1);
        return sign(d) + mantissa + u'E' + QString::number(exponent);
    }
    QString whole = wholeDigits(d);
    if (whole.isEmpty())
        whole = u"0"_s;
    const int places = int(d.digits.size()) - d.pointPos;
    return sign(d) + whole + (places > 0 ? u'.' + fractionDigits(d, places) : QString());
}

QString percent(double rate)
{
    return general(rate) + u'%';
}

QString optionalDigits(Money value, int decimals)
{
    return formatOptionalDigits(decimalOf(value), decimals);
}

QString optionalDigits(double value, int decimals)
{
    return formatOptionalDigits(decimalOf(value), decimals);
}

QString fixed(Money value, int decimals)
{
    return formatFixed(decimalOf(value), decimals);
}

QString fixed(double value, int decimals)
{
    return formatFixed(decimalOf(value), decimals);
}

std::optional<double> parseTypedNumber(QStringView text)
{
    // The lookahead asks for a digit first or right after a leading point.
    static const QRegularExpression pattern(
        uR"(^[+-]?(?=\.?[0-9])(?:[0-9]{1,3}(?:,[0-9]{3})+|[0-9]*)(?:\.[0-9]*)?(?:[eE][+-]?[0-9]+)?$)"_s);
    const QString trimmed = text.trimmed().toString();
    if (!pattern.match(trimmed).hasMatch())
        return std::nullopt;
    bool ok = false;
    const double value = QString(trimmed).remove(u',').toDouble(&ok);
    if (!ok || !std::isfinite(value))
        return std::nullopt;
    return value == 0 ? 0.0 : value; // no negative zero in a cell
}

QString invalidNumberMessage(QStringView text)
{
    return u"“%1”不是有效的数字，请输入如 3、-2、0.5 或 1,234.5 这样的数字"_s.arg(text);
}

} // namespace NumberFormat
