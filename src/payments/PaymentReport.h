#pragma once

#include "db/DatabaseError.h"

#include <QLocale>
#include <QString>
#include <QStringList>

class Connection;

// A date box of the payment dialog holds text that is not a date in the expected format.
// Raised before any statement runs, so the work tables stay as they were.
class DateInputError : public DatabaseError
{
public:
    using DatabaseError::DatabaseError;
};

// Fills the work table of a payment printout with one row per selected invoice:
// cid, hcom (the invoice number as text, a blank before a non-negative one, two blanks,
// the buyer; NULL when either is NULL) and tje (the invoice total).
class PaymentReport final
{
public:
    enum class Kind
    {
        Summary,
        Unpaid
    };

    // The date boxes hold dates in the short date format of `locale`.
    explicit PaymentReport(Connection &connection, const QLocale &locale = QLocale::system());

    // Drops the leftover table of the printout if there is one, empties its work table
    // and fills it: unpaid invoices only for Kind::Unpaid; dated from..to inclusive when
    // both texts hold a date (one alone limits nothing); of that buyer when it is not
    // empty. Returns the rows now in the work table. Throws DateInputError for a date
    // text that does not parse, DatabaseError for the store's errors; statements run
    // before a store error stay done.
    int fill(Kind kind, const QString &fromText, const QString &toText, const QString &buyer);

    // Reads the work table's rows in report order (by hcom as text).
    static QString rowsStatement(Kind kind);
    static QString workTable(Kind kind);
    static QString templateFile(Kind kind);

    // Whether the connection reports a table of that name, letter case aside.
    bool TableExists(const QString &name) const;

private:
    static QStringList insertStatement(Kind kind, bool dateBounds, bool buyer);
    struct Bounds;
    Bounds parseBounds(const QString &fromText, const QString &toText) const;
    QDate parseDate(const QString &text, const QString &box) const;

    Connection &m_connection;
    QLocale m_locale;
};
