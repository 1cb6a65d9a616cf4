#include "TestDatabase.h"
#include "payments/PaymentReport.h"

#include <QDate>
#include <QSqlQuery>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

using Kind = PaymentReport::Kind;

// Invoices around March 2024: on both bounds, inside, before and after, paid and not,
// one without a number and one with a negative number.
const QString Invoices = uR"(
insert into title (cid, 发票号码, 开票日期, 是否收款, 购货单位名称, 小写金额) values
 (1, 123, '2024-03-01', 0, '甲', 10000),
 (2, 999, '2024-03-15', 1, '乙', 25000),
 (3, 1000, '2024-03-31', 0, '甲', 1234500),
 (4, 500, '2024-02-29', 0, '丙', 5800),
 (5, NULL, '2024-03-10', 0, '乙', 100),
 (6, -5, '2024-04-01', 1, '丁', 29200);
)"_s;

struct Row
{
    qlonglong cid;
    QVariant hcom;
    qlonglong tje;
};

QList<Row> rows(TestDatabase &db, Kind kind)
{
    QSqlQuery query(db.connection().database());
    if (!query.exec(PaymentReport::rowsStatement(kind)))
        qFatal("rows statement failed");
    QList<Row> result;
    while (query.next()) {
        result.append({query.value(u"cid"_s).toLongLong(), query.value(u"hcom"_s),
                       query.value(u"tje"_s).toLongLong()});
    }
    return result;
}

QList<qlonglong> cids(TestDatabase &db, Kind kind)
{
    QList<qlonglong> result;
    for (const Row &row : rows(db, kind))
        result << row.cid;
    return result;
}

QString shortDate(const QLocale &locale, int year, int month, int day)
{
    return locale.toString(QDate(year, month, day), QLocale::ShortFormat);
}

} // namespace

class TestPaymentReport : public QObject
{
    Q_OBJECT
private slots:
    void selection_data();
    void selection();
    void rowContents();
    void refillReplacesRows();
    void leftoverTablesDropped();
    void dateTexts_data();
    void dateTexts();
    void badDateChangesNothing_data();
    void badDateChangesNothing();
    void missingWorkTable();
};

void TestPaymentReport::selection_data()
{
    QTest::addColumn<Kind>("kind");
    QTest::addColumn<QString>("from");
    QTest::addColumn<QString>("to");
    QTest::addColumn<QString>("buyer");
    QTest::addColumn<QList<qlonglong>>("expected"); // in hcom order

    const QLocale c = QLocale::c();
    const QString march1 = shortDate(c, 2024, 3, 1);
    const QString march2 = shortDate(c, 2024, 3, 2);
    const QString march31 = shortDate(c, 2024, 3, 31);
    // hcom order is text order: NULL, " 1000  甲", " 123  甲", " 500  丙", " 999  乙", "-5  丁".
    QTest::newRow("summary, no limits") << Kind::Summary << QString() << QString() << QString()
                                        << QList<qlonglong>{5, 3, 1, 4, 2, 6};
    QTest::newRow("unpaid, no limits")
        << Kind::Unpaid << QString() << QString() << QString() << QList<qlonglong>{5, 3, 1, 4};
    QTest::newRow("only the lower bound limits nothing")
        << Kind::Summary << march2 << QString() << QString() << QList<qlonglong>{5, 3, 1, 4, 2, 6};
    QTest::newRow("only the upper bound limits nothing")
        << Kind::Summary << QString() << march2 << QString() << QList<qlonglong>{5, 3, 1, 4, 2, 6};
    QTest::newRow("both bounds, inclusive")
        << Kind::Summary << march1 << march31 << QString() << QList<qlonglong>{5, 3, 1, 2};
    QTest::newRow("unpaid within bounds")
        << Kind::Unpaid << march1 << march31 << QString() << QList<qlonglong>{5, 3, 1};
    QTest::newRow("single day") << Kind::Summary << march31 << march31 << QString()
                                << QList<qlonglong>{3};
    QTest::newRow("a buyer") << Kind::Summary << QString() << QString() << u"甲"_s
                             << QList<qlonglong>{3, 1};
    QTest::newRow("buyer, bounds and unpaid")
        << Kind::Unpaid << march2 << march31 << u"甲"_s << QList<qlonglong>{3};
    QTest::newRow("no such buyer")
        << Kind::Summary << QString() << QString() << u"戊"_s << QList<qlonglong>{};
    QTest::newRow("bounds reversed")
        << Kind::Summary << march31 << march1 << QString() << QList<qlonglong>{};
}

void TestPaymentReport::selection()
{
    QFETCH(Kind, kind);
    QFETCH(QString, from);
    QFETCH(QString, to);
    QFETCH(QString, buyer);
    QFETCH(QList<qlonglong>, expected);

    TestDatabase db;
    db.execScript(Invoices);
    PaymentReport report(db.connection(), QLocale::c());
    QCOMPARE(report.fill(kind, from, to, buyer), expected.size());
    QCOMPARE(cids(db, kind), expected);
}

void TestPaymentReport::rowContents()
{
    TestDatabase db;
    db.execScript(Invoices);
    PaymentReport report(db.connection(), QLocale::c());
    report.fill(Kind::Summary, QString(), QString(), QString());
    QHash<qlonglong, Row> byCid;
    for (const Row &row : rows(db, Kind::Summary))
        byCid.insert(row.cid, row);
    QCOMPARE(byCid.value(1).hcom.toString(), u" 123  甲"_s);
    QCOMPARE(byCid.value(3).hcom.toString(), u" 1000  甲"_s);
    QCOMPARE(byCid.value(6).hcom.toString(), u"-5  丁"_s);
    QVERIFY(byCid.value(5).hcom.isNull());
    QCOMPARE(byCid.value(3).tje, 1234500);
    QCOMPARE(byCid.value(4).tje, 5800);

    db.execScript(u"insert into title (cid, 发票号码, 购货单位名称) values (7, 42, NULL);"_s);
    report.fill(Kind::Summary, QString(), QString(), QString());
    QCOMPARE(db.scalar(u"select hcom is null from qry1 where cid = 7"_s).toInt(), 1);
}

void TestPaymentReport::refillReplacesRows()
{
    TestDatabase db;
    db.execScript(Invoices);
    PaymentReport report(db.connection(), QLocale::c());
    QCOMPARE(report.fill(Kind::Summary, QString(), QString(), QString()), 6);
    QCOMPARE(report.fill(Kind::Summary, QString(), QString(), u"乙"_s), 2);
    QCOMPARE(cids(db, Kind::Summary), (QList<qlonglong>{5, 2}));
    // The other printout's table keeps its own rows.
    QCOMPARE(report.fill(Kind::Unpaid, QString(), QString(), QString()), 4);
    QCOMPARE(report.fill(Kind::Summary, QString(), QString(), u"丙"_s), 1);
    QCOMPARE(cids(db, Kind::Unpaid), (QList<qlonglong>{5, 3, 1, 4}));
}

void TestPaymentReport::leftoverTablesDropped()
{
    TestDatabase db;
    db.execScript(Invoices + u"create table QRY2 (x INTEGER);\ncreate table qry4 (x INTEGER);\n"_s);
    PaymentReport report(db.connection(), QLocale::c());
    QVERIFY(report.TableExists(u"qry2"_s));
    QVERIFY(report.TableExists(u"Qry4"_s));
    QVERIFY(!report.TableExists(u"qry5"_s));

    report.fill(Kind::Summary, QString(), QString(), QString());
    QVERIFY(!report.TableExists(u"qry2"_s));
    QVERIFY(report.TableExists(u"qry4"_s));
    report.fill(Kind::Unpaid, QString(), QString(), QString());
    QVERIFY(!report.TableExists(u"qry4"_s));
    // Nothing left to drop: a later run still works.
    QCOMPARE(report.fill(Kind::Unpaid, QString(), QString(), QString()), 4);
}

void TestPaymentReport::dateTexts_data()
{
    QTest::addColumn<QLocale>("locale");
    QTest::addColumn<QString>("from");
    QTest::addColumn<QString>("to");
    QTest::addColumn<QList<qlonglong>>("expected");

    const QLocale german(QLocale::German, QLocale::Germany); // dd.MM.yy
    const QLocale china(QLocale::Chinese, QLocale::China);   // yyyy/M/d
    QTest::newRow("two-digit years are this century")
        << german << u"01.03.24"_s << u"31.03.24"_s << QList<qlonglong>{5, 3, 1, 2};
    QTest::newRow("full year typed")
        << german << u"01.03.2024"_s << u"31.03.2024"_s << QList<qlonglong>{5, 3, 1, 2};
    QTest::newRow("blanks around")
        << german << u" 29.02.24 "_s << u"29.02.24"_s << QList<qlonglong>{4};
    QTest::newRow("picker text, four-digit year")
        << china << shortDate(china, 2024, 3, 1) << shortDate(china, 2024, 3, 31)
        << QList<qlonglong>{5, 3, 1, 2};
    QTest::newRow("blank box limits nothing")
        << china << u"   "_s << u"2024/3/31"_s << QList<qlonglong>{5, 3, 1, 4, 2, 6};
}

void TestPaymentReport::dateTexts()
{
    QFETCH(QLocale, locale);
    QFETCH(QString, from);
    QFETCH(QString, to);
    QFETCH(QList<qlonglong>, expected);

    TestDatabase db;
    db.execScript(Invoices);
    PaymentReport report(db.connection(), locale);
    report.fill(Kind::Summary, from, to, QString());
    QCOMPARE(cids(db, Kind::Summary), expected);
}

void TestPaymentReport::badDateChangesNothing_data()
{
    QTest::addColumn<QString>("from");
    QTest::addColumn<QString>("to");
    QTest::addColumn<QString>("named"); // the box and the text the message must name

    QTest::newRow("lower bound not a date")
        << u"abc"_s << u"31 Mar 2024"_s << u"开票日期 从：“abc”"_s;
    QTest::newRow("upper bound impossible day")
        << u"1 Mar 2024"_s << u"30 Feb 2024"_s << u"到：“30 Feb 2024”"_s;
    QTest::newRow("ISO text in another format")
        << u"2024-03-01"_s << u"31 Mar 2024"_s << u"“2024-03-01”"_s;
    QTest::newRow("unknown month") << u"1 Foo 2024"_s << u"31 Mar 2024"_s << u"“1 Foo 2024”"_s;
}

void TestPaymentReport::badDateChangesNothing()
{
    QFETCH(QString, from);
    QFETCH(QString, to);
    QFETCH(QString, named);

    TestDatabase db;
    db.execScript(Invoices + u"create table qry2 (x INTEGER);\n"_s);
    PaymentReport report(db.connection(), QLocale::c());
    report.fill(Kind::Summary, QString(), QString(), u"甲"_s);
    db.execScript(u"create table qry2 (x INTEGER);"_s);

    try {
        report.fill(Kind::Summary, from, to, QString());
        QFAIL("a bad date text was accepted");
    } catch (const DateInputError &error) {
        QVERIFY2(error.message().contains(named), qPrintable(error.message()));
    }
    QVERIFY(report.TableExists(u"qry2"_s));
    QCOMPARE(cids(db, Kind::Summary), (QList<qlonglong>{3, 1}));
}

void TestPaymentReport::missingWorkTable()
{
    TestDatabase db;
    db.execScript(Invoices + u"drop table qry3;\n"_s);
    PaymentReport report(db.connection(), QLocale::c());
    try {
        report.fill(Kind::Unpaid, QString(), QString(), QString());
        QFAIL("filling a missing work table succeeded");
    } catch (const DatabaseError &error) {
        QVERIFY2(error.message().contains(u"qry3"_s), qPrintable(error.message()));
    }
}

QTEST_GUILESS_MAIN(TestPaymentReport)
#include "tst_paymentreport.moc"
