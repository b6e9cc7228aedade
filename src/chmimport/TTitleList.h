#pragma once

#include <QString>

// One table-of-contents entry of an imported help file.
struct TTitleList {
    // Status values.
    static constexpr int StatusPage = 0;
    static constexpr int StatusNoPage = 2;
    static constexpr int StatusExternal = 3;
    // Levels deeper than this are taken as this.
    static constexpr int MaxLevel = 9;

    QString Topic;
    int Index = 0;
    int Level = 0;
    QString Url;  // relative to the import folder, maybe with "#anchor"
    int Icon = 0;
    int Status = StatusPage;
    QString Keywords; // joined by KeywordSeparator
    QString ContextNumber;
    QString ChapterNumber;
    QString Bookmark;
};

// Between two keywords of an entry.
inline const QString KeywordSeparator = QStringLiteral("`\\");
