#include "payments/ui/TForm2.h"

#include "app/TForm1.h"

TForm2::TForm2(TForm1 &mainWindow) : QDialog(&mainWindow), m_mainWindow(mainWindow)
{
    setObjectName(QStringLiteral("TForm2"));
    setWindowTitle(QStringLiteral("收款情况打印"));
}
