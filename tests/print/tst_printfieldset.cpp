#include "TestDatabase.h"
#include "db/DatabaseError.h"
#include "db/Dataset.h"
#include "entry/ColumnTotals.h"
#include "print/PrintFieldSet.h"

#include <QTest>

using namespace Qt::StringLiterals;

namespace {

// Invoice `cid` with `count` lines: line n is named 货<cid>-<n>, quantity n, amount n yuan,
// tax 0.13 n yuan.
QString invoiceWithLines(int cid, int count)
{
    QString sql = u"insert into title (cid) values (%1);\n"_s.arg(cid);
    for (int n = 1; n <= count; ++n) {
        sql +=
            u"insert into detail (cid, 货物应税名称, 规格型号, 单位, 数量, 单价, 金额, 税率, 税额)"
            u" values (%1, '货%1-%2', '型%1-%2', '件', %2, 1.5, %3, 13, %4);\n"_s.arg(cid)
                .arg(n)
                .arg(n * 10000)
                .arg(n * 1300);
    }
    return sql;
}

// Invoice 5: the text forms and NULLs.
const QString FormsInvoice = uR"(
insert into title (cid) values (5);
insert into detail (id, cid, 货物应税名称, 规格型号, 单位, 数量, 单价, 金额, 税率, 税额) values
 (51, 5, '螺丝', NULL, '个', 3, 12.3456, 12345000, 17, 20050),
 (52, 5, ' 垫圈 ', '', NULL, 0, NULL, 0, NULL, NULL),
 (53, 5, NULL, 'M8', '盒', 0.00005, 0.5, -1250, 6.5, 0);
)"_s;

struct Fixture
{
    TestDatabase db;
    Dataset set1qry{db.connection()};
    Dataset set2qry{db.connection()};
    Dataset set3qry{db.connection()};
    Dataset detailqry{db.connection()};
    ColumnTotals totals{detailqry};
    PrintFieldSet fields;

    Fixture()
    {
        // One transaction: a commit per row would make every case wait for the disk.
        db.execScript(u"begin;\n"_s + invoiceWithLines(1, 8) + invoiceWithLines(2, 3) +
                      invoiceWithLines(3, 0) + invoiceWithLines(4, 10) + FormsInvoice +
                      u"commit;\n"_s);
        set1qry.setSql({u"select * from fpset1"_s});
        set2qry.setSql({u"select * from fpset2"_s});
        set3qry.setSql({u"select * from fpset3"_s});
        detailqry.setSql({u"select * from detail where cid = :cid order by id"_s});
    }

    void showInvoice(int cid)
    {
        detailqry.close();
        detailqry.setParameter(u"cid"_s, cid);
        detailqry.open();
    }

    void build() { FillPrintFields(fields, {set1qry, set2qry, set3qry, detailqry, totals}); }

    void fillEverySlot(const QString &text)
    {
        for (int n = 1; n <= PrintFieldSet::SlotCount; ++n)
            fields.setSlot(n, text);
    }
};

} // namespace

class TestPrintFieldSet : public QObject
{
    Q_OBJECT
private slots:
    void slotNumbers();
    void invoiceWithoutLines();
    void shorterInvoiceLeavesNothingBehind();
    void tenLines();
    void textForms_data();
    void textForms();
    void pendingLineIsPostedFirst();
    void missingSettingsTable();
};

void TestPrintFieldSet::slotNumbers()
{
    PrintFieldSet fields;
    fields.setSlot(1, u"a"_s);
    fields.setSlot(67, u"b"_s);
    QCOMPARE(fields.slot(1), u"a"_s);
    QCOMPARE(fields.slot(67), u"b"_s);
    QCOMPARE(PrintFieldSet::slotName(67), u"Edit67"_s);
    QVERIFY_THROWS_EXCEPTION(std::out_of_range, fields.slot(0));
    QVERIFY_THROWS_EXCEPTION(std::out_of_range, fields.setSlot(68, QString()));
    ClearPrintFields(fields);
    QVERIFY(fields.slot(1).isEmpty());
    QVERIFY(fields.slot(67).isEmpty());
}

void TestPrintFieldSet::invoiceWithoutLines()
{
    Fixture f;
    f.fillEverySlot(u"旧"_s);
    f.showInvoice(3);
    f.build();
    for (int n = 1; n <= 64; ++n)
        QVERIFY2(f.fields.slot(n).isEmpty(), qPrintable(PrintFieldSet::slotName(n)));
    QCOMPARE(f.fields.slot(65), u"0"_s);
    QCOMPARE(f.fields.slot(66), u"0.00"_s);
    QCOMPARE(f.fields.slot(67), u"0.00"_s);
    QVERIFY(f.set1qry.isOpen() && f.set2qry.isOpen() && f.set3qry.isOpen());
}

void TestPrintFieldSet::shorterInvoiceLeavesNothingBehind()
{
    Fixture f;
    f.showInvoice(1);
    f.build();
    QCOMPARE(f.fields.slot(57), u"货1-8"_s);
    QCOMPARE(f.fields.slot(64), u"1.04"_s);

    f.showInvoice(2);
    f.build();
    for (int n = 25; n <= 64; ++n)
        QVERIFY2(f.fields.slot(n).isEmpty(), qPrintable(PrintFieldSet::slotName(n)));
    for (int n = 1; n <= PrintFieldSet::SlotCount; ++n)
        QVERIFY2(!f.fields.slot(n).contains(u"货1-"_s), qPrintable(PrintFieldSet::slotName(n)));
    const QStringList line3{u"货2-3"_s, u"型2-3"_s, u"件"_s,  u"3"_s,
                            u"1.5"_s,   u"3.00"_s,  u"13%"_s, u"0.39"_s};
    for (int position = 0; position < 8; ++position)
        QCOMPARE(f.fields.slot(17 + position), line3.at(position));
    QCOMPARE(f.fields.slot(65), u"6"_s);
    QCOMPARE(f.fields.slot(66), u"6.00"_s);
    QCOMPARE(f.fields.slot(67), u"0.78"_s);
}

void TestPrintFieldSet::tenLines()
{
    Fixture f;
    f.showInvoice(4);
    f.build();
    for (int line = 1; line <= 8; ++line)
        QCOMPARE(f.fields.slot(8 * line - 7), u"货4-%1"_s.arg(line));
    for (int n = 1; n <= PrintFieldSet::SlotCount; ++n) {
        QVERIFY(!f.fields.slot(n).contains(u"4-9"_s));
        QVERIFY(!f.fields.slot(n).contains(u"4-10"_s));
    }
    QCOMPARE(f.fields.slot(65), u"55"_s); // 1 + ... + 10
    QCOMPARE(f.fields.slot(66), u"55.00"_s);
    QCOMPARE(f.fields.slot(67), u"7.15"_s);
    QCOMPARE(f.detailqry.currentRow(), 9);
    QCOMPARE(f.detailqry.value(u"货物应税名称"_s).toString(), u"货4-10"_s);
}

void TestPrintFieldSet::textForms_data()
{
    QTest::addColumn<int>("slot");
    QTest::addColumn<QString>("text");

    QTest::newRow("name") << 1 << u"螺丝"_s;
    QTest::newRow("NULL model") << 2 << QString();
    QTest::newRow("unit") << 3 << u"个"_s;
    QTest::newRow("whole quantity") << 4 << u"3"_s;
    QTest::newRow("unit price general form") << 5 << u"12.3456"_s;
    QTest::newRow("amount 1234.5") << 6 << u"1234.50"_s;
    QTest::newRow("rate 17") << 7 << u"17%"_s;
    QTest::newRow("tax 2.005") << 8 << u"2.01"_s;

    QTest::newRow("name kept with its blanks") << 9 << u" 垫圈 "_s;
    QTest::newRow("empty model") << 10 << QString();
    QTest::newRow("NULL unit") << 11 << QString();
    QTest::newRow("zero quantity") << 12 << u"0"_s;
    QTest::newRow("NULL unit price") << 13 << QString();
    QTest::newRow("zero amount") << 14 << u"0.00"_s;
    QTest::newRow("NULL rate, no percent sign") << 15 << QString();
    QTest::newRow("NULL tax") << 16 << QString();

    QTest::newRow("NULL name") << 17 << QString();
    QTest::newRow("tiny quantity") << 20 << u"5E-5"_s;
    QTest::newRow("negative half amount") << 22 << u"-0.13"_s;
    QTest::newRow("fractional rate") << 23 << u"6.5%"_s;
    QTest::newRow("zero tax") << 24 << u"0.00"_s;

    QTest::newRow("quantity total, four decimals") << 65 << u"3.0001"_s;
    QTest::newRow("amount total") << 66 << u"1234.38"_s;
    QTest::newRow("tax total") << 67 << u"2.01"_s;
}

void TestPrintFieldSet::textForms()
{
    QFETCH(int, slot);
    QFETCH(QString, text);
    Fixture f;
    f.fillEverySlot(u"旧"_s);
    f.showInvoice(5);
    f.build();
    QCOMPARE(f.fields.slot(slot), text);
}

void TestPrintFieldSet::pendingLineIsPostedFirst()
{
    Fixture f;
    f.showInvoice(2);
    f.detailqry.last();
    f.detailqry.edit();
    f.detailqry.setValue(u"金额"_s, QVariant::fromValue(Money::fromString(u"100"_s).value()));
    f.build();
    QCOMPARE(f.fields.slot(22), u"100.00"_s);
    QCOMPARE(f.fields.slot(66), u"103.00"_s);
    QCOMPARE(f.db.scalar(u"select 金额 from detail where cid = 2 and 数量 = 3"_s).toLongLong(),
             1000000);
}

void TestPrintFieldSet::missingSettingsTable()
{
    Fixture f;
    f.db.execScript(u"drop table fpset2;"_s);
    f.showInvoice(1);
    f.fillEverySlot(u"旧"_s);
    try {
        f.build();
        QFAIL("the build went on without fpset2");
    } catch (const DatabaseError &error) {
        QVERIFY2(error.message().contains(u"fpset2"_s), qPrintable(error.message()));
    }
    QVERIFY(f.set1qry.isOpen());
    QVERIFY(!f.set3qry.isOpen());
    QCOMPARE(f.fields.slot(1), u"旧"_s);
    QCOMPARE(f.fields.slot(67), u"旧"_s);
}

QTEST_GUILESS_MAIN(TestPrintFieldSet)
#include "tst_printfieldset.moc"
