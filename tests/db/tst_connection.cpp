#include "TestDatabase.h"
#include "db/Connection.h"
#include "db/DatabaseError.h"
#include "db/Dataset.h"

#include <QFile>
#include <QTest>
#include <future>
#include <thread>

// The one connection: missing files, and a second copy of the program on the same file.
class TestConnection final : public QObject
{
    Q_OBJECT

private slots:
    void missingFileNamesThePath();
    void fileThatIsNoDatabase();
    void secondConnectionReadsWhileFirstWrites();
    void lockedFileIsWaitedFor();
    void openDatasetDoesNotHoldTheFile();
    void numberToText_data();
    void numberToText();
};

void TestConnection::missingFileNamesThePath()
{
    TestDatabase db;
    const QString path = Connection::databasePath(db.programDir() + QStringLiteral("/没有"));
    Connection connection(TestDatabase::uniqueConnectionName());
    try {
        connection.open(path);
        QFAIL("opened a missing file");
    } catch (const DatabaseError &e) {
        QVERIFY2(e.message().contains(path), qPrintable(e.message()));
    }
    QVERIFY(!connection.isOpen());
    QVERIFY(!QFile::exists(path)); // never creates one
}

void TestConnection::fileThatIsNoDatabase()
{
    TestDatabase db;
    const QString path = db.programDir() + QStringLiteral("/text.db");
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(QByteArray(4096, 'x'));
    file.close();
    Connection connection(TestDatabase::uniqueConnectionName());
    QVERIFY_THROWS_EXCEPTION(DatabaseError, connection.open(path));
    QVERIFY(!connection.isOpen());
}

void TestConnection::secondConnectionReadsWhileFirstWrites()
{
    TestDatabase db({QStringLiteral("invoices_small.sql")});
    Connection other(TestDatabase::uniqueConnectionName());
    other.open(db.path());
    Transaction writing(db.connection());
    db.connection().exec(QStringLiteral("insert into title (备注) values ('未提交')"));
    Dataset t(other);
    t.setSql({QStringLiteral("select * from title order by cid desc")});
    t.open();
    QCOMPARE(t.rowCount(), 3); // the uncommitted row is not seen
    writing.commit();
    t.requery();
    QCOMPARE(t.rowCount(), 4);
}

void TestConnection::lockedFileIsWaitedFor()
{
    TestDatabase db({QStringLiteral("invoices_small.sql")});
    const QString path = db.path();
    std::promise<void> locked;
    std::thread otherProgram([&path, &locked] {
        Connection other(TestDatabase::uniqueConnectionName());
        other.open(path);
        other.exec(QStringLiteral("begin immediate"));
        other.exec(QStringLiteral("insert into title (备注) values ('另一个程序')"));
        locked.set_value();
        std::this_thread::sleep_for(std::chrono::milliseconds(600));
        other.exec(QStringLiteral("commit"));
    });
    locked.get_future().wait();
    Dataset t(db.connection());
    t.setSql({QStringLiteral("select * from title order by cid desc")});
    t.open();
    t.append();
    t.setValue(QStringLiteral("备注"), QStringLiteral("这个程序"));
    QString error;
    try {
        t.post(); // waits for the other program's write instead of failing at once
    } catch (const DatabaseError &e) {
        error = e.message();
    }
    otherProgram.join();
    QCOMPARE(error, QString());
    QCOMPARE(db.scalar(QStringLiteral("select 备注 from title where cid = 4")).toString(),
             QStringLiteral("另一个程序"));
    QCOMPARE(db.scalar(QStringLiteral("select 备注 from title where cid = 5")).toString(),
             QStringLiteral("这个程序"));
}

void TestConnection::openDatasetDoesNotHoldTheFile()
{
    TestDatabase db({QStringLiteral("invoices_small.sql")});
    Dataset t(db.connection());
    Dataset d(db.connection());
    t.setSql({QStringLiteral("select * from title order by cid desc")});
    d.setSql({QStringLiteral("select * from detail where cid=:cid")});
    d.setMaster(&t, QStringLiteral("cid"));
    t.open();
    d.open();
    t.last();
    QCOMPARE(d.rowCount(), 2);
    QCOMPARE(t.value(QStringLiteral("购货单位名称")).toString(),
             QStringLiteral("杭州明远机械有限公司"));
    // Another program must be able to write at once, not wait for this one to close.
    Connection other(TestDatabase::uniqueConnectionName());
    other.open(db.path());
    other.exec(QStringLiteral("pragma busy_timeout = 0"));
    other.exec(QStringLiteral("delete from detail where id = 1"));
    other.exec(QStringLiteral("update title set 备注 = '改' where cid = 1"));
    t.requery();
    t.last();
    QCOMPARE(d.rowCount(), 1);
    QCOMPARE(t.value(QStringLiteral("备注")).toString(), QStringLiteral("改"));
}

void TestConnection::numberToText_data()
{
    QTest::addColumn<QString>("argument");
    QTest::addColumn<QVariant>("expected");
    QTest::newRow("invoice number")
        << QStringLiteral("12345678") << QVariant(QStringLiteral(" 12345678"));
    QTest::newRow("negative") << QStringLiteral("-7") << QVariant(QStringLiteral("-7"));
    QTest::newRow("fraction") << QStringLiteral("0.5") << QVariant(QStringLiteral(" .5"));
    QTest::newRow("negative fraction")
        << QStringLiteral("-0.25") << QVariant(QStringLiteral("-.25"));
    QTest::newRow("real") << QStringLiteral("117.58") << QVariant(QStringLiteral(" 117.58"));
    QTest::newRow("numeric text") << QStringLiteral("'42'") << QVariant(QStringLiteral(" 42"));
    QTest::newRow("null") << QStringLiteral("null") << QVariant();
}

void TestConnection::numberToText()
{
    QFETCH(QString, argument);
    QFETCH(QVariant, expected);
    TestDatabase db;
    const QVariant result = db.scalar(QStringLiteral("select Str(%1)").arg(argument));
    QCOMPARE(result.isNull(), expected.isNull());
    QCOMPARE(result.toString(), expected.toString());
}

QTEST_GUILESS_MAIN(TestConnection)
#include "tst_connection.moc"
