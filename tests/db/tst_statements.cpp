#include "db/SqlText.h"

#include <QTest>

using namespace Qt::StringLiterals;

// Rewrites of the statements the program hands to datasets.
class TestStatements final : public QObject
{
    Q_OBJECT

private slots:
    void parameterNames_data();
    void parameterNames();
    void tableSelect_data();
    void tableSelect();
    void splitStatements();
    void dialect();
};

void TestStatements::parameterNames_data()
{
    QTest::addColumn<QString>("statement");
    QTest::addColumn<QString>("expected");
    QTest::newRow("mixed case") << u"where cid =:cID"_s << u"where cid =:cid"_s;
    QTest::newRow("several") << u"like :IdNo or x like :Comp"_s << u"like :idno or x like :comp"_s;
    QTest::newRow("inside single quotes")
        << u"a = ':CID' and b = :CID"_s << u"a = ':CID' and b = :cid"_s;
    QTest::newRow("doubled quote inside text")
        << u"a = 'it''s :X' or b = :X"_s << u"a = 'it''s :X' or b = :x"_s;
    QTest::newRow("quoted name") << u"select \"A:B\" from t where c = :Key"_s
                                 << u"select \"A:B\" from t where c = :key"_s;
    QTest::newRow("comment") << u"select 1 -- :Skip\nwhere a = :Take"_s
                             << u"select 1 -- :Skip\nwhere a = :take"_s;
    QTest::newRow("chinese name") << u"where 名称 = :名称X"_s << u"where 名称 = :名称x"_s;
    QTest::newRow("time inside text") << u"where t > '12:30'"_s << u"where t > '12:30'"_s;
}

void TestStatements::parameterNames()
{
    QFETCH(QString, statement);
    QFETCH(QString, expected);
    QCOMPARE(SqlText::lowercaseParameters(statement), expected);
}

void TestStatements::tableSelect_data()
{
    QTest::addColumn<QString>("statement");
    QTest::addColumn<QString>("table"); // empty: not a statement over one table
    QTest::addColumn<QString>("rowIds");
    QTest::newRow("headers") << u"select * from title order by cid desc"_s << u"title"_s
                             << u"select rowid from title order by cid desc"_s;
    QTest::newRow("two blanks, chinese table")
        << u"select  * from 购货单位 order by 单位名称"_s << u"购货单位"_s
        << u"select rowid from 购货单位 order by 单位名称"_s;
    QTest::newRow("search over lines")
        << u"select * from title\nwhere 备注 like :mp\n or 收款人 like :dp\nORDER BY cid desc"_s
        << u"title"_s
        << u"select rowid from title\nwhere 备注 like :mp\n or 收款人 like :dp\nORDER BY cid desc"_s;
    QTest::newRow("trailing blank") << u"SELECT * FROM qry1 order by hcom "_s << u"qry1"_s
                                    << u"select rowid from qry1 order by hcom"_s;
    QTest::newRow("bare") << u"select * from fpdz"_s << u"fpdz"_s << u"select rowid from fpdz"_s;
    QTest::newRow("quoted name") << u"select * from \"my \"\"t\"\"\" where a=1"_s << u"my \"t\""_s
                                 << u"select rowid from \"my \"\"t\"\"\" where a=1"_s;
    QTest::newRow("distinct") << u"select distinct 购货单位名称 from title "_s << QString()
                              << QString();
    QTest::newRow("columns") << u"select cid, hcom from qry1"_s << QString() << QString();
    QTest::newRow("join") << u"select * from title, detail where title.cid = detail.cid"_s
                          << QString() << QString();
    QTest::newRow("group") << u"select * from title group by 购货单位名称"_s << QString()
                           << QString();
}

void TestStatements::tableSelect()
{
    QFETCH(QString, statement);
    QFETCH(QString, table);
    QFETCH(QString, rowIds);
    const auto select = SqlText::tableSelect(statement);
    QCOMPARE(select.has_value(), !table.isEmpty());
    if (select) {
        QCOMPARE(select->table, table);
        QCOMPARE(select->rowIdQuery.trimmed(), rowIds);
    }
}

void TestStatements::splitStatements()
{
    QCOMPARE(
        SqlText::splitStatements(u"delete from a where x = ';';\n insert into b values (1); ;"_s),
        (QStringList{u"delete from a where x = ';'"_s, u"insert into b values (1)"_s}));
    QCOMPARE(SqlText::splitStatements(u"select 1 /* ; */ -- ;\n"_s),
             QStringList{u"select 1 /* ; */ -- ;"_s});
}

void TestStatements::dialect()
{
    QCOMPARE(SqlText::withoutDeleteStar(u"delete * from qry1"_s), u"delete from qry1"_s);
    QCOMPARE(SqlText::withoutDeleteStar(u"delete  from detail where cid = 1"_s),
             u"delete  from detail where cid = 1"_s);
    const auto insert = SqlText::insertSelect(
        u"insert into detail\nselect '7' as cid,金额 from detail\nwhere cid=3"_s);
    QVERIFY(insert);
    QCOMPARE(insert->table, u"detail"_s);
    QCOMPARE(insert->select, u"select '7' as cid,金额 from detail\nwhere cid=3"_s);
    QVERIFY(!SqlText::insertSelect(u"insert into detail (cid) select 1"_s));
    QVERIFY(!SqlText::insertSelect(u"insert into detail values (1)"_s));
}

QTEST_GUILESS_MAIN(TestStatements)
#include "tst_statements.moc"
