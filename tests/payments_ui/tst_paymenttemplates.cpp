#include "entry/Money.h"
#include "print/report/FontResolver.h"
#include "print/report/PagePainter.h"
#include "print/report/ReportLayout.h"
#include "print/report/ReportRows.h"
#include "print/report/ReportTemplate.h"
#include "print/report/TemplateFile.h"

#include <QDir>
#include <QFontMetricsF>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

// Enough invoices for a second page, with amounts up to the largest an invoice of this
// program carries, so a column too narrow for them shows.
Money amountOf(int row)
{
    const qint64 fen = row == 3 ? Q_INT64_C(9999999999999) : 12345 + qint64(row) * 100101;
    return Money::fromRaw(fen * 100);
}

QString hcomOf(int row)
{
    return u" %1  %2"_s.arg(20240000 + row)
        .arg(row % 2 ? u"远山贸易有限公司"_s : u"海川机电设备工程有限责任公司"_s);
}

std::shared_ptr<MemoryRows> invoices(int count)
{
    auto rows = std::make_shared<MemoryRows>(QStringList{u"cid"_s, u"hcom"_s, u"tje"_s});
    for (int row = 0; row < count; ++row)
        rows->addRow({qlonglong(row + 1), hcomOf(row), QVariant::fromValue(amountOf(row))});
    return rows;
}

QString grouped(qint64 raw)
{
    // The amounts here are whole fen, so nothing rounds.
    const qint64 fen = raw / 100;
    QLocale groups = QLocale::c();
    groups.setNumberOptions(QLocale::DefaultNumberOptions);
    return groups.toString(fen / 100) + u".%1"_s.arg(fen % 100, 2, 10, QChar(u'0'));
}

std::vector<const TextItem *> texts(const LaidOutPage &page, const QString &name)
{
    std::vector<const TextItem *> found;
    for (const PlacedBand &band : page.bands) {
        for (const TextItem &text : band.texts) {
            if (text.objectName == name)
                found.push_back(&text);
        }
    }
    return found;
}

QString onlyText(const LaidOutPage &page, const QString &name)
{
    const auto found = texts(page, name);
    return found.size() == 1 ? found.front()->text.trimmed()
                             : u"<%1 × %2>"_s.arg(name).arg(found.size());
}

double textWidthMm(const TextItem &text)
{
    // Measured as on a 600 dpi printer; the fonts are sized so the device does not matter.
    QImage device(1, 1, QImage::Format_RGB32);
    device.setDotsPerMeterX(qRound(600 / 0.0254));
    device.setDotsPerMeterY(qRound(600 / 0.0254));
    const QFontMetricsF metrics(
        FontResolver::font(text.font, PagePainter::unitsPerMm, device.logicalDpiY()), &device);
    double widest = 0;
    for (const QString &line : text.text.split(u'\n'))
        widest = std::max(widest, metrics.horizontalAdvance(line));
    return widest / PagePainter::unitsPerMm;
}

} // namespace

class TestPaymentTemplates : public QObject
{
    Q_OBJECT
private slots:
    void pages_data();
    void pages();
};

void TestPaymentTemplates::pages_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<QString>("title");
    QTest::newRow("summary") << u"sk.prt"_s << u"发票汇总表"_s;
    QTest::newRow("unpaid") << u"wsk.prt"_s << u"未收款发票清单"_s;
}

void TestPaymentTemplates::pages()
{
    QFETCH(QString, file);
    QFETCH(QString, title);

    ReportTemplate report;
    TemplateFile::load(QStringLiteral(KELVANE_TEMPLATES "/") + file, report);
    const int rowCount = 40;
    ReportInputs inputs;
    inputs.datasets.insert(u"细表"_s, invoices(rowCount));
    inputs.variables.insert(u"fd"_s, u"1 Mar 2024"_s);
    inputs.variables.insert(u"td"_s, u"31 Mar 2024"_s);
    const LaidOutReport laidOut = layOut(report, inputs, file);
    QCOMPARE(laidOut.pages.size(), size_t(2));
    QCOMPARE(laidOut.page.size(), QSizeF(210, 297));

    int row = 0;
    qint64 total = 0;
    for (size_t index = 0; index < laidOut.pages.size(); ++index) {
        const LaidOutPage &page = laidOut.pages[index];
        const bool last = index + 1 == laidOut.pages.size();
        QCOMPARE(onlyText(page, u"title"_s), title);
        QCOMPARE(onlyText(page, u"period"_s), u"开票日期：1 Mar 2024 至 31 Mar 2024"_s);
        QCOMPARE(onlyText(page, u"pageno"_s), u"第 %1 页 共 2 页"_s.arg(index + 1));

        qint64 pageSum = 0;
        const auto numbers = texts(page, u"xh"_s);
        const auto buyers = texts(page, u"com"_s);
        const auto amounts = texts(page, u"tje"_s);
        QCOMPARE(buyers.size(), numbers.size());
        QCOMPARE(amounts.size(), numbers.size());
        QVERIFY(!numbers.empty());
        for (size_t line = 0; line < numbers.size(); ++line, ++row) {
            QCOMPARE(numbers[line]->text, QString::number(row + 1));
            QCOMPARE(buyers[line]->text.trimmed(), hcomOf(row).trimmed());
            QCOMPARE(amounts[line]->text.trimmed(), grouped(amountOf(row).raw()));
            pageSum += amountOf(row).raw();
        }
        total += pageSum;
        const QString subtotal = last ? u"fxjje"_s : u"xjje"_s;
        QCOMPARE(onlyText(page, subtotal), grouped(pageSum));
        if (last)
            QCOMPARE(onlyText(page, u"hjje"_s), grouped(total));
        else
            QCOMPARE(texts(page, u"hjje"_s).size(), size_t(0));

        for (const PlacedBand &band : page.bands) {
            for (const TextItem &text : band.texts) {
                // The painter keeps framed text 0.5 mm off each frame line.
                const double room = text.rect.width() - (text.frameSides ? 1.0 : 0.0);
                QVERIFY2(textWidthMm(text) <= room,
                         qPrintable(
                             u"%1: “%2” is wider than its box"_s.arg(text.objectName, text.text)));
                QVERIFY2(text.rect.right() <= 210 - 15 + 1e-6 &&
                             text.rect.bottom() <= 297 - 15 + 1e-6,
                         qPrintable(text.objectName + u" lies outside the margins"_s));
            }
        }
        const QString renderDir = qEnvironmentVariable("KELVANE_RENDER_DIR");
        if (!renderDir.isEmpty())
            PagePainter::render(page, 100).save(
                QDir(renderDir).filePath(u"%1-%2.png"_s.arg(file).arg(index + 1)));
    }
    QCOMPARE(row, rowCount);
}

QTEST_MAIN(TestPaymentTemplates)
#include "tst_paymenttemplates.moc"
