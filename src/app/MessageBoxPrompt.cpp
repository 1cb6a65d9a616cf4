#include "app/MessageBoxPrompt.h"

#include <QApplication>
#include <QMessageBox>

bool MessageBoxPrompt::askYesNo(const QString &caption, const QString &text)
{
    return QMessageBox::question(m_parent, caption, text, QMessageBox::Yes | QMessageBox::No,
                                 QMessageBox::Yes) == QMessageBox::Yes;
}

void MessageBoxPrompt::notice(const QString &caption, const QString &text)
{
    QMessageBox box(QMessageBox::NoIcon, caption, text, QMessageBox::Ok, m_parent);
    box.exec();
}

void MessageBoxPrompt::error(const QString &text)
{
    QMessageBox::critical(m_parent, QApplication::applicationName(), text);
}
