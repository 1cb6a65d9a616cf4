#include "TextExpression.h"

namespace {

struct Function
{
    const char16_t *name;
    TextPart::Kind kind;
};

constexpr Function functions[] = {
    {u"SUM", TextPart::Sum}, {u"PAGESUM", TextPart::PageSum}, {u"RUNSUM", TextPart::RunSum}};

constexpr Function builtins[] = {
    {u"LINE", TextPart::Line}, {u"PAGE", TextPart::Page}, {u"PAGES", TextPart::Pages}};

bool endsName(QChar c)
{
    return c == u'.' || c == u'(' || c == u')' || c == u'"' || c.isSpace();
}

// Reads one expression's inside, from left to right.
class ExpressionReader
{
public:
    ExpressionReader(QStringView inside, const QString &source) : m_in(inside), m_source(source) {}

    TextPart read()
    {
        TextPart part;
        part.source = m_source;
        skipBlanks();
        const QString name = readName();
        if (name.isEmpty())
            fail(QStringLiteral("缺少名称"));
        if (peek() == u'(') {
            readFunction(part, name);
        } else if (peek() == u'.') {
            ++m_pos;
            part.kind = TextPart::Field;
            part.dataset = name;
            part.column = readColumn();
        } else {
            part.kind = TextPart::Variable;
            part.text = name;
            for (const Function &builtin : builtins) {
                if (name.compare(QStringView(builtin.name), Qt::CaseInsensitive) == 0)
                    part.kind = builtin.kind;
            }
        }
        readPattern(part);
        return part;
    }

private:
    [[noreturn]] void fail(const QString &why) const
    {
        throw TextSyntaxError(QStringLiteral("表达式 %1 有误：%2").arg(m_source, why));
    }

    QChar peek() const { return m_pos < m_in.size() ? m_in[m_pos] : QChar(); }

    void skipBlanks()
    {
        while (m_pos < m_in.size() && m_in[m_pos].isSpace())
            ++m_pos;
    }

    QString readName()
    {
        const qsizetype start = m_pos;
        while (m_pos < m_in.size() && !endsName(m_in[m_pos]))
            ++m_pos;
        return m_in.mid(start, m_pos - start).toString();
    }

    QString readColumn()
    {
        if (peek() != u'"') {
            const QString column = readName();
            if (column.isEmpty())
                fail(QStringLiteral("缺少列名"));
            return column;
        }
        const qsizetype close = m_in.indexOf(u'"', m_pos + 1);
        if (close < 0)
            fail(QStringLiteral("列名缺少右引号"));
        const QString column = m_in.mid(m_pos + 1, close - m_pos - 1).toString();
        m_pos = close + 1;
        if (column.isEmpty())
            fail(QStringLiteral("列名为空"));
        return column;
    }

    void readFunction(TextPart &part, const QString &name)
    {
        bool known = false;
        for (const Function &function : functions) {
            if (name.compare(QStringView(function.name), Qt::CaseInsensitive) == 0) {
                part.kind = function.kind;
                known = true;
            }
        }
        if (!known)
            fail(QStringLiteral("未知的函数 %1（可用 SUM、PAGESUM、RUNSUM）").arg(name));
        ++m_pos;
        skipBlanks();
        part.dataset = readName();
        if (part.dataset.isEmpty() || peek() != u'.')
            fail(QStringLiteral("%1 需要“数据集.列”").arg(name));
        ++m_pos;
        part.column = readColumn();
        skipBlanks();
        if (peek() != u')')
            fail(QStringLiteral("缺少右括号"));
        ++m_pos;
    }

    void readPattern(TextPart &part)
    {
        skipBlanks();
        const QStringView rest = m_in.mid(m_pos).trimmed();
        if (rest.isEmpty())
            return;
        part.pattern = NumberPattern::parse(rest);
        if (!part.pattern)
            fail(QStringLiteral("数字格式“%1”无效（可用 # 0 , . 组成，如 #,##0.00）")
                     .arg(rest.toString()));
    }

    QStringView m_in;
    QString m_source;
    qsizetype m_pos = 0;
};

// The closing bracket of the expression opening at `open`; quotes may hold ']'.
qsizetype closingBracket(const QString &text, qsizetype open)
{
    bool quoted = false;
    for (qsizetype i = open + 1; i < text.size(); ++i) {
        if (text[i] == u'"')
            quoted = !quoted;
        else if (text[i] == u']' && !quoted)
            return i;
    }
    return -1;
}

} // namespace

ParsedText ParsedText::parse(const QString &text)
{
    ParsedText parsed;
    QString literal;
    const auto flushLiteral = [&] {
        if (!literal.isEmpty())
            parsed.parts.push_back(TextPart{TextPart::Literal, literal, {}, {}, {}, {}});
        literal.clear();
    };
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] != u'[') {
            literal += text[i];
            continue;
        }
        if (i + 1 < text.size() && text[i + 1] == u'[') {
            literal += u'[';
            ++i;
            continue;
        }
        const qsizetype close = closingBracket(text, i);
        if (close < 0)
            throw TextSyntaxError(QStringLiteral("表达式 %1 缺少右方括号“]”").arg(text.mid(i, 40)));
        flushLiteral();
        const QString source = text.mid(i, close - i + 1);
        parsed.parts.push_back(
            ExpressionReader(QStringView(text).mid(i + 1, close - i - 1), source).read());
        i = close;
    }
    flushLiteral();
    return parsed;
}

QString ParsedText::escaped(const QString &literal)
{
    QString result = literal;
    return result.replace(u'[', QStringLiteral("[["));
}
