// The invoice entry half of the main window: add, copy, save and delete invoices and
// lines, the date of issue, the party lists, the paid lock and the line arithmetic.
#include "app/TForm1.h"

#include "app/ErrorGuard.h"
#include "app/Prompt.h"
#include "db/Dataset.h"
#include "entry/LineArithmetic.h"
#include "widgets/DatePicker.h"
#include "widgets/DbCheckBox.h"
#include "widgets/DbEdit.h"
#include "widgets/DbGrid.h"
#include "widgets/DbLookupCombo.h"
#include "widgets/DbPlainEdit.h"

#include <QAction>
#include <QToolButton>

namespace {

QVariant textOrNull(const QString &text)
{
    return text.isEmpty() ? QVariant() : QVariant(text);
}

} // namespace

void TForm1::connectEntryHandlers()
{
    connect(addbtn, &QToolButton::clicked, this, m_guard.guarded([this] { addbtnClick(); }));
    connect(copybtn, &QToolButton::clicked, this, m_guard.guarded([this] { copybtnClick(); }));
    connect(savebtn, &QToolButton::clicked, this, m_guard.guarded([this] { savebtnClick(); }));
    connect(delbtn, &QToolButton::clicked, this, m_guard.guarded([this] { delbtnClick(); }));
    connect(hgrid, &DbGrid::entered, this, m_guard.guarded([this] { hgridEnter(); }));
    connect(N1, &QAction::triggered, this, m_guard.guarded([this] { N1Click(); }));
    connect(N2, &QAction::triggered, this, m_guard.guarded([this] { N2Click(); }));
    connect(N7, &QAction::triggered, this, m_guard.guarded([this] { N7Click(); }));
    connect(kp, &DatePicker::entered, this, m_guard.guarded([this] { kpEnter(); }));
    connect(kp, &DatePicker::userDateChanged, this,
            m_guard.guarded([this](QDate date) { kpChange(date); }));
    connect(DBLookupComboBox1, &DbLookupCombo::clicked, this, [this] { DBLookupComboBox1Click(); });
    connect(DBLookupComboBox2, &DbLookupCombo::clicked, this, [this] { DBLookupComboBox2Click(); });

    // Dataset notifications and reactions run inside the event that caused them, whose
    // guard sees their errors. The grids connected first, so their sums are fresh here.
    connect(titleqry.get(), &Dataset::changed, this, &TForm1::titledstDataChange);
    connect(detailqry.get(), &Dataset::changed, this, &TForm1::detaildstDataChange);
    detailqry->setValueChangeReaction(QStringLiteral("数量"), [this] { detailqryDSDesigner4Change(); });
    detailqry->setValueChangeReaction(QStringLiteral("单价"), [this] { detailqryDSDesigner5Change(); });
    detailqry->setValueChangeReaction(QStringLiteral("金额"), [this] { detailqryDSDesigner6Change(); });
    detailqry->setValueChangeReaction(QStringLiteral("税率"), [this] { detailqryDSDesigner7Change(); });
}

void TForm1::reopenLines()
{
    detailqry->close();
    detailqry->open();
}

void TForm1::addbtnClick()
{
    titleqry->append();
    titleqry->setValue(QStringLiteral("备注"), QStringLiteral(" "));
    reopenLines();
    ghmc->setFocus();
}

void TForm1::copybtnClick()
{
    const QString sourceCid = cid->text();
    const QList<std::pair<QString, QString>> copied{
        {QStringLiteral("购货单位名称"), ghmc->text()},
        {QStringLiteral("购货纳税人识别号"), ghsbh->text()},
        {QStringLiteral("购货单位地址"), ghdzdh->text()},
        {QStringLiteral("购货单位银行"), ghyxzh->text()},
        {QStringLiteral("销货单位名称"), xhmc->toPlainText()},
        {QStringLiteral("销货纳税人识别号"), xhsbh->text()},
        {QStringLiteral("销货单位地址"), xhdzdh->text()},
        {QStringLiteral("销货单位银行"), xhyxzh->text()},
        {QStringLiteral("收款人"), skr->toPlainText()},
        {QStringLiteral("复核"), fh->text()},
        {QStringLiteral("开票人"), kpr->text()},
        {QStringLiteral("备注1"), bz[0]->text()},
        {QStringLiteral("备注2"), bz[1]->text()},
        {QStringLiteral("备注3"), bz[2]->text()},
        {QStringLiteral("备注4"), bz[3]->text()},
        {QStringLiteral("检验码"), jym->text()},
        {QStringLiteral("密码1"), mm[0]->text()},
        {QStringLiteral("密码2"), mm[1]->text()},
        {QStringLiteral("密码3"), mm[2]->text()},
        {QStringLiteral("密码4"), mm[3]->text()},
        {QStringLiteral("密码5"), mm[4]->text()},
        {QStringLiteral("密码6"), mm[5]->text()},
        {QStringLiteral("密码7"), mm[6]->text()},
        {QStringLiteral("密码8"), mm[7]->text()}};
    titleqry->append();
    for (const auto &[column, text] : copied)
        titleqry->setValue(column, textOrNull(text));
    titleqry->updateBatch();
    CopyLines(sourceCid, cid->text());
    reopenLines();
    // The copy is stored whole: its totals follow the lines it has just been given.
    titleqry->updateBatch();
    m_prompt.notice(QStringLiteral("信息"), QStringLiteral("资料已复制"));
}

// The keys go in as parameters: the statement never carries text from the screen. A
// source never written has no lines to copy.
void TForm1::CopyLines(const QString &sourceCid, const QString &newCid)
{
    if (sourceCid.isEmpty())
        return;
    Aqry->close();
    Aqry->clearSql();
    Aqry->addSql(QStringLiteral("insert into detail"));
    Aqry->addSql(QStringLiteral(
        "select :newcid as cid,货物应税名称,规格型号,单位,数量,单价,金额,税率,税额 from detail"));
    Aqry->addSql(QStringLiteral("where cid=:sourcecid"));
    Aqry->setParameter(QStringLiteral("newcid"), newCid.toLongLong());
    Aqry->setParameter(QStringLiteral("sourcecid"), sourceCid.toLongLong());
    Aqry->execSql();
}

void TForm1::savebtnClick()
{
    titleqry->updateBatch();
    detailqry->updateBatch();
    fpdzqry->updateBatch();
    reopenLines();
    m_prompt.notice(QStringLiteral("信息"), QStringLiteral("资料保存成功!"));
}

void TForm1::delbtnClick()
{
    if (m_prompt.askYesNo(QStringLiteral("提示信息"), QStringLiteral("您是否真的要删除这笔记录吗?"))) {
        // The lines and their header go together or not at all.
        Transaction transaction(cnn);
        if (!cid->text().isEmpty()) {
            Aqry->close();
            Aqry->clearSql();
            Aqry->addSql(QStringLiteral("delete  from detail"));
            Aqry->addSql(QStringLiteral("where cid =:cID"));
            Aqry->setParameter(QStringLiteral("cid"), cid->text());
            Aqry->execSql();
            Aqry->close();
        }
        titleqry->remove();
        transaction.commit();
    }
    reopenLines();
}

void TForm1::hgridEnter()
{
    titleqry->updateBatch();
}

void TForm1::N1Click()
{
    detailqry->append();
    detailqry->setValue(QStringLiteral("货物应税名称"), QStringLiteral(""));
    detailqry->updateBatch();
    titleqry->requery();
    reopenLines();
}

void TForm1::N2Click()
{
    detailqry->remove();
}

void TForm1::N7Click()
{
    detailqry->edit();
}

void TForm1::kpEnter()
{
    titleqry->edit();
}

void TForm1::kpChange(QDate date)
{
    titleqry->markUserChange();
    titleqry->setValue(QStringLiteral("中文日期"), date.toString(QStringLiteral("yyyy年MM月dd日")));
    titleqry->setValue(QStringLiteral("开票日期"), date);
}

void TForm1::titledstDataChange()
{
    hgrid->setReadOnly(chk->isChecked());
}

void TForm1::detaildstDataChange()
{
    titleqry->open();
    titleqry->edit();
    const LineArithmetic::HeaderTotals totals = LineArithmetic::headerTotals(
        hgrid->footerSum(QStringLiteral("金额")), hgrid->footerSum(QStringLiteral("税额")));
    titleqry->setValue(QStringLiteral("小写金额"), QVariant::fromValue(totals.total));
    titleqry->setValue(QStringLiteral("大写金额"), totals.capitals);
}

void TForm1::detailqryDSDesigner4Change()
{
    detailqry->setValue(QStringLiteral("金额"),
                        QVariant::fromValue(LineArithmetic::lineAmount(
                            detailqry->value(QStringLiteral("数量")), detailqry->value(QStringLiteral("单价")))));
}

void TForm1::detailqryDSDesigner5Change()
{
    detailqryDSDesigner4Change();
}

void TForm1::detailqryDSDesigner6Change()
{
    detailqry->setValue(QStringLiteral("税额"),
                        QVariant::fromValue(LineArithmetic::lineTax(
                            detailqry->value(QStringLiteral("金额")), detailqry->value(QStringLiteral("税率")))));
}

void TForm1::detailqryDSDesigner7Change()
{
    detailqryDSDesigner6Change();
}

void TForm1::CopyParty(const Dataset &party, const QStringList &headerColumns)
{
    const QStringList partyColumns{QStringLiteral("单位名称"), QStringLiteral("纳税人识别号"),
                                   QStringLiteral("地址电话"), QStringLiteral("开户行及帐号")};
    titleqry->markUserChange();
    for (int i = 0; i < partyColumns.size(); ++i)
        titleqry->setValue(headerColumns.at(i), party.value(partyColumns.at(i)));
}

void TForm1::DBLookupComboBox1Click()
{
    CopyParty(*ghqry, {QStringLiteral("购货单位名称"), QStringLiteral("购货纳税人识别号"),
                       QStringLiteral("购货单位地址"), QStringLiteral("购货单位银行")});
}

void TForm1::DBLookupComboBox2Click()
{
    CopyParty(*xhqry, {QStringLiteral("销货单位名称"), QStringLiteral("销货纳税人识别号"),
                       QStringLiteral("销货单位地址"), QStringLiteral("销货单位银行")});
}
