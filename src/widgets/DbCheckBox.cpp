#include "widgets/DbCheckBox.h"

DbCheckBox::DbCheckBox(const QString &text, QWidget *parent) : QCheckBox(text, parent)
{
    // clicked comes from the user only; showing a row must not write it back.
    connect(this, &QCheckBox::clicked, this,
            [this](bool checked) { m_binding.writeUserValue(checked); });
}

void DbCheckBox::bind(Dataset &dataset, const QString &column, ErrorGuard &guard)
{
    m_binding.bind(dataset, column, guard,
                   [this](const QVariant &value) { setChecked(value.toBool()); });
}
