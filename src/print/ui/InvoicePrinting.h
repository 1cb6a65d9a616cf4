#pragma once

#include "print/InvoicePrintFields.h"
#include "print/PrintFieldSet.h"

#include <QString>
#include <QStringList>
#include <functional>

class Report;

// One of the invoice commands of the print menu.
struct InvoiceCommand
{
    QString templateFile;
    bool applyBackground = true;
    bool design = false; // the designer instead of the preview

    static InvoiceCommand overlayPrint(); // on the pre-printed form
    static InvoiceCommand overlayDesign();
    static InvoiceCommand a4Print(); // on plain A4 paper
    // The A4 layout is designed with the picture and visibility it stores itself.
    static InvoiceCommand a4Design();
};

// What an invoice command reads besides the lines.
struct InvoiceSources
{
    PrintFieldSources lines;
    // A header value as the user sees it, a change typed but not saved included.
    std::function<QString(const InvoicePrintField &field)> headerText;
    // The background picture's path as shown (one setting for all invoices), and the
    // current invoice's choice whether the picture prints.
    std::function<QString()> backgroundPath;
    std::function<bool()> printBackground;
};

// Puts the current invoice onto an invoice template and shows or designs it.
class InvoicePrinting final
{
public:
    // programDir: where the templates lie.
    InvoicePrinting(Report &report, PrintFieldSet &fields, InvoiceSources sources,
                    QString programDir);

    // The whole command; returns when the preview or the designer closes.
    void run(const InvoiceCommand &command);
    // Everything before the preview or designer: builds the print field set, loads the
    // template, writes its fields and, when asked, sets the background. A missing template
    // or missing objects stop it before anything is written, with a PrintError naming the
    // template and the objects.
    void fill(const QString &templateFile, bool applyBackground);

    void WritePrintFields();
    void ApplyBackground();

    // The objects the loaded template lacks (or has as the wrong kind) for the command.
    QStringList missingObjects(bool applyBackground) const;

private:
    QString valueOf(const InvoicePrintField &field) const;

    Report &m_report;
    PrintFieldSet &m_fields;
    InvoiceSources m_sources;
    QString m_programDir;
};
