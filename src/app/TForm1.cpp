#include "app/TForm1.h"

#include "app/ErrorGuard.h"
#include "app/InvoiceColumns.h"
#include "app/Prompt.h"
#include "browse/ui/BrowsePage.h"
#include "db/Dataset.h"
#include "entry/ColumnTotals.h"
#include "help/ui/HelpOpener.h"
#include "print/report/Report.h"
#include "widgets/DatePicker.h"
#include "widgets/DbCheckBox.h"
#include "widgets/DbEdit.h"
#include "widgets/DbGrid.h"
#include "widgets/DbLookupCombo.h"
#include "widgets/DbPlainEdit.h"
#include "widgets/Fonts.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDialog>
#include <QGridLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QScreen>
#include <QStyle>
#include <QTabWidget>
#include <QToolButton>

namespace {

QFont windowFont()
{
    return Fonts::verdana(10);
}

QLabel *label(const QString &text, QWidget *parent)
{
    auto *result = new QLabel(text, parent);
    result->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    return result;
}

// A caption written top to bottom at the left edge of a panel.
QLabel *verticalCaption(const QString &text, QWidget *parent)
{
    auto *result =
        new QLabel(QStringList(text.split(QString(), Qt::SkipEmptyParts)).join(u'\n'), parent);
    result->setAlignment(Qt::AlignCenter);
    result->setFrameShape(QFrame::StyledPanel);
    result->setFixedWidth(result->fontMetrics().horizontalAdvance(u'购') + 10);
    return result;
}

QFrame *panel(const QString &name, QWidget *parent)
{
    auto *frame = new QFrame(parent);
    frame->setObjectName(name);
    frame->setFrameShape(QFrame::StyledPanel);
    return frame;
}

} // namespace

QString TForm1::applicationTitle()
{
    return QStringLiteral("Kelvane增值税发票打印管理软件");
}

QString TForm1::caption()
{
    return QStringLiteral("Kelvane发票、销货清单打印软件 2.6") +
           QStringLiteral("  技术支持：support@kelvane.cn  ") +
           QStringLiteral("使用前请先看下帮助说明");
}

TForm1::TForm1(Prompt &prompt, FileDialogs &fileDialogs, ErrorGuard &guard,
               const QString &programDir, QWidget *parent)
    : QWidget(parent), m_prompt(prompt), m_fileDialogs(fileDialogs), m_guard(guard),
      m_programDir(programDir)
{
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(caption());
    setFont(windowFont());
    createDatasets();
    buildWindow();
    connectHandlers();
    m_browsePage = std::make_unique<BrowsePage>(
        BrowsePage::Controls{*titleqry, *detailqry, *lcEdit, *DBGridEh2, *PageControl1, *TabSheet1},
        m_guard);
    resize(914, 666);
    if (const QScreen *screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
    // Every key press of the window passes here before the focused control sees it.
    qApp->installEventFilter(this);
    m_guard.run([this] { FormCreate(); });
}

TForm1::~TForm1() = default;

void TForm1::createDatasets()
{
    const auto make = [this](const QString &name, const QStringList &sql) {
        auto dataset = std::make_unique<Dataset>(cnn);
        dataset->setObjectName(name);
        dataset->setSql(sql);
        return dataset;
    };
    titleqry =
        make(QStringLiteral("titleqry"), {QStringLiteral("select * from title order by cid desc")});
    detailqry =
        make(QStringLiteral("detailqry"), {QStringLiteral("select * from detail where cid=:cid")});
    detailqry->setMaster(titleqry.get(), QStringLiteral("cid"));
    // Made before anything else watches the lines, so the totals are fresh for everyone.
    columnTotals = std::make_unique<ColumnTotals>(*detailqry);
    Aqry = make(QStringLiteral("Aqry"), {QStringLiteral("select * from title")});
    ghqry = make(QStringLiteral("ghqry"),
                 {QStringLiteral("select  * from 购货单位 order by 单位名称")});
    xhqry = make(QStringLiteral("xhqry"),
                 {QStringLiteral("select  * from 销货单位 order by 单位名称")});
    fpdzqry = make(QStringLiteral("fpdzqry"), {QStringLiteral("select * from fpdz")});
    hqry = make(QStringLiteral("hqry"), {QStringLiteral("select * from title order by cid desc")});
    dqry = make(QStringLiteral("dqry"), {QStringLiteral("select * from detail ")});
    set1qry = make(QStringLiteral("set1qry"), {QStringLiteral("select * from fpset1")});
    set2qry = make(QStringLiteral("set2qry"), {QStringLiteral("select * from fpset2")});
    set3qry = make(QStringLiteral("set3qry"), {QStringLiteral("select * from fpset3")});
}

void TForm1::buildWindow()
{
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(2, 2, 2, 2);
    PageControl1 = new QTabWidget(this);
    PageControl1->setObjectName(QStringLiteral("PageControl1"));
    layout->addWidget(PageControl1);
    TabSheet1 = buildEditPage();
    TabSheet2 = buildBrowsePage();
    PageControl1->addTab(TabSheet1, QStringLiteral("发票明细"));
    PageControl1->addTab(TabSheet2, QStringLiteral("发票浏览"));
    PageControl1->setCornerWidget(buildToolStrip(), Qt::TopRightCorner);
    buildMenus();
}

QToolButton *TForm1::toolButton(const QString &name, const QString &text)
{
    auto *button = new QToolButton(this);
    button->setObjectName(name);
    button->setText(text);
    button->setCursor(Qt::PointingHandCursor);
    button->setToolButtonStyle(Qt::ToolButtonTextOnly);
    return button;
}

QWidget *TForm1::buildToolStrip()
{
    auto *strip = new QWidget(this);
    auto *row = new QHBoxLayout(strip);
    row->setContentsMargins(0, 0, 2, 2);
    row->setSpacing(2);
    row->addWidget(new QLabel(QStringLiteral("查找:"), strip));
    lcEdit = new QLineEdit(strip);
    lcEdit->setObjectName(QStringLiteral("lcEdit"));
    lcEdit->setFixedWidth(110);
    row->addWidget(lcEdit);
    addbtn = toolButton(QStringLiteral("addbtn"), QStringLiteral("&A 增加"));
    copybtn = toolButton(QStringLiteral("copybtn"), QStringLiteral("&C 复制"));
    savebtn = toolButton(QStringLiteral("savebtn"), QStringLiteral("&S 保存"));
    delbtn = toolButton(QStringLiteral("delbtn"), QStringLiteral("&D 删除"));
    prnbtn = toolButton(QStringLiteral("prnbtn"), QStringLiteral("&P 打印"));
    SpeedButton4 = toolButton(QStringLiteral("SpeedButton4"), QStringLiteral("&H 帮助"));
    exitbtn = toolButton(QStringLiteral("exitbtn"), QStringLiteral("&X  退出"));
    for (QToolButton *button : {addbtn, copybtn, savebtn, delbtn, prnbtn, SpeedButton4, exitbtn})
        row->addWidget(button);
    for (QToolButton *button : {addbtn, copybtn, savebtn, delbtn})
        button->setEnabled(false);
    return strip;
}

DbEdit *TForm1::boundEdit(const QString &name, Dataset &dataset, const QString &column)
{
    auto *edit = new DbEdit(this);
    edit->setObjectName(name);
    edit->bind(dataset, column, m_guard);
    return edit;
}

QWidget *TForm1::buildEditPage()
{
    auto *page = new QWidget(this);
    page->setObjectName(QStringLiteral("TabSheet1"));
    auto *column = new QVBoxLayout(page);
    column->setContentsMargins(2, 2, 2, 2);
    column->setSpacing(0);
    titlepan = buildHeaderPanel();
    column->addWidget(titlepan);
    buildLineGrid();
    column->addWidget(hgrid, 1);
    column->addWidget(buildTotalsStrip());
    column->addSpacing(2);
    column->addWidget(buildSellerPanel());
    return page;
}

QFrame *TForm1::buildHeaderPanel()
{
    QFrame *frame = panel(QStringLiteral("titlepan"), this);
    frame->setEnabled(false);
    auto *grid = new QGridLayout(frame);
    grid->setContentsMargins(3, 3, 3, 0);
    grid->setHorizontalSpacing(3);
    grid->setVerticalSpacing(2);
    Dataset &title = *titleqry;

    auto *first = new QHBoxLayout;
    first->setSpacing(3);
    jym = boundEdit(QStringLiteral("jym"), title, QStringLiteral("检验码"));
    SpeedButton1 = toolButton(QStringLiteral("SpeedButton1"), QStringLiteral("客户"));
    fpno1 = boundEdit(QStringLiteral("fpno1"), title, QStringLiteral("发票号码"));
    kpdate = boundEdit(QStringLiteral("kpdate"), title, QStringLiteral("中文日期"));
    kp = new DatePicker(this);
    kp->setObjectName(QStringLiteral("kp"));
    kp->setDateQuietly(QDate::currentDate());
    chk = new DbCheckBox(QStringLiteral("收款"), this);
    chk->setObjectName(QStringLiteral("chk"));
    chk->setStyleSheet(QStringLiteral("color: red"));
    chk->bind(title, QStringLiteral("是否收款"), m_guard);
    first->addWidget(label(QStringLiteral("检验码："), frame));
    first->addWidget(jym, 3);
    first->addWidget(SpeedButton1);
    first->addSpacing(8);
    first->addWidget(label(QStringLiteral("发票号："), frame));
    first->addWidget(fpno1, 2);
    first->addSpacing(8);
    first->addWidget(label(QStringLiteral("开票日期："), frame));
    first->addWidget(kpdate, 2);
    first->addWidget(kp);
    first->addSpacing(8);
    first->addWidget(chk);
    grid->addLayout(first, 0, 0, 1, 7);

    grid->addWidget(verticalCaption(QStringLiteral("购货单位"), frame), 1, 0, 4, 1);
    ghmc = boundEdit(QStringLiteral("ghmc"), title, QStringLiteral("购货单位名称"));
    DBLookupComboBox1 = new DbLookupCombo(this);
    DBLookupComboBox1->setObjectName(QStringLiteral("DBLookupComboBox1"));
    DBLookupComboBox1->setDropDownWidth(350);
    DBLookupComboBox1->setFixedWidth(20);
    DBLookupComboBox1->bind(*ghqry, QStringLiteral("单位名称"), m_guard);
    auto *name = new QHBoxLayout;
    name->setSpacing(0);
    name->addWidget(ghmc);
    name->addWidget(DBLookupComboBox1);
    ghsbh = boundEdit(QStringLiteral("ghsbh"), title, QStringLiteral("购货纳税人识别号"));
    ghdzdh = boundEdit(QStringLiteral("ghdzdh"), title, QStringLiteral("购货单位地址"));
    ghyxzh = boundEdit(QStringLiteral("ghyxzh"), title, QStringLiteral("购货单位银行"));
    const QStringList buyerLabels{QStringLiteral("名     称："), QStringLiteral("纳税人识别号："),
                                  QStringLiteral("地址、电话："), QStringLiteral("开户行及帐号：")};
    for (int row = 0; row < 4; ++row)
        grid->addWidget(label(buyerLabels.at(row), frame), row + 1, 1);
    grid->addLayout(name, 1, 2);
    grid->addWidget(ghsbh, 2, 2);
    grid->addWidget(ghdzdh, 3, 2);
    grid->addWidget(ghyxzh, 4, 2);

    auto *cipher = new QLabel(QStringLiteral("密\n\n\n码："), frame);
    cipher->setAlignment(Qt::AlignCenter);
    grid->addWidget(cipher, 1, 3, 4, 1);
    auto *lines = new QGridLayout;
    lines->setHorizontalSpacing(2);
    lines->setVerticalSpacing(2);
    for (int i = 0; i < 8; ++i) {
        mm[i] = boundEdit(QStringLiteral("mm%1").arg(i + 1), title,
                          QStringLiteral("密码%1").arg(i + 1));
        const int row = i % 4;
        const int side = i / 4;
        lines->addWidget(new QLabel(QString::number(i + 1), frame), row, side * 2);
        lines->addWidget(mm[i], row, side * 2 + 1);
    }
    grid->addLayout(lines, 1, 4, 4, 3);
    grid->setColumnStretch(2, 5);
    grid->setColumnStretch(4, 6);

    cid = boundEdit(QStringLiteral("cid"), title, QStringLiteral("cid"));
    cid->hide();
    for (int i = 0; i < 7; ++i) {
        hiddenNumbers[i] = boundEdit(QStringLiteral("fpno%1").arg(i + 2), title,
                                     QStringLiteral("发票号码%1").arg(i + 2));
        hiddenNumbers[i]->hide();
    }
    grid->addWidget(buildCaptionStrip(), 5, 0, 1, 7);
    return frame;
}

// The line grid has no title row; these captions stand over its columns instead.
QWidget *TForm1::buildCaptionStrip()
{
    auto *strip = new QWidget(this);
    auto *row = new QHBoxLayout(strip);
    row->setContentsMargins(1, 2, 0, 1);
    row->setSpacing(0);
    const QList<std::pair<QString, int>> captions{
        {QStringLiteral("货物或应税劳务名称 (右键进行添加删除)"), 300},
        {QStringLiteral("规格型号    单位       数量          单价              金额    "), 410},
        {QStringLiteral("税率(%)        税额         "), 150}};
    for (const auto &[text, width] : captions) {
        auto *caption = new QLabel(text, strip);
        caption->setFixedWidth(width);
        row->addWidget(caption);
    }
    row->addStretch();
    return strip;
}

void TForm1::buildLineGrid()
{
    hgrid = new DbGrid(this);
    hgrid->setObjectName(QStringLiteral("hgrid"));
    hgrid->setEnabled(false);
    hgrid->bind(*detailqry,
                InvoiceColumns::lines({300, 90, 50, 70, 100, 100, 50, 100}, *columnTotals),
                m_guard);
    hgrid->setTitleRowVisible(false);
    hgrid->setRowIndicatorVisible(false);
    hgrid->setFooterVisible(true);
    hgrid->setContextMenuPolicy(Qt::CustomContextMenu);
}

QWidget *TForm1::buildTotalsStrip()
{
    auto *strip = new QWidget(this);
    auto *row = new QHBoxLayout(strip);
    row->setContentsMargins(2, 2, 2, 2);
    row->setSpacing(3);
    jedx = boundEdit(QStringLiteral("jedx"), *titleqry, QStringLiteral("大写金额"));
    jedx->setReadOnly(true);
    jedx->setFont(Fonts::simSun(11));
    xxje = boundEdit(QStringLiteral("xxje"), *titleqry, QStringLiteral("小写金额"));
    xxje->setReadOnly(true);
    xxje->setFixedWidth(160);
    row->addWidget(label(QStringLiteral("价税合计(大写)："), strip));
    row->addWidget(jedx, 1);
    row->addSpacing(12);
    row->addWidget(label(QStringLiteral("小写："), strip));
    row->addWidget(xxje);
    return strip;
}

QFrame *TForm1::buildSellerPanel()
{
    QFrame *frame = panel(QStringLiteral("Panel2"), this);
    auto *grid = new QGridLayout(frame);
    grid->setContentsMargins(3, 3, 3, 3);
    grid->setHorizontalSpacing(3);
    grid->setVerticalSpacing(2);
    Dataset &title = *titleqry;
    grid->addWidget(verticalCaption(QStringLiteral("销货单位"), frame), 0, 0, 4, 1);

    xhmc = new DbPlainEdit(this);
    xhmc->setObjectName(QStringLiteral("xhmc"));
    xhmc->bind(title, QStringLiteral("销货单位名称"), m_guard);
    DBLookupComboBox2 = new DbLookupCombo(this);
    DBLookupComboBox2->setObjectName(QStringLiteral("DBLookupComboBox2"));
    DBLookupComboBox2->setDropDownWidth(390);
    DBLookupComboBox2->setFixedWidth(20);
    DBLookupComboBox2->bind(*xhqry, QStringLiteral("单位名称"), m_guard);
    SpeedButton2 = toolButton(QStringLiteral("SpeedButton2"), QStringLiteral("单位"));
    auto *name = new QHBoxLayout;
    name->setSpacing(0);
    name->addWidget(xhmc);
    name->addWidget(DBLookupComboBox2);
    name->addSpacing(3);
    name->addWidget(SpeedButton2);
    xhsbh = boundEdit(QStringLiteral("xhsbh"), title, QStringLiteral("销货纳税人识别号"));
    xhdzdh = boundEdit(QStringLiteral("xhdzdh"), title, QStringLiteral("销货单位地址"));
    xhyxzh = boundEdit(QStringLiteral("xhyxzh"), title, QStringLiteral("销货单位银行"));
    const QStringList sellerLabels{QStringLiteral("名     称："), QStringLiteral("纳税人识别号："),
                                   QStringLiteral("地址、电话："),
                                   QStringLiteral("开户行及帐号：")};
    for (int row = 0; row < 4; ++row)
        grid->addWidget(label(sellerLabels.at(row), frame), row, 1);
    grid->addLayout(name, 0, 2);
    grid->addWidget(xhsbh, 1, 2);
    grid->addWidget(xhdzdh, 2, 2);
    grid->addWidget(xhyxzh, 3, 2);

    grid->addWidget(label(QStringLiteral("备注："), frame), 0, 3);
    for (int i = 0; i < 4; ++i) {
        bz[i] = boundEdit(QStringLiteral("bz%1").arg(i + 1), title,
                          QStringLiteral("备注%1").arg(i + 1));
        grid->addWidget(bz[i], i, 4);
    }

    skr = new DbPlainEdit(this);
    skr->setObjectName(QStringLiteral("skr"));
    skr->bind(title, QStringLiteral("收款人"), m_guard);
    fh = boundEdit(QStringLiteral("fh"), title, QStringLiteral("复核"));
    kpr = boundEdit(QStringLiteral("kpr"), title, QStringLiteral("开票人"));
    fh->setMinimumWidth(90);
    kpr->setMinimumWidth(90);
    skr->setMinimumWidth(90);
    auto *people = new QHBoxLayout;
    people->setSpacing(3);
    people->addWidget(skr, 1);
    people->addWidget(label(QStringLiteral("复核："), frame));
    people->addWidget(fh, 1);
    people->addWidget(label(QStringLiteral("开票人："), frame));
    people->addWidget(kpr, 1);
    grid->addWidget(label(QStringLiteral("收款人："), frame), 4, 0, 1, 2);
    grid->addLayout(people, 4, 2);

    DBEdit1 = boundEdit(QStringLiteral("DBEdit1"), title, QStringLiteral("oth1"));
    DBEdit2 = boundEdit(QStringLiteral("DBEdit2"), title, QStringLiteral("oth2"));
    DBEdit3 = boundEdit(QStringLiteral("DBEdit3"), title, QStringLiteral("oth3"));
    const QList<std::pair<QString, DbEdit *>> agent{{QStringLiteral("专用发票代码："), DBEdit1},
                                                    {QStringLiteral("代开企业税号："), DBEdit2},
                                                    {QStringLiteral("代开企业名称："), DBEdit3}};
    for (int i = 0; i < 3; ++i) {
        grid->addWidget(label(agent.at(i).first, frame), 4 + i, 3);
        grid->addWidget(agent.at(i).second, 4 + i, 4);
    }

    fpdz = boundEdit(QStringLiteral("fpdz"), *fpdzqry, QStringLiteral("fpdz"));
    prnsetbtn = toolButton(QStringLiteral("prnsetbtn"), QString());
    prnsetbtn->setIcon(style()->standardIcon(QStyle::SP_DirOpenIcon));
    prnsetbtn->setToolButtonStyle(Qt::ToolButtonIconOnly);
    prnsetbtn->setToolTip(QStringLiteral("选择发票格式图片"));
    dygs = new DbCheckBox(QStringLiteral("是否打印发票格式"), this);
    dygs->setObjectName(QStringLiteral("dygs"));
    dygs->bind(title, QStringLiteral("是否打印格式"), m_guard);
    auto *format = new QHBoxLayout;
    format->setSpacing(3);
    format->addWidget(fpdz, 1);
    format->addWidget(prnsetbtn);
    format->addWidget(dygs);
    grid->addWidget(label(QStringLiteral("发票格式："), frame), 6, 0, 1, 2);
    grid->addLayout(format, 6, 2);
    grid->setColumnStretch(2, 5);
    grid->setColumnStretch(4, 4);
    return frame;
}

QWidget *TForm1::buildBrowsePage()
{
    auto *page = new QWidget(this);
    page->setObjectName(QStringLiteral("TabSheet2"));
    auto *column = new QVBoxLayout(page);
    column->setContentsMargins(2, 2, 2, 2);
    column->setSpacing(2);
    DBGridEh2 = new DbGrid(page);
    DBGridEh2->setObjectName(QStringLiteral("DBGridEh2"));
    DBGridEh2->bind(*titleqry, InvoiceColumns::headers(), m_guard);
    DBGridEh2->setReadOnly(true);
    DBGridEh2->setToolTip(QStringLiteral("按 每栏标题 可以排序"));
    DBGridEh3 = new DbGrid(page);
    DBGridEh3->setObjectName(QStringLiteral("DBGridEh3"));
    DBGridEh3->bind(*detailqry,
                    InvoiceColumns::lines({300, 100, 50, 80, 80, 100, 50, 90}, *columnTotals),
                    m_guard);
    DBGridEh3->setReadOnly(true);
    DBGridEh3->setTitlesCentred();
    DBGridEh3->setFooterVisible(true);
    column->addWidget(DBGridEh2, 3);
    column->addWidget(DBGridEh3, 2);
    return page;
}

void TForm1::buildMenus()
{
    PopupMenu1 = new QMenu(this);
    PopupMenu1->setObjectName(QStringLiteral("PopupMenu1"));
    const auto item = [](QMenu *menu, const QString &name, const QString &text) {
        QAction *action = menu->addAction(text);
        action->setObjectName(name);
        return action;
    };
    N1 = item(PopupMenu1, QStringLiteral("N1"), QStringLiteral("增加"));
    N2 = item(PopupMenu1, QStringLiteral("N2"), QStringLiteral("删除"));
    N7 = item(PopupMenu1, QStringLiteral("N7"), QStringLiteral("修改"));
    PopupMenu2 = new QMenu(this);
    PopupMenu2->setObjectName(QStringLiteral("PopupMenu2"));
    N9 = item(PopupMenu2, QStringLiteral("N9"), QStringLiteral("发票套打 &S"));
    N8 = item(PopupMenu2, QStringLiteral("N8"), QStringLiteral("发票套打位置、字体、大小调整 &T"));
    A4U1 = item(PopupMenu2, QStringLiteral("A4U1"), QStringLiteral("发票打印 (A4纸) &U"));
    A4V1 = item(PopupMenu2, QStringLiteral("A4V1"),
                QStringLiteral("发票打印位置、字体、大小调整 (A4纸) &V"));
    N10 =
        item(PopupMenu2, QStringLiteral("N10"), QStringLiteral("增值税应税货物或劳务销货清单打印"));
    N11 =
        item(PopupMenu2, QStringLiteral("N11"), QStringLiteral("增值税专用发票销货清单打印(套打)"));
    N4 = item(PopupMenu2, QStringLiteral("N4"), QStringLiteral("收款情况打印"));
}

void TForm1::connectHandlers()
{
    connect(exitbtn, &QToolButton::clicked, this, &QWidget::close);
    connect(prnbtn, &QToolButton::clicked, this, m_guard.guarded([this] { prnbtnClick(); }));
    prnbtn->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(prnbtn, &QWidget::customContextMenuRequested, this,
            [this](const QPoint &at) { PopupMenu2->popup(prnbtn->mapToGlobal(at)); });
    connect(hgrid, &QWidget::customContextMenuRequested, this,
            [this](const QPoint &at) { PopupMenu1->popup(hgrid->viewport()->mapToGlobal(at)); });
    connect(N4, &QAction::triggered, this, m_guard.guarded([this] { N4Click(); }));
    connect(SpeedButton1, &QToolButton::clicked, this,
            m_guard.guarded([this] { SpeedButton1Click(); }));
    connect(SpeedButton4, &QToolButton::clicked, this,
            m_guard.guarded([this] { SpeedButton4Click(); }));
    connect(SpeedButton2, &QToolButton::clicked, this,
            m_guard.guarded([this] { SpeedButton2Click(); }));
    connectEntryHandlers();
    connectPrintHandlers();
}

void TForm1::FormCreate()
{
    cnn.close();
    cnn.open(Connection::databasePath(m_programDir));
    for (QWidget *control : std::initializer_list<QWidget *>{titlepan, hgrid, addbtn, copybtn,
                                                             delbtn, savebtn, prnbtn})
        control->setEnabled(true);
}

void TForm1::FormActivate()
{
    // A store that could not be opened at start-up is tried again, and fails again loudly.
    if (!cnn.isOpen())
        cnn.open(Connection::databasePath(m_programDir));
    titleqry->open();
    detailqry->open();
    kp->setDateQuietly(QDate::currentDate());
    ghqry->open();
    xhqry->open();
    fpdzqry->open();
}

void TForm1::showModal(QDialog &window)
{
    window.exec();
    FormActivate();
}

void TForm1::setDirectoryWindows(QDialog *buyers, QDialog *sellers)
{
    m_buyersWindow = buyers;
    m_sellersWindow = sellers;
}

void TForm1::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    if (m_activatedOnce)
        return;
    m_activatedOnce = true;
    m_guard.run([this] { FormActivate(); });
}

void TForm1::closeEvent(QCloseEvent *event)
{
    // Closing cannot be cancelled by the user; only a failed save keeps the window, so
    // that the invoice is not lost with it.
    if (m_guard.run([this] { FormClose(); }))
        event->accept();
    else
        event->ignore();
}

void TForm1::FormClose()
{
    if (!titleqry->isEditing() && !detailqry->isEditing())
        return;
    if (!m_prompt.askYesNo(QStringLiteral("信息"), QStringLiteral("您修改了这笔记录,要保存吗?")))
        return;
    titleqry->updateBatch();
    detailqry->updateBatch();
}

bool TForm1::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::KeyPress && handleEnterKey(watched, event))
        return true;
    return QWidget::eventFilter(watched, event);
}

// Enter moves on like Tab; in a grid it walks the columns of the row, which also closes
// an open cell editor (what typed there is written already). Shift+Enter is left to the
// text boxes that take a second line.
bool TForm1::handleEnterKey(QObject *watched, QEvent *event)
{
    const auto *key = static_cast<QKeyEvent *>(event);
    if (key->key() != Qt::Key_Return && key->key() != Qt::Key_Enter)
        return false;
    QWidget *focus = QApplication::focusWidget();
    // The key travels up to the parents when a control ignores it; act on it only once.
    if (!focus || watched != focus || focus->window() != this)
        return false;
    if (key->modifiers() & Qt::ShiftModifier && qobject_cast<DbPlainEdit *>(focus))
        return false;
    for (QWidget *widget = focus; widget; widget = widget->parentWidget()) {
        if (auto *grid = qobject_cast<DbGrid *>(widget)) {
            m_guard.run([grid] { grid->selectNextColumnWrapping(); });
            return true;
        }
    }
    focusNextChild();
    return true;
}

void TForm1::prnbtnClick()
{
    PopupMenu2->popup(QCursor::pos());
}

void TForm1::N4Click()
{
    if (m_paymentsWindow)
        showModal(*m_paymentsWindow);
}

void TForm1::SpeedButton1Click()
{
    if (m_buyersWindow)
        showModal(*m_buyersWindow);
}

void TForm1::SpeedButton4Click()
{
    if (m_helpOpener && !m_helpOpener->open())
        m_prompt.notice(QStringLiteral("信息"),
                        QStringLiteral("无法打开帮助文件“%1”").arg(m_helpOpener->documentPath()));
}

void TForm1::SpeedButton2Click()
{
    if (m_sellersWindow)
        showModal(*m_sellersWindow);
}
