#include "entry/ui/Tghdwform.h"

#include "app/TForm1.h"

Tghdwform::Tghdwform(TForm1 &mainWindow) : QDialog(&mainWindow), m_mainWindow(mainWindow)
{
    setObjectName(QStringLiteral("Tghdwform"));
    setWindowTitle(QStringLiteral("购货单位"));
}
