#include "app/ErrorGuard.h"
#include "app/TForm1.h"
#include "db/Dataset.h"
#include "entry/ColumnTotals.h"
#include "print/PrintError.h"
#include "print/report/Report.h"
#include "print/ui/BackgroundPicture.h"
#include "print/ui/InvoicePrinting.h"
#include "print/ui/SalesListPrinting.h"
#include "print/ui/ShownText.h"
#include "widgets/DbCheckBox.h"
#include "widgets/DbEdit.h"

#include <QAction>
#include <QToolButton>

void TForm1::setReportViewer(ReportViewer &viewer)
{
    fpprn = std::make_unique<Report>(viewer);
}

Report &TForm1::report() const
{
    if (!fpprn)
        throw PrintError(QStringLiteral("报表窗口尚未准备好，无法打印"));
    return *fpprn;
}

void TForm1::connectPrintHandlers()
{
    const auto onTriggered = [this](QAction *item, void (TForm1::*handler)()) {
        connect(item, &QAction::triggered, this,
                m_guard.guarded([this, handler] { (this->*handler)(); }));
    };
    onTriggered(N9, &TForm1::N9Click);
    onTriggered(N8, &TForm1::N8Click);
    onTriggered(A4U1, &TForm1::A4U1Click);
    onTriggered(A4V1, &TForm1::A4V1Click);
    onTriggered(N10, &TForm1::N10Click);
    onTriggered(N11, &TForm1::N11Click);
    connect(prnsetbtn, &QToolButton::clicked, this, m_guard.guarded([this] { prnsetbtnClick(); }));
}

void TForm1::runInvoiceCommand(const InvoiceCommand &command)
{
    InvoiceSources sources{
        {*set1qry, *set2qry, *set3qry, *detailqry, *columnTotals},
        [this](const InvoicePrintField &field) { return shownText(*TabSheet1, field.control); },
        [this] { return fpdz->text(); },
        [this] { return dygs->isChecked(); },
    };
    InvoicePrinting(report(), printFields, std::move(sources), m_programDir).run(command);
}

void TForm1::N9Click()
{
    runInvoiceCommand(InvoiceCommand::overlayPrint());
}

void TForm1::N8Click()
{
    runInvoiceCommand(InvoiceCommand::overlayDesign());
}

void TForm1::A4U1Click()
{
    runInvoiceCommand(InvoiceCommand::a4Print());
}

void TForm1::A4V1Click()
{
    runInvoiceCommand(InvoiceCommand::a4Design());
}

void TForm1::N10Click()
{
    SalesListPrinting(report(), *hqry, *dqry, m_programDir)
        .run(SalesListPrinting::plainList(), cid->text());
}

void TForm1::N11Click()
{
    SalesListPrinting(report(), *hqry, *dqry, m_programDir)
        .run(SalesListPrinting::overlayList(), cid->text());
}

void TForm1::prnsetbtnClick()
{
    chooseBackgroundPicture(m_fileDialogs, *fpdzqry);
}
