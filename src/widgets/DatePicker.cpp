#include "widgets/DatePicker.h"

#include <QScopedValueRollback>

DatePicker::DatePicker(QWidget *parent) : QDateEdit(parent)
{
    setCalendarPopup(true);
    setDisplayFormat(QStringLiteral("yyyy年M月d日"));
    connect(this, &QDateEdit::dateChanged, this, [this](QDate date) {
        if (!m_quiet)
            emit userDateChanged(date);
    });
}

void DatePicker::setDateQuietly(QDate date)
{
    QScopedValueRollback quiet(m_quiet, true);
    setDate(date);
}

void DatePicker::focusInEvent(QFocusEvent *event)
{
    QDateEdit::focusInEvent(event);
    emit entered();
}
