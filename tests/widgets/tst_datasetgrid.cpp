#include "FakePrompt.h"
#include "Interaction.h"
#include "TestDatabase.h"
#include "app/ErrorGuard.h"
#include "db/Dataset.h"
#include "widgets/DbGrid.h"

#include <QAbstractItemModelTester>
#include <QApplication>
#include <QHeaderView>
#include <QLineEdit>
#include <QTest>

namespace {

QList<GridColumn> lineColumns()
{
    QList<GridColumn> columns;
    for (const char *field : {"货物应税名称", "数量", "单价", "金额"}) {
        GridColumn column;
        column.field = QString::fromUtf8(field);
        column.width = 80;
        columns << column;
    }
    columns[0].footer = GridColumn::Footer::Text;
    columns[0].footerText = QStringLiteral("合  计：");
    columns[1].footer = GridColumn::Footer::Sum;
    columns[3].footer = GridColumn::Footer::Sum;
    columns[3].readOnly = true;
    columns[3].format = [](const QVariant &value) { return QStringLiteral("<%1>").arg(value.value<Money>().toString()); };
    return columns;
}

// Lines of invoice 2 in a grid, as the edit page shows them.
struct GridOnLines
{
    GridOnLines() : lines(database.connection())
    {
        lines.setSql({QStringLiteral("select * from detail where cid=2")});
        grid.bind(lines, lineColumns(), guard);
        grid.setFooterVisible(true);
        grid.resize(400, 200);
        if (!showActive(grid))
            qWarning("grid window not active");
        lines.open();
    }

    QModelIndex cell(int row, int column) const { return grid.model()->index(row, column); }

    TestDatabase database{{QStringLiteral("ui_invoices.sql")}};
    FakePrompt prompt;
    ErrorGuard guard{prompt};
    Dataset lines;
    DbGrid grid;
};

} // namespace

class TestDatasetGrid : public QObject
{
    Q_OBJECT

private slots:
    void modelStaysConsistentThroughEveryDatasetOperation();
    void cellsShowValuesThroughTheColumnFormat();
    void currentCellAndCurrentRowFollowEachOther();
    void footerSumsOnlyPostedRows();
    void typedTextIsWrittenBeforeTheCellIsLeft();
    void numberCellsRefuseWhatIsNotANumber_data();
    void numberCellsRefuseWhatIsNotANumber();
    void readOnlyGridOpensNoEditor();
    void titleClicksMoveTheSortMarks_data();
    void titleClicksMoveTheSortMarks();
    void untouchedNewRowIsDroppedWhenTheGridIsLeft();
};

void TestDatasetGrid::modelStaysConsistentThroughEveryDatasetOperation()
{
    GridOnLines fixture;
    QAbstractItemModelTester tester(fixture.grid.model(),
                                    QAbstractItemModelTester::FailureReportingMode::QtTest);
    Dataset &lines = fixture.lines;
    QCOMPARE(fixture.grid.model()->rowCount(), 3);
    lines.append();
    QCOMPARE(fixture.grid.model()->rowCount(), 4);
    lines.setValue(QStringLiteral("cid"), 2);
    lines.setValue(QStringLiteral("货物应税名称"), QStringLiteral("新"));
    lines.post();
    lines.moveTo(1);
    lines.remove();
    QCOMPARE(fixture.grid.model()->rowCount(), 3);
    lines.append();
    lines.cancel();
    QCOMPARE(fixture.grid.model()->rowCount(), 3);
    lines.setSort(QStringLiteral("数量 DESC"));
    QCOMPARE(fixture.grid.model()->index(0, 1).data().toString(), QStringLiteral("10"));
    lines.close();
    QCOMPARE(fixture.grid.model()->rowCount(), 0);
    lines.open();
    QCOMPARE(fixture.grid.model()->rowCount(), 3);
}

void TestDatasetGrid::cellsShowValuesThroughTheColumnFormat()
{
    GridOnLines fixture;
    QCOMPARE(fixture.cell(0, 0).data().toString(), QStringLiteral("钢管"));
    QCOMPARE(fixture.cell(0, 3).data().toString(), QStringLiteral("<100>"));
    // The editor starts from the plain value, not from the shown text.
    QCOMPARE(fixture.cell(0, 3).data(Qt::EditRole).toString(), QStringLiteral("100"));
    QVERIFY(fixture.cell(0, 1).data(Qt::TextAlignmentRole).toInt() & Qt::AlignRight);
    QVERIFY(!(fixture.grid.model()->flags(fixture.cell(0, 3)) & Qt::ItemIsEditable));
    QVERIFY(fixture.grid.model()->flags(fixture.cell(0, 1)) & Qt::ItemIsEditable);
}

void TestDatasetGrid::currentCellAndCurrentRowFollowEachOther()
{
    GridOnLines fixture;
    fixture.grid.setCurrentIndex(fixture.cell(2, 1));
    QCOMPARE(fixture.lines.currentRow(), 2);
    fixture.lines.moveTo(1);
    QCOMPARE(fixture.grid.currentIndex().row(), 1);
    QCOMPARE(fixture.grid.currentIndex().column(), 1);
    fixture.lines.close();
    fixture.lines.open();
    QCOMPARE(fixture.grid.currentIndex().row(), 0);
}

void TestDatasetGrid::footerSumsOnlyPostedRows()
{
    GridOnLines fixture;
    Dataset &lines = fixture.lines;
    DbGrid &grid = fixture.grid;
    QCOMPARE(grid.footerSum(QStringLiteral("数量")), Money::fromRaw(130000));
    QCOMPARE(grid.footerSum(QStringLiteral("金额")), Money::fromRaw(3000000));
    QCOMPARE(grid.footerText(0), QStringLiteral("合  计："));
    QCOMPARE(grid.footerText(3), QStringLiteral("<300>"));
    QCOMPARE(grid.footerText(2), QString());

    lines.edit();
    lines.setValue(QStringLiteral("数量"), 0.5);
    lines.setValue(QStringLiteral("金额"), QVariant::fromValue(Money::fromRaw(5)));
    QCOMPARE(grid.footerSum(QStringLiteral("数量")), Money::fromRaw(130000));
    lines.post();
    QCOMPARE(grid.footerSum(QStringLiteral("数量")), Money::fromRaw(35000));
    QCOMPARE(grid.footerSum(QStringLiteral("金额")), Money::fromRaw(2000005));

    lines.append();
    lines.setValue(QStringLiteral("数量"), 7.0);
    QCOMPARE(grid.footerSum(QStringLiteral("数量")), Money::fromRaw(35000));
    lines.post();
    QCOMPARE(grid.footerSum(QStringLiteral("数量")), Money::fromRaw(105000));
    lines.remove();
    QCOMPARE(grid.footerSum(QStringLiteral("数量")), Money::fromRaw(35000));
    lines.close();
    QCOMPARE(grid.footerSum(QStringLiteral("数量")), Money());
}

void TestDatasetGrid::typedTextIsWrittenBeforeTheCellIsLeft()
{
    GridOnLines fixture;
    DbGrid &grid = fixture.grid;
    grid.setFocus();
    grid.setCurrentIndex(fixture.cell(1, 1));
    typeAtFocus(QStringLiteral("2.5"));
    auto *editor = qobject_cast<QLineEdit *>(QApplication::focusWidget());
    QVERIFY(editor && grid.isAncestorOf(editor));
    QCOMPARE(editor->text(), QStringLiteral("2.5"));
    QCOMPARE(fixture.lines.state(), Dataset::State::Edit);
    QVERIFY(fixture.lines.hasUserChange());
    QCOMPARE(fixture.lines.value(QStringLiteral("数量")).toDouble(), 2.5);
    // A command that posts now (a shortcut, a menu) finds the typing in the row.
    fixture.lines.post();
    QCOMPARE(fixture.database.scalar(QStringLiteral("select 数量 from detail where id=3")).toDouble(), 2.5);
    QVERIFY(fixture.prompt.shown().isEmpty());
}

void TestDatasetGrid::numberCellsRefuseWhatIsNotANumber_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("kept");
    QTest::addColumn<QVariant>("stored");
    QTest::newRow("letters") << QStringLiteral("abc") << QStringLiteral("2") << QVariant(2.0);
    QTest::newRow("letter inside") << QStringLiteral("1x2") << QStringLiteral("12") << QVariant(12.0);
    QTest::newRow("second point") << QStringLiteral("1.2.3") << QStringLiteral("1.23") << QVariant(1.23);
    QTest::newRow("lone minus waits") << QStringLiteral("-") << QStringLiteral("-") << QVariant(2.0);
    QTest::newRow("negative") << QStringLiteral("-4") << QStringLiteral("-4") << QVariant(-4.0);
}

void TestDatasetGrid::numberCellsRefuseWhatIsNotANumber()
{
    QFETCH(QString, typed);
    QFETCH(QString, kept);
    QFETCH(QVariant, stored);
    GridOnLines fixture;
    DbGrid &grid = fixture.grid;
    grid.setFocus();
    grid.setCurrentIndex(fixture.cell(1, 1));
    grid.edit(grid.currentIndex());
    auto *editor = qobject_cast<QLineEdit *>(QApplication::focusWidget());
    QVERIFY(editor);
    editor->selectAll();
    typeAtFocus(typed);
    QCOMPARE(editor->text(), kept);
    QCOMPARE(fixture.lines.value(QStringLiteral("数量")), stored);
    QVERIFY(fixture.prompt.shown().isEmpty());
}

void TestDatasetGrid::readOnlyGridOpensNoEditor()
{
    GridOnLines fixture;
    DbGrid &grid = fixture.grid;
    grid.setFocus();
    grid.setCurrentIndex(fixture.cell(0, 1));
    grid.edit(grid.currentIndex());
    const auto editorOpen = [&grid] {
        return grid.isAncestorOf(QApplication::focusWidget()) &&
               qobject_cast<QLineEdit *>(QApplication::focusWidget());
    };
    QVERIFY(editorOpen());
    // Becoming read-only closes the editor that is open.
    grid.setReadOnly(true);
    QVERIFY(!editorOpen());
    typeAtFocus(QStringLiteral("9"));
    QCOMPARE(fixture.lines.state(), Dataset::State::Browse);
    QCOMPARE(fixture.lines.value(QStringLiteral("数量")).toDouble(), 10.0);
    grid.setReadOnly(false);
    typeAtFocus(QStringLiteral("9"));
    QCOMPARE(fixture.lines.value(QStringLiteral("数量")).toDouble(), 9.0);
}

void TestDatasetGrid::titleClicksMoveTheSortMarks_data()
{
    QTest::addColumn<QList<int>>("clicks"); // column, negative: with Ctrl (column = -1 - value)
    QTest::addColumn<QList<int>>("marksBefore");
    QTest::addColumn<QList<int>>("marksAfter"); // of columns 0..3: 0 none, 1 down, 2 up
    QTest::newRow("first click marks down") << QList<int>{1} << QList<int>{0} << QList<int>{0, 1, 0, 0};
    QTest::newRow("down becomes up") << QList<int>{1, 1} << QList<int>{0, 1} << QList<int>{0, 2, 0, 0};
    QTest::newRow("up becomes down") << QList<int>{1, 1, 1} << QList<int>{0, 1, 2}
                                     << QList<int>{0, 1, 0, 0};
    QTest::newRow("another column clears") << QList<int>{1, 2} << QList<int>{0, 0}
                                           << QList<int>{0, 0, 1, 0};
    QTest::newRow("ctrl keeps others") << QList<int>{1, -3} << QList<int>{0, 0}
                                       << QList<int>{0, 1, 1, 0};
    QTest::newRow("ctrl turns up into none") << QList<int>{1, 1, -2} << QList<int>{0, 1, 2}
                                             << QList<int>{0, 0, 0, 0};
}

void TestDatasetGrid::titleClicksMoveTheSortMarks()
{
    QFETCH(QList<int>, clicks);
    QFETCH(QList<int>, marksBefore);
    QFETCH(QList<int>, marksAfter);
    GridOnLines fixture;
    DbGrid &grid = fixture.grid;
    grid.setTitleRowVisible(true);
    QList<int> seen;
    connect(&grid, &DbGrid::titleButtonClicked, &grid,
            [&](const QString &, SortMark mark) { seen << int(mark); });
    QHeaderView *titles = grid.horizontalHeader();
    for (int click : clicks) {
        const int column = click < 0 ? -1 - click : click;
        const Qt::KeyboardModifiers modifiers = click < 0 ? Qt::ControlModifier : Qt::NoModifier;
        const QPoint centre(titles->sectionViewportPosition(column) + titles->sectionSize(column) / 2,
                            titles->height() / 2);
        QTest::mouseClick(titles->viewport(), Qt::LeftButton, modifiers, centre);
    }
    QCOMPARE(seen, marksBefore);
    QList<int> marks;
    for (int column = 0; column < 4; ++column)
        marks << int(grid.sortMark(column));
    QCOMPARE(marks, marksAfter);
}

void TestDatasetGrid::untouchedNewRowIsDroppedWhenTheGridIsLeft()
{
    GridOnLines fixture;
    QLineEdit elsewhere;
    QVERIFY(showActive(elsewhere));
    QVERIFY(showActive(fixture.grid));
    fixture.grid.setFocus();
    fixture.lines.append();
    QCOMPARE(fixture.grid.model()->rowCount(), 4);
    QVERIFY(showActive(elsewhere));
    elsewhere.setFocus();
    QCOMPARE(fixture.lines.state(), Dataset::State::Browse);
    QCOMPARE(fixture.lines.rowCount(), 3);
    QCOMPARE(fixture.database.scalar(QStringLiteral("select count(*) from detail")).toInt(), 4);
}

QTEST_MAIN(TestDatasetGrid)
#include "tst_datasetgrid.moc"
