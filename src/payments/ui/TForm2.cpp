#include "payments/ui/TForm2.h"

#include "app/ErrorGuard.h"
#include "app/Prompt.h"
#include "app/TForm1.h"
#include "db/Dataset.h"
#include "print/report/DatasetRows.h"
#include "print/report/Report.h"
#include "print/report/ReportError.h"
#include "widgets/DatePicker.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QDir>
#include <QEvent>
#include <QGridLayout>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>

using namespace Qt::StringLiterals;

namespace {

QLabel *caption(const QString &text, QWidget *parent)
{
    auto *label = new QLabel(text, parent);
    label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    return label;
}

QPushButton *button(const QString &name, const QString &text, QWidget *parent)
{
    auto *result = new QPushButton(text, parent);
    result->setObjectName(name);
    // Enter in a date box must not start a printout.
    result->setAutoDefault(false);
    return result;
}

DatePicker *narrowPicker(const QString &name, QWidget *parent)
{
    auto *picker = new DatePicker(parent);
    picker->setObjectName(name);
    // Only the calendar button shows; the box beside it holds the date as text.
    picker->setFixedWidth(22);
    return picker;
}

} // namespace

TForm2::TForm2(TForm1 &mainWindow)
    : QDialog(&mainWindow), skc(std::make_unique<Dataset>(mainWindow.cnn)),
      dqry(std::make_unique<Dataset>(mainWindow.cnn)),
      gqry(std::make_unique<Dataset>(mainWindow.cnn)), m_mainWindow(mainWindow),
      m_locale(QLocale::system()), m_report(mainWindow.cnn, m_locale)
{
    setObjectName(u"TForm2"_s);
    setWindowTitle(u"收款情况打印"_s);
    // The main window's font (Verdana with a Chinese fallback) carries over to this one.
    setAttribute(Qt::WA_WindowPropagation);
    skc->setObjectName(u"skc"_s);
    skc->setSql({u"select distinct 购货单位名称 from title "_s});
    dqry->setObjectName(u"dqry"_s);
    gqry->setObjectName(u"gqry"_s);
    buildWindow();
    connectHandlers();
    setFixedSize(365, 239);
    if (const QScreen *screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
}

TForm2::~TForm2() = default;

void TForm2::buildWindow()
{
    fkdw = new QComboBox(this);
    fkdw->setObjectName(u"fkdw"_s);
    GridColumn name;
    name.field = u"购货单位名称"_s;
    m_buyers.setColumns({name});
    m_buyers.setDataset(skc.get());
    fkdw->setModel(&m_buyers);
    fkdw->view()->setMinimumWidth(200);

    fedit = new QLineEdit(this);
    fedit->setObjectName(u"fedit"_s);
    fd = narrowPicker(u"fd"_s, this);
    tedit = new QLineEdit(this);
    tedit->setObjectName(u"tedit"_s);
    td = narrowPicker(u"td"_s, this);

    Button1 = button(u"Button1"_s, u"&P 发票汇总打印"_s, this);
    Button3 = button(u"Button3"_s, u"&W未收款发票打印"_s, this);
    Button2 = button(u"Button2"_s, u"&X 关闭"_s, this);

    auto *grid = new QGridLayout(this);
    grid->setContentsMargins(14, 18, 14, 14);
    grid->setVerticalSpacing(14);
    grid->addWidget(caption(u"购货单位："_s, this), 0, 0);
    grid->addWidget(fkdw, 0, 1, 1, 2);
    grid->addWidget(caption(u"开票日期 从："_s, this), 1, 0);
    grid->addWidget(fedit, 1, 1);
    grid->addWidget(fd, 1, 2);
    grid->addWidget(caption(u"到："_s, this), 2, 0);
    grid->addWidget(tedit, 2, 1);
    grid->addWidget(td, 2, 2);

    auto *buttons = new QHBoxLayout;
    buttons->setSpacing(6);
    buttons->addWidget(Button1);
    buttons->addWidget(Button3);
    buttons->addWidget(Button2);
    grid->setRowStretch(3, 1);
    grid->addLayout(buttons, 4, 0, 1, 3);
}

void TForm2::connectHandlers()
{
    ErrorGuard &guard = m_mainWindow.guard();
    connect(fd, &DatePicker::userDateChanged, this,
            guard.guarded([this](QDate date) { fdChange(date); }));
    connect(td, &DatePicker::userDateChanged, this,
            guard.guarded([this](QDate date) { tdChange(date); }));
    connect(Button1, &QPushButton::clicked, this, guard.guarded([this] { Button1Click(); }));
    connect(Button3, &QPushButton::clicked, this, guard.guarded([this] { Button3Click(); }));
    connect(Button2, &QPushButton::clicked, this, guard.guarded([this] { Button2Click(); }));
}

bool TForm2::event(QEvent *event)
{
    // Also when the report preview closes and the dialog is active again.
    if (event->type() == QEvent::WindowActivate)
        m_mainWindow.guard().run([this] { FormActivate(); });
    return QDialog::event(event);
}

void TForm2::FormActivate()
{
    // The buyer list is read once; buyers of later invoices come with the next start.
    if (!skc->isOpen()) {
        skc->open();
        fkdw->setCurrentIndex(-1);
    }
    const QDate today = QDate::currentDate();
    fd->setDateQuietly(today.addDays(-30));
    td->setDateQuietly(today);
}

void TForm2::fdChange(QDate date)
{
    fedit->setText(m_locale.toString(date, QLocale::ShortFormat));
}

void TForm2::tdChange(QDate date)
{
    tedit->setText(m_locale.toString(date, QLocale::ShortFormat));
}

void TForm2::Button1Click()
{
    print(PaymentReport::Kind::Summary);
}

void TForm2::Button3Click()
{
    print(PaymentReport::Kind::Unpaid);
}

void TForm2::Button2Click()
{
    close();
}

void TForm2::print(PaymentReport::Kind kind)
{
    const int rows = m_report.fill(kind, fedit->text(), tedit->text(), fkdw->currentText());
    Dataset &reportRows = kind == PaymentReport::Kind::Summary ? *dqry : *gqry;
    reportRows.setSql({PaymentReport::rowsStatement(kind)});
    reportRows.open();
    if (rows == 0) {
        m_mainWindow.prompt().notice(u"信息"_s, u"没有记录"_s);
        return;
    }
    showReport(kind, reportRows);
}

void TForm2::showReport(PaymentReport::Kind kind, const Dataset &rows)
{
    const QString path =
        QDir(m_mainWindow.programDir()).filePath(PaymentReport::templateFile(kind));
    // An empty preview would hide that the template is not where the program looks for it.
    if (!QFileInfo::exists(path))
        throw ReportError(u"找不到模板文件“%1”"_s.arg(QDir::toNativeSeparators(path)));
    if (!m_viewer)
        throw ReportError(u"没有可用的报表预览窗口"_s);
    Report report(*m_viewer);
    report.setVariable(u"fd"_s, fedit->text());
    report.setVariable(u"td"_s, tedit->text());
    report.loadTemplate(path);
    report.setDataset(u"细表"_s, std::make_shared<DatasetRows>(rows));
    report.show();
}
