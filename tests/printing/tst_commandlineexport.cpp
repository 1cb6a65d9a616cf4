#include "PdfWords.h"
#include "TestDatabase.h"
#include "print/report/ReportTemplate.h"
#include "print/report/TemplateFile.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QProcess>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

struct Run
{
    int exitCode = -1;
    QString out;
    QString err;
};

bool containsWord(const std::vector<PdfPage> &pages, const QString &text)
{
    for (const PdfPage &page : pages)
        for (const PdfWord &word : page)
            if (word.text == text)
                return true;
    return false;
}

} // namespace

// The program itself, started as a batch job would start it: no window, a file written, an
// exit code that says whether it worked.
class TestCommandLineExport : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void writesTheFile_data();
    void writesTheFile();
    void failures_data();
    void failures();

private:
    Run kelvane(const QStringList &arguments) const;
    QString inDir(const QString &name) const
    {
        return QDir(m_database->programDir()).filePath(name);
    }
    std::unique_ptr<TestDatabase> m_database;
};

void TestCommandLineExport::init()
{
    m_database = std::make_unique<TestDatabase>(QStringList{u"print_invoices.sql"_s});
    for (const QString &name : {u"zzsfp.fr3"_s, u"zzsfpa4.fr3"_s, u"fpqd.fr3"_s, u"zyfpqd.fr3"_s})
        QVERIFY(QFile::copy(QStringLiteral(KELVANE_TEMPLATES "/") + name, inDir(name)));
}

void TestCommandLineExport::cleanup()
{
    m_database.reset();
}

Run TestCommandLineExport::kelvane(const QStringList &arguments) const
{
    QProcess process;
    process.setProgram(QStringLiteral(KELVANE_EXECUTABLE));
    process.setArguments(QStringList{u"export"_s, u"--dir"_s, m_database->programDir()} +
                         arguments);
    process.start();
    Run run;
    if (!process.waitForFinished(120000))
        return run;
    run.exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    run.out = QString::fromUtf8(process.readAllStandardOutput());
    run.err = QString::fromUtf8(process.readAllStandardError());
    return run;
}

void TestCommandLineExport::writesTheFile_data()
{
    QTest::addColumn<QString>("cid");
    QTest::addColumn<QString>("templateFile");
    QTest::addColumn<QString>("target");
    QTest::addColumn<QStringList>("words"); // found in a PDF
    QTest::newRow("A4 invoice to PDF") << u"2"_s << u"zzsfpa4.fr3"_s << u"invoice.pdf"_s
                                       << QStringList{u"20240002"_s, u"远山贸易有限公司"_s,
                                                      u"1234.50"_s, u"1486.50"_s, u"开票人："_s};
    QTest::newRow("overlay invoice to PDF") << u"2"_s << u"zzsfp.fr3"_s << u"overlay.pdf"_s
                                            << QStringList{u"20240002"_s, u"钢管"_s, u"2.01"_s};
    QTest::newRow("sales list to PDF")
        << u"5"_s << u"fpqd.fr3"_s << u"list.pdf"_s
        << QStringList{u"货物60"_s, u"货物01"_s, u"小计"_s, u"合计"_s, u"清单买方有限公司"_s};
    QTest::newRow("overlay invoice to JPEG")
        << u"2"_s << u"zzsfp.fr3"_s << u"invoice.jpg"_s << QStringList();
    QTest::newRow("A4 invoice to PNG")
        << u"2"_s << u"zzsfpa4.fr3"_s << u"invoice.png"_s << QStringList();
    QTest::newRow("overlay list to a spreadsheet")
        << u"5"_s << u"zyfpqd.fr3"_s << u"list.xlsx"_s << QStringList();
}

void TestCommandLineExport::writesTheFile()
{
    QFETCH(QString, cid);
    QFETCH(QString, templateFile);
    QFETCH(QString, target);
    QFETCH(QStringList, words);
    QTemporaryDir out;
    const QString path = out.filePath(target);
    const Run run = kelvane({u"--invoice"_s, cid, u"--template"_s, templateFile, u"--to"_s, path});
    QVERIFY2(run.exitCode == 0, qPrintable(run.err));
    QVERIFY2(run.out.contains(QDir::toNativeSeparators(path)), qPrintable(run.out));
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray head = file.read(4);
    if (target.endsWith(u".pdf"_s)) {
        QCOMPARE(head, QByteArray("%PDF"));
        const std::vector<PdfPage> pages = readPdfWords(path);
        for (const QString &word : words)
            QVERIFY2(containsWord(pages, word), qPrintable(word));
    } else if (target.endsWith(u".xlsx"_s)) {
        QCOMPARE(head, QByteArray("PK\x03\x04"));
    } else {
        // A picture of the whole sheet: the overlay form is 240 x 140 mm, A4 lies across.
        const QImage image(path);
        QVERIFY(!image.isNull());
        const double ratio = double(image.width()) / image.height();
        QVERIFY2(std::abs(ratio - (templateFile == u"zzsfp.fr3"_s ? 240.0 / 140 : 297.0 / 210)) <
                     0.01,
                 qPrintable(QString::number(ratio)));
    }
}

void TestCommandLineExport::failures_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QString>("named"); // what the message must name
    QTest::newRow("unknown invoice") << QStringList{u"--invoice"_s,   u"99"_s,   u"--template"_s,
                                                    u"zzsfpa4.fr3"_s, u"--to"_s, u"x.pdf"_s}
                                     << 1 << u"99"_s;
    QTest::newRow("unknown invoice, sales list")
        << QStringList{u"--invoice"_s, u"99"_s,   u"--template"_s,
                       u"fpqd.fr3"_s,  u"--to"_s, u"x.pdf"_s}
        << 1 << u"99"_s;
    QTest::newRow("unknown template") << QStringList{u"--invoice"_s,  u"2"_s,    u"--template"_s,
                                                     u"nosuch.fr3"_s, u"--to"_s, u"x.pdf"_s}
                                      << 1 << u"nosuch.fr3"_s;
    QTest::newRow("template without an object")
        << QStringList{u"--invoice"_s, u"2"_s, u"--template"_s, u"gap.fr3"_s, u"--to"_s, u"x.pdf"_s}
        << 1 << u"KPR"_s;
    QTest::newRow("unknown output type") << QStringList{u"--invoice"_s, u"2"_s,    u"--template"_s,
                                                        u"zzsfp.fr3"_s, u"--to"_s, u"x.doc"_s}
                                         << 1 << u"x.doc"_s;
    QTest::newRow("no target") << QStringList{u"--invoice"_s, u"2"_s, u"--template"_s,
                                              u"zzsfp.fr3"_s}
                               << 2 << u"--to"_s;
    QTest::newRow("unknown option")
        << QStringList{u"--invoice"_s, u"2"_s, u"--colour"_s} << 2 << u"colour"_s;
}

void TestCommandLineExport::failures()
{
    QFETCH(QStringList, arguments);
    QFETCH(int, exitCode);
    QFETCH(QString, named);
    {
        ReportTemplate gap;
        TemplateFile::load(inDir(u"zzsfp.fr3"_s), gap);
        ReportObject *drawer = gap.findObject(u"KPR"_s);
        drawer->band()->takeObject(drawer);
        TemplateFile::save(gap, inDir(u"gap.fr3"_s));
    }
    QTemporaryDir out;
    QStringList args = arguments;
    const qsizetype to = args.indexOf(u"--to"_s);
    if (to >= 0)
        args[to + 1] = out.filePath(args[to + 1]);
    const Run run = kelvane(args);
    QCOMPARE(run.exitCode, exitCode);
    QVERIFY2(run.err.contains(named), qPrintable(run.err));
    QVERIFY(run.out.isEmpty());
    QVERIFY(QDir(out.path()).isEmpty());
}

QTEST_GUILESS_MAIN(TestCommandLineExport)
#include "tst_commandlineexport.moc"
