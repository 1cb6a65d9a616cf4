#pragma once

#include "app/FileDialogs.h"
#include "app/Prompt.h"

#include <QList>
#include <QStringList>

// Answers the program's questions from a script and remembers everything it was shown.
class FakePrompt final : public Prompt
{
public:
    struct Shown
    {
        enum Kind { Question, Notice, Error };
        Kind kind;
        QString caption;
        QString text;
    };

    // The answers to the next questions, in order; a question beyond the script is
    // answered No and counted in unscriptedQuestions.
    void answer(std::initializer_list<bool> answers) { m_answers << answers; }

    bool askYesNo(const QString &caption, const QString &text) override;
    void notice(const QString &caption, const QString &text) override;
    void error(const QString &text) override;

    const QList<Shown> &shown() const { return m_shown; }
    QStringList texts() const;
    QStringList errors() const;
    int unscriptedQuestions() const { return m_unscripted; }
    void clear() { m_shown.clear(); }

private:
    QList<bool> m_answers;
    QList<Shown> m_shown;
    int m_unscripted = 0;
};

// Hands out the file names a test put in.
class FakeFileDialogs final : public FileDialogs
{
public:
    QString pictureFile;
    QString saveFile;

    QString openPictureFile(const QString &) override { return pictureFile; }
    QString saveFileName(const QString &, const QString &, const QString &) override { return saveFile; }
};
