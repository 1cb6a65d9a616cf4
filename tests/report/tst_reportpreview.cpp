#include "PdfReadBack.h"
#include "app/FileDialogs.h"
#include "app/Prompt.h"
#include "print/report/PagePainter.h"
#include "print/report/Report.h"
#include "print/report/ReportExport.h"
#include "print/report/ReportRows.h"
#include "print/report/ReportViewer.h"
#include "print/ui/CalibrationSettings.h"
#include "print/ui/Printing.h"
#include "print/ui/PrintingDialogs.h"
#include "print/ui/ReportPreview.h"

#include <QLabel>
#include <QPrinter>
#include <QPushButton>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>

namespace {

class NoViewer final : public ReportViewer
{
public:
    void show(Report &) override {}
    void design(Report &) override {}
};

class FakePrompt final : public Prompt
{
public:
    bool askYesNo(const QString &, const QString &) override { return false; }
    void notice(const QString &, const QString &text) override { notices << text; }
    void error(const QString &text) override { errors << text; }
    QStringList notices, errors;
};

class FakeFiles final : public FileDialogs
{
public:
    QString openPictureFile(const QString &) override { return {}; }
    QString saveFileName(const QString &caption, const QString &startPath, const QString &) override
    {
        asked << caption + u'|' + startPath;
        return answer;
    }
    QString answer;
    QStringList asked;
};

// Sends the job to a PDF file and, as drivers do, puts A4 with margins back on the way.
class FakePrinting final : public PrintingDialogs
{
public:
    bool choosePrinter(QPrinter &printer, QWidget *) override
    {
        if (outputFile.isEmpty())
            return false;
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(outputFile);
        printer.setFullPage(false);
        printer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait,
                                          QMarginsF(12, 15, 12, 15), QPageLayout::Millimeter));
        return true;
    }
    std::optional<QPointF> editOffset(const QString &printer, QPointF current, QWidget *) override
    {
        asked << printer;
        shown = current;
        return offsetAnswer;
    }
    QString outputFile;
    std::optional<QPointF> offsetAnswer;
    QStringList asked;
    QPointF shown;
};

QString fixture(const char *name)
{
    return QStringLiteral(KELVANE_TEST_DATA "/") + QString::fromLatin1(name);
}

// Word -> top-left corner of its box.
QHash<QString, QPointF> corners(const QString &pdf)
{
    QHash<QString, QPointF> words;
    for (const PdfWord &word : pdfWords(pdf))
        words.insert(word.text, word.box.topLeft());
    return words;
}

} // namespace

class TestReportPreview : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void printUsesTheFormsPaperAndTheOffset();
    void offsetIsKeptPerPrinter();
    void calibrationSheetShowsBoxesAndGrid();
    void navigationAndZoom();
    void exportsGoWhereTheUserSays();

private:
    QTemporaryDir m_dir;
    std::unique_ptr<QSettings> m_settings;
    NoViewer m_viewer;
    FakePrompt m_prompt;
    FakeFiles m_files;
    FakePrinting m_printing;
    std::unique_ptr<CalibrationSettings> m_calibration;
    ReportPreviewServices services() { return {m_prompt, m_files, m_printing, *m_calibration}; }
    QString path(const char *name) const { return m_dir.filePath(QString::fromLatin1(name)); }

    void fillInvoice(Report &report)
    {
        report.loadTemplate(fixture("report_invoice.fr3"));
        report.setText(QStringLiteral("gmc"), QStringLiteral("上海某某贸易有限公司"));
        report.setText(QStringLiteral("XXJE"), QStringLiteral("1394.99"));
        report.preparePages();
    }
};

void TestReportPreview::init()
{
    m_settings = std::make_unique<QSettings>(m_dir.filePath(QStringLiteral("kelvane.ini")),
                                             QSettings::IniFormat);
    m_settings->clear();
    m_calibration = std::make_unique<CalibrationSettings>(*m_settings);
    m_prompt = {};
    m_files = {};
    m_printing = {};
}

// The dialog put A4 and margins back; the job still comes out on the 241 x 140 mm form,
// full page, every value moved by the printer's offset and by nothing else.
void TestReportPreview::printUsesTheFormsPaperAndTheOffset()
{
    Report report(m_viewer);
    fillInvoice(report);
    const QRectF designed = report.findObject(QStringLiteral("gmc"))->rect();
    m_calibration->setOffset(QStringLiteral("PDF"), QPointF(3, -2));
    m_printing.outputFile = path("printed.pdf");
    ReportPreview preview(report, services());
    preview.findChild<QPushButton *>(QStringLiteral("printButton"))->click();
    QVERIFY2(m_prompt.errors.isEmpty(), qPrintable(m_prompt.errors.join(u'\n')));
    QCOMPARE(pdfPageSize(path("printed.pdf")), QStringLiteral("241 x 140"));

    ReportExport::toPdf(report.pages(), path("exported.pdf"));
    const QHash<QString, QPointF> printed = corners(path("printed.pdf"));
    const QHash<QString, QPointF> exported = corners(path("exported.pdf"));
    for (const QString &word :
         {QStringLiteral("上海某某贸易有限公司"), QStringLiteral("1394.99")}) {
        QVERIFY2(printed.contains(word) && exported.contains(word), qPrintable(word));
        const QPointF moved = printed[word] - exported[word];
        QVERIFY2(
            std::abs(moved.x() - 3) < 0.05 && std::abs(moved.y() + 2) < 0.05,
            qPrintable(
                QStringLiteral("%1 moved by (%2, %3)").arg(word).arg(moved.x()).arg(moved.y())));
    }
    // The export lies where the template says; the template itself is untouched.
    QVERIFY(std::abs(exported[QStringLiteral("上海某某贸易有限公司")].x() - designed.left()) < 0.3);
    QCOMPARE(report.findObject(QStringLiteral("gmc"))->rect(), designed);
}

void TestReportPreview::offsetIsKeptPerPrinter()
{
    m_calibration->setOffset(QStringLiteral("柜台/LQ-630K"), QPointF(-1.5, 2.5));
    m_calibration->setOffset(QStringLiteral("柜台\\LQ-630K"), QPointF(4, 0));
    CalibrationSettings reread(*m_settings);
    QCOMPARE(reread.offset(QStringLiteral("柜台/LQ-630K")), QPointF(-1.5, 2.5));
    QCOMPARE(reread.offset(QStringLiteral("柜台\\LQ-630K")), QPointF(4, 0));
    QCOMPARE(reread.offset(QStringLiteral("其他打印机")), QPointF(0, 0));

    // Set from the preview for the printer last printed on.
    Report report(m_viewer);
    fillInvoice(report);
    m_printing.outputFile = path("first.pdf");
    m_printing.offsetAnswer = QPointF(0.5, -0.5);
    ReportPreview preview(report, services());
    preview.printReport();
    preview.calibratePrinter();
    QCOMPARE(m_printing.asked, QStringList{QStringLiteral("PDF")});
    QCOMPARE(m_calibration->offset(QStringLiteral("PDF")), QPointF(0.5, -0.5));
    m_printing.offsetAnswer.reset();
    preview.calibratePrinter(); // cancelled: the offset stays
    QCOMPARE(m_printing.shown, QPointF(0.5, -0.5));
    QCOMPARE(m_calibration->offset(QStringLiteral("PDF")), QPointF(0.5, -0.5));
}

void TestReportPreview::calibrationSheetShowsBoxesAndGrid()
{
    Report report(m_viewer);
    fillInvoice(report);
    m_printing.outputFile = path("sheet.pdf");
    ReportPreview preview(report, services());
    preview.printCalibrationSheet();
    const QHash<QString, QPointF> words = corners(path("sheet.pdf"));
    // Names inside their boxes, numbers along the edges.
    for (const QString &name :
         {QStringLiteral("fpno"), QStringLiteral("gmc"), QStringLiteral("XXJE")}) {
        QVERIFY2(words.contains(name), qPrintable(name));
        const QPointF at = words[name];
        const QRectF box = report.findObject(name)->rect();
        QVERIFY2(std::abs(at.x() - box.left()) < 1 && std::abs(at.y() - box.top()) < 1,
                 qPrintable(name));
    }
    QVERIFY(!words.contains(QStringLiteral("ptc"))); // hidden objects are not on the sheet
    QVERIFY(std::abs(words.value(QStringLiteral("200")).x() - 200.5) < 0.5); // only across the top
    QVERIFY(words.contains(QStringLiteral("130")));
}

void TestReportPreview::navigationAndZoom()
{
    Report report(m_viewer);
    auto header = std::make_shared<MemoryRows>(
        QStringList{QStringLiteral("购货单位名称"), QStringLiteral("中文日期")});
    header->addRow({QStringLiteral("甲"), QStringLiteral("乙")});
    auto lines = std::make_shared<MemoryRows>(
        QStringList{QStringLiteral("货物应税名称"), QStringLiteral("数量"), QStringLiteral("金额"),
                    QStringLiteral("税率")});
    for (int i = 0; i < 80; ++i)
        lines->addRow({QStringLiteral("货物"), 1.0, 1.0, 13.0});
    report.setDataset(QStringLiteral("hdbst"), header);
    report.setDataset(QStringLiteral("ddbst"), lines);
    report.setVariable(QStringLiteral("fd"), {});
    report.setVariable(QStringLiteral("td"), {});
    report.loadTemplate(fixture("report_list.fr3"));
    report.preparePages();
    ReportPreview preview(report, services());
    QCOMPARE(preview.pageCount(), 3);
    auto *label = preview.findChild<QLabel *>(QStringLiteral("pageLabel"));
    QCOMPARE(label->text(), QStringLiteral("第 1 页 / 共 3 页"));
    QVERIFY(!preview.findChild<QPushButton *>(QStringLiteral("priorButton"))->isEnabled());
    preview.findChild<QPushButton *>(QStringLiteral("lastButton"))->click();
    QCOMPARE(preview.currentPage(), 2);
    QVERIFY(!preview.findChild<QPushButton *>(QStringLiteral("nextButton"))->isEnabled());
    preview.findChild<QPushButton *>(QStringLiteral("priorButton"))->click();
    QCOMPARE(label->text(), QStringLiteral("第 2 页 / 共 3 页"));

    // 100 % is the paper's size at the screen's resolution; 200 % twice that.
    const int dpi = preview.logicalDpiX();
    QCOMPARE(preview.shownImage().width(), int(std::lround(210 / 25.4 * dpi)));
    preview.setZoomPercent(200);
    QCOMPARE(preview.shownImage().width(), int(std::lround(210 / 25.4 * dpi * 2)));
    preview.shownImage().save(path("page2.png"));
}

void TestReportPreview::exportsGoWhereTheUserSays()
{
    Report report(m_viewer);
    QFile::copy(fixture("report_invoice.fr3"), path("zzsfp.fr3"));
    report.loadTemplate(path("zzsfp.fr3"));
    report.setText(QStringLiteral("gmc"), QStringLiteral("甲公司"));
    report.preparePages();
    ReportPreview preview(report, services());
    preview.findChild<QPushButton *>(QStringLiteral("pdfButton"))->click(); // cancelled
    QCOMPARE(m_files.asked, QStringList{QStringLiteral("导出 PDF|") + path("zzsfp.pdf")});
    m_files.answer = path("out");
    preview.findChild<QPushButton *>(QStringLiteral("pdfButton"))->click();
    QVERIFY(QFile::exists(path("out.pdf")));
    m_files.answer = path("out.jpg");
    preview.findChild<QPushButton *>(QStringLiteral("jpegButton"))->click();
    QVERIFY(QFile::exists(path("out.jpg")));
    m_files.answer = path("out.xlsx");
    preview.findChild<QPushButton *>(QStringLiteral("excelButton"))->click();
    QVERIFY(QFile::exists(path("out.xlsx")));
    m_files.answer = path("no/such/dir/x.pdf");
    preview.findChild<QPushButton *>(QStringLiteral("pdfButton"))->click();
    QCOMPARE(m_prompt.errors.size(), 1);
    QVERIFY(m_prompt.errors[0].contains(QStringLiteral("x.pdf")));
}

QTEST_MAIN(TestReportPreview)
#include "tst_reportpreview.moc"
