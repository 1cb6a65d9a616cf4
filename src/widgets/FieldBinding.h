#pragma once

#include "db/Dataset.h"

#include <QMetaObject>
#include <QPointer>
#include <QString>

#include <functional>

class ErrorGuard;

// What every data-aware control does with its column: follow the current row, and on the
// user's typing put the dataset into editing and write the value at once, so a command
// that posts the row never misses text still sitting in a box.
class FieldBinding final
{
    Q_DISABLE_COPY_MOVE(FieldBinding)
public:
    using Show = std::function<void(const QVariant &value)>;

    FieldBinding() = default;
    ~FieldBinding();

    // show runs whenever the current row's value may have changed (and with a null value
    // when the dataset closes or is empty).
    void bind(Dataset &dataset, const QString &column, ErrorGuard &guard, Show show);

    bool isBound() const { return m_dataset != nullptr; }
    Dataset *dataset() const { return m_dataset; }
    const QString &column() const { return m_column; }

    // The stored value of the current row; null when there is none.
    QVariant value() const;
    void refresh() const;
    // Writes what the user typed; on failure the error box tells why and the control goes
    // back to the stored value. False when nothing was written.
    bool writeUserValue(const QVariant &value);

private:
    QPointer<Dataset> m_dataset;
    QString m_column;
    ErrorGuard *m_guard = nullptr;
    Show m_show;
    bool m_writing = false;
    QMetaObject::Connection m_changed;
    QMetaObject::Connection m_closed;
};
