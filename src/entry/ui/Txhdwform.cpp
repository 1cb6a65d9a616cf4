#include "entry/ui/Txhdwform.h"

#include "app/TForm1.h"

Txhdwform::Txhdwform(TForm1 &mainWindow)
    : PartyDirectoryWindow(mainWindow, *mainWindow.xhqry,
                           {QStringLiteral("Txhdwform"),
                            QStringLiteral("销货单位"),
                            QSize(750, 487),
                            {200, 165, 165, 165}})
{}
