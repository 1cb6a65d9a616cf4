#include "widgets/FieldBinding.h"

#include "app/ErrorGuard.h"

#include <QScopedValueRollback>

FieldBinding::~FieldBinding()
{
    QObject::disconnect(m_changed);
    QObject::disconnect(m_closed);
}

void FieldBinding::bind(Dataset &dataset, const QString &column, ErrorGuard &guard, Show show)
{
    QObject::disconnect(m_changed);
    QObject::disconnect(m_closed);
    m_dataset = &dataset;
    m_column = column;
    m_guard = &guard;
    m_show = std::move(show);
    // A box the user is typing in already shows what it writes; showing the converted
    // value back mid-typing would fight the cursor (leading zeros, a trailing point).
    m_changed = QObject::connect(&dataset, &Dataset::changed, &dataset, [this] {
        if (!m_writing)
            refresh();
    });
    m_closed = QObject::connect(&dataset, &Dataset::closed, &dataset, [this] { refresh(); });
    refresh();
}

QVariant FieldBinding::value() const
{
    if (!m_dataset || !m_dataset->isOpen() || m_dataset->isEmpty() || !m_dataset->hasField(m_column))
        return {};
    return m_dataset->value(m_column);
}

void FieldBinding::refresh() const
{
    if (m_show)
        m_show(value());
}

bool FieldBinding::writeUserValue(const QVariant &value)
{
    if (!m_dataset || !m_dataset->isOpen()) {
        refresh();
        return false;
    }
    const bool written = m_guard->run([&] {
        QScopedValueRollback writing(m_writing, true);
        if (!m_dataset->isEditing())
            m_dataset->edit();
        m_dataset->markUserChange();
        m_dataset->setValue(m_column, value);
    });
    if (!written)
        refresh();
    return written;
}
