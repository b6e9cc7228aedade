#pragma once

#include <QByteArray>
#include <QString>

class IUserPrompts;
class QIODevice;

// Reading and writing pages in their encodings.
//
// EncodingType: 0 (or less) the system ANSI code page; 1 UTF-8 with the mark
// EF BB BF; 2 UTF-16LE with the mark FF FE; any other value a Windows code
// page without mark.
constexpr int EncodingAnsi = 0;
constexpr int EncodingUtf8 = 1;
constexpr int EncodingUtf16 = 2;

// True when the file exists and another program holds a lock on it (a
// POSIX record lock or flock, as office programs take), or it cannot be
// opened for reading. A missing file is not locked and is not created.
bool IsFileLocked(const QString& file);

// Text of a page's bytes: by byte-order mark (UTF-8, UTF-16LE, UTF-16BE),
// else in `codePage` (decimal text; empty: the code page of the charset the
// page declares), else as UTF-8 when the bytes are valid UTF-8 beyond ASCII,
// else in the system ANSI code page.
QString DecodeTextBytes(const QByteArray& bytes, const QString& codePage = QString());
// The same for a file; a missing or unreadable file gives empty text.
QString DecodeTextFile(const QString& file, const QString& codePage = QString());

// The text of a file. A missing file gives empty text; an error while
// reading gives empty text with `error` set.
QString ReadTextFile(const QString& file, const QString& codePage = QString(), QString* error = nullptr);

// How a page's bytes hold its text, as DecodeTextBytes reads them: the
// encoding type and whether a byte-order mark leads (UTF-16 always has one).
// Saving a page in the encoding it was read in keeps its bytes where the
// author changed nothing.
struct TPageEncoding {
    int Type = EncodingAnsi;
    bool Mark = false;
};
TPageEncoding PageEncodingOf(const QByteArray& bytes);
// ReadTextFile, with how the file stores its text.
QString ReadPageFile(const QString& file, TPageEncoding& encoding, QString* error = nullptr);

// The encoding a page's charset declaration names: "utf-8" 1, "unicode" 2,
// else the code page of the charset, 0 when none or unknown.
int GetEncodingType(const QString& html);

// The bytes of `text` in an encoding type, with its byte-order mark.
QByteArray EncodeText(const QString& text, int type);
// The bytes a page is saved as: EncodeText in GetEncodingType(html); a page
// whose characters its declared (or the ANSI) code page cannot hold is
// written as UTF-8 with mark instead, so that nothing the author wrote is
// lost, its charset declaration (if it has one) then saying "utf-8".
QByteArray EncodeHtml(const QString& html);
// The bytes of a page in `encoding`. When its code page cannot hold every
// character, UTF-8 with mark as in EncodeHtml, and `widened` is set.
QByteArray EncodePage(const QString& html, const TPageEncoding& encoding, bool* widened = nullptr);

// Writes EncodeText from the start of the stream; a file or buffer is cut
// to what was written, so no bytes of an older, longer content remain.
void WriteTextToStream(const QString& text, int type, QIODevice* stream);
void SaveHtmlToStream(const QString& html, QIODevice* stream);

// Writes the text to a temporary file beside `file` and renames it over
// `file`, so a failure never leaves a half-written file. An empty text
// writes nothing (true). False with `error` set on failure, including a
// read-only target.
bool SaveTextFile(const QString& text, const QString& file, int type, QString* error = nullptr);

// Saves a page in the encoding of its charset declaration (EncodeHtml), as
// SaveTextFile does. On an error with `prompts` the message is shown and
// another file name asked for; the save is retried with it. False when it
// failed and nobody chose another name; `savedAs` receives the name the page
// was saved under.
bool SaveHtmlFile(const QString& html, const QString& file, IUserPrompts* prompts = nullptr, QString* savedAs = nullptr);
// The same for a page already encoded: no bytes write nothing (true).
bool SavePageBytes(const QByteArray& bytes, const QString& file, IUserPrompts* prompts = nullptr,
                   QString* savedAs = nullptr);
