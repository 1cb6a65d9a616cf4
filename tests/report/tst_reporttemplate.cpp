#include "print/report/ReportError.h"
#include "print/report/ReportTemplate.h"
#include "print/report/TemplateFile.h"

#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

static QString fixture(const char *name)
{
    return QStringLiteral(KELVANE_TEST_DATA "/") + QString::fromLatin1(name);
}

static std::unique_ptr<ReportTemplate> reloaded(const ReportTemplate &report)
{
    auto copy = std::make_unique<ReportTemplate>();
    TemplateFile::read(TemplateFile::write(report), QStringLiteral("copy.fr3"), *copy);
    return copy;
}

class TestReportTemplate : public QObject
{
    Q_OBJECT
private slots:
    void saveKeepsKnownAndForeign();
    void saveIsStable();
    void badFilesNameFileAndLine_data();
    void badFilesNameFileAndLine();
    void namesAreUniqueWithoutCase();
    void editsNotifyAndKeepIdentity();
    void saveReplacesFileWhole();
};

// Everything the fixture says survives a save and a new load, whether this program
// understands it or not.
void TestReportTemplate::saveKeepsKnownAndForeign()
{
    ReportTemplate original;
    TemplateFile::load(fixture("report_roundtrip.fr3"), original);
    const auto report = reloaded(original);

    const PageSetup &page = report->page();
    QCOMPARE(page.paperWidth, 241.0);
    QCOMPARE(page.paperHeight, 140.0);
    QCOMPARE(page.orientation, QPageLayout::Landscape);
    QCOMPARE(page.size(), QSizeF(140, 241)); // the paper turned
    QCOMPARE(QList<double>({page.marginLeft, page.marginTop, page.marginRight, page.marginBottom}),
             QList<double>({5, 6, 7, 8}));

    QCOMPARE(report->bands().size(), size_t(2));
    const ReportBand &data = *report->bands()[1];
    QCOMPARE(data.type(), BandType::Data);
    QCOMPARE(data.top(), 70.0);
    QCOMPARE(data.height(), 5.0);
    QCOMPARE(data.dataset(), QStringLiteral("ddbst"));

    auto *fpno = dynamic_cast<TextObject *>(report->findObject(QStringLiteral("FPNO")));
    QVERIFY(fpno);
    QCOMPARE(fpno->rect(), QRectF(180.5, 8.25, 40, 6));
    QCOMPARE(fpno->font(), (FontChoice{QStringLiteral("宋体"), 12, true}));
    QCOMPARE(fpno->hAlign(), HAlign::Right);
    QCOMPARE(fpno->vAlign(), VAlign::Top);
    QCOMPARE(fpno->frameSides(), unsigned(LeftSide | BottomSide));
    QCOMPARE(fpno->frameWidth(), 0.3);
    QVERIFY(fpno->wordWrap());
    QVERIFY(!fpno->isVisible());
    QCOMPARE(fpno->text(), QStringLiteral("No.[fpno]"));

    auto *je = dynamic_cast<TextObject *>(report->findObject(QStringLiteral("je")));
    QVERIFY(je);
    QCOMPARE(je->text(), QStringLiteral("[ddbst.\"金额\" #,##0.00]"));
    QCOMPARE(je->frameSides(), unsigned(AllSides));
    QCOMPARE(je->hAlign(), HAlign::Center);

    auto *ptc = dynamic_cast<PictureObject *>(report->findObject(QStringLiteral("Ptc")));
    QVERIFY(ptc);
    QVERIFY(!ptc->keepAspect());
    QVERIFY(ptc->isBackground());
    QCOMPARE(ptc->format(), QStringLiteral("png"));
    QCOMPARE(ptc->image().size(), QSize(2, 2));
    auto *line = dynamic_cast<LineObject *>(report->findObject(QStringLiteral("line1")));
    QVERIFY(line);
    QCOMPARE(line->penWidth(), 0.5);
    auto *box = dynamic_cast<FrameObject *>(report->findObject(QStringLiteral("box1")));
    QVERIFY(box);
    QCOMPARE(box->rect(), QRectF(10, 60, 100, 20));

    const QString xml = QString::fromUtf8(TemplateFile::write(*report));
    const QStringList foreign = {
        QStringLiteral("author=\"财务部\""),
        QStringLiteral("xmlns:ext=\"urn:example:ext\""),
        QStringLiteral("tray=\"2\""),
        QStringLiteral("<ext:printer name=\"柜台打印机\"/>"),
        QStringLiteral("note=\"发票\""),
        QStringLiteral("ext:color=\"red\""),
        QStringLiteral("<ext:script lang=\"x\">alert(1)</ext:script>"),
        QStringLiteral("opacity=\"0.5\""),
        QStringLiteral("style=\"dash\""),
        QStringLiteral("stretch=\"yes\""),
        QStringLiteral("<gadget kind=\"unknown\">kept<inner a=\"1\"/>"),
        QStringLiteral("<style name=\"标题\" size=\"14\"/>"),
    };
    for (const QString &piece : foreign)
        QVERIFY2(xml.contains(piece), qPrintable(piece));
    QVERIFY(report->findObject(QStringLiteral("fpno"))->foreign() == fpno->foreign());
    QCOMPARE(fpno->foreign().elements.size(), size_t(1));
}

void TestReportTemplate::saveIsStable()
{
    ReportTemplate original;
    TemplateFile::load(fixture("report_roundtrip.fr3"), original);
    const QByteArray once = TemplateFile::write(original);
    QCOMPARE(TemplateFile::write(*reloaded(original)), once);
}

void TestReportTemplate::badFilesNameFileAndLine_data()
{
    QTest::addColumn<QByteArray>("xml");
    QTest::addColumn<int>("line");
    QTest::addColumn<QString>("says");
    const QByteArray head = "<?xml version=\"1.0\"?>\n<report>\n";
    QTest::newRow("not xml") << QByteArray("PK\x03\x04 binary") << 1 << QStringLiteral("XML");
    QTest::newRow("unclosed") << head + "<band type=\"data\">\n" << 4 << QStringLiteral("XML");
    QTest::newRow("other root") << QByteArray("<html/>") << 1 << QStringLiteral("html");
    QTest::newRow("bad number")
        << head + "<band type=\"fixed\">\n<text name=\"a\" x=\"1,5\"/>\n</band></report>" << 4
        << QStringLiteral("1,5");
    QTest::newRow("band type") << head + "\n<band type=\"middle\"/></report>" << 4
                               << QStringLiteral("type");
    QTest::newRow("no name") << head + "<band type=\"fixed\">\n<line x=\"1\"/></band></report>" << 4
                             << QStringLiteral("name");
    QTest::newRow("same name, other case")
        << head + "<text name=\"JE1\"/>\n<band type=\"data\">\n<text name=\"je1\"/></band></report>"
        << 5 << QStringLiteral("je1");
    QTest::newRow("bad flag") << head + "<frame name=\"b\" visible=\"yes\"/></report>" << 3
                              << QStringLiteral("visible");
    QTest::newRow("bad picture data")
        << head + "<picture name=\"p\" format=\"png\">@@@</picture></report>" << 3
        << QStringLiteral("base64");
}

void TestReportTemplate::badFilesNameFileAndLine()
{
    QFETCH(QByteArray, xml);
    QFETCH(int, line);
    QFETCH(QString, says);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("坏模板.fr3"));
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(xml);
    file.close();
    ReportTemplate report;
    try {
        TemplateFile::load(path, report);
        QFAIL("no error");
    } catch (const ReportError &error) {
        QVERIFY2(error.message().contains(path), qPrintable(error.message()));
        QVERIFY2(error.message().contains(QStringLiteral("第 %1 行").arg(line)),
                 qPrintable(error.message()));
        QVERIFY2(error.message().contains(says), qPrintable(error.message()));
    }
}

void TestReportTemplate::namesAreUniqueWithoutCase()
{
    ReportTemplate report;
    ReportBand *band = report.fixedBand();
    ReportObject *first = band->addObject(std::make_unique<TextObject>(QStringLiteral("Text1")));
    QVERIFY_THROWS_EXCEPTION(
        ReportError, band->addObject(std::make_unique<TextObject>(QStringLiteral("TEXT1"))));
    auto second = std::make_unique<LineObject>(QStringLiteral("Line1"));
    ReportObject *line =
        report.addBand(std::make_unique<ReportBand>(BandType::Data))->addObject(std::move(second));
    QVERIFY_THROWS_EXCEPTION(ReportError, line->setName(QStringLiteral("text1")));
    QCOMPARE(line->name(), QStringLiteral("Line1"));
    first->setName(QStringLiteral("TEXT1")); // its own name in another case is fine
    QCOMPARE(report.uniqueName(QStringLiteral("Text")), QStringLiteral("Text2"));
    QCOMPARE(report.findObject(QStringLiteral("line1")), line);
    QCOMPARE(report.findObject(QStringLiteral("nothing")), nullptr);
}

// What an undo command relies on: an id that survives delete and re-insert, and a signal
// and version step for each edit (none for a no-op).
void TestReportTemplate::editsNotifyAndKeepIdentity()
{
    ReportTemplate report;
    ReportBand *band = report.fixedBand();
    auto *text = static_cast<TextObject *>(
        band->addObject(std::make_unique<TextObject>(QStringLiteral("gmc"))));
    auto *other = band->addObject(std::make_unique<FrameObject>(QStringLiteral("box")));
    QVERIFY(text->id() != 0);
    QVERIFY(text->id() != other->id());
    const ObjectId id = text->id();

    QSignalSpy changed(&report, &ReportTemplate::objectChanged);
    const quint64 before = report.version();
    text->setRect(QRectF(1, 2, 3, 4));
    text->setRect(QRectF(1, 2, 3, 4));
    text->setFont(FontChoice{QStringLiteral("黑体"), 9, false});
    QCOMPARE(changed.size(), 2);
    QCOMPARE(changed.at(0).at(0).value<ReportObject *>(), text);
    QCOMPARE(report.version(), before + 2);

    std::unique_ptr<ReportObject> taken = band->takeObject(text);
    QCOMPARE(report.object(id), nullptr);
    QCOMPARE(report.findObject(QStringLiteral("gmc")), nullptr);
    band->insertObject(0, std::move(taken));
    QCOMPARE(report.object(id)->name(), QStringLiteral("gmc"));
    QCOMPARE(band->indexOf(report.object(id)), 0);

    const auto copy = report.object(id)->clone();
    QCOMPARE(copy->id(), ObjectId(0));
    QCOMPARE(copy->rect(), QRectF(1, 2, 3, 4));
}

void TestReportTemplate::saveReplacesFileWhole()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("zzsfp.fr3"));
    ReportTemplate report;
    report.fixedBand()->addObject(std::make_unique<TextObject>(QStringLiteral("fpno")));
    TemplateFile::save(report, path);
    ReportTemplate back;
    TemplateFile::load(path, back);
    QVERIFY(back.findObject(QStringLiteral("fpno")));
    QVERIFY_THROWS_EXCEPTION(
        ReportError, TemplateFile::save(report, dir.filePath(QStringLiteral("no/such/x.fr3"))));
}

QTEST_GUILESS_MAIN(TestReportTemplate)
#include "tst_reporttemplate.moc"
