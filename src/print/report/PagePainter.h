#pragma once

#include "ReportPages.h"

#include <QImage>
#include <QPointF>
#include <QTransform>

class QPaintDevice;
class QPainter;

struct PaintOptions
{
    // Added to every position: a printer's calibration offset, mm, negative allowed.
    QPointF offset;
    // Whether pictures marked as the form's background are drawn.
    bool backgrounds = true;
};

namespace PagePainter {

// Painter units per millimetre: whatever the device, text is shaped at a size of tens of
// units, where the font system keeps the glyphs' metrics (far larger sizes it loads anew
// for every text, which made a page take most of a second).
inline constexpr double unitsPerMm = 10;

// The one map from page millimetres to the device: the device's own resolution, the
// paper's corner at the device's origin (a printer in full-page mode, a PDF page, an
// image), then the offset.
QTransform pageTransform(const QPaintDevice &device, QPointF offsetMm = {});

// One text or picture, on a painter whose coordinates are already page units (unitsPerMm
// per millimetre), as the designer draws each object of a template the way it prints.
void paintText(QPainter &painter, const TextItem &text);
void paintPicture(QPainter &painter, const PictureItem &picture);

// Paints on a painter that is active on a device showing one whole page. Leaves the
// painter's state as it found it.
void paint(QPainter &painter, const LaidOutPage &page, const PaintOptions &options = {});

// The page as an image at the resolution (dots per inch), white behind.
QImage render(const LaidOutPage &page, double dpi, const PaintOptions &options = {});

} // namespace PagePainter
