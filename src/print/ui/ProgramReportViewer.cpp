#include "print/ui/ProgramReportViewer.h"

#include "print/ui/ReportDesigner.h"

#include <QDir>

using namespace Qt::StringLiterals;

namespace {

PrintingViewer::Designer designer(Prompt &prompt, FileDialogs &files, QWidget *parent)
{
    return [&prompt, &files, parent](Report &report) {
        ReportDesigner window(report, prompt, files, parent);
        window.exec();
    };
}

} // namespace

ProgramReportViewer::ProgramReportViewer(Prompt &prompt, FileDialogs &fileDialogs,
                                         const QString &programDir, QWidget *parent)
    : m_settings(QDir(programDir).filePath(u"kelvane.ini"_s), QSettings::IniFormat),
      m_calibration(m_settings), m_viewer({prompt, fileDialogs, m_printingDialogs, m_calibration},
                                          designer(prompt, fileDialogs, parent), parent)
{}

void ProgramReportViewer::show(Report &report)
{
    m_viewer.show(report);
}

void ProgramReportViewer::design(Report &report)
{
    m_viewer.design(report);
}
