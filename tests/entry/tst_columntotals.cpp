#include "TestDatabase.h"
#include "db/Dataset.h"
#include "entry/ColumnTotals.h"

#include <QTest>

using namespace Qt::StringLiterals;

namespace {

// Invoice 1: quantities whose double sum is not 0.3, a NULL in each summed column.
// Invoice 2: one line. Currency columns hold ten-thousandths.
const QString Lines = uR"(
insert into title (cid) values (1), (2), (3);
insert into detail (id, cid, 数量, 单价, 金额, 税率, 税额) values
 (1, 1, 0.1, 5, 5000, 17, 850),
 (2, 1, 0.2, NULL, 20050, NULL, NULL),
 (3, 1, NULL, NULL, NULL, 17, 3409),
 (4, 2, 1.23456, 2, 7, 17, 1);
)"_s;

struct Fixture
{
    TestDatabase db;
    Dataset lines{db.connection()};

    explicit Fixture(qlonglong cid)
    {
        db.execScript(Lines);
        lines.setSql({u"select * from detail where cid = :cid order by id"_s});
        lines.setParameter(u"cid"_s, cid);
    }
};

Money money(const char *text)
{
    return Money::fromString(QString::fromLatin1(text)).value();
}

} // namespace

class TestColumnTotals : public QObject
{
    Q_OBJECT
private slots:
    void sumsWhenOpened();
    void reopenRecomputes();
    void postedValuesOnly();
    void appendedLineCountsWhenPosted();
    void deleteAndCancel();
    void laterListenersSeeNewTotals();
};

void TestColumnTotals::sumsWhenOpened()
{
    Fixture f(1);
    ColumnTotals totals(f.lines);
    QCOMPARE(totals.amount(), Money());
    f.lines.open();
    QCOMPARE(totals.quantity(), money("0.3")); // exactly, not 0.30000000000000004
    QCOMPARE(totals.amount(), money("2.505"));
    QCOMPARE(totals.tax(), money("0.4259"));
    QCOMPARE(totals.total(ColumnTotals::Quantity), totals.quantity());
    QCOMPARE(totals.total(ColumnTotals::Amount), totals.amount());
    QCOMPARE(totals.total(ColumnTotals::Tax), totals.tax());
}

void TestColumnTotals::reopenRecomputes()
{
    Fixture f(1);
    f.lines.open();
    ColumnTotals totals(f.lines); // picks up a dataset that is already open
    QCOMPARE(totals.amount(), money("2.505"));

    f.lines.close();
    QCOMPARE(totals.amount(), Money());
    f.lines.setParameter(u"cid"_s, 2);
    f.lines.open();
    QCOMPARE(totals.quantity(), money("1.2346")); // four decimals, half to even
    QCOMPARE(totals.amount(), money("0.0007"));
    QCOMPARE(totals.tax(), money("0.0001"));

    f.lines.close();
    f.lines.setParameter(u"cid"_s, 3);
    f.lines.open();
    QCOMPARE(totals.quantity(), Money());
    QCOMPARE(totals.amount(), Money());
    QCOMPARE(totals.tax(), Money());
}

void TestColumnTotals::postedValuesOnly()
{
    Fixture f(1);
    ColumnTotals totals(f.lines);
    f.lines.open();
    f.lines.moveTo(1);
    f.lines.edit();
    f.lines.setValue(u"数量"_s, 5.0);
    f.lines.setValue(u"金额"_s, QVariant::fromValue(money("100")));
    QCOMPARE(totals.quantity(), money("0.3"));
    QCOMPARE(totals.amount(), money("2.505"));

    f.lines.post();
    QCOMPARE(totals.quantity(), money("5.1"));
    QCOMPARE(totals.amount(), money("100.5"));

    // A move posts a pending change, and the totals follow.
    f.lines.edit();
    f.lines.setValue(u"税额"_s, QVariant::fromValue(money("1")));
    QCOMPARE(totals.tax(), money("0.4259"));
    f.lines.first();
    QCOMPARE(totals.tax(), money("1.4259"));
}

void TestColumnTotals::appendedLineCountsWhenPosted()
{
    Fixture f(1);
    ColumnTotals totals(f.lines);
    f.lines.open();
    f.lines.append();
    f.lines.setValue(u"数量"_s, 1.0);
    f.lines.setValue(u"金额"_s, QVariant::fromValue(money("10")));
    QCOMPARE(totals.amount(), money("2.505"));
    f.lines.post();
    QCOMPARE(totals.quantity(), money("1.3"));
    QCOMPARE(totals.amount(), money("12.505"));
}

void TestColumnTotals::deleteAndCancel()
{
    Fixture f(1);
    ColumnTotals totals(f.lines);
    f.lines.open();
    f.lines.moveTo(2);
    f.lines.edit();
    f.lines.setValue(u"税额"_s, QVariant::fromValue(money("9")));
    f.lines.cancel();
    QCOMPARE(totals.tax(), money("0.4259"));

    f.lines.first();
    f.lines.remove();
    QCOMPARE(totals.quantity(), money("0.2"));
    QCOMPARE(totals.amount(), money("2.005"));
    QCOMPARE(totals.tax(), money("0.3409"));

    f.lines.append();
    f.lines.setValue(u"金额"_s, QVariant::fromValue(money("10")));
    f.lines.cancel();
    QCOMPARE(totals.amount(), money("2.005"));
}

void TestColumnTotals::laterListenersSeeNewTotals()
{
    Fixture f(1);
    ColumnTotals totals(f.lines);
    QList<Money> seen;
    connect(&f.lines, &Dataset::changed, this, [&](Dataset::Change change) {
        if (change == Dataset::Change::Opened || change == Dataset::Change::Posted)
            seen << totals.amount();
    });
    f.lines.open();
    f.lines.edit();
    f.lines.setValue(u"金额"_s, QVariant::fromValue(money("1")));
    f.lines.post();
    QCOMPARE(seen, (QList<Money>{money("2.505"), money("3.005")}));
}

QTEST_GUILESS_MAIN(TestColumnTotals)
#include "tst_columntotals.moc"
