#pragma once

#include "db/FieldValue.h"

#include <QHash>
#include <QtGlobal>
#include <string>
#include <vector>

class SqliteStatement;

// The order of one column's values over the rows of a copy of its table: a rank for each
// row, such that ranks order the rows as the dataset layer orders their values, and equal
// values share a rank. Values are read as the dataset reads them, so the order is its own.
class ColumnRanks final
{
public:
    explicit ColumnRanks(const FieldInfo &field) : m_field(field) {}

    const QString &name() const { return m_field.name; }
    quint32 rank(std::size_t row) const { return m_ranks[row]; }

    // Building afresh: every row in turn while the query stands on it, then finish().
    void clear();
    void add(const SqliteStatement &query, int column);
    void finish();

    // Keeping up with the copy's rows, by position.
    void insert(std::size_t at, const SqliteStatement &query, int column);
    void replace(std::size_t at, const SqliteStatement &query, int column);
    void erase(std::size_t at);

private:
    quint32 rankOf(const FieldValue::SortKey &key);

    FieldInfo m_field;
    std::vector<FieldValue::SortKey> m_groups; // the value of each rank, lowest first
    std::vector<quint32> m_ranks;              // by row

    // While building: each row's candidate, a value seen; a text stored twice is one.
    std::vector<FieldValue::SortKey> m_candidates;
    QHash<QByteArray, quint32> m_texts;
    bool m_telling = true; // still looking for texts seen before
};
