#include "TDocPDFSettings.h"

TDocPDFSettings::TDocPDFSettings()
{
    for (int level = 1; level <= HeadingLevels; ++level) {
        TFont& font = HeadingFont[size_t(level - 1)];
        font.Name = QStringLiteral("Calibri");
        font.Size = 29 - 2 * level;
    }
}
