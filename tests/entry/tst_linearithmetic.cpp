#include "entry/LineArithmetic.h"

#include <QTest>

using namespace Qt::StringLiterals;

namespace {

QVariant money(const char *text)
{
    return QVariant::fromValue(Money::fromString(QString::fromLatin1(text)).value());
}

} // namespace

class TestLineArithmetic : public QObject
{
    Q_OBJECT
private slots:
    void lineAmount_data();
    void lineAmount();
    void amountOutOfRange();
    void lineTax_data();
    void lineTax();
    void headerTotals_data();
    void headerTotals();
    void quantityPriceRateChain();
};

void TestLineArithmetic::lineAmount_data()
{
    QTest::addColumn<QVariant>("quantity");
    QTest::addColumn<QVariant>("unitPrice");
    QTest::addColumn<QString>("amount");

    // 0.999999 lies nearer 1.0000 than 0.9999; the grid shows 1 either way.
    QTest::newRow("3 x 0.333333") << QVariant(3.0) << QVariant(0.333333) << u"1"_s;
    QTest::newRow("3 x 0.3333") << QVariant(3.0) << QVariant(0.3333) << u"0.9999"_s;
    QTest::newRow("empty quantity") << QVariant() << QVariant(5.0) << u"0"_s;
    QTest::newRow("empty price") << QVariant(2.0) << QVariant() << u"0"_s;
    QTest::newRow("negative quantity") << QVariant(-2.0) << QVariant(1.5) << u"-3"_s;
    QTest::newRow("fifth decimal rounds") << QVariant(1.0) << QVariant(0.00006) << u"0.0001"_s;
    QTest::newRow("binary half to even") << QVariant(1.0) << QVariant(0.03125) << u"0.0312"_s;
    QTest::newRow("integer column value") << QVariant(qlonglong(4)) << QVariant(2.5) << u"10"_s;
}

void TestLineArithmetic::lineAmount()
{
    QFETCH(QVariant, quantity);
    QFETCH(QVariant, unitPrice);
    QFETCH(QString, amount);
    QCOMPARE(LineArithmetic::lineAmount(quantity, unitPrice).toString(), amount);
}

void TestLineArithmetic::amountOutOfRange()
{
    QVERIFY_THROWS_EXCEPTION(MoneyRangeError, LineArithmetic::lineAmount(1e15, 1.0));
    QVERIFY_THROWS_EXCEPTION(MoneyRangeError,
                             LineArithmetic::lineTax(money("900000000000000"), 200.0));
}

void TestLineArithmetic::lineTax_data()
{
    QTest::addColumn<QVariant>("amount");
    QTest::addColumn<QVariant>("rate");
    QTest::addColumn<QString>("tax");

    QTest::newRow("0.5 at 17") << money("0.5") << QVariant(17.0) << u"0.085"_s;
    QTest::newRow("2.5 at 17") << money("2.5") << QVariant(17.0) << u"0.425"_s;
    QTest::newRow("1.5 at 17") << money("1.5") << QVariant(17.0) << u"0.255"_s;
    QTest::newRow("rounded to four places") << money("0.9999") << QVariant(13.0) << u"0.13"_s;
    QTest::newRow("fractional rate") << money("100") << QVariant(6.5) << u"6.5"_s;
    QTest::newRow("empty amount") << QVariant() << QVariant(17.0) << u"0"_s;
    QTest::newRow("empty rate") << money("2.5") << QVariant() << u"0"_s;
    QTest::newRow("negative amount") << money("-2.5") << QVariant(17.0) << u"-0.425"_s;
}

void TestLineArithmetic::lineTax()
{
    QFETCH(QVariant, amount);
    QFETCH(QVariant, rate);
    QFETCH(QString, tax);
    QCOMPARE(LineArithmetic::lineTax(amount, rate).toString(), tax);
}

void TestLineArithmetic::headerTotals_data()
{
    QTest::addColumn<QString>("amountTotal");
    QTest::addColumn<QString>("taxTotal");
    QTest::addColumn<double>("figures");
    QTest::addColumn<QString>("capitals");

    QTest::newRow("0.5850 to even below") << u"0.5"_s << u"0.085"_s << 0.58 << u"伍角捌分"_s;
    QTest::newRow("2.9250 to even below") << u"2.5"_s << u"0.425"_s << 2.92 << u"贰圆玖角贰分"_s;
    QTest::newRow("1.7550 to even above") << u"1.5"_s << u"0.255"_s << 1.76 << u"壹圆柒角陆分"_s;
    QTest::newRow("10.0150 to even above") << u"10"_s << u"0.015"_s << 10.02 << u"壹拾圆零贰分"_s;
    QTest::newRow("no lines") << u"0"_s << u"0"_s << 0.0 << u"零圆整"_s;
    QTest::newRow("above half a cent") << u"1"_s << u"0.0051"_s << 1.01 << u"壹圆零壹分"_s;
    QTest::newRow("negative") << u"-2.5"_s << u"-0.425"_s << -2.92 << u"负贰圆玖角贰分"_s;
}

void TestLineArithmetic::headerTotals()
{
    QFETCH(QString, amountTotal);
    QFETCH(QString, taxTotal);
    QFETCH(double, figures);
    QFETCH(QString, capitals);
    const auto totals = LineArithmetic::headerTotals(Money::fromString(amountTotal).value(),
                                                     Money::fromString(taxTotal).value());
    QCOMPARE(totals.figures, figures);
    QCOMPARE(totals.total, Money::fromDouble(figures));
    QCOMPARE(totals.capitals, capitals);
}

void TestLineArithmetic::quantityPriceRateChain()
{
    const Money amount = LineArithmetic::lineAmount(3.0, 0.333333);
    const Money tax = LineArithmetic::lineTax(QVariant::fromValue(amount), 0.0);
    const auto totals = LineArithmetic::headerTotals(amount, tax);
    QCOMPARE(totals.figures, 1.0);
    QCOMPARE(totals.capitals, u"壹圆整"_s);
}

QTEST_GUILESS_MAIN(TestLineArithmetic)
#include "tst_linearithmetic.moc"
