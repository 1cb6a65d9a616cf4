#pragma once

#include "db/FieldValue.h"

#include <QHash>
#include <QList>
#include <QString>
#include <QVariant>
#include <memory>
#include <vector>

struct sqlite3;

using Row = QList<QVariant>;

// Where a dataset's rows come from. Rows are named by an id: the row id in the table
// for statements over one table, the position in the result otherwise. A dataset keeps
// only the ids in its order and asks for the values of the rows it shows.
class RowSource
{
public:
    virtual ~RowSource() = default;

    // Prepares the statement; run() reads its result. The prepared statements are kept
    // until the source is destroyed, so running it again (the lines of the next header)
    // costs only the reading.
    static std::unique_ptr<RowSource> prepare(sqlite3 *db, const QString &statement);

    // Runs the statement with these parameters (keyed by lower-case name), replacing the
    // ids and forgetting every row read before. knownIds, when given, are the ids a
    // statement over one table gives, so that it need not run.
    virtual void run(const QHash<QString, QVariant> &parameters,
                     const std::vector<qint64> *knownIds = nullptr) = 0;

    const QList<FieldInfo> &fields() const { return m_fields; }
    // The ids of the result, in the statement's order.
    const std::vector<qint64> &ids() const { return m_ids; }
    virtual bool isWritable() const = 0;

    // The row at position index of order (neighbouring rows may be read along with it).
    virtual Row row(const std::vector<qint64> &order, qsizetype index) = 0;
    // One column of the given rows, for sorting.
    virtual std::vector<QVariant> columnValues(int field, const std::vector<qint64> &ids) = 0;
    // Rows whose column equals value (as the store compares).
    virtual std::vector<qint64> idsWhere(int field, const QVariant &value) = 0;

    // Writes; only for writable sources.
    virtual qint64 insert(const Row &values, const std::vector<bool> &written) = 0;
    virtual void update(qint64 id, const Row &values, const std::vector<bool> &written) = 0;
    virtual void remove(qint64 id) = 0;

protected:
    QList<FieldInfo> m_fields;
    std::vector<qint64> m_ids;
};
