#include "CalibrationSheet.h"

#include "ReportTemplate.h"

namespace {

constexpr double step = 10;
constexpr double gridPen = 0.1;
const FontChoice labelFont{QStringLiteral("宋体"), 6, false};

TextItem label(const QRectF &rect, const QString &text, HAlign align)
{
    TextItem item;
    item.rect = rect;
    item.text = text;
    item.font = labelFont;
    item.hAlign = align;
    item.vAlign = VAlign::Top;
    return item;
}

void addGrid(PlacedBand &grid, QSizeF size)
{
    for (double x = step; x < size.width(); x += step) {
        grid.lines.push_back(LineItem{QLineF(x, 0, x, size.height()), gridPen});
        grid.texts.push_back(label(QRectF(x + 0.5, 1, 8, 3), QString::number(x), HAlign::Left));
    }
    for (double y = step; y < size.height(); y += step) {
        grid.lines.push_back(LineItem{QLineF(0, y, size.width(), y), gridPen});
        grid.texts.push_back(label(QRectF(1, y + 0.5, 8, 3), QString::number(y), HAlign::Left));
    }
}

} // namespace

LaidOutReport calibrationSheet(const ReportTemplate &report)
{
    LaidOutReport sheet;
    sheet.page = report.page();
    LaidOutPage page;
    page.size = report.page().size();
    PlacedBand grid;
    addGrid(grid, page.size);
    PlacedBand objects;
    for (const ReportObject *object : report.objects()) {
        if (!object->isVisible())
            continue;
        const QRectF rect = object->rect();
        objects.boxes.push_back(BoxItem{rect, 0.25});
        objects.texts.push_back(label(
            QRectF(rect.left() + 0.3, rect.top() + 0.3, std::max(rect.width() - 0.6, 10.0), 3),
            object->name(), HAlign::Left));
    }
    page.bands.push_back(std::move(grid));
    page.bands.push_back(std::move(objects));
    sheet.pages.push_back(std::move(page));
    return sheet;
}
