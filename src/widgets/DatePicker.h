#pragma once

#include <QDateEdit>

// A date picker whose own setting by the program is not a change of the user's.
class DatePicker final : public QDateEdit
{
    Q_OBJECT
public:
    explicit DatePicker(QWidget *parent = nullptr);

    void setDateQuietly(QDate date);

signals:
    void userDateChanged(QDate date);
    void entered();

protected:
    void focusInEvent(QFocusEvent *event) override;

private:
    bool m_quiet = false;
};
