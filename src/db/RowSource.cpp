#include "db/RowSource.h"

#include "db/DatabaseError.h"
#include "db/SqlText.h"
#include "db/SqliteStatement.h"

#include <algorithm>
#include <sqlite3.h>

namespace {

QList<FieldInfo> tableFields(sqlite3 *db, const QString &table)
{
    SqliteStatement info(db, QStringLiteral("pragma table_info(") +
                                 SqlText::quoteIdentifier(table) + u')');
    QList<FieldInfo> fields;
    bool integerKey = false;
    int keyColumns = 0;
    while (info.step()) {
        FieldInfo field = FieldValue::fromDeclaredType(info.value(1, FieldInfo{}).toString(),
                                                       info.value(2, FieldInfo{}).toString());
        if (info.integer(5) > 0) {
            ++keyColumns;
            integerKey = info.value(2, FieldInfo{}).toString().toUpper() == u"INTEGER";
            field.counter = true;
        }
        fields << field;
    }
    // Only a single INTEGER PRIMARY KEY is the row id itself, assigned by the store.
    if (keyColumns != 1 || !integerKey) {
        for (FieldInfo &field : fields)
            field.counter = false;
    }
    return fields;
}

bool isTable(sqlite3 *db, const QString &name)
{
    SqliteStatement query(
        db, QStringLiteral("select 1 from sqlite_master where type = 'table' and name = ?1 "
                           "collate nocase"));
    query.bind(1, name);
    return query.step();
}

// A table's rows by row id, read a page at a time and kept in a bounded cache, so that
// a result of any size costs little more than its ids.
class TableRows final : public RowSource
{
public:
    static constexpr qsizetype PageSize = 64;
    static constexpr qsizetype CacheRows = 2048;

    TableRows(sqlite3 *db, const SqlText::TableSelect &select,
              const QHash<QString, QVariant> &parameters)
        : m_db(db), m_table(SqlText::quoteIdentifier(select.table))
    {
        m_fields = tableFields(db, select.table);
        SqliteStatement query(db, select.rowIdQuery);
        query.bindNamed(parameters);
        while (query.step())
            m_ids.push_back(query.integer(0));
        QStringList columns;
        for (const FieldInfo &field : std::as_const(m_fields))
            columns << SqlText::quoteIdentifier(field.name);
        m_columnList = columns.join(u',');
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
        QString marks = QStringLiteral("?");
        for (qsizetype i = 1; i < PageSize; ++i)
            marks += QStringLiteral(",?");
        SqliteStatement query(m_db, QStringLiteral("select rowid,") + m_columnList +
                                        QStringLiteral(" from ") + m_table +
                                        QStringLiteral(" where rowid in (") + marks + u')');
        int mark = 1;
        for (qsizetype i = start; i < end; ++i)
            query.bind(mark++, QVariant::fromValue(order[i]));
        while (query.step()) {
            Row values;
            values.reserve(m_fields.size());
            for (int f = 0; f < m_fields.size(); ++f)
                values << query.value(f + 1, m_fields[f]);
            m_cache.insert(query.integer(0), CachedRow{values, m_clock});
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
        m_cache.removeIf(
            [keepFrom](const auto &entry) { return entry.value().lastUse < keepFrom; });
    }

    sqlite3 *m_db;
    QString m_table;
    QString m_columnList;
    QHash<qint64, CachedRow> m_cache;
    quint64 m_clock = 0;
};

// Any other statement: the result is read whole and cannot be written back.
class ResultRows final : public RowSource
{
public:
    ResultRows(sqlite3 *db, const QString &statement, const QHash<QString, QVariant> &parameters)
    {
        SqliteStatement query(db, statement);
        query.bindNamed(parameters);
        const QString table = SqlText::firstTable(statement);
        QHash<QString, FieldInfo> tableTypes;
        if (!table.isEmpty() && isTable(db, table)) {
            for (const FieldInfo &field : tableFields(db, table))
                tableTypes.insert(field.name.toLower(), field);
        }
        for (int c = 0; c < query.columnCount(); ++c) {
            const QString name = query.columnName(c);
            const QString declared = query.declaredType(c);
            FieldInfo field = FieldValue::fromDeclaredType(name, declared);
            if (declared.isEmpty() && tableTypes.contains(name.toLower()))
                field = tableTypes.value(name.toLower());
            field.name = name;
            field.counter = false;
            m_fields << field;
        }
        while (query.step()) {
            Row values;
            values.reserve(m_fields.size());
            for (int f = 0; f < m_fields.size(); ++f)
                values << query.value(f, m_fields[f]);
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

    std::vector<Row> m_rows;
};

} // namespace

std::unique_ptr<RowSource> RowSource::open(sqlite3 *db, const QString &statement,
                                           const QHash<QString, QVariant> &parameters)
{
    const auto select = SqlText::tableSelect(statement);
    if (select && isTable(db, select->table))
        return std::make_unique<TableRows>(db, *select, parameters);
    return std::make_unique<ResultRows>(db, statement, parameters);
}
