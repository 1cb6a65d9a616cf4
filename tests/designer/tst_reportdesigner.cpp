#include "FakePrompt.h"
#include "print/report/Report.h"
#include "print/report/ReportTemplate.h"
#include "print/report/ReportViewer.h"
#include "print/report/TemplateFile.h"
#include "print/ui/DesignerObjectItem.h"
#include "print/ui/DesignerPropertyPanel.h"
#include "print/ui/DesignerScene.h"
#include "print/ui/DesignerView.h"
#include "print/ui/ReportDesigner.h"

#include <QAction>
#include <QBuffer>
#include <QCheckBox>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QFileInfo>
#include <QImage>
#include <QLineEdit>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QUndoStack>

namespace {

// An overlay invoice in miniature: a scan of the form underneath, fields at positions the
// file holds to the hundredth, one hidden field and a rule.
QByteArray fixtureXml()
{
    QImage scan(241, 140, QImage::Format_RGB32);
    scan.fill(QColor(255, 250, 240));
    QPainter painter(&scan);
    painter.setPen(QColor(200, 60, 60));
    painter.drawRect(5, 5, 230, 130);
    painter.drawLine(5, 40, 235, 40);
    painter.end();
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    scan.save(&buffer, "PNG");

    return QByteArrayLiteral(R"(<?xml version="1.0" encoding="UTF-8"?>
<report version="1">
  <page paperWidth="241" paperHeight="140" orientation="landscape"/>
  <band type="fixed" top="0" height="140">
    <picture name="ptc" x="0" y="0" width="241" height="140" mode="stretch" background="true"
             format="png">)") +
           png.toBase64() + QByteArrayLiteral(R"(</picture>
    <text name="fpno" x="180.5" y="8.25" width="40" height="6" size="12" halign="right"
          text="No.04381276"/>
    <text name="gmc" x="30" y="22" width="90" height="7" size="11"
          text="北京长城电子有限公司"/>
    <text name="KPR" x="150" y="120" width="30" height="6" visible="false" text="王小明"/>
    <line name="Line1" x="10" y="50" width="200" height="0" pen="0.3"/>
  </band>
</report>
)");
}

QRectF rounded(const QRectF &r)
{
    auto t = [](double v) { return std::round(v * 1000) / 1000; };
    return {t(r.x()), t(r.y()), t(r.width()), t(r.height())};
}

// Hands out one file name for saving and remembers what it was asked.
class RecordingFileDialogs final : public FileDialogs
{
public:
    QString saveAnswer;
    QString pictureAnswer;
    int saveAsked = 0;
    QString filter;

    QString openPictureFile(const QString &) override { return pictureAnswer; }
    QString saveFileName(const QString &, const QString &, const QString &askedFilter) override
    {
        ++saveAsked;
        filter = askedFilter;
        return saveAnswer;
    }
};

// The designer is opened by the tests themselves, not through the report.
class NoViewer final : public ReportViewer
{
public:
    void show(Report &) override {}
    void design(Report &) override {}
};

void sendMouse(QWidget *viewport, QEvent::Type type, const QPoint &at, Qt::MouseButtons buttons)
{
    const Qt::MouseButton button = type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton;
    QMouseEvent event(type, at, viewport->mapToGlobal(at), button, buttons, Qt::NoModifier);
    QApplication::sendEvent(viewport, &event);
}

} // namespace

class TestReportDesigner : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void clickSelectsAndFillsPanel();
    void rubberBandAndObjectList();
    void hiddenObjectIsSelectableAndFaded();
    void arrowKeysNudge_data();
    void arrowKeysNudge();
    void nudgesMergeIntoOneUndoStep();
    void saveWritesNewPositionToFile();
    void panelEditsRect_data();
    void panelEditsRect();
    void panelEditsProperties_data();
    void panelEditsProperties();
    void renameToTakenNameIsRefused();
    void addAndDeleteWithUndo();
    void addGoesIntoTheBandUnderIt_data();
    void addGoesIntoTheBandUnderIt();
    void choosePicture();
    void mouseDragSnapsToGrid_data();
    void mouseDragSnapsToGrid();
    void handleDragResizes();
    void saveWithoutFileAsksForName_data();
    void saveWithoutFileAsksForName();
    void closeAsksAboutUnsavedChanges_data();
    void closeAsksAboutUnsavedChanges();
    void reopeningStartsAFreshHistory();
    void designRunsModally();
    void zoomLevels();
    void rulersFollowTheView();

private:
    void openDesigner();
    // A report never loaded from a file, holding the fixture.
    void openUnnamed();
    DesignerObjectItem *item(const char *name) const;
    ReportObject *object(const char *name) const;
    QPoint onScreen(const QPointF &mm) const;
    void click(const char *name);
    std::unique_ptr<ReportTemplate> reloadFile(const QString &path) const;

    std::unique_ptr<QTemporaryDir> dir;
    QString path;
    NoViewer viewer;
    std::unique_ptr<Report> source;
    ReportTemplate *report = nullptr;
    std::unique_ptr<ReportDesigner> designer;
    std::unique_ptr<FakePrompt> prompt;
    std::unique_ptr<RecordingFileDialogs> files;
};

void TestReportDesigner::init()
{
    dir = std::make_unique<QTemporaryDir>();
    path = dir->filePath(QStringLiteral("zzsfp.fr3"));
    ReportTemplate written;
    TemplateFile::read(fixtureXml(), path, written);
    TemplateFile::save(written, path);
    source = std::make_unique<Report>(viewer);
    source->loadTemplate(path);
    report = &source->definition();
    prompt = std::make_unique<FakePrompt>();
    files = std::make_unique<RecordingFileDialogs>();
    openDesigner();
}

void TestReportDesigner::cleanup()
{
    designer.reset();
    source.reset();
    files.reset();
    prompt.reset();
    dir.reset();
}

void TestReportDesigner::openUnnamed()
{
    designer.reset();
    source = std::make_unique<Report>(viewer);
    TemplateFile::read(fixtureXml(), QStringLiteral("fixture"), source->definition());
    report = &source->definition();
    openDesigner();
}

void TestReportDesigner::openDesigner()
{
    designer = std::make_unique<ReportDesigner>(*source, *prompt, *files);
    designer->show();
    QVERIFY(QTest::qWaitForWindowExposed(designer.get()));
    designer->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(designer.get()));
    designer->designerView()->zoomActualSize();
}

ReportObject *TestReportDesigner::object(const char *name) const
{
    return report->findObject(QString::fromLatin1(name));
}

DesignerObjectItem *TestReportDesigner::item(const char *name) const
{
    return designer->designerScene()->itemFor(object(name)->id());
}

QPoint TestReportDesigner::onScreen(const QPointF &mm) const
{
    DesignerView *view = designer->designerView();
    view->ensureVisible(QRectF(mm, QSizeF(1, 1)), 20, 20);
    return view->mapFromScene(mm);
}

void TestReportDesigner::click(const char *name)
{
    const QPoint at = onScreen(object(name)->rect().center());
    QTest::mouseClick(designer->designerView()->viewport(), Qt::LeftButton, {}, at);
}

std::unique_ptr<ReportTemplate> TestReportDesigner::reloadFile(const QString &file) const
{
    auto copy = std::make_unique<ReportTemplate>();
    TemplateFile::load(file, *copy);
    return copy;
}

void TestReportDesigner::clickSelectsAndFillsPanel()
{
    click("gmc");
    const std::vector<ObjectId> selected = designer->designerScene()->selectedIds();
    QCOMPARE(selected, std::vector<ObjectId>{object("gmc")->id()});
    DesignerPropertyPanel *panel = designer->propertyPanel();
    QCOMPARE(panel->object(), object("gmc"));
    QCOMPARE(panel->findChild<QPlainTextEdit *>(QStringLiteral("textEdit"))->toPlainText(),
             QStringLiteral("北京长城电子有限公司"));
    QCOMPARE(panel->findChild<QDoubleSpinBox *>(QStringLiteral("heightSpin"))->value(), 7.0);

    // The scan of the form lies under everything, so a click on a field never picks it.
    click("fpno");
    QCOMPARE(panel->object(), object("fpno"));

    // A click on bare paper selects nothing and empties the panel.
    QTest::mouseClick(designer->designerView()->viewport(), Qt::LeftButton, {},
                      onScreen({100, 90}));
    QVERIFY(designer->designerScene()->selectedIds().empty());
    QCOMPARE(panel->object(), nullptr);
}

// The scan of the form covers the whole page; the rubber band must still start on it and pick
// only the fields it encloses. The scan itself is chosen by name.
void TestReportDesigner::rubberBandAndObjectList()
{
    DesignerView *view = designer->designerView();
    designer->findChild<QAction *>(QStringLiteral("zoomFitAction"))->trigger();
    const QPoint from = view->mapFromScene(QPointF(25, 5));
    const QPoint to = view->mapFromScene(QPointF(225, 32));
    QWidget *viewport = view->viewport();
    QTest::mousePress(viewport, Qt::LeftButton, {}, from);
    sendMouse(viewport, QEvent::MouseMove, (from + to) / 2, Qt::LeftButton);
    sendMouse(viewport, QEvent::MouseMove, to, Qt::LeftButton);
    QTest::mouseRelease(viewport, Qt::LeftButton, {}, to);
    std::vector<ObjectId> expected{object("fpno")->id(), object("gmc")->id()};
    QCOMPARE(designer->designerScene()->selectedIds(), expected);
    QCOMPARE(designer->propertyPanel()->object(), nullptr);
    QCOMPARE(object("ptc")->rect(), QRectF(0, 0, 241, 140));

    // Both move together.
    QTest::keyClick(view, Qt::Key_Up);
    QCOMPARE(rounded(object("gmc")->rect()), QRectF(30, 21.9, 90, 7));
    QCOMPARE(rounded(object("fpno")->rect()), QRectF(180.5, 8.15, 40, 6));

    auto *list = designer->findChild<QComboBox *>(QStringLiteral("objectCombo"));
    const int ptc = list->findText(QStringLiteral("ptc"));
    QVERIFY(ptc >= 0);
    list->setCurrentIndex(ptc);
    emit list->activated(ptc);
    QCOMPARE(designer->designerScene()->selectedIds(), std::vector<ObjectId>{object("ptc")->id()});
    QCOMPARE(designer->propertyPanel()->object(), object("ptc"));
    QTest::keyClick(view, Qt::Key_Right, Qt::ShiftModifier);
    QCOMPARE(object("ptc")->rect(), QRectF(1, 0, 241, 140));

    // Renaming shows in the list at once.
    click("gmc");
    QCOMPARE(list->currentText(), QStringLiteral("gmc"));
    auto *name = designer->propertyPanel()->findChild<QLineEdit *>(QStringLiteral("nameEdit"));
    name->setText(QStringLiteral("buyer"));
    emit name->editingFinished();
    QCOMPARE(list->currentText(), QStringLiteral("buyer"));
}

void TestReportDesigner::hiddenObjectIsSelectableAndFaded()
{
    click("KPR");
    QCOMPARE(designer->propertyPanel()->object(), object("KPR"));
    QVERIFY(!designer->propertyPanel()
                 ->findChild<QCheckBox *>(QStringLiteral("visibleCheck"))
                 ->isChecked());

    // The same text drawn hidden is paler than drawn visible.
    auto darkest = [this] {
        const QRectF area = object("KPR")->rect();
        QImage image(300, 60, QImage::Format_RGB32);
        image.fill(Qt::white);
        QPainter painter(&image);
        designer->designerScene()->clearSelection();
        designer->designerScene()->render(&painter, image.rect(), area);
        painter.end();
        int least = 255;
        for (int y = 0; y < image.height(); ++y) {
            for (int x = 0; x < image.width(); ++x)
                least = std::min(least, qGray(image.pixel(x, y)));
        }
        return least;
    };
    const int hidden = darkest();
    object("KPR")->setVisible(true);
    const int shown = darkest();
    QVERIFY2(shown < 60, qPrintable(QString::number(shown)));
    QVERIFY2(hidden > shown + 60, qPrintable(QStringLiteral("%1 %2").arg(hidden).arg(shown)));
}

void TestReportDesigner::arrowKeysNudge_data()
{
    QTest::addColumn<int>("key");
    QTest::addColumn<Qt::KeyboardModifiers>("modifiers");
    QTest::addColumn<QPointF>("delta");
    QTest::newRow("right") << int(Qt::Key_Right) << Qt::KeyboardModifiers() << QPointF(0.1, 0);
    QTest::newRow("left") << int(Qt::Key_Left) << Qt::KeyboardModifiers() << QPointF(-0.1, 0);
    QTest::newRow("up") << int(Qt::Key_Up) << Qt::KeyboardModifiers() << QPointF(0, -0.1);
    QTest::newRow("down") << int(Qt::Key_Down) << Qt::KeyboardModifiers() << QPointF(0, 0.1);
    QTest::newRow("shift right") << int(Qt::Key_Right) << Qt::KeyboardModifiers(Qt::ShiftModifier)
                                 << QPointF(1, 0);
    QTest::newRow("shift up") << int(Qt::Key_Up) << Qt::KeyboardModifiers(Qt::ShiftModifier)
                              << QPointF(0, -1);
}

// Nudging must not snap: fpno sits at 180.5 / 8.25, off the 1 mm grid, with snapping on.
void TestReportDesigner::arrowKeysNudge()
{
    QFETCH(int, key);
    QFETCH(Qt::KeyboardModifiers, modifiers);
    QFETCH(QPointF, delta);
    QVERIFY(designer->designerScene()->snapsToGrid());
    click("fpno");
    const QRectF before = object("fpno")->rect();
    const QRectF gmcBefore = object("gmc")->rect();
    QTest::keyClick(designer->designerView(), Qt::Key(key), modifiers);
    QCOMPARE(rounded(object("fpno")->rect()), rounded(before.translated(delta)));
    QCOMPARE(object("gmc")->rect(), gmcBefore);
    QCOMPARE(rounded(item("fpno")->shownRect()), rounded(object("fpno")->rect()));
}

void TestReportDesigner::nudgesMergeIntoOneUndoStep()
{
    QUndoStack *undo = report->undoStack();
    click("gmc");
    const QRectF start = object("gmc")->rect();
    for (int i = 0; i < 3; ++i)
        QTest::keyClick(designer->designerView(), Qt::Key_Right);
    QCOMPARE(rounded(object("gmc")->rect()), rounded(start.translated(0.3, 0)));
    QCOMPARE(undo->count(), 1);

    undo->undo();
    QCOMPARE(object("gmc")->rect(), start);
    QCOMPARE(item("gmc")->shownRect(), start);
    undo->redo();
    QCOMPARE(rounded(object("gmc")->rect()), rounded(start.translated(0.3, 0)));

    // Another object's nudge is a step of its own.
    click("fpno");
    QTest::keyClick(designer->designerView(), Qt::Key_Down);
    QCOMPARE(undo->count(), 2);
    undo->undo();
    QCOMPARE(rounded(object("gmc")->rect()), rounded(start.translated(0.3, 0)));
}

void TestReportDesigner::saveWritesNewPositionToFile()
{
    click("fpno");
    QTest::keyClick(designer->designerView(), Qt::Key_Left);
    QTest::keyClick(designer->designerView(), Qt::Key_Down, Qt::ShiftModifier);
    QVERIFY(designer->hasUnsavedChanges());
    designer->findChild<QAction *>(QStringLiteral("saveAction"))->trigger();
    QVERIFY(prompt->shown().isEmpty());
    QVERIFY(!designer->hasUnsavedChanges());
    QCOMPARE(files->saveAsked, 0);

    const auto saved = reloadFile(path);
    QCOMPARE(rounded(saved->findObject(QStringLiteral("fpno"))->rect()),
             QRectF(180.4, 9.25, 40, 6));
    // Only the moved object changed; the values in the fields are kept as they were.
    QCOMPARE(saved->findObject(QStringLiteral("gmc"))->rect(), QRectF(30, 22, 90, 7));
    QCOMPARE(static_cast<TextObject *>(saved->findObject(QStringLiteral("gmc")))->text(),
             QStringLiteral("北京长城电子有限公司"));

    // Undo after saving puts it back and makes the designer unsaved again.
    report->undoStack()->undo();
    QCOMPARE(object("fpno")->rect(), QRectF(180.5, 8.25, 40, 6));
    QVERIFY(designer->hasUnsavedChanges());
    report->undoStack()->redo();
    QVERIFY(!designer->hasUnsavedChanges());
}

void TestReportDesigner::panelEditsRect_data()
{
    QTest::addColumn<QString>("spin");
    QTest::addColumn<double>("value");
    QTest::addColumn<QRectF>("expected");
    QTest::addColumn<QString>("undoText");
    QTest::addColumn<double>("original");
    // fpno starts at 180.5, 8.25, 40 x 6; the panel must not round 8.25 when x changes.
    QTest::newRow("x") << "xSpin" << 170.3 << QRectF(170.3, 8.25, 40, 6) << "移动" << 180.5;
    QTest::newRow("y") << "ySpin" << 9.0 << QRectF(180.5, 9, 40, 6) << "移动" << 8.25;
    QTest::newRow("width") << "widthSpin" << 35.5 << QRectF(180.5, 8.25, 35.5, 6) << "改变大小"
                           << 40.0;
    QTest::newRow("height") << "heightSpin" << 4.2 << QRectF(180.5, 8.25, 40, 4.2) << "改变大小"
                            << 6.0;
}

void TestReportDesigner::panelEditsRect()
{
    QFETCH(QString, spin);
    QFETCH(double, value);
    QFETCH(QRectF, expected);
    QFETCH(QString, undoText);
    QFETCH(double, original);
    click("fpno");
    auto *box = designer->propertyPanel()->findChild<QDoubleSpinBox *>(spin);
    QVERIFY(box);
    QCOMPARE(box->singleStep(), 0.1);
    box->setValue(value);
    QCOMPARE(rounded(object("fpno")->rect()), expected);
    QCOMPARE(rounded(item("fpno")->shownRect()), expected);
    QCOMPARE(report->undoStack()->undoText(), undoText);

    QVERIFY(designer->save());
    QCOMPARE(rounded(reloadFile(path)->findObject(QStringLiteral("fpno"))->rect()), expected);

    report->undoStack()->undo();
    QCOMPARE(object("fpno")->rect(), QRectF(180.5, 8.25, 40, 6));
    QCOMPARE(box->value(), original);
}

void TestReportDesigner::panelEditsProperties_data()
{
    QTest::addColumn<QString>("widget");
    QTest::addColumn<QVariant>("input");
    QTest::addColumn<DesignerProperty>("property");
    QTest::addColumn<QVariant>("expected");
    QTest::newRow("bold") << "boldCheck" << QVariant(true) << DesignerProperty::Bold
                          << QVariant(true);
    QTest::newRow("size") << "fontSizeSpin" << QVariant(14.5) << DesignerProperty::FontSize
                          << QVariant(14.5);
    QTest::newRow("align right") << "hAlignCombo" << QVariant(2) << DesignerProperty::HAlign
                                 << QVariant(int(HAlign::Right));
    QTest::newRow("align bottom") << "vAlignCombo" << QVariant(2) << DesignerProperty::VAlign
                                  << QVariant(int(VAlign::Bottom));
    QTest::newRow("frame top") << "frameTopCheck" << QVariant(true) << DesignerProperty::FrameSides
                               << QVariant(unsigned(TopSide));
    QTest::newRow("hide") << "visibleCheck" << QVariant(false) << DesignerProperty::Visible
                          << QVariant(false);
    QTest::newRow("text") << "textEdit" << QVariant(QStringLiteral("上海第一\n分公司"))
                          << DesignerProperty::Text << QVariant(QStringLiteral("上海第一\n分公司"));
}

void TestReportDesigner::panelEditsProperties()
{
    QFETCH(QString, widget);
    QFETCH(QVariant, input);
    QFETCH(DesignerProperty, property);
    QFETCH(QVariant, expected);
    click("gmc");
    const QVariant before = DesignerProperties::read(*object("gmc"), property);
    QWidget *editor = designer->propertyPanel()->findChild<QWidget *>(widget);
    QVERIFY(editor);
    if (auto *check = qobject_cast<QCheckBox *>(editor))
        check->setChecked(input.toBool());
    else if (auto *spin = qobject_cast<QDoubleSpinBox *>(editor))
        spin->setValue(input.toDouble());
    else if (auto *combo = qobject_cast<QComboBox *>(editor))
        combo->setCurrentIndex(input.toInt());
    else if (auto *text = qobject_cast<QPlainTextEdit *>(editor))
        text->setPlainText(input.toString());
    QCOMPARE(DesignerProperties::read(*object("gmc"), property), expected);

    QVERIFY(designer->save());
    QCOMPARE(
        DesignerProperties::read(*reloadFile(path)->findObject(QStringLiteral("gmc")), property),
        expected);
    report->undoStack()->undo();
    QCOMPARE(DesignerProperties::read(*object("gmc"), property), before);
}

void TestReportDesigner::renameToTakenNameIsRefused()
{
    click("gmc");
    auto *name = designer->propertyPanel()->findChild<QLineEdit *>(QStringLiteral("nameEdit"));
    name->setText(QStringLiteral("FPNO"));
    emit name->editingFinished();
    QCOMPARE(prompt->errors().size(), 1);
    QVERIFY(prompt->errors().front().contains(QStringLiteral("FPNO")));
    QCOMPARE(object("gmc")->name(), QStringLiteral("gmc"));
    QCOMPARE(name->text(), QStringLiteral("gmc"));
    QCOMPARE(report->undoStack()->count(), 0);

    name->setText(QStringLiteral("gmc2"));
    emit name->editingFinished();
    QVERIFY(report->findObject(QStringLiteral("gmc2")));
    report->undoStack()->undo();
    QCOMPARE(report->findObject(QStringLiteral("gmc2")), nullptr);
    QVERIFY(report->findObject(QStringLiteral("gmc")));
}

void TestReportDesigner::addAndDeleteWithUndo()
{
    QUndoStack *undo = report->undoStack();
    designer->findChild<QAction *>(QStringLiteral("addTextAction"))->trigger();
    ReportObject *added = report->findObject(QStringLiteral("Text1"));
    QVERIFY(added);
    const ObjectId addedId = added->id();
    QVERIFY(designer->designerScene()->itemFor(addedId));
    QCOMPARE(designer->propertyPanel()->object(), added);
    QVERIFY(designer->designerScene()->paperRect().contains(added->rect().topLeft()));
    QCOMPARE(static_cast<TextObject *>(added)->font().family, QStringLiteral("Arial"));
    QCOMPARE(static_cast<TextObject *>(added)->font().pointSize, 10.0);

    undo->undo();
    QCOMPARE(report->findObject(QStringLiteral("Text1")), nullptr);
    QCOMPARE(designer->designerScene()->itemFor(addedId), nullptr);
    QCOMPARE(designer->propertyPanel()->object(), nullptr);
    undo->redo();
    QVERIFY(designer->designerScene()->itemFor(addedId));
    QCOMPARE(report->findObject(QStringLiteral("Text1"))->id(), addedId);

    designer->addLine();
    QCOMPARE(report->findObject(QStringLiteral("Line2"))->kind(), ObjectKind::Line);
    designer->addPicture();
    QCOMPARE(report->findObject(QStringLiteral("Picture1"))->kind(), ObjectKind::Picture);

    // Delete a field with the Delete key; undo brings it back in its place in the drawing order.
    const std::vector<ReportObject *> order = report->objects();
    click("gmc");
    QTest::keyClick(designer->designerView(), Qt::Key_Delete);
    QCOMPARE(report->findObject(QStringLiteral("gmc")), nullptr);
    QVERIFY(designer->designerScene()->selectedIds().empty());
    QVERIFY(designer->save());
    QCOMPARE(reloadFile(path)->findObject(QStringLiteral("gmc")), nullptr);
    QVERIFY(reloadFile(path)->findObject(QStringLiteral("Text1")));

    undo->undo();
    QCOMPARE(report->objects(), order);
    QCOMPARE(static_cast<TextObject *>(object("gmc"))->text(),
             QStringLiteral("北京长城电子有限公司"));
    QVERIFY(item("gmc"));
    click("gmc");
    QCOMPARE(designer->propertyPanel()->object(), object("gmc"));
}

void TestReportDesigner::addGoesIntoTheBandUnderIt_data()
{
    QTest::addColumn<QPointF>("centre");
    QTest::addColumn<QString>("band");
    // A sales list: page header 10-57, data rows 57-63, footer 70-106, page footer 277-283.
    QTest::newRow("data row") << QPointF(100, 59.5) << "data";
    QTest::newRow("footer") << QPointF(100, 80) << "footer";
    QTest::newRow("between bands") << QPointF(100, 200) << "fixed";
}

// Objects print with their band: a field dropped on the data row repeats for every line, one
// dropped where no band lies prints once.
void TestReportDesigner::addGoesIntoTheBandUnderIt()
{
    QFETCH(QPointF, centre);
    QFETCH(QString, band);
    designer.reset();
    source->loadTemplate(QStringLiteral(KELVANE_TEST_DATA "/report_list.fr3"));
    report = &source->definition();
    const size_t bands = report->bands().size();
    openDesigner();
    designer->designerView()->centerOn(centre);
    designer->addText();
    const ReportObject *added = report->findObject(QStringLiteral("Text1"));
    QVERIFY(added);
    QCOMPARE(bandTypeName(added->band()->type()), band);
    QCOMPARE(report->bands().size(), bands + (band == QStringLiteral("fixed") ? 1 : 0));
}

void TestReportDesigner::choosePicture()
{
    designer->addPicture();
    auto *picture = static_cast<PictureObject *>(report->findObject(QStringLiteral("Picture1")));
    QVERIFY(picture && !picture->hasPicture());
    auto *button =
        designer->propertyPanel()->findChild<QPushButton *>(QStringLiteral("pictureButton"));
    QVERIFY(button && button->isVisibleTo(designer->propertyPanel()));

    // Not a picture, whatever its name says: refused with a message, nothing changes.
    const QString fake = dir->filePath(QStringLiteral("form.jpeg"));
    QFile text(fake);
    QVERIFY(text.open(QIODevice::WriteOnly));
    text.write("not a picture");
    text.close();
    files->pictureAnswer = fake;
    const int steps = report->undoStack()->count();
    button->click();
    QCOMPARE(prompt->errors().size(), 1);
    QVERIFY(!picture->hasPicture());
    QCOMPARE(report->undoStack()->count(), steps);

    QImage scan(8, 4, QImage::Format_RGB32);
    scan.fill(Qt::red);
    const QString real = dir->filePath(QStringLiteral("form.jpeg"));
    QVERIFY(scan.save(real, "JPG"));
    button->click();
    QCOMPARE(prompt->errors().size(), 1);
    QCOMPARE(picture->format(), QStringLiteral("jpg"));
    QCOMPARE(picture->image().size(), QSize(8, 4));
    QVERIFY(designer->save());
    const auto saved = reloadFile(path);
    QCOMPARE(
        static_cast<PictureObject *>(saved->findObject(QStringLiteral("Picture1")))->image().size(),
        QSize(8, 4));
    report->undoStack()->undo();
    QVERIFY(!picture->hasPicture());
}

void TestReportDesigner::mouseDragSnapsToGrid_data()
{
    QTest::addColumn<bool>("snap");
    QTest::addColumn<QPointF>("expectedTopLeft");
    // fpno at 180.5 / 8.25 dragged by about 5.3 / 3.4 mm.
    QTest::newRow("snapping") << true << QPointF(186, 12);
    QTest::newRow("free") << false << QPointF(185.8, 11.65);
}

void TestReportDesigner::mouseDragSnapsToGrid()
{
    QFETCH(bool, snap);
    QFETCH(QPointF, expectedTopLeft);
    QAction *snapAction = designer->findChild<QAction *>(QStringLiteral("snapAction"));
    if (snapAction->isChecked() != snap)
        snapAction->trigger();
    QCOMPARE(designer->designerScene()->snapsToGrid(), snap);

    DesignerView *view = designer->designerView();
    view->setZoom(4.0);
    const QPointF grip = object("fpno")->rect().center();
    const QPoint from = onScreen(grip);
    const double ppm = view->pixelsPerMm();
    const QPoint to = from + QPoint(qRound(5.3 * ppm), qRound(3.4 * ppm));
    const QPointF reached = view->mapToScene(to) - view->mapToScene(from);
    QWidget *viewport = view->viewport();
    QTest::mousePress(viewport, Qt::LeftButton, {}, from);
    sendMouse(viewport, QEvent::MouseMove, (from + to) / 2, Qt::LeftButton);
    sendMouse(viewport, QEvent::MouseMove, to, Qt::LeftButton);
    QTest::mouseRelease(viewport, Qt::LeftButton, {}, to);

    const QPointF topLeft = object("fpno")->rect().topLeft();
    if (snap) {
        QCOMPARE(topLeft, expectedTopLeft);
    } else {
        // Free dragging follows the mouse to the pixel.
        QVERIFY(std::abs(topLeft.x() - (180.5 + reached.x())) < 1e-3);
        QVERIFY(std::abs(topLeft.y() - (8.25 + reached.y())) < 1e-3);
        QVERIFY(std::abs(topLeft.x() - expectedTopLeft.x()) < 1 / ppm);
    }
    QCOMPARE(object("fpno")->rect().size(), QSizeF(40, 6));
    QCOMPARE(report->undoStack()->count(), 1);
    report->undoStack()->undo();
    QCOMPARE(object("fpno")->rect(), QRectF(180.5, 8.25, 40, 6));
}

void TestReportDesigner::handleDragResizes()
{
    DesignerView *view = designer->designerView();
    view->setZoom(4.0);
    click("gmc");
    // The bottom-right grip of gmc (30, 22, 90 x 7) pulled to about 125.3 / 31.6: snapped.
    view->ensureVisible(QRectF(115, 25, 15, 10), 20, 20);
    const QPoint from = view->mapFromScene(QPointF(120, 29));
    const QPoint to = view->mapFromScene(QPointF(125.3, 31.6));
    QWidget *viewport = view->viewport();
    QTest::mousePress(viewport, Qt::LeftButton, {}, from);
    sendMouse(viewport, QEvent::MouseMove, to, Qt::LeftButton);
    QTest::mouseRelease(viewport, Qt::LeftButton, {}, to);
    QCOMPARE(object("gmc")->rect(), QRectF(30, 22, 95, 10));
    QCOMPARE(report->undoStack()->undoText(), QStringLiteral("改变大小"));
    QCOMPARE(designer->propertyPanel()
                 ->findChild<QDoubleSpinBox *>(QStringLiteral("widthSpin"))
                 ->value(),
             95.0);
    report->undoStack()->undo();
    QCOMPARE(object("gmc")->rect(), QRectF(30, 22, 90, 7));
}

void TestReportDesigner::saveWithoutFileAsksForName_data()
{
    QTest::addColumn<QString>("answer");
    QTest::addColumn<QString>("written");
    QTest::newRow("extension added") << "mine"
                                     << "mine.fr3";
    QTest::newRow("extension kept") << "mine.FR3"
                                    << "mine.FR3";
    QTest::newRow("cancelled") << ""
                               << "";
}

void TestReportDesigner::saveWithoutFileAsksForName()
{
    QFETCH(QString, answer);
    QFETCH(QString, written);
    openUnnamed();
    files->saveAnswer = answer.isEmpty() ? QString() : dir->filePath(answer);
    click("fpno");
    QTest::keyClick(designer->designerView(), Qt::Key_Right);

    const bool saved = designer->save();
    QCOMPARE(files->saveAsked, 1);
    QVERIFY(files->filter.contains(QStringLiteral("*.fr3")));
    QCOMPARE(saved, !written.isEmpty());
    QCOMPARE(designer->hasUnsavedChanges(), written.isEmpty());
    if (written.isEmpty()) {
        QVERIFY(designer->filePath().isEmpty());
        return;
    }
    QCOMPARE(designer->filePath(), dir->filePath(written));
    QCOMPARE(
        rounded(reloadFile(dir->filePath(written))->findObject(QStringLiteral("fpno"))->rect()),
        QRectF(180.6, 8.25, 40, 6));

    // The name sticks: the next Save goes to the same file without asking.
    QTest::keyClick(designer->designerView(), Qt::Key_Right);
    QVERIFY(designer->save());
    QCOMPARE(files->saveAsked, 1);
}

void TestReportDesigner::closeAsksAboutUnsavedChanges_data()
{
    QTest::addColumn<bool>("edit");
    QTest::addColumn<bool>("withFile");
    QTest::addColumn<bool>("yes");
    QTest::addColumn<bool>("asked");
    QTest::addColumn<bool>("closed");
    QTest::addColumn<double>("fileX");  // fpno's x in the file afterwards
    QTest::addColumn<double>("modelX"); // and in the loaded template
    QTest::newRow("no changes") << false << true << false << false << true << 180.5 << 180.5;
    QTest::newRow("yes saves") << true << true << true << true << true << 181.5 << 181.5;
    QTest::newRow("no discards") << true << true << false << true << true << 180.5 << 180.5;
    QTest::newRow("yes but no name") << true << false << true << true << false << 180.5 << 181.5;
}

void TestReportDesigner::closeAsksAboutUnsavedChanges()
{
    QFETCH(bool, edit);
    QFETCH(bool, withFile);
    QFETCH(bool, yes);
    QFETCH(bool, asked);
    QFETCH(bool, closed);
    QFETCH(double, fileX);
    QFETCH(double, modelX);
    if (!withFile)
        openUnnamed();
    prompt->answer({yes});
    if (edit) {
        click("fpno");
        QTest::keyClick(designer->designerView(), Qt::Key_Right, Qt::ShiftModifier);
    }
    designer->close();
    QCOMPARE(prompt->shown().size(), asked ? 1 : 0);
    if (asked) {
        QCOMPARE(prompt->shown().front().kind, FakePrompt::Shown::Question);
        QCOMPARE(prompt->shown().front().caption, QStringLiteral("信息"));
    }
    QCOMPARE(designer->isVisible(), !closed);
    QCOMPARE(reloadFile(path)->findObject(QStringLiteral("fpno"))->rect().x(), fileX);
    QCOMPARE(object("fpno")->rect().x(), modelX);
}

// The print commands load the template again before every designer session; steps of an
// earlier session would point at bands that are gone.
void TestReportDesigner::reopeningStartsAFreshHistory()
{
    click("gmc");
    QTest::keyClick(designer->designerView(), Qt::Key_Delete);
    QVERIFY(designer->save());
    designer->close();
    while (!report->bands().empty())
        report->takeBand(report->bands().front().get());
    TemplateFile::load(path, *report);

    openDesigner();
    QCOMPARE(report->undoStack()->count(), 0);
    QVERIFY(!designer->findChild<QAction *>(QStringLiteral("undoAction"))->isEnabled());
    QVERIFY(!designer->hasUnsavedChanges());
    QCOMPARE(report->findObject(QStringLiteral("gmc")), nullptr);
    QVERIFY(item("fpno"));
}

// As the print commands open it: the report's design call runs the designer's own event loop
// and returns when the user closes it.
void TestReportDesigner::designRunsModally()
{
    designer.reset();
    struct DesigningViewer final : ReportViewer
    {
        Prompt &prompt;
        FileDialogs &files;
        int result = -1;
        DesigningViewer(Prompt &prompt, FileDialogs &files) : prompt(prompt), files(files) {}
        void show(Report &) override {}
        void design(Report &report) override
        {
            ReportDesigner window(report, prompt, files);
            result = window.exec();
        }
    } viewer(*prompt, *files);
    Report commanded(viewer);
    commanded.loadTemplate(path);

    bool sawModal = false;
    QTimer::singleShot(0, this, [&] {
        auto *open = qobject_cast<ReportDesigner *>(QApplication::activeModalWidget());
        sawModal = open != nullptr;
        if (!open)
            return;
        ReportTemplate &definition = commanded.definition();
        open->designerScene()->selectOnly(definition.findObject(QStringLiteral("gmc"))->id());
        QTest::keyClick(open->designerView(), Qt::Key_Down, Qt::ShiftModifier);
        open->close(); // answered Yes below: saves, then closes
    });
    prompt->answer({true});
    commanded.design();
    QVERIFY(sawModal);
    QCOMPARE(viewer.result, int(QDialog::Accepted));
    QCOMPARE(prompt->shown().size(), 1);
    QCOMPARE(reloadFile(path)->findObject(QStringLiteral("gmc"))->rect(), QRectF(30, 23, 90, 7));
}

void TestReportDesigner::zoomLevels()
{
    DesignerView *view = designer->designerView();
    const double realSize = view->logicalDpiX() / 25.4;
    QCOMPARE(view->pixelsPerMm(), realSize);
    designer->findChild<QAction *>(QStringLiteral("zoomInAction"))->trigger();
    QVERIFY(view->pixelsPerMm() > realSize);
    designer->findChild<QAction *>(QStringLiteral("zoomActualAction"))->trigger();
    QCOMPARE(view->pixelsPerMm(), realSize);
    designer->findChild<QAction *>(QStringLiteral("zoomOutAction"))->trigger();
    QVERIFY(view->pixelsPerMm() < realSize);

    designer->findChild<QAction *>(QStringLiteral("zoomFitAction"))->trigger();
    const QRect paper = view->mapFromScene(designer->designerScene()->paperRect()).boundingRect();
    const QRect room = view->viewport()->rect();
    QVERIFY(room.contains(paper));
    QVERIFY(paper.width() > room.width() * 0.9 || paper.height() > room.height() * 0.9);
}

// The rulers' marks must sit over the page's millimetres: the 0 mark at the paper's left
// edge, the 100 mark 100 mm further, at any zoom.
void TestReportDesigner::rulersFollowTheView()
{
    DesignerView *view = designer->designerView();
    auto *top = designer->findChild<QWidget *>(QStringLiteral("topRuler"));
    QVERIFY(top);
    struct Case
    {
        double zoom;
        double first, second, between; // two labelled marks in view, and a place with none
    };
    for (const Case &c : {Case{1.0, 0, 100, 3.5}, Case{2.5, 50, 70, 53.5}}) {
        const double zoom = c.zoom;
        view->setZoom(zoom);
        view->centerOn(QPointF(60, 70));
        QApplication::processEvents();
        const QImage image = top->grab().toImage();
        auto markAt = [&](double mm) {
            const int x = top->mapFromGlobal(
                                 view->viewport()->mapToGlobal(view->mapFromScene(QPointF(mm, 0))))
                              .x();
            for (int dx = -1; dx <= 1; ++dx) {
                if (qGray(image.pixel(std::clamp(x + dx, 0, image.width() - 1), 0)) < 128)
                    return true;
            }
            return false;
        };
        // Full-height marks stand at the labelled tens only.
        QVERIFY2(markAt(c.first) && markAt(c.second), qPrintable(QString::number(zoom)));
        QVERIFY2(!markAt(c.between), qPrintable(QString::number(zoom)));
    }
    const QString shot = qEnvironmentVariable("KELVANE_DESIGNER_SHOT");
    if (!shot.isEmpty()) {
        view->setZoom(2.0);
        view->centerOn(QPointF(70, 25));
        click("gmc");
        designer->grab().save(shot);
        designer->findChild<QAction *>(QStringLiteral("zoomFitAction"))->trigger();
        designer->grab().save(QFileInfo(shot).path() + QStringLiteral("/page-") +
                              QFileInfo(shot).fileName());
    }
}

QTEST_MAIN(TestReportDesigner)
#include "tst_reportdesigner.moc"
