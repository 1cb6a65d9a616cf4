#pragma once

#include "db/Dataset.h"
#include "payments/PaymentReport.h"
#include "widgets/DatasetModel.h"

#include <QDialog>
#include <QLocale>
#include <memory>

class DatePicker;
class ReportViewer;
class QComboBox;
class QLineEdit;
class QPushButton;
class TForm1;

// The payment-status dialog: the invoice summary and the list of unpaid invoices, for a
// range of dates of issue and optionally one buyer. Created once and kept for the whole
// run, so the date texts and the buyer chosen stay from one opening to the next.
class TForm2 final : public QDialog
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TForm2)
public:
    explicit TForm2(TForm1 &mainWindow);
    ~TForm2() override;

    QComboBox *fkdw = nullptr;
    QLineEdit *fedit = nullptr;
    DatePicker *fd = nullptr;
    QLineEdit *tedit = nullptr;
    DatePicker *td = nullptr;
    QPushButton *Button1 = nullptr;
    QPushButton *Button3 = nullptr;
    QPushButton *Button2 = nullptr;

    // The distinct buyer names of the invoices, read at the first opening.
    std::unique_ptr<Dataset> skc;
    // The work table's rows in report order, as the report reads them.
    std::unique_ptr<Dataset> dqry;
    std::unique_ptr<Dataset> gqry;

    // Where the printouts are previewed; wired once the windows exist.
    void setReportViewer(ReportViewer *viewer) { m_viewer = viewer; }

    void FormActivate();

protected:
    bool event(QEvent *event) override;

private:
    void buildWindow();
    void connectHandlers();

    void fdChange(QDate date);
    void tdChange(QDate date);
    void Button1Click();
    void Button3Click();
    void Button2Click();
    void print(PaymentReport::Kind kind);
    void showReport(PaymentReport::Kind kind, const Dataset &rows);

    TForm1 &m_mainWindow;
    // The boxes are written and read in this one format.
    QLocale m_locale;
    PaymentReport m_report;
    DatasetModel m_buyers;
    ReportViewer *m_viewer = nullptr;
};
