#pragma once

#include <QWidget>

class DesignerView;

// A millimetre scale beside the view, kept in step with its scroll and zoom; it marks where the
// mouse is so a field can be read off against the form.
class DesignerRuler final : public QWidget
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(DesignerRuler)

public:
    DesignerRuler(Qt::Orientation orientation, DesignerView *view, QWidget *parent = nullptr);

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override { return sizeHint(); }

    // Position of the mouse in scene millimetres, shown as a marker.
    void setMarker(double mm);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    // Where scene position mm lies along this ruler, in its own pixels.
    double rulerPosition(double mm) const;
    double tickSpacingMm() const;

    Qt::Orientation orientation;
    DesignerView *view;
    double marker = -1.0;
};
