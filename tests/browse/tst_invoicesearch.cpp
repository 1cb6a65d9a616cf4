#include "StatementLog.h"
#include "TestDatabase.h"
#include "browse/InvoiceSearch.h"
#include "db/DatabaseError.h"
#include "db/Dataset.h"

#include <QRandomGenerator>
#include <QTest>

namespace {

QList<qint64> cids(const Dataset &titles)
{
    QList<qint64> result;
    for (int row = 0; row < titles.rowCount(); ++row)
        result << titles.rowValue(row, QStringLiteral("cid")).toLongLong();
    return result;
}

// The rows the store itself gives for the search statement with this text.
QList<qint64> storeRows(Connection &connection, const QString &text)
{
    Dataset plain(connection);
    plain.setSql(InvoiceSearch::statement());
    for (const QString &name : InvoiceSearch::parameterNames())
        plain.setParameter(name, InvoiceSearch::pattern(text));
    plain.open();
    return cids(plain);
}

} // namespace

class TestInvoiceSearch : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void searchPutsItsStatementInForce();
    void searchListsWhatTheStoreLists_data();
    void searchListsWhatTheStoreLists();
    void onlyTheSevenColumnsAreSearched_data();
    void onlyTheSevenColumnsAreSearched();
    void writesAreFollowed_data();
    void writesAreFollowed();
    void randomTextsListWhatTheStoreLists();
    void aPatternTheStoreRefusesLeavesTheHeadersClosed();
    void anotherStatementIsLeftToTheStore();

private:
    std::unique_ptr<TestDatabase> m_database;
    std::unique_ptr<Dataset> m_titles;
    std::unique_ptr<InvoiceSearch> m_search;
};

void TestInvoiceSearch::init()
{
    m_database = std::make_unique<TestDatabase>(QStringList{QStringLiteral("browse_search.sql")});
    m_titles = std::make_unique<Dataset>(m_database->connection());
    m_titles->setSql({QStringLiteral("select * from title order by cid desc")});
    m_titles->open();
    m_search = std::make_unique<InvoiceSearch>(*m_titles);
}

void TestInvoiceSearch::cleanup()
{
    m_search.reset();
    m_titles.reset();
    m_database.reset();
}

void TestInvoiceSearch::searchPutsItsStatementInForce()
{
    m_search->run(QStringLiteral("12"));
    QCOMPARE(m_titles->sql().join(u'\n'),
             QStringLiteral(
                 "select * from title\n"
                 "where 发票号码 like :idno or 购货单位名称 like :comp or 购货单位银行 like :hc "
                 "or 购货单位地址 like :bl or 购货纳税人识别号 like :lp\n"
                 " or 收款人 like :dp or 备注 like :mp\n"
                 "ORDER BY cid desc"));
    for (const char *name : {"idno", "comp", "hc", "bl", "lp", "dp", "mp"})
        QCOMPARE(m_titles->parameter(QString::fromLatin1(name)).toString(), QStringLiteral("%12%"));
    QCOMPARE(cids(*m_titles), QList<qint64>({4, 2, 1}));
    QCOMPARE(m_titles->currentRow(), 0);
    // Typed text goes in untouched: blanks stay, wildcards and quotes are not escaped.
    m_search->run(QStringLiteral(" a_'% "));
    QCOMPARE(m_titles->parameter(QStringLiteral("mp")).toString(), QStringLiteral("% a_'% %"));
}

void TestInvoiceSearch::searchListsWhatTheStoreLists_data()
{
    QTest::addColumn<QString>("text");
    for (const char *text :
         {"12", "",   "abc",  "ABC",   "é",  "É", "先生", "只在备注", "_",    "%", "1_0",
          "'",  "\\", "100%", "纯棉_", "% ", " ", "2.5",  "12.5",     "1200", "z", "%a%c%"})
        QTest::newRow(text) << QString::fromUtf8(text);
}

void TestInvoiceSearch::searchListsWhatTheStoreLists()
{
    QFETCH(QString, text);
    StatementLog log(m_database->connection().handle());
    m_search->run(text);
    QVERIFY2(!log.any(QStringLiteral("like")), qPrintable(log.statements().join(u'\n')));
    QCOMPARE(cids(*m_titles), storeRows(m_database->connection(), text));
}

void TestInvoiceSearch::onlyTheSevenColumnsAreSearched_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QList<qint64>>("found");
    QTest::newRow("invoice number as text") << QStringLiteral("341") << QList<qint64>{2};
    QTest::newRow("only in 备注") << QStringLiteral("只在备注") << QList<qint64>{2};
    QTest::newRow("only in 销货单位名称") << QStringLiteral("卖方独有") << QList<qint64>{};
    QTest::newRow("only in 复核") << QStringLiteral("复核独有") << QList<qint64>{};
    QTest::newRow("only in 开票人") << QStringLiteral("开票独有") << QList<qint64>{};
    QTest::newRow("Latin letters in any case") << QStringLiteral("aBc") << QList<qint64>{5, 2, 1};
    QTest::newRow("other letters in their own case") << QStringLiteral("é") << QList<qint64>{5};
    // An empty box matches a value, an empty text included, but never a header whose
    // searched columns are all NULL.
    QTest::newRow("empty box") << QString() << QList<qint64>{5, 4, 2, 1};
}

void TestInvoiceSearch::onlyTheSevenColumnsAreSearched()
{
    QFETCH(QString, text);
    QFETCH(QList<qint64>, found);
    m_search->run(text);
    QCOMPARE(cids(*m_titles), found);
}

void TestInvoiceSearch::writesAreFollowed_data()
{
    QTest::addColumn<QString>("how");
    QTest::newRow("header edited and posted") << QStringLiteral("edit");
    QTest::newRow("header appended and posted") << QStringLiteral("append");
    QTest::newRow("header deleted") << QStringLiteral("delete");
    QTest::newRow("statement of this connection") << QStringLiteral("statement");
    QTest::newRow("another program") << QStringLiteral("other");
    QTest::newRow("connection opened again") << QStringLiteral("reopen");
}

void TestInvoiceSearch::writesAreFollowed()
{
    QFETCH(QString, how);
    Connection &connection = m_database->connection();
    const QString text = QStringLiteral("新名");
    m_search->run(text);
    QCOMPARE(cids(*m_titles), QList<qint64>());
    if (how == u"edit" || how == u"append") {
        m_search->run(QString());
        if (how == u"edit")
            m_titles->moveTo(2); // cid 2
        else
            m_titles->append();
        m_titles->edit();
        m_titles->setValue(QStringLiteral("收款人"), QStringLiteral("新名字"));
        m_titles->post();
    } else if (how == u"delete") {
        connection.exec(QStringLiteral("update title set 备注 = '新名' where cid in (1, 5)"));
        m_search->run(text);
        QCOMPARE(cids(*m_titles), QList<qint64>({5, 1}));
        m_titles->remove();
    } else if (how == u"statement") {
        connection.exec(QStringLiteral("update title set 购货单位银行 = '新名银行' where cid = 3"));
    } else if (how == u"other") {
        Connection other(TestDatabase::uniqueConnectionName());
        other.open(m_database->path());
        other.exec(QStringLiteral("update title set 购货单位地址 = '新名路' where cid = 4"));
    } else if (how == u"reopen") {
        m_titles->close();
        connection.open(m_database->path());
        connection.exec(QStringLiteral("update title set 备注 = '新名' where cid = 1"));
    }
    StatementLog log(connection.handle());
    m_search->run(text);
    QVERIFY(!log.any(QStringLiteral("like")));
    const QList<qint64> found = cids(*m_titles);
    QCOMPARE(found, storeRows(connection, text));
    QCOMPARE(found.size(), 1);
}

// Many short values over a few characters, so that typed texts, wildcards among them,
// match in many ways: at the ends of values, across what would be the border between two
// columns, in some rows and not in others.
void TestInvoiceSearch::randomTextsListWhatTheStoreLists()
{
    const QStringList alphabet{QStringLiteral("1"), QStringLiteral("2"),  QStringLiteral("a"),
                               QStringLiteral("B"), QStringLiteral("号"), QStringLiteral(" ")};
    QRandomGenerator random(11);
    const auto text = [&](int longest) {
        QString result;
        for (int n = int(random.bounded(longest + 1)); n > 0; --n)
            result += alphabet.at(int(random.bounded(int(alphabet.size()))));
        return result;
    };
    Connection &store = m_database->connection();
    store.exec(QStringLiteral("delete from title"));
    for (int cid = 1; cid <= 60; ++cid) {
        QVariantMap values{{QStringLiteral("cid"), cid},
                           {QStringLiteral("no"),
                            random.bounded(3) ? QVariant(int(random.bounded(300))) : QVariant()}};
        QStringList names{QStringLiteral("cid"), QStringLiteral("发票号码")};
        QStringList marks{QStringLiteral(":cid"), QStringLiteral(":no")};
        for (int c = 1; c < InvoiceSearch::searchedColumns().size(); ++c) {
            const QString mark = QStringLiteral("c%1").arg(c);
            names << InvoiceSearch::searchedColumns().at(c);
            marks << u':' + mark;
            values.insert(mark, random.bounded(4) ? QVariant(text(3)) : QVariant());
        }
        store.exec(QStringLiteral("insert into title (%1) values (%2)")
                       .arg(names.join(u','), marks.join(u',')),
                   values);
    }
    const QStringList typed{QStringLiteral("%"), QStringLiteral("_")};
    for (int i = 0; i < 300; ++i) {
        QString box = text(3);
        if (random.bounded(2))
            box.insert(int(random.bounded(int(box.size()) + 1)), typed.at(int(random.bounded(2))));
        StatementLog log(store.handle());
        m_search->run(box);
        QVERIFY(!log.any(QStringLiteral("like")));
        QCOMPARE(cids(*m_titles), storeRows(store, box));
    }
}

void TestInvoiceSearch::aPatternTheStoreRefusesLeavesTheHeadersClosed()
{
    sqlite3 *db = m_database->connection().handle();
    sqlite3_limit(db, SQLITE_LIMIT_LIKE_PATTERN_LENGTH, 8);
    try {
        m_search->run(QStringLiteral("0123456789"));
        QFAIL("the store took a pattern over its limit");
    } catch (const DatabaseError &error) {
        QVERIFY2(error.message().contains(QStringLiteral("too complex")),
                 qPrintable(error.message()));
    }
    QVERIFY(!m_titles->isOpen());
    m_search->run(QStringLiteral("12"));
    QCOMPARE(cids(*m_titles), QList<qint64>({4, 2, 1}));
}

void TestInvoiceSearch::anotherStatementIsLeftToTheStore()
{
    m_search->run(QStringLiteral("12"));
    m_titles->close();
    m_titles->setSql(
        {QStringLiteral("select * from title where 小写金额 > 100000 order by cid desc")});
    m_titles->open();
    QCOMPARE(cids(*m_titles), QList<qint64>({5, 3, 1}));
}

QTEST_GUILESS_MAIN(TestInvoiceSearch)
#include "tst_invoicesearch.moc"
