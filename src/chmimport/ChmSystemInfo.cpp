#include "ChmSystemInfo.h"

#include "ChmBytes.h"
#include "TChmFile.h"

namespace {

// Record codes of the system data.
enum SystemRecord : quint16 {
    RecordContentsFile = 0,
    RecordIndexFile = 1,
    RecordDefaultTopic = 2,
    RecordTitle = 3,
    RecordLanguage = 4,
    RecordDefaultWindow = 5,
};
// The version word before the first record.
constexpr qsizetype SystemHeaderSize = 4;
constexpr qsizetype RecordHeaderSize = 4;
// The window definitions: a count and an entry size, then the entries, each
// naming its strings by their offsets in "/#STRINGS".
constexpr qsizetype WindowsHeaderSize = 8;
constexpr qsizetype WindowNameAt = 0x08;
constexpr qsizetype WindowContentsAt = 0x60;
constexpr qsizetype WindowIndexAt = 0x64;

// A text record ends at its first zero byte.
QByteArray RecordText(const QByteArray& bytes, qsizetype at, qsizetype length)
{
    QByteArray text = bytes.mid(at, length);
    const qsizetype zero = text.indexOf('\0');
    if (zero >= 0)
        text.truncate(zero);
    return text;
}

} // namespace

QString TChmSystemInfo::LangID() const
{
    if (!HasLanguage)
        return QString();
    return QStringLiteral("0x") + QStringLiteral("%1").arg(LanguageId, 4, 16, QLatin1Char('0')).toUpper();
}

TChmSystemInfo ReadChmSystemData(const QByteArray& system)
{
    TChmSystemInfo info;
    for (qsizetype at = SystemHeaderSize; at + RecordHeaderSize <= system.size();) {
        const quint16 code = ChmWord(system, at);
        const qsizetype length = ChmWord(system, at + 2);
        const qsizetype data = at + RecordHeaderSize;
        if (data + length > system.size())
            break;
        switch (code) {
        case RecordContentsFile: info.ContentsFile = RecordText(system, data, length); break;
        case RecordIndexFile: info.IndexFile = RecordText(system, data, length); break;
        case RecordDefaultTopic: info.DefaultTopic = RecordText(system, data, length); break;
        case RecordTitle: info.Title = RecordText(system, data, length); break;
        case RecordDefaultWindow: info.DefaultWindow = RecordText(system, data, length); break;
        case RecordLanguage:
            if (length >= 2) {
                info.HasLanguage = true;
                info.LanguageId = ChmWord(system, data);
            }
            break;
        default: break;
        }
        at = data + length;
    }
    return info;
}

TChmWindowFiles ReadChmWindowFiles(const QByteArray& windows, const QByteArray& strings, const QByteArray& name)
{
    TChmWindowFiles files;
    if (windows.size() < WindowsHeaderSize)
        return files;
    const qsizetype count = ChmDWord(windows, 0);
    const qsizetype entrySize = ChmDWord(windows, 4);
    if (entrySize < WindowIndexAt + 4)
        return files;
    const auto text = [&](qsizetype entry, qsizetype field) {
        const qsizetype offset = ChmDWord(windows, entry + field);
        return offset < strings.size() ? RecordText(strings, offset, strings.size() - offset) : QByteArray();
    };
    qsizetype chosen = -1;
    for (qsizetype i = 0; i < count; ++i) {
        const qsizetype entry = WindowsHeaderSize + i * entrySize;
        if (entry + entrySize > windows.size())
            break;
        const bool named = text(entry, WindowNameAt).compare(name, Qt::CaseInsensitive) == 0;
        if (chosen < 0 || named)
            chosen = entry;
        if (named)
            break;
    }
    if (chosen >= 0) {
        files.ContentsFile = text(chosen, WindowContentsAt);
        files.IndexFile = text(chosen, WindowIndexAt);
    }
    return files;
}

TChmSystemInfo ReadChmFileInfo(const QString& chmFile)
{
    const TChmFile file(chmFile);
    if (!file.IsOpen())
        return TChmSystemInfo();
    TChmSystemInfo info = ReadChmSystemData(file.Read(QByteArrayLiteral("/#SYSTEM"), MaxSystemDataSize));
    if (info.ContentsFile.isEmpty() || info.IndexFile.isEmpty()) {
        const TChmWindowFiles window = ReadChmWindowFiles(file.Read(QByteArrayLiteral("/#WINDOWS"), MaxSystemDataSize),
                                                          file.Read(QByteArrayLiteral("/#STRINGS"), MaxSystemDataSize),
                                                          info.DefaultWindow);
        if (info.ContentsFile.isEmpty())
            info.ContentsFile = window.ContentsFile;
        if (info.IndexFile.isEmpty())
            info.IndexFile = window.IndexFile;
    }
    return info;
}
