#pragma once

#include <QString>
#include <QVariant>

// A column value as an edit box shows and takes it: no grouping, the exact decimals of
// money, dates in ISO form, booleans as the words the store's boolean controls use.
namespace FieldText {

QString toText(const QVariant &value);

} // namespace FieldText
