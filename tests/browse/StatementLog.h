#pragma once

#include <QString>
#include <QStringList>
#include <algorithm>
#include <sqlite3.h>

// Records the statements the store is asked to run on a connection while it lives.
class StatementLog final
{
public:
    explicit StatementLog(sqlite3 *db) : m_db(db)
    {
        sqlite3_trace_v2(db, SQLITE_TRACE_STMT, &StatementLog::record, this);
    }
    ~StatementLog() { sqlite3_trace_v2(m_db, 0, nullptr, nullptr); }
    StatementLog(const StatementLog &) = delete;
    StatementLog &operator=(const StatementLog &) = delete;

    const QStringList &statements() const { return m_statements; }
    bool any(const QString &text, Qt::CaseSensitivity cs = Qt::CaseInsensitive) const
    {
        return std::any_of(m_statements.cbegin(), m_statements.cend(),
                           [&](const QString &sql) { return sql.contains(text, cs); });
    }

private:
    static int record(unsigned, void *self, void *, void *sql)
    {
        static_cast<StatementLog *>(self)->m_statements
            << QString::fromUtf8(static_cast<const char *>(sql));
        return 0;
    }

    sqlite3 *m_db;
    QStringList m_statements;
};
