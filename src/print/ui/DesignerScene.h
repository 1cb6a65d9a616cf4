#pragma once

#include "print/report/ReportObject.h"

#include <QGraphicsScene>
#include <optional>
#include <unordered_map>
#include <vector>

class DesignerObjectItem;
class ReportTemplate;

// The template's page in millimetres: one item per object, kept in step with the model through
// its change signals, so undo and redo need not know the scene. Mouse drags and arrow keys
// become commands on the template's undo stack.
class DesignerScene final : public QGraphicsScene
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(DesignerScene)

public:
    explicit DesignerScene(ReportTemplate *report, QObject *parent = nullptr);

    ReportTemplate *report() const { return model; }
    QRectF paperRect() const;

    DesignerObjectItem *itemFor(ObjectId id) const;
    // In drawing order.
    std::vector<ObjectId> selectedIds() const;
    void selectOnly(ObjectId id);

    bool snapsToGrid() const { return snapping; }
    void setSnapToGrid(bool snap);
    double gridStep() const { return step; }
    // p moved to the nearest grid point when snapping is on.
    QPointF snapped(const QPointF &p) const;

    // Moves the selected objects by delta mm; presses that follow each other make one undo step.
    void nudgeSelection(const QPointF &delta);
    // Called by a handle when its drag ends.
    void finishResize(DesignerObjectItem *item, const QRectF &before);

signals:
    // Scene position of the mouse, for the rulers.
    void pointerMoved(const QPointF &mm);

protected:
    void drawBackground(QPainter *painter, const QRectF &exposed) override;
    void drawForeground(QPainter *painter, const QRectF &exposed) override;
    void mousePressEvent(QGraphicsSceneMouseEvent *event) override;
    void mouseMoveEvent(QGraphicsSceneMouseEvent *event) override;
    void mouseReleaseEvent(QGraphicsSceneMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    void rebuild();
    void addItemFor(ReportObject *object);
    void removeItemFor(ObjectId id);
    void restack();
    void showHandles();
    void drawGrid(QPainter *painter, const QRectF &area) const;
    void drawBands(QPainter *painter) const;

    struct Drag
    {
        QPointF pressedAt;
        QPointF anchor; // top-left of the object under the mouse
        std::vector<std::pair<DesignerObjectItem *, QRectF>> items;
    };

    ReportTemplate *model;
    std::unordered_map<ObjectId, DesignerObjectItem *> items;
    std::optional<Drag> drag;
    bool snapping = true;
    double step = 1.0;
};
