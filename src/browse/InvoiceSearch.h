#pragma once

#include "browse/SearchIndex.h"

#include <QStringList>
#include <optional>
#include <vector>

class Dataset;
struct sqlite3;

// The search of the header list: the statement that replaces the start-up one for the rest
// of the run and its seven parameters. The header set answers the statement from a copy in
// memory of the searched columns, with the store's meaning of LIKE, so that typing never
// waits for the store to read every invoice; and it sorts by the order of the sorted
// columns' values kept in the same copy. Whatever the copy cannot answer the store reads
// as usual.
class InvoiceSearch final
{
    Q_DISABLE_COPY_MOVE(InvoiceSearch)
public:
    // sorted: the columns the header list may be sorted by.
    explicit InvoiceSearch(Dataset &titles, const QStringList &sorted = {});
    ~InvoiceSearch();

    static QStringList statement();
    // Parameter names in the order they are set, and the column each is compared with.
    static QStringList parameterNames();
    static QStringList searchedColumns();
    // "%" + text + "%": the text is neither trimmed nor escaped, so "%" and "_" typed in
    // the box keep their meaning.
    static QString pattern(const QString &text);

    // Closes the header set (what it had not written is dropped), puts the search statement
    // in force with the text's pattern in every parameter and opens it: the newest match
    // becomes current.
    void run(const QString &text);

    // Reads the copy now, so that the first keystroke does not have to. A store that cannot
    // be read is left for the search itself to report.
    void prepare() noexcept;

private:
    std::optional<std::vector<qint64>> lookup();
    std::optional<std::vector<qint64>> sortRanks(const QString &column,
                                                 const std::vector<qint64> &ids);
    static bool keyIsRowId(sqlite3 *db);

    Dataset &m_titles;
    SearchIndex m_index;
};
