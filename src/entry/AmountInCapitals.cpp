#include "entry/AmountInCapitals.h"

#include <array>
#include <cmath>
#include <cstdint>

using namespace Qt::StringLiterals;

namespace {

const QString Digits = u"零壹贰叁肆伍陆柒捌玖"_s;
const QString Units = u"拾佰仟"_s; // tens, hundreds, thousands

QChar digitChar(int d)
{
    return Digits.at(d);
}

struct GroupText
{
    QString text;
    bool thousandsZero = false; // a "零" goes before it when something precedes it
};

// One group of four digits, thousands first: inner runs of zeros become one "零",
// zeros at the end are not written, the tens digit is always named (12 -> 壹拾贰).
GroupText groupText(int value)
{
    GroupText group;
    if (value == 0)
        return group;
    bool seen = false;
    bool pending = false;
    int divisor = 1000;
    for (int position = 3; position >= 0; --position, divisor /= 10) {
        const int d = value / divisor % 10;
        if (d == 0) {
            if (position == 3)
                group.thousandsZero = true;
            else if (seen)
                pending = true;
            continue;
        }
        if (pending)
            group.text += u'零';
        group.text += digitChar(d);
        if (position > 0)
            group.text += Units.at(position - 1);
        seen = true;
        pending = false;
    }
    return group;
}

struct FractionText
{
    QString text;
    bool zeroBefore = false; // no jiao but fen: 壹拾圆零伍分
};

FractionText fractionText(int cents)
{
    FractionText fraction;
    const int fen = cents % 10;
    const int jiao = cents / 10;
    if (fen > 0)
        fraction.text = digitChar(fen) + u"分"_s;
    if (jiao > 0)
        fraction.text =
            digitChar(jiao) + (fraction.text.isEmpty() ? u"角整"_s : u'角' + fraction.text);
    fraction.zeroBefore = jiao == 0 && fen > 0;
    return fraction;
}

QString capitalsOfMagnitude(double amount)
{
    double whole = std::trunc(amount);
    auto cents = static_cast<int>((amount - whole) * 100 + 0.5);
    if (cents >= 100) { // only for inputs finer than fen
        whole += 1;
        cents -= 100;
    }
    auto rest = static_cast<std::int64_t>(std::fmod(whole, 1e16)); // sixteen digits at most
    std::array<int, 4> groups{};                                   // 万亿, 亿, 万, yuan
    for (int k = 3; k >= 0 && rest > 0; --k, rest /= 10000)
        groups[k] = int(rest % 10000);
    if (groups == std::array<int, 4>{} && cents == 0)
        return u"零圆整"_s;

    const std::array<QChar, 4> marks{u'万', u'亿', u'万', u'圆'};
    QString result;
    bool written = false;
    for (int k = 0; k < 4; ++k) {
        const GroupText group = groupText(groups[k]);
        if (!group.text.isEmpty()) {
            if (written && group.thousandsZero)
                result += u'零';
            result += group.text + marks[k];
            written = true;
        } else if (written && (k == 1 || k == 3)) {
            result += marks[k];
        }
    }
    const FractionText fraction = fractionText(cents);
    if (fraction.text.isEmpty())
        return result + u'整';
    if (fraction.zeroBefore && written)
        result += u'零';
    return result + fraction.text;
}

} // namespace

QString AmountInCapitals(double amount)
{
    if (!std::isfinite(amount))
        return u"零圆整"_s;
    const QString text = capitalsOfMagnitude(std::fabs(amount));
    if (amount < 0 && text != u"零圆整"_s)
        return u'负' + text;
    return text;
}
