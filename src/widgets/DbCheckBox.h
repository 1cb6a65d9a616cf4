#pragma once

#include "widgets/FieldBinding.h"

#include <QCheckBox>

class ErrorGuard;

// A check box on a boolean column: checked means true.
class DbCheckBox final : public QCheckBox
{
    Q_OBJECT
public:
    explicit DbCheckBox(const QString &text, QWidget *parent = nullptr);

    void bind(Dataset &dataset, const QString &column, ErrorGuard &guard);
    const QString &column() const { return m_binding.column(); }

private:
    FieldBinding m_binding;
};
