#include "ReportDesigner.h"

#include "DesignerCommands.h"
#include "DesignerObjectItem.h"
#include "DesignerPropertyPanel.h"
#include "DesignerRuler.h"
#include "DesignerScene.h"
#include "DesignerView.h"
#include "app/FileDialogs.h"
#include "app/Prompt.h"
#include "print/report/Report.h"
#include "print/report/ReportError.h"
#include "print/report/ReportTemplate.h"

#include <QAction>
#include <QCloseEvent>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGridLayout>
#include <QImage>
#include <QScrollArea>
#include <QSignalBlocker>
#include <QSplitter>
#include <QToolBar>
#include <QUndoStack>
#include <QVBoxLayout>

namespace {

const QString templateSuffix = QStringLiteral("fr3");

constexpr QSizeF newTextSize{30, 6};
constexpr QSizeF newPictureSize{40, 30};
constexpr QSizeF newLineSize{40, 0};

// What a new text starts with; Chinese glyphs come from the CJK stand-in when printed.
FontChoice newTextFont()
{
    FontChoice font;
    font.family = QStringLiteral("Arial");
    font.pointSize = 10;
    return font;
}

// Pictures keep the format their bytes are in, named as the template file names them.
QString pictureFormat(const QString &fileName)
{
    const QString suffix = QFileInfo(fileName).suffix().toLower();
    return suffix == QStringLiteral("jpeg") ? QStringLiteral("jpg") : suffix;
}

} // namespace

ReportDesigner::ReportDesigner(Report &source, Prompt &prompt, FileDialogs &files, QWidget *parent)
    : QDialog(parent), report(&source.definition()), source(source), prompt(prompt), files(files),
      undo(report->undoStack())
{
    setObjectName(QStringLiteral("ReportDesigner"));
    setWindowFlag(Qt::WindowMaximizeButtonHint);
    // What was written into the fields before the designer opened is not the user's edit, and
    // steps left from an earlier session may name bands the template has since dropped.
    undo->clear();

    scene = new DesignerScene(report, this);
    view = new DesignerView(scene);
    view->setObjectName(QStringLiteral("designerView"));
    panel = new DesignerPropertyPanel;
    panel->setObjectName(QStringLiteral("propertyPanel"));

    auto *layout = new QVBoxLayout(this);
    auto *toolBar = new QToolBar;
    layout->addWidget(toolBar);
    buildActions();
    toolBar->addActions(toolActions);
    objectCombo = new QComboBox;
    objectCombo->setObjectName(QStringLiteral("objectCombo"));
    objectCombo->setMinimumContentsLength(12);
    toolBar->addWidget(objectCombo);
    connect(objectCombo, &QComboBox::activated, this, &ReportDesigner::chooseObject);

    auto *splitter = new QSplitter;
    splitter->addWidget(buildCanvas());
    auto *panelScroll = new QScrollArea;
    panelScroll->setWidget(panel);
    panelScroll->setWidgetResizable(true);
    splitter->addWidget(panelScroll);
    splitter->setStretchFactor(0, 1);
    layout->addWidget(splitter, 1);

    connect(scene, &QGraphicsScene::selectionChanged, this, &ReportDesigner::followSelection);
    connect(report, &ReportTemplate::objectChanged, this, [this](ReportObject *object) {
        if (object == panel->object())
            panel->refresh();
        listObjects();
    });
    connect(report, &ReportTemplate::objectAdded, this, &ReportDesigner::listObjects);
    connect(report, &ReportTemplate::objectRemoved, this, [this](ObjectId id) {
        if (panel->object() && panel->object()->id() == id)
            panel->setObject(nullptr);
        listObjects();
    });
    connect(report, &ReportTemplate::bandsChanged, this, &ReportDesigner::listObjects);
    connect(panel, &DesignerPropertyPanel::propertyEdited, this, &ReportDesigner::editProperty);
    connect(panel, &DesignerPropertyPanel::rectEdited, this, &ReportDesigner::editRect);
    connect(panel, &DesignerPropertyPanel::pictureRequested, this, &ReportDesigner::choosePicture);
    connect(undo, &QUndoStack::cleanChanged, this, &ReportDesigner::updateTitle);
    updateTitle();
    listObjects();
    resize(1100, 750);
    view->setFocus();
}

ReportDesigner::~ReportDesigner() = default;

QAction *ReportDesigner::addTool(const QString &name, const QString &text,
                                 const QKeySequence &shortcut, const std::function<void()> &run)
{
    auto *action = new QAction(text, this);
    action->setObjectName(name);
    action->setShortcut(shortcut);
    connect(action, &QAction::triggered, this, [run] { run(); });
    toolActions.append(action);
    QWidget::addAction(action);
    return action;
}

void ReportDesigner::buildActions()
{
    addTool(QStringLiteral("saveAction"), QStringLiteral("保存"), QKeySequence::Save,
            [this] { save(); });
    QAction *undoAction = undo->createUndoAction(this, QStringLiteral("撤销"));
    undoAction->setObjectName(QStringLiteral("undoAction"));
    undoAction->setShortcut(QKeySequence::Undo);
    QAction *redoAction = undo->createRedoAction(this, QStringLiteral("重做"));
    redoAction->setObjectName(QStringLiteral("redoAction"));
    redoAction->setShortcut(QKeySequence::Redo);
    toolActions << undoAction << redoAction;
    QWidget::addActions({undoAction, redoAction});

    addTool(QStringLiteral("addTextAction"), QStringLiteral("添加文本"), {}, [this] { addText(); });
    addTool(QStringLiteral("addPictureAction"), QStringLiteral("添加图片"), {},
            [this] { addPicture(); });
    addTool(QStringLiteral("addLineAction"), QStringLiteral("添加线条"), {}, [this] { addLine(); });
    QAction *remove = addTool(QStringLiteral("deleteAction"), QStringLiteral("删除"),
                              QKeySequence::Delete, [this] { deleteSelection(); });
    // Delete in the property panel's boxes edits their text, not the page.
    remove->setShortcutContext(Qt::WidgetShortcut);
    view->addAction(remove);

    addTool(QStringLiteral("zoomInAction"), QStringLiteral("放大"), QKeySequence::ZoomIn,
            [this] { view->zoomIn(); });
    addTool(QStringLiteral("zoomOutAction"), QStringLiteral("缩小"), QKeySequence::ZoomOut,
            [this] { view->zoomOut(); });
    addTool(QStringLiteral("zoomActualAction"), QStringLiteral("100%"), {},
            [this] { view->zoomActualSize(); });
    addTool(QStringLiteral("zoomFitAction"), QStringLiteral("适合页面"), {},
            [this] { view->zoomToFit(scene->paperRect()); });

    QAction *snap = addTool(QStringLiteral("snapAction"), QStringLiteral("对齐网格"), {}, [] {});
    snap->setCheckable(true);
    snap->setChecked(scene->snapsToGrid());
    connect(snap, &QAction::toggled, scene, &DesignerScene::setSnapToGrid);
}

QWidget *ReportDesigner::buildCanvas()
{
    auto *canvas = new QWidget;
    auto *grid = new QGridLayout(canvas);
    grid->setSpacing(0);
    grid->setContentsMargins(0, 0, 0, 0);
    auto *top = new DesignerRuler(Qt::Horizontal, view);
    auto *left = new DesignerRuler(Qt::Vertical, view);
    top->setObjectName(QStringLiteral("topRuler"));
    left->setObjectName(QStringLiteral("leftRuler"));
    grid->addWidget(top, 0, 1);
    grid->addWidget(left, 1, 0);
    grid->addWidget(view, 1, 1);
    connect(scene, &DesignerScene::pointerMoved, this, [top, left](const QPointF &mm) {
        top->setMarker(mm.x());
        left->setMarker(mm.y());
    });
    return canvas;
}

bool ReportDesigner::hasUnsavedChanges() const
{
    return !undo->isClean();
}

void ReportDesigner::updateTitle()
{
    const QString path = filePath();
    const QString file = path.isEmpty() ? QStringLiteral("未命名") : QFileInfo(path).fileName();
    setWindowTitle(QStringLiteral("报表设计 - %1[*]").arg(file));
    setWindowModified(hasUnsavedChanges());
}

QString ReportDesigner::filePath() const
{
    return source.templatePath();
}

bool ReportDesigner::save()
{
    QString target = filePath();
    if (target.isEmpty()) {
        target = files.saveFileName(QStringLiteral("保存报表模板"), QString(),
                                    QStringLiteral("报表模板 (*.fr3)"));
        if (target.isEmpty())
            return false;
        if (QFileInfo(target).suffix().compare(templateSuffix, Qt::CaseInsensitive) != 0)
            target += QLatin1Char('.') + templateSuffix;
    }
    try {
        source.saveTemplate(target);
    } catch (const ReportError &failure) {
        prompt.error(failure.message());
        return false;
    }
    savedOnce = true;
    undo->setClean();
    updateTitle();
    return true;
}

bool ReportDesigner::mayClose()
{
    if (!hasUnsavedChanges())
        return true;
    if (prompt.askYesNo(QStringLiteral("信息"), QStringLiteral("您修改了这个报表模板,要保存吗?")))
        return save();
    // Leave the loaded template as the file has it.
    if (undo->cleanIndex() >= 0)
        undo->setIndex(undo->cleanIndex());
    return true;
}

void ReportDesigner::reject()
{
    if (mayClose())
        done(savedOnce ? Accepted : Rejected);
}

void ReportDesigner::closeEvent(QCloseEvent *event)
{
    event->ignore();
    reject();
}

void ReportDesigner::followSelection()
{
    const std::vector<ObjectId> ids = scene->selectedIds();
    panel->setObject(ids.size() == 1 ? report->object(ids.front()) : nullptr);
    showChosenObject();
}

void ReportDesigner::showChosenObject()
{
    const std::vector<ObjectId> ids = scene->selectedIds();
    const QSignalBlocker blocker(objectCombo);
    objectCombo->setCurrentIndex(
        ids.size() == 1 ? objectCombo->findData(QVariant::fromValue(ids.front())) : -1);
}

void ReportDesigner::listObjects()
{
    QStringList names;
    for (const ReportObject *object : report->objects())
        names << object->name();
    QStringList shown;
    for (int i = 0; i < objectCombo->count(); ++i)
        shown << objectCombo->itemText(i);
    if (names == shown)
        return;
    {
        const QSignalBlocker blocker(objectCombo);
        objectCombo->clear();
        for (const ReportObject *object : report->objects())
            objectCombo->addItem(object->name(), QVariant::fromValue(object->id()));
    }
    showChosenObject();
}

void ReportDesigner::chooseObject(int index)
{
    const ObjectId id = objectCombo->itemData(index).value<ObjectId>();
    scene->selectOnly(id);
    if (const ReportObject *object = report->object(id))
        view->ensureVisible(object->rect().normalized());
    view->setFocus();
}

void ReportDesigner::addObject(std::unique_ptr<ReportObject> object, const QSizeF &size)
{
    const QPointF centre = view->mapToScene(view->viewport()->rect().center());
    const QPointF at =
        scene->snapped(scene->paperRect().contains(centre) ? centre : QPointF(10, 10));
    object->setRect(QRectF(at, size));
    ReportBand *band = nullptr;
    for (const auto &candidate : report->bands()) {
        if (at.y() >= candidate->top() && at.y() < candidate->bottom()) {
            band = candidate.get();
            break;
        }
    }
    // Outside every band (or in a template without any) it prints once, where placed.
    if (!band)
        band = report->fixedBand();
    auto *command = new AddObjectCommand(report, band, std::move(object));
    undo->push(command);
    scene->selectOnly(command->objectId());
    view->setFocus();
}

void ReportDesigner::addText()
{
    auto text = std::make_unique<TextObject>(report->uniqueName(QStringLiteral("Text")));
    text->setText(text->name());
    text->setFont(newTextFont());
    addObject(std::move(text), newTextSize);
}

void ReportDesigner::addPicture()
{
    addObject(std::make_unique<PictureObject>(report->uniqueName(QStringLiteral("Picture"))),
              newPictureSize);
}

void ReportDesigner::addLine()
{
    addObject(std::make_unique<LineObject>(report->uniqueName(QStringLiteral("Line"))),
              newLineSize);
}

void ReportDesigner::deleteSelection()
{
    std::vector<ObjectId> ids = scene->selectedIds();
    if (!ids.empty())
        undo->push(new DeleteObjectsCommand(report, std::move(ids)));
}

void ReportDesigner::choosePicture()
{
    ReportObject *object = panel->object();
    if (!object || object->kind() != ObjectKind::Picture)
        return;
    const QString file = files.openPictureFile(QFileInfo(filePath()).absolutePath());
    if (file.isEmpty())
        return;
    QFile input(file);
    const QByteArray bytes = input.open(QIODevice::ReadOnly) ? input.readAll() : QByteArray();
    if (QImage::fromData(bytes).isNull()) {
        prompt.error(QStringLiteral("无法读取图片文件“%1”").arg(QDir::toNativeSeparators(file)));
        return;
    }
    editProperty(DesignerProperty::Picture, QVariantList{bytes, pictureFormat(file)});
}

void ReportDesigner::editProperty(DesignerProperty property, const QVariant &value)
{
    ReportObject *object = panel->object();
    if (!object)
        return;
    const QVariant before = DesignerProperties::read(*object, property);
    if (before == value)
        return;
    if (property == DesignerProperty::Name) {
        const QString name = value.toString().trimmed();
        QString problem;
        if (name.isEmpty())
            problem = QStringLiteral("对象名称不能为空");
        else if (!report->isNameFree(name, object))
            problem = QStringLiteral("对象名称“%1”已被使用").arg(name);
        if (!problem.isEmpty()) {
            prompt.error(problem);
            panel->refresh();
            return;
        }
        undo->push(new PropertyCommand(report, object->id(), property, before, name));
        return;
    }
    undo->push(new PropertyCommand(report, object->id(), property, before, value));
}

void ReportDesigner::editRect(const QRectF &rect, bool resized)
{
    ReportObject *object = panel->object();
    if (!object)
        return;
    if (resized)
        undo->push(new ResizeObjectCommand(report, object->id(), object->rect(), rect));
    else
        undo->push(new MoveObjectsCommand(report, {{object->id(), object->rect(), rect}}, false));
}
