#pragma once

#include <QString>
#include <QStringView>
#include <QVariant>
#include <cstdint>
#include <optional>

// A number as a report adds and prints it: exact in ten-thousandths while every part came
// from currency, whole numbers or short decimal text, so that a column of amounts sums to
// the fen; a double as soon as a double (quantity, unit price) takes part.
class ReportNumber
{
public:
    ReportNumber() = default;
    // Null gives zero; text is read as a decimal number; nullopt for anything that is not
    // a number (words, dates).
    static std::optional<ReportNumber> fromVariant(const QVariant &value);
    static ReportNumber fromInteger(qint64 value);

    bool isExact() const { return m_exact; }
    std::int64_t raw() const { return m_raw; } // ten-thousandths, when exact
    double toDouble() const;
    ReportNumber operator+(const ReportNumber &other) const;
    ReportNumber operator-(const ReportNumber &other) const;

    // The general form: exact values with the decimals they need, doubles with at most 15
    // significant digits; no grouping, no trailing zeros, no exponent.
    QString toText() const;
    // Unsigned decimal digits before and after the point (no trailing zeros), and the sign.
    void decimalDigits(QString &integer, QString &fraction, bool &negative) const;

private:
    bool m_exact = true;
    std::int64_t m_raw = 0; // ten-thousandths, when exact
    double m_value = 0;     // when not exact
};

// A number pattern such as "#,##0.00", "0.00" or "0.####": a comma anywhere in the whole
// part groups digits by three; zeros are digits always shown, '#' digits shown when
// needed. Rounds halves away from zero.
class NumberPattern
{
public:
    // nullopt when the text is not a pattern of '#', '0', ',' and one '.'.
    static std::optional<NumberPattern> parse(QStringView text);
    QString apply(const ReportNumber &number) const;
    QString text() const { return m_text; }
    int maxDecimals() const { return m_maxDecimals; }

private:
    QString m_text;
    bool m_grouping = false;
    int m_minInteger = 0;
    int m_minDecimals = 0;
    int m_maxDecimals = 0;
};
