#include "Printing.h"

#include "print/report/ReportError.h"

#include <QPainter>
#include <QPrinter>

void Printing::applyPageSetup(QPrinter &printer, const PageSetup &page)
{
    printer.setFullPage(true);
    printer.setPageLayout(page.pageLayout());
    printer.setPageMargins(QMarginsF(), QPageLayout::Millimeter);
}

void Printing::print(QPrinter &printer, const LaidOutReport &report, const PaintOptions &options)
{
    QPainter painter;
    if (!painter.begin(&printer))
        throw ReportError(QStringLiteral("无法开始打印（打印机“%1”）").arg(printerKey(printer)));
    for (size_t p = 0; p < report.pages.size(); ++p) {
        if (p > 0)
            printer.newPage();
        PagePainter::paint(painter, report.pages[p], options);
    }
    painter.end();
}

QString Printing::printerKey(const QPrinter &printer)
{
    if (!printer.printerName().isEmpty())
        return printer.printerName();
    return printer.outputFormat() == QPrinter::PdfFormat ? QStringLiteral("PDF") : QString();
}
