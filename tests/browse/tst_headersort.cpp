#include "TestDatabase.h"
#include "db/Dataset.h"
#include "entry/Money.h"

#include <QDate>
#include <QTest>

#include <algorithm>

namespace {

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

} // namespace

// Sorting the header list must give the order the dataset layer defines for its values,
// equal values in the statement's order, however it gets there fast.
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
    for (const char *column : {"购货单位名称", "开票日期", "小写金额", "发票号码", "cid"})
        QTest::newRow(column) << QString::fromUtf8(column);
}

void TestHeaderSort::sortGivesTheDefinedOrder()
{
    QFETCH(QString, column);
    TestDatabase database({QStringLiteral("browse_sort.sql")});
    Dataset titles(database.connection());
    titles.setSql({QStringLiteral("select * from title order by cid desc")});
    titles.open();
    QList<std::pair<QVariant, qlonglong>> rows; // value, cid, in the statement's order
    for (int row = 0; row < titles.rowCount(); ++row)
        rows.append({titles.rowValue(row, column), titles.rowValue(row, QStringLiteral("cid")).toLongLong()});

    for (const bool descending : {false, true}) {
        QList<std::pair<QVariant, qlonglong>> expected = rows;
        std::stable_sort(expected.begin(), expected.end(), [&](const auto &a, const auto &b) {
            const int c = definedOrder(a.first, b.first);
            return descending ? c > 0 : c < 0;
        });
        titles.setSort(descending ? column + QStringLiteral(" DESC") : column);
        QList<qlonglong> shown;
        for (int row = 0; row < titles.rowCount(); ++row)
            shown << titles.rowValue(row, QStringLiteral("cid")).toLongLong();
        QList<qlonglong> wanted;
        for (const auto &row : expected)
            wanted << row.second;
        QCOMPARE(shown, wanted);
    }
}

QTEST_GUILESS_MAIN(TestHeaderSort)
#include "tst_headersort.moc"
