#include "widgets/DbEdit.h"

#include "widgets/FieldText.h"

#include <QRegularExpressionValidator>

DbEdit::DbEdit(QWidget *parent) : QLineEdit(parent)
{
    connect(this, &QLineEdit::textEdited, this, [this](const QString &text) {
        m_binding.writeUserValue(text.isEmpty() ? QVariant() : QVariant(text));
    });
}

void DbEdit::bind(Dataset &dataset, const QString &column, ErrorGuard &guard)
{
    m_binding.bind(dataset, column, guard, [this](const QVariant &value) { showValue(value); });
}

void DbEdit::focusOutEvent(QFocusEvent *event)
{
    QLineEdit::focusOutEvent(event);
    // Leaving the box shows what the store made of the typing (e.g. leading zeros gone).
    m_binding.refresh();
}

void DbEdit::showValue(const QVariant &value)
{
    adjustToColumn();
    const QString text = FieldText::toText(value);
    if (text != this->text())
        setText(text);
}

// Refuses keystrokes the column could not take, instead of failing when they are written.
void DbEdit::adjustToColumn()
{
    Dataset *dataset = m_binding.dataset();
    if (m_adjusted || !dataset || !dataset->isOpen() || !dataset->hasField(column()))
        return;
    switch (dataset->fieldType(column())) {
    case FieldType::Integer:
        setValidator(new QRegularExpressionValidator(
            QRegularExpression(QStringLiteral("-?[0-9]{0,18}")), this));
        break;
    case FieldType::Double:
    case FieldType::Currency:
        setValidator(new QRegularExpressionValidator(
            QRegularExpression(QStringLiteral("-?[0-9]{0,15}(\\.[0-9]{0,9})?")), this));
        break;
    default:
        if (const int limit = dataset->maxLength(column()); limit > 0)
            setMaxLength(limit);
        break;
    }
    m_adjusted = true;
}
