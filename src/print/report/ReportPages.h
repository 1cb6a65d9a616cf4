#pragma once

#include "ReportBand.h"
#include "ReportObject.h"
#include "ReportTemplate.h"

#include <QImage>
#include <QLineF>
#include <QRectF>
#include <QString>
#include <optional>
#include <vector>

// A laid-out report: what every output (preview, printer, PDF, JPEG, Excel) draws or
// writes. Positions in mm from the paper's top-left corner, as they print.

struct TextItem
{
    QRectF rect;
    QString text; // lines separated by '\n'
    FontChoice font;
    HAlign hAlign = HAlign::Left;
    VAlign vAlign = VAlign::Center;
    bool wordWrap = false;
    unsigned frameSides = NoSides;
    double frameWidth = 0.2;
    QString objectName;
    // When the text is one expression giving a number: that number and its pattern, so a
    // spreadsheet gets a number cell rather than text.
    std::optional<double> number;
    QString numberPattern;
};

struct PictureItem
{
    QRectF rect;
    QImage image;
    bool keepAspect = true;
    bool background = false;
    QString objectName;
};

struct LineItem
{
    QLineF line;
    double width = 0.2;
};

struct BoxItem
{
    QRectF rect;
    double width = 0.2;
};

// One printing of a band: the page header of page 3, data row 17, the footer. Drawn in
// the order pictures, boxes, lines, texts, so that text stays readable over a scan of the
// form.
struct PlacedBand
{
    BandType type = BandType::Fixed;
    int row = -1;     // the data row, for data bands
    double shift = 0; // how far below its designed place it printed, mm
    std::vector<PictureItem> pictures;
    std::vector<BoxItem> boxes;
    std::vector<LineItem> lines;
    std::vector<TextItem> texts;
};

struct LaidOutPage
{
    QSizeF size; // mm
    std::vector<PlacedBand> bands;
};

struct LaidOutReport
{
    PageSetup page;
    std::vector<LaidOutPage> pages;
};
