#include "db/Schema.h"

#include "db/Connection.h"
#include "db/DatabaseError.h"

#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QUuid>

namespace Schema {

QString text()
{
    QFile file(QStringLiteral(":/db/schema.sql"));
    if (!file.open(QIODevice::ReadOnly))
        throw DatabaseError(QStringLiteral("内部错误：找不到数据库结构定义"));
    return QString::fromUtf8(file.readAll());
}

QStringList statements()
{
    QString sql = text();
    sql.remove(QRegularExpression(QStringLiteral("--[^\n]*")));
    QStringList result;
    for (const QString &statement : sql.split(u';')) {
        if (!statement.trimmed().isEmpty())
            result << statement.trimmed();
    }
    return result;
}

void createDatabaseFile(const QString &path)
{
    if (QFileInfo::exists(path))
        throw DatabaseError(QStringLiteral("数据库文件“%1”已存在，不会覆盖").arg(path));
    {
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly))
            throw DatabaseError(
                QStringLiteral("无法创建数据库文件“%1”：%2").arg(path, file.errorString()));
    }
    try {
        Connection connection(QStringLiteral("schema-") +
                              QUuid::createUuid().toString(QUuid::Id128));
        connection.open(path);
        Transaction transaction(connection);
        for (const QString &statement : statements())
            connection.exec(statement);
        transaction.commit();
    } catch (...) {
        QFile::remove(path);
        throw;
    }
}

} // namespace Schema
