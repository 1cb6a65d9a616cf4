#pragma once

#include "entry/ui/PartyDirectoryWindow.h"

// The buyer directory, over the main window's ghqry.
class Tghdwform final : public PartyDirectoryWindow
{
    Q_OBJECT
public:
    explicit Tghdwform(TForm1 &mainWindow);
};
