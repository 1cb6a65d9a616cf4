#include "PagePainter.h"

#include "FontResolver.h"

#include <QHash>
#include <QPaintDevice>
#include <QPainter>
#include <cmath>

namespace {

constexpr double u = PagePainter::unitsPerMm;
// Keeps framed text off its frame lines.
constexpr double framedPadding = 0.5;

QRectF units(const QRectF &mm)
{
    return QRectF(mm.x() * u, mm.y() * u, mm.width() * u, mm.height() * u);
}

QPen pen(double widthMm)
{
    return QPen(Qt::black, widthMm * u, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin);
}

int textFlags(const TextItem &text)
{
    int flags = 0;
    switch (text.hAlign) {
    case HAlign::Left:
        flags |= Qt::AlignLeft;
        break;
    case HAlign::Center:
        flags |= Qt::AlignHCenter;
        break;
    case HAlign::Right:
        flags |= Qt::AlignRight;
        break;
    }
    switch (text.vAlign) {
    case VAlign::Top:
        flags |= Qt::AlignTop;
        break;
    case VAlign::Center:
        flags |= Qt::AlignVCenter;
        break;
    case VAlign::Bottom:
        flags |= Qt::AlignBottom;
        break;
    }
    return flags | (text.wordWrap ? Qt::TextWordWrap : 0);
}

void paintFrame(QPainter &painter, const TextItem &text)
{
    painter.setPen(pen(text.frameWidth));
    const QRectF r = units(text.rect);
    if (text.frameSides & LeftSide)
        painter.drawLine(r.topLeft(), r.bottomLeft());
    if (text.frameSides & TopSide)
        painter.drawLine(r.topLeft(), r.topRight());
    if (text.frameSides & RightSide)
        painter.drawLine(r.topRight(), r.bottomRight());
    if (text.frameSides & BottomSide)
        painter.drawLine(r.bottomLeft(), r.bottomRight());
}

// Resolving a font goes through the font system each time; a page has few distinct ones.
class FontCache
{
public:
    explicit FontCache(int dpiY) : m_dpiY(dpiY) {}
    const QFont &font(const FontChoice &choice)
    {
        const QString key = choice.family + u'|' + QString::number(choice.pointSize) + u'|' +
                            (choice.bold ? u'b' : u'r');
        auto found = m_fonts.find(key);
        if (found == m_fonts.end())
            found = m_fonts.insert(key, FontResolver::font(choice, u, m_dpiY));
        return *found;
    }

private:
    int m_dpiY;
    QHash<QString, QFont> m_fonts;
};

void paintTextWith(QPainter &painter, const TextItem &text, FontCache &fonts)
{
    if (text.frameSides != NoSides)
        paintFrame(painter, text);
    if (text.text.isEmpty())
        return;
    const double padding = text.frameSides != NoSides ? framedPadding : 0;
    painter.setFont(fonts.font(text.font));
    painter.setPen(Qt::black);
    painter.drawText(units(text.rect.adjusted(padding, 0, -padding, 0)), textFlags(text),
                     text.text);
}

} // namespace

void PagePainter::paintText(QPainter &painter, const TextItem &text)
{
    FontCache fonts(painter.device()->logicalDpiY());
    paintTextWith(painter, text, fonts);
}

void PagePainter::paintPicture(QPainter &painter, const PictureItem &picture)
{
    QRectF target = units(picture.rect);
    if (picture.keepAspect && !picture.image.isNull()) {
        const QSizeF fitted =
            QSizeF(picture.image.size()).scaled(target.size(), Qt::KeepAspectRatio);
        target = QRectF(target.center() - QPointF(fitted.width() / 2, fitted.height() / 2), fitted);
    }
    painter.drawImage(target, picture.image);
}

QTransform PagePainter::pageTransform(const QPaintDevice &device, QPointF offsetMm)
{
    const double x = device.logicalDpiX() / 25.4 / u;
    const double y = device.logicalDpiY() / 25.4 / u;
    return QTransform::fromScale(x, y).translate(offsetMm.x() * u, offsetMm.y() * u);
}

void PagePainter::paint(QPainter &painter, const LaidOutPage &page, const PaintOptions &options)
{
    FontCache fonts(painter.device()->logicalDpiY());
    painter.save();
    painter.setWorldTransform(pageTransform(*painter.device(), options.offset));
    painter.setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing |
                           QPainter::SmoothPixmapTransform);
    for (const PlacedBand &band : page.bands) {
        for (const PictureItem &picture : band.pictures) {
            if (options.backgrounds || !picture.background)
                paintPicture(painter, picture);
        }
        painter.setBrush(Qt::NoBrush);
        for (const BoxItem &box : band.boxes) {
            painter.setPen(pen(box.width));
            painter.drawRect(units(box.rect));
        }
        for (const LineItem &line : band.lines) {
            painter.setPen(pen(line.width));
            painter.drawLine(QLineF(line.line.p1() * u, line.line.p2() * u));
        }
        for (const TextItem &text : band.texts)
            paintTextWith(painter, text, fonts);
    }
    painter.restore();
}

QImage PagePainter::render(const LaidOutPage &page, double dpi, const PaintOptions &options)
{
    const int wholeDpi = std::max(1, int(std::lround(dpi)));
    const QSize size(int(std::lround(page.size.width() / 25.4 * wholeDpi)),
                     int(std::lround(page.size.height() / 25.4 * wholeDpi)));
    QImage image(size, QImage::Format_RGB32);
    const int dotsPerMetre = int(std::lround(wholeDpi / 0.0254));
    image.setDotsPerMeterX(dotsPerMetre);
    image.setDotsPerMeterY(dotsPerMetre);
    image.fill(Qt::white);
    QPainter painter(&image);
    paint(painter, page, options);
    return image;
}
