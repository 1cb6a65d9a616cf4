#pragma once

#include <QString>

// The amount in yuan written in financial capital numerals, as the invoice states its
// total: 1680.32 -> 壹仟陆佰捌拾圆叁角贰分, 0 -> 零圆整. The fraction is rounded half up to
// whole fen first; a round-up to a full yuan carries into the yuan. Digits beyond the
// sixteenth before the point are dropped. A negative amount is "负" and the text of its
// magnitude, unless that text is 零圆整; a value that is not a number gives 零圆整.
QString AmountInCapitals(double amount);
