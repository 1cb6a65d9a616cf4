#include "ReportPreview.h"

#include "CalibrationSettings.h"
#include "Printing.h"
#include "PrintingDialogs.h"
#include "app/FileDialogs.h"
#include "print/report/CalibrationSheet.h"
#include "print/report/PagePainter.h"
#include "print/report/Report.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QPrinter>
#include <QPrinterInfo>
#include <QProgressDialog>
#include <QPushButton>
#include <QScrollArea>
#include <QVBoxLayout>

namespace {

const QList<int> zoomSteps = {50, 75, 100, 125, 150, 200, 300};

} // namespace

ReportPreview::ReportPreview(Report &report, const ReportPreviewServices &services, QWidget *parent)
    : QDialog(parent), m_report(report), m_services(services), m_guard(services.prompt),
      m_printerKey(QPrinterInfo::defaultPrinterName())
{
    setWindowTitle(QStringLiteral("打印预览"));
    setModal(true);
    buildWindow();
    renderPage();
    resize(1000, 760);
}

QPushButton *ReportPreview::addButton(const QString &text, const QString &objectName)
{
    auto *button = new QPushButton(text, this);
    button->setObjectName(objectName);
    button->setAutoDefault(false);
    m_bar->addWidget(button);
    return button;
}

void ReportPreview::buildWindow()
{
    m_bar = new QHBoxLayout;
    m_first = addButton(QStringLiteral("首页"), QStringLiteral("firstButton"));
    m_prior = addButton(QStringLiteral("上一页"), QStringLiteral("priorButton"));
    m_pageLabel = new QLabel(this);
    m_pageLabel->setObjectName(QStringLiteral("pageLabel"));
    m_bar->addWidget(m_pageLabel);
    m_next = addButton(QStringLiteral("下一页"), QStringLiteral("nextButton"));
    m_last = addButton(QStringLiteral("末页"), QStringLiteral("lastButton"));
    m_zoom = new QComboBox(this);
    m_zoom->setObjectName(QStringLiteral("zoomBox"));
    for (int percent : zoomSteps)
        m_zoom->addItem(QStringLiteral("%1%").arg(percent), percent);
    m_zoom->setCurrentIndex(int(zoomSteps.indexOf(100)));
    m_bar->addWidget(m_zoom);
    m_bar->addStretch();
    connect(m_first, &QPushButton::clicked, this, [this] { showPage(0); });
    connect(m_prior, &QPushButton::clicked, this, [this] { showPage(m_page - 1); });
    connect(m_next, &QPushButton::clicked, this, [this] { showPage(m_page + 1); });
    connect(m_last, &QPushButton::clicked, this, [this] { showPage(pageCount() - 1); });
    connect(m_zoom, &QComboBox::currentIndexChanged, this, [this] { renderPage(); });
    const std::pair<const char16_t *, void (ReportPreview::*)()> actions[] = {
        {u"打印", &ReportPreview::printReport},
        {u"导出PDF", &ReportPreview::exportPdf},
        {u"导出JPEG", &ReportPreview::exportJpeg},
        {u"导出Excel", &ReportPreview::exportExcel},
        {u"打印机校准", &ReportPreview::calibratePrinter},
        {u"校准测试页", &ReportPreview::printCalibrationSheet}};
    const QStringList names = {
        QStringLiteral("printButton"),     QStringLiteral("pdfButton"),
        QStringLiteral("jpegButton"),      QStringLiteral("excelButton"),
        QStringLiteral("calibrateButton"), QStringLiteral("testPrintButton")};
    for (int i = 0; i < int(std::size(actions)); ++i) {
        QPushButton *button = addButton(QString::fromUtf16(actions[i].first), names[i]);
        const auto action = actions[i].second;
        connect(button, &QPushButton::clicked, this,
                m_guard.guarded([this, action] { (this->*action)(); }));
    }
    QPushButton *close = addButton(QStringLiteral("关闭"), QStringLiteral("closeButton"));
    connect(close, &QPushButton::clicked, this, &QDialog::accept);

    m_view = new QLabel(this);
    m_view->setObjectName(QStringLiteral("pageView"));
    m_view->setAlignment(Qt::AlignCenter);
    m_scroll = new QScrollArea(this);
    m_scroll->setWidget(m_view);
    m_scroll->setWidgetResizable(false);
    m_scroll->setAlignment(Qt::AlignCenter);
    m_scroll->setBackgroundRole(QPalette::Dark);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(m_bar);
    layout->addWidget(m_scroll);
}

int ReportPreview::pageCount() const
{
    return int(m_report.pages().pages.size());
}

int ReportPreview::zoomPercent() const
{
    return m_zoom->currentData().toInt();
}

void ReportPreview::setZoomPercent(int percent)
{
    const int index = m_zoom->findData(percent);
    if (index >= 0)
        m_zoom->setCurrentIndex(index);
}

void ReportPreview::showPage(int page)
{
    if (page < 0 || page >= pageCount() || page == m_page)
        return;
    m_page = page;
    renderPage();
}

void ReportPreview::renderPage()
{
    if (pageCount() == 0) {
        m_image = QImage();
        m_view->setText(QStringLiteral("没有可显示的页"));
    } else {
        // The screen's resolution, so that 100 % shows the page at its paper size.
        const double dpi = logicalDpiX() * zoomPercent() / 100.0;
        m_image = PagePainter::render(m_report.pages().pages[size_t(m_page)], dpi);
        m_view->setPixmap(QPixmap::fromImage(m_image));
    }
    m_view->adjustSize();
    updateControls();
}

void ReportPreview::updateControls()
{
    const int count = pageCount();
    m_pageLabel->setText(count == 0
                             ? QStringLiteral("共 0 页")
                             : QStringLiteral("第 %1 页 / 共 %2 页").arg(m_page + 1).arg(count));
    m_first->setEnabled(m_page > 0);
    m_prior->setEnabled(m_page > 0);
    m_next->setEnabled(m_page + 1 < count);
    m_last->setEnabled(m_page + 1 < count);
}

bool ReportPreview::preparePrinter(QPrinter &printer)
{
    const PageSetup &page = m_report.pages().page;
    Printing::applyPageSetup(printer, page);
    if (!m_services.printing.choosePrinter(printer, this))
        return false;
    Printing::applyPageSetup(printer, page);
    m_printerKey = Printing::printerKey(printer);
    return true;
}

void ReportPreview::printReport()
{
    if (pageCount() == 0)
        return;
    QPrinter printer(QPrinter::HighResolution);
    if (!preparePrinter(printer))
        return;
    Printing::print(printer, m_report.pages(),
                    PaintOptions{m_services.calibration.offset(m_printerKey), true});
}

void ReportPreview::printCalibrationSheet()
{
    QPrinter printer(QPrinter::HighResolution);
    if (!preparePrinter(printer))
        return;
    Printing::print(printer, calibrationSheet(m_report.definition()),
                    PaintOptions{m_services.calibration.offset(m_printerKey), true});
}

void ReportPreview::calibratePrinter()
{
    const QPointF current = m_services.calibration.offset(m_printerKey);
    if (const std::optional<QPointF> offset =
            m_services.printing.editOffset(m_printerKey, current, this))
        m_services.calibration.setOffset(m_printerKey, *offset);
}

void ReportPreview::exportTo(const QString &caption, const QString &suffix, const QString &filter,
                             const Exporter &exporter)
{
    const QFileInfo source(m_report.templatePath());
    const QString suggested = source.dir().filePath(source.completeBaseName() + u'.' + suffix);
    QString path = m_services.files.saveFileName(caption, suggested, filter);
    if (path.isEmpty())
        return;
    if (QFileInfo(path).suffix().isEmpty())
        path += u'.' + suffix;
    QProgressDialog progress(QStringLiteral("正在导出……"), QStringLiteral("取消"), 0,
                             std::max(pageCount(), 1), this);
    progress.setWindowModality(Qt::WindowModal);
    progress.setMinimumDuration(500);
    const ExportProgress report = [&progress](int done, int total) {
        progress.setMaximum(total);
        progress.setValue(done);
        QCoreApplication::processEvents();
        return !progress.wasCanceled();
    };
    exporter(path, report);
}

void ReportPreview::exportPdf()
{
    exportTo(
        QStringLiteral("导出 PDF"), QStringLiteral("pdf"), QStringLiteral("PDF 文件 (*.pdf)"),
        [this](const QString &path, const ExportProgress &progress) {
            const PdfOptions options{false, QFileInfo(m_report.templatePath()).completeBaseName()};
            return ReportExport::toPdf(m_report.pages(), path, options, progress);
        });
}

void ReportPreview::exportJpeg()
{
    exportTo(QStringLiteral("导出 JPEG"), QStringLiteral("jpg"),
             QStringLiteral("JPEG 图片 (*.jpg *.jpeg)"),
             [this](const QString &path, const ExportProgress &progress) {
                 return ReportExport::toJpeg(m_report.pages(), path, 200, progress);
             });
}

void ReportPreview::exportExcel()
{
    exportTo(QStringLiteral("导出 Excel"), QStringLiteral("xlsx"),
             QStringLiteral("Excel 工作簿 (*.xlsx)"),
             [this](const QString &path, const ExportProgress &progress) {
                 return ReportExport::toXlsx(m_report.pages(), path, progress);
             });
}
