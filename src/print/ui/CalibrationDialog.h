#pragma once

#include <QDialog>
#include <QPointF>

class QDoubleSpinBox;

// Asks for a printer's offset: how far, in mm, the printout lands right of and below where
// it should, read off the test print laid over a real form; entered with the opposite sign
// it moves the printout back.
class CalibrationDialog final : public QDialog
{
    Q_OBJECT
public:
    CalibrationDialog(const QString &printer, QPointF offset, QWidget *parent = nullptr);
    QPointF offset() const;

private:
    QDoubleSpinBox *m_x;
    QDoubleSpinBox *m_y;
};
