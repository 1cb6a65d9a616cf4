#include "app/CommandLineExport.h"

#include "app/TForm1.h"
#include "db/Connection.h"
#include "db/Dataset.h"
#include "entry/ColumnTotals.h"
#include "entry/LineArithmetic.h"
#include "print/PrintError.h"
#include "print/PrintFieldSet.h"
#include "print/report/PagePainter.h"
#include "print/report/Report.h"
#include "print/report/ReportError.h"
#include "print/report/ReportExport.h"
#include "print/report/ReportViewer.h"
#include "print/report/TemplateFile.h"
#include "print/ui/InvoicePrinting.h"
#include "print/ui/SalesListPrinting.h"
#include "widgets/FieldText.h"

#include <QCommandLineParser>
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QTextStream>
#include <optional>

using namespace Qt::StringLiterals;

namespace {

struct Options
{
    QString cid;
    QString templateFile;
    QString target;
    QString dir;
};

QString usage()
{
    return u"用法：kelvane export --invoice <发票 cid> --template <模板文件> --to <输出文件>"
           " [--dir <程序目录>]\n"
           "输出文件的扩展名决定格式：.pdf、.jpg、.png 或 .xlsx。"_s;
}

std::optional<Options> parse(const QStringList &arguments, const QString &defaultDir,
                             QString &error)
{
    QCommandLineParser parser;
    const QCommandLineOption invoice(u"invoice"_s, {}, u"cid"_s);
    const QCommandLineOption templateFile(u"template"_s, {}, u"file"_s);
    const QCommandLineOption target(u"to"_s, {}, u"file"_s);
    const QCommandLineOption dir(u"dir"_s, {}, u"dir"_s, defaultDir);
    parser.addOptions({invoice, templateFile, target, dir});
    if (!parser.parse(QStringList{u"kelvane"_s} + arguments)) {
        error = parser.errorText();
        return std::nullopt;
    }
    if (!parser.positionalArguments().isEmpty()) {
        error = u"多余的参数：%1"_s.arg(parser.positionalArguments().join(u' '));
        return std::nullopt;
    }
    for (const QCommandLineOption &required : {invoice, templateFile, target}) {
        if (parser.value(required).isEmpty()) {
            error = u"缺少 --%1"_s.arg(required.names().constFirst());
            return std::nullopt;
        }
    }
    return Options{parser.value(invoice), parser.value(templateFile), parser.value(target),
                   parser.value(dir)};
}

// The reports of an export open no window.
class NoWindows final : public ReportViewer
{
public:
    void show(Report &) override { throw ReportError(u"导出时不打开预览窗口"_s); }
    void design(Report &) override { throw ReportError(u"导出时不打开设计窗口"_s); }
};

// The stored invoice and everything its printouts read, on a connection of its own.
struct StoredInvoice
{
    StoredInvoice(const QString &dir, const QString &cid)
    {
        cnn.open(Connection::databasePath(dir));
        title.setSql({u"select * from title where cid=:cid"_s});
        title.setParameter(u"cid"_s, cid);
        title.open();
        if (title.isEmpty())
            throw PrintError(u"没有编号为 %1 的发票。"_s.arg(cid));
        lines.setSql({u"select * from detail where cid=:cid"_s});
        lines.setParameter(u"cid"_s, cid);
        lines.open();
        set1qry.setSql({u"select * from fpset1"_s});
        set2qry.setSql({u"select * from fpset2"_s});
        set3qry.setSql({u"select * from fpset3"_s});
        fpdzqry.setSql({u"select * from fpdz"_s});
        fpdzqry.open();
    }

    static QString stored(const Dataset &dataset, const QString &column)
    {
        return FieldText::toText(dataset.value(column));
    }

    // What the window shows for the header: the stored values, but the totals as the lines
    // give them, since the window recomputes them whenever it opens the lines.
    QString shown(const QString &column) const
    {
        const LineArithmetic::HeaderTotals sums =
            LineArithmetic::headerTotals(totals.amount(), totals.tax());
        if (column == u"小写金额")
            return FieldText::toText(QVariant::fromValue(sums.total));
        if (column == u"大写金额")
            return sums.capitals;
        return stored(title, column);
    }

    InvoiceSources sources()
    {
        return {
            {set1qry, set2qry, set3qry, lines, totals},
            [this](const InvoicePrintField &field) { return shown(field.column); },
            [this] { return stored(fpdzqry, u"fpdz"_s); },
            [this] { return title.value(u"是否打印格式"_s).toBool(); },
        };
    }

    // Declared first, so that every dataset is closed before the connection.
    Connection cnn{u"kelvane_export"_s};
    Dataset title{cnn};
    Dataset lines{cnn};
    ColumnTotals totals{lines};
    Dataset set1qry{cnn};
    Dataset set2qry{cnn};
    Dataset set3qry{cnn};
    Dataset fpdzqry{cnn};
    Dataset hqry{cnn};
    Dataset dqry{cnn};
};

// A template with rows flowing down the page is a sales list; the invoice templates are
// one fixed page of named fields. A file that is not there is left to the invoice steps,
// which say so.
bool isSalesList(const QString &path)
{
    if (!QFileInfo::exists(path))
        return false;
    ReportTemplate definition;
    TemplateFile::load(path, definition);
    return definition.firstBand(BandType::Data) != nullptr;
}

QStringList writePngs(const LaidOutReport &pages, const QString &target)
{
    const QStringList names = ReportExport::jpegFileNames(target, int(pages.pages.size()));
    for (int p = 0; p < names.size(); ++p) {
        if (!PagePainter::render(pages.pages[size_t(p)], 200).save(names.at(p), "PNG"))
            throw ReportError(u"无法写入图片文件“%1”"_s.arg(QDir::toNativeSeparators(names.at(p))));
    }
    return names;
}

enum class Output
{
    Pdf,
    Jpeg,
    Png,
    Xlsx
};

// Known before the store is opened, so that a mistyped name costs nothing.
Output outputOf(const QString &target)
{
    const QString type = QFileInfo(target).suffix().toLower();
    if (type == u"pdf")
        return Output::Pdf;
    if (type == u"jpg" || type == u"jpeg")
        return Output::Jpeg;
    if (type == u"png")
        return Output::Png;
    if (type == u"xlsx")
        return Output::Xlsx;
    throw PrintError(u"不支持的输出格式“%1”：可用 .pdf、.jpg、.png、.xlsx"_s.arg(target));
}

// The files written: one, or one picture per page.
QStringList write(const LaidOutReport &pages, const QString &target, Output output)
{
    switch (output) {
    case Output::Pdf:
        ReportExport::toPdf(pages, target, PdfOptions{false, QFileInfo(target).completeBaseName()});
        return {target};
    case Output::Jpeg:
        ReportExport::toJpeg(pages, target);
        return ReportExport::jpegFileNames(target, int(pages.pages.size()));
    case Output::Png:
        return writePngs(pages, target);
    case Output::Xlsx:
        ReportExport::toXlsx(pages, target);
        return {target};
    }
    return {};
}

QStringList exportInvoice(const Options &options)
{
    const Output output = outputOf(options.target);
    StoredInvoice invoice(options.dir, options.cid);
    NoWindows noWindows;
    Report report(noWindows);
    const QString path = QDir(options.dir).filePath(options.templateFile);
    if (isSalesList(path)) {
        SalesListPrinting(report, invoice.hqry, invoice.dqry, options.dir)
            .fill(options.templateFile, options.cid);
    } else {
        PrintFieldSet fields;
        InvoicePrinting(report, fields, invoice.sources(), options.dir)
            .fill(options.templateFile, true);
    }
    return write(report.prepare(), options.target, output);
}

} // namespace

namespace CommandLineExport {

bool isRequested(int argc, char *argv[])
{
    return argc > 1 && qstrcmp(argv[1], "export") == 0;
}

int main(int argc, char *argv[])
{
    // An export opens no window, so it runs where there is no screen, as batch jobs do.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    QGuiApplication::setApplicationName(TForm1::applicationTitle());
    QTextStream out(stdout);
    QTextStream err(stderr);
    return run(app.arguments().mid(2), QGuiApplication::applicationDirPath(), out, err);
}

int run(const QStringList &arguments, const QString &defaultDir, QTextStream &out, QTextStream &err)
{
    QString error;
    const std::optional<Options> options = parse(arguments, defaultDir, error);
    if (!options) {
        err << "kelvane export: " << error << '\n' << usage() << Qt::endl;
        return UsageError;
    }
    try {
        for (const QString &file : exportInvoice(*options))
            out << QDir::toNativeSeparators(QFileInfo(file).absoluteFilePath()) << '\n';
        out.flush();
        return Success;
    } catch (const std::exception &e) {
        // The program's errors carry their message as UTF-8.
        error = QString::fromUtf8(e.what());
    }
    err << "kelvane export: " << error << Qt::endl;
    return Failed;
}

} // namespace CommandLineExport
