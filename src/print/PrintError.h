#pragma once

#include <QString>
#include <stdexcept>

// A print command that cannot go on: no stored invoice to print, a template that lacks a
// field, a total that is not a number. Carries the message to show the user.
class PrintError : public std::runtime_error
{
public:
    explicit PrintError(const QString &message)
        : std::runtime_error(message.toStdString()), m_message(message)
    {}
    QString message() const { return m_message; }

private:
    QString m_message;
};
