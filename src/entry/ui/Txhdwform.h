#pragma once

#include "entry/ui/PartyDirectoryWindow.h"

// The seller directory, over the main window's xhqry.
class Txhdwform final : public PartyDirectoryWindow
{
    Q_OBJECT
public:
    explicit Txhdwform(TForm1 &mainWindow);
};
