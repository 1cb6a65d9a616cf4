#include "Interaction.h"
#include "RunningProgram.h"
#include "db/Dataset.h"
#include "entry/ui/Tghdwform.h"
#include "entry/ui/Txhdwform.h"
#include "help/HelpDocument.h"
#include "help/ui/HelpOpener.h"
#include "payments/ui/TForm2.h"
#include "print/ui/TsetfpForm.h"
#include "widgets/DatePicker.h"
#include "widgets/DbCheckBox.h"
#include "widgets/DbEdit.h"
#include "widgets/DbGrid.h"
#include "widgets/DbPlainEdit.h"

#include <QFile>
#include <QHeaderView>
#include <QLineEdit>
#include <QMenu>
#include <QSignalSpy>
#include <QTabWidget>
#include <QToolButton>

class TestMainWindow : public QObject
{
    Q_OBJECT

private slots:
    void normalStartShowsTheNewestInvoice();
    void boundControlsShowTheCurrentInvoice_data();
    void boundControlsShowTheCurrentInvoice();
    void windowsToolStripAndMenus();
    void enterInTheLineGridWalksTheColumnsOfTheRow_data();
    void enterInTheLineGridWalksTheColumnsOfTheRow();
    void enterInTheSearchBoxOnlyMovesTheFocus();
    void startWithoutDatabaseKeepsEditingDisabled();
    void closeAnsweredNoWritesNothing();
    void closeAnsweredYesOnEmptyStoreWritesTheNewHeader();
    void helpButtonOpensTheDocumentBesideTheProgram_data();
    void helpButtonOpensTheDocumentBesideTheProgram();
};

void TestMainWindow::normalStartShowsTheNewestInvoice()
{
    RunningProgram program;
    TForm1 &form = program.start();
    QVERIFY(program.prompt.errors().isEmpty());
    QCOMPARE(form.titleqry->value(QStringLiteral("cid")).toLongLong(), 2);
    QCOMPARE(form.cid->text(), QStringLiteral("2"));
    QCOMPARE(form.hgrid->model()->rowCount(), 3);
    QCOMPARE(form.hgrid->model()->index(1, 0).data().toString(), QStringLiteral("阀门"));
    QCOMPARE(form.kp->date(), QDate::currentDate());
    for (QWidget *control :
         std::initializer_list<QWidget *>{form.titlepan, form.hgrid, form.addbtn, form.copybtn,
                                          form.savebtn, form.delbtn, form.prnbtn})
        QVERIFY2(control->isEnabled(), qPrintable(control->objectName()));
    // Showing an invoice is not typing into it.
    QVERIFY(!form.titleqry->hasUserChange());
    QCOMPARE(program.scalar(QStringLiteral("select 中文日期 from title where cid=2")).toString(),
             QStringLiteral("2010年01月01日"));
}

void TestMainWindow::boundControlsShowTheCurrentInvoice_data()
{
    QTest::addColumn<QString>("control");
    QTest::addColumn<QString>("shown");
    const QList<std::pair<const char *, QString>> rows{
        {"jym", QStringLiteral("JY-2")},
        {"fpno1", QStringLiteral("2002")},
        {"kpdate", QStringLiteral("2010年01月01日")},
        {"ghmc", QStringLiteral("远山贸易有限公司")},
        {"ghsbh", QStringLiteral("110101000000001")},
        {"ghdzdh", QStringLiteral("北京市东城区一号 010-1234")},
        {"ghyxzh", QStringLiteral("工商银行 6222")},
        {"mm1", QStringLiteral("<1>3*4-7/+>")},
        {"mm4", QStringLiteral("7>+2*<06-3")},
        {"mm5", QStringLiteral("<5>")},
        {"mm8", QStringLiteral("<8>")},
        {"xhsbh", QStringLiteral("330101000000009")},
        {"xhdzdh", QStringLiteral("杭州市西湖路9号 0571-8888")},
        {"xhyxzh", QStringLiteral("建设银行 4367")},
        {"bz1", QStringLiteral("合同 2010-01")},
        {"bz4", QStringLiteral("备注四")},
        {"fh", QStringLiteral("李核")},
        {"kpr", QStringLiteral("张开")},
        {"DBEdit1", QStringLiteral("B2")},
        {"DBEdit2", QStringLiteral("91330100")},
        {"DBEdit3", QStringLiteral("代开公司")},
        {"fpdz", QStringLiteral("/tmp/form.jpg")},
        {"jedx", QStringLiteral("叁佰叁拾肆圆整")},
        {"xxje", QStringLiteral("334")},
        {"xhmc", QStringLiteral("青石制造有限公司")},
        {"skr", QStringLiteral("王收")},
        {"chk", QStringLiteral("clear")},
        {"dygs", QStringLiteral("checked")},
    };
    for (const auto &[control, shown] : rows)
        QTest::newRow(control) << QString::fromLatin1(control) << shown;
}

void TestMainWindow::boundControlsShowTheCurrentInvoice()
{
    QFETCH(QString, control);
    QFETCH(QString, shown);
    RunningProgram program;
    program.start();
    QWidget *widget = program.find<QWidget>(control);
    QVERIFY(widget);
    if (auto *edit = qobject_cast<QLineEdit *>(widget))
        QCOMPARE(edit->text(), shown);
    else if (auto *plain = qobject_cast<DbPlainEdit *>(widget))
        QCOMPARE(plain->toPlainText(), shown);
    else if (auto *box = qobject_cast<DbCheckBox *>(widget))
        QCOMPARE(box->isChecked() ? QStringLiteral("checked") : QStringLiteral("clear"), shown);
    else
        QFAIL("not a bound control");
}

void TestMainWindow::windowsToolStripAndMenus()
{
    RunningProgram program;
    TForm1 &form = program.start();
    QCOMPARE(form.windowTitle(),
             QStringLiteral("Kelvane发票、销货清单打印软件 2.6  技术支持：support@kelvane.cn  "
                            "使用前请先看下帮助说明"));
    QCOMPARE(form.size(), QSize(914, 666));
    QCOMPARE(program.windows->form2().windowTitle(), QStringLiteral("收款情况打印"));
    QCOMPARE(program.windows->ghdwform().windowTitle(), QStringLiteral("购货单位"));
    QCOMPARE(program.windows->xhdwform().windowTitle(), QStringLiteral("销货单位"));
    QCOMPARE(program.windows->setfpForm().windowTitle(), QStringLiteral("发票打印设置"));
    QVERIFY(!program.windows->setfpForm().isVisible());

    QCOMPARE(form.PageControl1->tabText(0), QStringLiteral("发票明细"));
    QCOMPARE(form.PageControl1->tabText(1), QStringLiteral("发票浏览"));
    QCOMPARE(form.PageControl1->currentIndex(), 0);
    // The strip sits in the row of the tabs, its buttons left to right in this order.
    QWidget *strip = form.PageControl1->cornerWidget(Qt::TopRightCorner);
    QVERIFY(strip && strip->isAncestorOf(form.lcEdit));
    QStringList captions;
    int lastX = form.lcEdit->x();
    for (QToolButton *button : {form.addbtn, form.copybtn, form.savebtn, form.delbtn, form.prnbtn,
                                form.SpeedButton4, form.exitbtn}) {
        QVERIFY(strip->isAncestorOf(button));
        QVERIFY(button->x() > lastX);
        lastX = button->x();
        QCOMPARE(button->cursor().shape(), Qt::PointingHandCursor);
        captions << button->text();
    }
    QCOMPARE(captions, QStringList({QStringLiteral("&A 增加"), QStringLiteral("&C 复制"),
                                    QStringLiteral("&S 保存"), QStringLiteral("&D 删除"),
                                    QStringLiteral("&P 打印"), QStringLiteral("&H 帮助"),
                                    QStringLiteral("&X  退出")}));

    const auto texts = [](QMenu *menu) {
        QStringList result;
        for (const QAction *action : menu->actions())
            result << action->text();
        return result;
    };
    QCOMPARE(texts(form.PopupMenu1),
             QStringList({QStringLiteral("增加"), QStringLiteral("删除"), QStringLiteral("修改")}));
    QCOMPARE(texts(form.PopupMenu2),
             QStringList({QStringLiteral("发票套打 &S"),
                          QStringLiteral("发票套打位置、字体、大小调整 &T"),
                          QStringLiteral("发票打印 (A4纸) &U"),
                          QStringLiteral("发票打印位置、字体、大小调整 (A4纸) &V"),
                          QStringLiteral("增值税应税货物或劳务销货清单打印"),
                          QStringLiteral("增值税专用发票销货清单打印(套打)"),
                          QStringLiteral("收款情况打印")}));

    // The line grid: no title row, amount and tax not typed into, the red footer's caption.
    DbGrid &grid = *form.hgrid;
    QVERIFY(!grid.horizontalHeader()->isVisible());
    QCOMPARE(grid.columnWidth(0), 300);
    QCOMPARE(grid.columnWidth(7), 100);
    const QAbstractItemModel &lines = *grid.model();
    QVERIFY(lines.flags(lines.index(0, 3)) & Qt::ItemIsEditable);
    QVERIFY(!(lines.flags(lines.index(0, 5)) & Qt::ItemIsEditable));
    QVERIFY(!(lines.flags(lines.index(0, 7)) & Qt::ItemIsEditable));
    QCOMPARE(grid.footerText(0), QStringLiteral("合  计："));
    QCOMPARE(form.DBGridEh2->model()->headerData(5, Qt::Horizontal).toString(),
             QStringLiteral("购货单位银行、帐号"));
    QCOMPARE(form.DBGridEh2->columnWidth(5), 112);
    QCOMPARE(form.DBGridEh2->toolTip(), QStringLiteral("按 每栏标题 可以排序"));
}

void TestMainWindow::enterInTheLineGridWalksTheColumnsOfTheRow_data()
{
    QTest::addColumn<int>("from");
    QTest::addColumn<int>("to");
    QTest::addColumn<bool>("typing");
    QTest::newRow("name to model") << 0 << 1 << false;
    QTest::newRow("quantity to price") << 3 << 4 << false;
    QTest::newRow("last back to first") << 7 << 0 << false;
    QTest::newRow("while typing a quantity") << 3 << 4 << true;
}

void TestMainWindow::enterInTheLineGridWalksTheColumnsOfTheRow()
{
    QFETCH(int, from);
    QFETCH(int, to);
    QFETCH(bool, typing);
    RunningProgram program;
    TForm1 &form = program.start();
    DbGrid &grid = *form.hgrid;
    grid.setFocus();
    grid.setCurrentIndex(grid.model()->index(1, from));
    QWidget *target = &grid;
    if (typing) {
        grid.edit(grid.currentIndex());
        target = QApplication::focusWidget();
        QVERIFY(target && target != &grid && grid.isAncestorOf(target));
    }
    QTest::keyClick(target, Qt::Key_Return);
    QCOMPARE(grid.currentIndex().row(), 1);
    QCOMPARE(grid.currentIndex().column(), to);
    QCOMPARE(form.detailqry->currentRow(), 1);
    QVERIFY(program.prompt.errors().isEmpty());
}

void TestMainWindow::enterInTheSearchBoxOnlyMovesTheFocus()
{
    RunningProgram program;
    TForm1 &form = program.start();
    form.activateWindow();
    form.lcEdit->setFocus();
    QCOMPARE(QApplication::focusWidget(), form.lcEdit);
    QSignalSpy returns(form.lcEdit, &QLineEdit::returnPressed);
    QTest::keyClick(form.lcEdit, Qt::Key_Return);
    QCOMPARE(returns.count(), 0);
    QVERIFY(QApplication::focusWidget() != form.lcEdit);
    QCOMPARE(form.lcEdit->text(), QString());
    QCOMPARE(form.titleqry->rowCount(), 2);
    QVERIFY(program.prompt.shown().isEmpty());
}

void TestMainWindow::startWithoutDatabaseKeepsEditingDisabled()
{
    RunningProgram program;
    QVERIFY(QFile::remove(program.database.path()));
    TForm1 &form = program.start(false);
    QCOMPARE(program.prompt.errors().size(), 1);
    form.show();
    QTest::qWait(0);
    const QStringList errors = program.prompt.errors();
    QCOMPARE(errors.size(), 2);
    for (const QString &error : errors) {
        QVERIFY2(error.contains(QStringLiteral("trfp.db")), qPrintable(error));
        QVERIFY(error.endsWith(u'.') || error.endsWith(u'。'));
    }
    QVERIFY(form.isVisible());
    for (QWidget *control : std::initializer_list<QWidget *>{
             form.titlepan, form.hgrid, form.addbtn, form.copybtn, form.savebtn, form.delbtn})
        QVERIFY2(!control->isEnabled(), qPrintable(control->objectName()));
    for (QWidget *control :
         std::initializer_list<QWidget *>{form.prnbtn, form.SpeedButton4, form.exitbtn})
        QVERIFY2(control->isEnabled(), qPrintable(control->objectName()));
    // Nothing is open, so closing has nothing to ask.
    QVERIFY(form.close());
    QCOMPARE(program.prompt.shown().size(), 2);
}

void TestMainWindow::closeAnsweredNoWritesNothing()
{
    RunningProgram program;
    TForm1 &form = program.start();
    // The lines opened at start-up already put the header into editing.
    QVERIFY(form.titleqry->isEditing());
    form.ghmc->setFocus();
    typeText(form.ghmc, QStringLiteral("改"));
    program.prompt.answer({false});
    QVERIFY(form.close());
    QCOMPARE(program.prompt.shown().size(), 1);
    const FakePrompt::Shown &question = program.prompt.shown().first();
    QCOMPARE(question.kind, FakePrompt::Shown::Question);
    QCOMPARE(question.caption, QStringLiteral("信息"));
    QCOMPARE(question.text, QStringLiteral("您修改了这笔记录,要保存吗?"));
    QVERIFY(!form.isVisible());
    QCOMPARE(
        program.scalar(QStringLiteral("select 购货单位名称 from title where cid=2")).toString(),
        QStringLiteral("远山贸易有限公司"));
    QCOMPARE(program.scalar(QStringLiteral("select count(*) from title")).toInt(), 2);
}

void TestMainWindow::closeAnsweredYesOnEmptyStoreWritesTheNewHeader()
{
    RunningProgram program{QStringList()};
    TForm1 &form = program.start();
    QCOMPARE(form.titleqry->state(), Dataset::State::Insert);
    program.prompt.answer({true});
    QVERIFY(form.close());
    QCOMPARE(program.prompt.shown().size(), 1);
    QCOMPARE(program.scalar(QStringLiteral("select count(*) from title")).toInt(), 1);
    QCOMPARE(program.scalar(QStringLiteral("select 大写金额 from title")).toString(),
             QStringLiteral("零圆整"));
    QCOMPARE(program.scalar(QStringLiteral("select 小写金额 from title")).toLongLong(), 0);
}

void TestMainWindow::helpButtonOpensTheDocumentBesideTheProgram_data()
{
    QTest::addColumn<bool>("present");
    QTest::newRow("present") << true;
    QTest::newRow("missing") << false;
}

void TestMainWindow::helpButtonOpensTheDocumentBesideTheProgram()
{
    QFETCH(bool, present);
    RunningProgram program;
    TForm1 &form = program.start();
    const QString document = HelpDocument::path(program.database.programDir());
    if (present) {
        QFile file(document);
        QVERIFY(file.open(QIODevice::WriteOnly));
    }
    QList<QUrl> opened;
    const HelpOpener opener(program.database.programDir(), [&opened](const QUrl &url) {
        opened << url;
        return true;
    });
    form.setHelpOpener(&opener);
    QTest::mouseClick(form.SpeedButton4, Qt::LeftButton);
    QTest::mouseClick(form.SpeedButton4, Qt::LeftButton);
    if (present) {
        QCOMPARE(opened, QList<QUrl>(2, QUrl::fromLocalFile(document)));
        QVERIFY(program.prompt.shown().isEmpty());
    } else {
        QVERIFY(opened.isEmpty());
        QCOMPARE(program.prompt.shown().size(), 2);
        QVERIFY(program.prompt.shown().first().text.contains(document));
    }
}

QTEST_MAIN(TestMainWindow)
#include "tst_mainwindow.moc"
