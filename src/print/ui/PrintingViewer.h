#pragma once

#include "ReportPreview.h"
#include "print/report/ReportViewer.h"

#include <functional>

class QWidget;

// The windows behind Report::show() and Report::design(): the preview dialog, and the
// designer that the program hands in (it lives in its own window class).
class PrintingViewer final : public ReportViewer
{
public:
    using Designer = std::function<void(Report &)>;
    PrintingViewer(const ReportPreviewServices &services, Designer designer,
                   QWidget *parent = nullptr);

    void show(Report &report) override;
    void design(Report &report) override;

private:
    ReportPreviewServices m_services;
    Designer m_designer;
    QWidget *m_parent;
};
