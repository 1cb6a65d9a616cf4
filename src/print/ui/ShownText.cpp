#include "print/ui/ShownText.h"

#include "print/PrintError.h"

#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTextEdit>

using namespace Qt::StringLiterals;

QString shownText(const QWidget &window, const QString &controlName)
{
    const QWidget *control = window.findChild<QWidget *>(controlName);
    if (const auto *edit = qobject_cast<const QLineEdit *>(control))
        return edit->text();
    if (const auto *edit = qobject_cast<const QPlainTextEdit *>(control))
        return edit->toPlainText();
    if (const auto *edit = qobject_cast<const QTextEdit *>(control))
        return edit->toPlainText();
    throw PrintError(u"窗口中没有文本框“%1”"_s.arg(controlName));
}
