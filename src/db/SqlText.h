#pragma once

#include <QString>
#include <QStringList>
#include <optional>

// Reading and rewriting the statements that datasets are given.
namespace SqlText {

// ":Name" placeholders in lower case, leaving quoted text, quoted names and comments
// alone: the store matches parameter names exactly, the program's callers do not.
QString lowercaseParameters(const QString &statement);

// Statements separated by ";" outside quotes and comments; blank ones left out.
QStringList splitStatements(const QString &script);

// A statement of the form "select * from <table> [where ...] [order by ...]": rows that
// can be written back to their table by row id.
struct TableSelect
{
    QString table;      // unquoted name
    QString rowIdQuery; // the same statement selecting only the row ids
};
std::optional<TableSelect> tableSelect(const QString &statement);

// The first table named after FROM, unquoted; empty when there is none.
QString firstTable(const QString &statement);

QString quoteIdentifier(const QString &name);

// "insert into <table>" directly followed by a select, without a column list: the
// program's statements expect the select's columns to be matched by name.
struct InsertSelect
{
    QString table;  // as written (quoted or not)
    QString select; // the select that supplies the rows
};
std::optional<InsertSelect> insertSelect(const QString &statement);

// "delete * from t" as the program's statements write it, for "delete from t".
QString withoutDeleteStar(const QString &statement);

} // namespace SqlText
