#pragma once

#include <QString>
#include <stdexcept>

// A template that cannot be read, a picture that cannot be loaded, an object or dataset a
// command expects and does not find. Carries the message to show the user, in Chinese,
// naming the file (and the line, for template files).
class ReportError : public std::runtime_error
{
public:
    explicit ReportError(const QString &message)
        : std::runtime_error(message.toStdString()), m_message(message)
    {}
    QString message() const { return m_message; }

private:
    QString m_message;
};
