#pragma once

#include "TFont.h"

#include <QString>

// The text form of a font: name, size in points, colour (0x00BBGGRR as a
// decimal number) and styles in brackets, joined by commas: "Arial,10,0,[B]".
// The styles are any of B, I, U, S in that order.
QString FontToString(const TFont& font);

// Sets `font` from its text form. Text that is not exactly four pieces, or
// whose size or colour is not a number, leaves the font unchanged.
void StringToFont(const QString& text, TFont& font);
