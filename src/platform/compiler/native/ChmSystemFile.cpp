#include "ChmSystemFile.h"

#include "ChmBytes.h"
#include "ChmFullTextIndex.h"
#include "THhpProject.h"

namespace {

constexpr quint32 SystemVersion = 3;

// Entry codes of #SYSTEM.
enum ESystemCode : quint16 {
    ContentsFile = 0,
    IndexFile = 1,
    DefaultTopic = 2,
    Title = 3,
    LanguageFlags = 4,
    DefaultWindow = 5,
    CompiledFile = 6,
    CompilerVersion = 9,
    DefaultFont = 16,
};

void PutEntry(QByteArray& out, ESystemCode code, const QByteArray& data)
{
    PutWord(out, code);
    PutWord(out, quint16(data.size()));
    out += data;
}

void PutText(QByteArray& out, ESystemCode code, const QByteArray& text)
{
    if (!text.isEmpty())
        PutEntry(out, code, text + '\0');
}

} // namespace

QByteArray ChmSystemFile(const THhpProject& project, quint32 languageId, const TChmSystemNames& names)
{
    QByteArray out;
    PutDword(out, SystemVersion);
    PutText(out, ContentsFile, names.Contents);
    PutText(out, IndexFile, names.Index);
    PutText(out, DefaultTopic, names.DefaultTopic);
    PutText(out, Title, project.Option("Title"));

    QByteArray flags;
    PutDword(flags, languageId);
    PutDword(flags, 0); // no DBCS
    PutDword(flags, ChmFullTextSearchWanted(project) ? 1 : 0);
    PutDword(flags, 0); // keyword links
    PutDword(flags, 0); // associative links
    PutQword(flags, 0); // time stamp
    PutQword(flags, 0);
    PutEntry(out, LanguageFlags, flags);

    PutText(out, DefaultWindow, project.Option("Default Window"));
    PutText(out, CompiledFile, names.CompiledBaseName);
    PutText(out, CompilerVersion, "Quorix native compiler");
    PutText(out, DefaultFont, project.Option("Default Font"));
    return out;
}
