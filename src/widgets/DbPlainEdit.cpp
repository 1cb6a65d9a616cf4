#include "widgets/DbPlainEdit.h"

#include <QKeyEvent>
#include <QScopedValueRollback>

DbPlainEdit::DbPlainEdit(QWidget *parent) : QPlainTextEdit(parent)
{
    setLineWrapMode(NoWrap);
    setTabChangesFocus(true);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    document()->setDocumentMargin(1);
    connect(this, &QPlainTextEdit::textChanged, this, [this] {
        if (!m_showing)
            m_binding.writeUserValue(toPlainText().isEmpty() ? QVariant() : QVariant(toPlainText()));
    });
}

void DbPlainEdit::bind(Dataset &dataset, const QString &column, ErrorGuard &guard)
{
    m_binding.bind(dataset, column, guard, [this](const QVariant &value) { showValue(value); });
}

QSize DbPlainEdit::sizeHint() const
{
    const int frame = 2 * frameWidth();
    return {fontMetrics().averageCharWidth() * 12 + frame,
            fontMetrics().height() + frame + 2 * int(document()->documentMargin()) + 2};
}

void DbPlainEdit::keyPressEvent(QKeyEvent *event)
{
    const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    if (enter && !(event->modifiers() & Qt::ShiftModifier)) {
        event->ignore();
        return;
    }
    QPlainTextEdit::keyPressEvent(event);
}

void DbPlainEdit::showValue(const QVariant &value)
{
    const QString text = value.toString();
    if (text == toPlainText())
        return;
    QScopedValueRollback showing(m_showing, true);
    setPlainText(text);
}
