#pragma once

#include <QObject>
#include <QStringList>
#include <QVariant>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

class Connection;

// How the dataset layer reads a column, from the type the schema declares for it.
// Values travel as QVariant:
//   Integer  -> qlonglong        Double -> double          Currency -> Money
//   Boolean  -> bool             Date   -> QDate           Text     -> QString
// and NULL as a null QVariant. Writes convert from any sensible input (text, numbers):
// a double stored into a Currency column is times 10000, half to even.
enum class FieldType
{
    Integer,
    Double,
    Currency,
    Boolean,
    Date,
    Text
};

// The rows of one query with a current row, in state browse, edit or insert, as the
// program's windows and commands rely on them. Rows are written to their table at once
// when posted (by row id, which is the key for tables with a counter). Every failure is
// a DatabaseError carrying the store's or the layer's message.
class Dataset final : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(Dataset)
public:
    enum class State
    {
        Inactive,
        Browse,
        Edit,
        Insert
    };
    Q_ENUM(State)

    // Why the data source changed (the change notification). Closing gives none.
    enum class Change
    {
        Opened,
        Moved,
        ValueWritten,
        Posted,
        Appended,
        Deleted,
        Cancelled,
        Sorted
    };
    Q_ENUM(Change)

    explicit Dataset(Connection &connection, QObject *parent = nullptr);
    ~Dataset() override;

    Connection &connection() const;

    // The statement, replaced line by line; lines are joined by line breaks. Changing it
    // closes an open dataset. "select * from <table> ..." gives rows that can be edited;
    // any other statement gives rows to read only.
    void clearSql();
    void addSql(const QString &line);
    void setSql(const QStringList &lines);
    QStringList sql() const;

    // Named parameters ":name", matched without regard to case. Text given for an
    // integer column compares as the number.
    void setParameter(const QString &name, const QVariant &value);
    QVariant parameter(const QString &name) const;

    // Open runs the statement and makes the first row current; opening an open dataset
    // does nothing. Close drops the rows and any unposted change.
    void open();
    void close();
    bool isOpen() const;
    // Post, run the statement again, first row current. A sort stays in force.
    void requery();
    // Row ids for the statement in force, found without the store running it (a search
    // answered from a copy kept in memory). Asked on every open and requery of a
    // statement over one table; nothing in return lets the store run the statement.
    // The ids must be those the statement gives, in its order.
    using RowIdLookup = std::function<std::optional<std::vector<qint64>>()>;
    void setRowIdLookup(RowIdLookup lookup);
    // For sorting: one number per row id that orders the rows as the column's values do
    // (equal values, equal numbers), from a caller that keeps them, so that the column
    // need not be read from the store. Nothing in return reads it.
    using SortRankLookup = std::function<std::optional<std::vector<qint64>>(
        const QString &column, const std::vector<qint64> &ids)>;
    void setSortRankLookup(SortRankLookup lookup);

    // Runs the statement (or several, separated by ";") as one that returns no rows.
    // "insert into <table> select ..." matches the select's columns by name.
    void execSql();

    State state() const;
    bool isEditing() const; // Edit or Insert

    // Rows. While a row is being appended it is the last row and counts.
    int rowCount() const;
    bool isEmpty() const;
    int currentRow() const; // -1 when empty
    bool atEnd() const;     // next() went past the last row
    // Moving posts a pending row first.
    void first();
    void last();
    void next();
    void prior();
    void moveTo(int row);
    // Makes the first row whose column equals value current; false (and no move) if none.
    bool locate(const QString &column, const QVariant &value);

    // Columns, in table order.
    QStringList fieldNames() const;
    bool hasField(const QString &column) const;
    FieldType fieldType(const QString &column) const;
    int maxLength(const QString &column) const; // 0: no limit of the program's own

    // The current row, pending changes included; null when the dataset is empty.
    QVariant value(const QString &column) const;
    // Any row as a grid shows it: the current row with its pending changes.
    QVariant rowValue(int row, const QString &column) const;
    // Any row as last written to the store (the appended row: its pending values).
    QVariant postedValue(int row, const QString &column) const;

    // Writes into the current row: fails with "Dataset not in edit or insert mode"
    // outside Edit and Insert; refuses text over the column's limit and values that do
    // not convert. Runs the column's value-change reaction, then notifies.
    void setValue(const QString &column, const QVariant &value);

    void append(); // new empty row at the end, current, Insert (a pending row posted first)
    void edit();   // current row to Edit; on an empty dataset appends instead
    void post();   // writes the row now; a new row's counter is readable right after
    void cancel(); // drops pending changes (an appended row disappears)
    // Delete: a row being appended is dropped unwritten; on an empty dataset fails with
    // "Cannot perform this operation on an empty dataset"; otherwise deletes the row in
    // the store at once and makes the next row current (the previous one after the last).
    void remove();
    void updateBatch();

    // Whether a control the user typed into wrote the pending changes (cleared when the
    // row is posted, cancelled or dropped). Lets a command tell typed edits from ones
    // that only recomputed totals.
    void markUserChange();
    bool hasUserChange() const;

    // Orders the loaded rows by a column, "name" or "name DESC" (several joined by ","),
    // without running the statement again: stable, NULL first ascending, numbers by value,
    // text by character code. The current row stays current. An empty text restores the
    // statement's order; closing ends the sort.
    void setSort(const QString &sortText);
    QString sort() const;

    // Master link: the parameter named keyColumn takes the master's current keyColumn.
    // A pending row here is posted before the master posts or moves; the rows run again
    // when the master's current row changes or is written; a new row gets the master's key.
    void setMaster(Dataset *master, const QString &keyColumn);
    Dataset *master() const;

    // Runs inside setValue of that column, before it returns and before the notification,
    // also when the value written equals the old one. Reactions may write other columns.
    using Reaction = std::function<void()>;
    void setValueChangeReaction(const QString &column, Reaction reaction);

signals:
    void changed(Dataset::Change change, const QString &column);
    void stateChanged(Dataset::State state);
    void closed();

private:
    struct Private;
    std::unique_ptr<Private> d;
};
