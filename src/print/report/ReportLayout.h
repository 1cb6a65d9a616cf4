#pragma once

#include "ReportPages.h"

#include <QHash>
#include <QString>
#include <memory>

class ReportRows;
class ReportTemplate;

// What a template reads besides its own objects: datasets and variables, both found by
// name without regard to letter case.
struct ReportInputs
{
    QHash<QString, std::shared_ptr<const ReportRows>> datasets; // keys in lower case
    QHash<QString, QString> variables;                          // keys in lower case

    const ReportRows *dataset(const QString &name) const;
};

// Template plus data to pages. Rows flow down from the data band's designed place; a row
// that does not fit above the page footer starts a new page; the footer follows the last
// row. Pages are counted first, so [PAGES] is known on every page.
//
// Throws ReportError naming the object and the expression when a text refers to something
// that is not there (a dataset, a column, a variable) or is malformed; `source` (the
// template's file name) heads the message.
LaidOutReport layOut(const ReportTemplate &report, const ReportInputs &inputs,
                     const QString &source = {});
