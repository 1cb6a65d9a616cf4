#include "../app/RunningProgram.h"
#include "db/Dataset.h"
#include "entry/ui/Tghdwform.h"
#include "entry/ui/Txhdwform.h"
#include "widgets/DbLookupCombo.h"

#include <QHeaderView>
#include <QToolButton>

namespace {

// One of the two directory windows with what goes with it in the main window.
struct Directory
{
    PartyDirectoryWindow &window;
    Dataset &query;
    DbLookupCombo &lookup;
    QString table;

    static Directory of(RunningProgram &program, bool buyers)
    {
        TForm1 &form = program.form();
        if (buyers)
            return {program.windows->ghdwform(), *form.ghqry, *form.DBLookupComboBox1,
                    QStringLiteral("购货单位")};
        return {program.windows->xhdwform(), *form.xhqry, *form.DBLookupComboBox2,
                QStringLiteral("销货单位")};
    }

    int stored(RunningProgram &program) const
    {
        return program.scalar(QStringLiteral("select count(*) from ") + table).toInt();
    }
    QStringList listed() const
    {
        QStringList names;
        for (int row = 0; row < lookup.count(); ++row)
            names << lookup.itemText(row);
        return names;
    }
};

void addBothDirectories()
{
    QTest::addColumn<bool>("buyers");
    QTest::newRow("buyers") << true;
    QTest::newRow("sellers") << false;
}

} // namespace

class TestDirectories : public QObject
{
    Q_OBJECT

private slots:
    void windowLooks_data();
    void windowLooks();
    void addedPartyIsStoredOnCloseAndListed_data();
    void addedPartyIsStoredOnCloseAndListed();
    void closeAnsweredNoWritesNothing_data() { addBothDirectories(); }
    void closeAnsweredNoWritesNothing();
    void secondAddDropsTheUntouchedRow_data() { addBothDirectories(); }
    void secondAddDropsTheUntouchedRow();
    void saveWritesWithoutAMessage_data() { addBothDirectories(); }
    void saveWritesWithoutAMessage();
    void deleteAsksFirst_data();
    void deleteAsksFirst();
    void deleteOnAnEmptyDirectoryFails();
    void keyboardDeletionAsksTheGridsQuestion();
    void closeWithoutChangeAsksNothing_data() { addBothDirectories(); }
    void closeWithoutChangeAsksNothing();
    void partyAddedDuringTheRunIsListedLast_data() { addBothDirectories(); }
    void partyAddedDuringTheRunIsListedLast();

private:
    static RunningProgram *start(std::unique_ptr<RunningProgram> &program)
    {
        program =
            std::make_unique<RunningProgram>(QStringList{QStringLiteral("browse_parties.sql")});
        program->start();
        return program.get();
    }
    // Shows the directory as the main window's button would, but without a nested loop.
    static bool show(Directory &directory)
    {
        showActive(directory.window);
        // A second top-level window is not made active on its own on the offscreen platform.
        QApplication::setActiveWindow(&directory.window);
        return QTest::qWaitForWindowActive(&directory.window) &&
               QApplication::activeWindow() == &directory.window;
    }
    // Shows the directory and starts a new party named name.
    static void addParty(Directory &directory, const QString &name)
    {
        QVERIFY(show(directory));
        QTest::mouseClick(directory.window.SpeedButton1, Qt::LeftButton);
        QCOMPARE(directory.query.state(), Dataset::State::Insert);
        RunningProgram::typeInCell(*directory.window.DBGridEh1, directory.query.currentRow(), 0,
                                   name);
    }
};

void TestDirectories::windowLooks_data()
{
    QTest::addColumn<bool>("buyers");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QSize>("size");
    QTest::addColumn<QList<int>>("widths");
    QTest::newRow("buyers") << true << QStringLiteral("购货单位") << QSize(750, 486)
                            << QList<int>{200, 160, 160, 160};
    QTest::newRow("sellers") << false << QStringLiteral("销货单位") << QSize(750, 487)
                             << QList<int>{200, 165, 165, 165};
}

void TestDirectories::windowLooks()
{
    QFETCH(bool, buyers);
    QFETCH(QString, caption);
    QFETCH(QSize, size);
    QFETCH(QList<int>, widths);
    std::unique_ptr<RunningProgram> program;
    Directory directory = Directory::of(*start(program), buyers);
    PartyDirectoryWindow &window = directory.window;
    QVERIFY(!window.isVisible());
    QVERIFY(show(directory));
    QCOMPARE(window.windowTitle(), caption);
    QCOMPARE(window.size(), size);
    QCOMPARE(window.font().families().first(), QStringLiteral("SimSun"));
    QCOMPARE(window.font().pointSize(), 11);

    DbGrid &grid = *window.DBGridEh1;
    QVERIFY(grid.horizontalHeader()->isVisible());
    QVERIFY(grid.verticalHeader()->isVisible());
    QCOMPARE(grid.horizontalHeader()->defaultAlignment() & Qt::AlignHorizontal_Mask,
             Qt::AlignHCenter);
    QStringList titles;
    QList<int> shownWidths;
    for (int column = 0; column < grid.model()->columnCount(); ++column) {
        titles << grid.model()->headerData(column, Qt::Horizontal).toString();
        shownWidths << grid.columnWidth(column);
    }
    QCOMPARE(titles, QStringList({QStringLiteral("单位名称"), QStringLiteral("纳税人识别号"),
                                  QStringLiteral("地址电话"), QStringLiteral("开户行及帐号")}));
    QCOMPARE(shownWidths, widths);
    QVERIFY(grid.model()->flags(grid.model()->index(0, 2)) & Qt::ItemIsEditable);
    QCOMPARE(grid.model()->index(0, 0).data().toString(),
             directory.query.rowValue(0, QStringLiteral("单位名称")).toString());

    // Four buttons under the grid at the right, left to right in this order.
    QStringList captions;
    int lastRight = 0;
    for (QToolButton *button :
         {window.SpeedButton1, window.SpeedButton2, window.SpeedButton3, window.SpeedButton4}) {
        captions << button->text();
        QCOMPARE(button->size(), QSize(80, 28));
        QCOMPARE(button->cursor().shape(), Qt::PointingHandCursor);
        const QRect place(button->mapTo(&window, QPoint()), button->size());
        QVERIFY(place.top() >= grid.mapTo(&window, QPoint(0, grid.height())).y());
        QVERIFY(place.left() > lastRight);
        lastRight = place.right();
    }
    QVERIFY(window.width() - lastRight < 30);
    QVERIFY(window.SpeedButton1->mapTo(&window, QPoint()).x() > window.width() / 2);
    QCOMPARE(captions, QStringList({QStringLiteral("&A增加"), QStringLiteral("&S保存"),
                                    QStringLiteral("&D删除"), QStringLiteral("&X关闭")}));
}

void TestDirectories::addedPartyIsStoredOnCloseAndListed_data()
{
    QTest::addColumn<bool>("buyers");
    QTest::addColumn<QString>("how");
    for (const bool buyers : {true, false}) {
        for (const char *how : {"button", "close box", "Escape"})
            QTest::addRow("%s, %s", buyers ? "buyers" : "sellers", how)
                << buyers << QString::fromLatin1(how);
    }
}

void TestDirectories::addedPartyIsStoredOnCloseAndListed()
{
    QFETCH(bool, buyers);
    QFETCH(QString, how);
    std::unique_ptr<RunningProgram> program;
    Directory directory = Directory::of(*start(program), buyers);
    const int before = directory.stored(*program);
    addParty(directory, QStringLiteral("新星公司"));
    // The edit page's list is the same query: the new party is offered while it is typed.
    QVERIFY(directory.listed().contains(QStringLiteral("新星公司")));

    program->prompt.answer({true});
    if (how == u"button")
        QTest::mouseClick(directory.window.SpeedButton4, Qt::LeftButton);
    else if (how == u"close box")
        directory.window.close();
    else
        QTest::keyClick(&directory.window, Qt::Key_Escape);
    QVERIFY(!directory.window.isVisible());
    QCOMPARE(program->prompt.shown().size(), 1);
    QCOMPARE(program->prompt.shown().first().kind, FakePrompt::Shown::Question);
    QCOMPARE(program->prompt.shown().first().caption, QStringLiteral("信息"));
    QCOMPARE(program->prompt.shown().first().text, QStringLiteral("您修改了这笔记录,要保存吗?"));
    QCOMPARE(directory.stored(*program), before + 1);
    QCOMPARE(program
                 ->scalar(QStringLiteral("select count(*) from %1 where 单位名称 = '新星公司'")
                              .arg(directory.table))
                 .toInt(),
             1);
    QCOMPARE(directory.query.state(), Dataset::State::Browse);
    QVERIFY(directory.listed().contains(QStringLiteral("新星公司")));
}

void TestDirectories::closeAnsweredNoWritesNothing()
{
    QFETCH(bool, buyers);
    std::unique_ptr<RunningProgram> program;
    Directory directory = Directory::of(*start(program), buyers);
    const int before = directory.stored(*program);
    addParty(directory, QStringLiteral("新星公司"));
    program->prompt.answer({false});
    directory.window.close();
    QCOMPARE(program->prompt.shown().size(), 1);
    QCOMPARE(directory.stored(*program), before);
    // Declined, not undone: the typed row is still pending and the next post writes it.
    QCOMPARE(directory.query.state(), Dataset::State::Insert);
    directory.query.post();
    QCOMPARE(directory.stored(*program), before + 1);
}

void TestDirectories::secondAddDropsTheUntouchedRow()
{
    QFETCH(bool, buyers);
    std::unique_ptr<RunningProgram> program;
    Directory directory = Directory::of(*start(program), buyers);
    const int before = directory.stored(*program);
    const int rows = directory.query.rowCount();
    QVERIFY(show(directory));
    QTest::mouseClick(directory.window.SpeedButton1, Qt::LeftButton);
    QTest::mouseClick(directory.window.SpeedButton1, Qt::LeftButton);
    QCOMPARE(directory.query.state(), Dataset::State::Insert);
    QCOMPARE(directory.query.rowCount(), rows + 1);
    QCOMPARE(directory.window.DBGridEh1->model()->rowCount(), rows + 1);
    QCOMPARE(directory.stored(*program), before);
    QVERIFY(program->prompt.shown().isEmpty());
}

void TestDirectories::saveWritesWithoutAMessage()
{
    QFETCH(bool, buyers);
    std::unique_ptr<RunningProgram> program;
    Directory directory = Directory::of(*start(program), buyers);
    const int before = directory.stored(*program);
    addParty(directory, QStringLiteral("新星公司"));
    QTest::mouseClick(directory.window.SpeedButton2, Qt::LeftButton);
    QCOMPARE(directory.stored(*program), before + 1);
    QCOMPARE(directory.query.state(), Dataset::State::Browse);
    QVERIFY(program->prompt.shown().isEmpty());
    directory.window.close();
    QVERIFY(program->prompt.shown().isEmpty());
}

void TestDirectories::deleteAsksFirst_data()
{
    QTest::addColumn<bool>("buyers");
    QTest::addColumn<bool>("answer");
    QTest::addColumn<bool>("appending");
    QTest::addColumn<int>("deleted");
    for (const bool buyers : {true, false}) {
        const char *which = buyers ? "buyers" : "sellers";
        QTest::addRow("%s, Yes", which) << buyers << true << false << 1;
        QTest::addRow("%s, No", which) << buyers << false << false << 0;
        QTest::addRow("%s, Yes on a new row", which) << buyers << true << true << 0;
    }
}

void TestDirectories::deleteAsksFirst()
{
    QFETCH(bool, buyers);
    QFETCH(bool, answer);
    QFETCH(bool, appending);
    QFETCH(int, deleted);
    std::unique_ptr<RunningProgram> program;
    Directory directory = Directory::of(*start(program), buyers);
    const int before = directory.stored(*program);
    const QString first = directory.query.rowValue(0, QStringLiteral("单位名称")).toString();
    if (appending)
        addParty(directory, QStringLiteral("新星公司"));
    else
        QVERIFY(show(directory));
    program->prompt.answer({answer});
    QTest::mouseClick(directory.window.SpeedButton3, Qt::LeftButton);
    QCOMPARE(program->prompt.shown().size(), 1);
    QCOMPARE(program->prompt.shown().first().caption, QStringLiteral("提示信息"));
    QCOMPARE(program->prompt.shown().first().text, QStringLiteral("您是否真的要删除这笔记录吗?"));
    QCOMPARE(directory.stored(*program), before - deleted);
    QCOMPARE(program
                 ->scalar(QStringLiteral("select count(*) from %1 where 单位名称 = '%2'")
                              .arg(directory.table, first))
                 .toInt(),
             1 - deleted);
    QCOMPARE(directory.query.state(),
             appending && !answer ? Dataset::State::Insert : Dataset::State::Browse);
    QVERIFY(!directory.listed().contains(QStringLiteral("新星公司")) || (appending && !answer));
}

void TestDirectories::deleteOnAnEmptyDirectoryFails()
{
    std::unique_ptr<RunningProgram> program =
        std::make_unique<RunningProgram>(QStringList{QStringLiteral("browse_parties.sql")});
    program->database.execScript(QStringLiteral("delete from 销货单位"));
    program->start();
    Directory directory = Directory::of(*program, false);
    QVERIFY(show(directory));
    program->prompt.answer({true});
    QTest::mouseClick(directory.window.SpeedButton3, Qt::LeftButton);
    QCOMPARE(program->prompt.errors(),
             QStringList{QStringLiteral("Cannot perform this operation on an empty dataset.")});
}

void TestDirectories::keyboardDeletionAsksTheGridsQuestion()
{
    std::unique_ptr<RunningProgram> program;
    Directory directory = Directory::of(*start(program), true);
    QVERIFY(show(directory));
    DbGrid &grid = *directory.window.DBGridEh1;
    grid.setFocus();
    grid.setCurrentIndex(grid.model()->index(1, 0));
    const QString second = directory.query.rowValue(1, QStringLiteral("单位名称")).toString();
    program->prompt.answer({false, true});
    QTest::keyClick(&grid, Qt::Key_Delete, Qt::ControlModifier);
    QCOMPARE(directory.stored(*program), 2);
    QTest::keyClick(&grid, Qt::Key_Delete, Qt::ControlModifier);
    QCOMPARE(program->prompt.shown().size(), 2);
    QCOMPARE(program->prompt.shown().last().kind, FakePrompt::Shown::Question);
    QCOMPARE(directory.stored(*program), 1);
    QVERIFY(!directory.listed().contains(second));
}

void TestDirectories::closeWithoutChangeAsksNothing()
{
    QFETCH(bool, buyers);
    std::unique_ptr<RunningProgram> program;
    Directory directory = Directory::of(*start(program), buyers);
    QVERIFY(show(directory));
    directory.window.DBGridEh1->setCurrentIndex(directory.window.DBGridEh1->model()->index(1, 1));
    QTest::mouseClick(directory.window.SpeedButton4, Qt::LeftButton);
    QVERIFY(!directory.window.isVisible());
    QVERIFY(program->prompt.shown().isEmpty());
}

void TestDirectories::partyAddedDuringTheRunIsListedLast()
{
    QFETCH(bool, buyers);
    std::unique_ptr<RunningProgram> program;
    Directory directory = Directory::of(*start(program), buyers);
    // 一 comes before every other name, so the store's order would put it first.
    addParty(directory, QStringLiteral("一号公司"));
    QTest::mouseClick(directory.window.SpeedButton2, Qt::LeftButton);
    QCOMPARE(
        program
            ->scalar(
                QStringLiteral("select 单位名称 from %1 order by 单位名称").arg(directory.table))
            .toString(),
        QStringLiteral("一号公司"));
    directory.window.close();
    program->form().FormActivate(); // what returning from the window runs
    QCOMPARE(directory.listed().last(), QStringLiteral("一号公司"));
    DbGrid &grid = *directory.window.DBGridEh1;
    QCOMPARE(grid.model()->index(grid.model()->rowCount() - 1, 0).data().toString(),
             QStringLiteral("一号公司"));
}

QTEST_MAIN(TestDirectories)
#include "tst_directories.moc"
