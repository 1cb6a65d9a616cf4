#pragma once

#include <QString>
#include <stdexcept>

// An error of the store or of the dataset layer, carrying the message to show the user.
// The window layer turns any such error that an event lets through into the error box.
class DatabaseError : public std::runtime_error
{
public:
    explicit DatabaseError(const QString &message)
        : std::runtime_error(message.toStdString()), m_message(message)
    {}
    QString message() const { return m_message; }

private:
    QString m_message;
};
