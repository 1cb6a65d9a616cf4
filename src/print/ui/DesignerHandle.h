#pragma once

#include <QGraphicsItem>
#include <QRectF>

class DesignerObjectItem;

// A grip on a corner or an edge of the selected object. It keeps its size on screen whatever
// the zoom, and turns a drag into a new rectangle for its object.
class DesignerHandle final : public QGraphicsItem
{
public:
    enum class Grip
    {
        TopLeft,
        Top,
        TopRight,
        Right,
        BottomRight,
        Bottom,
        BottomLeft,
        Left
    };
    enum
    {
        Type = UserType + 2
    };

    DesignerHandle(Grip grip, DesignerObjectItem *owner);

    int type() const override { return Type; }
    Grip grip() const { return where; }

    // Where this grip sits on rect.
    static QPointF anchor(Grip grip, const QRectF &rect);
    // rect with the gripped corner or edge moved to point.
    static QRectF dragged(Grip grip, const QRectF &rect, const QPointF &point);

    QRectF boundingRect() const override;
    void paint(QPainter *painter, const QStyleOptionGraphicsItem *option, QWidget *widget) override;

protected:
    void mousePressEvent(QGraphicsSceneMouseEvent *event) override;
    void mouseMoveEvent(QGraphicsSceneMouseEvent *event) override;
    void mouseReleaseEvent(QGraphicsSceneMouseEvent *event) override;

private:
    Grip where;
    DesignerObjectItem *owner;
    QRectF startRect;
};
