#pragma once

#include <QString>

class Dataset;
class Report;

// The sales list of the stored invoice, through a template that reads the header as
// hdbst and every line as ddbst.
class SalesListPrinting final
{
public:
    static QString plainList();   // on plain A4 paper
    static QString overlayList(); // on the pre-printed list form

    // programDir: where the templates lie. hqry and dqry are the main window's report
    // queries; they must outlive the report.
    SalesListPrinting(Report &report, Dataset &hqry, Dataset &dqry, QString programDir);

    // Returns when the preview closes.
    void run(const QString &templateFile, const QString &cid);
    // Everything before the preview: points the queries at the invoice, loads the
    // template and offers the datasets. Throws PrintError when there is no stored invoice
    // under cid or no template.
    void fill(const QString &templateFile, const QString &cid);

private:
    Report &m_report;
    Dataset &m_hqry;
    Dataset &m_dqry;
    QString m_programDir;
};
