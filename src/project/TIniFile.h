#pragma once

#include <QByteArray>
#include <QString>
#include <QStringView>
#include <memory>
#include <vector>

// A parsed project file in INI form. Section and key names match without
// case; when a section or a key occurs twice, the first occurrence wins.
// Lines are trimmed of blanks and control characters, ";" starts a comment.
class TIniFile {
public:
    // How the bytes are turned into text.
    enum class Encoding {
        ByMark,   // a byte-order mark selects UTF-16LE/BE or UTF-8; else the system ANSI code page
        Utf8,     // UTF-8, its own mark skipped
        UsAscii,  // 7-bit ASCII (code page 20127), no mark recognised
    };

    TIniFile();
    ~TIniFile();
    TIniFile(TIniFile&&) noexcept;
    TIniFile& operator=(TIniFile&&) noexcept;

    static TIniFile FromBytes(const QByteArray& bytes, Encoding encoding = Encoding::ByMark);
    static TIniFile FromText(QString text);

    // Whether the bytes began with a byte-order mark that chose the encoding.
    bool HadByteOrderMark() const { return m_hadByteOrderMark; }

    bool HasSection(QStringView section) const;
    bool HasKey(QStringView section, QStringView key) const;
    QString ReadString(QStringView section, QStringView key, const QString& defaultValue) const;
    // Decimal with optional sign; "0x.." (three characters or more) and "$.." are hexadecimal.
    // An empty or malformed value gives the default.
    int ReadInteger(QStringView section, QStringView key, int defaultValue) const;
    // An integer that is true when not 0.
    bool ReadBool(QStringView section, QStringView key, bool defaultValue) const;

    // Calls visit(key) for every key of a section, in file order.
    template <typename Visit>
    void ForEachKey(QStringView section, Visit visit) const
    {
        for (QStringView key : keys(section))
            visit(key);
    }

    // Whether `text` begins with `prefix`, ASCII letters compared without case.
    static bool StartsWithFolded(QStringView text, QStringView prefix);

    static bool ParseInteger(QStringView text, int& value);

private:
    struct Data;
    const QStringView* find(QStringView section, QStringView key) const;
    int sectionNumber(QStringView section) const;
    const std::vector<QStringView>& keys(QStringView section) const;

    std::unique_ptr<Data> d;
    bool m_hadByteOrderMark = false;
    mutable bool m_lastSectionValid = false;
    mutable QString m_lastSectionName;
    mutable int m_lastSection = -1;
};
