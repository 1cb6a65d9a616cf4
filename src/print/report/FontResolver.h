#pragma once

#include "ReportObject.h"

#include <QFont>
#include <QString>

// Which installed font prints a template's font. Templates name the fonts of the machines
// they were made on (宋体, 黑体, Arial); this one may not have them, so the stand-ins are
// chosen here, by rule, rather than by whatever the font system happens to substitute.
namespace FontResolver {

// The family itself when installed; a Song/Ming, Fangsong or Kai face gives the serif CJK
// face, anything else the sans CJK face (both cover Latin too).
QString familyFor(const QString &requested);

// The font for painting in units of unitsPerMm per millimetre on a device of the given
// vertical resolution (the font system turns points into device pixels by it, before the
// painter's scale applies): the exact size, unhinted so that advances scale with it.
QFont font(const FontChoice &choice, double unitsPerMm, int deviceDpiY);

} // namespace FontResolver
