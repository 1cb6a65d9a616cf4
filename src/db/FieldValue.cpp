#include "db/FieldValue.h"

#include "db/DatabaseError.h"
#include "entry/Money.h"

#include <QDate>
#include <QDateTime>
#include <QRegularExpression>
#include <cmath>
#include <limits>
#include <optional>

namespace FieldValue {

bool isWholeNumberType(int typeId)
{
    switch (typeId) {
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
    case QMetaType::Short:
    case QMetaType::UShort:
    case QMetaType::Long:
    case QMetaType::ULong:
        return true;
    default:
        return false;
    }
}

namespace {

enum class Kind
{
    Null,
    Integral,
    Real,
    Currency,
    Text,
    Date,
    Other
};

Kind kindOf(const QVariant &value)
{
    if (!value.isValid() || value.isNull())
        return Kind::Null;
    if (value.typeId() == QMetaType::Bool || FieldValue::isWholeNumberType(value.typeId()))
        return Kind::Integral;
    switch (value.typeId()) {
    case QMetaType::Double:
    case QMetaType::Float:
        return Kind::Real;
    case QMetaType::QString:
        return Kind::Text;
    case QMetaType::QDate:
    case QMetaType::QDateTime:
        return Kind::Date;
    default:
        return value.typeId() == qMetaTypeId<Money>() ? Kind::Currency : Kind::Other;
    }
}

[[noreturn]] void refuse(const FieldInfo &field, const QVariant &input, const QString &expected)
{
    throw DatabaseError(
        QStringLiteral("“%1”的值“%2”不是%3").arg(field.name, input.toString(), expected));
}

[[noreturn]] void outOfRange(const FieldInfo &field, const QString &shown)
{
    throw DatabaseError(QStringLiteral("“%1”的值 %2 超出货币范围（±922,337,203,685,477.5807）")
                            .arg(field.name, shown));
}

// Numbers typed by users and shown by the grids carry thousands separators.
QString withoutGrouping(const QString &text)
{
    static const QRegularExpression grouped(QStringLiteral(R"(^[+-]?\d{1,3}(,\d{3})+(\.\d*)?$)"));
    QString trimmed = text.trimmed();
    if (grouped.match(trimmed).hasMatch())
        trimmed.remove(u',');
    return trimmed;
}

std::optional<double> parseDouble(const QString &text)
{
    bool ok = false;
    const double value = withoutGrouping(text).toDouble(&ok);
    if (!ok || !std::isfinite(value))
        return std::nullopt;
    return value;
}

// A double that is a whole number every 64-bit integer can hold exactly.
std::optional<qlonglong> wholeNumber(double value)
{
    constexpr double limit = 9007199254740992.0; // 2^53
    if (std::isfinite(value) && value == std::trunc(value) && std::fabs(value) <= limit)
        return static_cast<qlonglong>(value);
    return std::nullopt;
}

QVariant toInteger(const FieldInfo &field, const QVariant &input, Kind kind)
{
    std::optional<qlonglong> result;
    if (kind == Kind::Integral)
        result = input.toLongLong();
    else if (kind == Kind::Real)
        result = wholeNumber(input.toDouble());
    else if (kind == Kind::Currency) {
        const Money money = input.value<Money>();
        if (money.raw() % Money::Scale == 0)
            result = money.raw() / Money::Scale;
    } else if (kind == Kind::Text) {
        bool ok = false;
        const qlonglong value = withoutGrouping(input.toString()).toLongLong(&ok);
        if (ok)
            result = value;
        else if (const auto number = parseDouble(input.toString()))
            result = wholeNumber(*number);
    }
    if (!result)
        refuse(field, input, QStringLiteral("整数"));
    return QVariant::fromValue(*result);
}

QVariant toDouble(const FieldInfo &field, const QVariant &input, Kind kind)
{
    std::optional<double> result;
    if (kind == Kind::Integral || kind == Kind::Real)
        result = input.toDouble();
    else if (kind == Kind::Currency)
        result = input.value<Money>().toDouble();
    else if (kind == Kind::Text)
        result = parseDouble(input.toString());
    if (!result || !std::isfinite(*result))
        refuse(field, input, QStringLiteral("数字"));
    return *result;
}

QVariant toCurrency(const FieldInfo &field, const QVariant &input, Kind kind)
{
    if (kind == Kind::Currency)
        return input;
    if (kind == Kind::Integral) {
        const qlonglong yuan = input.toLongLong();
        constexpr qlonglong limit = std::numeric_limits<qlonglong>::max() / Money::Scale;
        if (yuan > limit || yuan < -limit)
            outOfRange(field, input.toString());
        return QVariant::fromValue(Money::fromRaw(yuan * Money::Scale));
    }
    std::optional<double> number;
    if (kind == Kind::Real)
        number = input.toDouble();
    else if (kind == Kind::Text) {
        // Exact decimal text keeps every digit; only longer fractions go through a double.
        if (const auto exact = Money::fromString(withoutGrouping(input.toString())))
            return QVariant::fromValue(*exact);
        number = parseDouble(input.toString());
    }
    if (!number)
        refuse(field, input, QStringLiteral("金额"));
    const auto money = Money::tryFromDouble(*number);
    if (!money)
        outOfRange(field, QString::number(*number, 'g', 17));
    return QVariant::fromValue(*money);
}

QVariant toBoolean(const FieldInfo &field, const QVariant &input, Kind kind)
{
    if (kind == Kind::Integral || kind == Kind::Real)
        return input.toDouble() != 0.0;
    if (kind == Kind::Text) {
        const QString text = input.toString().trimmed().toLower();
        if (text == u"true" || text == u"1" || text == u"是")
            return true;
        if (text.isEmpty() || text == u"false" || text == u"0" || text == u"否")
            return false;
    }
    refuse(field, input, QStringLiteral("“是”或“否”"));
}

QVariant toDate(const FieldInfo &field, const QVariant &input, Kind kind)
{
    QDate date;
    if (input.typeId() == QMetaType::QDate)
        date = input.toDate();
    else if (kind == Kind::Date)
        date = input.toDateTime().date();
    else if (kind == Kind::Text)
        date = QDate::fromString(input.toString().trimmed().left(10), Qt::ISODate);
    if (!date.isValid())
        refuse(field, input, QStringLiteral("日期（年-月-日）"));
    return date;
}

QVariant toText(const FieldInfo &field, const QVariant &input, Kind kind)
{
    QString text;
    if (kind == Kind::Currency)
        text = input.value<Money>().toString();
    else if (kind == Kind::Date && input.typeId() == QMetaType::QDate)
        text = input.toDate().toString(Qt::ISODate);
    else if (kind == Kind::Real)
        text = QString::number(input.toDouble(), 'g', 15);
    else
        text = input.toString();
    if (field.maxLength > 0) {
        // The limit counts characters, not UTF-16 units.
        const qsizetype characters = QStringView(text).toUcs4().size();
        if (characters > field.maxLength)
            throw DatabaseError(QStringLiteral("“%1”最多 %2 个字符，输入的有 %3 个")
                                    .arg(field.name)
                                    .arg(field.maxLength)
                                    .arg(characters));
    }
    return text;
}

} // namespace

void registerConversions()
{
    static const bool registered = [] {
        QMetaType::registerConverter<Money, double>(&Money::toDouble);
        QMetaType::registerConverter<Money, QString>(&Money::toString);
        return true;
    }();
    Q_UNUSED(registered);
}

FieldInfo fromDeclaredType(const QString &name, const QString &declaredType)
{
    FieldInfo field;
    field.name = name;
    const QString type = declaredType.toUpper();
    field.declared = !type.isEmpty();
    if (type.contains(u"CURRENCY") || type.contains(u"MONEY"))
        field.type = FieldType::Currency;
    else if (type.contains(u"BOOL") || type == u"BIT")
        field.type = FieldType::Boolean;
    else if (type.contains(u"DATE") || type.contains(u"TIME"))
        field.type = FieldType::Date;
    else if (type.contains(u"INT"))
        field.type = FieldType::Integer;
    else if (type.contains(u"DOUB") || type.contains(u"REAL") || type.contains(u"FLOA") ||
             type.contains(u"NUMERIC") || type.contains(u"DECIMAL"))
        field.type = FieldType::Double;
    static const QRegularExpression length(QStringLiteral(R"(CHAR\s*\(\s*(\d+)\s*\))"));
    if (field.type == FieldType::Text) {
        const QRegularExpressionMatch match = length.match(type);
        if (match.hasMatch())
            field.maxLength = match.captured(1).toInt();
    }
    return field;
}

QVariant convert(const FieldInfo &field, const QVariant &input)
{
    const Kind kind = kindOf(input);
    if (field.type == FieldType::Boolean && kind == Kind::Null)
        return false; // never NULL
    if (kind == Kind::Null)
        return QVariant();
    // An emptied box clears a number or a date; text keeps its empty value.
    if (field.type != FieldType::Text && kind == Kind::Text && input.toString().trimmed().isEmpty())
        return field.type == FieldType::Boolean ? QVariant(false) : QVariant();
    switch (field.type) {
    case FieldType::Integer:
        return toInteger(field, input, kind);
    case FieldType::Double:
        return toDouble(field, input, kind);
    case FieldType::Currency:
        return toCurrency(field, input, kind);
    case FieldType::Boolean:
        return toBoolean(field, input, kind);
    case FieldType::Date:
        return toDate(field, input, kind);
    case FieldType::Text:
        break;
    }
    return toText(field, input, kind);
}

SortKey sortKey(const QVariant &value)
{
    SortKey key;
    switch (kindOf(value)) {
    case Kind::Null:
        break;
    case Kind::Integral:
        key = {1, 1, value.toLongLong(), value.toDouble(), {}};
        break;
    case Kind::Currency: {
        const Money money = value.value<Money>();
        key = {1, 2, money.raw(), money.toDouble(), {}};
        break;
    }
    case Kind::Real:
        key = {1, 0, 0, value.toDouble(), {}};
        break;
    case Kind::Text:
        key = {2, 0, 0, 0, value.toString()};
        break;
    case Kind::Date:
        key = {2, 0, 0, 0,
               value.typeId() == QMetaType::QDate ? value.toDate().toString(Qt::ISODate)
                                                  : value.toString()};
        break;
    case Kind::Other:
        key = {3, 0, 0, 0, value.toString()};
        break;
    }
    return key;
}

int compare(const SortKey &a, const SortKey &b)
{
    auto order = [](auto x, auto y) { return x < y ? -1 : (y < x ? 1 : 0); };
    if (a.rank != b.rank)
        return order(a.rank, b.rank);
    if (a.rank == 1) {
        if (a.exactKind != 0 && a.exactKind == b.exactKind)
            return order(a.whole, b.whole);
        return order(a.number, b.number);
    }
    return order(a.text.compare(b.text), 0);
}

int compare(const QVariant &a, const QVariant &b)
{
    return compare(sortKey(a), sortKey(b));
}

} // namespace FieldValue
