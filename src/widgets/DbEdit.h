#pragma once

#include "widgets/FieldBinding.h"

#include <QLineEdit>

class ErrorGuard;

// An edit box showing one column of a dataset's current row.
class DbEdit final : public QLineEdit
{
    Q_OBJECT
public:
    explicit DbEdit(QWidget *parent = nullptr);

    void bind(Dataset &dataset, const QString &column, ErrorGuard &guard);
    const QString &column() const { return m_binding.column(); }

protected:
    void focusOutEvent(QFocusEvent *event) override;

private:
    void showValue(const QVariant &value);
    void adjustToColumn();

    FieldBinding m_binding;
    bool m_adjusted = false;
};
