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

QTEST_GUILESS_MAIN(TestConnection)
#include "tst_connection.moc"
