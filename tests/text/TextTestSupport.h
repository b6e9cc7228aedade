#pragma once

#include <QString>

// A row of a table of text cases: what goes in, what must come out.
struct TextCase {
    const char* input;
    const char* expected;
};

// Case tables are written in UTF-8 source.
inline QString u8(const char* text)
{
    return QString::fromUtf8(text);
}
