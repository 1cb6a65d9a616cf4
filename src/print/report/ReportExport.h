#pragma once

#include "ReportPages.h"

#include <QString>
#include <QStringList>
#include <functional>

// Called after each page (or block of rows) with how much is done; returning false cancels
// the export, which then removes what it wrote.
using ExportProgress = std::function<bool(int done, int total)>;

enum class ExportResult
{
    Done,
    Cancelled
};

struct PdfOptions
{
    // The scan of the blank form belongs on screen and, when asked for, on paper; a PDF
    // leaves it out unless told otherwise.
    bool backgrounds = false;
    QString title;
};

// Each throws ReportError naming the file when it cannot be written.
namespace ReportExport {

// The template's paper, the full page, no margins; fonts embedded, text selectable.
ExportResult toPdf(const LaidOutReport &report, const QString &path, const PdfOptions &options = {},
                   const ExportProgress &progress = {});

// One JPEG per page: the path itself for a one-page report, otherwise "name_1.jpg",
// "name_2.jpg", ... beside it.
ExportResult toJpeg(const LaidOutReport &report, const QString &path, int dpi = 200,
                    const ExportProgress &progress = {});
QStringList jpegFileNames(const QString &path, int pageCount);

// One spreadsheet row per printed band row (the page header once, the page footers not at
// all: their subtotals belong to paper), one column per distinct left edge of a text,
// numbers as numbers.
ExportResult toXlsx(const LaidOutReport &report, const QString &path,
                    const ExportProgress &progress = {});

} // namespace ReportExport
