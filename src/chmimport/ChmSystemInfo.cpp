#include "ChmSystemInfo.h"

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

quint16 Word(const QByteArray& bytes, qsizetype at)
{
    return quint16(quint8(bytes[at]) | quint8(bytes[at + 1]) << 8);
}

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
        const quint16 code = Word(system, at);
        const qsizetype length = Word(system, at + 2);
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
                info.LanguageId = Word(system, data);
            }
            break;
        default: break;
        }
        at = data + length;
    }
    return info;
}

QByteArray ReadChmSystemBytes(const QString& chmFile)
{
    const TChmFile file(chmFile);
    if (!file.IsOpen())
        return QByteArray();
    return file.Read(QByteArrayLiteral("/#SYSTEM"), MaxSystemDataSize);
}
