#pragma once

#include <QString>
#include <vector>

// Where one named text object of an invoice template takes its value from.
struct InvoicePrintField
{
    enum class Source
    {
        Header,         // the text the main window's control shows for the header column
        TotalInFigures, // the same, read as a number and written with two decimals
        Slot            // a slot of the print field set
    };

    QString object;
    Source source = Source::Header;
    QString control; // Header, TotalInFigures
    QString column;  // Header, TotalInFigures: the column of title the control shows
    int slot = 0;    // Slot
};

namespace InvoicePrintFields {

// Every named text object of an invoice template, in the order they are written: the
// header, lines 1 to 7, the amount and tax totals, then the total, seller and signatures.
// The eighth line and the quantity total have no place on the form.
const std::vector<InvoicePrintField> &all();

// The picture object that carries the scan of the blank form.
QString backgroundObject();

// The invoice total as the form prints it: the shown text read as a number, two decimals
// with halves away from zero ("1234.5" -> "1234.50"). Throws PrintError with
// "'<text>' is not a valid floating point value" for anything that is not a number, the
// empty text included.
QString totalInFigures(const QString &shown);

} // namespace InvoicePrintFields
