#include "PrintingDialogs.h"

#include "CalibrationDialog.h"

#include <QPrintDialog>
#include <QPrinter>

bool SystemPrintingDialogs::choosePrinter(QPrinter &printer, QWidget *parent)
{
    QPrintDialog dialog(&printer, parent);
    dialog.setWindowTitle(QStringLiteral("打印"));
    return dialog.exec() == QDialog::Accepted;
}

std::optional<QPointF> SystemPrintingDialogs::editOffset(const QString &printer, QPointF current,
                                                         QWidget *parent)
{
    CalibrationDialog dialog(printer, current, parent);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.offset();
}
