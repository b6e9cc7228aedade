#pragma once

// Runs every page, entity and path routine of src/text on one input and checks
// the few properties that must hold whatever the input. Shared by the fuzz
// target and by the regression test that replays the inputs it found.

#include "Entities.h"
#include "HtmlCleanup.h"
#include "PageFiles.h"
#include "PageParts.h"
#include "Paths.h"
#include "TextSearch.h"
#include "TextUtils.h"
#include "FontDescription.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <cstddef>
#include <cstdint>

namespace textfuzz {

// The first input byte chooses how the rest is read; the text is then cut at
// NUL characters into the page and the further arguments.
struct Input {
    QByteArray Bytes;
    QString Page;
    QString Second;
    QString Third;
    QString Fourth;
    QString CodePage;
};

inline Input MakeInput(const uint8_t* data, size_t size)
{
    Input input;
    if (size == 0)
        return input;
    const uint8_t mode = data[0];
    input.Bytes = QByteArray(reinterpret_cast<const char*>(data + 1), qsizetype(size - 1));
    // UTF-16 reaches lone surrogates and every code unit; UTF-8 reaches markup.
    QString text = (mode & 1) != 0
        ? QString(reinterpret_cast<const QChar*>(input.Bytes.constData()), input.Bytes.size() / 2)
        : QString::fromUtf8(input.Bytes);
    const QStringList parts = text.split(QChar(0));
    input.Page = parts.value(0);
    input.Second = parts.value(1);
    input.Third = parts.value(2);
    input.Fourth = parts.value(3);
    if ((mode & 2) != 0)
        input.Page.prepend(QStringLiteral("<meta name=ProgId content=Word.Document>"));
    static const char* const codePages[] = {"", "936", "932", "1252", "65001", "50220", "0", "junk"};
    input.CodePage = QString::fromLatin1(codePages[(mode >> 2) % 8]);
    return input;
}

// Empty when every property held; else what failed.
inline QString RunTextRoutines(const uint8_t* data, size_t size)
{
    const Input in = MakeInput(data, size);
    const QString& page = in.Page;

    GetTitle(page);
    SetTitle(page, in.Second);
    GetBody(page);
    GetBodyTag(page);
    InsertAfterBodyTag(page, in.Second);
    GetHead(page);
    GetH1Title(page);
    FindTag(page, in.Second);
    GetAttribute(page, in.Second);
    GetBookmarkNames(page);
    ExtractHeadStyles(page);
    CleanWordHtml(page);
    CleanEditorHtml(page);
    CollapseTagSpaces(page, in.Second);
    LooksEntityEncoded(page);
    IsSimilarText(page, in.Second);
    SplitAndTrim(page, in.Second);
    FirstNumber(page);
    SplitUrlAnchor(page);
    RelativePath(page, in.Second);
    RelativeUrl(page, in.Second);
    TFont font;
    StringToFont(page, font);
    DecodeTextBytes(in.Bytes, in.CodePage);

    if (RemoveBetween(page, in.Second, in.Third).size() > page.size())
        return QStringLiteral("RemoveBetween made the text longer");
    if (RemoveBetweenText(page, in.Second, in.Third, in.Fourth).size() > page.size())
        return QStringLiteral("RemoveBetweenText made the text longer");
    if (DecodeEntities(EncodeEntities(page)) != page)
        return QStringLiteral("DecodeEntities did not undo EncodeEntities");
    if (DecodeEntities(page).size() > page.size() + 1)
        return QStringLiteral("DecodeEntities made the text longer");
    // Stable, unless dropping a leading ".." left a drive in front ("..\c:x").
    const QString normalized = NormalizePath(page);
    if (NormalizePath(normalized) != normalized && (IsAbsolutePath(page) || !IsAbsolutePath(normalized)))
        return QStringLiteral("NormalizePath is not stable");

    static const QString terminators = QStringLiteral("\t\n\r\"'>");
    bool plainCharset = !in.Second.isEmpty();
    for (const QChar c : in.Second)
        plainCharset = plainCharset && !terminators.contains(c);
    if (plainCharset && ToLowerSameLength(page).contains(u"charset=")
        && GetCharset(SetCharset(page, in.Second)) != ToLowerSameLength(in.Second))
        return QStringLiteral("GetCharset does not read what SetCharset wrote");
    SetCharset(page, in.Second);

    if (DecodeTextBytes(EncodeText(page, EncodingUtf16)) != page)
        return QStringLiteral("UTF-16 did not round-trip");
    if ((data[0] & 1) == 0 && DecodeTextBytes(EncodeText(page, EncodingUtf8)) != page)
        return QStringLiteral("UTF-8 did not round-trip");
    return QString();
}

} // namespace textfuzz
