#include "DesignerRuler.h"

#include "DesignerView.h"

#include <QPainter>
#include <array>
#include <cmath>

namespace {
constexpr int thickness = 22;
constexpr double minTickPixels = 4.0;
constexpr double minLabelPixels = 34.0;
constexpr std::array<double, 6> spacings{1.0, 2.0, 5.0, 10.0, 50.0, 100.0};

double firstSpacing(double pixelsPerMm, double minPixels)
{
    for (double mm : spacings) {
        if (mm * pixelsPerMm >= minPixels)
            return mm;
    }
    return spacings.back() * 10;
}

bool isMultiple(double value, double step)
{
    const double ratio = value / step;
    return std::abs(ratio - std::round(ratio)) < 1e-6;
}
} // namespace

DesignerRuler::DesignerRuler(Qt::Orientation orientation, DesignerView *view, QWidget *parent)
    : QWidget(parent), orientation(orientation), view(view)
{
    connect(view, &DesignerView::viewportChanged, this, qOverload<>(&QWidget::update));
    QFont small = font();
    small.setPointSizeF(7.0);
    setFont(small);
}

QSize DesignerRuler::sizeHint() const
{
    return orientation == Qt::Horizontal ? QSize(100, thickness) : QSize(thickness, 100);
}

void DesignerRuler::setMarker(double mm)
{
    marker = mm;
    update();
}

double DesignerRuler::rulerPosition(double mm) const
{
    const QPointF inViewport = view->viewportTransform().map(QPointF(mm, mm));
    const QPoint origin = mapFromGlobal(view->viewport()->mapToGlobal(QPoint(0, 0)));
    return orientation == Qt::Horizontal ? origin.x() + inViewport.x()
                                         : origin.y() + inViewport.y();
}

double DesignerRuler::tickSpacingMm() const
{
    return firstSpacing(view->pixelsPerMm(), minTickPixels);
}

void DesignerRuler::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.fillRect(rect(), palette().window());
    painter.setPen(palette().color(QPalette::WindowText));

    const bool horizontal = orientation == Qt::Horizontal;
    const int length = horizontal ? width() : height();
    const int depth = horizontal ? height() : width();
    const double pixelsPerMm = view->pixelsPerMm();
    const double tick = tickSpacingMm();
    const double label = std::max(firstSpacing(pixelsPerMm, minLabelPixels), tick);
    const double start = std::floor(-rulerPosition(0.0) / pixelsPerMm / tick) * tick;

    for (double mm = start;; mm += tick) {
        const double at = rulerPosition(mm);
        if (at > length)
            break;
        const bool labelled = isMultiple(mm, label);
        const int size = labelled ? depth : isMultiple(mm, tick * 5) ? depth / 2 : depth / 4;
        if (horizontal)
            painter.drawLine(QPointF(at, depth - size), QPointF(at, depth));
        else
            painter.drawLine(QPointF(depth - size, at), QPointF(depth, at));
        if (!labelled)
            continue;
        const QString text = QString::number(std::lround(mm));
        if (horizontal) {
            painter.drawText(QPointF(at + 2, painter.fontMetrics().ascent()), text);
        } else {
            painter.save();
            // Read upwards, as on a printed ruler; the text sits below its tick.
            const QFontMetrics metrics = painter.fontMetrics();
            painter.translate(metrics.ascent(), at + 2 + metrics.horizontalAdvance(text));
            painter.rotate(-90);
            painter.drawText(QPointF(0, 0), text);
            painter.restore();
        }
    }
    painter.drawLine(horizontal ? QLineF(0, depth - 0.5, length, depth - 0.5)
                                : QLineF(depth - 0.5, 0, depth - 0.5, length));
    if (marker >= 0) {
        painter.setPen(QPen(Qt::red, 1));
        const double at = rulerPosition(marker);
        painter.drawLine(horizontal ? QLineF(at, 0, at, depth) : QLineF(0, at, depth, at));
    }
}
