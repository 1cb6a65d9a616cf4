#include "entry/NumberFormat.h"

#include <QTest>
#include <limits>

using namespace Qt::StringLiterals;

class TestNumberFormat : public QObject
{
    Q_OBJECT
private slots:
    void general_data();
    void general();
    void percent_data();
    void percent();
    void optionalDigitsOfMoney_data();
    void optionalDigitsOfMoney();
    void optionalDigitsOfDouble_data();
    void optionalDigitsOfDouble();
    void fixedOfMoney_data();
    void fixedOfMoney();
    void fixedOfDouble_data();
    void fixedOfDouble();
    void parseTypedNumber_data();
    void parseTypedNumber();
};

void TestNumberFormat::general_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<QString>("text");

    QTest::newRow("zero") << 0.0 << u"0"_s;
    QTest::newRow("negative zero") << -0.0 << u"0"_s;
    QTest::newRow("whole") << 3.0 << u"3"_s;
    QTest::newRow("fraction") << 2.5 << u"2.5"_s;
    QTest::newRow("four decimals") << 12.3456 << u"12.3456"_s;
    QTest::newRow("below one keeps its zero") << 0.5 << u"0.5"_s;
    QTest::newRow("no grouping") << 1234567.0 << u"1234567"_s;
    QTest::newRow("negative") << -2.5 << u"-2.5"_s;
    QTest::newRow("sum noise is cut at 15 digits") << 0.1 + 0.2 << u"0.3"_s;
    QTest::newRow("15 significant digits") << 1.0 / 3 << u"0.333333333333333"_s;
    QTest::newRow("rounded at the 15th digit") << 2.0 / 3 << u"0.666666666666667"_s;
    QTest::newRow("0.0001 stays plain") << 0.0001 << u"0.0001"_s;
    QTest::newRow("below 0.0001") << 0.00005 << u"5E-5"_s;
    QTest::newRow("negative small") << -0.00000015 << u"-1.5E-7"_s;
    QTest::newRow("rounds up to 0.0001") << 0.00009999999999999999 << u"0.0001"_s;
    QTest::newRow("15 digits before the point") << 999999999999999.0 << u"999999999999999"_s;
    QTest::newRow("16 digits before the point") << 1e15 << u"1E15"_s;
    QTest::newRow("long mantissa") << 123456789012345678.0 << u"1.23456789012346E17"_s;
    QTest::newRow("large exponent") << 1.5e300 << u"1.5E300"_s;
    QTest::newRow("tiny") << 5e-324 << u"4.94065645841247E-324"_s;
}

void TestNumberFormat::general()
{
    QFETCH(double, value);
    QFETCH(QString, text);
    QCOMPARE(NumberFormat::general(value), text);
}

void TestNumberFormat::percent_data()
{
    QTest::addColumn<double>("rate");
    QTest::addColumn<QString>("text");
    QTest::newRow("17") << 17.0 << u"17%"_s;
    QTest::newRow("0") << 0.0 << u"0%"_s;
    QTest::newRow("6.5") << 6.5 << u"6.5%"_s;
    QTest::newRow("negative") << -3.0 << u"-3%"_s;
}

void TestNumberFormat::percent()
{
    QFETCH(double, rate);
    QFETCH(QString, text);
    QCOMPARE(NumberFormat::percent(rate), text);
}

void TestNumberFormat::optionalDigitsOfMoney_data()
{
    QTest::addColumn<QString>("value");
    QTest::addColumn<QString>("text");

    QTest::newRow("grouped, trailing zero dropped") << u"1234.5"_s << u"1,234.5"_s;
    QTest::newRow("no digit before the point") << u"0.085"_s << u".09"_s;
    QTest::newRow("whole, no bare point") << u"100"_s << u"100"_s;
    QTest::newRow("zero is empty") << u"0"_s << QString();
    QTest::newRow("rounds to zero: empty") << u"0.0049"_s << QString();
    QTest::newRow("negative rounding to zero: empty") << u"-0.0049"_s << QString();
    QTest::newRow("half away from zero") << u"0.125"_s << u".13"_s;
    QTest::newRow("negative half away from zero") << u"-0.125"_s << u"-.13"_s;
    QTest::newRow("below half") << u"0.1249"_s << u".12"_s;
    QTest::newRow("0.9999 shows as 1") << u"0.9999"_s << u"1"_s;
    QTest::newRow("carry across groups") << u"999999.995"_s << u"1,000,000"_s;
    QTest::newRow("negative grouped") << u"-1234567.891"_s << u"-1,234,567.89"_s;
    QTest::newRow("exactly three digits") << u"999"_s << u"999"_s;
    QTest::newRow("upper end") << u"922337203685477.5807"_s << u"922,337,203,685,477.58"_s;
    QTest::newRow("lower end") << u"-922337203685477.5808"_s << u"-922,337,203,685,477.58"_s;
}

void TestNumberFormat::optionalDigitsOfMoney()
{
    QFETCH(QString, value);
    QFETCH(QString, text);
    const Money money = Money::fromString(value).value();
    QCOMPARE(NumberFormat::optionalDigits(money, NumberFormat::AmountDecimals), text);
}

void TestNumberFormat::optionalDigitsOfDouble_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<int>("decimals");
    QTest::addColumn<QString>("text");

    QTest::newRow("amount grouped") << 1234.5 << 2 << u"1,234.5"_s;
    QTest::newRow("amount 0.085") << 0.085 << 2 << u".09"_s;
    QTest::newRow("amount 2.005 as typed") << 2.005 << 2 << u"2.01"_s;
    QTest::newRow("amount 2.675 as typed") << 2.675 << 2 << u"2.68"_s;
    QTest::newRow("amount negative half") << -2.675 << 2 << u"-2.68"_s;
    QTest::newRow("amount zero") << 0.0 << 2 << QString();
    QTest::newRow("price nine places") << 0.333333 << 9 << u".333333"_s;
    QTest::newRow("price rounded at nine") << 1.0 / 3 << 9 << u".333333333"_s;
    QTest::newRow("price half at the tenth place") << 0.0000000005 << 9 << u".000000001"_s;
    QTest::newRow("price below half of the ninth place") << 0.0000000004 << 9 << QString();
    QTest::newRow("price grouped") << 1234567.125 << 9 << u"1,234,567.125"_s;
    QTest::newRow("price whole") << 12.0 << 9 << u"12"_s;
    QTest::newRow("price large") << 1e20 << 9 << u"100,000,000,000,000,000,000"_s;
    QTest::newRow("price negative") << -0.5 << 9 << u"-.5"_s;
}

void TestNumberFormat::optionalDigitsOfDouble()
{
    QFETCH(double, value);
    QFETCH(int, decimals);
    QFETCH(QString, text);
    QCOMPARE(NumberFormat::optionalDigits(value, decimals), text);
}

void TestNumberFormat::fixedOfMoney_data()
{
    QTest::addColumn<QString>("value");
    QTest::addColumn<QString>("text");

    QTest::newRow("trailing zero kept") << u"1234.5"_s << u"1234.50"_s;
    QTest::newRow("half away from zero") << u"0.125"_s << u"0.13"_s;
    QTest::newRow("negative half") << u"-0.125"_s << u"-0.13"_s;
    QTest::newRow("zero") << u"0"_s << u"0.00"_s;
    QTest::newRow("tax 2.005") << u"2.005"_s << u"2.01"_s;
    QTest::newRow("tax 0.0850") << u"0.085"_s << u"0.09"_s;
    QTest::newRow("carry to a new digit") << u"9.995"_s << u"10.00"_s;
    QTest::newRow("negative rounding to zero") << u"-0.004"_s << u"0.00"_s;
    QTest::newRow("no grouping") << u"1234567.8"_s << u"1234567.80"_s;
    QTest::newRow("smallest step") << u"0.0001"_s << u"0.00"_s;
    QTest::newRow("lower end") << u"-922337203685477.5808"_s << u"-922337203685477.58"_s;
}

void TestNumberFormat::fixedOfMoney()
{
    QFETCH(QString, value);
    QFETCH(QString, text);
    QCOMPARE(NumberFormat::fixed(Money::fromString(value).value(), 2), text);
}

void TestNumberFormat::fixedOfDouble_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<QString>("text");

    QTest::newRow("1234.5") << 1234.5 << u"1234.50"_s;
    QTest::newRow("0.125") << 0.125 << u"0.13"_s;
    QTest::newRow("-0.125") << -0.125 << u"-0.13"_s;
    QTest::newRow("zero") << 0.0 << u"0.00"_s;
    // Currency 2.0050 read back as a double is just below 2.005.
    QTest::newRow("currency 2.0050 as double") << Money::fromRaw(20050).toDouble() << u"2.01"_s;
    QTest::newRow("1.005") << 1.005 << u"1.01"_s;
    QTest::newRow("tiny") << 0.00005 << u"0.00"_s;
    QTest::newRow("large") << 1e20 << u"100000000000000000000.00"_s;
}

void TestNumberFormat::fixedOfDouble()
{
    QFETCH(double, value);
    QFETCH(QString, text);
    QCOMPARE(NumberFormat::fixed(value, 2), text);
}

void TestNumberFormat::parseTypedNumber_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("valid");
    QTest::addColumn<double>("value");

    QTest::newRow("whole") << u"3"_s << true << 3.0;
    QTest::newRow("fraction") << u"0.333333"_s << true << 0.333333;
    QTest::newRow("negative") << u"-2"_s << true << -2.0;
    QTest::newRow("plus sign") << u"+2"_s << true << 2.0;
    QTest::newRow("leading point") << u".5"_s << true << 0.5;
    QTest::newRow("trailing point") << u"12."_s << true << 12.0;
    QTest::newRow("blanks around") << u"  17 "_s << true << 17.0;
    QTest::newRow("grouped") << u"1,234.5"_s << true << 1234.5;
    QTest::newRow("grouped millions") << u"-12,345,678"_s << true << -12345678.0;
    QTest::newRow("general form exponent") << u"5E-5"_s << true << 0.00005;
    QTest::newRow("lower-case exponent") << u"1.5e3"_s << true << 1500.0;
    QTest::newRow("negative zero is zero") << u"-0"_s << true << 0.0;

    QTest::newRow("empty") << QString() << false << 0.0;
    QTest::newRow("blank") << u"   "_s << false << 0.0;
    QTest::newRow("sign only") << u"-"_s << false << 0.0;
    QTest::newRow("point only") << u"."_s << false << 0.0;
    QTest::newRow("exponent only") << u"E5"_s << false << 0.0;
    QTest::newRow("letters") << u"abc"_s << false << 0.0;
    QTest::newRow("trailing letters") << u"12kg"_s << false << 0.0;
    QTest::newRow("percent sign") << u"17%"_s << false << 0.0;
    QTest::newRow("misplaced comma") << u"1,23"_s << false << 0.0;
    QTest::newRow("comma group too long") << u"1234,567"_s << false << 0.0;
    QTest::newRow("leading comma") << u",123"_s << false << 0.0;
    QTest::newRow("comma in fraction") << u"1.234,5"_s << false << 0.0;
    QTest::newRow("decimal comma") << u"2,5"_s << false << 0.0;
    QTest::newRow("two points") << u"1.2.3"_s << false << 0.0;
    QTest::newRow("inner blank") << u"1 000"_s << false << 0.0;
    QTest::newRow("full-width digits") << u"１２"_s << false << 0.0;
    QTest::newRow("ideographic point") << u"1。5"_s << false << 0.0;
    QTest::newRow("overflow") << u"1e400"_s << false << 0.0;
    QTest::newRow("infinity word") << u"inf"_s << false << 0.0;
    QTest::newRow("nan word") << u"nan"_s << false << 0.0;
    QTest::newRow("hex") << u"0x10"_s << false << 0.0;
}

void TestNumberFormat::parseTypedNumber()
{
    QFETCH(QString, text);
    QFETCH(bool, valid);
    QFETCH(double, value);
    const std::optional<double> parsed = NumberFormat::parseTypedNumber(text);
    QCOMPARE(parsed.has_value(), valid);
    if (valid) {
        QCOMPARE(*parsed, value);
        QVERIFY(!std::signbit(*parsed) || value < 0);
    } else {
        QVERIFY(NumberFormat::invalidNumberMessage(text).contains(text));
    }
}

QTEST_GUILESS_MAIN(TestNumberFormat)
#include "tst_numberformat.moc"
