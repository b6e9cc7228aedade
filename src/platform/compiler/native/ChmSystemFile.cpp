#include "ChmSystemFile.h"

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

void PutLittle(QByteArray& out, quint64 value, int bytes)
{
    for (int n = 0; n < bytes; ++n)
        out.append(char((value >> (8 * n)) & 0xFF));
}

void PutEntry(QByteArray& out, ESystemCode code, const QByteArray& data)
{
    PutLittle(out, code, 2);
    PutLittle(out, quint64(data.size()), 2);
    out += data;
}

void PutText(QByteArray& out, ESystemCode code, const QByteArray& text)
{
    if (!text.isEmpty())
        PutEntry(out, code, text + '\0');
}

bool IsYes(const QByteArray& value)
{
    return value.compare("Yes", Qt::CaseInsensitive) == 0 || value == "1";
}

} // namespace

QByteArray ChmSystemFile(const THhpProject& project, quint32 languageId, const QByteArray& contentsName,
                         const QByteArray& indexName, const QByteArray& compiledBaseName)
{
    QByteArray out;
    PutLittle(out, SystemVersion, 4);
    PutText(out, ContentsFile, contentsName);
    PutText(out, IndexFile, indexName);
    PutText(out, DefaultTopic, QByteArray(project.Option("Default topic")).replace('\\', '/'));
    PutText(out, Title, project.Option("Title"));

    QByteArray flags;
    PutLittle(flags, languageId, 4);
    PutLittle(flags, 0, 4); // no DBCS
    PutLittle(flags, IsYes(project.Option("Full-text search")) ? 1 : 0, 4);
    PutLittle(flags, 0, 4); // keyword links
    PutLittle(flags, 0, 4); // associative links
    PutLittle(flags, 0, 8); // time stamp
    PutLittle(flags, 0, 8);
    PutEntry(out, LanguageFlags, flags);

    PutText(out, DefaultWindow, project.Option("Default Window"));
    PutText(out, CompiledFile, compiledBaseName);
    PutText(out, CompilerVersion, "Quorix native compiler");
    PutText(out, DefaultFont, project.Option("Default Font"));
    return out;
}
