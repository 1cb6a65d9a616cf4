#include "payments/PaymentReport.h"

#include "db/Connection.h"

#include <QDate>
#include <QSqlError>
#include <QSqlQuery>

using namespace Qt::StringLiterals;

namespace {

QString leftoverTable(PaymentReport::Kind kind)
{
    return kind == PaymentReport::Kind::Summary ? u"qry2"_s : u"qry4"_s;
}

} // namespace

struct PaymentReport::Bounds
{
    bool used = false;
    QDate from;
    QDate to;
};

PaymentReport::PaymentReport(Connection &connection, const QLocale &locale)
    : m_connection(connection), m_locale(locale)
{}

QString PaymentReport::workTable(Kind kind)
{
    return kind == Kind::Summary ? u"qry1"_s : u"qry3"_s;
}

QString PaymentReport::templateFile(Kind kind)
{
    return kind == Kind::Summary ? u"sk.prt"_s : u"wsk.prt"_s;
}

QString PaymentReport::rowsStatement(Kind kind)
{
    return u"SELECT * FROM %1 order by hcom"_s.arg(workTable(kind));
}

bool PaymentReport::TableExists(const QString &name) const
{
    return m_connection.tableNames().contains(name, Qt::CaseInsensitive);
}

QStringList PaymentReport::insertStatement(Kind kind, bool dateBounds, bool buyer)
{
    QStringList lines{
        u"insert into %1 (cid, hcom, tje)"_s.arg(workTable(kind)),
        // A blank stands where a minus sign would, as number-to-text conversions of
        // BASIC descent do; || gives NULL when either part is NULL.
        u"SELECT title.cid, (case when title.发票号码 >= 0 then ' ' else '' end)"_s
        u" || title.发票号码 || '  ' || title.购货单位名称 AS hcom,"_s
        u" title.小写金额 AS tje FROM title"_s,
        kind == Kind::Summary ? u" WHERE 1=1"_s : u" WHERE 1=1 and title.是否收款 = 0"_s,
    };
    if (dateBounds)
        lines << u" and date(title.开票日期) >= :fmd and date(title.开票日期) <= :tod"_s;
    if (buyer)
        lines << u" and title.购货单位名称 = :pcm"_s;
    return lines;
}

int PaymentReport::fill(Kind kind, const QString &fromText, const QString &toText,
                        const QString &buyer)
{
    const Bounds bounds = parseBounds(fromText, toText);
    if (TableExists(leftoverTable(kind)))
        m_connection.exec(u"Drop Table "_s + leftoverTable(kind));
    m_connection.exec(u"delete from "_s + workTable(kind));

    QVariantMap parameters;
    if (bounds.used) {
        parameters.insert(u"fmd"_s, bounds.from.toString(Qt::ISODate));
        parameters.insert(u"tod"_s, bounds.to.toString(Qt::ISODate));
    }
    if (!buyer.isEmpty())
        parameters.insert(u"pcm"_s, buyer);
    m_connection.exec(insertStatement(kind, bounds.used, !buyer.isEmpty()).join(u'\n'), parameters);

    QSqlQuery count(m_connection.database());
    if (!count.exec(u"select count(*) from "_s + workTable(kind)) || !count.next())
        throw DatabaseError(count.lastError().text());
    return count.value(0).toInt();
}

PaymentReport::Bounds PaymentReport::parseBounds(const QString &fromText,
                                                 const QString &toText) const
{
    Bounds bounds;
    if (fromText.trimmed().isEmpty() || toText.trimmed().isEmpty())
        return bounds;
    bounds.from = parseDate(fromText, u"开票日期 从"_s);
    bounds.to = parseDate(toText, u"到"_s);
    bounds.used = true;
    return bounds;
}

QDate PaymentReport::parseDate(const QString &text, const QString &box) const
{
    const QString format = m_locale.dateFormat(QLocale::ShortFormat);
    const QString trimmed = text.trimmed();
    QDate date;
    // A two-digit year reads as 19xx; invoices of this program are dated from 2000 on.
    // A clerk may also type the year in full.
    if (format.contains(u"yy"_s) && !format.contains(u"yyyy"_s)) {
        date = m_locale.toDate(trimmed, QString(format).replace(u"yy"_s, u"yyyy"_s));
        if (!date.isValid()) {
            date = m_locale.toDate(trimmed, format);
            if (date.isValid() && date.year() < 2000)
                date = date.addYears(100);
        }
    } else {
        date = m_locale.toDate(trimmed, format);
    }
    if (!date.isValid())
        throw DateInputError(
            u"%1：“%2”不是有效的日期，请按 %3 的格式输入"_s.arg(box, text, format));
    return date;
}
