#include "../app/RunningProgram.h"
#include "StatementLog.h"
#include "db/Dataset.h"
#include "widgets/DbEdit.h"

#include <QHeaderView>
#include <QSignalSpy>
#include <QTabWidget>
#include <sqlite3.h>

namespace {

QList<qint64> listed(const TForm1 &form)
{
    QList<qint64> cids;
    const Dataset &titles = *form.titleqry;
    for (int row = 0; row < titles.rowCount(); ++row) {
        if (titles.state() == Dataset::State::Insert && row == titles.currentRow())
            continue; // a new header has no cid yet
        cids << titles.rowValue(row, QStringLiteral("cid")).toLongLong();
    }
    return cids;
}

void clickTitle(DbGrid &grid, const QString &title, Qt::KeyboardModifiers modifiers = {})
{
    QHeaderView &titles = *grid.horizontalHeader();
    for (int column = 0; column < grid.model()->columnCount(); ++column) {
        if (grid.model()->headerData(column, Qt::Horizontal).toString() != title)
            continue;
        grid.scrollTo(grid.model()->index(0, column));
        const QPoint at(titles.sectionViewportPosition(column) + titles.sectionSize(column) / 2,
                        titles.height() / 2);
        QTest::mouseClick(titles.viewport(), Qt::LeftButton, modifiers, at);
        return;
    }
    QFAIL(qPrintable(QStringLiteral("no column titled ") + title));
}

QPoint cellCentre(DbGrid &grid, int row, int column)
{
    const QModelIndex cell = grid.model()->index(row, column);
    grid.scrollTo(cell);
    return grid.visualRect(cell).center();
}

} // namespace

class TestBrowsePage : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void everyChangeOfTheBoxSearches();
    void searchedColumns_data();
    void searchedColumns();
    void noMatchLeavesOneNewRowThatIsNeverStored();
    void typedHeaderTextIsWrittenBeforeTheSearch();
    void aHeaderOnlyTheTotalsTouchedIsNotWritten();
    void storeErrorLeavesBothPagesEmptyUntilTheNextChange();
    void titleClicksSortTheList();
    void searchAfterASortListsNewestFirst();
    void clickOnAnotherColumnReopensTheLinesThreeTimes();
    void clickingARowShowsItsLines();
    void typedLineSurvivesAClickInTheList();
    void doubleClickOpensTheEditPageOnThatInvoice();

private:
    TForm1 &form() { return m_program->form(); }
    int storedInvoices()
    {
        return m_program->scalar(QStringLiteral("select count(*) from title")).toInt();
    }
    void showBrowsePage()
    {
        form().PageControl1->setCurrentWidget(form().TabSheet2);
        QTest::qWait(0);
    }

    std::unique_ptr<RunningProgram> m_program;
};

void TestBrowsePage::init()
{
    m_program = std::make_unique<RunningProgram>(QStringList{QStringLiteral("browse_page.sql")});
    m_program->start();
    QVERIFY(m_program->prompt.shown().isEmpty());
}

void TestBrowsePage::cleanup()
{
    m_program.reset();
}

void TestBrowsePage::everyChangeOfTheBoxSearches()
{
    QStringList patterns;
    connect(form().titleqry.get(), &Dataset::changed, this, [&](Dataset::Change change) {
        if (change == Dataset::Change::Opened)
            patterns << form().titleqry->parameter(QStringLiteral("mp")).toString();
    });
    form().lcEdit->setFocus();
    QTest::keyClicks(form().lcEdit, QStringLiteral("12"));
    QCOMPARE(patterns, QStringList({QStringLiteral("%1%"), QStringLiteral("%12%")}));
    QCOMPARE(listed(form()), QList<qint64>({3, 2})); // 3412, 1200
    QCOMPARE(form().titleqry->currentRow(), 0);
    // The lines were reopened for the newest match.
    QCOMPARE(form().DBGridEh3->model()->rowCount(), 1);
    QCOMPARE(form().DBGridEh3->model()->index(0, 0).data().toString(), QStringLiteral("螺丝"));

    patterns.clear();
    QTest::keyClick(form().lcEdit, Qt::Key_Backspace);
    QTest::keyClick(form().lcEdit, Qt::Key_Backspace);
    QCOMPARE(patterns, QStringList({QStringLiteral("%1%"), QStringLiteral("%%")}));
    QCOMPARE(listed(form()), QList<qint64>({4, 3, 2, 1}));
    QVERIFY(m_program->prompt.shown().isEmpty());
}

void TestBrowsePage::searchedColumns_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QList<qint64>>("found");
    QTest::newRow("only in 备注") << QStringLiteral("样品") << QList<qint64>{2};
    QTest::newRow("buyer, any case") << QStringLiteral("abc") << QList<qint64>{3};
    QTest::newRow("only in 销货单位名称") << QStringLiteral("卖方独有") << QList<qint64>{};
    QTest::newRow("only in 复核") << QStringLiteral("复核独有") << QList<qint64>{};
    QTest::newRow("only in 开票人") << QStringLiteral("开票独有") << QList<qint64>{};
}

void TestBrowsePage::searchedColumns()
{
    QFETCH(QString, text);
    QFETCH(QList<qint64>, found);
    form().lcEdit->setText(text);
    QCOMPARE(listed(form()), found);
}

void TestBrowsePage::noMatchLeavesOneNewRowThatIsNeverStored()
{
    showBrowsePage();
    form().lcEdit->setText(QStringLiteral("无此发票"));
    // The totals step starts a header on the empty list: one empty row.
    QCOMPARE(form().titleqry->state(), Dataset::State::Insert);
    QCOMPARE(form().DBGridEh2->model()->rowCount(), 1);
    clickTitle(*form().DBGridEh2, QStringLiteral("小写金额"));
    QCOMPARE(form().DBGridEh2->model()->rowCount(), 1);
    form().lcEdit->setText(QStringLiteral("无此发票!"));
    QCOMPARE(form().DBGridEh2->model()->rowCount(), 1);
    form().lcEdit->clear();
    QCOMPARE(listed(form()), QList<qint64>({4, 3, 2, 1}));
    QCOMPARE(storedInvoices(), 4);
    QVERIFY(m_program->prompt.shown().isEmpty());
}

void TestBrowsePage::typedHeaderTextIsWrittenBeforeTheSearch()
{
    QCOMPARE(form().titleqry->value(QStringLiteral("cid")).toLongLong(), 4);
    form().ghmc->setFocus();
    form().ghmc->selectAll();
    typeText(form().ghmc, QStringLiteral("改名公司"));
    form().lcEdit->setFocus();
    typeText(form().lcEdit, QStringLiteral("改"));
    QCOMPARE(
        m_program->scalar(QStringLiteral("select 购货单位名称 from title where cid=4")).toString(),
        QStringLiteral("改名公司"));
    // Written with its totals, which follow its lines.
    QCOMPARE(
        m_program->scalar(QStringLiteral("select 小写金额 from title where cid=4")).toLongLong(),
        10000000);
    // And the search finds it by what was typed.
    QCOMPARE(listed(form()), QList<qint64>({4}));
}

void TestBrowsePage::aHeaderOnlyTheTotalsTouchedIsNotWritten()
{
    // Opening the lines recomputed invoice 4's total to 1000 in the header being edited.
    QCOMPARE(form().titleqry->state(), Dataset::State::Edit);
    QCOMPARE(form().xxje->text(), QStringLiteral("1000"));
    form().lcEdit->setText(QStringLiteral("1"));
    QCOMPARE(
        m_program->scalar(QStringLiteral("select 小写金额 from title where cid=4")).toLongLong(),
        9990000);
    QCOMPARE(storedInvoices(), 4);
}

void TestBrowsePage::storeErrorLeavesBothPagesEmptyUntilTheNextChange()
{
    sqlite3_limit(form().cnn.handle(), SQLITE_LIMIT_LIKE_PATTERN_LENGTH, 6);
    form().lcEdit->setText(QStringLiteral("12345"));
    QCOMPARE(m_program->prompt.errors().size(), 1);
    QVERIFY2(m_program->prompt.errors().first().contains(QStringLiteral("too complex")),
             qPrintable(m_program->prompt.errors().first()));
    QVERIFY(!form().titleqry->isOpen());
    QCOMPARE(form().DBGridEh2->model()->rowCount(), 0);
    QCOMPARE(form().ghmc->text(), QString());
    form().lcEdit->setText(QStringLiteral("12"));
    QCOMPARE(listed(form()), QList<qint64>({3, 2}));
    QCOMPARE(m_program->prompt.errors().size(), 1);
}

void TestBrowsePage::titleClicksSortTheList()
{
    showBrowsePage();
    DbGrid &list = *form().DBGridEh2;
    const int total = list.columnOf(QStringLiteral("小写金额"));
    {
        StatementLog log(form().cnn.handle());
        clickTitle(list, QStringLiteral("小写金额"));
        QCOMPARE(listed(form()), QList<qint64>({2, 4, 1, 3})); // the largest first
        QCOMPARE(list.sortMark(total), SortMark::Down);
        clickTitle(list, QStringLiteral("小写金额"));
        QCOMPARE(listed(form()), QList<qint64>({3, 1, 4, 2}));
        QCOMPARE(list.sortMark(total), SortMark::Up);
        // The loaded rows were ordered; the header statement did not run again.
        QVERIFY2(!log.any(QStringLiteral("order by cid desc")),
                 qPrintable(log.statements().join(u'\n')));
    }

    // Another column's first click sorts it descending and takes the mark over.
    clickTitle(list, QStringLiteral("发票号码"));
    QCOMPARE(listed(form()), QList<qint64>({3, 4, 2, 1}));
    QCOMPARE(list.sortMark(list.columnOf(QStringLiteral("发票号码"))), SortMark::Down);
    QCOMPARE(list.sortMark(total), SortMark::None);
    QCOMPARE(storedInvoices(), 4);
    QVERIFY(m_program->prompt.shown().isEmpty());
}

void TestBrowsePage::searchAfterASortListsNewestFirst()
{
    showBrowsePage();
    clickTitle(*form().DBGridEh2, QStringLiteral("小写金额"));
    QCOMPARE(listed(form()), QList<qint64>({2, 4, 1, 3}));
    form().lcEdit->setText(QStringLiteral("王"));
    QCOMPARE(listed(form()), QList<qint64>({4, 3, 2, 1}));
}

void TestBrowsePage::clickOnAnotherColumnReopensTheLinesThreeTimes()
{
    showBrowsePage();
    DbGrid &list = *form().DBGridEh2;
    list.setCurrentIndex(list.model()->index(0, 0));
    QSignalSpy reopened(form().detailqry.get(), &Dataset::closed);
    // Mouse down, the column left, the cell clicked; the row stays the same.
    QTest::mouseClick(list.viewport(), Qt::LeftButton, {}, cellCentre(list, 0, 2));
    QCOMPARE(reopened.count(), 3);
    QCOMPARE(form().titleqry->currentRow(), 0);
}

void TestBrowsePage::clickingARowShowsItsLines()
{
    showBrowsePage();
    DbGrid &list = *form().DBGridEh2;
    QTest::mouseClick(list.viewport(), Qt::LeftButton, {}, cellCentre(list, 2, 0)); // cid 2
    QCOMPARE(form().titleqry->value(QStringLiteral("cid")).toLongLong(), 2);
    QCOMPARE(form().DBGridEh3->model()->rowCount(), 2);
    QCOMPARE(form().DBGridEh3->model()->index(1, 0).data().toString(), QStringLiteral("法兰"));
    QCOMPARE(form().DBGridEh3->footerText(5), QStringLiteral("5,000"));
}

void TestBrowsePage::typedLineSurvivesAClickInTheList()
{
    RunningProgram::typeInCell(*form().hgrid, 0, 3, QStringLiteral("3"));
    QCOMPARE(form().detailqry->state(), Dataset::State::Edit);
    showBrowsePage();
    DbGrid &list = *form().DBGridEh2;
    QTest::mouseClick(list.viewport(), Qt::LeftButton, {}, cellCentre(list, 0, 3));
    QCOMPARE(m_program->scalar(QStringLiteral("select 数量 from detail where id=5")).toDouble(),
             3.0);
}

void TestBrowsePage::doubleClickOpensTheEditPageOnThatInvoice()
{
    showBrowsePage();
    DbGrid &list = *form().DBGridEh2;
    QTest::mouseDClick(list.viewport(), Qt::LeftButton, {}, cellCentre(list, 1, 4)); // cid 3
    QCOMPARE(form().PageControl1->currentWidget(), form().TabSheet1);
    QCOMPARE(form().titleqry->value(QStringLiteral("cid")).toLongLong(), 3);
    QCOMPARE(form().ghmc->text(), QStringLiteral("ABC"));
    QCOMPARE(form().hgrid->model()->index(0, 0).data().toString(), QStringLiteral("螺丝"));
}

QTEST_MAIN(TestBrowsePage)
#include "tst_browsepage.moc"
