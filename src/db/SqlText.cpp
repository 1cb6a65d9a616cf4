#include "db/SqlText.h"

#include <QRegularExpression>

namespace SqlText {

namespace {

bool isNameChar(QChar c)
{
    return c.isLetterOrNumber() || c == u'_' || c.unicode() >= 0x80;
}

// Index just past a quoted run or comment starting at i, or i when none starts there.
qsizetype skipQuotedOrComment(const QString &text, qsizetype i)
{
    const QChar c = text.at(i);
    const QChar next = i + 1 < text.size() ? text.at(i + 1) : QChar();
    QChar close;
    if (c == u'\'' || c == u'"' || c == u'`')
        close = c;
    else if (c == u'[')
        close = u']';
    else if (c == u'-' && next == u'-') {
        const qsizetype end = text.indexOf(u'\n', i);
        return end < 0 ? text.size() : end;
    } else if (c == u'/' && next == u'*') {
        const qsizetype end = text.indexOf(QStringLiteral("*/"), i + 2);
        return end < 0 ? text.size() : end + 2;
    } else
        return i;
    // A doubled quote inside the run is the quote itself; the loop steps over both.
    const qsizetype end = text.indexOf(close, i + 1);
    return end < 0 ? text.size() : end + 1;
}

const QString tableToken =
    QStringLiteral(R"re(("(?:[^"]|"")+"|\[[^\]]+\]|`[^`]+`|[^\s,;()"\[`]+))re");

QString unquote(const QString &token)
{
    if (token.size() >= 2) {
        const QChar first = token.front();
        if (first == u'"')
            return token.mid(1, token.size() - 2)
                .replace(QStringLiteral("\"\""), QStringLiteral("\""));
        if (first == u'[' || first == u'`')
            return token.mid(1, token.size() - 2);
    }
    return token;
}

} // namespace

QString lowercaseParameters(const QString &statement)
{
    QString result;
    result.reserve(statement.size());
    qsizetype i = 0;
    while (i < statement.size()) {
        const qsizetype skipped = skipQuotedOrComment(statement, i);
        if (skipped != i) {
            result += QStringView(statement).mid(i, skipped - i);
            i = skipped;
            continue;
        }
        const QChar c = statement.at(i);
        result += c;
        ++i;
        if (c != u':')
            continue;
        qsizetype end = i;
        while (end < statement.size() && isNameChar(statement.at(end)))
            ++end;
        result += statement.mid(i, end - i).toLower();
        i = end;
    }
    return result;
}

QStringList splitStatements(const QString &script)
{
    QStringList statements;
    qsizetype start = 0;
    qsizetype i = 0;
    auto take = [&](qsizetype end) {
        const QString statement = script.mid(start, end - start).trimmed();
        if (!statement.isEmpty())
            statements << statement;
    };
    while (i < script.size()) {
        const qsizetype skipped = skipQuotedOrComment(script, i);
        if (skipped != i) {
            i = skipped;
        } else if (script.at(i) == u';') {
            take(i);
            start = ++i;
        } else {
            ++i;
        }
    }
    take(script.size());
    return statements;
}

std::optional<TableSelect> tableSelect(const QString &statement)
{
    static const QRegularExpression pattern(
        QStringLiteral(R"(^\s*select\s+\*\s+from\s+)") + tableToken +
            QStringLiteral(R"(((?:\s+(?:where|order|limit)\b[\s\S]*)?)\s*;?\s*$)"),
        QRegularExpression::CaseInsensitiveOption | QRegularExpression::UseUnicodePropertiesOption);
    const QRegularExpressionMatch match = pattern.match(statement);
    if (!match.hasMatch())
        return std::nullopt;
    return TableSelect{unquote(match.captured(1)), QStringLiteral("select rowid from ") +
                                                       match.captured(1) + match.captured(2)};
}

QString firstTable(const QString &statement)
{
    static const QRegularExpression pattern(QStringLiteral(R"(\bfrom\s+)") + tableToken,
                                            QRegularExpression::CaseInsensitiveOption |
                                                QRegularExpression::UseUnicodePropertiesOption);
    const QRegularExpressionMatch match = pattern.match(statement);
    return match.hasMatch() ? unquote(match.captured(1)) : QString();
}

std::optional<InsertSelect> insertSelect(const QString &statement)
{
    static const QRegularExpression pattern(
        QStringLiteral(R"re(^\s*insert\s+into\s+)re") + tableToken +
            QStringLiteral(R"re(\s+(select\b[\s\S]*)$)re"),
        QRegularExpression::CaseInsensitiveOption | QRegularExpression::UseUnicodePropertiesOption);
    const QRegularExpressionMatch match = pattern.match(statement);
    if (!match.hasMatch())
        return std::nullopt;
    return InsertSelect{match.captured(1), match.captured(2)};
}

QString withoutDeleteStar(const QString &statement)
{
    static const QRegularExpression pattern(QStringLiteral(R"re(^(\s*delete)\s+\*(\s+from\b))re"),
                                            QRegularExpression::CaseInsensitiveOption);
    QString result = statement;
    return result.replace(pattern, QStringLiteral("\\1\\2"));
}

QString quoteIdentifier(const QString &name)
{
    QString quoted = name;
    quoted.replace(u'"', QStringLiteral("\"\""));
    return u'"' + quoted + u'"';
}

} // namespace SqlText
