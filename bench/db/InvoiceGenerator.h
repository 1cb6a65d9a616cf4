#pragma once

#include <QString>
#include <QStringList>
#include <cstdint>
#include <random>
#include <vector>

// Invoices that look like a small business's real ones: Chinese company names,
// addresses, banks, taxpayer numbers, cipher lines and one to eight lines each.
// The same seed always gives the same invoices.
class InvoiceGenerator
{
public:
    struct Party
    {
        QString name, taxNumber, address, bank;
    };
    struct Line
    {
        QString name, model, unit;
        double quantity = 0, price = 0, rate = 0;
        std::int64_t amount = 0, tax = 0; // ten-thousandths
    };

    explicit InvoiceGenerator(std::uint64_t seed) : m_random(seed) {}

    Party party();
    QString person();
    QString cipherLine();
    QString checkCode();
    QString remark();
    std::vector<Line> lines();
    int below(int bound)
    {
        return static_cast<int>(m_random() % static_cast<std::uint64_t>(bound));
    }
    QString digits(int count);

private:
    QString pick(const QStringList &words)
    {
        return words.at(below(static_cast<int>(words.size())));
    }

    std::mt19937_64 m_random; // its output is fixed by the standard, unlike the distributions
};

// The total in capitals, close enough for test data ("壹佰壹拾柒圆伍角").
QString capitals(std::int64_t cents);
