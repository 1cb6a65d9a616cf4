#pragma once

#include <QGraphicsView>

// Shows the designer's scene, whose unit is the millimetre; zoom is only the view's transform,
// so nothing in the template ever sees a pixel. 100 % means real size on this screen.
class DesignerView final : public QGraphicsView
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(DesignerView)

public:
    explicit DesignerView(QGraphicsScene *scene, QWidget *parent = nullptr);

    // Screen pixels per millimetre at the current zoom.
    double pixelsPerMm() const;
    // 1.0 is real size.
    double zoom() const;
    void setZoom(double zoom);

    void zoomIn();
    void zoomOut();
    void zoomActualSize();
    // The whole of area (the paper) in the window.
    void zoomToFit(const QRectF &area);

    static constexpr double minZoom = 0.1;
    static constexpr double maxZoom = 8.0;

signals:
    // Scrolled, zoomed or resized: the rulers follow.
    void viewportChanged();

protected:
    void scrollContentsBy(int dx, int dy) override;
    void resizeEvent(QResizeEvent *event) override;
    void wheelEvent(QWheelEvent *event) override;

private:
    double realSizePixelsPerMm() const;
};
