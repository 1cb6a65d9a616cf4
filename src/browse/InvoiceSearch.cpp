#include "browse/InvoiceSearch.h"

#include "db/Connection.h"
#include "db/DatabaseError.h"
#include "db/Dataset.h"
#include "db/SqlText.h"
#include "db/SqliteStatement.h"

#include <sqlite3.h>

namespace {

const QString titleTable = QStringLiteral("title");
const QString key = QStringLiteral("cid");

// The text as the store holds a bound parameter: its own conversion to UTF-8.
std::string storeBytes(sqlite3 *db, const QString &text)
{
    SqliteStatement echo(db, QStringLiteral("select ?1"));
    echo.bind(1, text);
    echo.step();
    return std::string(echo.utf8(0));
}

} // namespace

InvoiceSearch::InvoiceSearch(Dataset &titles, const QStringList &sorted)
    : m_titles(titles), m_index(titles.connection(), titleTable, searchedColumns(), sorted)
{
    m_titles.setRowIdLookup([this] { return lookup(); });
    m_titles.setSortRankLookup([this](const QString &column, const std::vector<qint64> &ids) {
        return sortRanks(column, ids);
    });
}

InvoiceSearch::~InvoiceSearch()
{
    m_titles.setRowIdLookup({});
    m_titles.setSortRankLookup({});
}

QStringList InvoiceSearch::statement()
{
    return {
        QStringLiteral("select * from title"),
        QStringLiteral("where 发票号码 like :idno or 购货单位名称 like :comp or 购货单位银行 like "
                       ":hc or 购货单位地址 like :bl or 购货纳税人识别号 like :lp"),
        QStringLiteral(" or 收款人 like :dp or 备注 like :mp"),
        QStringLiteral("ORDER BY cid desc")};
}

QStringList InvoiceSearch::parameterNames()
{
    return {QStringLiteral("idno"), QStringLiteral("comp"), QStringLiteral("hc"),
            QStringLiteral("bl"),   QStringLiteral("lp"),   QStringLiteral("dp"),
            QStringLiteral("mp")};
}

QStringList InvoiceSearch::searchedColumns()
{
    return {QStringLiteral("发票号码"),
            QStringLiteral("购货单位名称"),
            QStringLiteral("购货单位银行"),
            QStringLiteral("购货单位地址"),
            QStringLiteral("购货纳税人识别号"),
            QStringLiteral("收款人"),
            QStringLiteral("备注")};
}

QString InvoiceSearch::pattern(const QString &text)
{
    return u'%' + text + u'%';
}

void InvoiceSearch::run(const QString &text)
{
    m_titles.close();
    m_titles.setSql(statement());
    for (const QString &name : parameterNames())
        m_titles.setParameter(name, pattern(text));
    m_titles.open();
}

void InvoiceSearch::prepare() noexcept
{
    try {
        if (m_titles.connection().isOpen())
            m_index.refresh();
    } catch (const DatabaseError &) {
        // The search runs the statement in the store then, which tells the user what is wrong.
    }
}

std::optional<std::vector<qint64>> InvoiceSearch::lookup()
{
    if (m_titles.sql() != statement())
        return std::nullopt;
    try {
        sqlite3 *db = m_titles.connection().handle();
        // The copy lists rows by row id, which is the statement's order only while cid is it.
        if (!keyIsRowId(db))
            return std::nullopt;
        const int longest = sqlite3_limit(db, SQLITE_LIMIT_LIKE_PATTERN_LENGTH, -1);
        std::vector<LikePattern> patterns;
        for (const QString &name : parameterNames()) {
            const QVariant value = m_titles.parameter(name);
            if (value.typeId() != QMetaType::QString)
                return std::nullopt;
            const std::string bytes = storeBytes(db, value.toString());
            // Too long for the store: it refuses the statement with its own message.
            if (bytes.size() > std::size_t(longest))
                return std::nullopt;
            patterns.emplace_back(bytes);
        }
        return m_index.matchingIds(patterns);
    } catch (const DatabaseError &) {
        return std::nullopt; // the store runs the statement and reports what fails
    }
}

std::optional<std::vector<qint64>> InvoiceSearch::sortRanks(const QString &column,
                                                            const std::vector<qint64> &ids)
{
    const auto select = SqlText::tableSelect(m_titles.sql().join(u'\n'));
    if (!select || select->table.compare(titleTable, Qt::CaseInsensitive) != 0)
        return std::nullopt;
    try {
        return m_index.ranks(column, ids);
    } catch (const DatabaseError &) {
        return std::nullopt; // the dataset reads the column from the store
    }
}

bool InvoiceSearch::keyIsRowId(sqlite3 *db)
{
    SqliteStatement columns(db, QStringLiteral("pragma table_info(title)"));
    int keyColumns = 0;
    bool integerKey = false;
    while (columns.step()) {
        if (columns.integer(5) == 0)
            continue;
        ++keyColumns;
        integerKey =
            QString::fromUtf8(columns.utf8(1)).compare(key, Qt::CaseInsensitive) == 0 &&
            QString::fromUtf8(columns.utf8(2)).compare(u"INTEGER", Qt::CaseInsensitive) == 0;
    }
    return keyColumns == 1 && integerKey;
}
