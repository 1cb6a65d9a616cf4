#pragma once

#include <QMetaType>
#include <QString>
#include <QStringView>
#include <compare>
#include <cstdint>
#include <optional>
#include <stdexcept>

// A currency value: a signed 64-bit count of ten-thousandths of a yuan.
// Money never passes through a double on its way between the store and the screen;
// doubles come in only where the arithmetic is defined on them (quantity times price).
class Money
{
public:
    static constexpr std::int64_t Scale = 10000;

    constexpr Money() = default;
    static constexpr Money fromRaw(std::int64_t tenThousandths) { return Money(tenThousandths); }

    // The double's exact value times 10000, rounded to the nearest integer, an exact half
    // going to the even one. Throws MoneyRangeError when the result does not fit 64 bits
    // (or the value is not finite).
    static Money fromDouble(double value);
    static std::optional<Money> tryFromDouble(double value);

    // Exact decimal text such as "-1234.5", "0.0850" or "12"; at most four decimals,
    // blanks around it allowed; nullopt for anything else or a value out of range.
    static std::optional<Money> fromString(QStringView text);

    constexpr std::int64_t raw() const { return m_raw; }
    double toDouble() const { return static_cast<double>(m_raw) / Scale; }

    // To whole cents (fen), an exact half cent going to the even cent.
    Money roundedToCents() const;

    // Exact text with as many decimals as needed (none for whole yuan): "1234.5", "-0.085".
    QString toString() const;

    Money operator+(Money other) const;
    Money operator-(Money other) const;
    Money &operator+=(Money other) { return *this = *this + other; }
    Money &operator-=(Money other) { return *this = *this - other; }
    Money operator-() const; // the most negative value has no positive twin: throws
    constexpr auto operator<=>(const Money &) const = default;

private:
    constexpr explicit Money(std::int64_t raw) : m_raw(raw) {}
    std::int64_t m_raw = 0;
};

class MoneyRangeError : public std::range_error
{
public:
    using std::range_error::range_error;
};

Q_DECLARE_METATYPE(Money)
