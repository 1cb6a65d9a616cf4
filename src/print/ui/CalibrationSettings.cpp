#include "CalibrationSettings.h"

#include <QSettings>
#include <QUrl>

// Printer names may hold "/" and "\", which the settings take for groups.
QString CalibrationSettings::key(const QString &printer) const
{
    return QStringLiteral("calibration/") + QString::fromLatin1(QUrl::toPercentEncoding(printer));
}

QPointF CalibrationSettings::offset(const QString &printer) const
{
    const QString base = key(printer);
    return QPointF(m_settings.value(base + QStringLiteral("/x"), 0.0).toDouble(),
                   m_settings.value(base + QStringLiteral("/y"), 0.0).toDouble());
}

void CalibrationSettings::setOffset(const QString &printer, QPointF offset)
{
    const QString base = key(printer);
    m_settings.setValue(base + QStringLiteral("/x"), offset.x());
    m_settings.setValue(base + QStringLiteral("/y"), offset.y());
}
