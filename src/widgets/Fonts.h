#pragma once

#include <QFont>

// The faces the windows ask for, each followed by faces that have the Chinese glyphs, so a
// machine without the Windows fonts still shows every caption.
namespace Fonts {

// Verdana for Latin text, Chinese from a CJK face.
QFont verdana(int pointSize);
// SimSun, or a serif CJK face with the same glyphs.
QFont simSun(int pointSize);

} // namespace Fonts
