#include "TestDatabase.h"
#include "db/DatabaseError.h"
#include "db/Dataset.h"

#include <QTest>

// A database made from the schema holds every table and column the program uses, with
// the kind of value each column holds. The lists are written out here on purpose: they
// must not be read from the schema they check.
class TestSchema final : public QObject
{
    Q_OBJECT

private slots:
    void tablesAndColumns_data();
    void tablesAndColumns();
    void noWorkTablesThatReportsDrop();
    void booleansRefuseNull();
    void emptyDatabaseTakesFirstInvoice();
};

namespace {

// "name:kind" or "name:kind:limit"; kind "any" where the type is not fixed.
QStringList numbered(const QString &prefix, int from, int to, const QString &kind)
{
    QStringList columns;
    for (int i = from; i <= to; ++i)
        columns << QStringLiteral("%1%2:%3").arg(prefix).arg(i).arg(kind);
    return columns;
}

const QStringList partyColumns = {
    QStringLiteral("单位名称:text:255"), QStringLiteral("纳税人识别号:text"),
    QStringLiteral("地址电话:text"), QStringLiteral("开户行及帐号:text")};
const QStringList workColumns = {QStringLiteral("cid:integer"), QStringLiteral("hcom:text"),
                                 QStringLiteral("tje:currency")};

QString kindName(FieldType type)
{
    switch (type) {
    case FieldType::Integer:
        return QStringLiteral("integer");
    case FieldType::Double:
        return QStringLiteral("double");
    case FieldType::Currency:
        return QStringLiteral("currency");
    case FieldType::Boolean:
        return QStringLiteral("boolean");
    case FieldType::Date:
        return QStringLiteral("date");
    case FieldType::Text:
        break;
    }
    return QStringLiteral("text");
}

} // namespace

void TestSchema::tablesAndColumns_data()
{
    QTest::addColumn<QString>("table");
    QTest::addColumn<QStringList>("columns");
    QStringList title = {QStringLiteral("cid:integer"), QStringLiteral("发票号码:integer")};
    title << numbered(QStringLiteral("发票号码"), 2, 8, QStringLiteral("any"));
    title << QStringLiteral("检验码:text")
          << numbered(QStringLiteral("密码"), 1, 8, QStringLiteral("text"));
    title << QStringLiteral("开票日期:date") << QStringLiteral("中文日期:text")
          << QStringLiteral("是否收款:boolean");
    for (const char *party : {"购货", "销货"}) {
        const QString p = QString::fromUtf8(party);
        title << p + u"单位名称:text" << p + u"纳税人识别号:text" << p + u"单位地址:text"
              << p + u"单位银行:text";
    }
    title << QStringLiteral("收款人:text") << QStringLiteral("复核:text")
          << QStringLiteral("开票人:text") << QStringLiteral("备注:text")
          << numbered(QStringLiteral("备注"), 1, 4, QStringLiteral("text"))
          << QStringLiteral("小写金额:currency") << QStringLiteral("大写金额:text")
          << QStringLiteral("是否打印格式:boolean") << QStringLiteral("oth1:text")
          << QStringLiteral("oth2:text") << QStringLiteral("oth3:text");
    QStringList detail = {QStringLiteral("id:integer"),
                          QStringLiteral("cid:integer"),
                          QStringLiteral("货物应税名称:text:250"),
                          QStringLiteral("规格型号:text:50"),
                          QStringLiteral("单位:text:20"),
                          QStringLiteral("数量:double"),
                          QStringLiteral("单价:double"),
                          QStringLiteral("金额:currency"),
                          QStringLiteral("税率:double"),
                          QStringLiteral("税额:currency")};
    detail << numbered(QStringLiteral("其它"), 1, 3, QStringLiteral("text:50"))
           << numbered(QStringLiteral("其它"), 4, 6, QStringLiteral("double"));
    QTest::newRow("title") << QStringLiteral("title") << title;
    QTest::newRow("detail") << QStringLiteral("detail") << detail;
    QTest::newRow("buyers") << QStringLiteral("购货单位") << partyColumns;
    QTest::newRow("sellers") << QStringLiteral("销货单位") << partyColumns;
    QTest::newRow("fpdz") << QStringLiteral("fpdz") << QStringList{QStringLiteral("fpdz:text")};
    // The print setting tables must exist; their columns are free.
    QTest::newRow("fpset1") << QStringLiteral("fpset1") << QStringList();
    QTest::newRow("fpset2") << QStringLiteral("fpset2") << QStringList();
    QTest::newRow("fpset3") << QStringLiteral("fpset3") << QStringList();
    QTest::newRow("qry1") << QStringLiteral("qry1") << workColumns;
    QTest::newRow("qry3") << QStringLiteral("qry3") << workColumns;
}

void TestSchema::tablesAndColumns()
{
    QFETCH(QString, table);
    QFETCH(QStringList, columns);
    TestDatabase db;
    QVERIFY(db.connection().tableNames().contains(table));
    Dataset ds(db.connection());
    ds.setSql({QStringLiteral("select * from ") + table});
    ds.open(); // a missing column fails the bound controls when they open
    if (columns.isEmpty())
        return;
    QStringList actual;
    for (const QString &column : columns) {
        const QStringList parts = column.split(u':');
        const QString &name = parts.at(0);
        QVERIFY2(ds.hasField(name), qPrintable(table + u'.' + name));
        QString kind = parts.at(1) == u"any" ? QStringLiteral("any") : kindName(ds.fieldType(name));
        if (ds.maxLength(name) > 0)
            kind += QStringLiteral(":%1").arg(ds.maxLength(name));
        actual << name + u':' + kind;
    }
    QCOMPARE(actual, columns);
    QCOMPARE(ds.fieldNames().size(), columns.size()); // no column the program does not know
}

void TestSchema::noWorkTablesThatReportsDrop()
{
    TestDatabase db;
    const QStringList tables = db.connection().tableNames();
    QVERIFY(!tables.contains(QStringLiteral("qry2")));
    QVERIFY(!tables.contains(QStringLiteral("qry4")));
}

void TestSchema::booleansRefuseNull()
{
    TestDatabase db;
    QVERIFY_THROWS_EXCEPTION(
        DatabaseError, db.execScript(QStringLiteral("insert into title (是否收款) values (null)")));
    db.execScript(QStringLiteral("insert into title (备注) values ('x')"));
    QCOMPARE(db.scalar(QStringLiteral("select 是否收款 || 是否打印格式 from title")).toString(),
             QStringLiteral("00"));
}

void TestSchema::emptyDatabaseTakesFirstInvoice()
{
    TestDatabase db;
    Dataset t(db.connection());
    t.setSql({QStringLiteral("select * from title order by cid desc")});
    t.open();
    QVERIFY(t.isEmpty());
    t.edit(); // appends on an empty set
    t.post();
    db.execScript(QStringLiteral("insert into title (备注) values ('其他程序写的')"));
    t.append();
    t.post();
    t.requery();
    QCOMPARE(t.rowCount(), 3);
    QCOMPARE(t.value(QStringLiteral("cid")).toLongLong(), 3);
    t.last();
    QCOMPARE(t.value(QStringLiteral("cid")).toLongLong(), 1);
}

QTEST_GUILESS_MAIN(TestSchema)
#include "tst_schema.moc"
