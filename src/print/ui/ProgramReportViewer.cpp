#include "print/ui/ProgramReportViewer.h"

#include "app/FileDialogs.h"
#include "app/Prompt.h"
#include "print/report/Report.h"
#include "print/report/ReportError.h"
#include "print/ui/ReportDesigner.h"

using namespace Qt::StringLiterals;

ProgramReportViewer::ProgramReportViewer(QWidget *parent, Prompt &prompt, FileDialogs &fileDialogs)
    : m_parent(parent), m_prompt(prompt), m_fileDialogs(fileDialogs)
{}

void ProgramReportViewer::show(Report &)
{
    throw ReportError(u"预览窗口尚未完成"_s);
}

void ProgramReportViewer::design(Report &report)
{
    ReportDesignerHooks hooks{
        [this](const QString &caption, const QString &text) {
            return m_prompt.askYesNo(caption, text);
        },
        [this](const QString &text) { m_prompt.error(text); },
        [this](const QString &caption, const QString &startPath, const QString &filter) {
            return m_fileDialogs.saveFileName(caption, startPath, filter);
        },
        [this](const QString &startPath) { return m_fileDialogs.openPictureFile(startPath); },
    };
    ReportDesigner designer(&report.definition(), report.templatePath(), std::move(hooks),
                            m_parent);
    designer.exec();
}
