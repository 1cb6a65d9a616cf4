#pragma once

#include "db/Dataset.h"

#include <QString>
#include <QVariant>

// One column of a dataset: its name as the table spells it and how values are read.
struct FieldInfo
{
    QString name;
    FieldType type = FieldType::Text;
    int maxLength = 0;    // characters; 0: no limit of the program's own
    bool declared = true; // false: an expression, read as whatever the store holds
    bool counter = false; // assigned by the store, never written
};

namespace FieldValue {

// Whether a QVariant type holds a whole number the store keeps as an integer (bool aside).
bool isWholeNumberType(int typeId);

// Lets callers read a currency value with QVariant::toDouble() and toString(), as they
// read every other number; without this QVariant quietly answers 0 and "".
void registerConversions();

// The column's kind from its declared type ("CURRENCY", "VARCHAR(250)", ...).
FieldInfo fromDeclaredType(const QString &name, const QString &declaredType);

// Input from a control or a command turned into the column's own value type.
// Throws DatabaseError naming the column when the value does not fit.
QVariant convert(const FieldInfo &field, const QVariant &input);

// Ordering of column values for sorting and locating: NULL first, then numbers by
// value, then text by UTF-16 code unit (the same as by character for Chinese text;
// dates as ISO text order chronologically).
int compare(const QVariant &a, const QVariant &b);

// A value prepared for many comparisons, as a sort makes them.
struct SortKey
{
    int rank = 0;      // NULL, number, text, other
    int exactKind = 0; // numbers of the same nonzero kind compare exactly by whole
    qint64 whole = 0;
    double number = 0;
    QString text;
};
SortKey sortKey(const QVariant &value);
int compare(const SortKey &a, const SortKey &b);

} // namespace FieldValue
