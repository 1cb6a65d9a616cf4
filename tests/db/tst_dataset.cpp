#include "TestDatabase.h"
#include "db/DatabaseError.h"
#include "db/Dataset.h"
#include "entry/Money.h"

#include <QMetaEnum>
#include <QSignalSpy>
#include <QTest>
#include <functional>

// The dataset layer as the windows use it: states, notifications, master link,
// reactions, sort, and what reaches the store.
class TestDataset final : public QObject
{
    Q_OBJECT

private slots:
    void openShowsStatementOrder();
    void parametersIgnoreCaseAndTextMatchesIntegers_data();
    void parametersIgnoreCaseAndTextMatchesIntegers();
    void operationInState_data();
    void operationInState();
    void notifications_data();
    void notifications();
    void postReturnsCounterAndWritesBooleans();
    void counterOfDeletedNewestRowIsNotReused();
    void removeMakesNextRowCurrent();
    void closeDropsPendingChanges();
    void userChangeLastsUntilRowIsDone_data();
    void userChangeLastsUntilRowIsDone();
    void requerySeesOtherWritesAndStartsAtFirstRow();
    void execSqlRunsStatementWithParameters();
    void locateFindsFirstRowInCurrentOrder();
    void masterLinkFollowsCurrentHeader();
    void masterLinkPostsPendingLineFirst();
    void editReenteredDuringPostFollowsTheNewRow_data();
    void editReenteredDuringPostFollowsTheNewRow();
    void reactionsRunInsideTheWrite();
    void runawayReactionsFail();
    void sortOrdersLoadedRows_data();
    void sortOrdersLoadedRows();
    void sortKeepsCurrentRowAndDoesNotRerun();
    void otherStatementsAreReadOnly();
    void manyRowsReadAndWrittenByPage();
    void storeErrorsCarryStoreMessage();
};

namespace {

const QString headers = QStringLiteral("select * from title order by cid desc");
const QString lines = QStringLiteral("select * from detail where cid=:cid");

QString changeName(Dataset::Change change)
{
    return QString::fromLatin1(
        QMetaEnum::fromType<Dataset::Change>().valueToKey(static_cast<int>(change)));
}

// Records every notification of the datasets it watches, prefixed by a short name.
struct Recorder
{
    QStringList events;
    void watch(Dataset &dataset, const QString &prefix)
    {
        QObject::connect(&dataset, &Dataset::changed, &dataset,
                         [this, prefix](Dataset::Change c, const QString &col) {
                             events << prefix + changeName(c) +
                                           (col.isEmpty() ? QString() : u':' + col);
                         });
        QObject::connect(&dataset, &Dataset::closed, &dataset,
                         [this, prefix] { events << prefix + u"closed"; });
    }
};

QList<qlonglong> ids(const Dataset &dataset, const QString &column)
{
    QList<qlonglong> result;
    for (int row = 0; row < dataset.rowCount(); ++row)
        result << dataset.rowValue(row, column).toLongLong();
    return result;
}

// Runs one step of a script such as "T.next" or "D.set" on the header set T or the line set D.
void runStep(Dataset &t, Dataset &d, const QString &step)
{
    Dataset &ds = step.startsWith(u"D.") ? d : t;
    const QString op = step.mid(2);
    const bool isLines = &ds == &d;
    static const QHash<QString, std::function<void(Dataset &, bool)>> ops = {
        {QStringLiteral("open"), [](Dataset &s, bool) { s.open(); }},
        {QStringLiteral("close"), [](Dataset &s, bool) { s.close(); }},
        {QStringLiteral("first"), [](Dataset &s, bool) { s.first(); }},
        {QStringLiteral("last"), [](Dataset &s, bool) { s.last(); }},
        {QStringLiteral("next"), [](Dataset &s, bool) { s.next(); }},
        {QStringLiteral("prior"), [](Dataset &s, bool) { s.prior(); }},
        {QStringLiteral("edit"), [](Dataset &s, bool) { s.edit(); }},
        {QStringLiteral("append"), [](Dataset &s, bool) { s.append(); }},
        {QStringLiteral("post"), [](Dataset &s, bool) { s.post(); }},
        {QStringLiteral("cancel"), [](Dataset &s, bool) { s.cancel(); }},
        {QStringLiteral("remove"), [](Dataset &s, bool) { s.remove(); }},
        {QStringLiteral("requery"), [](Dataset &s, bool) { s.requery(); }},
        {QStringLiteral("updateBatch"), [](Dataset &s, bool) { s.updateBatch(); }},
        {QStringLiteral("sort"), [](Dataset &s, bool) { s.setSort(QStringLiteral("cid")); }},
        {QStringLiteral("locate"),
         [](Dataset &s, bool) { QVERIFY(s.locate(QStringLiteral("cid"), 1)); }},
        {QStringLiteral("set"),
         [](Dataset &s, bool lines) {
             s.setValue(lines ? QStringLiteral("货物应税名称") : QStringLiteral("购货单位名称"),
                        QStringLiteral("新"));
         }},
    };
    QVERIFY2(ops.contains(op), qPrintable(step));
    ops.value(op)(ds, isLines);
}

void runScript(Dataset &t, Dataset &d, const QString &script)
{
    for (const QString &step : script.split(u' ', Qt::SkipEmptyParts))
        runStep(t, d, step);
}

// The header set T and the line set D linked to it, as the main window holds them.
struct Linked
{
    explicit Linked(TestDatabase &db) : t(db.connection()), d(db.connection())
    {
        t.setSql({headers});
        d.setSql({lines});
        d.setMaster(&t, QStringLiteral("cid"));
    }
    Dataset t;
    Dataset d;
};

qlonglong count(TestDatabase &db, const QString &table)
{
    return db.scalar(QStringLiteral("select count(*) from ") + table).toLongLong();
}

} // namespace

void TestDataset::openShowsStatementOrder()
{
    TestDatabase db({QStringLiteral("invoices_small.sql")});
    Dataset t(db.connection());
    QCOMPARE(t.state(), Dataset::State::Inactive);
    t.addSql(QStringLiteral("select * from title"));
    t.addSql(QStringLiteral("order by cid desc"));
    Recorder recorder;
    recorder.watch(t, QString());
    t.open();
    t.open(); // already open: nothing happens
    QCOMPARE(recorder.events, QStringList{QStringLiteral("Opened")});
    QCOMPARE(t.state(), Dataset::State::Browse);
    QCOMPARE(ids(t, QStringLiteral("cid")), (QList<qlonglong>{3, 2, 1}));
    QCOMPARE(t.currentRow(), 0);
    QCOMPARE(t.value(QStringLiteral("发票号码")).toLongLong(), 99999999);
    QCOMPARE(t.value(QStringLiteral("购货单位名称")).toString(),
             QStringLiteral("北京华信科技有限公司"));
    t.last();
    QCOMPARE(t.value(QStringLiteral("密码1")).toString(),
             QStringLiteral("<3*-+>12/0987654321<<>-*+"));
    QCOMPARE(t.value(QStringLiteral("小写金额")).value<Money>(), Money::fromRaw(1170000));
    QCOMPARE(t.value(QStringLiteral("开票日期")).toDate(), QDate(2009, 4, 8));
    QCOMPARE(t.value(QStringLiteral("是否收款")).toBool(), true);
    QCOMPARE(t.value(QStringLiteral("是否打印格式")).toBool(), false);
}

void TestDataset::parametersIgnoreCaseAndTextMatchesIntegers_data()
{
    QTest::addColumn<QString>("statement");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QVariant>("value");
    QTest::addColumn<QList<qlonglong>>("expected");
    QTest::newRow("text key for integer column")
        << lines << QStringLiteral("cid") << QVariant(QStringLiteral("1"))
        << QList<qlonglong>{1, 2};
    QTest::newRow("parameter written in other case")
        << QStringLiteral("delete  from detail\nwhere cid =:cID")
               .replace(QStringLiteral("delete  from"), QStringLiteral("select * from"))
        << QStringLiteral("CID") << QVariant(QStringLiteral("3")) << QList<qlonglong>{3};
    QTest::newRow("number key") << lines << QStringLiteral("Cid") << QVariant(1)
                                << QList<qlonglong>{1, 2};
    QTest::newRow("empty text matches nothing")
        << lines << QStringLiteral("cid") << QVariant(QString()) << QList<qlonglong>{};
    QTest::newRow("colon inside quotes is text")
        << QStringLiteral("select * from detail where 规格型号 <> ':CID' and cid = :CID")
        << QStringLiteral("cid") << QVariant(QStringLiteral("1")) << QList<qlonglong>{1, 2};
    QTest::newRow("like pattern on a number column")
        << QStringLiteral("select * from title where 发票号码 like :idno ORDER BY cid desc")
        << QStringLiteral("IDNO") << QVariant(QStringLiteral("%99%")) << QList<qlonglong>{3};
}

void TestDataset::parametersIgnoreCaseAndTextMatchesIntegers()
{
    QFETCH(QString, statement);
    QFETCH(QString, name);
    QFETCH(QVariant, value);
    QFETCH(QList<qlonglong>, expected);
    TestDatabase db({QStringLiteral("invoices_small.sql")});
    Dataset ds(db.connection());
    ds.setSql({statement});
    ds.setParameter(name, value);
    ds.open();
    const QString key = statement.contains(u"title") ? QStringLiteral("cid") : QStringLiteral("id");
    QCOMPARE(ids(ds, key), expected);
}

void TestDataset::operationInState_data()
{
    QTest::addColumn<QString>("setup");
    QTest::addColumn<QString>("operation");
    QTest::addColumn<Dataset::State>("state");
    QTest::addColumn<int>("rows");
    QTest::addColumn<int>("current");
    QTest::addColumn<int>("stored");
    QTest::addColumn<QString>("error");
    using S = Dataset::State;
    const QString notEditing = QStringLiteral("Dataset not in edit or insert mode");
    const QString empty = QStringLiteral("Cannot perform this operation on an empty dataset");
    const QString closed = QStringLiteral("Cannot perform this operation on a closed dataset");
    // setup "" leaves the header set closed; "E" opens it on an empty result.
    QTest::newRow("closed: write") << ""
                                   << "T.set" << S::Inactive << 0 << -1 << 3 << notEditing;
    QTest::newRow("closed: append") << ""
                                    << "T.append" << S::Inactive << 0 << -1 << 3 << closed;
    QTest::newRow("closed: delete") << ""
                                    << "T.remove" << S::Inactive << 0 << -1 << 3 << closed;
    QTest::newRow("closed: post does nothing")
        << ""
        << "T.post" << S::Inactive << 0 << -1 << 3 << QString();
    QTest::newRow("browse: write") << "T.open"
                                   << "T.set" << S::Browse << 3 << 0 << 3 << notEditing;
    QTest::newRow("browse: edit") << "T.open"
                                  << "T.edit" << S::Edit << 3 << 0 << 3 << QString();
    QTest::newRow("browse: append") << "T.open"
                                    << "T.append" << S::Insert << 4 << 3 << 3 << QString();
    QTest::newRow("browse: post") << "T.open"
                                  << "T.post" << S::Browse << 3 << 0 << 3 << QString();
    QTest::newRow("browse: cancel") << "T.open"
                                    << "T.cancel" << S::Browse << 3 << 0 << 3 << QString();
    QTest::newRow("browse: delete") << "T.open"
                                    << "T.remove" << S::Browse << 2 << 0 << 2 << QString();
    QTest::newRow("browse: close") << "T.open"
                                   << "T.close" << S::Inactive << 0 << -1 << 3 << QString();
    QTest::newRow("empty: edit appends") << "E"
                                         << "T.edit" << S::Insert << 1 << 0 << 3 << QString();
    QTest::newRow("empty: delete") << "E"
                                   << "T.remove" << S::Browse << 0 << -1 << 3 << empty;
    QTest::newRow("empty: write") << "E"
                                  << "T.set" << S::Browse << 0 << -1 << 3 << notEditing;
    QTest::newRow("empty: next") << "E"
                                 << "T.next" << S::Browse << 0 << -1 << 3 << QString();
    QTest::newRow("edit: write") << "T.open T.edit"
                                 << "T.set" << S::Edit << 3 << 0 << 3 << QString();
    QTest::newRow("edit: post") << "T.open T.edit T.set"
                                << "T.post" << S::Browse << 3 << 0 << 3 << QString();
    QTest::newRow("edit: cancel") << "T.open T.edit T.set"
                                  << "T.cancel" << S::Browse << 3 << 0 << 3 << QString();
    QTest::newRow("edit: delete") << "T.open T.next T.edit T.set"
                                  << "T.remove" << S::Browse << 2 << 1 << 2 << QString();
    QTest::newRow("edit: append") << "T.open T.edit T.set"
                                  << "T.append" << S::Insert << 4 << 3 << 3 << QString();
    QTest::newRow("edit: move") << "T.open T.edit T.set"
                                << "T.next" << S::Browse << 3 << 1 << 3 << QString();
    QTest::newRow("edit: edit again") << "T.open T.edit T.set"
                                      << "T.edit" << S::Edit << 3 << 0 << 3 << QString();
    QTest::newRow("insert: write") << "T.open T.append"
                                   << "T.set" << S::Insert << 4 << 3 << 3 << QString();
    QTest::newRow("insert: post") << "T.open T.append"
                                  << "T.post" << S::Browse << 4 << 3 << 4 << QString();
    QTest::newRow("insert: cancel") << "T.open T.next T.append"
                                    << "T.cancel" << S::Browse << 3 << 1 << 3 << QString();
    QTest::newRow("insert: delete drops unwritten")
        << "T.open T.next T.append"
        << "T.remove" << S::Browse << 3 << 1 << 3 << QString();
    QTest::newRow("insert: append posts first")
        << "T.open T.append"
        << "T.append" << S::Insert << 5 << 4 << 4 << QString();
    QTest::newRow("insert: move posts first") << "T.open T.append"
                                              << "T.first" << S::Browse << 4 << 0 << 4 << QString();
    QTest::newRow("insert: next past end posts")
        << "T.open T.append"
        << "T.next" << S::Browse << 4 << 3 << 4 << QString();
    QTest::newRow("insert: requery posts") << "T.open T.append"
                                           << "T.requery" << S::Browse << 4 << 0 << 4 << QString();
    QTest::newRow("insert: updateBatch posts")
        << "T.open T.append"
        << "T.updateBatch" << S::Browse << 4 << 3 << 4 << QString();
    QTest::newRow("insert: sort posts") << "T.open T.append"
                                        << "T.sort" << S::Browse << 4 << 3 << 4 << QString();
    QTest::newRow("insert: close drops") << "T.open T.append"
                                         << "T.close" << S::Inactive << 0 << -1 << 3 << QString();
    QTest::newRow("insert: edit keeps inserting")
        << "T.open T.append"
        << "T.edit" << S::Insert << 4 << 3 << 3 << QString();
}

void TestDataset::operationInState()
{
    QFETCH(QString, setup);
    QFETCH(QString, operation);
    QFETCH(Dataset::State, state);
    QFETCH(int, rows);
    QFETCH(int, current);
    QFETCH(int, stored);
    QFETCH(QString, error);
    TestDatabase db({QStringLiteral("invoices_small.sql")});
    Linked ds(db);
    if (setup == u"E") {
        ds.t.setSql({QStringLiteral("select * from title where cid < 0")});
        ds.t.open();
    } else {
        runScript(ds.t, ds.d, setup);
    }
    QString raised;
    try {
        runStep(ds.t, ds.d, operation);
    } catch (const DatabaseError &e) {
        raised = e.message();
    }
    QCOMPARE(raised, error);
    QCOMPARE(ds.t.state(), state);
    QCOMPARE(ds.t.rowCount(), rows);
    QCOMPARE(ds.t.currentRow(), current);
    QCOMPARE(count(db, QStringLiteral("title")), stored);
}

void TestDataset::notifications_data()
{
    QTest::addColumn<QString>("script");
    QTest::addColumn<QStringList>("expected");
    auto list = [](const char *text) {
        return QString::fromUtf8(text).split(u' ', Qt::SkipEmptyParts);
    };
    // One dataset alone.
    QTest::newRow("open") << "T.open" << list("T:Opened");
    QTest::newRow("move") << "T.open T.next T.prior" << list("T:Opened T:Moved T:Moved");
    QTest::newRow("no move, no notice")
        << "T.open T.first T.prior T.last T.next" << list("T:Opened T:Moved");
    QTest::newRow("edit alone says nothing") << "T.open T.edit" << list("T:Opened");
    QTest::newRow("write") << "T.open T.edit T.set" << list("T:Opened T:ValueWritten:购货单位名称");
    QTest::newRow("move posts first")
        << "T.open T.edit T.set T.next"
        << list("T:Opened T:ValueWritten:购货单位名称 T:Posted T:Moved");
    QTest::newRow("append, post") << "T.open T.append T.post"
                                  << list("T:Opened T:Appended T:Posted");
    QTest::newRow("append twice") << "T.open T.append T.append"
                                  << list("T:Opened T:Appended T:Posted T:Appended");
    QTest::newRow("cancel") << "T.open T.edit T.set T.cancel"
                            << list("T:Opened T:ValueWritten:购货单位名称 T:Cancelled");
    QTest::newRow("delete") << "T.open T.remove" << list("T:Opened T:Deleted");
    QTest::newRow("delete appended")
        << "T.open T.append T.remove" << list("T:Opened T:Appended T:Deleted");
    QTest::newRow("close says only closed")
        << "T.open T.edit T.set T.close" << list("T:Opened T:ValueWritten:购货单位名称 T:closed");
    QTest::newRow("requery") << "T.open T.edit T.set T.requery"
                             << list("T:Opened T:ValueWritten:购货单位名称 T:Posted T:Opened");
    QTest::newRow("sort") << "T.open T.sort" << list("T:Opened T:Sorted");
    QTest::newRow("locate") << "T.open T.locate" << list("T:Opened T:Moved");
    // Linked: the lines run again before the header's own notice.
    QTest::newRow("linked open") << "T.open D.open" << list("T:Opened D:Opened");
    QTest::newRow("lines follow a move")
        << "T.open D.open T.next" << list("T:Opened D:Opened D:closed D:Opened T:Moved");
    QTest::newRow("opening the header reruns open lines")
        << "D.open T.open" << list("D:Opened D:closed D:Opened T:Opened");
    QTest::newRow("pending line posted before the header moves")
        << "T.open D.open D.append D.set T.next"
        << list("T:Opened D:Opened D:Appended D:ValueWritten:货物应税名称 D:Posted D:closed "
                "D:Opened T:Moved");
    QTest::newRow("header post reruns lines")
        << "T.open D.open T.edit T.set T.post"
        << list("T:Opened D:Opened T:ValueWritten:购货单位名称 D:closed D:Opened T:Posted");
    QTest::newRow("header append reruns lines")
        << "T.open D.open T.append" << list("T:Opened D:Opened D:closed D:Opened T:Appended");
    QTest::newRow("header write does not rerun lines")
        << "T.open D.open T.edit T.set" << list("T:Opened D:Opened T:ValueWritten:购货单位名称");
    QTest::newRow("header delete reruns lines")
        << "T.open D.open T.remove" << list("T:Opened D:Opened D:closed D:Opened T:Deleted");
    QTest::newRow("header requery reruns lines")
        << "T.open D.open T.requery" << list("T:Opened D:Opened D:closed D:Opened T:Opened");
    QTest::newRow("sort keeps the current header")
        << "T.open D.open T.sort" << list("T:Opened D:Opened T:Sorted");
}

void TestDataset::notifications()
{
    QFETCH(QString, script);
    QFETCH(QStringList, expected);
    TestDatabase db({QStringLiteral("invoices_small.sql")});
    Linked ds(db);
    Recorder recorder;
    recorder.watch(ds.t, QStringLiteral("T:"));
    recorder.watch(ds.d, QStringLiteral("D:"));
    runScript(ds.t, ds.d, script);
    QCOMPARE(recorder.events, expected);
}

void TestDataset::postReturnsCounterAndWritesBooleans()
{
    TestDatabase db({QStringLiteral("invoices_small.sql")});
    Dataset t(db.connection());
    t.setSql({headers});
    t.open();
    t.append();
    QVERIFY(t.value(QStringLiteral("cid")).isNull());
    QCOMPARE(t.value(QStringLiteral("是否收款")), QVariant(false));
    t.setValue(QStringLiteral("备注"), QStringLiteral(" "));
    t.post();
    QCOMPARE(t.value(QStringLiteral("cid")).toLongLong(), 4);
    QCOMPARE(t.currentRow(), 3); // stays last until the statement runs again
    QCOMPARE(db.scalar(QStringLiteral("select 备注 from title where cid = 4")).toString(),
             QStringLiteral(" "));
    QCOMPARE(db.scalar(QStringLiteral(
                 "select typeof(是否收款) || typeof(是否打印格式) from title where cid = 4")),
             QVariant(QStringLiteral("integerinteger")));
    QCOMPARE(db.scalar(QStringLiteral("select 是否收款 + 是否打印格式 from title where cid = 4"))
                 .toInt(),
             0);
    t.requery();
    QCOMPARE(t.value(QStringLiteral("cid")).toLongLong(), 4);
}

void TestDataset::counterOfDeletedNewestRowIsNotReused()
{
    TestDatabase db({QStringLiteral("invoices_small.sql")});
    Dataset t(db.connection());
    t.setSql({headers});
    t.open();
    t.append();
    t.post();
    QCOMPARE(t.value(QStringLiteral("cid")).toLongLong(), 4);
    t.remove();
    t.append();
    t.post();
    QCOMPARE(t.value(QStringLiteral("cid")).toLongLong(), 5);
}

void TestDataset::removeMakesNextRowCurrent()
{
    TestDatabase db({QStringLiteral("invoices_small.sql")});
    Dataset t(db.connection());
    t.setSql({headers});
    t.open();
    t.next(); // cid 2
    t.remove();
    QCOMPARE(t.value(QStringLiteral("cid")).toLongLong(), 1);
    t.remove(); // the last row: the one before it becomes current
    QCOMPARE(t.value(QStringLiteral("cid")).toLongLong(), 3);
    QCOMPARE(count(db, QStringLiteral("title")), 1);
    t.remove();
    QVERIFY(t.isEmpty());
    QCOMPARE(t.currentRow(), -1);
    QVERIFY(t.value(QStringLiteral("cid")).isNull());
    QVERIFY(t.atEnd());
}

void TestDataset::closeDropsPendingChanges()
{
    TestDatabase db({QStringLiteral("invoices_small.sql")});
    Dataset t(db.connection());
    t.setSql({headers});
    t.open();
    t.edit();
    t.setValue(QStringLiteral("购货单位名称"), QStringLiteral("不要保存"));
    t.markUserChange();
    QVERIFY(t.hasUserChange());
    QSignalSpy closed(&t, &Dataset::closed);
    t.close();
    QCOMPARE(closed.size(), 1);
    QVERIFY(!t.hasUserChange());
    QVERIFY(t.value(QStringLiteral("购货单位名称")).isNull());
    t.open();
    QCOMPARE(t.value(QStringLiteral("购货单位名称")).toString(),
             QStringLiteral("北京华信科技有限公司"));
}

void TestDataset::userChangeLastsUntilRowIsDone_data()
{
    QTest::addColumn<QString>("script"); // run after a typed change of the first header
    QTest::addColumn<bool>("marked");
    QTest::newRow("another write keeps it") << "T.set" << true;
    QTest::newRow("post clears it") << "T.post" << false;
    QTest::newRow("cancel clears it") << "T.cancel" << false;
    QTest::newRow("moving posts and clears it") << "T.next" << false;
    QTest::newRow("editing again after post is not typed") << "T.post T.edit T.set" << false;
    QTest::newRow("delete clears it") << "T.remove" << false;
    QTest::newRow("close clears it") << "T.close" << false;
}

void TestDataset::userChangeLastsUntilRowIsDone()
{
    QFETCH(QString, script);
    QFETCH(bool, marked);
    TestDatabase db({QStringLiteral("invoices_small.sql")});
    Linked ds(db);
    ds.t.open();
    ds.t.edit();
    QVERIFY(!ds.t.hasUserChange());
    ds.t.markUserChange();
    ds.t.setValue(QStringLiteral("收款人"), QStringLiteral("键入"));
    QVERIFY(ds.t.hasUserChange());
    runScript(ds.t, ds.d, script);
    QCOMPARE(ds.t.hasUserChange(), marked);
}

void TestDataset::requerySeesOtherWritesAndStartsAtFirstRow()
{
    TestDatabase db({QStringLiteral("invoices_small.sql")});
    Dataset t(db.connection());
    t.setSql({headers});
    t.open();
    t.last();
    t.edit();
    t.setValue(QStringLiteral("收款人"), QStringLiteral("赵六"));
    db.execScript(
        QStringLiteral("insert into title (cid, 是否收款, 是否打印格式) values (10, 0, 0)"));
    t.requery();
    QCOMPARE(t.state(), Dataset::State::Browse);
    QCOMPARE(ids(t, QStringLiteral("cid")), (QList<qlonglong>{10, 3, 2, 1}));
    QCOMPARE(t.currentRow(), 0);
    QCOMPARE(db.scalar(QStringLiteral("select 收款人 from title where cid = 1")).toString(),
             QStringLiteral("赵六"));
}

void TestDataset::execSqlRunsStatementWithParameters()
{
    TestDatabase db({QStringLiteral("invoices_small.sql")});
    Dataset a(db.connection());
    a.setSql({QStringLiteral("delete  from detail"), QStringLiteral("where cid =:cID")});
    a.setParameter(QStringLiteral("cid"), QStringLiteral("1"));
    a.execSql();
    QCOMPARE(count(db, QStringLiteral("detail where cid = 1")), 0);
    QCOMPARE(count(db, QStringLiteral("detail")), 2);
    a.setSql(
        {QStringLiteral("insert into detail"),
         QStringLiteral(
             "select '7' as cid,货物应税名称,规格型号,单位,数量,单价,金额,税率,税额 from detail"),
         QStringLiteral("where cid=3")});
    a.execSql();
    QCOMPARE(db.scalar(QStringLiteral("select count(*) from detail where cid = 7 and 金额 = 25000"))
                 .toInt(),
             1);
}

void TestDataset::locateFindsFirstRowInCurrentOrder()
{
    TestDatabase db({QStringLiteral("db_sort.sql")});
    Dataset t(db.connection());
    t.setSql({headers});
    t.open();
    QVERIFY(t.locate(QStringLiteral("购货单位名称"), QStringLiteral("甲公司")));
    QCOMPARE(t.value(QStringLiteral("cid")).toLongLong(), 4);
    t.setSort(QStringLiteral("cid"));
    QVERIFY(t.locate(QStringLiteral("购货单位名称"), QStringLiteral("甲公司")));
    QCOMPARE(t.value(QStringLiteral("cid")).toLongLong(), 2);
    QVERIFY(t.locate(QStringLiteral("cid"), QStringLiteral("6"))); // a key given as text
    QCOMPARE(t.currentRow(), 5);
    QVERIFY(!t.locate(QStringLiteral("购货单位名称"), QStringLiteral("丙公司")));
    QVERIFY(!t.locate(QStringLiteral("cid"), QStringLiteral("不是数字")));
    QCOMPARE(t.currentRow(), 5);
}

void TestDataset::masterLinkFollowsCurrentHeader()
{
    TestDatabase db({QStringLiteral("invoices_small.sql")});
    Linked ds(db);
    ds.t.open();
    ds.d.open();
    QCOMPARE(ids(ds.d, QStringLiteral("id")), QList<qlonglong>{3});
    ds.t.next(); // invoice 2 has no lines
    QVERIFY(ds.d.isEmpty());
    ds.t.next();
    QCOMPARE(ids(ds.d, QStringLiteral("id")), (QList<qlonglong>{1, 2}));
    ds.d.append();
    QCOMPARE(ds.d.value(QStringLiteral("cid")).toLongLong(), 1);
    QCOMPARE(ds.d.currentRow(), 2);
    ds.d.setValue(QStringLiteral("货物应税名称"), QString());
    ds.d.post();
    QCOMPARE(
        db.scalar(QStringLiteral("select count(*) from detail where cid = 1 and 货物应税名称 = ''"))
            .toInt(),
        1);
    // A header never written has no key, so it has no lines and a new line has no key either.
    ds.t.append();
    QVERIFY(ds.d.isEmpty());
    ds.d.append();
    QVERIFY(ds.d.value(QStringLiteral("cid")).isNull());
    ds.d.cancel();
    ds.t.post(); // the header gets its key and its (empty) lines run again
    QVERIFY(ds.d.isOpen());
    QCOMPARE(ds.d.parameter(QStringLiteral("CID")).toLongLong(), 4);
}

void TestDataset::masterLinkPostsPendingLineFirst()
{
    TestDatabase db({QStringLiteral("invoices_small.sql")});
    Linked ds(db);
    ds.t.open();
    ds.d.open();
    ds.t.edit();
    ds.d.append();
    ds.d.setValue(QStringLiteral("货物应税名称"), QStringLiteral("先写明细"));
    ds.t.post();
    QCOMPARE(db.scalar(QStringLiteral("select cid from detail where 货物应税名称 = '先写明细'"))
                 .toLongLong(),
             3);
    ds.d.first();
    ds.d.edit();
    ds.d.setValue(QStringLiteral("数量"), 7);
    ds.t.remove(); // deleting the header also writes the pending line first
    QCOMPARE(db.scalar(QStringLiteral("select 数量 from detail where id = 3")).toDouble(), 7.0);
}

void TestDataset::editReenteredDuringPostFollowsTheNewRow_data()
{
    QTest::addColumn<int>("start"); // the row edited first
    QTest::addColumn<QString>("step");
    QTest::addColumn<qlonglong>("cid"); // the header current afterwards
    QTest::newRow("move") << 0 << "T.next" << 2LL;
    QTest::newRow("locate") << 0 << "T.locate" << 1LL;
    QTest::newRow("requery") << 1 << "T.requery" << 3LL;
}

// Whenever the lines open, their handler puts the header into editing (as the totals step
// does). When a move or a requery posts the header on the way, that edit must belong to
// the header current afterwards: it must neither show nor write another header's values.
void TestDataset::editReenteredDuringPostFollowsTheNewRow()
{
    QFETCH(int, start);
    QFETCH(QString, step);
    QFETCH(qlonglong, cid);
    TestDatabase db({QStringLiteral("invoices_small.sql")});
    Linked ds(db);
    connect(&ds.d, &Dataset::changed, this, [&ds](Dataset::Change change) {
        if (change == Dataset::Change::Opened)
            ds.t.edit();
    });
    ds.t.open();
    ds.d.open();
    ds.t.moveTo(start);
    const qlonglong edited = ds.t.value(QStringLiteral("cid")).toLongLong();
    ds.t.setValue(QStringLiteral("收款人"), QStringLiteral("只属于编辑的那张"));
    runStep(ds.t, ds.d, step);
    QCOMPARE(ds.t.value(QStringLiteral("cid")).toLongLong(), cid);
    const QString own =
        db.scalar(QStringLiteral("select 购货单位名称 from title where cid = %1").arg(cid))
            .toString();
    QCOMPARE(ds.t.value(QStringLiteral("购货单位名称")).toString(), own);
    ds.t.post();
    QCOMPARE(
        db.scalar(QStringLiteral("select count(*) from title where 收款人 = '只属于编辑的那张'"))
            .toInt(),
        1);
    QCOMPARE(
        db.scalar(QStringLiteral("select 收款人 from title where cid = %1").arg(edited)).toString(),
        QStringLiteral("只属于编辑的那张"));
    QCOMPARE(db.scalar(QStringLiteral("select 购货单位名称 from title where cid = %1").arg(cid))
                 .toString(),
             own);
}

void TestDataset::reactionsRunInsideTheWrite()
{
    TestDatabase db({QStringLiteral("invoices_small.sql")});
    Dataset d(db.connection());
    d.setSql({lines});
    d.setParameter(QStringLiteral("cid"), 3);
    QStringList trace;
    auto number = [&d](const char *column) {
        return d.value(QString::fromUtf8(column)).toDouble();
    };
    d.setValueChangeReaction(QStringLiteral("数量"), [&] {
        trace << QStringLiteral("数量=%1").arg(number("数量"));
        d.setValue(QStringLiteral("金额"), number("数量") * number("单价"));
    });
    d.setValueChangeReaction(QStringLiteral("金额"), [&] {
        trace << QStringLiteral("金额=%1").arg(number("金额"));
        d.setValue(QStringLiteral("税额"), number("金额") * number("税率") / 100);
    });
    connect(&d, &Dataset::changed, this, [&](Dataset::Change change, const QString &column) {
        if (change == Dataset::Change::ValueWritten)
            trace << u"notice " + column;
    });
    d.open();
    d.edit();
    d.setValue(QStringLiteral("单价"), 0.5);
    trace.clear();
    d.setValue(QStringLiteral("数量"), QStringLiteral("3"));
    const QStringList once = {QStringLiteral("数量=3"), QStringLiteral("金额=1.5"),
                              QStringLiteral("notice 税额"), QStringLiteral("notice 金额"),
                              QStringLiteral("notice 数量")};
    QCOMPARE(trace, once);
    QCOMPARE(d.value(QStringLiteral("税额")).value<Money>(), Money::fromRaw(2550));
    trace.clear();
    d.setValue(QStringLiteral("数量"), 3); // the same value again still recomputes
    QCOMPARE(trace, once);
}

void TestDataset::runawayReactionsFail()
{
    TestDatabase db({QStringLiteral("invoices_small.sql")});
    Dataset d(db.connection());
    d.setSql({lines});
    d.setParameter(QStringLiteral("cid"), 3);
    d.setValueChangeReaction(QStringLiteral("数量"),
                             [&d] { d.setValue(QStringLiteral("单价"), 1); });
    d.setValueChangeReaction(QStringLiteral("单价"),
                             [&d] { d.setValue(QStringLiteral("数量"), 1); });
    d.open();
    d.edit();
    QVERIFY_THROWS_EXCEPTION(DatabaseError, d.setValue(QStringLiteral("数量"), 2));
    // The layer is still usable afterwards.
    d.setValueChangeReaction(QStringLiteral("数量"), {});
    d.setValue(QStringLiteral("数量"), 5);
    d.post();
    QCOMPARE(db.scalar(QStringLiteral("select 数量 from detail where id = 3")).toDouble(), 5.0);
}

void TestDataset::sortOrdersLoadedRows_data()
{
    QTest::addColumn<QString>("sort");
    QTest::addColumn<QList<qlonglong>>("expected");
    QTest::newRow("statement order") << QString() << QList<qlonglong>{6, 5, 4, 3, 2, 1};
    QTest::newRow("currency by value, NULL first, ties stable")
        << QStringLiteral("小写金额") << QList<qlonglong>{4, 5, 6, 3, 1, 2};
    QTest::newRow("currency descending, NULL last, ties stable")
        << QStringLiteral("小写金额 DESC") << QList<qlonglong>{2, 6, 3, 1, 5, 4};
    QTest::newRow("integer by value")
        << QStringLiteral("发票号码") << QList<qlonglong>{5, 4, 1, 2, 6, 3};
    QTest::newRow("text by code point")
        << QStringLiteral("购货单位名称") << QList<qlonglong>{3, 5, 6, 1, 4, 2};
    QTest::newRow("date descending")
        << QStringLiteral("开票日期 DESC") << QList<qlonglong>{5, 4, 1, 2, 6, 3};
    QTest::newRow("two columns") << QStringLiteral("是否收款 DESC, 小写金额")
                                 << QList<qlonglong>{4, 6, 1, 5, 3, 2};
    QTest::newRow("counter ascending")
        << QStringLiteral("cid") << QList<qlonglong>{1, 2, 3, 4, 5, 6};
}

void TestDataset::sortOrdersLoadedRows()
{
    QFETCH(QString, sort);
    QFETCH(QList<qlonglong>, expected);
    TestDatabase db({QStringLiteral("db_sort.sql")});
    Dataset t(db.connection());
    t.setSql({headers});
    t.open();
    t.setSort(QStringLiteral("备注 DESC")); // an earlier sort must not leak into the next
    t.setSort(sort);
    QCOMPARE(ids(t, QStringLiteral("cid")), expected);
    QCOMPARE(t.sort(), sort);
}

void TestDataset::sortKeepsCurrentRowAndDoesNotRerun()
{
    TestDatabase db({QStringLiteral("db_sort.sql")});
    Dataset t(db.connection());
    t.setSql({headers});
    t.open();
    t.moveTo(2); // cid 4
    db.execScript(QStringLiteral(
        "insert into title (cid, 是否收款, 是否打印格式, 小写金额) values (7, 0, 0, 1)"));
    t.setSort(QStringLiteral("小写金额 DESC"));
    QCOMPARE(t.rowCount(), 6);
    QCOMPARE(t.value(QStringLiteral("cid")).toLongLong(), 4);
    QCOMPARE(t.currentRow(), 5);
    QVERIFY_THROWS_EXCEPTION(DatabaseError, t.setSort(QStringLiteral("没有这列")));
    QCOMPARE(t.sort(), QStringLiteral("小写金额 DESC"));
    // A row appended after the sort stays at the end; running again keeps the sort.
    t.append();
    t.post();
    QCOMPARE(t.rowValue(6, QStringLiteral("cid")).toLongLong(), 8);
    t.requery();
    QCOMPARE(ids(t, QStringLiteral("cid")), (QList<qlonglong>{2, 6, 3, 1, 7, 5, 8, 4}));
    t.close();
    t.open();
    QCOMPARE(t.sort(), QString());
    QCOMPARE(t.value(QStringLiteral("cid")).toLongLong(), 8);
}

void TestDataset::otherStatementsAreReadOnly()
{
    TestDatabase db({QStringLiteral("invoices_small.sql")});
    Dataset distinct(db.connection());
    distinct.setSql({QStringLiteral("select distinct 购货单位名称 from title ")});
    distinct.open();
    QCOMPARE(distinct.fieldNames(), QStringList{QStringLiteral("购货单位名称")});
    QCOMPARE(distinct.rowCount(), 3);
    QCOMPARE(distinct.fieldType(QStringLiteral("购货单位名称")), FieldType::Text);
    QVERIFY_THROWS_EXCEPTION(DatabaseError, distinct.edit());
    QVERIFY_THROWS_EXCEPTION(DatabaseError, distinct.append());
    distinct.setSort(QStringLiteral("购货单位名称"));
    QCOMPARE(distinct.rowValue(0, QStringLiteral("购货单位名称")).toString(),
             QStringLiteral("上海东方电子有限公司"));

    Dataset joined(db.connection());
    joined.setSql({QStringLiteral("select t.cid, 金额, 税额 + 金额 as 合计 from title t, detail d"),
                   QStringLiteral("where t.cid = d.cid order by d.id")});
    joined.open();
    QCOMPARE(joined.rowCount(), 3);
    QCOMPARE(joined.fieldType(QStringLiteral("金额")), FieldType::Currency);
    QCOMPARE(joined.value(QStringLiteral("金额")).value<Money>(), Money::fromRaw(1000000));
    QCOMPARE(joined.value(QStringLiteral("合计")).toLongLong(),
             1170000); // an expression: as the store holds it

    db.execScript(
        QStringLiteral("create view paid as select cid, 小写金额 from title where 是否收款"));
    Dataset view(db.connection());
    view.setSql({QStringLiteral("select * from paid")});
    view.open();
    QCOMPARE(view.rowCount(), 1);
    QCOMPARE(view.fieldType(QStringLiteral("小写金额")), FieldType::Currency);
    QVERIFY_THROWS_EXCEPTION(DatabaseError, view.edit());

    db.execScript(QStringLiteral("insert into qry1 (cid, hcom, tje) values (1, 'b', 100);\n"
                                 "insert into qry1 (cid, hcom, tje) values (2, 'a', 2500)"));
    Dataset report(db.connection());
    report.setSql({QStringLiteral("SELECT * FROM qry1 order by hcom ")});
    report.open();
    QCOMPARE(ids(report, QStringLiteral("cid")), (QList<qlonglong>{2, 1}));
    QCOMPARE(report.value(QStringLiteral("tje")).value<Money>(), Money::fromRaw(2500));
}

void TestDataset::manyRowsReadAndWrittenByPage()
{
    TestDatabase db;
    db.execScript(QStringLiteral(
        "with recursive n(i) as (select 1 union all select i + 1 from n where i < 5000)\n"
        "insert into detail (id, cid, 货物应税名称, 金额) select i, i % 7, '货物' || i, i * 10000 "
        "from n"));
    Dataset d(db.connection());
    d.setSql({QStringLiteral("select * from detail order by id desc")});
    d.open();
    QCOMPARE(d.rowCount(), 5000);
    // Forward through every row, then jumps back and forth across pages.
    int row = 0;
    for (d.first(); !d.atEnd(); d.next(), ++row) {
        const qlonglong id = 5000 - row;
        QCOMPARE(d.value(QStringLiteral("id")).toLongLong(), id);
        if (d.value(QStringLiteral("货物应税名称")).toString() != QStringLiteral("货物%1").arg(id))
            QFAIL(qPrintable(QStringLiteral("row %1 shows another row's text").arg(row)));
    }
    QCOMPARE(row, 5000);
    for (int r : {4999, 0, 2500, 63, 64, 4096, 1})
        QCOMPARE(d.rowValue(r, QStringLiteral("金额")).value<Money>(),
                 Money::fromRaw((5000 - r) * 10000LL));
    d.moveTo(4000);
    d.edit();
    d.setValue(QStringLiteral("货物应税名称"), QStringLiteral("改过"));
    d.post();
    d.first();
    QCOMPARE(d.rowValue(4000, QStringLiteral("货物应税名称")).toString(), QStringLiteral("改过"));
    QCOMPARE(
        db.scalar(QStringLiteral("select 货物应税名称 from detail where id = 1000")).toString(),
        QStringLiteral("改过"));
    d.setSort(QStringLiteral("金额"));
    QCOMPARE(d.rowValue(0, QStringLiteral("id")).toLongLong(), 1);
    QCOMPARE(d.rowValue(4999, QStringLiteral("货物应税名称")).toString(),
             QStringLiteral("货物5000"));
}

void TestDataset::storeErrorsCarryStoreMessage()
{
    TestDatabase db;
    Dataset ds(db.connection());
    ds.setSql({QStringLiteral("select * from 不存在的表")});
    try {
        ds.open();
        QFAIL("opened a missing table");
    } catch (const DatabaseError &e) {
        QCOMPARE(e.message(), QStringLiteral("no such table: 不存在的表"));
    }
    QCOMPARE(ds.state(), Dataset::State::Inactive);
    ds.setSql({QStringLiteral("select * from title where 不存在的列 = 1")});
    QVERIFY_THROWS_EXCEPTION(DatabaseError, ds.open());
    ds.setSql({QStringLiteral("select * from title")});
    ds.open();
    QVERIFY_THROWS_EXCEPTION(DatabaseError, ds.value(QStringLiteral("不存在的列")));
}

QTEST_GUILESS_MAIN(TestDataset)
#include "tst_dataset.moc"
