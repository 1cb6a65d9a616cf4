#include "DesignerView.h"

#include <QScrollBar>
#include <QWheelEvent>
#include <algorithm>

namespace {
constexpr double mmPerInch = 25.4;
constexpr double zoomStep = 1.25;
constexpr double fitMarginMm = 5.0;
} // namespace

DesignerView::DesignerView(QGraphicsScene *scene, QWidget *parent) : QGraphicsView(scene, parent)
{
    setDragMode(QGraphicsView::RubberBandDrag);
    // Only what lies wholly inside: the band must not pick up the scan of the form beneath.
    setRubberBandSelectionMode(Qt::ContainsItemShape);
    setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing |
                   QPainter::SmoothPixmapTransform);
    setTransformationAnchor(QGraphicsView::AnchorUnderMouse);
    setResizeAnchor(QGraphicsView::AnchorViewCenter);
    // The grid is drawn over the whole paper, so partial updates would leave stale lines.
    setViewportUpdateMode(QGraphicsView::FullViewportUpdate);
    setZoom(1.0);
    connect(horizontalScrollBar(), &QScrollBar::valueChanged, this, &DesignerView::viewportChanged);
    connect(verticalScrollBar(), &QScrollBar::valueChanged, this, &DesignerView::viewportChanged);
}

double DesignerView::realSizePixelsPerMm() const
{
    return logicalDpiX() / mmPerInch;
}

double DesignerView::pixelsPerMm() const
{
    return transform().m11();
}

double DesignerView::zoom() const
{
    return pixelsPerMm() / realSizePixelsPerMm();
}

void DesignerView::setZoom(double zoom)
{
    const double scale = std::clamp(zoom, minZoom, maxZoom) * realSizePixelsPerMm();
    setTransform(QTransform::fromScale(scale, scale));
    emit viewportChanged();
}

void DesignerView::zoomIn()
{
    setZoom(zoom() * zoomStep);
}

void DesignerView::zoomOut()
{
    setZoom(zoom() / zoomStep);
}

void DesignerView::zoomActualSize()
{
    setZoom(1.0);
}

void DesignerView::zoomToFit(const QRectF &area)
{
    const QRectF paper = area.adjusted(-fitMarginMm, -fitMarginMm, fitMarginMm, fitMarginMm);
    const QSize room = viewport()->size();
    if (paper.isEmpty() || room.isEmpty())
        return;
    const double scale = std::min(room.width() / paper.width(), room.height() / paper.height());
    setZoom(scale / realSizePixelsPerMm());
    centerOn(area.center());
}

void DesignerView::scrollContentsBy(int dx, int dy)
{
    QGraphicsView::scrollContentsBy(dx, dy);
    emit viewportChanged();
}

void DesignerView::resizeEvent(QResizeEvent *event)
{
    QGraphicsView::resizeEvent(event);
    emit viewportChanged();
}

void DesignerView::wheelEvent(QWheelEvent *event)
{
    if (!(event->modifiers() & Qt::ControlModifier)) {
        QGraphicsView::wheelEvent(event);
        return;
    }
    if (event->angleDelta().y() > 0)
        zoomIn();
    else if (event->angleDelta().y() < 0)
        zoomOut();
    event->accept();
}
