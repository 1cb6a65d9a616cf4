#pragma once

#include "browse/ColumnRanks.h"
#include "browse/LikePattern.h"

#include <QString>
#include <QStringList>
#include <QtGlobal>
#include <optional>
#include <string>
#include <vector>

class Connection;
class SqliteStatement;
struct sqlite3;

// A copy in memory of some columns of one table, by row id, so that searching and sorting
// them reads nothing from the store: the searched columns' values as the store's LIKE
// reads them, and for the sorted columns the order of their values. It is brought up to
// date before every use: writes made through this connection are followed row by row
// (temporary triggers note the row ids), and a write by any other connection (another copy
// of the program on the same file) makes it read the table again.
class SearchIndex final
{
    Q_DISABLE_COPY_MOVE(SearchIndex)
public:
    SearchIndex(Connection &connection, const QString &table, const QStringList &searched,
                const QStringList &sorted = {});
    ~SearchIndex();

    // Row ids, highest first, of the rows where columns[i] matches patterns[i] for at least
    // one i; a NULL matches no pattern. Throws DatabaseError when the table cannot be read.
    std::vector<qint64> matchingIds(const std::vector<LikePattern> &patterns);

    // For each id, a rank that orders the rows as the column's values order them; nothing
    // for a column not sorted here or an id the table does not hold.
    std::optional<std::vector<qint64>> ranks(const QString &column, const std::vector<qint64> &ids);

    // Brings the copy up to date now.
    void refresh();
    qsizetype rowCount() const { return qsizetype(m_rows.size()); }

private:
    struct Row
    {
        qint64 id;
        quint32 offset; // in m_text: the columns' prepared values, each followed by NUL
        quint32 length;
        quint32 present; // bit i: column i is not NULL
    };

    void rebuild(sqlite3 *db);
    void prepareSortedColumns(sqlite3 *db);
    void readChangedRows(sqlite3 *db);
    void installTriggers(sqlite3 *db);
    void dropTriggers() noexcept;
    bool triggersInstalled(sqlite3 *db) const;
    QString selectColumns() const;
    Row readRow(const SqliteStatement &query);
    void compact();
    void compactIfWasteful();
    // Positions in m_rows of the rows whose values hold wanted where accept(hit) says so.
    template <typename Accept>
    std::vector<std::size_t> rowsHolding(std::string_view wanted, Accept accept);
    bool rowMatches(const Row &row, const std::vector<LikePattern> &patterns) const;
    std::string_view textOf(const Row &row) const
    {
        return {m_text.data() + row.offset, row.length};
    }

    Connection &m_connection;
    QString m_table;
    QStringList m_columns; // searched
    QStringList m_sortedNames;
    std::vector<ColumnRanks> m_sorted;
    QString m_changes;       // name of the temporary table of changed row ids
    sqlite3 *m_db = nullptr; // the handle the copy and the triggers belong to
    qint64 m_dataVersion = -1;
    std::vector<Row> m_rows; // by id, ascending
    std::string m_text;
    std::size_t m_wasted = 0;
    bool m_inOrder = true; // the rows' values lie in m_text in the order of m_rows
};
