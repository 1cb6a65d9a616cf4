#include "DesignerHandle.h"

#include "DesignerObjectItem.h"
#include "DesignerScene.h"

#include <QCursor>
#include <QGraphicsSceneMouseEvent>
#include <QPainter>

namespace {
constexpr double halfSide = 3.5; // screen pixels
} // namespace

DesignerHandle::DesignerHandle(Grip grip, DesignerObjectItem *owner)
    : QGraphicsItem(owner), where(grip), owner(owner)
{
    setFlag(ItemIgnoresTransformations);
    setAcceptedMouseButtons(Qt::LeftButton);
    switch (grip) {
    case Grip::TopLeft:
    case Grip::BottomRight:
        setCursor(Qt::SizeFDiagCursor);
        break;
    case Grip::TopRight:
    case Grip::BottomLeft:
        setCursor(Qt::SizeBDiagCursor);
        break;
    case Grip::Top:
    case Grip::Bottom:
        setCursor(Qt::SizeVerCursor);
        break;
    case Grip::Left:
    case Grip::Right:
        setCursor(Qt::SizeHorCursor);
        break;
    }
}

QPointF DesignerHandle::anchor(Grip grip, const QRectF &rect)
{
    const QPointF c = rect.center();
    switch (grip) {
    case Grip::TopLeft:
        return rect.topLeft();
    case Grip::Top:
        return {c.x(), rect.top()};
    case Grip::TopRight:
        return rect.topRight();
    case Grip::Right:
        return {rect.right(), c.y()};
    case Grip::BottomRight:
        return rect.bottomRight();
    case Grip::Bottom:
        return {c.x(), rect.bottom()};
    case Grip::BottomLeft:
        return rect.bottomLeft();
    case Grip::Left:
        return {rect.left(), c.y()};
    }
    return c;
}

QRectF DesignerHandle::dragged(Grip grip, const QRectF &rect, const QPointF &point)
{
    QRectF moved = rect;
    switch (grip) {
    case Grip::TopLeft:
        moved.setTopLeft(point);
        break;
    case Grip::Top:
        moved.setTop(point.y());
        break;
    case Grip::TopRight:
        moved.setTopRight(point);
        break;
    case Grip::Right:
        moved.setRight(point.x());
        break;
    case Grip::BottomRight:
        moved.setBottomRight(point);
        break;
    case Grip::Bottom:
        moved.setBottom(point.y());
        break;
    case Grip::BottomLeft:
        moved.setBottomLeft(point);
        break;
    case Grip::Left:
        moved.setLeft(point.x());
        break;
    }
    return moved;
}

QRectF DesignerHandle::boundingRect() const
{
    return {-halfSide, -halfSide, 2 * halfSide, 2 * halfSide};
}

void DesignerHandle::paint(QPainter *painter, const QStyleOptionGraphicsItem *, QWidget *)
{
    painter->setPen(QPen(QColor(0, 90, 200), 1));
    painter->setBrush(Qt::white);
    painter->drawRect(boundingRect().adjusted(0.5, 0.5, -0.5, -0.5));
}

void DesignerHandle::mousePressEvent(QGraphicsSceneMouseEvent *event)
{
    startRect = owner->shownRect();
    event->accept();
}

void DesignerHandle::mouseMoveEvent(QGraphicsSceneMouseEvent *event)
{
    auto *designer = static_cast<DesignerScene *>(scene());
    QRectF rect = dragged(where, startRect, designer->snapped(event->scenePos()));
    // A line keeps its direction; a box whose edge is pulled across the other edge flips.
    if (owner->object()->kind() != ObjectKind::Line)
        rect = rect.normalized();
    owner->setShownRect(rect);
}

void DesignerHandle::mouseReleaseEvent(QGraphicsSceneMouseEvent *)
{
    static_cast<DesignerScene *>(scene())->finishResize(owner, startRect);
}
