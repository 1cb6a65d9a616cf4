// Times what the clerk waits for on the browse page of a large store: one keystroke in the
// search box (the statement, opening the headers, reopening the lines, the grids shown
// again) and a click on a column title. Run by hand on a store made by kelvane_gendb:
//
//   kelvane_gendb /tmp/big/trfp.db
//   QT_QPA_PLATFORM=offscreen kelvane_bench_browse /tmp/big [rounds = 5] [search|sort]
#include "app/ErrorGuard.h"
#include "app/FileDialogs.h"
#include "app/Prompt.h"
#include "app/TForm1.h"
#include "app/Windows.h"
#include "db/Dataset.h"
#include "widgets/DbGrid.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QHeaderView>
#include <QLineEdit>
#include <QTabWidget>
#include <QTest>
#include <QTextStream>
#include <algorithm>
#include <ctime>

namespace {

class SilentPrompt final : public Prompt
{
public:
    bool askYesNo(const QString &, const QString &) override { return false; }
    void notice(const QString &, const QString &) override {}
    void error(const QString &text) override { QTextStream(stderr) << "error: " << text << '\n'; }
};

class NoFileDialogs final : public FileDialogs
{
public:
    QString openPictureFile(const QString &) override { return {}; }
    QString saveFileName(const QString &, const QString &, const QString &) override { return {}; }
};

// Processor time of this thread: what the work costs, whatever else the machine runs.
double cpuMs()
{
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return double(now.tv_sec) * 1e3 + double(now.tv_nsec) / 1e6;
}

struct Time
{
    double wall;
    double cpu;
};

struct Figures
{
    QList<double> wall;
    QList<double> cpu;
    void add(Time time)
    {
        wall << time.wall;
        cpu << time.cpu;
    }
    static QString of(QList<double> ms)
    {
        std::sort(ms.begin(), ms.end());
        if (ms.isEmpty())
            return {};
        return QStringLiteral("median %1  p90 %2  max %3")
            .arg(ms.at(ms.size() / 2), 0, 'f', 1)
            .arg(ms.at(ms.size() * 9 / 10), 0, 'f', 1)
            .arg(ms.last(), 0, 'f', 1);
    }
    QString summary() const
    {
        return QStringLiteral("wall %1 | cpu %2 ms (%3 runs)")
            .arg(of(wall), of(cpu))
            .arg(wall.size());
    }
};

// Until everything the event caused is on the screen.
template <typename Action> Time timed(Action action)
{
    QElapsedTimer timer;
    timer.start();
    const double cpu = cpuMs();
    action();
    QCoreApplication::processEvents();
    return {double(timer.nsecsElapsed()) / 1e6, cpuMs() - cpu};
}

void typeKey(QLineEdit &box, QChar character)
{
    QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, QString(character));
    QKeyEvent release(QEvent::KeyRelease, 0, Qt::NoModifier, QString(character));
    QApplication::sendEvent(&box, &press);
    QApplication::sendEvent(&box, &release);
}

void backspace(QLineEdit &box)
{
    QTest::keyClick(&box, Qt::Key_Backspace);
}

QString loadAverage()
{
    QFile file(QStringLiteral("/proc/loadavg"));
    return file.open(QIODevice::ReadOnly) ? QString::fromLatin1(file.readAll()).section(u' ', 0, 2)
                                          : QStringLiteral("unknown");
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QTextStream out(stdout);
    if (argc < 2) {
        out << "usage: kelvane_bench_browse <directory holding trfp.db> [rounds]\n";
        return 2;
    }
    const int rounds = argc > 2 ? QString::fromLocal8Bit(argv[2]).toInt() : 5;
    const QString only = argc > 3 ? QString::fromLocal8Bit(argv[3]) : QString();
    SilentPrompt prompt;
    NoFileDialogs dialogs;
    ErrorGuard guard(prompt);
    QElapsedTimer startup;
    startup.start();
    Windows windows(prompt, dialogs, guard, QString::fromLocal8Bit(argv[1]));
    TForm1 &form = windows.form1();
    form.show();
    out << "start-up until the window is shown: " << startup.elapsed() << " ms\n";
    QElapsedTimer warm;
    warm.start();
    QTest::qWait(0); // the window is painted, then the search copy is read
    out << "first paint and the search copy read: " << warm.elapsed() << " ms\n";
    out << "invoices: " << form.titleqry->rowCount() << "\n";

    form.PageControl1->setCurrentWidget(form.TabSheet2);
    QCoreApplication::processEvents();
    QLineEdit &box = *form.lcEdit;
    box.setFocus();
    const QList<QString> texts{QStringLiteral("12"),     QStringLiteral("杭州盛"),
                               QStringLiteral("ht2019"), QStringLiteral("6222"),
                               QStringLiteral("zzq"),    QStringLiteral("a_b%")};
    Figures typing;
    Figures deleting;
    for (int round = 0; round < rounds && only != u"sort"; ++round) {
        for (const QString &text : texts) {
            for (const QChar character : text)
                typing.add(timed([&] { typeKey(box, character); }));
            for (qsizetype i = 0; i < text.size(); ++i)
                deleting.add(timed([&] { backspace(box); }));
        }
    }
    out << "keystroke in the search box, typing:   " << typing.summary() << '\n';
    out << "keystroke in the search box, deleting: " << deleting.summary() << '\n';

    DbGrid &list = *form.DBGridEh2;
    QHeaderView &titles = *list.horizontalHeader();
    Figures sorting;
    QString slowest;
    double slowestMs = 0;
    for (int round = 0; round < std::max(1, rounds / 2) && only != u"search"; ++round) {
        for (int column = 0; column < list.model()->columnCount(); ++column) {
            list.scrollTo(list.model()->index(0, column));
            QCoreApplication::processEvents();
            const QPoint at(titles.sectionViewportPosition(column) + titles.sectionSize(column) / 2,
                            titles.height() / 2);
            for (int click = 0; click < 2; ++click) {
                const Time time =
                    timed([&] { QTest::mouseClick(titles.viewport(), Qt::LeftButton, {}, at); });
                sorting.add(time);
                if (time.cpu > slowestMs) {
                    slowestMs = time.cpu;
                    slowest = list.model()->headerData(column, Qt::Horizontal).toString();
                }
            }
        }
    }
    out << "click on a column title (sort):       " << sorting.summary() << "; slowest: " << slowest
        << '\n';
    out << "(load average while measuring: " << loadAverage() << ")\n";
    return 0;
}
