#pragma once

#include <QPointF>
#include <QString>

class QSettings;

// Each printer's offset in mm (x to the right, y down, negative allowed), added to what is
// printed on it and to nothing else. Kept in the program's settings under the printer's
// name.
class CalibrationSettings final
{
public:
    explicit CalibrationSettings(QSettings &settings) : m_settings(settings) {}

    QPointF offset(const QString &printer) const; // (0, 0) for a printer never calibrated
    void setOffset(const QString &printer, QPointF offset);

private:
    QString key(const QString &printer) const;
    QSettings &m_settings;
};
