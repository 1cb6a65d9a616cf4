#include "StatementLog.h"
#include "TestDatabase.h"
#include "browse/InvoiceSearch.h"
#include "db/Dataset.h"
#include "entry/Money.h"

#include <QDate>
#include <QTest>
#include <algorithm>

namespace {

const QStringList sortedColumns{QStringLiteral("购货单位名称"), QStringLiteral("开票日期"),
                                QStringLiteral("小写金额"), QStringLiteral("发票号码")};

// The order the dataset layer promises, written out plainly: NULL first, then numbers by
// value, then texts (dates as ISO text) by QString's comparison.
int definedOrder(const QVariant &a, const QVariant &b)
{
    const auto rank = [](const QVariant &v) {
        if (v.isNull())
            return 0;
        return v.typeId() == QMetaType::QString || v.typeId() == QMetaType::QDate ? 2 : 1;
    };
    const auto number = [](const QVariant &v) {
        return v.typeId() == qMetaTypeId<Money>() ? double(v.value<Money>().raw()) : v.toDouble();
    };
    const auto text = [](const QVariant &v) {
        return v.typeId() == QMetaType::QDate ? v.toDate().toString(Qt::ISODate) : v.toString();
    };
    if (rank(a) != rank(b))
        return rank(a) < rank(b) ? -1 : 1;
    if (rank(a) == 1)
        return number(a) < number(b) ? -1 : number(b) < number(a) ? 1 : 0;
    if (rank(a) == 2)
        return text(a).compare(text(b));
    return 0;
}

QList<qlonglong> shownCids(const Dataset &titles)
{
    QList<qlonglong> cids;
    for (int row = 0; row < titles.rowCount(); ++row)
        cids << titles.rowValue(row, QStringLiteral("cid")).toLongLong();
    return cids;
}

// The cids in the defined order of the column, equal values in the statement's order.
QList<qlonglong> definedCids(const Dataset &titles, const QString &column, bool descending)
{
    QList<std::pair<QVariant, qlonglong>> rows;
    for (int row = 0; row < titles.rowCount(); ++row)
        rows.append({titles.rowValue(row, column),
                     titles.rowValue(row, QStringLiteral("cid")).toLongLong()});
    std::stable_sort(rows.begin(), rows.end(), [&](const auto &a, const auto &b) {
        const int c = definedOrder(a.first, b.first);
        return descending ? c > 0 : c < 0;
    });
    QList<qlonglong> cids;
    for (const auto &row : rows)
        cids << row.second;
    return cids;
}

} // namespace

// Sorting the header list must give the order the dataset layer defines for its values,
// equal values in the statement's order, whether the order comes from reading the column
// or from the copy the search keeps, and after writes the copy has followed.
class TestHeaderSort : public QObject
{
    Q_OBJECT

private slots:
    void sortGivesTheDefinedOrder_data();
    void sortGivesTheDefinedOrder();
};

void TestHeaderSort::sortGivesTheDefinedOrder_data()
{
    QTest::addColumn<QString>("column");
    QTest::addColumn<bool>("fromTheCopy");
    QTest::addColumn<bool>("afterWrites");
    for (const QString &column : sortedColumns + QStringList{QStringLiteral("cid")}) {
        QTest::addRow("%s, read", qPrintable(column)) << column << false << false;
        if (column == u"cid")
            continue;
        QTest::addRow("%s, from the copy", qPrintable(column)) << column << true << false;
        QTest::addRow("%s, from the copy after writes", qPrintable(column))
            << column << true << true;
    }
}

void TestHeaderSort::sortGivesTheDefinedOrder()
{
    QFETCH(QString, column);
    QFETCH(bool, fromTheCopy);
    QFETCH(bool, afterWrites);
    TestDatabase database({QStringLiteral("browse_sort.sql")});
    Dataset titles(database.connection());
    titles.setSql({QStringLiteral("select * from title order by cid desc")});
    titles.open();
    std::unique_ptr<InvoiceSearch> search;
    if (fromTheCopy) {
        search = std::make_unique<InvoiceSearch>(titles, sortedColumns);
        search->prepare();
    }
    if (afterWrites) {
        // New values between, below and above the ones there, an equal one, a row gone.
        Connection &store = database.connection();
        store.exec(
            QStringLiteral("update title set 购货单位名称='北京远山贸易有限公司第一分公司甲', "
                           "开票日期='2010-03-02', 小写金额=90001, 发票号码=6 where cid=5"));
        store.exec(QStringLiteral("update title set 购货单位名称='', 小写金额=NULL where cid=8"));
        store.exec(
            QStringLiteral("insert into title (cid, 购货单位名称, 开票日期, 小写金额, 发票号码) "
                           "values (13, '\U00020000', '0000-01-01', -99999999, -5)"));
        store.exec(QStringLiteral("delete from title where cid=2"));
        titles.close();
        titles.open();
    }
    for (const bool descending : {false, true}) {
        bool readColumn = false;
        {
            StatementLog log(database.connection().handle());
            titles.setSort(descending ? column + QStringLiteral(" DESC") : column);
            readColumn = log.any(QStringLiteral("select rowid, \"%1\" from").arg(column));
        }
        QCOMPARE(shownCids(titles), definedCids(titles, column, descending));
        QCOMPARE(readColumn, !fromTheCopy);
    }
}

QTEST_GUILESS_MAIN(TestHeaderSort)
#include "tst_headersort.moc"
