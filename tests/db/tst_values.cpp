#include "TestDatabase.h"
#include "db/DatabaseError.h"
#include "db/Dataset.h"
#include "entry/Money.h"

#include <QTest>
#include <limits>

using namespace Qt::StringLiterals;

// What a write into a column turns into, what reaches the store, and what comes back.
class TestValues final : public QObject
{
    Q_OBJECT

private slots:
    void conversion_data();
    void conversion();
    void roundTrip_data();
    void roundTrip();
    void storedForm_data();
    void storedForm();
    void refusedWriteKeepsPreviousValue_data();
    void refusedWriteKeepsPreviousValue();
    void currencyReadsAsNumberAndText();
};

namespace {

const QString maxCurrency = QStringLiteral("922337203685477.5807");

// A line being edited, in a fresh database.
struct EditedLine
{
    explicit EditedLine(TestDatabase &db) : d(db.connection())
    {
        db.execScript(
            QStringLiteral("insert into title (cid) values (1);\n"
                           "insert into detail (id, cid, 数量, 金额) values (1, 1, 2, 20000)"));
        d.setSql({QStringLiteral("select * from detail where cid=:cid")});
        d.setParameter(QStringLiteral("cid"), 1);
        d.open();
        d.edit();
    }
    Dataset d;
};

Dataset &openEdited(Dataset &ds, const QString &table)
{
    ds.setSql({QStringLiteral("select * from ") + table});
    ds.open();
    ds.edit();
    return ds;
}

} // namespace

void TestValues::conversion_data()
{
    QTest::addColumn<QString>("column");
    QTest::addColumn<QVariant>("input");
    QTest::addColumn<QVariant>("expected"); // invalid when refused
    QTest::addColumn<QString>("error");
    auto money = [](qint64 raw) { return QVariant::fromValue(Money::fromRaw(raw)); };
    const QVariant refused;
    QTest::newRow("text into double") << "数量" << QVariant(u"3.5"_s) << QVariant(3.5) << QString();
    QTest::newRow("grouped text into double")
        << "单价" << QVariant(u"1,234.5"_s) << QVariant(1234.5) << QString();
    QTest::newRow("emptied double") << "数量" << QVariant(u" "_s) << QVariant() << QString();
    QTest::newRow("money into double") << "数量" << money(15000) << QVariant(1.5) << QString();
    QTest::newRow("word into double")
        << "数量" << QVariant(u"三个"_s) << refused << u"“数量”的值“三个”不是数字"_s;
    QTest::newRow("infinite double") << "单价" << QVariant(std::numeric_limits<double>::infinity())
                                     << refused << u"“单价”的值“inf”不是数字"_s;
    // 1/32 and 3/32 are halves of a ten-thousandth in binary too: they go to the even one.
    QTest::newRow("double into currency, half to even down")
        << "金额" << QVariant(0.03125) << money(312) << QString();
    QTest::newRow("double into currency, half to even up")
        << "金额" << QVariant(0.09375) << money(938) << QString();
    QTest::newRow("product into currency")
        << "金额" << QVariant(3 * 0.333333) << money(10000) << QString();
    QTest::newRow("exact text into currency")
        << "金额" << QVariant(u"12.3456"_s) << money(123456) << QString();
    QTest::newRow("long text into currency")
        << "金额" << QVariant(u"0.03125"_s) << money(312) << QString();
    QTest::newRow("integer into currency") << "税额" << QVariant(7) << money(70000) << QString();
    QTest::newRow("largest currency") << "金额" << QVariant(maxCurrency)
                                      << money(std::numeric_limits<qint64>::max()) << QString();
    QTest::newRow("word into currency")
        << "金额" << QVariant(u"十元"_s) << refused << u"“金额”的值“十元”不是金额"_s;
    QTest::newRow("too much currency")
        << "金额" << QVariant(1e15) << refused
        << u"“金额”的值 1000000000000000 超出货币范围（±922,337,203,685,477.5807）"_s;
    QTest::newRow("text with leading zeros into integer")
        << "cid" << QVariant(u"0005"_s) << QVariant(5LL) << QString();
    QTest::newRow("fraction into integer")
        << "cid" << QVariant(u"5.5"_s) << refused << u"“cid”的值“5.5”不是整数"_s;
    QTest::newRow("text at the limit")
        << "单位" << QVariant(QString(20, u'吨')) << QVariant(QString(20, u'吨')) << QString();
    QTest::newRow("text over the limit")
        << "货物应税名称" << QVariant(QString(251, u'货')) << refused
        << u"“货物应税名称”最多 250 个字符，输入的有 251 个"_s;
    // Characters outside the basic plane take two UTF-16 units but are one character.
    QTest::newRow("wide characters count once")
        << "单位" << QVariant(QString(20, u'吨').replace(0, 1, u"𠀀"_s))
        << QVariant(u"𠀀"_s + QString(19, u'吨')) << QString();
    QTest::newRow("number into text")
        << "规格型号" << QVariant(2.5) << QVariant(u"2.5"_s) << QString();
}

void TestValues::conversion()
{
    QFETCH(QString, column);
    QFETCH(QVariant, input);
    QFETCH(QVariant, expected);
    QFETCH(QString, error);
    TestDatabase db;
    EditedLine line(db);
    QString raised;
    try {
        line.d.setValue(column, input);
    } catch (const DatabaseError &e) {
        raised = e.message();
    }
    QCOMPARE(raised, error);
    if (error.isEmpty())
        QCOMPARE(line.d.value(column), expected);
}

void TestValues::roundTrip_data()
{
    QTest::addColumn<QString>("table");
    QTest::addColumn<QString>("column");
    QTest::addColumn<QVariant>("value");
    auto money = [](qint64 raw) { return QVariant::fromValue(Money::fromRaw(raw)); };
    const qint64 most = std::numeric_limits<qint64>::max();
    QTest::newRow("currency, top of range") << "detail"
                                            << "金额" << money(most);
    QTest::newRow("currency, bottom of range") << "detail"
                                               << "税额" << money(-most);
    QTest::newRow("currency, four decimals") << "detail"
                                             << "金额" << money(1);
    QTest::newRow("currency, negative fraction") << "detail"
                                                 << "税额" << money(-12345678);
    QTest::newRow("double") << "detail"
                            << "单价" << QVariant(0.333333333);
    QTest::newRow("chinese text with quotes and wildcards")
        << "detail"
        << "货物应税名称" << QVariant(u"钢板（Q235）×2 — 特\"殊'%_字符"_s);
    QTest::newRow("eight-digit invoice number") << "title"
                                                << "发票号码" << QVariant(99999999LL);
    QTest::newRow("boolean true") << "title"
                                  << "是否收款" << QVariant(true);
    QTest::newRow("boolean false") << "title"
                                   << "是否打印格式" << QVariant(false);
    QTest::newRow("date") << "title"
                          << "开票日期" << QVariant(QDate(2009, 4, 8));
    QTest::newRow("empty text stays text") << "title"
                                           << "备注1" << QVariant(QString(u""_s));
    QTest::newRow("one blank") << "title"
                               << "备注" << QVariant(u" "_s);
    QTest::newRow("currency total") << "title"
                                    << "小写金额" << money(1170000);
}

void TestValues::roundTrip()
{
    QFETCH(QString, table);
    QFETCH(QString, column);
    QFETCH(QVariant, value);
    TestDatabase db;
    Dataset ds(db.connection());
    ds.setSql({QStringLiteral("select * from ") + table});
    ds.open();
    ds.append();
    ds.setValue(column, value);
    ds.post();
    ds.close();
    ds.open();
    const QVariant read = ds.value(column);
    QCOMPARE(read, value);
    QCOMPARE(read.isNull(), value.isNull());
}

void TestValues::storedForm_data()
{
    QTest::addColumn<QString>("column");
    QTest::addColumn<QVariant>("value");
    QTest::addColumn<QString>("stored"); // typeof and text of the column as the store holds it
    QTest::newRow("currency as ten-thousandths")
        << "小写金额" << QVariant(u"-0.0850"_s) << u"integer -850"_s;
    QTest::newRow("date as ISO text")
        << "开票日期" << QVariant(QDate(2010, 1, 1)) << u"text 2010-01-01"_s;
    QTest::newRow("date from text")
        << "开票日期" << QVariant(u"2009-04-08"_s) << u"text 2009-04-08"_s;
    QTest::newRow("boolean as 1") << "是否收款" << QVariant(u"True"_s) << u"integer 1"_s;
    QTest::newRow("boolean NULL as 0") << "是否收款" << QVariant() << u"integer 0"_s;
    QTest::newRow("invoice number without zeros")
        << "发票号码" << QVariant(u"00012345"_s) << u"integer 12345"_s;
}

void TestValues::storedForm()
{
    QFETCH(QString, column);
    QFETCH(QVariant, value);
    QFETCH(QString, stored);
    TestDatabase db;
    Dataset ds(db.connection());
    openEdited(ds, QStringLiteral("title")); // empty: edit appends
    ds.setValue(column, value);
    ds.post();
    const QString query = QStringLiteral("select typeof(%1) || ' ' || %1 from title").arg(column);
    QCOMPARE(db.scalar(query).toString(), stored);
}

void TestValues::refusedWriteKeepsPreviousValue_data()
{
    QTest::addColumn<QString>("column");
    QTest::addColumn<QVariant>("input");
    QTest::newRow("currency out of range") << "金额" << QVariant(-1e16);
    QTest::newRow("currency not a number") << "金额" << QVariant(u"abc"_s);
    QTest::newRow("double not a number") << "数量" << QVariant(u"1.2.3"_s);
    QTest::newRow("text over the limit") << "规格型号" << QVariant(QString(51, u'x'));
    QTest::newRow("the counter") << "id" << QVariant(9);
}

void TestValues::refusedWriteKeepsPreviousValue()
{
    QFETCH(QString, column);
    QFETCH(QVariant, input);
    TestDatabase db;
    EditedLine line(db);
    const QVariant before = line.d.value(column);
    int notices = 0;
    connect(&line.d, &Dataset::changed, this, [&notices] { ++notices; });
    QVERIFY_THROWS_EXCEPTION(DatabaseError, line.d.setValue(column, input));
    QCOMPARE(line.d.value(column), before);
    QCOMPARE(notices, 0);
    line.d.post();
    line.d.close();
    line.d.open();
    QCOMPARE(line.d.value(column), before);
}

void TestValues::currencyReadsAsNumberAndText()
{
    TestDatabase db;
    EditedLine line(db);
    const QVariant amount = line.d.value(QStringLiteral("金额"));
    QCOMPARE(amount.toDouble(), 2.0);
    QCOMPARE(amount.toString(), QStringLiteral("2"));
    line.d.setValue(QStringLiteral("金额"), QStringLiteral("0.085"));
    QCOMPARE(line.d.value(QStringLiteral("金额")).toDouble(), 0.085);
}

QTEST_GUILESS_MAIN(TestValues)
#include "tst_values.moc"
