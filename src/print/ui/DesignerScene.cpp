#include "DesignerScene.h"

#include "DesignerCommands.h"
#include "DesignerObjectItem.h"
#include "print/report/ReportTemplate.h"

#include <QGraphicsSceneMouseEvent>
#include <QKeyEvent>
#include <QPainter>
#include <cmath>

namespace {
constexpr double deskMarginMm = 30.0;
constexpr double minGridPixels = 6.0;
constexpr double nudgeMm = 0.1;
constexpr double shiftNudgeMm = 1.0;
constexpr double backgroundZ = -1e6;

double snapValue(double value, double step)
{
    return std::round(value / step) * step;
}

// Keeps a tenth of a millimetre exact after repeated steps, as the file stores decimals.
QRectF tidy(const QRectF &r)
{
    auto t = [](double v) { return std::round(v * 1e4) / 1e4; };
    return {t(r.x()), t(r.y()), t(r.width()), t(r.height())};
}
} // namespace

DesignerScene::DesignerScene(ReportTemplate *report, QObject *parent)
    : QGraphicsScene(parent), model(report)
{
    connect(model, &ReportTemplate::objectChanged, this, [this](ReportObject *object) {
        if (DesignerObjectItem *item = itemFor(object->id()))
            item->sync();
        restack();
    });
    connect(model, &ReportTemplate::objectAdded, this, [this](ReportObject *object) {
        addItemFor(object);
        restack();
    });
    connect(model, &ReportTemplate::objectRemoved, this, &DesignerScene::removeItemFor);
    connect(model, &ReportTemplate::bandsChanged, this, &DesignerScene::rebuild);
    connect(model, &ReportTemplate::bandChanged, this, [this] { update(); });
    connect(model, &ReportTemplate::pageChanged, this, &DesignerScene::rebuild);
    connect(this, &QGraphicsScene::selectionChanged, this, &DesignerScene::showHandles);
    rebuild();
}

QRectF DesignerScene::paperRect() const
{
    return {QPointF(), model->page().size()};
}

void DesignerScene::rebuild()
{
    drag.reset();
    clearSelection();
    for (auto &[id, item] : items)
        delete item;
    items.clear();
    for (ReportObject *object : model->objects())
        addItemFor(object);
    restack();
    setSceneRect(paperRect().adjusted(-deskMarginMm, -deskMarginMm, deskMarginMm, deskMarginMm));
    update();
}

void DesignerScene::addItemFor(ReportObject *object)
{
    auto *item = new DesignerObjectItem(object);
    addItem(item);
    items[object->id()] = item;
}

void DesignerScene::removeItemFor(ObjectId id)
{
    auto found = items.find(id);
    if (found == items.end())
        return;
    DesignerObjectItem *item = found->second;
    items.erase(found);
    if (drag)
        std::erase_if(drag->items, [item](const auto &entry) { return entry.first == item; });
    // Deselected while still whole: the selection change reaches the handles of every item.
    item->setSelected(false);
    item->setHandlesVisible(false);
    delete item;
}

// Drawing order follows the template, with scans of the blank form beneath everything.
void DesignerScene::restack()
{
    double z = 0;
    for (ReportObject *object : model->objects()) {
        DesignerObjectItem *item = itemFor(object->id());
        if (!item)
            continue;
        const auto *picture = dynamic_cast<const PictureObject *>(object);
        item->setZValue(picture && picture->isBackground() ? backgroundZ + z : z);
        ++z;
    }
}

DesignerObjectItem *DesignerScene::itemFor(ObjectId id) const
{
    auto found = items.find(id);
    return found == items.end() ? nullptr : found->second;
}

std::vector<ObjectId> DesignerScene::selectedIds() const
{
    std::vector<ObjectId> ids;
    for (ReportObject *object : model->objects()) {
        DesignerObjectItem *item = itemFor(object->id());
        if (item && item->isSelected())
            ids.push_back(object->id());
    }
    return ids;
}

void DesignerScene::selectOnly(ObjectId id)
{
    clearSelection();
    if (DesignerObjectItem *item = itemFor(id))
        item->setSelected(true);
}

void DesignerScene::showHandles()
{
    const QList<QGraphicsItem *> selected = selectedItems();
    for (auto &[id, item] : items)
        item->setHandlesVisible(selected.size() == 1 && item->isSelected());
}

void DesignerScene::setSnapToGrid(bool snap)
{
    snapping = snap;
}

QPointF DesignerScene::snapped(const QPointF &p) const
{
    if (!snapping)
        return p;
    return {snapValue(p.x(), step), snapValue(p.y(), step)};
}

void DesignerScene::nudgeSelection(const QPointF &delta)
{
    std::vector<Placement> placements;
    for (ObjectId id : selectedIds()) {
        const QRectF before = model->object(id)->rect();
        placements.push_back({id, before, tidy(before.translated(delta))});
    }
    if (!placements.empty())
        model->undoStack()->push(new MoveObjectsCommand(model, std::move(placements), true));
}

void DesignerScene::finishResize(DesignerObjectItem *item, const QRectF &before)
{
    const QRectF after = tidy(item->shownRect());
    if (after != before)
        model->undoStack()->push(new ResizeObjectCommand(model, item->objectId(), before, after));
}

void DesignerScene::mousePressEvent(QGraphicsSceneMouseEvent *event)
{
    QGraphicsScene::mousePressEvent(event);
    if (event->button() != Qt::LeftButton)
        return;
    auto *grabbed = qgraphicsitem_cast<DesignerObjectItem *>(mouseGrabberItem());
    if (!grabbed || !grabbed->isSelected())
        return;
    Drag started{event->scenePos(), grabbed->shownRect().topLeft(), {}};
    for (QGraphicsItem *selected : selectedItems()) {
        if (auto *item = qgraphicsitem_cast<DesignerObjectItem *>(selected))
            started.items.emplace_back(item, item->shownRect());
    }
    drag = std::move(started);
}

void DesignerScene::mouseMoveEvent(QGraphicsSceneMouseEvent *event)
{
    emit pointerMoved(event->scenePos());
    if (!drag || !(event->buttons() & Qt::LeftButton)) {
        QGraphicsScene::mouseMoveEvent(event);
        return;
    }
    // The object under the mouse lands on the grid; the others keep their distance to it.
    const QPointF delta =
        snapped(drag->anchor + event->scenePos() - drag->pressedAt) - drag->anchor;
    for (auto &[item, start] : drag->items)
        item->setShownRect(start.translated(delta));
}

void DesignerScene::mouseReleaseEvent(QGraphicsSceneMouseEvent *event)
{
    if (drag && event->button() == Qt::LeftButton) {
        std::vector<Placement> placements;
        for (auto &[item, start] : drag->items) {
            const QRectF after = tidy(item->shownRect());
            if (after != start)
                placements.push_back({item->objectId(), start, after});
        }
        drag.reset();
        if (!placements.empty())
            model->undoStack()->push(new MoveObjectsCommand(model, std::move(placements), false));
    }
    QGraphicsScene::mouseReleaseEvent(event);
}

void DesignerScene::keyPressEvent(QKeyEvent *event)
{
    const double distance = event->modifiers() & Qt::ShiftModifier ? shiftNudgeMm : nudgeMm;
    QPointF delta;
    switch (event->key()) {
    case Qt::Key_Left:
        delta = {-distance, 0};
        break;
    case Qt::Key_Right:
        delta = {distance, 0};
        break;
    case Qt::Key_Up:
        delta = {0, -distance};
        break;
    case Qt::Key_Down:
        delta = {0, distance};
        break;
    default:
        QGraphicsScene::keyPressEvent(event);
        return;
    }
    if (selectedItems().isEmpty()) {
        event->ignore(); // let the view scroll
        return;
    }
    nudgeSelection(delta);
    event->accept();
}

void DesignerScene::drawBackground(QPainter *painter, const QRectF &exposed)
{
    painter->fillRect(exposed, QColor(128, 128, 128));
    const QRectF paper = paperRect();
    painter->fillRect(paper.translated(1.0, 1.0), QColor(60, 60, 60));
    painter->fillRect(paper, Qt::white);
}

void DesignerScene::drawForeground(QPainter *painter, const QRectF &exposed)
{
    const QRectF paper = paperRect();
    drawGrid(painter, exposed.intersected(paper));
    drawBands(painter);
    QPen outline(Qt::black, 0);
    outline.setCosmetic(true);
    painter->setPen(outline);
    painter->setBrush(Qt::NoBrush);
    painter->drawRect(paper);
}

void DesignerScene::drawGrid(QPainter *painter, const QRectF &area) const
{
    if (area.isEmpty())
        return;
    const double pixelsPerMm = painter->worldTransform().m11();
    double spacing = step;
    while (spacing * pixelsPerMm < minGridPixels)
        spacing *= spacing < 5 ? 5 : 2;
    const double major = std::max(10.0, spacing);
    QPen minor(QColor(0, 120, 215, 40), 0);
    QPen strong(QColor(0, 120, 215, 90), 0);
    minor.setCosmetic(true);
    strong.setCosmetic(true);
    auto isMajor = [major](double v) { return std::abs(v / major - std::round(v / major)) < 1e-6; };
    for (double x = std::ceil(area.left() / spacing) * spacing; x <= area.right(); x += spacing) {
        painter->setPen(isMajor(x) ? strong : minor);
        painter->drawLine(QPointF(x, area.top()), QPointF(x, area.bottom()));
    }
    for (double y = std::ceil(area.top() / spacing) * spacing; y <= area.bottom(); y += spacing) {
        painter->setPen(isMajor(y) ? strong : minor);
        painter->drawLine(QPointF(area.left(), y), QPointF(area.right(), y));
    }
}

// Bands matter where rows flow (sales lists); the one fixed band of an invoice goes unmarked.
void DesignerScene::drawBands(QPainter *painter) const
{
    QPen pen(QColor(200, 90, 0), 0, Qt::DashLine);
    pen.setCosmetic(true);
    painter->setPen(pen);
    const QRectF paper = paperRect();
    for (const auto &band : model->bands()) {
        if (band->type() == BandType::Fixed)
            continue;
        painter->drawLine(QPointF(paper.left(), band->top()), QPointF(paper.right(), band->top()));
        painter->drawLine(QPointF(paper.left(), band->bottom()),
                          QPointF(paper.right(), band->bottom()));
    }
}
