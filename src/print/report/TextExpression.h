#pragma once

#include "ReportNumber.h"

#include <QString>
#include <optional>
#include <stdexcept>
#include <vector>

// A text object's text cut into literal runs and bracketed expressions:
//   [ds."column"] or [ds.column]           a column of a dataset
//   [name]                                 a report variable (letter case ignored)
//   [LINE] [PAGE] [PAGES]                  line number, page number, number of pages
//   [SUM(ds."c")] [PAGESUM(ds."c")] [RUNSUM(ds."c")]
//                                          the column summed over every row, over the
//                                          rows of this page so far, over the rows so far
// each optionally followed by a blank and a number pattern: [SUM(ddbst."金额") #,##0.00].
// "[[" stands for a literal "[".
struct TextPart
{
    enum Kind
    {
        Literal,
        Field,
        Variable,
        Line,
        Page,
        Pages,
        Sum,
        PageSum,
        RunSum
    };
    Kind kind = Literal;
    QString text;    // the literal, or the variable's name
    QString dataset; // Field and the sums
    QString column;
    std::optional<NumberPattern> pattern;
    QString source; // the expression as written, brackets included, for messages
};

class TextSyntaxError : public std::runtime_error
{
public:
    explicit TextSyntaxError(const QString &message)
        : std::runtime_error(message.toStdString()), m_message(message)
    {}
    QString message() const { return m_message; }

private:
    QString m_message;
};

struct ParsedText
{
    std::vector<TextPart> parts;

    // Throws TextSyntaxError naming the faulty expression.
    static ParsedText parse(const QString &text);
    // Text that shows literally, whatever it holds: "[" doubled.
    static QString escaped(const QString &literal);
    bool isSingleExpression() const
    {
        return parts.size() == 1 && parts[0].kind != TextPart::Literal;
    }
};
