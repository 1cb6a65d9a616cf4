#pragma once

#include "db/FieldValue.h"

#include <QHash>
#include <QString>
#include <QVariant>
#include <string_view>

struct sqlite3;
struct sqlite3_stmt;

// One prepared statement on the connection's handle, finalized when it goes out of
// scope so that none outlives the operation that needed it. Failures are DatabaseError
// with the store's message.
class SqliteStatement final
{
    Q_DISABLE_COPY_MOVE(SqliteStatement)
public:
    // Prepares the first statement of sql (blank text gives a statement without rows).
    SqliteStatement(sqlite3 *db, const QString &sql);
    ~SqliteStatement();

    // Values in the store's form: Money as its ten-thousandths, bool as 0/1, dates as ISO text.
    void bind(int index, const QVariant &value);
    // Binds every ":name" of the statement from parameters keyed by lower-case name; unset ones are
    // NULL.
    void bindNamed(const QHash<QString, QVariant> &parameters);

    bool step(); // true while a row is ready
    void run();  // steps to the end
    // Ready to run again with new values; also ends the statement's read of the file,
    // which would otherwise keep another program from writing.
    void reset();

    int columnCount() const;
    QString columnName(int column) const;
    QString declaredType(int column) const;
    qint64 integer(int column) const;
    bool isNull(int column) const;
    // The column as the store's own text functions (LIKE among them) read it: UTF-8,
    // numbers as text. Valid until the next step.
    std::string_view utf8(int column) const;
    bool isText(int column) const; // held as text (not a number, NULL or bytes)
    // The column read as the field says.
    QVariant value(int column, const FieldInfo &field) const;

    static QString storeMessage(sqlite3 *db);

private:
    sqlite3 *m_db;
    sqlite3_stmt *m_statement = nullptr;
};
