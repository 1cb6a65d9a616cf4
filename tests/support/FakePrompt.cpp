#include "FakePrompt.h"

bool FakePrompt::askYesNo(const QString &caption, const QString &text)
{
    m_shown << Shown{Shown::Question, caption, text};
    if (m_answers.isEmpty()) {
        ++m_unscripted;
        return false;
    }
    return m_answers.takeFirst();
}

void FakePrompt::notice(const QString &caption, const QString &text)
{
    m_shown << Shown{Shown::Notice, caption, text};
}

void FakePrompt::error(const QString &text)
{
    m_shown << Shown{Shown::Error, QString(), text};
}

QStringList FakePrompt::texts() const
{
    QStringList result;
    for (const Shown &item : m_shown)
        result << item.text;
    return result;
}

QStringList FakePrompt::errors() const
{
    QStringList result;
    for (const Shown &item : m_shown) {
        if (item.kind == Shown::Error)
            result << item.text;
    }
    return result;
}
