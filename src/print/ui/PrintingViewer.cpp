#include "PrintingViewer.h"

PrintingViewer::PrintingViewer(const ReportPreviewServices &services, Designer designer,
                               QWidget *parent)
    : m_services(services), m_designer(std::move(designer)), m_parent(parent)
{}

void PrintingViewer::show(Report &report)
{
    ReportPreview preview(report, m_services, m_parent);
    preview.exec();
}

void PrintingViewer::design(Report &report)
{
    if (m_designer)
        m_designer(report);
}
