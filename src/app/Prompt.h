#pragma once

#include <QString>

// Every modal question and notice of the program goes through here, so that the windows
// can be driven without a screen.
class Prompt
{
public:
    virtual ~Prompt() = default;

    // Yes and No buttons, question icon; true for Yes.
    virtual bool askYesNo(const QString &caption, const QString &text) = 0;
    // OK button, no icon.
    virtual void notice(const QString &caption, const QString &text) = 0;
    // OK button, error icon, the application title as caption.
    virtual void error(const QString &text) = 0;
};
