#include "browse/SearchIndex.h"

#include "db/Connection.h"
#include "db/DatabaseError.h"
#include "db/SqlText.h"
#include "db/SqliteStatement.h"

#include <algorithm>
#include <cstring>

#ifdef __SSE2__
#include <emmintrin.h>
#endif

namespace {

void run(sqlite3 *db, const QString &sql)
{
    SqliteStatement(db, sql).run();
}

// Finds a text in a long run of bytes, fast however common its bytes are: the first and
// the last byte of the text are compared sixteen places at once, and only where both fit
// is the rest compared. A single byte is found with memchr.
class TextScan
{
public:
    TextScan(std::string_view text, std::string_view wanted) : m_text(text), m_wanted(wanted) {}

    // hit(start) says where to go on looking.
    template <typename Hit> void forEachHit(Hit hit) const
    {
        if (m_wanted.size() == 1) {
            scanOneByte(hit);
            return;
        }
        const std::size_t last = m_wanted.size() - 1;
        std::size_t at = 0;
#ifdef __SSE2__
        const __m128i first = _mm_set1_epi8(m_wanted.front());
        const __m128i final = _mm_set1_epi8(m_wanted.back());
        while (at + last + 16 <= m_text.size()) {
            const auto load = [&](std::size_t offset) {
                return _mm_loadu_si128(reinterpret_cast<const __m128i *>(m_text.data() + offset));
            };
            unsigned mask = unsigned(_mm_movemask_epi8(_mm_and_si128(
                _mm_cmpeq_epi8(load(at), first), _mm_cmpeq_epi8(load(at + last), final))));
            std::size_t next = at + 16;
            while (mask) {
                const std::size_t start = at + std::size_t(__builtin_ctz(mask));
                mask &= mask - 1;
                if (matchesAt(start)) {
                    next = hit(start);
                    break;
                }
            }
            at = next;
        }
#endif
        while (at + last < m_text.size()) {
            at = matchesAt(at) ? hit(at) : at + 1;
        }
    }

private:
    bool matchesAt(std::size_t start) const
    {
        return m_text.compare(start, m_wanted.size(), m_wanted) == 0;
    }

    template <typename Hit> void scanOneByte(Hit hit) const
    {
        std::size_t at = 0;
        while (at < m_text.size()) {
            const void *found =
                std::memchr(m_text.data() + at, m_wanted.front(), m_text.size() - at);
            if (!found)
                return;
            at = hit(std::size_t(static_cast<const char *>(found) - m_text.data()));
        }
    }

    std::string_view m_text;
    std::string_view m_wanted;
};

qint64 dataVersion(sqlite3 *db)
{
    SqliteStatement version(db, QStringLiteral("pragma data_version"));
    version.step();
    return version.integer(0);
}

} // namespace

SearchIndex::SearchIndex(Connection &connection, const QString &table, const QStringList &searched,
                         const QStringList &sorted)
    : m_connection(connection), m_table(table), m_columns(searched), m_sortedNames(sorted),
      m_changes(QStringLiteral("kelvane_changed_%1_%2")
                    .arg(QString::fromLatin1(table.toUtf8().toHex()),
                         QString::number(quintptr(this), 16)))
{
    Q_ASSERT(searched.size() <= 32);
}

SearchIndex::~SearchIndex()
{
    dropTriggers();
}

std::vector<qint64> SearchIndex::matchingIds(const std::vector<LikePattern> &patterns)
{
    Q_ASSERT(patterns.size() == std::size_t(m_columns.size()));
    refresh();
    std::vector<qint64> ids;
    const LikePattern &first = patterns.front();
    const bool samePattern =
        std::all_of(patterns.cbegin(), patterns.cend(),
                    [&](const LikePattern &p) { return p.text() == first.text(); });
    if (samePattern && first.matchesEveryText()) {
        for (auto row = m_rows.crbegin(); row != m_rows.crend(); ++row) {
            if (row->present != 0)
                ids.push_back(row->id);
        }
        return ids;
    }
    // The usual search has one typed text in every column; then only rows that hold its
    // longest literal part can match, and they are found in one pass over all values.
    const std::string literal = samePattern ? first.longestLiteral() : std::string();
    if (!literal.empty()) {
        if (!m_inOrder)
            compact();
        const bool floating = first.isFloatingPart();
        const std::string_view texts = m_text;
        const std::vector<std::size_t> rows = rowsHolding(literal, [&](std::size_t at) {
            return !floating || first.partMatchesAround(texts, at);
        });
        for (auto row = rows.crbegin(); row != rows.crend(); ++row) {
            if (first.isContains() || floating || rowMatches(m_rows[*row], patterns))
                ids.push_back(m_rows[*row].id);
        }
        return ids;
    }
    for (auto row = m_rows.crbegin(); row != m_rows.crend(); ++row) {
        if (rowMatches(*row, patterns))
            ids.push_back(row->id);
    }
    return ids;
}

// In one pass over all values; a row once found is skipped to its end. Values end in NUL, which
// wanted never holds, so a hit lies inside one row's values or inside space an older copy of a row
// left behind.
template <typename Accept>
std::vector<std::size_t> SearchIndex::rowsHolding(std::string_view wanted, Accept accept)
{
    Q_ASSERT(m_inOrder);
    std::vector<std::size_t> found;
    std::size_t row = 0;
    // The row a hit at start belongs to, if any; the next place to look from.
    const auto take = [&](std::size_t start) {
        while (row < m_rows.size() && m_rows[row].offset + m_rows[row].length <= start)
            ++row;
        if (row == m_rows.size())
            return m_text.size();
        if (start < m_rows[row].offset || !accept(start))
            return start + 1;
        found.push_back(row);
        return std::size_t(m_rows[row].offset + m_rows[row].length);
    };
    TextScan(m_text, wanted).forEachHit(take);
    return found;
}

bool SearchIndex::rowMatches(const Row &row, const std::vector<LikePattern> &patterns) const
{
    const std::string_view text = textOf(row);
    std::size_t start = 0;
    for (std::size_t column = 0; column < patterns.size(); ++column) {
        const std::size_t end = text.find('\0', start);
        if ((row.present & (1u << column)) &&
            patterns[column].matches(text.substr(start, end - start)))
            return true;
        start = end + 1;
    }
    return false;
}

std::optional<std::vector<qint64>> SearchIndex::ranks(const QString &column,
                                                      const std::vector<qint64> &ids)
{
    if (!m_sortedNames.contains(column, Qt::CaseInsensitive))
        return std::nullopt;
    refresh();
    const ColumnRanks &ranked =
        *std::find_if(m_sorted.cbegin(), m_sorted.cend(), [&](const ColumnRanks &c) {
            return c.name().compare(column, Qt::CaseInsensitive) == 0;
        });
    std::vector<qint64> result;
    result.reserve(ids.size());
    for (const qint64 id : ids) {
        const auto at =
            std::lower_bound(m_rows.cbegin(), m_rows.cend(), id,
                             [](const Row &row, qint64 wanted) { return row.id < wanted; });
        if (at == m_rows.cend() || at->id != id)
            return std::nullopt;
        result.push_back(ranked.rank(std::size_t(at - m_rows.cbegin())));
    }
    return result;
}

void SearchIndex::refresh()
{
    sqlite3 *db = m_connection.handle();
    // A reopened connection has lost its temporary triggers, and another connection's
    // writes never pass them: both mean reading the table again.
    if (db != m_db || !triggersInstalled(db) || dataVersion(db) != m_dataVersion)
        rebuild(db);
    else
        readChangedRows(db);
}

bool SearchIndex::triggersInstalled(sqlite3 *db) const
{
    SqliteStatement query(
        db, QStringLiteral("select count(*) from sqlite_temp_master where name in "
                           "(?1, ?1 || '_inserted', ?1 || '_updated', ?1 || '_deleted')"));
    query.bind(1, m_changes);
    query.step();
    return query.integer(0) == 4;
}

void SearchIndex::installTriggers(sqlite3 *db)
{
    const QString changes = SqlText::quoteIdentifier(m_changes);
    const QString table = SqlText::quoteIdentifier(m_table);
    const auto trigger = [&](const QString &suffix, const QString &event, const QString &body) {
        run(db, QStringLiteral("create temp trigger if not exists %1 after %2 on %3 begin %4 end")
                    .arg(SqlText::quoteIdentifier(m_changes + suffix), event, table, body));
    };
    const QString note = QStringLiteral("insert or ignore into %1 values (%2.rowid);").arg(changes);
    run(db,
        QStringLiteral("create temp table if not exists %1 (id integer primary key)").arg(changes));
    trigger(QStringLiteral("_inserted"), QStringLiteral("insert"), note.arg(QStringLiteral("new")));
    trigger(QStringLiteral("_updated"), QStringLiteral("update"),
            note.arg(QStringLiteral("old")) + note.arg(QStringLiteral("new")));
    trigger(QStringLiteral("_deleted"), QStringLiteral("delete"), note.arg(QStringLiteral("old")));
}

void SearchIndex::dropTriggers() noexcept
{
    try {
        if (!m_db || !m_connection.isOpen() || m_connection.handle() != m_db)
            return;
        for (const QString &suffix :
             {QStringLiteral("_inserted"), QStringLiteral("_updated"), QStringLiteral("_deleted")})
            run(m_db, QStringLiteral("drop trigger if exists temp.%1")
                          .arg(SqlText::quoteIdentifier(m_changes + suffix)));
        run(m_db, QStringLiteral("drop table if exists temp.%1")
                      .arg(SqlText::quoteIdentifier(m_changes)));
    } catch (const DatabaseError &) {
        // Temporary objects go with the connection anyway.
    }
}

SearchIndex::Row SearchIndex::readRow(const SqliteStatement &query)
{
    Row row{query.integer(0), quint32(m_text.size()), 0, 0};
    for (int column = 0; column < m_columns.size(); ++column) {
        if (!query.isNull(column + 1)) {
            row.present |= 1u << column;
            LikePattern::prepare(query.utf8(column + 1), m_text);
        }
        m_text += '\0';
    }
    row.length = quint32(m_text.size() - row.offset);
    return row;
}

QString SearchIndex::selectColumns() const
{
    QStringList columns;
    for (const QString &column : m_columns + m_sortedNames)
        columns << SqlText::quoteIdentifier(column);
    return QStringLiteral("select rowid, %1 from %2")
        .arg(columns.join(u','), SqlText::quoteIdentifier(m_table));
}

// The sorted columns as the dataset layer reads them, from the types the table declares.
void SearchIndex::prepareSortedColumns(sqlite3 *db)
{
    QHash<QString, QString> declared;
    SqliteStatement info(
        db, QStringLiteral("pragma table_info(%1)").arg(SqlText::quoteIdentifier(m_table)));
    while (info.step())
        declared.insert(QString::fromUtf8(info.utf8(1)).toLower(), QString::fromUtf8(info.utf8(2)));
    m_sorted.clear();
    for (const QString &name : std::as_const(m_sortedNames)) {
        const auto type = declared.constFind(name.toLower());
        if (type == declared.cend())
            throw DatabaseError(QStringLiteral("数据集中没有“%1”这一列").arg(name));
        m_sorted.emplace_back(FieldValue::fromDeclaredType(name, *type));
    }
}

void SearchIndex::rebuild(sqlite3 *db)
{
    m_db = nullptr;
    m_rows.clear();
    m_text.clear();
    m_wasted = 0;
    m_inOrder = true;
    installTriggers(db);
    run(db, QStringLiteral("delete from temp.%1").arg(SqlText::quoteIdentifier(m_changes)));
    // Taken before reading, so that a write by another program while we read is not missed.
    const qint64 version = dataVersion(db);
    prepareSortedColumns(db);
    const int firstSorted = 1 + int(m_columns.size());
    SqliteStatement query(db, selectColumns() + QStringLiteral(" order by rowid"));
    while (query.step()) {
        m_rows.push_back(readRow(query));
        for (std::size_t k = 0; k < m_sorted.size(); ++k)
            m_sorted[k].add(query, firstSorted + int(k));
    }
    for (ColumnRanks &column : m_sorted)
        column.finish();
    m_dataVersion = version;
    m_db = db;
}

void SearchIndex::readChangedRows(sqlite3 *db)
{
    const QString changes = SqlText::quoteIdentifier(m_changes);
    std::vector<qint64> changed;
    {
        SqliteStatement query(db, QStringLiteral("select id from temp.%1").arg(changes));
        while (query.step())
            changed.push_back(query.integer(0));
    }
    if (changed.empty())
        return;
    const QString select = selectColumns() + QStringLiteral(" where rowid = ?1");
    const int firstSorted = 1 + int(m_columns.size());
    for (const qint64 id : changed) {
        auto at = std::lower_bound(m_rows.begin(), m_rows.end(), id,
                                   [](const Row &row, qint64 wanted) { return row.id < wanted; });
        const auto position = std::size_t(at - m_rows.begin());
        const bool known = at != m_rows.end() && at->id == id;
        if (known)
            m_wasted += at->length;
        SqliteStatement query(db, select);
        query.bind(1, id);
        if (query.step()) {
            const Row row = readRow(query);
            // Appended at the end of the values: still in order only for a new last row.
            m_inOrder = m_inOrder && !known && at == m_rows.end();
            if (known)
                *at = row;
            else
                m_rows.insert(at, row);
            for (std::size_t k = 0; k < m_sorted.size(); ++k) {
                if (known)
                    m_sorted[k].replace(position, query, firstSorted + int(k));
                else
                    m_sorted[k].insert(position, query, firstSorted + int(k));
            }
        } else if (known) {
            m_rows.erase(at);
            for (ColumnRanks &column : m_sorted)
                column.erase(position);
        }
    }
    run(db, QStringLiteral("delete from temp.%1").arg(changes));
    compactIfWasteful();
}

// Changed rows are appended to the text; the old values stay until they outweigh the rest.
void SearchIndex::compactIfWasteful()
{
    if (m_wasted >= (1u << 20) && m_wasted >= m_text.size() / 2)
        compact();
}

void SearchIndex::compact()
{
    std::string text;
    text.reserve(m_text.size() - m_wasted);
    for (Row &row : m_rows) {
        const std::string_view values = textOf(row);
        row.offset = quint32(text.size());
        text += values;
    }
    m_text = std::move(text);
    m_wasted = 0;
    m_inOrder = true;
}
