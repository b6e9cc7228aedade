#pragma once

// Runs the import's readers on one input: the system data of a compiled
// help file, contents, index and project files, object names and the
// element stack. Shared by the fuzz target and by the regression test that
// replays the inputs it found. Returns what property failed, or empty.

#include "ChmEntryNames.h"
#include "ChmSystemInfo.h"
#include "HtmlScanning.h"
#include "TCHMDecompile.h"
#include "THtmlTags.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <cstddef>
#include <cstdint>

namespace chmfuzz {

// The code pages the first input byte picks from.
inline constexpr int CodePages[] = {0, 1252, 936, 932, 1256, 65001, 1251, 950};

inline QString RunChmImportRoutines(const uint8_t* data, size_t size)
{
    if (size == 0)
        return QString();
    const int codePage = CodePages[data[0] % std::size(CodePages)];
    const QByteArray bytes(reinterpret_cast<const char*>(data + 1), qsizetype(size - 1));

    const TChmSystemInfo info = ReadChmSystemData(bytes);
    if (info.Title.contains('\0') || info.DefaultTopic.contains('\0'))
        return QStringLiteral("a system text holds a zero byte");
    if (info.HasLanguage && info.LangID().size() != 6)
        return QStringLiteral("language identifier not of four digits: ") + info.LangID();

    const qsizetype half = bytes.size() / 2;
    ReadChmWindowFiles(bytes, bytes.mid(half), bytes.left(half));
    ReadChmWindowFiles(bytes, bytes, QByteArrayLiteral("main"));

    TWrittenFiles written;
    for (const QByteArray& name : bytes.split('\n')) {
        const QStringList parts = SafeChmEntryParts(name, codePage);
        for (const QString& part : parts) {
            if (part.isEmpty() || part == QLatin1String(".") || part == QLatin1String("..") ||
                part.contains(QLatin1Char('/')) || part.contains(QLatin1Char('\\')))
                return QStringLiteral("unsafe part: ") + part;
        }
        const QString placed = written.Place(parts);
        if (!parts.isEmpty() && written.Find(placed) != placed)
            return QStringLiteral("a placed file is not found under its own name: ") + placed;
    }

    const QString text = QString::fromUtf8(bytes);
    TCHMDecompile import;
    import.CodePage = codePage;
    import.ReadContext(text);
    import.ParseContents(text);
    import.ParseIndex(text);
    for (int i = 0; i < import.List.Count(); ++i) {
        const TTitleList& entry = import.List.Item(i);
        if (entry.Level < 0 || entry.Level > TTitleList::MaxLevel)
            return QStringLiteral("level out of range: %1").arg(entry.Level);
        if (entry.Index != i)
            return QStringLiteral("index out of order: %1").arg(entry.Index);
    }

    const TBodyParts parts = SplitAtBody(text);
    if (parts.Before.size() + parts.Body.size() + parts.After.size() > text.size())
        return QStringLiteral("SplitAtBody made text");
    THtmlTags stack;
    for (qsizetype at = 0; at < text.size();) {
        if (text[at] != QLatin1Char('<')) {
            stack.Current().Inner += text[at++];
            continue;
        }
        const TTagRead tag = ReadTag(text, at);
        if (tag.Next <= at)
            return QStringLiteral("ReadTag did not advance");
        at = tag.Next;
        if (!tag.Valid)
            continue;
        if (tag.End)
            stack.Close(tag.Name, tag.Text, THtmlTags::Fold::KeepTags);
        else if (!IsEmptyTag(tag.Name))
            stack.Open(tag.Name, tag.Text);
    }
    stack.FoldAll(THtmlTags::Fold::DropTags);
    if (stack.Count() != 1 || stack.Root().Name != QLatin1String("Root"))
        return QStringLiteral("the element stack lost its root");
    return QString();
}

} // namespace chmfuzz
