#pragma once

#include <QSqlDatabase>
#include <QString>
#include <QStringList>
#include <QVariantMap>

struct sqlite3;

// The program's only connection to the store: one SQLite file opened in shared mode.
// Another copy of the program may have the same file open; a locked file is waited for
// briefly instead of failing at once. Statements may use Str(number) (number to text with
// a blank for the sign). Datasets keep statements prepared while open: close them before
// closing the connection.
class Connection final
{
    Q_DISABLE_COPY_MOVE(Connection)
public:
    static constexpr int BusyTimeoutMs = 5000;

    // The connection name must be unique in the process (tests open many at once).
    explicit Connection(const QString &connectionName = QStringLiteral("cnn"));
    ~Connection();

    // The file beside the program: programDir + "/trfp.db".
    static QString databasePath(const QString &programDir);

    // Opens an existing file; a missing file is a DatabaseError naming the path.
    // Never creates a database.
    void open(const QString &path);
    void close();
    bool isOpen() const;
    QString path() const { return m_path; }

    QSqlDatabase database() const;
    sqlite3 *handle() const;

    // Every table of the file, the store's own included.
    QStringList tableNames() const;

    // Runs one statement that returns no rows, with named parameters (":name").
    void exec(const QString &statement, const QVariantMap &parameters = {});

private:
    QString m_name;
    QString m_path;
};

// Several writes that stand or fall together: rolled back unless commit() was called.
class Transaction final
{
    Q_DISABLE_COPY_MOVE(Transaction)
public:
    explicit Transaction(Connection &connection);
    ~Transaction();
    void commit();

private:
    Connection &m_connection;
    bool m_done = false;
};
