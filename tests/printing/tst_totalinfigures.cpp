#include "print/InvoicePrintFields.h"
#include "print/PrintError.h"

#include <QTest>

using namespace Qt::StringLiterals;

// The invoice total as the form prints it, from the text the window shows.
class TestTotalInFigures : public QObject
{
    Q_OBJECT

private slots:
    void printed_data();
    void printed();
    void notANumber_data();
    void notANumber();
};

void TestTotalInFigures::printed_data()
{
    QTest::addColumn<QString>("shown");
    QTest::addColumn<QString>("printed");
    QTest::newRow("one decimal") << u"1234.5"_s << u"1234.50"_s;
    QTest::newRow("zero") << u"0"_s << u"0.00"_s;
    QTest::newRow("negative") << u"-12.3"_s << u"-12.30"_s;
    QTest::newRow("half a fen up") << u"0.005"_s << u"0.01"_s;
    QTest::newRow("half a fen down, negative") << u"-2.345"_s << u"-2.35"_s;
    QTest::newRow("four decimals") << u"1486.5049"_s << u"1486.50"_s;
    QTest::newRow("no grouping") << u"1234567.8"_s << u"1234567.80"_s;
}

void TestTotalInFigures::printed()
{
    QFETCH(QString, shown);
    QFETCH(QString, printed);
    QCOMPARE(InvoicePrintFields::totalInFigures(shown), printed);
}

void TestTotalInFigures::notANumber_data()
{
    QTest::addColumn<QString>("shown");
    QTest::newRow("empty") << QString();
    QTest::newRow("words") << u"壹佰圆"_s;
    QTest::newRow("two points") << u"1.2.3"_s;
}

void TestTotalInFigures::notANumber()
{
    QFETCH(QString, shown);
    try {
        InvoicePrintFields::totalInFigures(shown);
        QFAIL("accepted");
    } catch (const PrintError &error) {
        QCOMPARE(error.message(), u"'%1' is not a valid floating point value"_s.arg(shown));
    }
}

QTEST_GUILESS_MAIN(TestTotalInFigures)
#include "tst_totalinfigures.moc"
