#pragma once

#include "app/ErrorGuard.h"
#include "print/report/ReportExport.h"

#include <QDialog>
#include <QImage>

class CalibrationSettings;
class FileDialogs;
class PrintingDialogs;
class Prompt;
class QComboBox;
class QHBoxLayout;
class QLabel;
class QPrinter;
class QPushButton;
class QScrollArea;
class Report;

// What the preview needs from the program beyond the report.
struct ReportPreviewServices
{
    Prompt &prompt;
    FileDialogs &files;
    PrintingDialogs &printing;
    CalibrationSettings &calibration;
};

// The pages of a prepared report, with zoom and page navigation, printing (full page,
// the template's paper, the printer's calibration offset) and export to PDF, JPEG and
// Excel. Shows what prints: both draw the same laid-out pages.
class ReportPreview final : public QDialog
{
    Q_OBJECT
public:
    ReportPreview(Report &report, const ReportPreviewServices &services, QWidget *parent = nullptr);

    int pageCount() const;
    int currentPage() const { return m_page; } // 0-based; 0 when there are no pages
    int zoomPercent() const;
    void showPage(int page);
    void setZoomPercent(int percent);
    // The image the view shows now.
    QImage shownImage() const { return m_image; }

    void printReport();
    void printCalibrationSheet();
    void calibratePrinter();
    void exportPdf();
    void exportJpeg();
    void exportExcel();

private:
    using Exporter = std::function<ExportResult(const QString &, const ExportProgress &)>;
    void buildWindow();
    void renderPage();
    void updateControls();
    bool preparePrinter(QPrinter &printer);
    void exportTo(const QString &caption, const QString &suffix, const QString &filter,
                  const Exporter &exporter);
    QPushButton *addButton(const QString &text, const QString &objectName);

    Report &m_report;
    ReportPreviewServices m_services;
    ErrorGuard m_guard;
    int m_page = 0;
    QString m_printerKey;
    QImage m_image;
    QComboBox *m_zoom = nullptr;
    QLabel *m_pageLabel = nullptr;
    QLabel *m_view = nullptr;
    QScrollArea *m_scroll = nullptr;
    QPushButton *m_first = nullptr;
    QPushButton *m_prior = nullptr;
    QPushButton *m_next = nullptr;
    QPushButton *m_last = nullptr;
    QHBoxLayout *m_bar = nullptr;
};
