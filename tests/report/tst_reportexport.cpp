#include "print/report/PagePainter.h"
#include "print/report/ReportExport.h"
#include "print/report/ReportLayout.h"
#include "print/report/ReportTemplate.h"
#include "print/report/TemplateFile.h"

#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

namespace {

struct Word
{
    QString text;
    QRectF box; // mm
};

// Words with their boxes as a PDF reader finds them, turned into millimetres.
QList<Word> pdfWords(const QString &pdf, int page = 1)
{
    QProcess process;
    process.start(QStringLiteral("pdftotext"),
                  {QStringLiteral("-bbox"), QStringLiteral("-f"), QString::number(page),
                   QStringLiteral("-l"), QString::number(page), pdf, QStringLiteral("-")});
    if (!process.waitForFinished(30000) || process.exitCode() != 0)
        return {};
    const QString html = QString::fromUtf8(process.readAllStandardOutput());
    static const QRegularExpression word(QString::fromUtf8(
        R"re(<word xMin="([\d.]+)" yMin="([\d.]+)" xMax="([\d.]+)" yMax="([\d.]+)">([^<]*)</word>)re"));
    QList<Word> words;
    constexpr double mmPerPoint = 25.4 / 72;
    for (const auto &m : word.globalMatch(html)) {
        const double x0 = m.captured(1).toDouble() * mmPerPoint;
        const double y0 = m.captured(2).toDouble() * mmPerPoint;
        const double x1 = m.captured(3).toDouble() * mmPerPoint;
        const double y1 = m.captured(4).toDouble() * mmPerPoint;
        words.append({m.captured(5), QRectF(QPointF(x0, y0), QPointF(x1, y1))});
    }
    return words;
}

} // namespace

class TestReportExport : public QObject
{
    Q_OBJECT
private slots:
    void scratch();
};

void TestReportExport::scratch()
{
    ReportTemplate report;
    TemplateFile::load(QStringLiteral(KELVANE_TEST_DATA "/report_invoice.fr3"), report);
    const QList<std::pair<const char *, QString>> values = {
        {"fpno", QStringLiteral("No.01234567")}, {"kprq", QStringLiteral("二〇二六年十二月十一日")},
        {"gmc", QStringLiteral("上海某某贸易有限公司")}, {"gnsno", QStringLiteral("91310000MA1234567X")},
        {"H1", QStringLiteral("办公用纸")}, {"SL1", QStringLiteral("12")}, {"JE1", QStringLiteral("1,234.50")},
        {"DXJE", QStringLiteral("壹仟叁佰玖拾玖元玖角957")}, {"XXJE", QStringLiteral("¥1394.99")},
        {"Xmc", QStringLiteral("北京某某科技有限公司")}, {"BZ1", QStringLiteral("备注第一行")}};
    for (const auto &[name, value] : values)
        static_cast<TextObject *>(report.findObject(QString::fromLatin1(name)))->setText(value);
    const LaidOutReport laid = layOut(report, {});
    PagePainter::render(laid.pages[0], 150).save(QStringLiteral("/tmp/invoice.png"));
    ReportExport::toPdf(laid, QStringLiteral("/tmp/invoice.pdf"));
    for (const Word &w : pdfWords(QStringLiteral("/tmp/invoice.pdf")))
        qDebug() << w.text << w.box;
    for (const TextItem &t : laid.pages[0].bands[0].texts)
        qDebug() << t.objectName << t.rect;
}

QTEST_MAIN(TestReportExport)
#include "tst_reportexport.moc"
