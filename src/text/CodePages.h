#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <vector>

// A charset name that may appear in a page's charset declaration, and the
// Windows code page it stands for.
struct TCharsetAlias {
    QString Name;
    int CodePage = 0;
};

// The 150 charset aliases in lookup order.
const std::vector<TCharsetAlias>& CharsetAliasTable();

// Code page of a charset name (compared without case, first match); 0 when
// the name is not in the table. As in browsers, ISO-8859-1 and ASCII under
// every name (and "cp1252", "x-cp1252", "iso88591") stand for windows-1252.
int CodePageForCharset(const QString& name);

// Charset name written into generated pages for a code page ("gb2312" for
// 936, ...); empty for code pages without one.
QString CharsetForCodePage(int codePage);

// Windows font character-set number for a code page as decimal text ("134"
// for 936); "0" for any other code page.
QString FontCharsetForCodePage(int codePage);

// Whether this system converts the Windows code page itself; conversions in
// a code page it lacks use the system ANSI code page instead. 0 and the
// pseudo pages (50000 user-defined; 50932, 50949, 50001 autodetect) count as
// available.
bool CodePageAvailable(int codePage);

// Bytes in a Windows code page to text. Code page 0 is the system ANSI code
// page. Invalid bytes become replacement characters; never fails.
QString AnsiToText(const QByteArray& bytes, int codePage);

// Text to bytes in a Windows code page (0: system ANSI). Characters the code
// page lacks become its default character ("?").
QByteArray TextToAnsi(const QString& text, int codePage);

// The text of bytes that are valid UTF-8 throughout (a leading U+FEFF is
// kept as a character); false, leaving `text` alone, for any invalid sequence.
bool DecodeValidUtf8(QByteArrayView bytes, QString& text);

// Each character's low 8 bits taken as one byte, the bytes decoded with
// AnsiToText (contents files that encode code-page bytes as entities).
QString BytesTextToText(const QString& text, int codePage);

// Display name of a spelling dictionary folder ("en_us" -> "English (United
// States)"), looked up by the lower-cased folder name; empty when unknown.
QString DictionaryDisplayName(const QString& folderName);

// The dictionary display-name entries ("folder:Display name"), sorted
// without case, duplicates of a whole entry dropped.
const QStringList& DictionaryDisplayNames();
