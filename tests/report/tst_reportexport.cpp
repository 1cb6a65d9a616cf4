#include "PdfReadBack.h"
#include "entry/Money.h"
#include "print/report/PagePainter.h"
#include "print/report/ReportError.h"
#include "print/report/ReportExport.h"
#include "print/report/ReportLayout.h"
#include "print/report/ReportRows.h"
#include "print/report/ReportTemplate.h"
#include "print/report/TemplateFile.h"

#include <QBuffer>
#include <QImage>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

namespace {

QString fixture(const char *name)
{
    return QStringLiteral(KELVANE_TEST_DATA "/") + QString::fromLatin1(name);
}

// The overlay invoice filled with Chinese values, none with blanks (a reader splits words
// at blanks).
std::unique_ptr<ReportTemplate> filledInvoice()
{
    auto report = std::make_unique<ReportTemplate>();
    TemplateFile::load(fixture("report_invoice.fr3"), *report);
    const QList<std::pair<const char *, QString>> values = {
        {"fpno", QStringLiteral("No.01234567")},
        {"kprq", QStringLiteral("二〇二六年十二月十一日")},
        {"gmc", QStringLiteral("上海某某贸易有限公司")},
        {"gnsno", QStringLiteral("91310000MA1234567X")},
        {"H1", QStringLiteral("办公用纸")},
        {"SL1", QStringLiteral("12")},
        {"JE1", QStringLiteral("1,234.50")},
        {"DXJE", QStringLiteral("壹仟叁佰玖拾肆圆玖角玖分")},
        {"XXJE", QStringLiteral("¥1394.99")},
        {"Xmc", QStringLiteral("北京某某科技有限公司")},
        {"BZ1", QStringLiteral("备注第一行")}};
    for (const auto &[name, value] : values)
        static_cast<TextObject *>(report->findObject(QString::fromLatin1(name)))->setText(value);
    return report;
}

ReportInputs listInputs(int rows)
{
    ReportInputs in;
    auto header = std::make_shared<MemoryRows>(
        QStringList{QStringLiteral("购货单位名称"), QStringLiteral("中文日期")});
    header->addRow({QStringLiteral("甲公司"), QStringLiteral("二〇二六年十二月十一日")});
    auto lines = std::make_shared<MemoryRows>(
        QStringList{QStringLiteral("货物应税名称"), QStringLiteral("数量"), QStringLiteral("金额"),
                    QStringLiteral("税率")});
    for (int row = 0; row < rows; ++row)
        lines->addRow({QStringLiteral("货物%1").arg(row + 1), 2.0,
                       QVariant::fromValue(Money::fromRaw(1234500 + row)), 13.0});
    in.datasets.insert(QStringLiteral("hdbst"), header);
    in.datasets.insert(QStringLiteral("ddbst"), lines);
    in.variables.insert(QStringLiteral("fd"), QString());
    in.variables.insert(QStringLiteral("td"), QString());
    return in;
}

LaidOutReport list(int rows)
{
    ReportTemplate report;
    TemplateFile::load(fixture("report_list.fr3"), report);
    return layOut(report, listInputs(rows));
}

// Where a text's words must lie: the edge or centre its alignment ties to.
void verifyPlaced(const TextItem &text, const QRectF &word)
{
    constexpr double tolerance = 0.5;
    double expectedX = text.rect.left(), actualX = word.left();
    if (text.hAlign == HAlign::Right) {
        expectedX = text.rect.right();
        actualX = word.right();
    } else if (text.hAlign == HAlign::Center) {
        expectedX = text.rect.center().x();
        actualX = word.center().x();
    }
    double expectedY = text.rect.center().y(), actualY = word.center().y();
    if (text.vAlign == VAlign::Top) {
        expectedY = text.rect.top();
        actualY = word.top();
    } else if (text.vAlign == VAlign::Bottom) {
        expectedY = text.rect.bottom();
        actualY = word.bottom();
    }
    QVERIFY2(std::abs(actualX - expectedX) <= tolerance &&
                 std::abs(actualY - expectedY) <= tolerance,
             qPrintable(QStringLiteral("%1 at (%2, %3) mm, designed (%4, %5)")
                            .arg(text.objectName)
                            .arg(actualX)
                            .arg(actualY)
                            .arg(expectedX)
                            .arg(expectedY)));
}

} // namespace

class TestReportExport : public QObject
{
    Q_OBJECT
private slots:
    void pdfCarriesEveryValueAtItsPlace();
    void pdfRowsOnLaterPages();
    void pdfLeavesTheFormScanOut();
    void jpegOnePerPageAtTheDesignedPlaces();
    void xlsxRowsWithNumbersAsNumbers();
    void exportsCanBeCancelled();

private:
    QTemporaryDir m_dir;
    QString path(const char *name) const { return m_dir.filePath(QString::fromLatin1(name)); }
};

void TestReportExport::pdfCarriesEveryValueAtItsPlace()
{
    const LaidOutReport laid = layOut(*filledInvoice(), {});
    QCOMPARE(ReportExport::toPdf(laid, path("invoice.pdf")), ExportResult::Done);
    QCOMPARE(pdfPageSize(path("invoice.pdf")), QStringLiteral("241 x 140"));
    const QList<PdfWord> words = pdfWords(path("invoice.pdf"));
    int checked = 0;
    for (const TextItem &text : laid.pages.at(0).bands.at(0).texts) {
        const PdfWord *word = findWord(words, text.text);
        QVERIFY2(word, qPrintable(text.objectName + u' ' + text.text));
        verifyPlaced(text, word->box);
        ++checked;
    }
    QCOMPARE(checked, 11); // every filled field of the fixture was looked for
}

void TestReportExport::pdfRowsOnLaterPages()
{
    const LaidOutReport laid = list(40);
    QCOMPARE(ReportExport::toPdf(laid, path("list.pdf")), ExportResult::Done);
    QCOMPARE(pdfPageSize(path("list.pdf")), QStringLiteral("210 x 297"));
    const QList<PdfWord> second = pdfWords(path("list.pdf"), 2);
    // Row 37 opens page 2 where the data band was designed; the footer follows row 40.
    const PdfWord *first = findWord(second, QStringLiteral("货物37"));
    QVERIFY(first);
    QVERIFY(std::abs(first->box.left() - 20.5) <= 0.5);     // framed: half a mm inside
    QVERIFY(std::abs(first->box.center().y() - 60) <= 0.5); // 57 + 6 / 2
    const PdfWord *total = findWord(second, QStringLiteral("合计"));
    QVERIFY(total);
    QVERIFY(std::abs(total->box.center().y() - (57 + 4 * 6 + 3)) <= 0.5);
    QVERIFY(findWord(pdfWords(path("list.pdf"), 1), QStringLiteral("小计")));
    QVERIFY(!findWord(second, QStringLiteral("小计")));
}

void TestReportExport::pdfLeavesTheFormScanOut()
{
    auto report = filledInvoice();
    auto *ptc = static_cast<PictureObject *>(report->findObject(QStringLiteral("ptc")));
    QImage scan(48, 28, QImage::Format_RGB32);
    scan.fill(Qt::darkGreen);
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    scan.save(&buffer, "PNG");
    ptc->setPicture(png, QStringLiteral("png"));
    ptc->setVisible(true);
    const LaidOutReport laid = layOut(*report, {});
    ReportExport::toPdf(laid, path("plain.pdf"));
    ReportExport::toPdf(laid, path("with-scan.pdf"), PdfOptions{true, {}});
    QCOMPARE(pdfImageCount(path("plain.pdf")), 0);
    QCOMPARE(pdfImageCount(path("with-scan.pdf")), 1);
}

void TestReportExport::jpegOnePerPageAtTheDesignedPlaces()
{
    const LaidOutReport laid = list(40);
    QCOMPARE(ReportExport::toJpeg(laid, path("list.jpg"), 100), ExportResult::Done);
    const QStringList names = ReportExport::jpegFileNames(path("list.jpg"), 2);
    QCOMPARE(names, (QStringList{path("list_1.jpg"), path("list_2.jpg")}));
    const QImage page(names[1]);
    QCOMPARE(page.size(), QSize(827, 1169)); // 210 x 297 mm at 100 dpi
    // The left frame line of the rows lies at x = 10 mm, y from 57 mm.
    const auto dark = [&page](double xMm, double yMm) {
        return qGray(page.pixel(int(xMm / 25.4 * 100), int(yMm / 25.4 * 100))) < 128;
    };
    QVERIFY(dark(10, 70));
    QVERIFY(!dark(12, 70));
    QVERIFY(!dark(10, 50));
    QCOMPARE(ReportExport::jpegFileNames(path("one.jpg"), 1), QStringList{path("one.jpg")});
}

void TestReportExport::xlsxRowsWithNumbersAsNumbers()
{
    if (QStandardPaths::findExecutable(QStringLiteral("unzip")).isEmpty())
        QSKIP("unzip is needed to read the workbook back");
    QCOMPARE(ReportExport::toXlsx(list(2), path("list.xlsx")), ExportResult::Done);
    QProcess unzip;
    unzip.start(QStringLiteral("unzip"), {QStringLiteral("-p"), path("list.xlsx"),
                                          QStringLiteral("xl/worksheets/sheet1.xml"),
                                          QStringLiteral("xl/sharedStrings.xml")});
    QVERIFY(unzip.waitForFinished(30000));
    const QString xml = QString::fromUtf8(unzip.readAllStandardOutput());
    // Page header (two lines), two rows, the footer: the amount of row 1 is a number cell
    // in the amount column (D), the total too; names are strings.
    static const QRegularExpression numberCell(
        QStringLiteral("<c r=\"([A-Z]+)(\\d+)\"[^>]*><v>([-\\d.]+)</v>"));
    QStringList numbers;
    for (const auto &m : numberCell.globalMatch(xml)) {
        if (!m.captured(0).contains(QStringLiteral("t=\"s\"")))
            numbers << m.captured(1) + m.captured(2) + u'=' + m.captured(3);
    }
    QVERIFY2(numbers.contains(QStringLiteral("D3=123.45")), qPrintable(numbers.join(u' ')));
    QVERIFY2(numbers.contains(QStringLiteral("D4=123.4501")), qPrintable(numbers.join(u' ')));
    QVERIFY2(numbers.contains(QStringLiteral("D5=246.9001")), qPrintable(numbers.join(u' ')));
    QVERIFY2(numbers.contains(QStringLiteral("A3=1")), qPrintable(numbers.join(u' ')));
    QVERIFY(xml.contains(QStringLiteral("货物2")));
    QVERIFY(xml.contains(QStringLiteral("购货单位：甲公司")));
    QVERIFY(!xml.contains(QStringLiteral("小计")));
}

void TestReportExport::exportsCanBeCancelled()
{
    const LaidOutReport laid = list(80);
    QList<int> seen;
    const ExportProgress stopAfterOne = [&seen](int done, int total) {
        seen << done << total;
        return done < 1;
    };
    QCOMPARE(ReportExport::toPdf(laid, path("stopped.pdf"), {}, stopAfterOne),
             ExportResult::Cancelled);
    QCOMPARE(seen, (QList<int>{1, 3}));
    QVERIFY(!QFile::exists(path("stopped.pdf")));
    QCOMPARE(ReportExport::toJpeg(laid, path("stopped.jpg"), 50, stopAfterOne),
             ExportResult::Cancelled);
    QVERIFY(!QFile::exists(path("stopped_1.jpg")));
    QCOMPARE(ReportExport::toXlsx(laid, path("stopped.xlsx"), stopAfterOne),
             ExportResult::Cancelled);
    QVERIFY(!QFile::exists(path("stopped.xlsx")));
    QVERIFY_THROWS_EXCEPTION(ReportError, ReportExport::toPdf(laid, path("no/such/dir/x.pdf")));
}

QTEST_MAIN(TestReportExport)
#include "tst_reportexport.moc"
