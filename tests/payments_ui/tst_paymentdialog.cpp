#include "RunningProgram.h"
#include "db/Dataset.h"
#include "payments/ui/TForm2.h"
#include "print/report/Report.h"
#include "print/report/ReportExport.h"
#include "print/report/ReportRows.h"
#include "print/report/ReportViewer.h"
#include "print/ui/CalibrationSettings.h"
#include "print/ui/PrintingDialogs.h"
#include "print/ui/PrintingViewer.h"
#include "widgets/DatePicker.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QFile>
#include <QLineEdit>
#include <QProcess>
#include <QPushButton>
#include <QRegularExpression>
#include <QSettings>
#include <QSqlQuery>
#include <QTest>
#include <QTimer>

using namespace Qt::StringLiterals;

namespace {

// What one preview was given, copied while it was open: the rows under 细表, the two
// variables, the template and the laid-out pages.
struct Shown
{
    QString templatePath;
    QString fd;
    QString td;
    QList<qlonglong> cids;
    QStringList hcoms; // a null hcom as "<null>"
    LaidOutReport pages;
};

class FakeViewer final : public ReportViewer
{
public:
    void show(Report &report) override
    {
        Shown shown{
            report.templatePath(), report.variable(u"fd"_s), report.variable(u"td"_s), {}, {},
            report.pages()};
        if (const ReportRows *rows = report.dataset(u"细表"_s)) {
            const int cid = rows->fieldIndex(u"cid"_s);
            const int hcom = rows->fieldIndex(u"hcom"_s);
            for (int row = 0; row < rows->rowCount(); ++row) {
                shown.cids << rows->value(row, cid).toLongLong();
                const QVariant value = rows->value(row, hcom);
                shown.hcoms << (value.isNull() ? u"<null>"_s : value.toString());
            }
        }
        previews << shown;
    }
    void design(Report &) override { ++designs; }

    QList<Shown> previews;
    int designs = 0;
};

// The program on the payment fixture, with the shipped templates beside it and the
// dialog open.
struct PaymentProgram
{
    explicit PaymentProgram(const QString &extraSql = {}) : program({u"pay_invoices.sql"_s})
    {
        if (!extraSql.isEmpty())
            program.database.execScript(extraSql);
        for (const QString &name : {u"sk.prt"_s, u"wsk.prt"_s})
            QFile::copy(QStringLiteral(KELVANE_TEMPLATES "/") + name, beside(name));
        program.start();
        dialog().setReportViewer(&viewer);
    }

    TForm2 &dialog() const { return program.windows->form2(); }
    QString beside(const QString &name) const
    {
        return program.database.programDir() + u'/' + name;
    }

    bool open()
    {
        if (!showActive(dialog()))
            return false;
        // The activation reaches the dialog after the window system reports it active.
        return QTest::qWaitFor([this] { return dialog().skc->isOpen(); });
    }

    void chooseBuyer(const QString &name)
    {
        const int index = dialog().fkdw->findText(name);
        QVERIFY2(index >= 0, qPrintable(name));
        dialog().fkdw->setCurrentIndex(index);
    }

    QStringList tables() { return program.database.connection().tableNames(); }
    // A work table's rows in a fixed order, for comparing before and after.
    QStringList workRows(const QString &table)
    {
        QSqlQuery query(program.database.connection().database());
        if (!query.exec(u"select cid, hcom, tje from %1 order by cid"_s.arg(table)))
            qFatal("cannot read %s", qPrintable(table));
        QStringList rows;
        while (query.next()) {
            rows << u"%1|%2|%3"_s.arg(query.value(0).toString(), query.value(1).toString(),
                                      query.value(2).toString());
        }
        return rows;
    }

    RunningProgram program;
    FakeViewer viewer;
};

enum class Printout
{
    Summary,
    Unpaid
};

QPushButton *buttonOf(TForm2 &dialog, Printout printout)
{
    return printout == Printout::Summary ? dialog.Button1 : dialog.Button3;
}

QString workTableOf(Printout printout)
{
    return printout == Printout::Summary ? u"qry1"_s : u"qry3"_s;
}

// A date as the boxes hold it.
QString boxText(int year, int month, int day)
{
    return QLocale::system().toString(QDate(year, month, day), QLocale::ShortFormat);
}

void pick(DatePicker *picker, QDate date)
{
    // As the calendar does: a change of the date that the program did not make.
    picker->setDate(date);
}

class NoPrinting final : public PrintingDialogs
{
public:
    bool choosePrinter(QPrinter &, QWidget *) override { return false; }
    std::optional<QPointF> editOffset(const QString &, QPointF, QWidget *) override
    {
        return std::nullopt;
    }
};

std::vector<const TextItem *> textsNamed(const LaidOutReport &report, const QString &name)
{
    std::vector<const TextItem *> found;
    for (const LaidOutPage &page : report.pages) {
        for (const PlacedBand &band : page.bands) {
            for (const TextItem &text : band.texts) {
                if (text.objectName == name)
                    found.push_back(&text);
            }
        }
    }
    return found;
}

QString pdfText(const QString &path)
{
    QProcess process;
    process.start(u"pdftotext"_s, {u"-layout"_s, path, u"-"_s});
    if (!process.waitForFinished(30000) || process.exitCode() != 0)
        return u"<pdftotext failed: %1>"_s.arg(QString::fromUtf8(process.readAllStandardError()));
    return QString::fromUtf8(process.readAllStandardOutput());
}

} // namespace

Q_DECLARE_METATYPE(Printout)

class TestPaymentDialog : public QObject
{
    Q_OBJECT
private slots:
    void firstOpening();
    void choicesLastAcrossOpenings();
    void openedFromThePrintMenu();
    void printouts_data();
    void printouts();
    void pickedBoundsIncluded_data();
    void pickedBoundsIncluded();
    void noMatch();
    void rowsInTextOrder();
    void leftoverTablesDropped();
    void badDateChangesNothing_data();
    void badDateChangesNothing();
    void templateProblems_data();
    void templateProblems();
    void shownInThePreview();
    void exportedToPdf_data();
    void exportedToPdf();
};

void TestPaymentDialog::firstOpening()
{
    PaymentProgram p;
    TForm2 &dialog = p.dialog();
    QCOMPARE(dialog.windowTitle(), u"收款情况打印"_s);
    QCOMPARE(dialog.size(), QSize(365, 239));
    QCOMPARE(dialog.font().family(), u"Verdana"_s);
    QCOMPARE(dialog.font().pointSize(), 10);
    QCOMPARE(dialog.Button1->text(), u"&P 发票汇总打印"_s);
    QCOMPARE(dialog.Button3->text(), u"&W未收款发票打印"_s);
    QCOMPARE(dialog.Button2->text(), u"&X 关闭"_s);
    QVERIFY(!dialog.skc->isOpen());

    QVERIFY(p.open());
    QStringList buyers;
    for (int row = 0; row < dialog.fkdw->count(); ++row)
        buyers << dialog.fkdw->itemText(row);
    buyers.sort();
    // The invoice without a buyer gives an empty entry, which chooses no buyer.
    QCOMPARE(buyers, (QStringList{QString(), u"丙"_s, u"乙"_s, u"甲"_s}));
    QCOMPARE(dialog.fkdw->currentText(), QString());
    QVERIFY(dialog.fkdw->view()->minimumWidth() >= 200);
    QCOMPARE(dialog.fd->date(), QDate::currentDate().addDays(-30));
    QCOMPARE(dialog.td->date(), QDate::currentDate());
    QCOMPARE(dialog.fedit->text(), QString());
    QCOMPARE(dialog.tedit->text(), QString());

    // Right away, nothing limits the summary by date.
    QTest::mouseClick(dialog.Button1, Qt::LeftButton);
    QCOMPARE(p.program.prompt.shown().size(), 0);
    QCOMPARE(p.viewer.previews.size(), 1);
    QCOMPARE(p.viewer.previews[0].cids.size(), 6);
}

void TestPaymentDialog::choicesLastAcrossOpenings()
{
    PaymentProgram p;
    TForm2 &dialog = p.dialog();
    QVERIFY(p.open());
    p.chooseBuyer(u"甲"_s);
    dialog.fedit->setText(boxText(2024, 3, 1));
    pick(dialog.td, QDate(2024, 3, 31));
    const QString upper = dialog.tedit->text();

    QTest::mouseClick(dialog.Button2, Qt::LeftButton);
    QVERIFY(!dialog.isVisible());
    // A buyer that appears after the first opening is not offered until the next start.
    p.program.database.execScript(
        u"insert into title (cid, 发票号码, 开票日期, 购货单位名称, 小写金额) values (9, 5, '2024-03-05', '丁', 1);"_s);

    QVERIFY(p.open());
    QCOMPARE(dialog.fkdw->currentText(), u"甲"_s);
    // The pickers start again from the last thirty days; the boxes keep their dates.
    QTRY_COMPARE(dialog.td->date(), QDate::currentDate());
    QCOMPARE(dialog.fedit->text(), boxText(2024, 3, 1));
    QCOMPARE(dialog.tedit->text(), upper);
    QCOMPARE(dialog.fkdw->findText(u"丁"_s), -1);

    QTest::mouseClick(dialog.Button1, Qt::LeftButton);
    QCOMPARE(p.viewer.previews.size(), 1);
    QCOMPARE(p.viewer.previews[0].cids, (QList<qlonglong>{3, 1}));
}

void TestPaymentDialog::openedFromThePrintMenu()
{
    PaymentProgram p;
    TForm1 &main = p.program.form();
    bool wasModal = false;
    QTimer::singleShot(0, &p.dialog(), [&] {
        wasModal = p.dialog().isVisible() && QApplication::activeModalWidget() == &p.dialog();
        QTest::keyClick(p.dialog().Button2, Qt::Key_Space);
    });
    main.N4->trigger();
    QVERIFY(wasModal);
    QVERIFY(!p.dialog().isVisible());
    QVERIFY(p.program.prompt.errors().isEmpty());
}

void TestPaymentDialog::printouts_data()
{
    QTest::addColumn<Printout>("printout");
    QTest::addColumn<QString>("from");
    QTest::addColumn<QString>("to");
    QTest::addColumn<QString>("buyer");
    QTest::addColumn<QList<qlonglong>>("expected"); // in report order

    QTest::newRow("summary, everything") << Printout::Summary << QString() << QString() << QString()
                                         << QList<qlonglong>{6, 3, 1, 4, 5, 2};
    QTest::newRow("unpaid, everything")
        << Printout::Unpaid << QString() << QString() << QString() << QList<qlonglong>{6, 3, 1, 4};
    QTest::newRow("only the lower bound") << Printout::Summary << boxText(2024, 3, 1) << QString()
                                          << QString() << QList<qlonglong>{6, 3, 1, 4, 5, 2};
    QTest::newRow("a buyer") << Printout::Summary << QString() << QString() << u"甲"_s
                             << QList<qlonglong>{3, 1};
    QTest::newRow("unpaid of a buyer within bounds")
        << Printout::Unpaid << boxText(2024, 3, 2) << boxText(2024, 3, 31) << u"甲"_s
        << QList<qlonglong>{3};
}

void TestPaymentDialog::printouts()
{
    QFETCH(Printout, printout);
    QFETCH(QString, from);
    QFETCH(QString, to);
    QFETCH(QString, buyer);
    QFETCH(QList<qlonglong>, expected);

    PaymentProgram p;
    TForm2 &dialog = p.dialog();
    QVERIFY(p.open());
    dialog.fedit->setText(from);
    dialog.tedit->setText(to);
    if (!buyer.isEmpty())
        p.chooseBuyer(buyer);
    QTest::mouseClick(buttonOf(dialog, printout), Qt::LeftButton);

    QCOMPARE(p.program.prompt.shown().size(), 0);
    QCOMPARE(p.viewer.previews.size(), 1);
    const Shown &shown = p.viewer.previews[0];
    QCOMPARE(shown.cids, expected);
    QCOMPARE(shown.fd, from);
    QCOMPARE(shown.td, to);
    const QString file = printout == Printout::Summary ? u"sk.prt"_s : u"wsk.prt"_s;
    QCOMPARE(shown.templatePath, p.beside(file));
    // The rows reached the pages of the template, in the same order.
    const auto lines = textsNamed(shown.pages, u"com"_s);
    QCOMPARE(int(lines.size()), expected.size());
    for (int row = 0; row < expected.size(); ++row) {
        const QString hcom = shown.hcoms[row] == u"<null>"_s ? QString() : shown.hcoms[row];
        QCOMPARE(lines[size_t(row)]->text.trimmed(), hcom.trimmed());
    }
    QCOMPARE(p.workRows(workTableOf(printout)).size(), expected.size());
}

void TestPaymentDialog::pickedBoundsIncluded_data()
{
    QTest::addColumn<Printout>("printout");
    QTest::addColumn<QList<qlonglong>>("expected");
    QTest::newRow("summary") << Printout::Summary << QList<qlonglong>{6, 3, 1, 2};
    QTest::newRow("unpaid") << Printout::Unpaid << QList<qlonglong>{6, 3, 1};
}

void TestPaymentDialog::pickedBoundsIncluded()
{
    QFETCH(Printout, printout);
    QFETCH(QList<qlonglong>, expected);

    PaymentProgram p;
    TForm2 &dialog = p.dialog();
    QVERIFY(p.open());
    pick(dialog.fd, QDate(2024, 3, 1));
    pick(dialog.td, QDate(2024, 3, 31));
    const QLocale system = QLocale::system();
    QCOMPARE(dialog.fedit->text(), system.toString(QDate(2024, 3, 1), QLocale::ShortFormat));
    QCOMPARE(dialog.tedit->text(), system.toString(QDate(2024, 3, 31), QLocale::ShortFormat));

    QTest::mouseClick(buttonOf(dialog, printout), Qt::LeftButton);
    QVERIFY2(p.program.prompt.shown().isEmpty(), qPrintable(p.program.prompt.texts().join(u'\n')));
    QCOMPARE(p.viewer.previews.size(), 1);
    // Invoices 1 and 3 are dated on the bounds.
    QCOMPARE(p.viewer.previews[0].cids, expected);
    QCOMPARE(p.viewer.previews[0].fd, dialog.fedit->text());
    QCOMPARE(p.viewer.previews[0].td, dialog.tedit->text());
}

void TestPaymentDialog::noMatch()
{
    PaymentProgram p;
    TForm2 &dialog = p.dialog();
    QVERIFY(p.open());
    QTest::mouseClick(dialog.Button1, Qt::LeftButton); // leaves rows in qry1
    p.chooseBuyer(u"乙"_s);
    QTest::mouseClick(dialog.Button3, Qt::LeftButton); // 乙 has paid everything
    dialog.fedit->setText(boxText(2020, 1, 1));
    dialog.tedit->setText(boxText(2020, 12, 31));
    QTest::mouseClick(dialog.Button1, Qt::LeftButton);

    QCOMPARE(p.viewer.previews.size(), 1);
    const QList<FakePrompt::Shown> &shown = p.program.prompt.shown();
    QCOMPARE(shown.size(), 2);
    for (const FakePrompt::Shown &notice : shown) {
        QCOMPARE(notice.kind, FakePrompt::Shown::Notice);
        QCOMPARE(notice.caption, u"信息"_s);
        QCOMPARE(notice.text, u"没有记录"_s);
    }
    QCOMPARE(p.workRows(u"qry1"_s), QStringList());
    QCOMPARE(p.workRows(u"qry3"_s), QStringList());
    QVERIFY(dialog.isVisible());
}

void TestPaymentDialog::rowsInTextOrder()
{
    PaymentProgram p;
    QVERIFY(p.open());
    p.chooseBuyer(u"甲"_s);
    QTest::mouseClick(p.dialog().Button1, Qt::LeftButton);
    QCOMPARE(p.viewer.previews.size(), 1);
    // By the number's text: 1000 before 123.
    QCOMPARE(p.viewer.previews[0].hcoms, (QStringList{u" 1000  甲"_s, u" 123  甲"_s}));

    p.chooseBuyer(u"乙"_s);
    QTest::mouseClick(p.dialog().Button1, Qt::LeftButton);
    QCOMPARE(p.viewer.previews.size(), 2);
    QCOMPARE(p.viewer.previews[1].hcoms, (QStringList{u" 777  乙"_s, u" 999  乙"_s}));
    p.program.database.execScript(
        u"insert into title (cid, 发票号码, 购货单位名称, 小写金额) values (8, 1000, '乙', 1);"_s);
    QTest::mouseClick(p.dialog().Button1, Qt::LeftButton);
    QCOMPARE(p.viewer.previews[2].hcoms,
             (QStringList{u" 1000  乙"_s, u" 777  乙"_s, u" 999  乙"_s}));
}

void TestPaymentDialog::leftoverTablesDropped()
{
    PaymentProgram p(u"create table qry2 (x INTEGER);\ncreate table QRY4 (x INTEGER);\n"_s);
    QVERIFY(p.open());
    QTest::mouseClick(p.dialog().Button1, Qt::LeftButton);
    QVERIFY(!p.tables().contains(u"qry2"_s, Qt::CaseInsensitive));
    QVERIFY(p.tables().contains(u"qry4"_s, Qt::CaseInsensitive));
    QTest::mouseClick(p.dialog().Button3, Qt::LeftButton);
    QVERIFY(!p.tables().contains(u"qry4"_s, Qt::CaseInsensitive));
    QTest::mouseClick(p.dialog().Button1, Qt::LeftButton);
    QCOMPARE(p.viewer.previews.size(), 3);
    QVERIFY(p.program.prompt.shown().isEmpty());
}

void TestPaymentDialog::badDateChangesNothing_data()
{
    QTest::addColumn<Printout>("printout");
    QTest::addColumn<QString>("from");
    QTest::addColumn<QString>("to");
    QTest::addColumn<QString>("named"); // the box and the text the message names

    QTest::newRow("summary, lower bound")
        << Printout::Summary << u"3月1日"_s << boxText(2024, 3, 31) << u"开票日期 从：“3月1日”"_s;
    QTest::newRow("unpaid, upper bound")
        << Printout::Unpaid << boxText(2024, 3, 1) << u"2024/02/30"_s << u"到：“2024/02/30”"_s;
}

void TestPaymentDialog::badDateChangesNothing()
{
    QFETCH(Printout, printout);
    QFETCH(QString, from);
    QFETCH(QString, to);
    QFETCH(QString, named);

    PaymentProgram p;
    TForm2 &dialog = p.dialog();
    QVERIFY(p.open());
    QTest::mouseClick(dialog.Button1, Qt::LeftButton);
    QTest::mouseClick(dialog.Button3, Qt::LeftButton);
    p.program.database.execScript(
        u"create table qry2 (x INTEGER);\ncreate table qry4 (x INTEGER);\n"_s);
    const QStringList tablesBefore = p.tables();
    const QStringList summaryBefore = p.workRows(u"qry1"_s);
    const QStringList unpaidBefore = p.workRows(u"qry3"_s);
    QVERIFY(!summaryBefore.isEmpty() && !unpaidBefore.isEmpty());

    dialog.fedit->setText(from);
    dialog.tedit->setText(to);
    QTest::mouseClick(buttonOf(dialog, printout), Qt::LeftButton);

    const QStringList errors = p.program.prompt.errors();
    QCOMPARE(errors.size(), 1);
    QVERIFY2(errors[0].contains(named), qPrintable(errors[0]));
    QCOMPARE(p.viewer.previews.size(), 2);
    QCOMPARE(p.tables(), tablesBefore);
    QCOMPARE(p.workRows(u"qry1"_s), summaryBefore);
    QCOMPARE(p.workRows(u"qry3"_s), unpaidBefore);
}

void TestPaymentDialog::templateProblems_data()
{
    QTest::addColumn<Printout>("printout");
    QTest::addColumn<QByteArray>("content"); // empty: no file at all
    QTest::newRow("summary template missing") << Printout::Summary << QByteArray();
    QTest::newRow("unpaid template missing") << Printout::Unpaid << QByteArray();
    QTest::newRow("summary template not a template") << Printout::Summary << QByteArray("<report");
}

void TestPaymentDialog::templateProblems()
{
    QFETCH(Printout, printout);
    QFETCH(QByteArray, content);

    PaymentProgram p;
    const QString file = printout == Printout::Summary ? u"sk.prt"_s : u"wsk.prt"_s;
    QFile::remove(p.beside(file));
    if (!content.isEmpty()) {
        QFile broken(p.beside(file));
        QVERIFY(broken.open(QIODevice::WriteOnly));
        broken.write(content);
    }
    QVERIFY(p.open());
    QTest::mouseClick(buttonOf(p.dialog(), printout), Qt::LeftButton);

    const QStringList errors = p.program.prompt.errors();
    QCOMPARE(errors.size(), 1);
    QVERIFY2(errors[0].contains(QDir::toNativeSeparators(p.beside(file))), qPrintable(errors[0]));
    QCOMPARE(p.viewer.previews.size(), 0);
    // The work table was filled before the template was looked for.
    QVERIFY(!p.workRows(workTableOf(printout)).isEmpty());
}

void TestPaymentDialog::shownInThePreview()
{
    PaymentProgram p;
    QSettings settings(p.beside(u"kelvane.ini"_s), QSettings::IniFormat);
    CalibrationSettings calibration(settings);
    NoPrinting printing;
    PrintingViewer viewer({p.program.prompt, p.program.fileDialogs, printing, calibration}, {},
                          &p.program.form());
    p.dialog().setReportViewer(&viewer);
    QVERIFY(p.open());

    int pages = -1;
    bool inked = false;
    QTimer::singleShot(0, &p.dialog(), [&] {
        auto *preview = qobject_cast<ReportPreview *>(QApplication::activeModalWidget());
        if (!preview)
            return;
        pages = preview->pageCount();
        const QImage image = preview->shownImage();
        QImage blank(image.size(), image.format());
        blank.fill(Qt::white);
        inked = !image.isNull() && image != blank;
        preview->reject();
    });
    QTest::mouseClick(p.dialog().Button3, Qt::LeftButton);
    QVERIFY2(p.program.prompt.shown().isEmpty(), qPrintable(p.program.prompt.texts().join(u'\n')));
    QCOMPARE(pages, 1);
    QVERIFY(inked);
}

void TestPaymentDialog::exportedToPdf_data()
{
    QTest::addColumn<Printout>("printout");
    QTest::addColumn<QString>("title");
    QTest::addColumn<QStringList>("rows"); // in order: number and buyer, amount
    QTest::addColumn<QString>("total");
    QTest::newRow("summary") << Printout::Summary << u"发票汇总表"_s
                             << QStringList{u"1000 甲"_s,      u"2,000.50"_s, u"123 甲"_s,
                                            u"1,234,567.89"_s, u"500 丙"_s,   u"58.00"_s,
                                            u"777 乙"_s,       u"100.00"_s,   u"999 乙"_s,
                                            u"500.00"_s}
                             << u"1,237,236.39"_s;
    QTest::newRow("unpaid") << Printout::Unpaid << u"未收款发票清单"_s
                            << QStringList{u"1000 甲"_s,      u"2,000.50"_s, u"123 甲"_s,
                                           u"1,234,567.89"_s, u"500 丙"_s,   u"58.00"_s}
                            << u"1,236,636.39"_s;
}

void TestPaymentDialog::exportedToPdf()
{
    QFETCH(Printout, printout);
    QFETCH(QString, title);
    QFETCH(QStringList, rows);
    QFETCH(QString, total);

    PaymentProgram p;
    TForm2 &dialog = p.dialog();
    QVERIFY(p.open());
    pick(dialog.fd, QDate(2024, 2, 1));
    dialog.tedit->setText(boxText(2024, 4, 30));
    QTest::mouseClick(buttonOf(dialog, printout), Qt::LeftButton);
    QCOMPARE(p.viewer.previews.size(), 1);

    const QString pdf = p.beside(u"report.pdf"_s);
    QCOMPARE(ReportExport::toPdf(p.viewer.previews[0].pages, pdf), ExportResult::Done);
    // pdftotext keeps the blanks between words only roughly: compare without any.
    const auto squeezed = [](QString text) { return text.remove(QRegularExpression(u"\\s"_s)); };
    const QString text = squeezed(pdfText(pdf));
    QVERIFY2(text.contains(title), qPrintable(text));
    QVERIFY2(text.contains(
                 squeezed(u"开票日期：%1 至 %2"_s.arg(dialog.fedit->text(), boxText(2024, 4, 30)))),
             qPrintable(text));
    QVERIFY2(text.contains(u"第1页共1页"_s), qPrintable(text));
    qsizetype at = 0;
    for (const QString &expected : rows) {
        const qsizetype found = text.indexOf(squeezed(expected), at);
        QVERIFY2(found >= 0, qPrintable(u"“%1” not found in order in: %2"_s.arg(expected, text)));
        at = found + squeezed(expected).size();
    }
    QVERIFY2(text.indexOf(u"合计"_s + total, at) >= 0, qPrintable(text));
}

QTEST_MAIN(TestPaymentDialog)
#include "tst_paymentdialog.moc"
