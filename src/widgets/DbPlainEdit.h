#pragma once

#include "widgets/FieldBinding.h"

#include <QPlainTextEdit>

class ErrorGuard;

// A one-line text box for names that may need a second line on the printed form: Enter
// belongs to the window (it moves on), Shift+Enter starts a new line in the text.
class DbPlainEdit final : public QPlainTextEdit
{
    Q_OBJECT
public:
    explicit DbPlainEdit(QWidget *parent = nullptr);

    void bind(Dataset &dataset, const QString &column, ErrorGuard &guard);
    const QString &column() const { return m_binding.column(); }
    QSize sizeHint() const override;
    QSize minimumSizeHint() const override { return sizeHint(); }

protected:
    void keyPressEvent(QKeyEvent *event) override;

private:
    void showValue(const QVariant &value);

    FieldBinding m_binding;
    bool m_showing = false;
};
