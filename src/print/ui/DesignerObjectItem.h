#pragma once

#include "print/report/ReportObject.h"

#include <QGraphicsItem>
#include <array>

class DesignerHandle;

// One template object on the designer's page, in millimetres. It shows the model's rectangle,
// except while the mouse drags it or one of its handles: then it shows where the object would
// go, and the model changes only when the drag ends, through the undo stack.
class DesignerObjectItem final : public QGraphicsItem
{
public:
    enum
    {
        Type = UserType + 1
    };

    explicit DesignerObjectItem(ReportObject *object);
    ~DesignerObjectItem() override;
    Q_DISABLE_COPY_MOVE(DesignerObjectItem)

    int type() const override { return Type; }
    ReportObject *object() const { return model; }
    ObjectId objectId() const { return id; }

    // Takes the model's rectangle and look again.
    void sync();
    // The rectangle shown, in scene millimetres (not normalised: a line may run upwards).
    QRectF shownRect() const;
    void setShownRect(const QRectF &rect);

    void setHandlesVisible(bool visible);

    QRectF boundingRect() const override;
    QPainterPath shape() const override;
    void paint(QPainter *painter, const QStyleOptionGraphicsItem *option, QWidget *widget) override;

private:
    QRectF localRect() const;
    void placeHandles();

    ReportObject *model;
    ObjectId id;
    QSizeF size;
    std::array<DesignerHandle *, 8> handles{};
};
