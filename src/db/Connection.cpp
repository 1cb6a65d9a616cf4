#include "db/Connection.h"

#include "db/DatabaseError.h"

#include <QFileInfo>
#include <QSqlDriver>
#include <QSqlError>
#include <QSqlQuery>
#include <sqlite3.h>

namespace {

QString storeMessage(const QSqlError &error)
{
    const QString text = error.databaseText().isEmpty() ? error.text() : error.databaseText();
    return text.trimmed();
}

// Str(number): the number as text the way the statements of the payment reports expect,
// with a blank where a minus sign would stand and no zero before the decimal point
// (Str(12) = " 12", Str(-0.5) = "-.5"). NULL stays NULL; text that is not a number is
// returned as it is.
void numberToText(sqlite3_context *context, int, sqlite3_value **arguments)
{
    sqlite3_value *argument = arguments[0];
    int type = sqlite3_value_numeric_type(argument);
    if (type == SQLITE_NULL) {
        sqlite3_result_null(context);
        return;
    }
    if (type != SQLITE_INTEGER && type != SQLITE_FLOAT) {
        sqlite3_result_value(context, argument);
        return;
    }
    QString text = type == SQLITE_INTEGER
                       ? QString::number(sqlite3_value_int64(argument))
                       : QString::number(sqlite3_value_double(argument), 'g', 15);
    if (text.startsWith(QStringLiteral("0.")) || text.startsWith(QStringLiteral("-0.")))
        text.remove(text.indexOf(u'0'), 1);
    if (!text.startsWith(u'-'))
        text.prepend(u' ');
    const QByteArray utf8 = text.toUtf8();
    sqlite3_result_text(context, utf8.constData(), static_cast<int>(utf8.size()), SQLITE_TRANSIENT);
}

} // namespace

Connection::Connection(const QString &connectionName) : m_name(connectionName)
{}

Connection::~Connection()
{
    close();
    QSqlDatabase::removeDatabase(m_name);
}

QString Connection::databasePath(const QString &programDir)
{
    QString dir = programDir;
    if (!dir.endsWith(u'/'))
        dir += u'/';
    return dir + QStringLiteral("trfp.db");
}

void Connection::open(const QString &path)
{
    close();
    if (!QFileInfo(path).isFile())
        throw DatabaseError(QStringLiteral("找不到数据库文件“%1”").arg(path));
    QSqlDatabase db = QSqlDatabase::contains(m_name)
                          ? QSqlDatabase::database(m_name, false)
                          : QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), m_name);
    db.setDatabaseName(path);
    db.setConnectOptions(QStringLiteral("QSQLITE_BUSY_TIMEOUT=%1").arg(BusyTimeoutMs));
    if (!db.open())
        throw DatabaseError(
            QStringLiteral("无法打开数据库文件“%1”：%2").arg(path, storeMessage(db.lastError())));
    m_path = path;
    // A file that is not a database opens without complaint; the first read tells.
    QSqlQuery probe(db);
    if (!probe.exec(QStringLiteral("select count(*) from sqlite_master"))) {
        const QString message = storeMessage(probe.lastError());
        close();
        throw DatabaseError(QStringLiteral("无法打开数据库文件“%1”：%2").arg(path, message));
    }
    sqlite3_create_function_v2(handle(), "str", 1, SQLITE_UTF8 | SQLITE_DETERMINISTIC, nullptr,
                               &numberToText, nullptr, nullptr, nullptr);
}

void Connection::close()
{
    if (QSqlDatabase::contains(m_name)) {
        QSqlDatabase db = QSqlDatabase::database(m_name, false);
        db.close();
    }
    m_path.clear();
}

bool Connection::isOpen() const
{
    return QSqlDatabase::contains(m_name) && QSqlDatabase::database(m_name, false).isOpen();
}

QSqlDatabase Connection::database() const
{
    if (!isOpen())
        throw DatabaseError(QStringLiteral("数据库没有打开"));
    return QSqlDatabase::database(m_name, false);
}

sqlite3 *Connection::handle() const
{
    const QVariant handle = database().driver()->handle();
    return *static_cast<sqlite3 *const *>(handle.data());
}

QStringList Connection::tableNames() const
{
    QSqlQuery query(database());
    if (!query.exec(
            QStringLiteral("select name from sqlite_master where type = 'table' order by name")))
        throw DatabaseError(storeMessage(query.lastError()));
    QStringList names;
    while (query.next())
        names << query.value(0).toString();
    names << QStringLiteral("sqlite_master");
    return names;
}

void Connection::exec(const QString &statement, const QVariantMap &parameters)
{
    QSqlQuery query(database());
    if (!query.prepare(statement))
        throw DatabaseError(storeMessage(query.lastError()));
    for (auto it = parameters.cbegin(); it != parameters.cend(); ++it)
        query.bindValue(u':' + it.key(), it.value());
    if (!query.exec())
        throw DatabaseError(storeMessage(query.lastError()));
}

Transaction::Transaction(Connection &connection) : m_connection(connection)
{
    if (!m_connection.database().transaction())
        throw DatabaseError(storeMessage(m_connection.database().lastError()));
}

Transaction::~Transaction()
{
    if (!m_done && m_connection.isOpen())
        m_connection.database().rollback();
}

void Transaction::commit()
{
    if (!m_connection.database().commit())
        throw DatabaseError(storeMessage(m_connection.database().lastError()));
    m_done = true;
}
