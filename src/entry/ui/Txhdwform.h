#pragma once

#include <QDialog>

class TForm1;

// The seller directory window; its grid and buttons are still to come.
class Txhdwform final : public QDialog
{
    Q_OBJECT
public:
    explicit Txhdwform(TForm1 &mainWindow);

private:
    TForm1 &m_mainWindow;
};
