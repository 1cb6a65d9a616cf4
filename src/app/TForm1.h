#pragma once

#include "db/Connection.h"
#include "print/PrintFieldSet.h"

#include <QWidget>
#include <array>
#include <memory>

class BrowsePage;
class ColumnTotals;
class Dataset;
class DatePicker;
class DbCheckBox;
class DbEdit;
class DbGrid;
class DbLookupCombo;
class DbPlainEdit;
class ErrorGuard;
class FileDialogs;
class HelpOpener;
class Prompt;
class QAction;
class QDialog;
class QFrame;
class QLineEdit;
class QMenu;
class QTabWidget;
class QToolButton;
class QVBoxLayout;
class Report;
class ReportViewer;
struct InvoiceCommand;

// The main window: the invoice edit page and the browse page over the program's only
// connection and the datasets every window shows.
class TForm1 final : public QWidget
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TForm1)
public:
    static QString applicationTitle();
    static QString caption();

    // programDir: where trfp.db and the files beside the program are found.
    TForm1(Prompt &prompt, FileDialogs &fileDialogs, ErrorGuard &guard, const QString &programDir,
           QWidget *parent = nullptr);
    ~TForm1() override;

    Prompt &prompt() const { return m_prompt; }
    FileDialogs &fileDialogs() const { return m_fileDialogs; }
    ErrorGuard &guard() const { return m_guard; }
    QString programDir() const { return m_programDir; }

    // Opens what is not open and puts the picker back to today; runs on the first showing
    // and whenever a modal window of the program closes.
    void FormActivate();
    // Shows a window of the program modally; the main window is active again afterwards.
    void showModal(QDialog &window);
    void setPaymentsWindow(QDialog *window) { m_paymentsWindow = window; }
    void setDirectoryWindows(QDialog *buyers, QDialog *sellers);
    void setHelpOpener(const HelpOpener *opener) { m_helpOpener = opener; }

    // Datasets and the connection, owned here and shared with the other windows.
    Connection cnn;
    std::unique_ptr<Dataset> titleqry;
    std::unique_ptr<Dataset> detailqry;
    // The line grid's footer sums, read by the header totals and the printouts.
    std::unique_ptr<ColumnTotals> columnTotals;
    std::unique_ptr<Dataset> Aqry;
    std::unique_ptr<Dataset> ghqry;
    std::unique_ptr<Dataset> xhqry;
    std::unique_ptr<Dataset> fpdzqry;
    std::unique_ptr<Dataset> hqry;
    std::unique_ptr<Dataset> dqry;
    std::unique_ptr<Dataset> set1qry;
    std::unique_ptr<Dataset> set2qry;
    std::unique_ptr<Dataset> set3qry;

    // The report every print command loads its template into, made once the windows it
    // opens are known, and the 67 slots the invoice commands fill from the lines; both
    // last as long as the window.
    std::unique_ptr<Report> fpprn;
    PrintFieldSet printFields;
    // The preview and designer the report opens; the viewer must stay while the window
    // can print.
    void setReportViewer(ReportViewer &viewer);

    QTabWidget *PageControl1 = nullptr;
    QWidget *TabSheet1 = nullptr;
    QWidget *TabSheet2 = nullptr;

    QLineEdit *lcEdit = nullptr;
    QToolButton *addbtn = nullptr;
    QToolButton *copybtn = nullptr;
    QToolButton *savebtn = nullptr;
    QToolButton *delbtn = nullptr;
    QToolButton *prnbtn = nullptr;
    QToolButton *SpeedButton4 = nullptr;
    QToolButton *exitbtn = nullptr;

    QFrame *titlepan = nullptr;
    DbEdit *jym = nullptr;
    QToolButton *SpeedButton1 = nullptr;
    DbEdit *fpno1 = nullptr;
    DbEdit *kpdate = nullptr;
    DatePicker *kp = nullptr;
    DbCheckBox *chk = nullptr;
    DbEdit *ghmc = nullptr;
    DbLookupCombo *DBLookupComboBox1 = nullptr;
    DbEdit *ghsbh = nullptr;
    DbEdit *ghdzdh = nullptr;
    DbEdit *ghyxzh = nullptr;
    std::array<DbEdit *, 8> mm{};
    DbEdit *cid = nullptr;
    std::array<DbEdit *, 7> hiddenNumbers{}; // fpno2 .. fpno8

    DbGrid *hgrid = nullptr;
    DbEdit *jedx = nullptr;
    DbEdit *xxje = nullptr;

    DbPlainEdit *xhmc = nullptr;
    DbLookupCombo *DBLookupComboBox2 = nullptr;
    QToolButton *SpeedButton2 = nullptr;
    DbEdit *xhsbh = nullptr;
    DbEdit *xhdzdh = nullptr;
    DbEdit *xhyxzh = nullptr;
    std::array<DbEdit *, 4> bz{};
    DbPlainEdit *skr = nullptr;
    DbEdit *fh = nullptr;
    DbEdit *kpr = nullptr;
    DbEdit *DBEdit1 = nullptr;
    DbEdit *DBEdit2 = nullptr;
    DbEdit *DBEdit3 = nullptr;
    DbEdit *fpdz = nullptr;
    QToolButton *prnsetbtn = nullptr;
    DbCheckBox *dygs = nullptr;

    DbGrid *DBGridEh2 = nullptr;
    DbGrid *DBGridEh3 = nullptr;

    QMenu *PopupMenu1 = nullptr; // the line menu
    QAction *N1 = nullptr;
    QAction *N2 = nullptr;
    QAction *N7 = nullptr;
    QMenu *PopupMenu2 = nullptr; // the print menu
    QAction *N9 = nullptr;
    QAction *N8 = nullptr;
    QAction *A4U1 = nullptr;
    QAction *A4V1 = nullptr;
    QAction *N10 = nullptr;
    QAction *N11 = nullptr;
    QAction *N4 = nullptr;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void showEvent(QShowEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    void createDatasets();
    void buildWindow();
    QWidget *buildToolStrip();
    QWidget *buildEditPage();
    QFrame *buildHeaderPanel();
    QWidget *buildCaptionStrip();
    void buildLineGrid();
    QWidget *buildTotalsStrip();
    QFrame *buildSellerPanel();
    QWidget *buildBrowsePage();
    void buildMenus();
    void connectHandlers();
    DbEdit *boundEdit(const QString &name, Dataset &dataset, const QString &column);
    QToolButton *toolButton(const QString &name, const QString &text);

    void FormCreate();
    void FormClose();
    bool handleEnterKey(QObject *watched, QEvent *event);

    // Invoice entry: the commands of the edit page and the reactions that keep the
    // amounts, taxes and totals right (TForm1Entry.cpp).
    void connectEntryHandlers();
    void addbtnClick();
    void copybtnClick();
    void savebtnClick();
    void delbtnClick();
    void hgridEnter();
    void N1Click();
    void N2Click();
    void N7Click();
    void hgridDeleteRow();
    void kpEnter();
    void kpChange(QDate date);
    void titledstDataChange();
    void detaildstDataChange();
    void detailqryDSDesigner4Change();
    void detailqryDSDesigner5Change();
    void detailqryDSDesigner6Change();
    void detailqryDSDesigner7Change();
    void DBLookupComboBox1Click();
    void DBLookupComboBox2Click();
    void reopenLines();
    void CopyParty(const Dataset &party, const QStringList &headerColumns);
    void CopyLines(const QString &sourceCid, const QString &newCid);

    void prnbtnClick();
    // Printing: the invoice and sales-list commands of the print menu and the choice of
    // the form's picture (TForm1Printing.cpp).
    Report &report() const;
    void connectPrintHandlers();
    void runInvoiceCommand(const InvoiceCommand &command);
    void N9Click();
    void N8Click();
    void A4U1Click();
    void A4V1Click();
    void N10Click();
    void N11Click();
    void prnsetbtnClick();
    void N4Click();
    void SpeedButton1Click();
    void SpeedButton2Click();
    void SpeedButton4Click();

    Prompt &m_prompt;
    FileDialogs &m_fileDialogs;
    ErrorGuard &m_guard;
    QString m_programDir;
    QDialog *m_paymentsWindow = nullptr;
    QDialog *m_buyersWindow = nullptr;
    QDialog *m_sellersWindow = nullptr;
    const HelpOpener *m_helpOpener = nullptr;
    bool m_activatedOnce = false;
    std::unique_ptr<BrowsePage> m_browsePage;
};
