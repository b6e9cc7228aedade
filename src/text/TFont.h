#pragma once

#include <QString>

// A font as the project stores it: face name, size in points, colour as
// 0x00BBGGRR and the four styles.
struct TFont {
    QString Name;
    int Size = 0;
    int Color = 0;
    bool Bold = false;
    bool Italic = false;
    bool Underline = false;
    bool StrikeOut = false;

    bool operator==(const TFont&) const = default;
};
