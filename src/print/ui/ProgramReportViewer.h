#pragma once

#include "print/report/ReportViewer.h"
#include "print/ui/CalibrationSettings.h"
#include "print/ui/PrintingDialogs.h"
#include "print/ui/PrintingViewer.h"

#include <QSettings>

class FileDialogs;
class Prompt;
class QWidget;

// The windows the program's reports open, modal over the main window: the preview, from
// which the user prints (with each printer's calibration offset, kept in kelvane.ini beside
// the program) and exports; and the designer, in which the user fits a template to the
// form and saves it back.
class ProgramReportViewer final : public ReportViewer
{
public:
    ProgramReportViewer(Prompt &prompt, FileDialogs &fileDialogs, const QString &programDir,
                        QWidget *parent);

    void show(Report &report) override;
    void design(Report &report) override;

private:
    QSettings m_settings;
    CalibrationSettings m_calibration;
    SystemPrintingDialogs m_printingDialogs;
    PrintingViewer m_viewer;
};
