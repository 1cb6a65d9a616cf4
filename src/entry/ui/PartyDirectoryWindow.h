#pragma once

#include <QDialog>
#include <array>

class Dataset;
class DbGrid;
class ErrorGuard;
class Prompt;
class QToolButton;
class TForm1;

// A directory of parties (the buyers or the sellers) listed and edited in place in a grid.
// It owns no data: it works on the main window's query of the directory, the very one
// behind the edit page's lookup list, so that a change here shows there at once.
class PartyDirectoryWindow : public QDialog
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(PartyDirectoryWindow)
public:
    // What tells the two directories apart.
    struct Looks
    {
        QString objectName;
        QString caption;
        QSize size;
        std::array<int, 4> columnWidths;
    };

    DbGrid *DBGridEh1 = nullptr;
    QToolButton *SpeedButton1 = nullptr; // add
    QToolButton *SpeedButton2 = nullptr; // save
    QToolButton *SpeedButton3 = nullptr; // delete
    QToolButton *SpeedButton4 = nullptr; // close

    void SpeedButton1Click();
    void SpeedButton2Click();
    void SpeedButton3Click();
    void SpeedButton4Click();
    // Runs however the window is closed: its button, the close box, Alt+F4 or Escape.
    void FormClose();

protected:
    PartyDirectoryWindow(TForm1 &mainWindow, Dataset &directory, const Looks &looks);

    void showEvent(QShowEvent *event) override;
    void done(int result) override;

private:
    QToolButton *button(const QString &name, const QString &caption);
    void save();

    Dataset &m_directory;
    Prompt &m_prompt;
    ErrorGuard &m_guard;
};
