#pragma once

#include <QDialog>

class TForm1;

// The payment-status report dialog; its controls are still to come.
class TForm2 final : public QDialog
{
    Q_OBJECT
public:
    explicit TForm2(TForm1 &mainWindow);

private:
    TForm1 &m_mainWindow;
};
