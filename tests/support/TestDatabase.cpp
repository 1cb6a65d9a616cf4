#include "TestDatabase.h"

#include "db/DatabaseError.h"
#include "db/Schema.h"

#include <QFile>
#include <QRegularExpression>
#include <QSqlError>
#include <QSqlQuery>
#include <QTest>
#include <atomic>

TestDatabase::TestDatabase(const QStringList &fixtures)
{
    Schema::createDatabaseFile(path());
    m_connection = std::make_unique<Connection>(uniqueConnectionName());
    m_connection->open(path());
    for (const QString &fixture : fixtures) {
        QFile file(QStringLiteral(KELVANE_TEST_DATA_DIR "/") + fixture);
        if (!file.open(QIODevice::ReadOnly))
            throw DatabaseError(QStringLiteral("missing fixture ") + file.fileName());
        execScript(QString::fromUtf8(file.readAll()));
    }
}

QString TestDatabase::path() const
{
    return Connection::databasePath(m_dir.path());
}

void TestDatabase::execScript(const QString &sql)
{
    QString text = sql;
    text.remove(
        QRegularExpression(QStringLiteral("^--[^\n]*"), QRegularExpression::MultilineOption));
    for (const QString &statement : text.split(QStringLiteral(";\n"))) {
        const QString trimmed = statement.trimmed();
        if (!trimmed.isEmpty())
            m_connection->exec(trimmed);
    }
}

QVariant TestDatabase::scalar(const QString &query)
{
    QSqlQuery q(m_connection->database());
    if (!q.exec(query) || !q.next())
        throw DatabaseError(q.lastError().text());
    return q.value(0);
}

QString TestDatabase::uniqueConnectionName()
{
    static std::atomic<int> counter{0};
    return QStringLiteral("test-%1").arg(++counter);
}
