#include "entry/ui/PartyDirectoryWindow.h"

#include "app/ErrorGuard.h"
#include "app/Prompt.h"
#include "app/TForm1.h"
#include "db/Dataset.h"
#include "widgets/DbGrid.h"
#include "widgets/Fonts.h"

#include <QBoxLayout>
#include <QFrame>
#include <QGuiApplication>
#include <QScreen>
#include <QToolButton>

namespace {

QFont directoryFont()
{
    return Fonts::simSun(11);
}

QList<GridColumn> partyColumns(const std::array<int, 4> &widths)
{
    const QStringList fields{QStringLiteral("单位名称"), QStringLiteral("纳税人识别号"),
                             QStringLiteral("地址电话"), QStringLiteral("开户行及帐号")};
    return GridColumn::plain(fields, widths);
}

} // namespace

PartyDirectoryWindow::PartyDirectoryWindow(TForm1 &mainWindow, Dataset &directory,
                                           const Looks &looks)
    : QDialog(&mainWindow), m_directory(directory), m_prompt(mainWindow.prompt()),
      m_guard(mainWindow.guard())
{
    setObjectName(looks.objectName);
    setWindowTitle(looks.caption);
    setFont(directoryFont());
    resize(looks.size);

    auto *panel = new QFrame(this);
    panel->setObjectName(QStringLiteral("Panel1"));
    panel->setFrameShape(QFrame::StyledPanel);
    DBGridEh1 = new DbGrid(panel);
    DBGridEh1->setObjectName(QStringLiteral("DBGridEh1"));
    DBGridEh1->bind(directory, partyColumns(looks.columnWidths), m_guard);
    DBGridEh1->setTitlesCentred();
    auto *panelLayout = new QVBoxLayout(panel);
    panelLayout->setContentsMargins(0, 0, 0, 0);
    panelLayout->addWidget(DBGridEh1);

    SpeedButton1 = button(QStringLiteral("SpeedButton1"), QStringLiteral("&A增加"));
    SpeedButton2 = button(QStringLiteral("SpeedButton2"), QStringLiteral("&S保存"));
    SpeedButton3 = button(QStringLiteral("SpeedButton3"), QStringLiteral("&D删除"));
    SpeedButton4 = button(QStringLiteral("SpeedButton4"), QStringLiteral("&X关闭"));
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    for (QToolButton *b : {SpeedButton1, SpeedButton2, SpeedButton3, SpeedButton4})
        buttons->addWidget(b);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(panel, 1);
    layout->addLayout(buttons);

    connect(SpeedButton1, &QToolButton::clicked, this,
            m_guard.guarded([this] { SpeedButton1Click(); }));
    connect(SpeedButton2, &QToolButton::clicked, this,
            m_guard.guarded([this] { SpeedButton2Click(); }));
    connect(SpeedButton3, &QToolButton::clicked, this,
            m_guard.guarded([this] { SpeedButton3Click(); }));
    connect(SpeedButton4, &QToolButton::clicked, this, [this] { SpeedButton4Click(); });
    // The grid's own deletion from the keyboard asks first, as every grid of the program does.
    connect(DBGridEh1, &DbGrid::rowDeletionRequested, this, m_guard.guarded([this] {
        if (m_prompt.askYesNo(QStringLiteral("确认"), QStringLiteral("删除这一行吗?")))
            m_directory.remove();
    }));
}

// Like the program's other buttons these take no focus, so a row being typed in the grid
// stays the grid's until a command deals with it.
QToolButton *PartyDirectoryWindow::button(const QString &name, const QString &caption)
{
    auto *result = new QToolButton(this);
    result->setObjectName(name);
    result->setText(caption);
    result->setToolButtonStyle(Qt::ToolButtonTextOnly);
    result->setFixedSize(80, 28);
    result->setCursor(Qt::PointingHandCursor);
    result->setFocusPolicy(Qt::NoFocus);
    return result;
}

void PartyDirectoryWindow::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    if (const QScreen *screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
}

void PartyDirectoryWindow::SpeedButton1Click()
{
    // A new row nobody typed into is not kept when another is started.
    if (m_directory.state() == Dataset::State::Insert && !m_directory.hasUserChange())
        m_directory.cancel();
    m_directory.append();
    DBGridEh1->setFocus();
    DBGridEh1->setCurrentIndex(DBGridEh1->model()->index(m_directory.currentRow(), 0));
}

void PartyDirectoryWindow::SpeedButton2Click()
{
    save();
}

void PartyDirectoryWindow::save()
{
    m_directory.updateBatch();
}

void PartyDirectoryWindow::SpeedButton3Click()
{
    if (m_prompt.askYesNo(QStringLiteral("提示信息"),
                          QStringLiteral("您是否真的要删除这笔记录吗?")))
        m_directory.remove();
}

void PartyDirectoryWindow::SpeedButton4Click()
{
    close();
}

void PartyDirectoryWindow::FormClose()
{
    if (!m_directory.isEditing())
        return;
    if (m_prompt.askYesNo(QStringLiteral("信息"), QStringLiteral("您修改了这笔记录,要保存吗?")))
        save();
}

// Every way of closing a dialog ends here. Closing cannot be refused: a failed save has
// shown its error and the change stays pending in the directory.
void PartyDirectoryWindow::done(int result)
{
    m_guard.run([this] { FormClose(); });
    QDialog::done(result);
}
