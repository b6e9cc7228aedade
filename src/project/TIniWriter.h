#pragma once

#include <QString>

// Builds the text of an INI file: "[section]" headers, "key=value" lines,
// CR LF after every line. Values are written as they are; a line break
// inside a value would start a new line, so it becomes a space.
class TIniWriter {
public:
    explicit TIniWriter(qsizetype expectedSize = 0) { m_text.reserve(expectedSize); }

    void Section(QStringView name);
    void EndSection() { m_text += u"\r\n"; }
    void Key(QStringView key, QStringView value);
    void Key(QStringView key, int value);
    void Key(QStringView key, bool value) { Key(key, value ? 1 : 0); }
    // Keeps a string literal from choosing the bool overload.
    void Key(QStringView key, const char16_t* value) { Key(key, QStringView(value)); }
    void Key(QStringView key, const QString& value) { Key(key, QStringView(value)); }

    // A key of the form name + "." + field + "." + n, as lists of entries use.
    template <typename Value>
    void IndexedKey(QStringView name, QStringView field, int n, const Value& value)
    {
        m_text += name;
        m_text += u'.';
        m_text += field;
        m_text += u'.';
        appendNumber(m_text, n);
        appendValue(value);
    }

    const QString& Text() const { return m_text; }

private:
    static void appendNumber(QString& text, int value);
    // "=" + value + CR LF, after a key.
    void appendValue(QStringView value);
    void appendValue(int value);
    void appendValue(bool value) { appendValue(value ? 1 : 0); }
    void appendValue(const QString& value) { appendValue(QStringView(value)); }

    QString m_text;
};
