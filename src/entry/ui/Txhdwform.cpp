#include "entry/ui/Txhdwform.h"

#include "app/TForm1.h"

Txhdwform::Txhdwform(TForm1 &mainWindow) : QDialog(&mainWindow), m_mainWindow(mainWindow)
{
    setObjectName(QStringLiteral("Txhdwform"));
    setWindowTitle(QStringLiteral("销货单位"));
}
