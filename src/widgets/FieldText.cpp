#include "widgets/FieldText.h"

#include "entry/Money.h"

#include <QDate>

namespace FieldText {

QString toText(const QVariant &value)
{
    if (value.isNull())
        return {};
    switch (value.typeId()) {
    case QMetaType::Double:
        return QString::number(value.toDouble(), 'g', 15);
    case QMetaType::QDate:
        return value.toDate().toString(Qt::ISODate);
    case QMetaType::Bool:
        return value.toBool() ? QStringLiteral("True") : QStringLiteral("False");
    default:
        break;
    }
    if (value.typeId() == qMetaTypeId<Money>())
        return value.value<Money>().toString();
    return value.toString();
}

} // namespace FieldText
