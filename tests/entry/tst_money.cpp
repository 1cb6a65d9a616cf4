#include "entry/Money.h"

#include <QTest>
#include <cmath>
#include <limits>

using namespace Qt::StringLiterals;

namespace {
constexpr qint64 Max = std::numeric_limits<qint64>::max();
constexpr qint64 Min = std::numeric_limits<qint64>::min();
} // namespace

class TestMoney : public QObject
{
    Q_OBJECT
private slots:
    void fromDouble_data();
    void fromDouble();
    void fromDoubleOutOfRange_data();
    void fromDoubleOutOfRange();
    void fromString_data();
    void fromString();
    void roundedToCents_data();
    void roundedToCents();
    void toString_data();
    void toString();
    void arithmeticOverflow();
};

void TestMoney::fromDouble_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<qint64>("raw");

    // Binary halves: odd multiples of 1/32 are the only short fractions whose
    // product with 10000 is exactly n + 0.5.
    QTest::newRow("half to even, down") << 0.03125 << qint64(312);
    QTest::newRow("half to even, up") << 0.09375 << qint64(938);
    QTest::newRow("negative half, down") << -0.03125 << qint64(-312);
    QTest::newRow("negative half, up") << -0.09375 << qint64(-938);
    QTest::newRow("whole plus half") << 1.03125 << qint64(10312);
    // Decimal literals that look like halves are not: the nearest double decides.
    QTest::newRow("0.00005 lies above the half") << 0.00005 << qint64(1);
    QTest::newRow("0.00015 lies below the half") << 0.00015 << qint64(1);
    QTest::newRow("0.00025 lies above the half") << 0.00025 << qint64(3);
    QTest::newRow("just below a half") << 0.000049 << qint64(0);
    QTest::newRow("2.005") << 2.005 << qint64(20050);
    QTest::newRow("tax 2.5 at 17") << 2.5 * 17 / 100 << qint64(4250);
    QTest::newRow("tax 0.5 at 17") << 0.5 * 17 / 100 << qint64(850);
    QTest::newRow("3 x 0.333333") << 3 * 0.333333 << qint64(10000);
    QTest::newRow("3 x 0.3333") << 3 * 0.3333 << qint64(9999);
    QTest::newRow("zero") << 0.0 << qint64(0);
    QTest::newRow("negative zero") << -0.0 << qint64(0);
    // Near the range end the product of the double is exact, not rounded to double first
    // (which would give 9223372036854774784).
    QTest::newRow("largest half yuan") << 922337203685477.5 << qint64(9223372036854775000);
    QTest::newRow("smallest half yuan") << -922337203685477.5 << qint64(-9223372036854775000);
}

void TestMoney::fromDouble()
{
    QFETCH(double, value);
    QFETCH(qint64, raw);
    QCOMPARE(Money::fromDouble(value).raw(), raw);
    QCOMPARE(Money::tryFromDouble(value).value().raw(), raw);
}

void TestMoney::fromDoubleOutOfRange_data()
{
    QTest::addColumn<double>("value");
    // 922337203685477.5807 has no double; the nearest one is 922337203685477.625.
    QTest::newRow("upper end literal") << 922337203685477.5807;
    QTest::newRow("lower end literal") << -922337203685477.5808;
    QTest::newRow("1e15") << 1e15;
    QTest::newRow("-1e15") << -1e15;
    QTest::newRow("huge") << 1e300;
    QTest::newRow("infinity") << std::numeric_limits<double>::infinity();
    QTest::newRow("minus infinity") << -std::numeric_limits<double>::infinity();
    QTest::newRow("nan") << std::numeric_limits<double>::quiet_NaN();
}

void TestMoney::fromDoubleOutOfRange()
{
    QFETCH(double, value);
    QVERIFY(!Money::tryFromDouble(value));
    QVERIFY_THROWS_EXCEPTION(MoneyRangeError, Money::fromDouble(value));
}

void TestMoney::fromString_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("valid");
    QTest::addColumn<qint64>("raw");

    QTest::newRow("whole") << u"12"_s << true << qint64(120000);
    QTest::newRow("negative fraction") << u"-1234.5"_s << true << qint64(-12345000);
    QTest::newRow("four decimals") << u"0.0850"_s << true << qint64(850);
    QTest::newRow("no whole digits") << u".5"_s << true << qint64(5000);
    QTest::newRow("bare point at end") << u"12."_s << true << qint64(120000);
    QTest::newRow("plus sign, blanks") << u" +3 "_s << true << qint64(30000);
    QTest::newRow("negative zero") << u"-0"_s << true << qint64(0);
    QTest::newRow("upper end") << u"922337203685477.5807"_s << true << Max;
    QTest::newRow("lower end") << u"-922337203685477.5808"_s << true << Min;

    QTest::newRow("empty") << QString() << false << qint64(0);
    QTest::newRow("sign only") << u"-"_s << false << qint64(0);
    QTest::newRow("point only") << u"."_s << false << qint64(0);
    QTest::newRow("five decimals") << u"1.23456"_s << false << qint64(0);
    QTest::newRow("above upper end") << u"922337203685477.5808"_s << false << qint64(0);
    QTest::newRow("below lower end") << u"-922337203685477.5809"_s << false << qint64(0);
    QTest::newRow("far above") << u"99999999999999999999"_s << false << qint64(0);
    QTest::newRow("grouping") << u"1,000"_s << false << qint64(0);
    QTest::newRow("exponent") << u"1e3"_s << false << qint64(0);
    QTest::newRow("two points") << u"1.2.3"_s << false << qint64(0);
    QTest::newRow("two signs") << u"--1"_s << false << qint64(0);
    QTest::newRow("inner blank") << u"1 000"_s << false << qint64(0);
    QTest::newRow("full-width digits") << u"１２"_s << false << qint64(0);
}

void TestMoney::fromString()
{
    QFETCH(QString, text);
    QFETCH(bool, valid);
    QFETCH(qint64, raw);
    const std::optional<Money> money = Money::fromString(text);
    QCOMPARE(money.has_value(), valid);
    if (valid)
        QCOMPARE(money->raw(), raw);
}

void TestMoney::roundedToCents_data()
{
    QTest::addColumn<qint64>("raw");
    QTest::addColumn<qint64>("cents");

    QTest::newRow("0.5850 to even below") << qint64(5850) << qint64(5800);
    QTest::newRow("2.9250 to even below") << qint64(29250) << qint64(29200);
    QTest::newRow("1.7550 to even above") << qint64(17550) << qint64(17600);
    QTest::newRow("10.0150 to even above") << qint64(100150) << qint64(100200);
    QTest::newRow("above half") << qint64(5851) << qint64(5900);
    QTest::newRow("below half") << qint64(5849) << qint64(5800);
    QTest::newRow("whole cents stay") << qint64(12300) << qint64(12300);
    QTest::newRow("-0.5850") << qint64(-5850) << qint64(-5800);
    QTest::newRow("-1.7550") << qint64(-17550) << qint64(-17600);
    QTest::newRow("-0.0050 to zero") << qint64(-50) << qint64(0);
    QTest::newRow("-0.0150") << qint64(-150) << qint64(-200);
    QTest::newRow("-0.5851") << qint64(-5851) << qint64(-5900);
    QTest::newRow("upper end") << Max << qint64(9223372036854775800);
    QTest::newRow("lower end") << Min << qint64(-9223372036854775800);
}

void TestMoney::roundedToCents()
{
    QFETCH(qint64, raw);
    QFETCH(qint64, cents);
    QCOMPARE(Money::fromRaw(raw).roundedToCents().raw(), cents);
}

void TestMoney::toString_data()
{
    QTest::addColumn<qint64>("raw");
    QTest::addColumn<QString>("text");

    QTest::newRow("zero") << qint64(0) << u"0"_s;
    QTest::newRow("whole") << qint64(120000) << u"12"_s;
    QTest::newRow("trailing zeros dropped") << qint64(12345000) << u"1234.5"_s;
    QTest::newRow("negative below one") << qint64(-850) << u"-0.085"_s;
    QTest::newRow("smallest step") << qint64(1) << u"0.0001"_s;
    QTest::newRow("inner zeros kept") << qint64(10005) << u"1.0005"_s;
    QTest::newRow("upper end") << Max << u"922337203685477.5807"_s;
    QTest::newRow("lower end") << Min << u"-922337203685477.5808"_s;
}

void TestMoney::toString()
{
    QFETCH(qint64, raw);
    QFETCH(QString, text);
    QCOMPARE(Money::fromRaw(raw).toString(), text);
    QCOMPARE(Money::fromString(text).value().raw(), raw);
}

void TestMoney::arithmeticOverflow()
{
    const Money one = Money::fromRaw(1);
    QCOMPARE((Money::fromRaw(Max - 1) + one).raw(), Max);
    QCOMPARE((Money::fromRaw(Min + 1) - one).raw(), Min);
    QVERIFY_THROWS_EXCEPTION(MoneyRangeError, Money::fromRaw(Max) + one);
    QVERIFY_THROWS_EXCEPTION(MoneyRangeError, Money::fromRaw(Min) - one);
    QVERIFY_THROWS_EXCEPTION(MoneyRangeError, -Money::fromRaw(Min));
    QCOMPARE((-Money::fromRaw(Max)).raw(), Min + 1);
    Money sum;
    sum += Money::fromRaw(Max);
    QVERIFY_THROWS_EXCEPTION(MoneyRangeError, sum += one);
    QCOMPARE(sum.raw(), Max);
}

QTEST_GUILESS_MAIN(TestMoney)
#include "tst_money.moc"
