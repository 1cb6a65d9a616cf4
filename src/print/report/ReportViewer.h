#pragma once

class Report;

// The windows a report opens: the preview, from which the user prints and exports, and
// the designer. The window layer implements it; tests put in a fake. Both calls are modal
// and return when the window closes.
class ReportViewer
{
public:
    virtual ~ReportViewer() = default;
    // The report's pages are prepared when this is called (Report::pages()).
    virtual void show(Report &report) = 0;
    virtual void design(Report &report) = 0;
};
