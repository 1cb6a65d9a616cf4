#include "PdfWords.h"
#include "PrintingProgram.h"
#include "print/InvoicePrintFields.h"
#include "print/report/ReportExport.h"
#include "widgets/DbCheckBox.h"
#include "widgets/DbEdit.h"
#include "widgets/DbPlainEdit.h"

#include <QAction>
#include <QImage>
#include <QMenu>
#include <QTemporaryDir>
#include <QToolButton>

using namespace Qt::StringLiterals;

namespace {

// A small picture of one colour, as a scan of the form stands in for in these tests.
QByteArray writePicture(const QString &path, Qt::GlobalColor colour)
{
    QImage image(8, 5, QImage::Format_RGB32);
    image.fill(colour);
    image.save(path, "PNG");
    QFile file(path);
    file.open(QIODevice::ReadOnly);
    return file.readAll();
}

// The values an invoice template receives for every line object of the fixture's
// three-line invoice; lines 4 to 7 are empty.
QHash<QString, QString> threeLineValues()
{
    QHash<QString, QString> values{
        {u"H1"_s, u"钢管"_s},  {u"G1"_s, QString()},     {u"DW1"_s, u"米"_s},
        {u"SL1"_s, u"3"_s},    {u"DJ1"_s, u"12.3456"_s}, {u"JE1"_s, u"1234.50"_s},
        {u"S1"_s, u"17%"_s},   {u"SE1"_s, u"2.01"_s},    {u"H2"_s, u"阀门"_s},
        {u"G2"_s, QString()},  {u"DW2"_s, u"个"_s},      {u"SL2"_s, u"2.5"_s},
        {u"DJ2"_s, u"100"_s},  {u"JE2"_s, u"250.00"_s},  {u"S2"_s, QString()},
        {u"SE2"_s, u"0.00"_s}, {u"H3"_s, u"法兰"_s},     {u"G3"_s, u"PN16"_s},
        {u"DW3"_s, u"片"_s},   {u"SL3"_s, u"0"_s},       {u"DJ3"_s, u"0"_s},
        {u"JE3"_s, u"0.00"_s}, {u"S3"_s, u"6.5%"_s},     {u"SE3"_s, u"0.00"_s},
    };
    for (const InvoicePrintField &field : InvoicePrintFields::all()) {
        if (field.source == InvoicePrintField::Source::Slot && !values.contains(field.object))
            values.insert(field.object, QString());
    }
    values[u"JEHJ"_s] = u"1484.50"_s;
    values[u"SEHJ"_s] = u"2.01"_s;
    return values;
}

} // namespace

class TestInvoicePrinting : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void commandsOpenTheirTemplate_data();
    void commandsOpenTheirTemplate();
    void everyFieldOfAThreeLineInvoice();
    void lineFields_data();
    void lineFields();
    void shorterInvoiceAfterLongerLeavesNothingBehind();
    void eightLinesPrintSeven();
    void totalInFigures_data();
    void totalInFigures();
    void typedChangeIsPrinted();
    void sellerNameOnTwoLines();
    void namesMatchRegardlessOfCase();

    void background_data();
    void background();
    void a4DesignShowsTheStoredBackground();
    void unreadableBackgroundStopsTheCommand();
    void storeErrorStopsBeforeTheTemplateLoads();
    void missingTemplateIsNamed();
    void missingObjectsAreNamedBeforeAnythingIsWritten();
    void missingPictureMattersOnlyWhereTheBackgroundIsSet();

    void choosingAPicture_data();
    void choosingAPicture();
    void cancellingThePictureDialogChangesNothing();

    void overlayValuesPrintWhereTheTemplatePutsThem();

private:
    std::unique_ptr<PrintingProgram> m_printing;
};

void TestInvoicePrinting::init()
{
    m_printing = std::make_unique<PrintingProgram>();
}

void TestInvoicePrinting::cleanup()
{
    m_printing.reset();
}

void TestInvoicePrinting::commandsOpenTheirTemplate_data()
{
    QTest::addColumn<QString>("command");
    QTest::addColumn<QString>("file");
    QTest::addColumn<bool>("design");
    QTest::newRow("N9") << u"N9"_s << u"zzsfp.fr3"_s << false;
    QTest::newRow("N8") << u"N8"_s << u"zzsfp.fr3"_s << true;
    QTest::newRow("A4U1") << u"A4U1"_s << u"zzsfpa4.fr3"_s << false;
    QTest::newRow("A4V1") << u"A4V1"_s << u"zzsfpa4.fr3"_s << true;
}

void TestInvoicePrinting::commandsOpenTheirTemplate()
{
    QFETCH(QString, command);
    QFETCH(QString, file);
    QFETCH(bool, design);
    QVERIFY(m_printing->showInvoice(2));
    auto *item = m_printing->form().PopupMenu2->findChild<QAction *>(command);
    QVERIFY(item);
    const OpenedReport *opened = m_printing->run(item);
    QVERIFY2(opened, qPrintable(m_printing->shown()));
    QCOMPARE(opened->design, design);
    QCOMPARE(opened->templatePath, m_printing->templatePath(file));
    QCOMPARE(opened->text(u"H1"_s), u"钢管"_s);
    QCOMPARE(opened->text(u"fpno"_s), u"20240002"_s);
    QVERIFY(m_printing->program.prompt.shown().isEmpty());
}

// Each of the 86 names receives its value: the header as the window shows it, lines 1 to
// 7 and the two totals from the print field set.
void TestInvoicePrinting::everyFieldOfAThreeLineInvoice()
{
    QVERIFY(m_printing->showInvoice(2));
    const OpenedReport *opened = m_printing->run(m_printing->form().N9);
    QVERIFY2(opened, qPrintable(m_printing->shown()));
    QHash<QString, QString> expected = threeLineValues();
    const QHash<QString, QString> header{{u"fpno"_s, u"20240002"_s},
                                         {u"jym"_s, u"61234567890123456789"_s},
                                         {u"kprq"_s, u"2024年03月05日"_s},
                                         {u"gmc"_s, u"远山贸易有限公司"_s},
                                         {u"gnsno"_s, u"110101000000001"_s},
                                         {u"gdzdh"_s, u"北京市东城区一号 010-1234"_s},
                                         {u"gyhzh"_s, u"工商银行 6222"_s},
                                         {u"m1"_s, u"<1>3*4-7/+>2<8>04+*91-9/*<3"_s},
                                         {u"m8"_s, u"8<+*->4/35>29<16-*70+"_s},
                                         {u"XXJE"_s, u"1486.50"_s},
                                         {u"Xmc"_s, u"青石制造\n有限公司"_s},
                                         {u"Xnsno"_s, u"330101000000009"_s},
                                         {u"Xdzdh"_s, u"杭州市西湖路9号 0571-8888"_s},
                                         {u"Xyhzh"_s, u"建设银行 4367"_s},
                                         {u"BZ1"_s, u"合同 2024-03"_s},
                                         {u"BZ4"_s, u"备注四"_s},
                                         {u"SKR"_s, u"王收"_s},
                                         {u"FH"_s, u"李核"_s},
                                         {u"KPR"_s, u"张开"_s}};
    expected.insert(header);
    // The total in words is whatever the window computed and shows.
    expected.insert(u"DXJE"_s, m_printing->form().jedx->text());
    QVERIFY(!expected.value(u"DXJE"_s).isEmpty());
    for (auto it = expected.cbegin(); it != expected.cend(); ++it)
        QVERIFY2(opened->text(it.key()) == it.value(),
                 qPrintable(u"%1: \"%2\", expected \"%3\""_s.arg(it.key(), opened->text(it.key()),
                                                                 it.value())));
    for (int i = 2; i <= 7; ++i)
        QCOMPARE(opened->text(u"m%1"_s.arg(i)), m_printing->form().mm[i - 1]->text());
}

void TestInvoicePrinting::lineFields_data()
{
    QTest::addColumn<int>("cid");
    QTest::addColumn<QString>("object");
    QTest::addColumn<QString>("expected");
    QTest::newRow("no lines: name") << 1 << u"H1"_s << QString();
    QTest::newRow("no lines: amount") << 1 << u"JE1"_s << QString();
    QTest::newRow("no lines: amount total") << 1 << u"JEHJ"_s << u"0.00"_s;
    QTest::newRow("no lines: tax total") << 1 << u"SEHJ"_s << u"0.00"_s;
    QTest::newRow("NULL model (规格型号)") << 2 << u"G1"_s << QString();
    QTest::newRow("empty model (规格型号)") << 2 << u"G2"_s << QString();
    QTest::newRow("rate 17") << 2 << u"S1"_s << u"17%"_s;
    QTest::newRow("NULL rate, no %") << 2 << u"S2"_s << QString();
    QTest::newRow("quantity 3") << 2 << u"SL1"_s << u"3"_s;
    QTest::newRow("price 12.3456") << 2 << u"DJ1"_s << u"12.3456"_s;
    QTest::newRow("amount 1234.5") << 2 << u"JE1"_s << u"1234.50"_s;
    QTest::newRow("tax 2.005") << 2 << u"SE1"_s << u"2.01"_s;
    QTest::newRow("zero amount") << 2 << u"JE3"_s << u"0.00"_s;
    QTest::newRow("ten lines: 7th") << 4 << u"H7"_s << u"十行货物7"_s;
    QTest::newRow("ten lines: totals include 9 and 10") << 4 << u"JEHJ"_s << u"1000.00"_s;
    QTest::newRow("ten lines: tax total") << 4 << u"SEHJ"_s << u"130.00"_s;
}

void TestInvoicePrinting::lineFields()
{
    QFETCH(int, cid);
    QFETCH(QString, object);
    QFETCH(QString, expected);
    QVERIFY(m_printing->showInvoice(cid));
    const OpenedReport *opened = m_printing->run(m_printing->form().A4U1);
    QVERIFY2(opened, qPrintable(m_printing->shown()));
    QCOMPARE(opened->text(object), expected);
}

void TestInvoicePrinting::shorterInvoiceAfterLongerLeavesNothingBehind()
{
    QVERIFY(m_printing->showInvoice(3));
    const OpenedReport *eight = m_printing->run(m_printing->form().N9);
    QVERIFY2(eight, qPrintable(m_printing->shown()));
    QCOMPARE(eight->text(u"SE7"_s), u"9.10"_s);
    QVERIFY(m_printing->showInvoice(2));
    const OpenedReport *three = m_printing->run(m_printing->form().N9);
    QVERIFY2(three, qPrintable(m_printing->shown()));
    const QHash<QString, QString> expected = threeLineValues();
    for (auto it = expected.cbegin(); it != expected.cend(); ++it)
        QVERIFY2(three->text(it.key()) == it.value(), qPrintable(it.key()));
}

// The form has seven rows: the eighth line and the quantity total print nowhere, though the
// amount total counts the eighth line.
void TestInvoicePrinting::eightLinesPrintSeven()
{
    QVERIFY(m_printing->showInvoice(3));
    const OpenedReport *opened = m_printing->run(m_printing->form().N9);
    QVERIFY2(opened, qPrintable(m_printing->shown()));
    for (int line = 1; line <= 7; ++line) {
        QCOMPARE(opened->text(u"H%1"_s.arg(line)), u"八行货物%1"_s.arg(line));
        QCOMPARE(opened->text(u"SL%1"_s.arg(line)), QString::number(line));
        QCOMPARE(opened->text(u"JE%1"_s.arg(line)), u"%1.00"_s.arg(line * 10));
    }
    QCOMPARE(opened->text(u"JEHJ"_s), u"360.00"_s);
    QCOMPARE(opened->text(u"SEHJ"_s), u"46.80"_s);
    for (const QString &text : opened->texts) {
        QVERIFY2(!text.contains(u"八行货物8"_s) && !text.contains(u"G8"_s), qPrintable(text));
        QVERIFY(text != u"36"_s); // the quantity total
    }
}

void TestInvoicePrinting::totalInFigures_data()
{
    QTest::addColumn<int>("cid");
    QTest::addColumn<QString>("displayed");
    QTest::addColumn<QString>("printed");
    QTest::newRow("1234.5") << 6 << u"1234.5"_s << u"1234.50"_s;
    QTest::newRow("0") << 1 << u"0"_s << u"0.00"_s;
    QTest::newRow("-12.3") << 7 << u"-12.3"_s << u"-12.30"_s;
}

void TestInvoicePrinting::totalInFigures()
{
    QFETCH(int, cid);
    QFETCH(QString, displayed);
    QFETCH(QString, printed);
    QVERIFY(m_printing->showInvoice(cid));
    QCOMPARE(m_printing->form().xxje->text(), displayed);
    const OpenedReport *opened = m_printing->run(m_printing->form().N9);
    QVERIFY2(opened, qPrintable(m_printing->shown()));
    QCOMPARE(opened->text(u"XXJE"_s), printed);
}

void TestInvoicePrinting::typedChangeIsPrinted()
{
    TForm1 &form = m_printing->form();
    QVERIFY(m_printing->showInvoice(2));
    QVERIFY(showActive(form));
    form.ghmc->setFocus();
    form.ghmc->selectAll();
    typeText(form.ghmc, u"新买方公司"_s);
    const OpenedReport *opened = m_printing->run(form.A4U1);
    QVERIFY2(opened, qPrintable(m_printing->shown()));
    QCOMPARE(opened->text(u"gmc"_s), u"新买方公司"_s);
    QCOMPARE(
        m_printing->program.scalar(u"select 购货单位名称 from title where cid = 2"_s).toString(),
        u"远山贸易有限公司"_s);
}

void TestInvoicePrinting::sellerNameOnTwoLines()
{
    QVERIFY(m_printing->showInvoice(2));
    const OpenedReport *opened = m_printing->run(m_printing->form().N9);
    QVERIFY2(opened, qPrintable(m_printing->shown()));
    QCOMPARE(opened->text(u"Xmc"_s).split(u'\n'), QStringList({u"青石制造"_s, u"有限公司"_s}));
}

void TestInvoicePrinting::namesMatchRegardlessOfCase()
{
    m_printing->editTemplate(u"zzsfp.fr3"_s, [](ReportTemplate &definition) {
        definition.findObject(u"fpno"_s)->setName(u"FPNO"_s);
        definition.findObject(u"xmc"_s)->setName(u"XMC"_s);
    });
    QVERIFY(m_printing->showInvoice(2));
    const OpenedReport *opened = m_printing->run(m_printing->form().N9);
    QVERIFY2(opened, qPrintable(m_printing->shown()));
    QCOMPARE(opened->text(u"FPNO"_s), u"20240002"_s);
    QCOMPARE(opened->text(u"XMC"_s), u"青石制造\n有限公司"_s);
}

void TestInvoicePrinting::background_data()
{
    QTest::addColumn<bool>("stored"); // the template holds a picture of its own
    QTest::addColumn<bool>("withPath");
    QTest::addColumn<bool>("ticked");
    QTest::addColumn<QString>("expected"); // "stored", "file" or "none"
    QTest::newRow("empty path, ticked: the stored picture shows")
        << true << false << true << u"stored"_s;
    QTest::newRow("empty path, ticked, nothing stored") << false << false << true << u"none"_s;
    QTest::newRow("path, not ticked: loaded but hidden") << true << true << false << u"file"_s;
    QTest::newRow("path, ticked") << false << true << true << u"file"_s;
}

void TestInvoicePrinting::background()
{
    QFETCH(bool, stored);
    QFETCH(bool, withPath);
    QFETCH(bool, ticked);
    QFETCH(QString, expected);
    TForm1 &form = m_printing->form();
    QTemporaryDir pictures;
    const QByteArray storedPicture = writePicture(pictures.filePath(u"stored.png"_s), Qt::red);
    const QByteArray filePicture = writePicture(pictures.filePath(u"scan.png"_s), Qt::blue);
    if (stored) {
        m_printing->editTemplate(u"zzsfp.fr3"_s, [&](ReportTemplate &definition) {
            static_cast<PictureObject *>(definition.findObject(u"ptc"_s))
                ->setPicture(storedPicture, u"png"_s);
        });
    }
    QVERIFY(m_printing->showInvoice(2));
    form.fpdz->setFocus();
    form.fpdz->selectAll();
    QTest::keyClick(form.fpdz, Qt::Key_Delete);
    if (withPath)
        QTest::keyClicks(form.fpdz, pictures.filePath(u"scan.png"_s));
    if (form.dygs->isChecked() != ticked)
        form.dygs->click();
    for (QAction *command : {form.N9, form.N8}) {
        const OpenedReport *opened = m_printing->run(command);
        QVERIFY2(opened, qPrintable(m_printing->shown()));
        QCOMPARE(opened->backgroundVisible, ticked);
        const QByteArray picture = expected == u"stored"_s ? storedPicture
                                   : expected == u"file"_s ? filePicture
                                                           : QByteArray();
        QCOMPARE(opened->backgroundPicture, picture);
    }
}

void TestInvoicePrinting::a4DesignShowsTheStoredBackground()
{
    TForm1 &form = m_printing->form();
    QTemporaryDir pictures;
    const QString scan = pictures.filePath(u"scan.png"_s);
    writePicture(scan, Qt::blue);
    QVERIFY(m_printing->showInvoice(2));
    form.fpdz->setFocus();
    form.fpdz->selectAll();
    QTest::keyClicks(form.fpdz, scan);
    form.dygs->click();
    QVERIFY(form.dygs->isChecked());

    const OpenedReport *printed = m_printing->run(form.A4U1);
    QVERIFY2(printed, qPrintable(m_printing->shown()));
    QVERIFY(printed->backgroundVisible);
    QVERIFY(!printed->backgroundPicture.isEmpty());

    // The shipped A4 layout stores no picture and keeps it hidden.
    const OpenedReport *designed = m_printing->run(form.A4V1);
    QVERIFY2(designed, qPrintable(m_printing->shown()));
    QVERIFY(designed->design);
    QVERIFY(!designed->backgroundVisible);
    QVERIFY(designed->backgroundPicture.isEmpty());
}

void TestInvoicePrinting::unreadableBackgroundStopsTheCommand()
{
    TForm1 &form = m_printing->form();
    QTemporaryDir pictures;
    const QString broken = pictures.filePath(u"broken.jpg"_s);
    QFile file(broken);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("not a picture");
    file.close();
    QVERIFY(m_printing->showInvoice(2));
    form.fpdz->setFocus();
    form.fpdz->selectAll();
    QTest::keyClicks(form.fpdz, broken);
    QVERIFY(!m_printing->run(form.N9));
    const QStringList errors = m_printing->program.prompt.errors();
    QCOMPARE(errors.size(), 1);
    QVERIFY2(errors.first().contains(QDir::toNativeSeparators(broken)), qPrintable(errors.first()));
}

void TestInvoicePrinting::storeErrorStopsBeforeTheTemplateLoads()
{
    m_printing->program.database.execScript(u"drop table fpset2"_s);
    QVERIFY(m_printing->showInvoice(2));
    for (QAction *command : {m_printing->form().N9, m_printing->form().A4V1}) {
        QVERIFY(!m_printing->run(command));
        const QStringList errors = m_printing->program.prompt.errors();
        QCOMPARE(errors.size(), 1);
        QVERIFY2(errors.first().contains(u"fpset2"_s), qPrintable(errors.first()));
        QCOMPARE(m_printing->form().fpprn->templatePath(), QString());
    }
}

void TestInvoicePrinting::missingTemplateIsNamed()
{
    QVERIFY(QFile::remove(m_printing->templatePath(u"zzsfpa4.fr3"_s)));
    QVERIFY(m_printing->showInvoice(2));
    for (QAction *command : {m_printing->form().A4U1, m_printing->form().A4V1}) {
        QVERIFY(!m_printing->run(command));
        const QStringList errors = m_printing->program.prompt.errors();
        QCOMPARE(errors.size(), 1);
        QVERIFY2(errors.first().contains(m_printing->templatePath(u"zzsfpa4.fr3"_s)),
                 qPrintable(errors.first()));
    }
}

void TestInvoicePrinting::missingObjectsAreNamedBeforeAnythingIsWritten()
{
    m_printing->editTemplate(u"zzsfp.fr3"_s, [](ReportTemplate &definition) {
        for (const QString &name : {u"SE7"_s, u"gmc"_s}) {
            ReportObject *object = definition.findObject(name);
            object->band()->takeObject(object);
        }
    });
    QVERIFY(m_printing->showInvoice(2));
    for (QAction *command : {m_printing->form().N9, m_printing->form().N8}) {
        QVERIFY(!m_printing->run(command));
        const QStringList errors = m_printing->program.prompt.errors();
        QCOMPARE(errors.size(), 1);
        for (const QString &part : {u"zzsfp.fr3"_s, u"SE7"_s, u"gmc"_s})
            QVERIFY2(errors.first().contains(part), qPrintable(errors.first()));
        QVERIFY(!errors.first().contains(u"fpno"_s));
        // Nothing was written into the loaded template.
        const auto *number =
            static_cast<const TextObject *>(m_printing->form().fpprn->findObject(u"fpno"_s));
        QVERIFY(number);
        QCOMPARE(number->text(), QString());
    }
}

void TestInvoicePrinting::missingPictureMattersOnlyWhereTheBackgroundIsSet()
{
    m_printing->editTemplate(u"zzsfpa4.fr3"_s, [](ReportTemplate &definition) {
        ReportObject *picture = definition.findObject(u"ptc"_s);
        picture->band()->takeObject(picture);
    });
    QVERIFY(m_printing->showInvoice(2));
    QVERIFY(!m_printing->run(m_printing->form().A4U1));
    QVERIFY(m_printing->program.prompt.errors().value(0).contains(u"ptc"_s));
    const OpenedReport *designed = m_printing->run(m_printing->form().A4V1);
    QVERIFY2(designed, qPrintable(m_printing->shown()));
    QCOMPARE(designed->text(u"H1"_s), u"钢管"_s);
}

void TestInvoicePrinting::choosingAPicture_data()
{
    QTest::addColumn<bool>("rowStored");
    QTest::newRow("fpdz empty: a row is started") << false;
    QTest::newRow("fpdz has its row: it is changed") << true;
}

void TestInvoicePrinting::choosingAPicture()
{
    QFETCH(bool, rowStored);
    TForm1 &form = m_printing->form();
    if (rowStored) {
        m_printing->program.database.execScript(
            u"insert into fpdz (fpdz) values ('/old/form.jpg')"_s);
        form.fpdzqry->requery();
    }
    QTemporaryDir pictures;
    const QString scan = pictures.filePath(u"scan.png"_s);
    writePicture(scan, Qt::blue);
    m_printing->program.fileDialogs.pictureFile = scan;
    QTest::mouseClick(form.prnsetbtn, Qt::LeftButton);
    QCOMPARE(form.fpdz->text(), scan);
    QVERIFY(m_printing->program.prompt.errors().isEmpty());

    // The next command uses it before anything is saved.
    QVERIFY(m_printing->showInvoice(2));
    if (!form.dygs->isChecked())
        form.dygs->click();
    const OpenedReport *opened = m_printing->run(form.N9);
    QVERIFY2(opened, qPrintable(m_printing->shown()));
    QVERIFY(!opened->backgroundPicture.isEmpty());

    QTest::mouseClick(form.savebtn, Qt::LeftButton);
    QCOMPARE(m_printing->program.scalar(u"select count(*) from fpdz"_s).toInt(), 1);
    QCOMPARE(m_printing->program.scalar(u"select fpdz from fpdz"_s).toString(), scan);
}

void TestInvoicePrinting::cancellingThePictureDialogChangesNothing()
{
    TForm1 &form = m_printing->form();
    m_printing->program.fileDialogs.pictureFile.clear();
    QTest::mouseClick(form.prnsetbtn, Qt::LeftButton);
    QCOMPARE(form.fpdz->text(), QString());
    QVERIFY(!form.fpdzqry->isEditing());
    QTest::mouseClick(form.savebtn, Qt::LeftButton);
    QCOMPARE(m_printing->program.scalar(u"select count(*) from fpdz"_s).toInt(), 0);
}

// On paper, through the PDF a reader sees: every value lies where the shipped overlay
// template puts its object, to half a millimetre.
void TestInvoicePrinting::overlayValuesPrintWhereTheTemplatePutsThem()
{
    QVERIFY(m_printing->showInvoice(2));
    const OpenedReport *opened = m_printing->run(m_printing->form().N9);
    QVERIFY2(opened, qPrintable(m_printing->shown()));
    QTemporaryDir out;
    const QString pdf = out.filePath(u"invoice.pdf"_s);
    ReportExport::toPdf(opened->pages, pdf);
    const std::vector<PdfPage> pages = readPdfWords(pdf);
    QCOMPARE(pages.size(), size_t(1));

    ReportTemplate shipped;
    TemplateFile::load(QStringLiteral(KELVANE_TEMPLATES "/zzsfp.fr3"), shipped);
    QHash<QString, int> uses;
    for (const QString &value : opened->texts)
        ++uses[value];
    for (const InvoicePrintField &field : InvoicePrintFields::all()) {
        const QString value = opened->text(field.object);
        // A reader splits words at blanks and lines; such values are placed like the rest.
        if (value.isEmpty() || value.contains(u' ') || value.contains(u'\n') || uses[value] > 1)
            continue;
        const auto *object = static_cast<const TextObject *>(shipped.findObject(field.object));
        QVERIFY(object);
        const auto word = std::find_if(pages[0].begin(), pages[0].end(),
                                       [&](const PdfWord &w) { return w.text == value; });
        QVERIFY2(word != pages[0].end(), qPrintable(field.object + u": "_s + value));
        const QRectF designed = object->rect();
        const double x = object->hAlign() == HAlign::Left ? word->box.left() - designed.left()
                         : object->hAlign() == HAlign::Right
                             ? word->box.right() - designed.right()
                             : word->box.center().x() - designed.center().x();
        const double y = word->box.center().y() - designed.center().y();
        QVERIFY2(std::abs(x) <= 0.5 && std::abs(y) <= 0.5,
                 qPrintable(u"%1 off by (%2, %3) mm"_s.arg(field.object).arg(x).arg(y)));
    }
    // Header, lines, totals and signatures all took part.
    for (const QString &name : {u"fpno"_s, u"gmc"_s, u"H1"_s, u"DJ1"_s, u"JE1"_s, u"S1"_s,
                                u"JEHJ"_s, u"XXJE"_s, u"DXJE"_s, u"KPR"_s})
        QVERIFY2(uses.value(opened->text(name)) == 1, qPrintable(name));
}

QTEST_MAIN(TestInvoicePrinting)
#include "tst_invoiceprinting.moc"
