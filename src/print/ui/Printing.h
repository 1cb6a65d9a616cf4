#pragma once

#include "print/report/PagePainter.h"
#include "print/report/ReportPages.h"
#include "print/report/ReportTemplate.h"

#include <QString>

class QPrinter;

// Printing that lands on the form: the whole sheet from its corner, no driver margins, the
// template's own paper and orientation, 100 % — never fitted into a printable area.
namespace Printing {

// Before and again after the print dialog: a driver's round trip through the dialog may
// have put its default paper and margins back.
void applyPageSetup(QPrinter &printer, const PageSetup &page);

// Paints every page at its size with the offset added (the printer's calibration).
// Throws ReportError when the printer cannot be started.
void print(QPrinter &printer, const LaidOutReport &report, const PaintOptions &options);

// The name a printer's calibration is kept under: the printer's name, or "PDF" for the
// PDF output that has none.
QString printerKey(const QPrinter &printer);

} // namespace Printing
