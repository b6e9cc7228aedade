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
    // How FromBytes turned the bytes into text.
    enum class Decoded {
        Text,      // made by FromText
        Utf16Mark, // UTF-16LE or UTF-16BE after its byte-order mark
        Utf8Mark,  // UTF-8 after its byte-order mark
        Utf8,      // no mark, and the bytes are valid UTF-8 throughout
        Ansi,      // no mark and not UTF-8: the system ANSI code page
    };

    TIniFile();
    ~TIniFile();
    TIniFile(TIniFile&&) noexcept;
    TIniFile& operator=(TIniFile&&) noexcept;

    // A byte-order mark chooses the encoding and is skipped; without one,
    // bytes that are valid UTF-8 are read as UTF-8 (a file saved by any
    // editor of today), others in the system ANSI code page.
    static TIniFile FromBytes(const QByteArray& bytes);
    static TIniFile FromText(QString text);

    Decoded DecodedAs() const { return m_decoded; }
    bool HadByteOrderMark() const { return m_decoded == Decoded::Utf16Mark || m_decoded == Decoded::Utf8Mark; }
    // The whole decoded text.
    const QString& Text() const;

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
    Decoded m_decoded = Decoded::Text;
    mutable bool m_lastSectionValid = false;
    mutable QString m_lastSectionName;
    mutable int m_lastSection = -1;
};
