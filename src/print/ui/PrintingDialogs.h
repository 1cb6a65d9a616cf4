#pragma once

#include <QPointF>
#include <QString>
#include <optional>

class QPrinter;
class QWidget;

// The modal choices printing asks for, so that tests can answer them without a screen.
class PrintingDialogs
{
public:
    virtual ~PrintingDialogs() = default;
    // The system print dialog; false when the user cancels.
    virtual bool choosePrinter(QPrinter &printer, QWidget *parent) = 0;
    // The offset for the printer; nullopt when the user cancels.
    virtual std::optional<QPointF> editOffset(const QString &printer, QPointF current,
                                              QWidget *parent) = 0;
};

class SystemPrintingDialogs final : public PrintingDialogs
{
public:
    bool choosePrinter(QPrinter &printer, QWidget *parent) override;
    std::optional<QPointF> editOffset(const QString &printer, QPointF current,
                                      QWidget *parent) override;
};
