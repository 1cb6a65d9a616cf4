#pragma once

#include "db/Connection.h"

#include <QStringList>
#include <QTemporaryDir>
#include <memory>

// A fresh database file for one test: the real schema plus fixture rows, in a
// temporary program directory of its own, with a connection under a unique name.
class TestDatabase final
{
    Q_DISABLE_COPY_MOVE(TestDatabase)
public:
    // fixtures: file names under tests/data (".sql"), run in order after the schema.
    explicit TestDatabase(const QStringList &fixtures = {});

    QString programDir() const { return m_dir.path(); }
    QString path() const;
    Connection &connection() { return *m_connection; }

    // Runs statements separated by ";" at line ends, as the fixture files are written.
    void execScript(const QString &sql);
    QVariant scalar(const QString &query);

    static QString uniqueConnectionName();

private:
    QTemporaryDir m_dir;
    std::unique_ptr<Connection> m_connection;
};
