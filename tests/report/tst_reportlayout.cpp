#include "entry/Money.h"
#include "print/report/ReportError.h"
#include "print/report/ReportLayout.h"
#include "print/report/ReportNumber.h"
#include "print/report/ReportRows.h"
#include "print/report/ReportTemplate.h"
#include "print/report/TemplateFile.h"

#include <QTest>

namespace {

// Amounts with four decimals, so that rounding each row before adding would show.
Money amountOf(int row)
{
    return Money::fromRaw(123455 + qint64(row) * 10001);
}

double quantityOf(int row)
{
    return 0.5 + row % 3;
}

std::shared_ptr<MemoryRows> lines(int count)
{
    auto rows = std::make_shared<MemoryRows>(
        QStringList{QStringLiteral("货物应税名称"), QStringLiteral("数量"), QStringLiteral("金额"),
                    QStringLiteral("税率")});
    for (int row = 0; row < count; ++row)
        rows->addRow({QStringLiteral("货物%1").arg(row + 1), quantityOf(row),
                      QVariant::fromValue(amountOf(row)), 13.0});
    return rows;
}

ReportInputs inputs(int lineCount)
{
    ReportInputs in;
    auto header = std::make_shared<MemoryRows>(
        QStringList{QStringLiteral("购货单位名称"), QStringLiteral("中文日期")});
    header->addRow({QStringLiteral("甲公司"), QStringLiteral("二〇二六年十二月十一日")});
    in.datasets.insert(QStringLiteral("hdbst"), header);
    in.datasets.insert(QStringLiteral("ddbst"), lines(lineCount));
    in.variables.insert(QStringLiteral("fd"), QStringLiteral("2026-11-01"));
    in.variables.insert(QStringLiteral("td"), QStringLiteral("2026-11-30"));
    return in;
}

std::unique_ptr<ReportTemplate> listTemplate()
{
    auto report = std::make_unique<ReportTemplate>();
    TemplateFile::load(QStringLiteral(KELVANE_TEST_DATA "/report_list.fr3"), *report);
    return report;
}

const TextItem *findText(const LaidOutPage &page, const QString &name, int index = 0)
{
    for (const PlacedBand &band : page.bands) {
        for (const TextItem &text : band.texts) {
            if (text.objectName == name && index-- == 0)
                return &text;
        }
    }
    return nullptr;
}

QList<int> rowsOn(const LaidOutPage &page)
{
    QList<int> rows;
    for (const PlacedBand &band : page.bands) {
        if (band.type == BandType::Data)
            rows << band.row;
    }
    return rows;
}

bool hasBand(const LaidOutPage &page, BandType type)
{
    return std::any_of(page.bands.begin(), page.bands.end(),
                       [type](const PlacedBand &band) { return band.type == type; });
}

// "1,234.57" back to ten-thousandths.
qint64 rawOf(QString text)
{
    return Money::fromString(text.remove(u',')).value_or(Money::fromRaw(-1)).raw();
}

// Ten-thousandths to whole fen, halves away from zero, as the pattern "0.00" prints them.
qint64 toCents(qint64 raw)
{
    return (raw + (raw >= 0 ? 50 : -50)) / 100 * 100;
}

QString text(const QString &templateText, const ReportInputs &in = inputs(3))
{
    ReportTemplate report;
    auto band = std::make_unique<ReportBand>(BandType::Fixed);
    auto object = std::make_unique<TextObject>(QStringLiteral("t"));
    object->setText(templateText);
    band->addObject(std::move(object));
    report.addBand(std::move(band));
    const LaidOutReport laid = layOut(report, in);
    return findText(laid.pages.at(0), QStringLiteral("t"))->text;
}

} // namespace

class TestReportLayout : public QObject
{
    Q_OBJECT
private slots:
    void rowsFlowOntoPages_data();
    void rowsFlowOntoPages();
    void rowsSitBelowEachOther();
    void subtotalsOnEveryPageButTheLast();
    void footerFollowsLastRow();
    void pageNumbersAndHeaderFields();
    void expressions_data();
    void expressions();
    void numberPatterns_data();
    void numberPatterns();
    void badReferencesNameObjectAndExpression_data();
    void badReferencesNameObjectAndExpression();
    void fixedFormIsOnePage();
};

// 36 rows of 6 mm fit between 57 mm and the page footer at 277 mm.
void TestReportLayout::rowsFlowOntoPages_data()
{
    QTest::addColumn<int>("rows");
    QTest::addColumn<QList<int>>("perPage");
    QTest::addColumn<int>("footerPage");
    QTest::newRow("no rows") << 0 << QList<int>{0} << 0;
    QTest::newRow("one page") << 10 << QList<int>{10} << 0;
    QTest::newRow("full page, footer moves on") << 36 << QList<int>{36, 0} << 1;
    QTest::newRow("37th row moves") << 37 << QList<int>{36, 1} << 1;
    QTest::newRow("three pages") << 80 << QList<int>{36, 36, 8} << 2;
    // Page 2 is full to 273 mm; the 36 mm footer does not fit above 287 mm.
    QTest::newRow("footer on a page of its own") << 72 << QList<int>{36, 36, 0} << 2;
}

void TestReportLayout::rowsFlowOntoPages()
{
    QFETCH(int, rows);
    QFETCH(QList<int>, perPage);
    QFETCH(int, footerPage);
    const LaidOutReport laid = layOut(*listTemplate(), inputs(rows));
    QCOMPARE(int(laid.pages.size()), perPage.size());
    int next = 0;
    for (int p = 0; p < perPage.size(); ++p) {
        QList<int> expected;
        for (int i = 0; i < perPage[p]; ++i)
            expected << next++;
        QCOMPARE(rowsOn(laid.pages[size_t(p)]), expected);
        QCOMPARE(hasBand(laid.pages[size_t(p)], BandType::Footer), p == footerPage);
        QCOMPARE(hasBand(laid.pages[size_t(p)], BandType::PageFooter), p + 1 < perPage.size());
        QVERIFY(hasBand(laid.pages[size_t(p)], BandType::PageHeader));
        QCOMPARE(laid.pages[size_t(p)].size, QSizeF(210, 297));
    }
}

void TestReportLayout::rowsSitBelowEachOther()
{
    const LaidOutReport laid = layOut(*listTemplate(), inputs(40));
    // Row 0 where designed, row 35 at the last place above the page footer, row 36 back
    // at the top of page 2; every object of a row moves together.
    QCOMPARE(findText(laid.pages[0], QStringLiteral("je"), 0)->rect, QRectF(86, 57, 30, 6));
    QCOMPARE(findText(laid.pages[0], QStringLiteral("xh"), 35)->rect,
             QRectF(10, 57 + 35 * 6, 10, 6));
    QCOMPARE(findText(laid.pages[0], QStringLiteral("mc"), 35)->rect, QRectF(20, 267, 48, 6));
    QCOMPARE(findText(laid.pages[1], QStringLiteral("je"), 0)->rect, QRectF(86, 57, 30, 6));
    QCOMPARE(findText(laid.pages[1], QStringLiteral("je"), 0)->text,
             QStringLiteral("%1").arg(amountOf(36).roundedToCents().toDouble(), 0, 'f', 2));
    QCOMPARE(findText(laid.pages[1], QStringLiteral("xh"), 0)->text, QStringLiteral("37"));
    QCOMPARE(findText(laid.pages[1], QStringLiteral("mc"), 3)->text, QStringLiteral("货物40"));
    QCOMPARE(findText(laid.pages[0], QStringLiteral("xjje"))->rect, QRectF(86, 277, 30, 6));
    QCOMPARE(findText(laid.pages[0], QStringLiteral("sl%"))->text, QStringLiteral("13%"));
}

void TestReportLayout::subtotalsOnEveryPageButTheLast()
{
    const int rows = 80;
    const LaidOutReport laid = layOut(*listTemplate(), inputs(rows));
    int row = 0;
    double quantitySoFar = 0;
    for (size_t p = 0; p + 1 < laid.pages.size(); ++p) {
        qint64 pageRaw = 0;
        for (int i = 0; i < 36; ++i, ++row) {
            pageRaw += amountOf(row).raw();
            quantitySoFar += quantityOf(row);
        }
        const TextItem *amount = findText(laid.pages[p], QStringLiteral("xjje"));
        QVERIFY(amount);
        QCOMPARE(rawOf(amount->text), toCents(pageRaw));
        QVERIFY2(amount->text.contains(u','), qPrintable(amount->text));
        QCOMPARE(findText(laid.pages[p], QStringLiteral("xjsl"))->text.toDouble(), quantitySoFar);
    }
    QCOMPARE(findText(laid.pages.back(), QStringLiteral("xjje")), nullptr);

    qint64 totalRaw = 0;
    double totalQuantity = 0;
    for (int r = 0; r < rows; ++r) {
        totalRaw += amountOf(r).raw();
        totalQuantity += quantityOf(r);
    }
    QCOMPARE(rawOf(findText(laid.pages.back(), QStringLiteral("hjje"))->text), toCents(totalRaw));
    QCOMPARE(findText(laid.pages.back(), QStringLiteral("hjsl"))->text.toDouble(), totalQuantity);
    // A grand total is the sum of exact amounts, not of the rounded subtotals.
    QCOMPARE(findText(laid.pages.back(), QStringLiteral("hjje"))->number,
             std::optional<double>(double(totalRaw) / 10000));
}

void TestReportLayout::footerFollowsLastRow()
{
    const LaidOutReport laid = layOut(*listTemplate(), inputs(8));
    // Eight rows end at 57 + 48 = 105 mm; the footer designed at 70 mm moves there.
    QCOMPARE(findText(laid.pages[0], QStringLiteral("hj"))->rect, QRectF(10, 105, 10, 6));
    QCOMPARE(findText(laid.pages[0], QStringLiteral("kprq"))->rect, QRectF(10, 135, 80, 6));
    QCOMPARE(findText(laid.pages[0], QStringLiteral("kprq"))->text,
             QStringLiteral("开票日期：二〇二六年十二月十一日"));
    const LaidOutReport empty = layOut(*listTemplate(), inputs(0));
    QCOMPARE(findText(empty.pages[0], QStringLiteral("hj"))->rect.top(), 57.0);
    QCOMPARE(findText(empty.pages[0], QStringLiteral("hjje"))->text, QStringLiteral("0.00"));
}

void TestReportLayout::pageNumbersAndHeaderFields()
{
    const LaidOutReport laid = layOut(*listTemplate(), inputs(80));
    QCOMPARE(int(laid.pages.size()), 3);
    for (int p = 0; p < 3; ++p) {
        QCOMPARE(findText(laid.pages[size_t(p)], QStringLiteral("pageno"))->text,
                 QStringLiteral("第 %1 页 共 3 页").arg(p + 1));
        QCOMPARE(findText(laid.pages[size_t(p)], QStringLiteral("gmc"))->text,
                 QStringLiteral("购货单位：甲公司"));
        QCOMPARE(findText(laid.pages[size_t(p)], QStringLiteral("period"))->text,
                 QStringLiteral("2026-11-01 至 2026-11-30"));
    }
}

void TestReportLayout::expressions_data()
{
    QTest::addColumn<QString>("source");
    QTest::addColumn<QString>("shown");
    const auto row = [](const char *name, const QString &source, const QString &shown) {
        QTest::newRow(name) << source << shown;
    };
    // Amounts of the three rows: 12.3455, 13.3456, 14.3457; quantities 0.5, 1.5, 2.5.
    row("grouped sum", QStringLiteral("[SUM(ddbst.\"金额\") #,##0.00]"), QStringLiteral("40.04"));
    row("exact sum", QStringLiteral("[SUM(ddbst.金额)]"), QStringLiteral("40.0368"));
    row("half away from zero", QStringLiteral("[ddbst.\"金额\" 0.000]"), QStringLiteral("12.346"));
    row("double sum", QStringLiteral("[sum(DDBST.数量)]"), QStringLiteral("4.5"));
    row("whole number pattern", QStringLiteral("[SUM(ddbst.数量) 0]"), QStringLiteral("5"));
    row("first row outside the data band", QStringLiteral("[ddbst.货物应税名称]"),
        QStringLiteral("货物1"));
    row("variable, case ignored", QStringLiteral("自[FD]"), QStringLiteral("自2026-11-01"));
    row("literal bracket", QStringLiteral("[[注] ]"), QStringLiteral("[注] ]"));
    row("quoted column with bracket", QStringLiteral("x[hdbst.\"购货单位名称\"]y"),
        QStringLiteral("x甲公司y"));
    row("number pattern on variable", QStringLiteral("[amount #,##0.00]"),
        QStringLiteral("1,234,567.50"));
    row("pattern on words leaves them", QStringLiteral("[who 0.00]"), QStringLiteral("张三"));
    row("null is empty", QStringLiteral("<[nothing.v 0.00]>"), QStringLiteral("<>"));
    row("page of one", QStringLiteral("[PAGE]/[PAGES]"), QStringLiteral("1/1"));
}

void TestReportLayout::expressions()
{
    QFETCH(QString, source);
    QFETCH(QString, shown);
    ReportInputs in = inputs(3);
    in.variables.insert(QStringLiteral("amount"), QStringLiteral("1234567.5"));
    in.variables.insert(QStringLiteral("who"), QStringLiteral("张三"));
    auto nulls = std::make_shared<MemoryRows>(QStringList{QStringLiteral("v")});
    nulls->addRow({QVariant()});
    in.datasets.insert(QStringLiteral("nothing"), nulls);
    QCOMPARE(text(source, in), shown);
}

void TestReportLayout::numberPatterns_data()
{
    QTest::addColumn<QVariant>("value");
    QTest::addColumn<QString>("pattern");
    QTest::addColumn<QString>("shown");
    const auto money = [](qint64 raw) { return QVariant::fromValue(Money::fromRaw(raw)); };
    QTest::newRow("two decimals") << QVariant(1234.5) << "0.00"
                                  << "1234.50";
    QTest::newRow("zero") << QVariant(0.0) << "0.00"
                          << "0.00";
    QTest::newRow("negative") << QVariant(-12.3) << "0.00"
                              << "-12.30";
    QTest::newRow("carry through groups") << money(9999995) << "#,##0.00"
                                          << "1,000.00";
    QTest::newRow("half cent up") << money(50) << "0.00"
                                  << "0.01";
    QTest::newRow("negative half cent away from zero") << money(-50) << "0.00"
                                                       << "-0.01";
    QTest::newRow("rounds to zero without sign") << money(-40) << "0.00"
                                                 << "0.00";
    // 2.675 is stored a little below; the pattern rounds the number as it is written.
    QTest::newRow("double as written") << QVariant(2.675) << "0.00"
                                       << "2.68";
    QTest::newRow("optional decimals") << QVariant(1.23456) << "0.####"
                                       << "1.2346";
    QTest::newRow("optional decimals dropped") << QVariant(2.5) << "0.##"
                                               << "2.5";
    QTest::newRow("no whole digit") << QVariant(0.5) << "#.##"
                                    << ".5";
    QTest::newRow("large grouped") << QVariant(qlonglong(1234567890123)) << "#,##0"
                                   << "1,234,567,890,123";
    // A product such as 0.335 * 3 lands just below 1.005; 15 digits show 1.005.
    QTest::newRow("double as the general form shows it") << QVariant(1.0049999999999999) << "0.00"
                                                         << "1.01";
    QTest::newRow("text number") << QVariant(QStringLiteral("-1234.5")) << "#,##0.00"
                                 << "-1,234.50";
}

void TestReportLayout::numberPatterns()
{
    QFETCH(QVariant, value);
    QFETCH(QString, pattern);
    QFETCH(QString, shown);
    const std::optional<ReportNumber> number = ReportNumber::fromVariant(value);
    QVERIFY(number);
    QCOMPARE(NumberPattern::parse(pattern)->apply(*number), shown);
}

void TestReportLayout::badReferencesNameObjectAndExpression_data()
{
    QTest::addColumn<QString>("source");
    QTest::addColumn<QString>("says");
    QTest::newRow("dataset") << QStringLiteral("[qdbst.\"金额\"]") << QStringLiteral("qdbst");
    QTest::newRow("column") << QStringLiteral("[ddbst.\"价税\"]") << QStringLiteral("价税");
    QTest::newRow("variable") << QStringLiteral("[fdx]") << QStringLiteral("fdx");
    QTest::newRow("unclosed") << QStringLiteral("[ddbst.\"金额\"") << QStringLiteral("]");
    QTest::newRow("pattern") << QStringLiteral("[ddbst.金额 #,##0.0x]")
                             << QStringLiteral("#,##0.0x");
    QTest::newRow("function") << QStringLiteral("[AVG(ddbst.金额)]") << QStringLiteral("AVG");
    QTest::newRow("page sum off the data band")
        << QStringLiteral("[PAGESUM(hdbst.中文日期)]") << QStringLiteral("PAGESUM");
    QTest::newRow("sum of words") << QStringLiteral("[SUM(ddbst.货物应税名称)]")
                                  << QStringLiteral("货物1");
}

void TestReportLayout::badReferencesNameObjectAndExpression()
{
    QFETCH(QString, source);
    QFETCH(QString, says);
    ReportTemplate report;
    TemplateFile::load(QStringLiteral(KELVANE_TEST_DATA "/report_list.fr3"), report);
    static_cast<TextObject *>(report.findObject(QStringLiteral("hjje")))->setText(source);
    try {
        layOut(report, inputs(3), QStringLiteral("fpqd.fr3"));
        QFAIL("no error");
    } catch (const ReportError &error) {
        for (const QString &part : {QStringLiteral("fpqd.fr3"), QStringLiteral("hjje"), says})
            QVERIFY2(error.message().contains(part), qPrintable(error.message()));
    }
}

void TestReportLayout::fixedFormIsOnePage()
{
    ReportTemplate report;
    QCOMPARE(layOut(report, {}).pages.size(), size_t(0));
    ReportBand *band = report.fixedBand();
    auto *shown = static_cast<TextObject *>(
        band->addObject(std::make_unique<TextObject>(QStringLiteral("fpno"))));
    shown->setRect(QRectF(180, 8, 40, 6));
    shown->setText(QStringLiteral("No.12345678"));
    band->addObject(std::make_unique<TextObject>(QStringLiteral("hidden")))->setVisible(false);
    const LaidOutReport laid = layOut(report, {});
    QCOMPARE(laid.pages.size(), size_t(1));
    QCOMPARE(findText(laid.pages[0], QStringLiteral("fpno"))->rect, QRectF(180, 8, 40, 6));
    QCOMPARE(findText(laid.pages[0], QStringLiteral("hidden")), nullptr);
}

QTEST_GUILESS_MAIN(TestReportLayout)
#include "tst_reportlayout.moc"
