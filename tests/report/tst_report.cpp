#include "TestDatabase.h"
#include "db/Dataset.h"
#include "print/report/DatasetRows.h"
#include "print/report/Report.h"
#include "print/report/ReportError.h"
#include "print/report/ReportRows.h"
#include "print/report/ReportViewer.h"

#include <QImage>
#include <QTemporaryDir>
#include <QTest>

namespace {

class FakeViewer final : public ReportViewer
{
public:
    void show(Report &report) override { shown.append(int(report.pages().pages.size())); }
    void design(Report &report) override
    {
        designed.append(report.templatePath());
        if (onDesign)
            onDesign(report);
    }
    QList<int> shown;
    QStringList designed;
    std::function<void(Report &)> onDesign;
};

QString fixture(const char *name)
{
    return QStringLiteral(KELVANE_TEST_DATA "/") + QString::fromLatin1(name);
}

// The text a text object shows once laid out.
QString shownText(const Report &report, const QString &name)
{
    const LaidOutReport laid = report.prepare();
    for (const PlacedBand &band : laid.pages.at(0).bands) {
        for (const TextItem &text : band.texts) {
            if (text.objectName.compare(name, Qt::CaseInsensitive) == 0)
                return text.text;
        }
    }
    return QStringLiteral("<absent>");
}

QString writeFile(const QTemporaryDir &dir, const QString &name, const QByteArray &bytes)
{
    const QString path = dir.filePath(name);
    QFile file(path);
    if (file.open(QIODevice::WriteOnly))
        file.write(bytes);
    return path;
}

} // namespace

class TestReport : public QObject
{
    Q_OBJECT
private slots:
    void missingTemplateLeavesEmptyReport();
    void loadingDiscardsTheOldDefinitionButNotTheData();
    void brokenTemplateNamesFileAndLine();
    void setTextSplitsLines_data();
    void setTextSplitsLines();
    void setTextNeedsATextObject();
    void loadPicture_data();
    void loadPicture();
    void showPreparesFirstAndDesignSavesBack();
    void datasetRowsReadTheProgramsDataset();
};

void TestReport::missingTemplateLeavesEmptyReport()
{
    FakeViewer viewer;
    Report report(viewer);
    report.loadTemplate(fixture("report_invoice.fr3"));
    QVERIFY(report.findObject(QStringLiteral("fpno")));
    report.loadTemplate(fixture("no_such_template.fr3"));
    QCOMPARE(report.findObject(QStringLiteral("fpno")), nullptr);
    QCOMPARE(report.templatePath(), fixture("no_such_template.fr3"));
    report.show();
    QCOMPARE(viewer.shown, QList<int>{0});
}

void TestReport::loadingDiscardsTheOldDefinitionButNotTheData()
{
    FakeViewer viewer;
    Report report(viewer);
    auto rows = std::make_shared<MemoryRows>(QStringList{QStringLiteral("购货单位名称")});
    rows->addRow({QStringLiteral("甲公司")});
    report.setDataset(QStringLiteral("HDBST"), rows);
    report.setVariable(QStringLiteral("FD"), QStringLiteral("2026-01-01"));
    report.loadTemplate(fixture("report_invoice.fr3"));
    report.setText(QStringLiteral("FPNO"), QStringLiteral("No.1"));
    report.loadTemplate(fixture("report_invoice.fr3"));
    QCOMPARE(static_cast<TextObject *>(report.findObject(QStringLiteral("fpno")))->text(),
             QString());
    QCOMPARE(report.dataset(QStringLiteral("hdbst")), rows.get());
    QCOMPARE(report.variable(QStringLiteral("fd")), QStringLiteral("2026-01-01"));
    report.setText(QStringLiteral("gmc"), QStringLiteral("[hdbst.购货单位名称] [fd]"));
    // Values are shown as given, never read as expressions.
    QCOMPARE(shownText(report, QStringLiteral("gmc")), QStringLiteral("[hdbst.购货单位名称] [fd]"));
}

void TestReport::brokenTemplateNamesFileAndLine()
{
    QTemporaryDir dir;
    const QString path =
        writeFile(dir, QStringLiteral("zzsfp.fr3"),
                  "<report>\n<band type=\"fixed\">\n<text name=\"a\" size=\"大\"/>");
    FakeViewer viewer;
    Report report(viewer);
    try {
        report.loadTemplate(path);
        QFAIL("no error");
    } catch (const ReportError &error) {
        QVERIFY2(error.message().contains(path) &&
                     error.message().contains(QStringLiteral("第 3 行")),
                 qPrintable(error.message()));
    }
    QCOMPARE(report.findObject(QStringLiteral("a")), nullptr);
}

void TestReport::setTextSplitsLines_data()
{
    QTest::addColumn<QString>("value");
    QTest::addColumn<QStringList>("lines");
    QTest::newRow("one line") << QStringLiteral("宁波海达贸易有限公司")
                              << QStringList{QStringLiteral("宁波海达贸易有限公司")};
    QTest::newRow("CR LF") << QStringLiteral("甲\r\n乙")
                           << QStringList{QStringLiteral("甲"), QStringLiteral("乙")};
    QTest::newRow("CR") << QStringLiteral("甲\r乙")
                        << QStringList{QStringLiteral("甲"), QStringLiteral("乙")};
    QTest::newRow("LF") << QStringLiteral("甲\n乙")
                        << QStringList{QStringLiteral("甲"), QStringLiteral("乙")};
    QTest::newRow("line separator")
        << QStringLiteral("甲\u2028乙") << QStringList{QStringLiteral("甲"), QStringLiteral("乙")};
    QTest::newRow("LF CR is two breaks")
        << QStringLiteral("甲\n\r乙")
        << QStringList{QStringLiteral("甲"), QString(), QStringLiteral("乙")};
    QTest::newRow("mixed") << QStringLiteral("a\r\n\r\nb\u2028c\r")
                           << QStringList{QStringLiteral("a"), QString(), QStringLiteral("b"),
                                          QStringLiteral("c"), QString()};
    QTest::newRow("empty") << QString() << QStringList{QString()};
}

void TestReport::setTextSplitsLines()
{
    QFETCH(QString, value);
    QFETCH(QStringList, lines);
    QCOMPARE(splitLines(value), lines);
    FakeViewer viewer;
    Report report(viewer);
    report.loadTemplate(fixture("report_invoice.fr3"));
    report.setText(report.findObject(QStringLiteral("xmc")), value);
    QCOMPARE(shownText(report, QStringLiteral("Xmc")), lines.join(u'\n'));
}

void TestReport::setTextNeedsATextObject()
{
    FakeViewer viewer;
    Report report(viewer);
    report.loadTemplate(fixture("report_invoice.fr3"));
    for (const QString &name : {QStringLiteral("SE7"), QStringLiteral("ptc")}) {
        try {
            report.setText(name, QStringLiteral("1"));
            QFAIL("no error");
        } catch (const ReportError &error) {
            QVERIFY(error.message().contains(name));
            QVERIFY(error.message().contains(QStringLiteral("report_invoice.fr3")));
        }
    }
    QVERIFY_THROWS_EXCEPTION(ReportError, report.setText(nullptr, QStringLiteral("1")));
    QVERIFY_THROWS_EXCEPTION(ReportError, report.setVisible(nullptr, true));
    QVERIFY_THROWS_EXCEPTION(ReportError,
                             report.loadPicture(report.findObject(QStringLiteral("fpno")), {}));
}

void TestReport::loadPicture_data()
{
    QTest::addColumn<QString>("fileName");
    QTest::addColumn<QByteArray>("writeAs"); // format to write a real picture in; empty: bytes
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("error"); // part of the message; empty: loads
    QTest::newRow("png") << "form.png" << QByteArray("PNG") << QByteArray() << QString();
    QTest::newRow("bmp") << "form.bmp" << QByteArray("BMP") << QByteArray() << QString();
    QTest::newRow("jpg") << "form.jpg" << QByteArray("JPG") << QByteArray() << QString();
    QTest::newRow("jpeg, upper case")
        << "FORM.JPEG" << QByteArray("JPG") << QByteArray() << QString();
    QTest::newRow("ico") << "form.ico" << QByteArray("ICO") << QByteArray() << QString();
    QTest::newRow("wmf") << "form.wmf" << QByteArray() << QByteArray("\xd7\xcd\xc6\x9a") << "WMF";
    QTest::newRow("emf") << "form.emf" << QByteArray() << QByteArray("\x01\0\0\0") << "EMF";
    QTest::newRow("gif") << "form.gif" << QByteArray() << QByteArray("GIF89a") << ".gif";
    QTest::newRow("no extension") << "form" << QByteArray() << QByteArray("x") << "扩展名";
    QTest::newRow("broken png") << "bad.png" << QByteArray() << QByteArray("\x89PNG\r\n\x1a\n")
                                << "PNG";
    QTest::newRow("missing file") << "" << QByteArray() << QByteArray() << "nothing.png";
}

void TestReport::loadPicture()
{
    QFETCH(QString, fileName);
    QFETCH(QByteArray, writeAs);
    QFETCH(QByteArray, bytes);
    QFETCH(QString, error);
    QTemporaryDir dir;
    QString path = dir.filePath(fileName.isEmpty() ? QStringLiteral("nothing.png") : fileName);
    if (!writeAs.isEmpty()) {
        QImage image(32, 16, QImage::Format_RGB32);
        image.fill(Qt::red);
        QVERIFY(image.save(path, writeAs.constData()));
    } else if (!fileName.isEmpty()) {
        writeFile(dir, fileName, bytes);
    }
    FakeViewer viewer;
    Report report(viewer);
    report.loadTemplate(fixture("report_invoice.fr3"));
    auto *ptc = static_cast<PictureObject *>(report.findObject(QStringLiteral("PTC")));
    try {
        report.loadPicture(ptc, path);
        QVERIFY2(error.isEmpty(), "loaded");
        QCOMPARE(ptc->image().size(), QSize(32, 16));
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(ptc->data(), file.readAll());
    } catch (const ReportError &e) {
        QVERIFY2(!error.isEmpty(), qPrintable(e.message()));
        QVERIFY2(e.message().contains(QDir::toNativeSeparators(path)), qPrintable(e.message()));
        QVERIFY2(e.message().contains(error), qPrintable(e.message()));
        QVERIFY(!ptc->hasPicture());
    }
}

void TestReport::showPreparesFirstAndDesignSavesBack()
{
    QTemporaryDir dir;
    QFile::copy(fixture("report_list.fr3"), dir.filePath(QStringLiteral("fpqd.fr3")));
    FakeViewer viewer;
    Report report(viewer);
    report.loadTemplate(dir.filePath(QStringLiteral("fpqd.fr3")));
    // The list reads datasets nobody offered yet: the error comes before any window.
    QVERIFY_THROWS_EXCEPTION(ReportError, report.show());
    QVERIFY(viewer.shown.isEmpty());

    viewer.onDesign = [](Report &designed) {
        designed.definition().findObject(QStringLiteral("xj"))->setRect(QRectF(11, 277, 10, 6));
        designed.saveTemplate();
    };
    report.design();
    QCOMPARE(viewer.designed, QStringList{dir.filePath(QStringLiteral("fpqd.fr3"))});
    Report again(viewer);
    again.loadTemplate(dir.filePath(QStringLiteral("fpqd.fr3")));
    QCOMPARE(again.findObject(QStringLiteral("XJ"))->rect(), QRectF(11, 277, 10, 6));
}

void TestReport::datasetRowsReadTheProgramsDataset()
{
    TestDatabase db({QStringLiteral("invoices_small.sql")});
    Dataset hqry(db.connection());
    hqry.setSql({QStringLiteral("select * from title"), QStringLiteral("where cid=:pno")});
    hqry.setParameter(QStringLiteral("pno"), QStringLiteral("1"));
    hqry.open();
    Dataset dqry(db.connection());
    dqry.setSql({QStringLiteral("select * from detail"), QStringLiteral("where cid=:pno1"),
                 QStringLiteral("order by id")});
    dqry.setParameter(QStringLiteral("pno1"), QStringLiteral("1"));
    dqry.open();

    FakeViewer viewer;
    Report report(viewer);
    report.setDataset(QStringLiteral("hdbst"), std::make_shared<DatasetRows>(hqry));
    report.setDataset(QStringLiteral("ddbst"), std::make_shared<DatasetRows>(dqry));
    report.setVariable(QStringLiteral("fd"), {});
    report.setVariable(QStringLiteral("td"), {});
    report.loadTemplate(fixture("report_list.fr3"));
    const LaidOutReport laid = report.prepare();
    QStringList names, amounts, totals;
    for (const PlacedBand &band : laid.pages.at(0).bands) {
        for (const TextItem &text : band.texts) {
            if (text.objectName == u"mc")
                names << text.text;
            else if (text.objectName == u"je")
                amounts << text.text;
            else if (text.objectName == u"hjje" || text.objectName == u"gmc")
                totals << text.text;
        }
    }
    QCOMPARE(names, (QStringList{QStringLiteral("钢板"), QStringLiteral("螺栓")}));
    QCOMPARE(amounts, (QStringList{QStringLiteral("100.00"), QStringLiteral("50.00")}));
    QCOMPARE(totals, (QStringList{QStringLiteral("购货单位：杭州明远机械有限公司"),
                                  QStringLiteral("150.00")}));
}

QTEST_GUILESS_MAIN(TestReport)
#include "tst_report.moc"
