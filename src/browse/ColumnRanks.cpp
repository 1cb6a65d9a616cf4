#include "browse/ColumnRanks.h"

#include "db/SqliteStatement.h"

#include <algorithm>
#include <array>
#include <numeric>

namespace {

// Rows read before deciding whether a column's texts repeat enough to be worth telling apart.
constexpr std::size_t TrialRows = 2048;

bool less(const FieldValue::SortKey &a, const FieldValue::SortKey &b)
{
    return FieldValue::compare(a, b) < 0;
}

// A text's first sixteen UTF-16 units as numbers, units past its end as 0: where two of
// these differ, they order the texts as QString's comparison does. Addresses and banks
// share their first few characters often, rarely sixteen.
struct Head
{
    std::array<quint64, 4> parts{};
    explicit Head(const QString &text)
    {
        for (qsizetype i = 0; i < 16 && i < text.size(); ++i)
            parts[std::size_t(i / 4)] |= quint64(text.at(i).unicode()) << (16 * (3 - i % 4));
    }
    auto operator<=>(const Head &) const = default;
};

} // namespace

void ColumnRanks::clear()
{
    m_telling = true;
    m_groups.clear();
    m_ranks.clear();
    m_candidates.clear();
    m_texts.clear();
}

void ColumnRanks::add(const SqliteStatement &query, int column)
{
    // Texts repeat (a buyer's name on each of its invoices): each is read as a value once,
    // unless the column turns out to hold hardly a text twice.
    if (m_ranks.size() == TrialRows && std::size_t(m_texts.size()) > TrialRows * 3 / 4) {
        m_telling = false;
        m_texts.clear();
    }
    if (m_telling && query.isText(column)) {
        const std::string_view bytes = query.utf8(column);
        const QByteArray text = QByteArray::fromRawData(bytes.data(), qsizetype(bytes.size()));
        const auto seen = m_texts.constFind(text);
        if (seen != m_texts.cend()) {
            m_ranks.push_back(*seen);
            return;
        }
        m_texts.insert(QByteArray(bytes.data(), qsizetype(bytes.size())),
                       quint32(m_candidates.size()));
    }
    m_ranks.push_back(quint32(m_candidates.size()));
    m_candidates.push_back(FieldValue::sortKey(query.value(column, m_field)));
}

void ColumnRanks::finish()
{
    std::vector<Head> heads;
    heads.reserve(m_candidates.size());
    for (const FieldValue::SortKey &key : m_candidates)
        heads.emplace_back(key.text);
    std::vector<quint32> byValue(m_candidates.size());
    std::iota(byValue.begin(), byValue.end(), 0);
    std::sort(byValue.begin(), byValue.end(), [&](quint32 a, quint32 b) {
        const FieldValue::SortKey &x = m_candidates[a];
        const FieldValue::SortKey &y = m_candidates[b];
        if (x.rank >= 2 && x.rank == y.rank && heads[a] != heads[b])
            return heads[a] < heads[b];
        return less(x, y);
    });
    std::vector<quint32> rankOfCandidate(m_candidates.size());
    for (const quint32 candidate : byValue) {
        if (m_groups.empty() || less(m_groups.back(), m_candidates[candidate]))
            m_groups.push_back(m_candidates[candidate]);
        rankOfCandidate[candidate] = quint32(m_groups.size() - 1);
    }
    for (quint32 &rank : m_ranks)
        rank = rankOfCandidate[rank];
    m_candidates.clear();
    m_candidates.shrink_to_fit();
    m_texts.clear();
    m_telling = true;
}

// The rank of an equal value, or a new rank between the lower and the higher ones.
quint32 ColumnRanks::rankOf(const FieldValue::SortKey &key)
{
    const auto at = std::lower_bound(m_groups.begin(), m_groups.end(), key, less);
    const auto rank = quint32(at - m_groups.begin());
    if (at != m_groups.end() && !less(key, *at))
        return rank;
    m_groups.insert(at, key);
    for (quint32 &other : m_ranks) {
        if (other >= rank)
            ++other;
    }
    return rank;
}

void ColumnRanks::insert(std::size_t at, const SqliteStatement &query, int column)
{
    const quint32 rank = rankOf(FieldValue::sortKey(query.value(column, m_field)));
    m_ranks.insert(m_ranks.begin() + std::ptrdiff_t(at), rank);
}

void ColumnRanks::replace(std::size_t at, const SqliteStatement &query, int column)
{
    const quint32 rank = rankOf(FieldValue::sortKey(query.value(column, m_field)));
    m_ranks[at] = rank;
}

void ColumnRanks::erase(std::size_t at)
{
    m_ranks.erase(m_ranks.begin() + std::ptrdiff_t(at));
}
