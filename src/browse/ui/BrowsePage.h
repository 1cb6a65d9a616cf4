#pragma once

#include "widgets/SortMark.h"

#include <QObject>
#include <memory>

class Dataset;
class DbGrid;
class ErrorGuard;
class InvoiceSearch;
class QLineEdit;
class QTabWidget;
class QWidget;

// The reactions of the browse page and of the search box: every change of the box runs
// the search, a click on a column title sorts the list, the lines follow the list, and a
// double click opens the edit page on the chosen invoice. The page holds no data of its
// own; it works on the main window's header and line sets.
class BrowsePage final : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(BrowsePage)
public:
    struct Controls
    {
        Dataset &titles;      // the header set, current row = the current invoice
        Dataset &lines;       // its lines
        QLineEdit &searchBox; // "查找:"
        DbGrid &list;         // the upper grid of the browse page
        QTabWidget &pages;
        QWidget &editPage;
    };

    BrowsePage(const Controls &controls, ErrorGuard &guard, QObject *parent = nullptr);
    ~BrowsePage() override;

    void lcEditChange(const QString &text);
    void DBGridEh2TitleBtnClick(const QString &column, SortMark markBefore);
    void DBGridEh2MouseDown();
    void DBGridEh2CellClick();
    void DBGridEh2ColExit();
    void DBGridEh2DblClick();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    bool writeWhatWasTyped();
    void reopenLines();
    void prepareSearch();

    Controls m_controls;
    ErrorGuard &m_guard;
    std::unique_ptr<InvoiceSearch> m_search;
};
