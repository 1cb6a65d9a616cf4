#include "FakePrompt.h"
#include "TestDatabase.h"
#include "Interaction.h"
#include "app/ErrorGuard.h"
#include "db/DatabaseError.h"
#include "db/Dataset.h"
#include "widgets/DatePicker.h"
#include "widgets/DbCheckBox.h"
#include "widgets/DbEdit.h"
#include "widgets/DbLookupCombo.h"
#include "widgets/DbPlainEdit.h"

#include <QAbstractItemView>
#include <QSignalSpy>
#include <QTest>

namespace {

// The invoice headers, newest first, as the main window reads them.
struct Headers
{
    Headers() : titles(database.connection())
    {
        titles.setSql({QStringLiteral("select * from title order by cid desc")});
        titles.open();
    }

    QVariant stored(const QString &column, int cid)
    {
        return database.scalar(QStringLiteral("select %1 from title where cid=%2").arg(column).arg(cid));
    }

    TestDatabase database{{QStringLiteral("ui_invoices.sql")}};
    FakePrompt prompt;
    ErrorGuard guard{prompt};
    Dataset titles;
};

} // namespace

class TestBoundControls : public QObject
{
    Q_OBJECT

private slots:
    void editFollowsTheCurrentRow();
    void typingPutsTheRowIntoEditingAndWritesAtOnce();
    void numberBoxRefusesLettersAndShowsTheStoredNumberWhenLeft();
    void failedWriteShowsTheErrorAndTheStoredValue();
    void typingIntoAClosedDatasetWritesNothing();
    void checkBoxWritesOnlyWhenClicked();
    void plainEditTakesASecondLineWithShiftEnter();
    void datePickerTellsUserChangesFromItsOwn();
    void lookupChoosesTheFirstRowWithTheNameThenClicks();
    void lookupListOpensWideAndRightAligned();
};

void TestBoundControls::editFollowsTheCurrentRow()
{
    Headers fixture;
    DbEdit edit;
    edit.bind(fixture.titles, QStringLiteral("购货单位名称"), fixture.guard);
    QCOMPARE(edit.text(), QStringLiteral("远山贸易有限公司"));
    DbEdit number;
    number.bind(fixture.titles, QStringLiteral("发票号码"), fixture.guard);
    QCOMPARE(number.text(), QStringLiteral("2002"));
    fixture.titles.next();
    QCOMPARE(number.text(), QStringLiteral("1001"));
    fixture.titles.close();
    QCOMPARE(number.text(), QString());
    QVERIFY(!fixture.titles.hasUserChange());
}

void TestBoundControls::typingPutsTheRowIntoEditingAndWritesAtOnce()
{
    Headers fixture;
    DbEdit edit;
    edit.bind(fixture.titles, QStringLiteral("复核"), fixture.guard);
    QVERIFY(showActive(edit));
    edit.setFocus();
    edit.selectAll();
    typeText(&edit, QStringLiteral("赵"));
    QCOMPARE(fixture.titles.state(), Dataset::State::Edit);
    QVERIFY(fixture.titles.hasUserChange());
    QCOMPARE(fixture.titles.value(QStringLiteral("复核")).toString(), QStringLiteral("赵"));
    fixture.titles.post();
    QCOMPARE(fixture.stored(QStringLiteral("复核"), 2).toString(), QStringLiteral("赵"));
    // Clearing the box stores no value rather than an empty text.
    edit.selectAll();
    QTest::keyClick(&edit, Qt::Key_Delete);
    fixture.titles.post();
    QVERIFY(fixture.stored(QStringLiteral("复核"), 2).isNull());
}

void TestBoundControls::numberBoxRefusesLettersAndShowsTheStoredNumberWhenLeft()
{
    Headers fixture;
    DbEdit number;
    number.bind(fixture.titles, QStringLiteral("发票号码"), fixture.guard);
    DbEdit other;
    QVERIFY(showActive(other));
    QVERIFY(showActive(number));
    number.setFocus();
    number.selectAll();
    QTest::keyClicks(&number, QStringLiteral("00a12"));
    QCOMPARE(number.text(), QStringLiteral("0012"));
    QVERIFY(showActive(other));
    other.setFocus();
    QCOMPARE(number.text(), QStringLiteral("12"));
    fixture.titles.post();
    QCOMPARE(fixture.stored(QStringLiteral("发票号码"), 2).toLongLong(), 12);
    QVERIFY(fixture.prompt.shown().isEmpty());
}

void TestBoundControls::failedWriteShowsTheErrorAndTheStoredValue()
{
    Headers fixture;
    DbEdit edit;
    edit.bind(fixture.titles, QStringLiteral("复核"), fixture.guard);
    QVERIFY(showActive(edit));
    edit.setFocus();
    fixture.titles.setSort(QStringLiteral("cid"));
    // The store refuses nothing a text box can type, so make the dataset refuse the write.
    fixture.titles.setValueChangeReaction(QStringLiteral("复核"), [] {
        throw DatabaseError(QStringLiteral("refused"));
    });
    QTest::keyClicks(&edit, QStringLiteral("x"));
    QCOMPARE(fixture.prompt.errors(), QStringList{QStringLiteral("refused.")});
    QCOMPARE(edit.text(), fixture.titles.value(QStringLiteral("复核")).toString());
}

void TestBoundControls::typingIntoAClosedDatasetWritesNothing()
{
    Headers fixture;
    DbEdit edit;
    edit.bind(fixture.titles, QStringLiteral("复核"), fixture.guard);
    fixture.titles.close();
    QVERIFY(showActive(edit));
    edit.setFocus();
    QTest::keyClicks(&edit, QStringLiteral("x"));
    QCOMPARE(edit.text(), QString());
    QCOMPARE(fixture.titles.state(), Dataset::State::Inactive);
    QVERIFY(fixture.prompt.shown().isEmpty());
}

void TestBoundControls::checkBoxWritesOnlyWhenClicked()
{
    Headers fixture;
    DbCheckBox paid(QStringLiteral("收款"));
    paid.bind(fixture.titles, QStringLiteral("是否收款"), fixture.guard);
    QVERIFY(!paid.isChecked());
    fixture.titles.next();
    QVERIFY(paid.isChecked());
    QCOMPARE(fixture.titles.state(), Dataset::State::Browse);
    paid.show();
    QTest::mouseClick(&paid, Qt::LeftButton, {}, paid.rect().center());
    QVERIFY(!paid.isChecked());
    QVERIFY(fixture.titles.hasUserChange());
    fixture.titles.post();
    QCOMPARE(fixture.stored(QStringLiteral("是否收款"), 1).toInt(), 0);
}

void TestBoundControls::plainEditTakesASecondLineWithShiftEnter()
{
    Headers fixture;
    DbPlainEdit name;
    name.bind(fixture.titles, QStringLiteral("销货单位名称"), fixture.guard);
    QCOMPARE(name.toPlainText(), QStringLiteral("青石制造有限公司"));
    QVERIFY(name.sizeHint().height() < 2 * name.fontMetrics().lineSpacing());
    QVERIFY(showActive(name));
    name.setFocus();
    name.moveCursor(QTextCursor::End);
    QTest::keyClick(&name, Qt::Key_Return);
    QCOMPARE(name.toPlainText(), QStringLiteral("青石制造有限公司"));
    QTest::keyClick(&name, Qt::Key_Return, Qt::ShiftModifier);
    typeText(&name, QStringLiteral("杭州分公司"));
    fixture.titles.post();
    QCOMPARE(fixture.stored(QStringLiteral("销货单位名称"), 2).toString(),
             QStringLiteral("青石制造有限公司\n杭州分公司"));
}

void TestBoundControls::datePickerTellsUserChangesFromItsOwn()
{
    DatePicker picker;
    QSignalSpy changes(&picker, &DatePicker::userDateChanged);
    picker.setDateQuietly(QDate(2020, 5, 6));
    QCOMPARE(changes.count(), 0);
    QVERIFY(showActive(picker));
    picker.setFocus();
    picker.setCurrentSection(QDateTimeEdit::DaySection);
    QTest::keyClick(&picker, Qt::Key_Up);
    QCOMPARE(changes.count(), 1);
    QCOMPARE(changes.first().first().toDate(), QDate(2020, 5, 7));
}

void TestBoundControls::lookupChoosesTheFirstRowWithTheNameThenClicks()
{
    Headers fixture;
    Dataset buyers(fixture.database.connection());
    buyers.setSql({QStringLiteral("select  * from 购货单位 order by 单位名称")});
    buyers.open();
    DbLookupCombo list;
    list.bind(buyers, QStringLiteral("单位名称"), fixture.guard);
    QCOMPARE(list.count(), 3);
    int clickedAtRow = -2;
    connect(&list, &DbLookupCombo::clicked, &list, [&] { clickedAtRow = buyers.currentRow(); });
    const int second = list.findText(QStringLiteral("海川商行"), Qt::MatchExactly) + 1;
    QCOMPARE(list.itemText(second), QStringLiteral("海川商行"));
    list.choose(second);
    QCOMPARE(clickedAtRow, buyers.currentRow());
    QCOMPARE(buyers.value(QStringLiteral("纳税人识别号")).toString(), QStringLiteral("440300000000002"));
    QCOMPARE(list.currentIndex(), -1);
}

void TestBoundControls::lookupListOpensWideAndRightAligned()
{
    Headers fixture;
    Dataset buyers(fixture.database.connection());
    buyers.setSql({QStringLiteral("select  * from 购货单位 order by 单位名称")});
    buyers.open();
    QWidget window;
    DbLookupCombo list(&window);
    list.bind(buyers, QStringLiteral("单位名称"), fixture.guard);
    list.setDropDownWidth(350);
    list.setGeometry(400, 10, 20, 24);
    window.resize(500, 300);
    window.show();
    list.showPopup();
    const QRect popup = list.view()->window()->geometry();
    QCOMPARE(popup.width(), 350);
    QCOMPARE(popup.right() + 1, list.mapToGlobal(QPoint(list.width(), 0)).x());
    list.hidePopup();
}

QTEST_MAIN(TestBoundControls)
#include "tst_boundcontrols.moc"
