#include "db/Dataset.h"

#include "db/Connection.h"
#include "db/DatabaseError.h"
#include "db/FieldValue.h"
#include "db/RowSource.h"
#include "db/SqlText.h"
#include "db/SqliteStatement.h"

#include <QHash>
#include <QPointer>
#include <algorithm>
#include <numeric>
#include <unordered_set>

// Rows are not held as values: on open the dataset keeps only the ids of its rows in
// the statement's order and reads the values of the rows it is asked for a page at a
// time (RowSource). The current row's pending changes live in a buffer until posted.
//
// Notifications follow the order a data-aware window relies on: the state changes
// first, then the detail datasets run again, then this dataset's own change
// notification, so that a handler of that notification sees the details up to date.
//
// Delete: a row being appended is dropped unwritten; on an empty dataset it fails;
// otherwise the row is deleted in the store at once and the next row becomes current
// (the previous one when the last row went).

namespace {

const QString notEditing = QStringLiteral("Dataset not in edit or insert mode");
const QString emptyDataset = QStringLiteral("Cannot perform this operation on an empty dataset");
const QString closedDataset = QStringLiteral("Cannot perform this operation on a closed dataset");

// Reactions writing each other's columns without end would exhaust the stack.
constexpr int MaxReactionDepth = 64;

// Adapts one statement run by execSql to the store's dialect (see SqlText).
QString adaptStatement(sqlite3 *db, const QString &statement)
{
    const QString text = SqlText::withoutDeleteStar(statement);
    const auto insert = SqlText::insertSelect(text);
    if (!insert)
        return text;
    SqliteStatement select(db, insert->select);
    QStringList columns;
    for (int c = 0; c < select.columnCount(); ++c)
        columns << SqlText::quoteIdentifier(select.columnName(c));
    return QStringLiteral("insert into ") + insert->table + QStringLiteral(" (") +
           columns.join(u',') + QStringLiteral(") ") + insert->select;
}

struct SortColumn
{
    int field;
    bool descending;
};

} // namespace

struct Dataset::Private
{
    Private(Dataset *q, Connection &connection) : q(q), connection(connection) {}

    Dataset *q;
    Connection &connection;
    QStringList sql;
    QHash<QString, QVariant> parameters; // by lower-case name
    State state = State::Inactive;

    std::unique_ptr<RowSource> source; // prepared while open
    QString sourceStatement;
    QHash<QString, int> fieldIndex; // by name as spelled and in lower case
    std::vector<qint64> statementOrder;
    std::vector<qint64> order;
    int current = -1;
    bool eof = true;
    QString sortText;

    Row buffer; // the current row with its pending changes while editing
    std::vector<bool> written;
    int rowBeforeInsert = -1;
    bool userChange = false;

    QPointer<Dataset> master;
    QString masterKey;
    QList<QPointer<Dataset>> details;
    QHash<QString, Reaction> reactions; // by lower-case name
    int reactionDepth = 0;

    bool isOpen() const { return state != State::Inactive; }
    bool isEditing() const { return state == State::Edit || state == State::Insert; }
    int rowCount() const
    {
        return static_cast<int>(order.size()) + (state == State::Insert ? 1 : 0);
    }
    const QList<FieldInfo> &fields() const { return source->fields(); }

    void requireOpen() const
    {
        if (!isOpen())
            throw DatabaseError(closedDataset);
    }

    int field(const QString &column) const
    {
        // Callers nearly always spell the name as the table does; only then fold case.
        auto it = fieldIndex.constFind(column);
        if (it == fieldIndex.cend())
            it = fieldIndex.constFind(column.toLower());
        if (it == fieldIndex.cend())
            throw DatabaseError(QStringLiteral("数据集中没有“%1”这一列").arg(column));
        return *it;
    }

    void setState(State next)
    {
        if (state == next)
            return;
        state = next;
        emit q->stateChanged(next);
    }

    void notify(Change change, const QString &column = {}) { emit q->changed(change, column); }

    QVariant valueAt(int row, int f)
    {
        if (isEditing() && row == current)
            return buffer.at(f);
        return source->row(order, row).at(f);
    }

    // Runs the statement; a statement run before keeps what it prepared.
    void load()
    {
        if (master)
            parameters.insert(masterKey.toLower(), master->d->masterValue(masterKey));
        const QString statement = SqlText::lowercaseParameters(sql.join(u'\n'));
        try {
            if (!source || statement != sourceStatement) {
                source.reset();
                source = RowSource::prepare(connection.handle(), statement);
                sourceStatement = statement;
            }
            source->run(parameters);
        } catch (...) {
            source.reset();
            throw;
        }
        fieldIndex.clear();
        for (int i = source->fields().size() - 1; i >= 0; --i) {
            fieldIndex.insert(source->fields().at(i).name, i);
            fieldIndex.insert(source->fields().at(i).name.toLower(), i);
        }
        statementOrder = source->ids();
        order = statementOrder;
        current = order.empty() ? -1 : 0;
        eof = order.empty();
    }

    // Drops the rows and any pending change; says so as closing does.
    void dropRows()
    {
        dropPending();
        fieldIndex.clear();
        order.clear();
        statementOrder.clear();
        current = -1;
        eof = true;
        sortText.clear();
        setState(State::Inactive);
        emit q->closed();
    }

    // Close and open again, as the lines do when their header changes.
    void rerun()
    {
        dropRows();
        load();
        setState(State::Browse);
        refreshDetails();
        notify(Change::Opened);
    }

    QVariant masterValue(const QString &key)
    {
        if (!isOpen() || current < 0 || !fieldIndex.contains(key.toLower()))
            return QVariant();
        return valueAt(current, field(key));
    }

    // A pending row here and in every detail is written before the current row changes.
    void checkBrowseMode()
    {
        postDetails();
        if (isEditing())
            q->post();
    }

    void postDetails()
    {
        for (const QPointer<Dataset> &detail : std::as_const(details)) {
            if (detail && detail->isEditing())
                detail->d->checkBrowseMode();
        }
    }

    // The details hold the rows of the current row: they run again from scratch.
    void refreshDetails()
    {
        const QList<QPointer<Dataset>> linked = details;
        for (const QPointer<Dataset> &detail : linked) {
            if (detail && detail->isOpen())
                detail->d->rerun();
        }
    }

    void moveTo(int row)
    {
        eof = false;
        if (row == current)
            return;
        current = row;
        editCurrentRow();
        refreshDetails();
        notify(Change::Moved);
    }

    // A handler may have put the row back into editing while it was posted on the way to
    // another row (the lines' totals step does); that edit must follow to the row now
    // current, or it would show and write the old row's values there.
    void editCurrentRow()
    {
        if (state != State::Edit)
            return;
        if (current < 0) {
            dropPending();
            setState(State::Browse);
        } else {
            startBuffer(source->row(order, current));
        }
    }

    void dropPending()
    {
        buffer.clear();
        written.clear();
        userChange = false;
    }

    // Leaves Insert: the appended row disappears and the row current before it returns.
    void dropInsert()
    {
        dropPending();
        current =
            order.empty() ? -1 : std::clamp(rowBeforeInsert, 0, static_cast<int>(order.size()) - 1);
        eof = order.empty();
    }

    void startBuffer(Row values)
    {
        buffer = std::move(values);
        written.assign(buffer.size(), false);
        userChange = false;
    }

    Row newRow()
    {
        Row values;
        for (const FieldInfo &f : fields())
            values << (f.type == FieldType::Boolean ? QVariant(false) : QVariant());
        return values;
    }

    void runReaction(const QString &column)
    {
        const auto it = reactions.constFind(column.toLower());
        if (it == reactions.cend() || !*it)
            return;
        const Reaction reaction = *it; // the reaction may replace itself
        if (reactionDepth >= MaxReactionDepth)
            throw DatabaseError(QStringLiteral("“%1”的值变化引起了没有尽头的连锁计算").arg(column));
        ++reactionDepth;
        struct Leave
        {
            int &depth;
            ~Leave() { --depth; }
        } leave{reactionDepth};
        reaction();
    }

    std::vector<SortColumn> parseSort(const QString &text) const
    {
        std::vector<SortColumn> keys;
        for (const QString &part : text.split(u',', Qt::SkipEmptyParts)) {
            QStringList words = part.simplified().split(u' ');
            bool descending = false;
            if (words.size() > 1) {
                const QString direction = words.takeLast().toUpper();
                if (direction != u"DESC" && direction != u"ASC")
                    throw DatabaseError(QStringLiteral("排序“%1”无法识别").arg(part.trimmed()));
                descending = direction == u"DESC";
            }
            keys.push_back({field(words.join(u' ')), descending});
        }
        return keys;
    }

    void applySort()
    {
        if (sortText.trimmed().isEmpty()) {
            order = statementOrder;
            return;
        }
        const std::vector<SortColumn> keys = parseSort(sortText);
        std::vector<std::vector<FieldValue::SortKey>> columns;
        for (const SortColumn &key : keys) {
            const std::vector<QVariant> values = source->columnValues(key.field, statementOrder);
            std::vector<FieldValue::SortKey> prepared;
            prepared.reserve(values.size());
            for (const QVariant &value : values)
                prepared.push_back(FieldValue::sortKey(value));
            columns.push_back(std::move(prepared));
        }
        std::vector<qsizetype> positions(statementOrder.size());
        std::iota(positions.begin(), positions.end(), 0);
        std::stable_sort(positions.begin(), positions.end(), [&](qsizetype a, qsizetype b) {
            for (size_t k = 0; k < keys.size(); ++k) {
                const int c = FieldValue::compare(columns[k][a], columns[k][b]);
                if (c != 0)
                    return keys[k].descending ? c > 0 : c < 0;
            }
            return false;
        });
        order.clear();
        order.reserve(positions.size());
        for (qsizetype p : positions)
            order.push_back(statementOrder[p]);
    }
};

Dataset::Dataset(Connection &connection, QObject *parent)
    : QObject(parent), d(std::make_unique<Private>(this, connection))
{
    FieldValue::registerConversions();
}

Dataset::~Dataset()
{
    setMaster(nullptr, QString());
}

Connection &Dataset::connection() const
{
    return d->connection;
}

void Dataset::clearSql()
{
    setSql({});
}

void Dataset::addSql(const QString &line)
{
    close();
    d->sql << line;
}

void Dataset::setSql(const QStringList &lines)
{
    close();
    d->sql = lines;
}

QStringList Dataset::sql() const
{
    return d->sql;
}

void Dataset::setParameter(const QString &name, const QVariant &value)
{
    QString key = name.toLower();
    if (key.startsWith(u':'))
        key.remove(0, 1);
    d->parameters.insert(key, value);
}

QVariant Dataset::parameter(const QString &name) const
{
    QString key = name.toLower();
    if (key.startsWith(u':'))
        key.remove(0, 1);
    return d->parameters.value(key);
}

void Dataset::open()
{
    if (d->isOpen())
        return;
    d->load();
    d->setState(State::Browse);
    d->refreshDetails();
    d->notify(Change::Opened);
}

void Dataset::close()
{
    if (!d->isOpen())
        return;
    d->source.reset();
    d->dropRows();
}

bool Dataset::isOpen() const
{
    return d->isOpen();
}

void Dataset::requery()
{
    d->requireOpen();
    d->checkBrowseMode();
    const QString sort = d->sortText;
    try {
        d->load();
    } catch (...) {
        d->dropRows(); // what was read before is gone with the prepared statement
        throw;
    }
    d->sortText = sort;
    d->applySort();
    d->current = d->order.empty() ? -1 : 0;
    d->editCurrentRow();
    d->refreshDetails();
    d->notify(Change::Opened);
}

void Dataset::execSql()
{
    sqlite3 *db = d->connection.handle();
    const QString script = SqlText::lowercaseParameters(d->sql.join(u'\n'));
    for (const QString &text : SqlText::splitStatements(script)) {
        SqliteStatement statement(db, adaptStatement(db, text));
        statement.bindNamed(d->parameters);
        statement.run();
    }
}

Dataset::State Dataset::state() const
{
    return d->state;
}

bool Dataset::isEditing() const
{
    return d->isEditing();
}

int Dataset::rowCount() const
{
    return d->rowCount();
}

bool Dataset::isEmpty() const
{
    return d->rowCount() == 0;
}

int Dataset::currentRow() const
{
    return d->current;
}

bool Dataset::atEnd() const
{
    return d->eof;
}

void Dataset::first()
{
    moveTo(0);
}

void Dataset::last()
{
    d->requireOpen();
    d->checkBrowseMode();
    moveTo(d->rowCount() - 1);
}

void Dataset::next()
{
    d->requireOpen();
    d->checkBrowseMode();
    if (d->current + 1 >= d->rowCount()) {
        d->eof = true;
        return;
    }
    d->moveTo(d->current + 1);
}

void Dataset::prior()
{
    d->requireOpen();
    d->checkBrowseMode();
    if (d->current > 0)
        d->moveTo(d->current - 1);
    else
        d->eof = d->rowCount() == 0;
}

void Dataset::moveTo(int row)
{
    d->requireOpen();
    d->checkBrowseMode();
    if (d->rowCount() == 0)
        return;
    d->moveTo(std::clamp(row, 0, d->rowCount() - 1));
}

bool Dataset::locate(const QString &column, const QVariant &value)
{
    d->requireOpen();
    const int f = d->field(column);
    d->checkBrowseMode();
    QVariant wanted;
    try {
        wanted = FieldValue::convert(d->fields().at(f), value);
    } catch (const DatabaseError &) {
        return false; // a value the column cannot hold matches no row
    }
    const std::vector<qint64> found = d->source->idsWhere(f, wanted);
    if (found.empty())
        return false;
    const std::unordered_set<qint64> matches(found.cbegin(), found.cend());
    const auto it = std::find_if(d->order.cbegin(), d->order.cend(),
                                 [&matches](qint64 id) { return matches.contains(id); });
    if (it == d->order.cend())
        return false;
    d->moveTo(static_cast<int>(it - d->order.cbegin()));
    return true;
}

QStringList Dataset::fieldNames() const
{
    QStringList names;
    if (d->source) {
        for (const FieldInfo &field : d->fields())
            names << field.name;
    }
    return names;
}

bool Dataset::hasField(const QString &column) const
{
    return d->fieldIndex.contains(column) || d->fieldIndex.contains(column.toLower());
}

FieldType Dataset::fieldType(const QString &column) const
{
    d->requireOpen();
    return d->fields().at(d->field(column)).type;
}

int Dataset::maxLength(const QString &column) const
{
    d->requireOpen();
    return d->fields().at(d->field(column)).maxLength;
}

QVariant Dataset::value(const QString &column) const
{
    if (!d->isOpen())
        return QVariant();
    const int f = d->field(column);
    if (d->current < 0)
        return QVariant();
    return d->valueAt(d->current, f);
}

QVariant Dataset::rowValue(int row, const QString &column) const
{
    d->requireOpen();
    const int f = d->field(column);
    if (row < 0 || row >= d->rowCount())
        return QVariant();
    return d->valueAt(row, f);
}

QVariant Dataset::postedValue(int row, const QString &column) const
{
    d->requireOpen();
    const int f = d->field(column);
    if (row < 0 || row >= d->rowCount())
        return QVariant();
    if (d->state == State::Insert && row == static_cast<int>(d->order.size()))
        return d->buffer.at(f);
    return d->source->row(d->order, row).at(f);
}

void Dataset::setValue(const QString &column, const QVariant &value)
{
    if (!d->isEditing())
        throw DatabaseError(notEditing);
    const int f = d->field(column);
    const FieldInfo &field = d->fields().at(f);
    if (field.counter)
        throw DatabaseError(QStringLiteral("“%1”由数据库自动编号，不能修改").arg(field.name));
    const QString name = field.name;
    d->buffer[f] = FieldValue::convert(field, value);
    d->written[f] = true;
    d->runReaction(name);
    d->notify(Change::ValueWritten, name);
}

void Dataset::append()
{
    d->requireOpen();
    if (!d->source->isWritable())
        throw DatabaseError(QStringLiteral("这个查询的结果只能查看，不能修改"));
    d->checkBrowseMode();
    Row values = d->newRow();
    std::vector<bool> written(values.size(), false);
    for (int i = 0; i < d->fields().size(); ++i)
        written[i] = d->fields().at(i).type == FieldType::Boolean;
    if (d->master && d->fieldIndex.contains(d->masterKey.toLower())) {
        const int key = d->field(d->masterKey);
        values[key] =
            FieldValue::convert(d->fields().at(key), d->master->d->masterValue(d->masterKey));
        written[key] = true;
    }
    d->rowBeforeInsert = d->current;
    d->startBuffer(values);
    d->written = written;
    d->current = static_cast<int>(d->order.size());
    d->eof = false;
    d->setState(State::Insert);
    d->refreshDetails();
    d->notify(Change::Appended);
}

void Dataset::edit()
{
    d->requireOpen();
    if (d->isEditing())
        return;
    if (d->rowCount() == 0) {
        append();
        return;
    }
    if (!d->source->isWritable())
        throw DatabaseError(QStringLiteral("这个查询的结果只能查看，不能修改"));
    d->startBuffer(d->source->row(d->order, d->current));
    d->setState(State::Edit);
}

void Dataset::post()
{
    if (!d->isEditing())
        return;
    d->postDetails();
    if (!d->isEditing()) // a detail's handler may have posted this row already
        return;
    if (d->state == State::Insert) {
        const qint64 id = d->source->insert(d->buffer, d->written);
        d->order.push_back(id);
        d->statementOrder.push_back(id);
    } else if (std::find(d->written.cbegin(), d->written.cend(), true) != d->written.cend()) {
        d->source->update(d->order[d->current], d->buffer, d->written);
    }
    d->dropPending();
    d->setState(State::Browse);
    d->refreshDetails();
    d->notify(Change::Posted);
}

void Dataset::cancel()
{
    if (!d->isEditing())
        return;
    const bool wasInsert = d->state == State::Insert;
    if (wasInsert)
        d->dropInsert();
    else
        d->dropPending();
    d->setState(State::Browse);
    if (wasInsert)
        d->refreshDetails();
    d->notify(Change::Cancelled);
}

void Dataset::remove()
{
    d->requireOpen();
    if (d->state == State::Insert) {
        d->dropInsert();
        d->setState(State::Browse);
        d->refreshDetails();
        d->notify(Change::Deleted);
        return;
    }
    if (d->order.empty())
        throw DatabaseError(emptyDataset);
    if (!d->source->isWritable())
        throw DatabaseError(QStringLiteral("这个查询的结果只能查看，不能修改"));
    d->postDetails();
    const qint64 id = d->order[d->current];
    d->source->remove(id);
    d->dropPending();
    d->order.erase(d->order.begin() + d->current);
    if (const auto it = std::find(d->statementOrder.begin(), d->statementOrder.end(), id);
        it != d->statementOrder.end())
        d->statementOrder.erase(it);
    d->current =
        d->order.empty() ? -1 : std::min(d->current, static_cast<int>(d->order.size()) - 1);
    d->eof = d->order.empty();
    d->setState(State::Browse);
    d->refreshDetails();
    d->notify(Change::Deleted);
}

void Dataset::updateBatch()
{
    post();
}

void Dataset::markUserChange()
{
    if (d->isEditing())
        d->userChange = true;
}

bool Dataset::hasUserChange() const
{
    return d->isEditing() && d->userChange;
}

void Dataset::setSort(const QString &sortText)
{
    d->requireOpen();
    d->parseSort(sortText); // an unknown column fails before anything changes
    d->checkBrowseMode();
    const qint64 currentId = d->current >= 0 ? d->order[d->current] : -1;
    d->sortText = sortText.trimmed();
    d->applySort();
    if (currentId >= 0)
        d->current = static_cast<int>(std::find(d->order.cbegin(), d->order.cend(), currentId) -
                                      d->order.cbegin());
    d->notify(Change::Sorted);
}

QString Dataset::sort() const
{
    return d->sortText;
}

void Dataset::setMaster(Dataset *master, const QString &keyColumn)
{
    if (d->master)
        d->master->d->details.removeAll(QPointer<Dataset>(this));
    d->master = master;
    d->masterKey = keyColumn;
    if (master)
        master->d->details << QPointer<Dataset>(this);
}

Dataset *Dataset::master() const
{
    return d->master;
}

void Dataset::setValueChangeReaction(const QString &column, Reaction reaction)
{
    d->reactions.insert(column.toLower(), std::move(reaction));
}
