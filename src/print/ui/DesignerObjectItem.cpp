#include "DesignerObjectItem.h"

#include "DesignerHandle.h"
#include "print/report/PagePainter.h"

#include <QPainter>
#include <QPainterPathStroker>
#include <QStyleOptionGraphicsItem>
#include <algorithm>

namespace {

constexpr double hiddenOpacity = 0.35;
constexpr double minLineGrabMm = 1.0;

// Texts and pictures are drawn by the page painter itself, so that the designer shows fonts,
// frames and alignment exactly as they print.
void paintText(QPainter *painter, const TextObject &object, const QRectF &box)
{
    TextItem text;
    text.rect = box;
    text.text = object.text();
    text.font = object.font();
    text.hAlign = object.hAlign();
    text.vAlign = object.vAlign();
    text.wordWrap = object.wordWrap();
    text.frameSides = object.frameSides();
    text.frameWidth = object.frameWidth();
    painter->save();
    painter->scale(1 / PagePainter::unitsPerMm, 1 / PagePainter::unitsPerMm);
    PagePainter::paintText(*painter, text);
    painter->restore();
}

void paintPicture(QPainter *painter, const PictureObject &object, const QRectF &box)
{
    PictureItem picture;
    picture.rect = box;
    picture.image = object.image();
    picture.keepAspect = object.keepAspect();
    if (picture.image.isNull()) {
        painter->setPen(QPen(Qt::gray, 0));
        painter->drawLine(box.topLeft(), box.bottomRight());
        painter->drawLine(box.topRight(), box.bottomLeft());
        return;
    }
    painter->save();
    painter->scale(1 / PagePainter::unitsPerMm, 1 / PagePainter::unitsPerMm);
    PagePainter::paintPicture(*painter, picture);
    painter->restore();
}

// Boxes without a printed frame still show where they are.
void paintOutline(QPainter *painter, const QRectF &box, bool selected)
{
    QPen pen(selected ? QColor(0, 90, 200) : QColor(150, 150, 150), 0,
             selected ? Qt::SolidLine : Qt::DotLine);
    pen.setCosmetic(true);
    painter->setPen(pen);
    painter->setBrush(Qt::NoBrush);
    painter->drawRect(box);
}

double penWidthOf(const ReportObject &object)
{
    switch (object.kind()) {
    case ObjectKind::Line:
        return static_cast<const LineObject &>(object).penWidth();
    case ObjectKind::Frame:
        return static_cast<const FrameObject &>(object).penWidth();
    case ObjectKind::Text:
        return static_cast<const TextObject &>(object).frameWidth();
    case ObjectKind::Picture:
        return 0;
    }
    return 0;
}

} // namespace

DesignerObjectItem::DesignerObjectItem(ReportObject *object) : model(object), id(object->id())
{
    setFlag(ItemIsSelectable);
    sync();
}

DesignerObjectItem::~DesignerObjectItem() = default;

void DesignerObjectItem::sync()
{
    // The scan of the form covers the page: if it took clicks, no click would reach the bare
    // paper and rubber-band selection could never start. It is chosen by name instead.
    const auto *picture = dynamic_cast<const PictureObject *>(model);
    setAcceptedMouseButtons(picture && picture->isBackground() ? Qt::NoButton : Qt::LeftButton);
    setShownRect(model->rect());
    setToolTip(model->name());
    update();
}

QRectF DesignerObjectItem::shownRect() const
{
    return {pos(), size};
}

void DesignerObjectItem::setShownRect(const QRectF &rect)
{
    prepareGeometryChange();
    setPos(rect.topLeft());
    size = rect.size();
    placeHandles();
}

QRectF DesignerObjectItem::localRect() const
{
    return {QPointF(), size};
}

void DesignerObjectItem::setHandlesVisible(bool visible)
{
    if (!visible) {
        for (DesignerHandle *&handle : handles) {
            delete handle;
            handle = nullptr;
        }
        return;
    }
    using Grip = DesignerHandle::Grip;
    const bool line = model->kind() == ObjectKind::Line;
    for (int i = 0; i < int(handles.size()); ++i) {
        const auto grip = Grip(i);
        // A line is its two ends.
        if (!handles[size_t(i)] && (!line || grip == Grip::TopLeft || grip == Grip::BottomRight))
            handles[size_t(i)] = new DesignerHandle(grip, this);
    }
    placeHandles();
}

void DesignerObjectItem::placeHandles()
{
    for (DesignerHandle *handle : handles) {
        if (handle)
            handle->setPos(DesignerHandle::anchor(handle->grip(), localRect()));
    }
}

QRectF DesignerObjectItem::boundingRect() const
{
    const double margin = std::max(penWidthOf(*model), minLineGrabMm) / 2;
    return localRect().normalized().adjusted(-margin, -margin, margin, margin);
}

QPainterPath DesignerObjectItem::shape() const
{
    QPainterPath path;
    if (model->kind() != ObjectKind::Line) {
        path.addRect(localRect().normalized());
        return path;
    }
    path.moveTo(0, 0);
    path.lineTo(size.width(), size.height());
    QPainterPathStroker stroker;
    stroker.setWidth(std::max(penWidthOf(*model), minLineGrabMm));
    return stroker.createStroke(path);
}

void DesignerObjectItem::paint(QPainter *painter, const QStyleOptionGraphicsItem *, QWidget *)
{
    const QRectF box = localRect();
    painter->save();
    if (!model->isVisible())
        painter->setOpacity(hiddenOpacity);
    switch (model->kind()) {
    case ObjectKind::Text:
        paintText(painter, static_cast<const TextObject &>(*model), box);
        break;
    case ObjectKind::Picture:
        paintPicture(painter, static_cast<const PictureObject &>(*model), box);
        break;
    case ObjectKind::Line:
        painter->setPen(QPen(Qt::black, penWidthOf(*model)));
        painter->drawLine(box.topLeft(), box.bottomRight());
        break;
    case ObjectKind::Frame:
        painter->setPen(QPen(Qt::black, penWidthOf(*model)));
        painter->drawRect(box);
        break;
    }
    painter->restore();
    if (model->kind() != ObjectKind::Line || isSelected())
        paintOutline(painter, box.normalized(), isSelected());
}
