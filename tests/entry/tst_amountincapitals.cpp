#include "entry/AmountInCapitals.h"

#include <QTest>
#include <limits>

using namespace Qt::StringLiterals;

class TestAmountInCapitals : public QObject
{
    Q_OBJECT
private slots:
    void capitals_data();
    void capitals();
};

void TestAmountInCapitals::capitals_data()
{
    QTest::addColumn<double>("amount");
    QTest::addColumn<QString>("text");

    const auto add = [](const char *name, double amount, const QString &text) {
        QTest::newRow(name) << amount << text;
    };
    // The worked examples.
    add("0", 0, u"零圆整"_s);
    add("0.01", 0.01, u"壹分"_s);
    add("0.05", 0.05, u"伍分"_s);
    add("0.1", 0.1, u"壹角整"_s);
    add("0.56", 0.56, u"伍角陆分"_s);
    add("1", 1, u"壹圆整"_s);
    add("1.5", 1.5, u"壹圆伍角整"_s);
    add("10", 10, u"壹拾圆整"_s);
    add("12", 12, u"壹拾贰圆整"_s);
    add("10.05", 10.05, u"壹拾圆零伍分"_s);
    add("100.5", 100.5, u"壹佰圆伍角整"_s);
    add("101", 101, u"壹佰零壹圆整"_s);
    add("105.3", 105.3, u"壹佰零伍圆叁角整"_s);
    add("110", 110, u"壹佰壹拾圆整"_s);
    add("1000.07", 1000.07, u"壹仟圆零柒分"_s);
    add("1001", 1001, u"壹仟零壹圆整"_s);
    add("1010", 1010, u"壹仟零壹拾圆整"_s);
    add("1680.32", 1680.32, u"壹仟陆佰捌拾圆叁角贰分"_s);
    add("10000", 10000, u"壹万圆整"_s);
    add("10001", 10001, u"壹万零壹圆整"_s);
    add("10012", 10012, u"壹万零壹拾贰圆整"_s);
    add("100000", 100000, u"壹拾万圆整"_s);
    add("1234567.89", 1234567.89, u"壹佰贰拾叁万肆仟伍佰陆拾柒圆捌角玖分"_s);
    add("100000000", 100000000, u"壹亿圆整"_s);
    add("100000001", 100000001, u"壹亿零壹圆整"_s);
    add("100001000", 100001000, u"壹亿壹仟圆整"_s);
    add("100010000", 100010000, u"壹亿零壹万圆整"_s);
    add("1000000000000", 1000000000000, u"壹万亿圆整"_s);
    add("1000100000000", 1000100000000, u"壹万零壹亿圆整"_s);

    // Fen rounding of the fraction (half up) and what it leaves.
    add("below half a fen", 0.004, u"零圆整"_s);
    add("half a fen rounds up", 0.005, u"壹分"_s);
    add("0.29 despite binary noise", 0.29, u"贰角玖分"_s);
    add("1.01", 1.01, u"壹圆零壹分"_s);
    add("fraction rounding to a yuan carries", 0.999, u"壹圆整"_s);
    add("carry across groups", 9999.999, u"壹万圆整"_s);
    // Jiao without fen ends in 角整, fen always ends in 分.
    add("jiao only after yuan", 12.3, u"壹拾贰圆叁角整"_s);
    add("jiao and fen", 20.47, u"贰拾圆肆角柒分"_s);
    add("tens then zero fen-only", 20.07, u"贰拾圆零柒分"_s);
    // Groups: thousands digit zero after something written gets a 零.
    add("units group of 1000 or more: no zero", 101000, u"壹拾万壹仟圆整"_s);
    add("empty groups under 万亿 then units", 1000000000001, u"壹万亿零壹圆整"_s);
    add("empty 亿 group then 万", 1000000010000, u"壹万亿零壹万圆整"_s);
    add("万亿 with jiao", 5000000000000.5, u"伍万亿圆伍角整"_s);
    add("sixteen digits", 1234567890123456,
        u"壹仟贰佰叁拾肆万伍仟陆佰柒拾捌亿玖仟零壹拾贰万叁仟肆佰伍拾陆圆整"_s);
    add("seventeenth digit dropped", 12345678901234568,
        u"贰仟叁佰肆拾伍万陆仟柒佰捌拾玖亿零壹佰贰拾叁万肆仟伍佰陆拾捌圆整"_s);
    add("exactly 10^16 drops to zero", 1e16, u"零圆整"_s);
    // Negative amounts.
    add("negative", -12.34, u"负壹拾贰圆叁角肆分"_s);
    add("negative whole", -5, u"负伍圆整"_s);
    add("negative fen only", -0.05, u"负伍分"_s);
    add("negative below half a fen", -0.004, u"零圆整"_s);
    add("not a number", std::numeric_limits<double>::quiet_NaN(), u"零圆整"_s);
}

void TestAmountInCapitals::capitals()
{
    QFETCH(double, amount);
    QFETCH(QString, text);
    QCOMPARE(AmountInCapitals(amount), text);
}

QTEST_GUILESS_MAIN(TestAmountInCapitals)
#include "tst_amountincapitals.moc"
