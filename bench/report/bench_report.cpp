// A sales list of many lines, laid out with page subtotals and exported to PDF (and, on
// request, Excel), timed step by step. Run by hand:
//   QT_QPA_PLATFORM=offscreen build/bench/kelvane_bench_report [rows] [--png dir] [--keep dir]
#include "entry/Money.h"
#include "print/report/PagePainter.h"
#include "print/report/ReportExport.h"
#include "print/report/ReportLayout.h"
#include "print/report/ReportRows.h"
#include "print/report/ReportTemplate.h"
#include "print/report/TemplateFile.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QGuiApplication>
#include <QTemporaryDir>
#include <QTextStream>

namespace {

const QStringList goods = {QStringLiteral("办公用纸"), QStringLiteral("碳素墨水"),
                           QStringLiteral("不锈钢螺栓 M8×30"), QStringLiteral("技术咨询服务"),
                           QStringLiteral("包装纸箱")};

std::shared_ptr<MemoryRows> lines(int count)
{
    auto rows = std::make_shared<MemoryRows>(
        QStringList{QStringLiteral("货物应税名称"), QStringLiteral("规格型号"),
                    QStringLiteral("单位"), QStringLiteral("数量"), QStringLiteral("单价"),
                    QStringLiteral("金额"), QStringLiteral("税率"), QStringLiteral("税额")});
    for (int i = 0; i < count; ++i) {
        const double quantity = 1 + i % 17;
        const double price = 12.5 + (i % 23) * 3.75;
        const Money amount = Money::fromDouble(quantity * price);
        const Money tax = Money::fromDouble(amount.toDouble() * 0.13);
        rows->addRow({goods[i % goods.size()], QStringLiteral("型号%1").arg(i % 9),
                      QStringLiteral("个"), quantity, price, QVariant::fromValue(amount), 13.0,
                      QVariant::fromValue(tax)});
    }
    return rows;
}

std::shared_ptr<MemoryRows> header()
{
    auto row = std::make_shared<MemoryRows>(QStringList{
        QStringLiteral("购货单位名称"), QStringLiteral("销货单位名称"), QStringLiteral("发票号码"),
        QStringLiteral("中文日期"), QStringLiteral("oth2"), QStringLiteral("oth3")});
    row->addRow({QStringLiteral("杭州明远机械有限公司"), QStringLiteral("宁波海达贸易有限公司"),
                 qlonglong(12345678), QStringLiteral("二〇二六年十二月十一日"), QString(),
                 QString()});
    return row;
}

} // namespace

int main(int argc, char **argv)
{
    QGuiApplication app(argc, argv);
    QStringList args = app.arguments().mid(1);
    auto option = [&args](const QString &name) {
        const qsizetype at = args.indexOf(name);
        if (at < 0 || at + 1 >= args.size())
            return QString();
        const QString value = args[at + 1];
        args.remove(at, 2);
        return value;
    };
    const QString pngDir = option(QStringLiteral("--png"));
    const QString keepDir = option(QStringLiteral("--keep"));
    const int rowCount = args.isEmpty() ? 2000 : args[0].toInt();
    QTextStream out(stdout);

    ReportTemplate report;
    TemplateFile::load(QStringLiteral(KELVANE_BENCH_TEMPLATE), report);
    ReportInputs inputs;
    inputs.datasets.insert(QStringLiteral("hdbst"), header());
    inputs.datasets.insert(QStringLiteral("ddbst"), lines(rowCount));

    QTemporaryDir temp;
    const QDir dir(keepDir.isEmpty() ? temp.path() : keepDir);
    QElapsedTimer timer;
    timer.start();
    const LaidOutReport laid = layOut(report, inputs);
    const qint64 layoutMs = timer.restart();
    ReportExport::toPdf(laid, dir.filePath(QStringLiteral("sales_list.pdf")));
    const qint64 pdfMs = timer.restart();
    ReportExport::toXlsx(laid, dir.filePath(QStringLiteral("sales_list.xlsx")));
    const qint64 xlsxMs = timer.restart();
    for (const LaidOutPage &page : laid.pages)
        PagePainter::render(page, 96);
    const qint64 imageMs = timer.restart();

    out << rowCount << " rows, " << laid.pages.size() << " pages\n"
        << "layout:        " << layoutMs << " ms\n"
        << "PDF export:    " << pdfMs << " ms ("
        << QFileInfo(dir.filePath(QStringLiteral("sales_list.pdf"))).size() / 1024 << " KiB)\n"
        << "layout + PDF:  " << layoutMs + pdfMs << " ms\n"
        << "Excel export:  " << xlsxMs << " ms\n"
        << "images, 96 dpi:" << imageMs << " ms\n";
    if (!pngDir.isEmpty() && !laid.pages.empty()) {
        PagePainter::render(laid.pages.front(), 150)
            .save(QDir(pngDir).filePath(QStringLiteral("first.png")));
        PagePainter::render(laid.pages.back(), 150)
            .save(QDir(pngDir).filePath(QStringLiteral("last.png")));
    }
    return 0;
}
