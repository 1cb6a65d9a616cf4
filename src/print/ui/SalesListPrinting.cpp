#include "print/ui/SalesListPrinting.h"

#include "db/Dataset.h"
#include "print/PrintError.h"
#include "print/SalesListQueries.h"
#include "print/report/DatasetRows.h"
#include "print/report/Report.h"

#include <QDir>
#include <QFileInfo>

using namespace Qt::StringLiterals;

QString SalesListPrinting::plainList()
{
    return u"fpqd.fr3"_s;
}

QString SalesListPrinting::overlayList()
{
    return u"zyfpqd.fr3"_s;
}

SalesListPrinting::SalesListPrinting(Report &report, Dataset &hqry, Dataset &dqry,
                                     QString programDir)
    : m_report(report), m_hqry(hqry), m_dqry(dqry), m_programDir(std::move(programDir))
{}

void SalesListPrinting::run(const QString &templateFile, const QString &cid)
{
    fill(templateFile, cid);
    m_report.show();
    // The pages are made; the rows are not needed until the next list is asked for.
    m_hqry.close();
    m_dqry.close();
}

void SalesListPrinting::fill(const QString &templateFile, const QString &cid)
{
    openSalesListQueries(m_hqry, m_dqry, cid);
    const QString path = QDir(m_programDir).filePath(templateFile);
    m_report.loadTemplate(path);
    // An empty preview would look like an invoice without lines.
    if (!QFileInfo::exists(path))
        throw PrintError(u"找不到销货清单模板“%1”。"_s.arg(QDir::toNativeSeparators(path)));
    m_report.setDataset(u"hdbst"_s, std::make_shared<DatasetRows>(m_hqry));
    m_report.setDataset(u"ddbst"_s, std::make_shared<DatasetRows>(m_dqry));
}
