#include "print/ui/TsetfpForm.h"

TsetfpForm::TsetfpForm(QWidget *parent) : QWidget(parent, Qt::Window)
{
    setObjectName(QStringLiteral("TsetfpForm"));
    setWindowTitle(QStringLiteral("发票打印设置"));
}
