#pragma once

#include "TFont.h"

#include <QString>
#include <array>

// Page set-up and layout options of the Word and PDF outputs.
class TDocPDFSettings {
public:
    static constexpr int HeadingLevels = 9;

    TDocPDFSettings();
    void Assign(const TDocPDFSettings& other) { *this = other; }

    int PaperSize = 4; // Word paper-size code: 2 Letter, 23 Tabloid, 4 Legal, 6 A3, 7 A4, 11 B5, 41 custom
    int Height = 0;    // custom page size in millimetres (code 41)
    int Width = 0;
    int Top = 25;      // margins in millimetres
    int Bottom = 25;
    int Left = 30;
    int Right = 30;
    bool Cover = true;
    bool Header = true;
    bool Footer = true;
    bool Toc = true;
    bool XE = false;
    int ShowLevel = 3;
    QString TOCCaption = QStringLiteral("Table of Contents");
    bool TitleNumber = true;
    bool AddHint = false;
    QString HintFormat = QStringLiteral("See [Title No.]");
    int StartNewPage = 0;
    bool Discard = false;
    QString Addenda = QStringLiteral("Addenda");
    int Panes = 0;
    int Magnification = 0;
    int PageLayout = 0;
    // Fonts of the headings of levels 1-9 (index 0 is level 1); not stored in the project file.
    std::array<TFont, HeadingLevels> HeadingFont;
};
