// Measures the header set on a large trfp.db (made by kelvane_gendb):
//   kelvane_bench_dataset <path/to/trfp.db>
// Times are wall clock; memory is the peak resident size of this process (VmHWM).
#include "db/Connection.h"
#include "db/DatabaseError.h"
#include "db/Dataset.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QRegularExpression>
#include <QTextStream>

using namespace Qt::StringLiterals;

namespace {

QString peakMemory()
{
    QFile status(u"/proc/self/status"_s);
    if (!status.open(QIODevice::ReadOnly))
        return u"?"_s;
    const QRegularExpression peak(u"VmHWM:\\s*(\\d+) kB"_s);
    const auto match = peak.match(QString::fromLatin1(status.readAll()));
    return match.hasMatch()
               ? QString::number(match.captured(1).toLongLong() / 1024.0, 'f', 1) + u" MB"_s
               : u"?"_s;
}

// Reads every column of the current row, as a bound window does.
qsizetype readRow(const Dataset &dataset, const QStringList &columns)
{
    qsizetype characters = 0;
    for (const QString &column : columns)
        characters += dataset.value(column).toString().size();
    return characters;
}

class Report
{
public:
    explicit Report(QTextStream &out) : m_out(out) {}
    template <typename Step> void measure(const QString &what, Step step)
    {
        QElapsedTimer timer;
        timer.start();
        step();
        m_out << qSetFieldWidth(58) << Qt::left << what << qSetFieldWidth(0) << timer.elapsed()
              << " ms, peak " << peakMemory() << Qt::endl;
    }

private:
    QTextStream &m_out;
};

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QTextStream out(stdout);
    if (app.arguments().size() != 2) {
        QTextStream(stderr) << "usage: kelvane_bench_dataset <path/to/trfp.db>\n";
        return 2;
    }
    try {
        Connection connection(u"bench"_s);
        connection.open(app.arguments().at(1));
        out << "start: peak " << peakMemory() << Qt::endl;
        Report report(out);
        Dataset titles(connection);
        Dataset lines(connection);
        titles.setSql({u"select * from title order by cid desc"_s});
        lines.setSql({u"select * from detail where cid=:cid"_s});
        lines.setMaster(&titles, u"cid"_s);
        QStringList columns;
        report.measure(u"open headers, read first row"_s, [&] {
            titles.open();
            columns = titles.fieldNames();
            readRow(titles, columns);
        });
        out << "  " << titles.rowCount() << " headers" << Qt::endl;
        report.measure(u"next() through every header, every column read"_s, [&] {
            for (titles.first(); !titles.atEnd(); titles.next())
                readRow(titles, columns);
        });
        report.measure(u"open lines of the first header"_s, [&] {
            titles.first();
            lines.open();
        });
        report.measure(u"10000 x next(), lines run again each time"_s, [&] {
            for (int i = 0; i < 10000; ++i) {
                titles.next();
                for (lines.first(); !lines.atEnd(); lines.next())
                    lines.value(u"金额"_s);
            }
        });
        report.measure(u"1000 moves to far rows, lines follow"_s, [&] {
            for (int i = 0; i < 1000; ++i) {
                titles.moveTo((i * 7919) % titles.rowCount());
                readRow(titles, columns);
                for (lines.first(); !lines.atEnd(); lines.next())
                    lines.value(u"金额"_s);
            }
        });
        report.measure(u"sort by 小写金额 DESC"_s, [&] { titles.setSort(u"小写金额 DESC"_s); });
        report.measure(u"sort by 购货单位名称"_s, [&] { titles.setSort(u"购货单位名称"_s); });
        report.measure(u"edit and post one header"_s, [&] {
            titles.edit();
            titles.setValue(u"备注"_s, u"基准测试"_s);
            titles.post();
        });
        report.measure(u"search (like over seven columns)"_s, [&] {
            titles.close();
            titles.setSql(
                {u"select * from title"_s,
                 u"where 发票号码 like :idno or 购货单位名称 like :comp or 购货单位银行 like :hc or 购货单位地址 like :bl or 购货纳税人识别号 like :lp"_s,
                 u" or 收款人 like :dp or 备注 like :mp"_s, u"ORDER BY cid desc"_s});
            for (const char *name : {"idno", "comp", "hc", "bl", "lp", "dp", "mp"})
                titles.setParameter(QString::fromLatin1(name), u"%明远%"_s);
            titles.open();
        });
        out << "  " << titles.rowCount() << " found" << Qt::endl;
        out << "end: peak " << peakMemory() << Qt::endl;
    } catch (const DatabaseError &error) {
        QTextStream(stderr) << error.message() << '\n';
        return 1;
    }
    return 0;
}
