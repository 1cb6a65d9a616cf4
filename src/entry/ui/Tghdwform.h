#pragma once

#include <QDialog>

class TForm1;

// The buyer directory window; its grid and buttons are still to come.
class Tghdwform final : public QDialog
{
    Q_OBJECT
public:
    explicit Tghdwform(TForm1 &mainWindow);

private:
    TForm1 &m_mainWindow;
};
