#include "db/SqliteStatement.h"

#include "db/DatabaseError.h"
#include "db/FieldValue.h"
#include "entry/Money.h"

#include <QDate>
#include <QDateTime>
#include <cmath>
#include <sqlite3.h>

namespace {

// The file holds UTF-8; one conversion by Qt is cheaper than the store's to UTF-16 and a copy.
QString columnText(sqlite3_stmt *statement, int column)
{
    const auto *text = reinterpret_cast<const char *>(sqlite3_column_text(statement, column));
    return QString::fromUtf8(text, sqlite3_column_bytes(statement, column));
}

// Whatever the store holds, in its own kind: for expressions without a declared type.
QVariant naturalValue(sqlite3_stmt *statement, int column)
{
    switch (sqlite3_column_type(statement, column)) {
    case SQLITE_INTEGER:
        return QVariant::fromValue<qlonglong>(sqlite3_column_int64(statement, column));
    case SQLITE_FLOAT:
        return sqlite3_column_double(statement, column);
    case SQLITE_TEXT:
        return columnText(statement, column);
    case SQLITE_BLOB: {
        const auto *data = static_cast<const char *>(sqlite3_column_blob(statement, column));
        return QByteArray(data, sqlite3_column_bytes(statement, column));
    }
    default:
        return QVariant();
    }
}

// A value the store holds in another kind than the column declares (written by some
// other tool) is converted where that is exact, else handed over as it is.
QVariant typedValue(sqlite3_stmt *statement, int column, FieldType type)
{
    const int storeType = sqlite3_column_type(statement, column);
    if (storeType == SQLITE_NULL)
        return type == FieldType::Boolean ? QVariant(false) : QVariant();
    const QVariant natural = naturalValue(statement, column);
    switch (type) {
    case FieldType::Integer:
        if (storeType == SQLITE_FLOAT && natural.toDouble() == std::trunc(natural.toDouble()))
            return QVariant::fromValue<qlonglong>(sqlite3_column_int64(statement, column));
        return natural;
    case FieldType::Double:
        return storeType == SQLITE_INTEGER ? QVariant(natural.toDouble()) : natural;
    case FieldType::Currency:
        if (storeType == SQLITE_INTEGER)
            return QVariant::fromValue(Money::fromRaw(sqlite3_column_int64(statement, column)));
        if (storeType == SQLITE_TEXT) {
            if (const auto money = Money::fromString(natural.toString()))
                return QVariant::fromValue(*money);
        }
        return natural;
    case FieldType::Boolean:
        return storeType == SQLITE_TEXT ? natural : QVariant(natural.toDouble() != 0.0);
    case FieldType::Date:
        if (storeType == SQLITE_TEXT) {
            const QDate date = QDate::fromString(natural.toString().left(10), Qt::ISODate);
            if (date.isValid())
                return date;
        }
        return natural;
    case FieldType::Text:
        break;
    }
    return storeType == SQLITE_BLOB ? natural : QVariant(columnText(statement, column));
}

} // namespace

SqliteStatement::SqliteStatement(sqlite3 *db, const QString &sql) : m_db(db)
{
    const auto bytes = static_cast<int>(sql.size() * sizeof(char16_t));
    if (sqlite3_prepare16_v2(db, sql.utf16(), bytes, &m_statement, nullptr) != SQLITE_OK)
        throw DatabaseError(storeMessage(db));
}

SqliteStatement::~SqliteStatement()
{
    sqlite3_finalize(m_statement);
}

void SqliteStatement::bind(int index, const QVariant &value)
{
    int rc = SQLITE_OK;
    if (!value.isValid() || value.isNull()) {
        rc = sqlite3_bind_null(m_statement, index);
    } else if (value.typeId() == qMetaTypeId<Money>()) {
        rc = sqlite3_bind_int64(m_statement, index, value.value<Money>().raw());
    } else if (FieldValue::isWholeNumberType(value.typeId())) {
        rc = sqlite3_bind_int64(m_statement, index, value.toLongLong());
    } else {
        switch (value.typeId()) {
        case QMetaType::Bool:
            rc = sqlite3_bind_int(m_statement, index, value.toBool() ? 1 : 0);
            break;
        case QMetaType::Double:
        case QMetaType::Float:
            rc = sqlite3_bind_double(m_statement, index, value.toDouble());
            break;
        case QMetaType::QByteArray: {
            const QByteArray data = value.toByteArray();
            rc = sqlite3_bind_blob64(m_statement, index, data.constData(), data.size(),
                                     SQLITE_TRANSIENT);
            break;
        }
        default: {
            const QString text =
                value.typeId() == QMetaType::QDate ? value.toDate().toString(Qt::ISODate)
                : value.typeId() == QMetaType::QDateTime
                    ? value.toDateTime().toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"))
                    : value.toString();
            rc = sqlite3_bind_text16(m_statement, index, text.utf16(),
                                     static_cast<int>(text.size() * 2), SQLITE_TRANSIENT);
        }
        }
    }
    if (rc != SQLITE_OK)
        throw DatabaseError(storeMessage(m_db));
}

void SqliteStatement::bindNamed(const QHash<QString, QVariant> &parameters)
{
    const int count = sqlite3_bind_parameter_count(m_statement);
    for (int i = 1; i <= count; ++i) {
        const char *name = sqlite3_bind_parameter_name(m_statement, i);
        if (!name)
            continue;
        const QString key = QString::fromUtf8(name + 1).toLower();
        bind(i, parameters.value(key));
    }
}

bool SqliteStatement::step()
{
    if (!m_statement)
        return false;
    const int rc = sqlite3_step(m_statement);
    if (rc == SQLITE_ROW)
        return true;
    if (rc == SQLITE_DONE)
        return false;
    throw DatabaseError(storeMessage(m_db));
}

void SqliteStatement::run()
{
    while (step()) {
    }
}

void SqliteStatement::reset()
{
    sqlite3_reset(m_statement);
    sqlite3_clear_bindings(m_statement);
}

int SqliteStatement::columnCount() const
{
    return sqlite3_column_count(m_statement);
}

QString SqliteStatement::columnName(int column) const
{
    return QString::fromUtf8(sqlite3_column_name(m_statement, column));
}

QString SqliteStatement::declaredType(int column) const
{
    return QString::fromUtf8(sqlite3_column_decltype(m_statement, column));
}

qint64 SqliteStatement::integer(int column) const
{
    return sqlite3_column_int64(m_statement, column);
}

bool SqliteStatement::isNull(int column) const
{
    return sqlite3_column_type(m_statement, column) == SQLITE_NULL;
}

std::string_view SqliteStatement::utf8(int column) const
{
    const auto *text = reinterpret_cast<const char *>(sqlite3_column_text(m_statement, column));
    return text ? std::string_view(text, std::size_t(sqlite3_column_bytes(m_statement, column)))
                : std::string_view();
}

bool SqliteStatement::isText(int column) const
{
    return sqlite3_column_type(m_statement, column) == SQLITE_TEXT;
}

QVariant SqliteStatement::value(int column, const FieldInfo &field) const
{
    return field.declared ? typedValue(m_statement, column, field.type)
                          : naturalValue(m_statement, column);
}

QString SqliteStatement::storeMessage(sqlite3 *db)
{
    return QString::fromUtf8(sqlite3_errmsg(db));
}
