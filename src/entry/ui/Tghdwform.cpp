#include "entry/ui/Tghdwform.h"

#include "app/TForm1.h"

Tghdwform::Tghdwform(TForm1 &mainWindow)
    : PartyDirectoryWindow(mainWindow, *mainWindow.ghqry,
                           {QStringLiteral("Tghdwform"),
                            QStringLiteral("购货单位"),
                            QSize(750, 486),
                            {200, 160, 160, 160}})
{}
