#include "db/RowSource.h"

#include "db/DatabaseError.h"
#include "db/SqlText.h"
#include "db/SqliteStatement.h"

#include <algorithm>
#include <sqlite3.h>

namespace {

// The columns of a prepared (not yet run) "select ... from table": names and declared
// types come from the statement, keys from the schema the connection already holds, so
// nothing is read from the file.
QList<FieldInfo> tableFields(sqlite3 *db, const SqliteStatement &columns, int firstColumn,
                             const QString &table)
{
    const QByteArray tableName = table.toUtf8();
    QList<FieldInfo> fields;
    int keyColumns = 0;
    for (int c = firstColumn; c < columns.columnCount(); ++c) {
        FieldInfo field =
            FieldValue::fromDeclaredType(columns.columnName(c), columns.declaredType(c));
        int primaryKey = 0;
        if (sqlite3_table_column_metadata(db, nullptr, tableName.constData(),
                                          field.name.toUtf8().constData(), nullptr, nullptr,
                                          nullptr, &primaryKey, nullptr) == SQLITE_OK) {
            keyColumns += primaryKey;
            field.counter = primaryKey && columns.declaredType(c).toUpper() == u"INTEGER";
        }
        fields << field;
    }
    // Only a single INTEGER PRIMARY KEY is the row id itself, assigned by the store.
    if (keyColumns != 1) {
        for (FieldInfo &field : fields)
            field.counter = false;
    }
    return fields;
}

QList<FieldInfo> tableFields(sqlite3 *db, const QString &table)
{
    const SqliteStatement all(db,
                              QStringLiteral("select * from ") + SqlText::quoteIdentifier(table));
    return tableFields(db, all, 0, table);
}

// Ends a use of a kept statement however the use ends.
struct ResetAfterUse
{
    SqliteStatement &statement;
    ~ResetAfterUse() { statement.reset(); }
};

// A table with row ids (a view has none).
bool isTable(sqlite3 *db, const QString &name)
{
    return sqlite3_table_column_metadata(db, nullptr, name.toUtf8().constData(), "rowid", nullptr,
                                         nullptr, nullptr, nullptr, nullptr) == SQLITE_OK;
}

// A table's rows by row id, read a page at a time and kept in a bounded cache, so that
// a result of any size costs little more than its ids.
class TableRows final : public RowSource
{
public:
    // A grid's screenful in one or two reads, without converting many rows a jump skips.
    static constexpr qsizetype PageSize = 32;
    static constexpr qsizetype CacheRows = 2048;

    TableRows(sqlite3 *db, const SqlText::TableSelect &select)
        : m_db(db), m_table(SqlText::quoteIdentifier(select.table)),
          m_rowIds(db, select.rowIdQuery),
          m_page(db, QStringLiteral("select rowid,* from ") + m_table +
                         QStringLiteral(" where rowid in (") +
                         QStringList(PageSize, QStringLiteral("?")).join(u',') + u')')
    {
        m_fields = tableFields(db, m_page, 1, select.table);
    }

    void run(const QHash<QString, QVariant> &parameters,
             const std::vector<qint64> *knownIds) override
    {
        m_cache.clear();
        m_ids.clear();
        if (knownIds) {
            m_ids = *knownIds;
            return;
        }
        const ResetAfterUse done{m_rowIds};
        m_rowIds.bindNamed(parameters);
        while (m_rowIds.step())
            m_ids.push_back(m_rowIds.integer(0));
    }

    bool isWritable() const override { return true; }

    Row row(const std::vector<qint64> &order, qsizetype index) override
    {
        const qint64 id = order.at(index);
        auto found = m_cache.find(id);
        if (found == m_cache.end()) {
            fetchPage(order, index - index % PageSize);
            found = m_cache.find(id);
        }
        found->lastUse = ++m_clock;
        return found->values;
    }

    std::vector<QVariant> columnValues(int field, const std::vector<qint64> &ids) override
    {
        QHash<qint64, qsizetype> position;
        position.reserve(static_cast<qsizetype>(ids.size()));
        for (qsizetype i = 0; i < static_cast<qsizetype>(ids.size()); ++i)
            position.insert(ids[i], i);
        std::vector<QVariant> values(ids.size(), QVariant());
        SqliteStatement query(m_db, QStringLiteral("select rowid, ") +
                                        SqlText::quoteIdentifier(m_fields[field].name) +
                                        QStringLiteral(" from ") + m_table);
        while (query.step()) {
            const auto it = position.constFind(query.integer(0));
            if (it != position.cend())
                values[*it] = query.value(1, m_fields[field]);
        }
        return values;
    }

    std::vector<qint64> idsWhere(int field, const QVariant &value) override
    {
        SqliteStatement query(
            m_db, QStringLiteral("select rowid from ") + m_table + QStringLiteral(" where ") +
                      SqlText::quoteIdentifier(m_fields[field].name) + QStringLiteral(" is ?1"));
        query.bind(1, value);
        std::vector<qint64> ids;
        while (query.step())
            ids.push_back(query.integer(0));
        return ids;
    }

    qint64 insert(const Row &values, const std::vector<bool> &written) override
    {
        QStringList columns;
        QStringList marks;
        QList<int> bound;
        for (int i = 0; i < m_fields.size(); ++i) {
            if (written[i] && !m_fields[i].counter) {
                columns << SqlText::quoteIdentifier(m_fields[i].name);
                marks << QStringLiteral("?");
                bound << i;
            }
        }
        QString sql = QStringLiteral("insert into ") + m_table;
        if (columns.isEmpty())
            sql += QStringLiteral(" default values");
        else
            sql += QStringLiteral(" (") + columns.join(u',') + QStringLiteral(") values (") +
                   marks.join(u',') + u')';
        SqliteStatement statement(m_db, sql);
        for (int i = 0; i < bound.size(); ++i)
            statement.bind(i + 1, values[bound[i]]);
        statement.run();
        return sqlite3_last_insert_rowid(m_db);
    }

    void update(qint64 id, const Row &values, const std::vector<bool> &written) override
    {
        QStringList assignments;
        QList<int> bound;
        for (int i = 0; i < m_fields.size(); ++i) {
            if (written[i] && !m_fields[i].counter) {
                assignments << SqlText::quoteIdentifier(m_fields[i].name) + QStringLiteral("=?");
                bound << i;
            }
        }
        if (bound.isEmpty())
            return;
        SqliteStatement statement(m_db, QStringLiteral("update ") + m_table +
                                            QStringLiteral(" set ") + assignments.join(u',') +
                                            QStringLiteral(" where rowid=?"));
        for (int i = 0; i < bound.size(); ++i)
            statement.bind(i + 1, values[bound[i]]);
        statement.bind(static_cast<int>(bound.size()) + 1, QVariant::fromValue(id));
        statement.run();
        m_cache.remove(id);
        if (sqlite3_changes(m_db) == 0)
            throw DatabaseError(
                QStringLiteral("这条记录已不在数据库中（可能已被另一个程序删除），修改没有保存"));
    }

    void remove(qint64 id) override
    {
        SqliteStatement statement(m_db, QStringLiteral("delete from ") + m_table +
                                            QStringLiteral(" where rowid=?"));
        statement.bind(1, QVariant::fromValue(id));
        statement.run();
        m_cache.remove(id);
    }

private:
    struct CachedRow
    {
        Row values;
        quint64 lastUse = 0;
    };

    void fetchPage(const std::vector<qint64> &order, qsizetype start)
    {
        evictIfFull();
        const qsizetype end =
            std::min<qsizetype>(start + PageSize, static_cast<qsizetype>(order.size()));
        const ResetAfterUse done{m_page};
        int mark = 1;
        for (qsizetype i = start; i < end; ++i)
            m_page.bind(mark++, QVariant::fromValue(order[i]));
        while (m_page.step()) {
            Row values;
            values.reserve(m_fields.size());
            for (int f = 0; f < m_fields.size(); ++f)
                values << m_page.value(f + 1, m_fields[f]);
            m_cache.insert(m_page.integer(0), CachedRow{values, m_clock});
        }
        // A row another program deleted meanwhile shows empty rather than failing.
        for (qsizetype i = start; i < end; ++i) {
            if (!m_cache.contains(order[i]))
                m_cache.insert(order[i], CachedRow{emptyRow(), m_clock});
        }
    }

    Row emptyRow() const
    {
        Row values;
        for (const FieldInfo &field : m_fields)
            values << (field.type == FieldType::Boolean ? QVariant(false) : QVariant());
        return values;
    }

    void evictIfFull()
    {
        if (m_cache.size() + PageSize <= CacheRows)
            return;
        std::vector<quint64> uses;
        uses.reserve(m_cache.size());
        for (const CachedRow &row : std::as_const(m_cache))
            uses.push_back(row.lastUse);
        auto middle = uses.begin() + static_cast<std::ptrdiff_t>(uses.size() / 2);
        std::nth_element(uses.begin(), middle, uses.end());
        const quint64 keepFrom = *middle;
        const auto older = [keepFrom](const auto &entry) {
            return entry.value().lastUse < keepFrom;
        };
        if (m_cache.removeIf(older) == 0)
            m_cache.clear(); // all equally recent: start afresh rather than grow
    }

    sqlite3 *m_db;
    QString m_table;
    SqliteStatement m_rowIds;
    SqliteStatement m_page;
    QHash<qint64, CachedRow> m_cache;
    quint64 m_clock = 0;
};

// Any other statement: the result is read whole and cannot be written back.
class ResultRows final : public RowSource
{
public:
    ResultRows(sqlite3 *db, const QString &statement) : m_query(db, statement)
    {
        const QString table = SqlText::firstTable(statement);
        QHash<QString, FieldInfo> tableTypes;
        if (!table.isEmpty() && isTable(db, table)) {
            for (const FieldInfo &field : tableFields(db, table))
                tableTypes.insert(field.name.toLower(), field);
        }
        for (int c = 0; c < m_query.columnCount(); ++c) {
            const QString name = m_query.columnName(c);
            const QString declared = m_query.declaredType(c);
            FieldInfo field = FieldValue::fromDeclaredType(name, declared);
            if (declared.isEmpty() && tableTypes.contains(name.toLower()))
                field = tableTypes.value(name.toLower());
            field.name = name;
            field.counter = false;
            m_fields << field;
        }
    }

    void run(const QHash<QString, QVariant> &parameters, const std::vector<qint64> *) override
    {
        m_rows.clear();
        m_ids.clear();
        const ResetAfterUse done{m_query};
        m_query.bindNamed(parameters);
        while (m_query.step()) {
            Row values;
            values.reserve(m_fields.size());
            for (int f = 0; f < m_fields.size(); ++f)
                values << m_query.value(f, m_fields[f]);
            m_ids.push_back(static_cast<qint64>(m_rows.size()));
            m_rows.push_back(values);
        }
    }

    bool isWritable() const override { return false; }

    Row row(const std::vector<qint64> &order, qsizetype index) override
    {
        return m_rows.at(order.at(index));
    }

    std::vector<QVariant> columnValues(int field, const std::vector<qint64> &ids) override
    {
        std::vector<QVariant> values;
        values.reserve(ids.size());
        for (qint64 id : ids)
            values.push_back(m_rows.at(id).at(field));
        return values;
    }

    std::vector<qint64> idsWhere(int field, const QVariant &value) override
    {
        std::vector<qint64> ids;
        for (qint64 id = 0; id < static_cast<qint64>(m_rows.size()); ++id) {
            if (FieldValue::compare(m_rows[id].at(field), value) == 0)
                ids.push_back(id);
        }
        return ids;
    }

    qint64 insert(const Row &, const std::vector<bool> &) override { readOnly(); }
    void update(qint64, const Row &, const std::vector<bool> &) override { readOnly(); }
    void remove(qint64) override { readOnly(); }

private:
    [[noreturn]] static void readOnly()
    {
        throw DatabaseError(QStringLiteral("这个查询的结果只能查看，不能修改"));
    }

    SqliteStatement m_query;
    std::vector<Row> m_rows;
};

} // namespace

std::unique_ptr<RowSource> RowSource::prepare(sqlite3 *db, const QString &statement)
{
    const auto select = SqlText::tableSelect(statement);
    if (select && isTable(db, select->table))
        return std::make_unique<TableRows>(db, *select);
    return std::make_unique<ResultRows>(db, statement);
}
