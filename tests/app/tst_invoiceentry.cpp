#include "RunningProgram.h"
#include "db/Dataset.h"
#include "widgets/DatePicker.h"
#include "widgets/DbCheckBox.h"
#include "widgets/DbEdit.h"
#include "widgets/DbLookupCombo.h"
#include "widgets/DbPlainEdit.h"

#include <QToolButton>

namespace {

constexpr int Quantity = 3;
constexpr int Price = 4;
constexpr int Amount = 5;
constexpr int Rate = 6;
constexpr int Tax = 7;

// A new invoice with one empty line, the way a clerk starts one: Add, the buyer's name,
// into the line grid, "增加" from the line menu.
void startNewInvoice(RunningProgram &program, const QString &buyer)
{
    TForm1 &form = program.form();
    QTest::mouseClick(form.addbtn, Qt::LeftButton);
    QCOMPARE(QApplication::focusWidget(), form.ghmc);
    typeText(form.ghmc, buyer);
    form.hgrid->setFocus();
    form.N1->trigger();
}

QString lineSums(const DbGrid &grid)
{
    return grid.footerText(Quantity) + u'|' + grid.footerText(Amount) + u'|' + grid.footerText(Tax);
}

} // namespace

class TestInvoiceEntry : public QObject
{
    Q_OBJECT

private slots:
    void newInvoiceIsStoredWithItsArithmetic();
    void lineArithmetic_data();
    void lineArithmetic();
    void changingTheRateKeepsTheAmount();
    void theSameQuantityAgainRecomputes();
    void invoiceWithoutLinesTotalsZero();
    void amountBeyondTheCurrencyRangeIsRefused();
    void copyMakesANewInvoiceWithNewLines();
    void copyOfAnInvoiceNeverWrittenCopiesNoLines();
    void deleteAsksFirst_data();
    void deleteAsksFirst();
    void failedDeleteLeavesTheInvoiceWhole();
    void deleteOfAHeaderNeverWrittenTouchesNoLines();
    void paidInvoiceLocksTheLineGrid();
    void choosingAPartyCopiesItsParticulars_data();
    void choosingAPartyCopiesItsParticulars();
    void datePickerWritesBothDates();
    void saveStoresTheTotalsOfTheLinesItWrites();
};

void TestInvoiceEntry::newInvoiceIsStoredWithItsArithmetic()
{
    RunningProgram program;
    TForm1 &form = program.start();
    startNewInvoice(program, QStringLiteral("新客户公司"));
    // Entering the grid wrote the header; the line went in at once with its key.
    QCOMPARE(form.cid->text(), QStringLiteral("3"));
    QCOMPARE(program.scalar(QStringLiteral("select count(*) from detail where cid=3 and 货物应税名称=''")).toInt(), 1);
    QCOMPARE(form.titleqry->value(QStringLiteral("cid")).toLongLong(), 3);

    RunningProgram::typeInCell(*form.hgrid, 0, Quantity, QStringLiteral("3"));
    RunningProgram::typeInCell(*form.hgrid, 0, Price, QStringLiteral("0.333333"));
    RunningProgram::typeInCell(*form.hgrid, 0, Rate, QStringLiteral("13"));
    QCOMPARE(program.cell(0, Amount), QStringLiteral("1"));
    QCOMPARE(program.cell(0, Tax), QStringLiteral(".13"));
    QTest::mouseClick(form.savebtn, Qt::LeftButton);

    QCOMPARE(program.prompt.shown().size(), 1);
    QCOMPARE(program.prompt.shown().first().caption, QStringLiteral("信息"));
    QCOMPARE(program.prompt.shown().first().text, QStringLiteral("资料保存成功!"));
    // 0.999999 to four decimals.
    QCOMPARE(program.scalar(QStringLiteral("select 金额 from detail where cid=3")).toLongLong(), 10000);
    QCOMPARE(program.scalar(QStringLiteral("select 税额 from detail where cid=3")).toLongLong(), 1300);
    QCOMPARE(program.scalar(QStringLiteral("select 小写金额 from title where cid=3")).toLongLong(), 11300);
    QCOMPARE(program.scalar(QStringLiteral("select 大写金额 from title where cid=3")).toString(),
             QStringLiteral("壹圆壹角叁分"));
    QCOMPARE(program.scalar(QStringLiteral("select 购货单位名称 || '|' || 备注 || '|' || 是否收款 || 是否打印格式 "
                                           "from title where cid=3")).toString(),
             QStringLiteral("新客户公司| |00"));
    QCOMPARE(form.xxje->text(), QStringLiteral("1.13"));
    QCOMPARE(form.jedx->text(), QStringLiteral("壹圆壹角叁分"));
}

void TestInvoiceEntry::lineArithmetic_data()
{
    QTest::addColumn<QString>("quantity");
    QTest::addColumn<QString>("price");
    QTest::addColumn<QString>("rate");
    QTest::addColumn<qlonglong>("amount"); // ten-thousandths
    QTest::addColumn<qlonglong>("tax");
    QTest::addColumn<QString>("sums");
    QTest::addColumn<qlonglong>("total");
    QTest::addColumn<QString>("capitals");
    QTest::newRow("three thirds") << "3" << "0.333333" << "0" << 10000LL << 0LL << "3|1|" << 10000LL
                                                << "壹圆整";
    QTest::newRow("half a yuan at 17%") << "1" << "0.5" << "17" << 5000LL << 850LL << "1|.5|.09" << 5800LL
                                        << "伍角捌分";
    QTest::newRow("half cent to even, down") << "1" << "2.5" << "17" << 25000LL << 4250LL << "1|2.5|.43"
                                             << 29200LL << "贰圆玖角贰分";
    QTest::newRow("half cent to even, up") << "1" << "1.5" << "17" << 15000LL << 2550LL << "1|1.5|.26"
                                           << 17600LL << "壹圆柒角陆分";
    QTest::newRow("no quantity") << "" << "5" << "17" << 0LL << 0LL << "0||" << 0LL << "零圆整";
}

void TestInvoiceEntry::lineArithmetic()
{
    QFETCH(QString, quantity);
    QFETCH(QString, price);
    QFETCH(QString, rate);
    QFETCH(qlonglong, amount);
    QFETCH(qlonglong, tax);
    QFETCH(QString, sums);
    QFETCH(qlonglong, total);
    QFETCH(QString, capitals);
    RunningProgram program;
    TForm1 &form = program.start();
    startNewInvoice(program, QStringLiteral("甲"));
    RunningProgram::typeInCell(*form.hgrid, 0, Quantity, quantity);
    RunningProgram::typeInCell(*form.hgrid, 0, Price, price);
    RunningProgram::typeInCell(*form.hgrid, 0, Rate, rate);
    QTest::mouseClick(form.savebtn, Qt::LeftButton);
    QVERIFY(program.prompt.errors().isEmpty());
    QCOMPARE(program.scalar(QStringLiteral("select ifnull(金额, 0) from detail where cid=3")).toLongLong(), amount);
    QCOMPARE(program.scalar(QStringLiteral("select ifnull(税额, 0) from detail where cid=3")).toLongLong(), tax);
    QCOMPARE(lineSums(*form.hgrid), sums);
    QCOMPARE(program.scalar(QStringLiteral("select 小写金额 from title where cid=3")).toLongLong(), total);
    QCOMPARE(program.scalar(QStringLiteral("select 大写金额 from title where cid=3")).toString(), capitals);
}

void TestInvoiceEntry::changingTheRateKeepsTheAmount()
{
    RunningProgram program;
    TForm1 &form = program.start();
    RunningProgram::typeInCell(*form.hgrid, 0, Rate, QStringLiteral("6"));
    QCOMPARE(form.detailqry->value(QStringLiteral("金额")).value<Money>(), Money::fromRaw(1000000));
    QCOMPARE(form.detailqry->value(QStringLiteral("税额")).value<Money>(), Money::fromRaw(60000));
    QCOMPARE(program.cell(0, Tax), QStringLiteral("6"));
}

void TestInvoiceEntry::theSameQuantityAgainRecomputes()
{
    RunningProgram program;
    program.database.execScript(QStringLiteral("update detail set 金额=0, 税额=0 where id=2"));
    TForm1 &form = program.start();
    QCOMPARE(program.cell(0, Amount), QString());
    RunningProgram::typeInCell(*form.hgrid, 0, Quantity, QStringLiteral("10"));
    QCOMPARE(program.cell(0, Amount), QStringLiteral("100"));
    QCOMPARE(program.cell(0, Tax), QStringLiteral("17"));
}

void TestInvoiceEntry::invoiceWithoutLinesTotalsZero()
{
    RunningProgram program;
    TForm1 &form = program.start();
    QTest::mouseClick(form.addbtn, Qt::LeftButton);
    QCOMPARE(form.titleqry->state(), Dataset::State::Insert);
    QCOMPARE(form.titleqry->value(QStringLiteral("小写金额")).value<Money>(), Money());
    QCOMPARE(form.jedx->text(), QStringLiteral("零圆整"));
    QCOMPARE(form.cid->text(), QString());
}

void TestInvoiceEntry::amountBeyondTheCurrencyRangeIsRefused()
{
    RunningProgram program;
    TForm1 &form = program.start();
    // Price 10: a quantity of 14 digits makes an amount no currency column holds.
    RunningProgram::typeInCell(*form.hgrid, 0, Quantity, QStringLiteral("99999999999999"));
    QCOMPARE(program.prompt.errors().size(), 1);
    QVERIFY2(program.prompt.errors().first().contains(QStringLiteral("超出货币范围")),
             qPrintable(program.prompt.errors().first()));
    // The line is as it was before the refused keystroke: quantity and amount agree.
    QCOMPARE(form.detailqry->value(QStringLiteral("数量")).toDouble(), 9999999999999.0);
    QCOMPARE(form.detailqry->value(QStringLiteral("金额")).value<Money>(),
             Money::fromDouble(99999999999990.0));
    QTest::mouseClick(form.savebtn, Qt::LeftButton);
    QCOMPARE(program.scalar(QStringLiteral("select 数量 from detail where id=2")).toDouble(), 9999999999999.0);
}

void TestInvoiceEntry::copyMakesANewInvoiceWithNewLines()
{
    RunningProgram program;
    TForm1 &form = program.start();
    const QString copied = QStringLiteral(
        "购货单位名称||购货纳税人识别号||购货单位地址||购货单位银行||销货单位名称||销货纳税人识别号||销货单位地址||"
        "销货单位银行||收款人||复核||开票人||备注1||备注2||备注3||备注4||检验码||密码1||密码2||密码3||密码4||密码5||"
        "密码6||密码7||密码8");
    const QString lines = QStringLiteral(
        "select group_concat(货物应税名称||规格型号||单位||数量||单价||金额||税率||税额, ';') "
        "from (select * from detail where cid=%1 order by id)");
    const QString sourceHeader = program.scalar(QStringLiteral("select %1 from title where cid=2").arg(copied)).toString();
    const QString sourceLines = program.scalar(lines.arg(2)).toString();
    QTest::mouseClick(form.copybtn, Qt::LeftButton);

    QCOMPARE(program.prompt.texts(), QStringList{QStringLiteral("资料已复制")});
    QCOMPARE(program.prompt.shown().first().caption, QStringLiteral("信息"));
    QCOMPARE(form.cid->text(), QStringLiteral("3"));
    QCOMPARE(program.scalar(QStringLiteral("select %1 from title where cid=3").arg(copied)).toString(), sourceHeader);
    QCOMPARE(program.scalar(QStringLiteral("select ifnull(发票号码, 'n') || ifnull(开票日期, 'n') || ifnull(中文日期, 'n') "
                                           "|| 是否收款 || 是否打印格式 || ifnull(备注, 'n') || ifnull(oth1, 'n') "
                                           "from title where cid=3")).toString(),
             QStringLiteral("nnn00nn"));
    QCOMPARE(program.scalar(lines.arg(3)).toString(), sourceLines);
    QCOMPARE(program.scalar(QStringLiteral("select min(id) from detail where cid=3")).toInt(), 5);
    QCOMPARE(program.scalar(lines.arg(2)).toString(), sourceLines);
    QCOMPARE(program.scalar(QStringLiteral("select group_concat(id) from detail where cid=2")).toString(),
             QStringLiteral("2,3,4"));
    QCOMPARE(form.hgrid->model()->rowCount(), 3);
    QCOMPARE(program.scalar(QStringLiteral("select 小写金额 from title where cid=3")).toLongLong(), 3340000);
}

void TestInvoiceEntry::copyOfAnInvoiceNeverWrittenCopiesNoLines()
{
    RunningProgram program;
    TForm1 &form = program.start();
    QTest::mouseClick(form.addbtn, Qt::LeftButton);
    typeText(form.ghmc, QStringLiteral("乙"));
    QTest::mouseClick(form.copybtn, Qt::LeftButton);
    QVERIFY(program.prompt.errors().isEmpty());
    QCOMPARE(program.prompt.texts(), QStringList{QStringLiteral("资料已复制")});
    QCOMPARE(program.scalar(QStringLiteral("select group_concat(cid || 购货单位名称) from title where cid > 2")).toString(),
             QStringLiteral("3乙,4乙"));
    QCOMPARE(program.scalar(QStringLiteral("select count(*) from detail")).toInt(), 4);
}

void TestInvoiceEntry::deleteAsksFirst_data()
{
    QTest::addColumn<bool>("yes");
    QTest::addColumn<QString>("headers");
    QTest::addColumn<int>("lines");
    QTest::addColumn<QString>("current");
    QTest::newRow("yes") << true << QStringLiteral("1") << 1 << QStringLiteral("1");
    QTest::newRow("no") << false << QStringLiteral("1,2") << 4 << QStringLiteral("2");
}

void TestInvoiceEntry::deleteAsksFirst()
{
    QFETCH(bool, yes);
    QFETCH(QString, headers);
    QFETCH(int, lines);
    QFETCH(QString, current);
    RunningProgram program;
    TForm1 &form = program.start();
    program.prompt.answer({yes});
    QTest::mouseClick(form.delbtn, Qt::LeftButton);
    QCOMPARE(program.prompt.shown().size(), 1);
    QCOMPARE(program.prompt.shown().first().caption, QStringLiteral("提示信息"));
    QCOMPARE(program.prompt.shown().first().text, QStringLiteral("您是否真的要删除这笔记录吗?"));
    QCOMPARE(program.scalar(QStringLiteral("select group_concat(cid) from (select cid from title order by cid)")).toString(), headers);
    QCOMPARE(program.scalar(QStringLiteral("select count(*) from detail")).toInt(), lines);
    QCOMPARE(form.cid->text(), current);
    QCOMPARE(form.hgrid->model()->rowCount(), yes ? 1 : 3);
}

void TestInvoiceEntry::failedDeleteLeavesTheInvoiceWhole()
{
    RunningProgram program;
    program.database.execScript(QStringLiteral(
        "create trigger keep before delete on title begin select raise(abort, 'header is kept'); end"));
    TForm1 &form = program.start();
    program.prompt.answer({true});
    QTest::mouseClick(form.delbtn, Qt::LeftButton);
    QCOMPARE(program.prompt.errors().size(), 1);
    QVERIFY2(program.prompt.errors().first().contains(QStringLiteral("header is kept")),
             qPrintable(program.prompt.errors().first()));
    QCOMPARE(program.scalar(QStringLiteral("select count(*) from detail where cid=2")).toInt(), 3);
    QCOMPARE(program.scalar(QStringLiteral("select count(*) from title")).toInt(), 2);
}

void TestInvoiceEntry::deleteOfAHeaderNeverWrittenTouchesNoLines()
{
    RunningProgram program;
    // A line that lost its header must not be taken for the lines of an unwritten one.
    program.database.execScript(QStringLiteral("insert into detail (cid, 货物应税名称) values (null, '孤')"));
    TForm1 &form = program.start();
    QTest::mouseClick(form.addbtn, Qt::LeftButton);
    program.prompt.answer({true});
    QTest::mouseClick(form.delbtn, Qt::LeftButton);
    QVERIFY(program.prompt.errors().isEmpty());
    QCOMPARE(program.scalar(QStringLiteral("select count(*) from title")).toInt(), 2);
    QCOMPARE(program.scalar(QStringLiteral("select count(*) from detail")).toInt(), 5);
}

void TestInvoiceEntry::paidInvoiceLocksTheLineGrid()
{
    RunningProgram program;
    TForm1 &form = program.start();
    QVERIFY(!form.hgrid->isReadOnly());
    form.titleqry->next(); // invoice 1 is paid
    QVERIFY(form.chk->isChecked());
    QVERIFY(form.hgrid->isReadOnly());
    form.titleqry->first();
    QVERIFY(!form.hgrid->isReadOnly());
    QTest::mouseClick(form.chk, Qt::LeftButton, {}, QPoint(5, form.chk->height() / 2));
    QVERIFY(form.hgrid->isReadOnly());
    RunningProgram::typeInCell(*form.hgrid, 0, Quantity, QStringLiteral("5"));
    QCOMPARE(form.detailqry->value(QStringLiteral("数量")).toDouble(), 10.0);
    // The line menu still works on a paid invoice.
    form.hgrid->setFocus();
    form.N1->trigger();
    QCOMPARE(program.scalar(QStringLiteral("select count(*) from detail where cid=2")).toInt(), 4);
    QCOMPARE(program.scalar(QStringLiteral("select 是否收款 from title where cid=2")).toInt(), 1);
}

void TestInvoiceEntry::choosingAPartyCopiesItsParticulars_data()
{
    QTest::addColumn<bool>("buyer");
    QTest::addColumn<int>("row");
    QTest::addColumn<QString>("expected");
    QTest::newRow("buyer, the first of two with one name")
        << true << 0 << QStringLiteral("海川商行|440300000000002|深圳市南山区二号|招商银行 0755");
    QTest::newRow("buyer, the second of two with one name")
        << true << 1 << QStringLiteral("海川商行|440300000000002|深圳市南山区二号|招商银行 0755");
    QTest::newRow("seller") << false << 0
                            << QStringLiteral("青石制造有限公司|330101000000009|杭州市西湖路9号 0571-8888|建设银行 4367");
}

void TestInvoiceEntry::choosingAPartyCopiesItsParticulars()
{
    QFETCH(bool, buyer);
    QFETCH(int, row);
    QFETCH(QString, expected);
    RunningProgram program;
    TForm1 &form = program.start();
    QTest::mouseClick(form.addbtn, Qt::LeftButton);
    (buyer ? form.DBLookupComboBox1 : form.DBLookupComboBox2)->choose(row);
    QVERIFY(program.prompt.errors().isEmpty());
    const QStringList shown = buyer ? QStringList{form.ghmc->text(), form.ghsbh->text(), form.ghdzdh->text(),
                                                  form.ghyxzh->text()}
                                    : QStringList{form.xhmc->toPlainText(), form.xhsbh->text(),
                                                  form.xhdzdh->text(), form.xhyxzh->text()};
    QCOMPARE(shown.join(u'|'), expected);
    QTest::mouseClick(form.savebtn, Qt::LeftButton);
    const QString columns = buyer ? QStringLiteral("购货单位名称||'|'||购货纳税人识别号||'|'||购货单位地址||'|'||购货单位银行")
                                  : QStringLiteral("销货单位名称||'|'||销货纳税人识别号||'|'||销货单位地址||'|'||销货单位银行");
    QCOMPARE(program.scalar(QStringLiteral("select %1 from title where cid=3").arg(columns)).toString(), expected);
}

void TestInvoiceEntry::datePickerWritesBothDates()
{
    RunningProgram program;
    TForm1 &form = program.start();
    form.kp->setFocus();
    form.kp->setDate(QDate(2009, 4, 8)); // as the calendar does when a day is picked
    QCOMPARE(form.kpdate->text(), QStringLiteral("2009年04月08日"));
    // Typing into the date box changes the Chinese date only.
    form.kpdate->setFocus();
    form.kpdate->selectAll();
    typeText(form.kpdate, QStringLiteral("二〇〇九年四月八日"));
    // Coming back from a directory window puts the picker back to today, nothing else.
    form.FormActivate();
    QCOMPARE(form.kp->date(), QDate::currentDate());
    QTest::mouseClick(form.savebtn, Qt::LeftButton);
    QCOMPARE(program.scalar(QStringLiteral("select 开票日期 || ' ' || 中文日期 from title where cid=2")).toString(),
             QStringLiteral("2009-04-08 二〇〇九年四月八日"));
}

void TestInvoiceEntry::saveStoresTheTotalsOfTheLinesItWrites()
{
    RunningProgram program;
    TForm1 &form = program.start();
    // The cell editor is still open when Save is clicked.
    RunningProgram::typeInCell(*form.hgrid, 1, Quantity, QStringLiteral("3"));
    QTest::mouseClick(form.savebtn, Qt::LeftButton);
    QCOMPARE(program.scalar(QStringLiteral("select 数量 from detail where id=3")).toDouble(), 3.0);
    QCOMPARE(program.scalar(QStringLiteral("select 小写金额 from title where cid=2")).toLongLong(), 3925000);
    QCOMPARE(program.scalar(QStringLiteral("select 大写金额 from title where cid=2")).toString(),
             QStringLiteral("叁佰玖拾贰圆伍角整"));
}

QTEST_MAIN(TestInvoiceEntry)
#include "tst_invoiceentry.moc"
