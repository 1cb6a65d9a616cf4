#pragma once

#include "print/report/ReportViewer.h"

#include <QPointer>
#include <QWidget>

class FileDialogs;
class Prompt;

// The windows the program's reports open: the preview for printing and exporting, the
// designer for fitting a template to the form. Both are modal over the main window.
class ProgramReportViewer final : public ReportViewer
{
public:
    ProgramReportViewer(QWidget *parent, Prompt &prompt, FileDialogs &fileDialogs);

    void show(Report &report) override;
    void design(Report &report) override;

private:
    QPointer<QWidget> m_parent;
    Prompt &m_prompt;
    FileDialogs &m_fileDialogs;
};
