#pragma once

#include <QByteArray>

// Qt's PDF writer tells readers which character each glyph stands for by taking the lowest
// code point that maps to the glyph. The CJK fonts draw a radical and the ideograph it
// looks like with one glyph, and the radicals come first, so copying "十二月" out of a PDF
// gives the radicals "⼗⼆⽉", and searching for 十 finds nothing. This puts the ideographs
// back into the character maps. The maps are plain text in the file and every code keeps
// its length, so no offset in the file moves.
namespace PdfUnicodeRepair {

void repair(QByteArray &pdf);

// The ideograph a radical look-alike stands for; the code point itself otherwise.
char16_t ideographFor(char16_t codePoint);

} // namespace PdfUnicodeRepair
