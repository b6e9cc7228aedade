#include "THhpProject.h"

#include "QuorixError.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace {

const QByteArray Utf8Bom("\xEF\xBB\xBF");

enum class ESection { None, Options, Windows, Files, Map, Alias, Other };

ESection SectionNamed(const QByteArray& name)
{
    const QByteArray upper = name.trimmed().toUpper();
    if (upper == "OPTIONS")
        return ESection::Options;
    if (upper == "WINDOWS")
        return ESection::Windows;
    if (upper == "FILES")
        return ESection::Files;
    if (upper == "MAP")
        return ESection::Map;
    if (upper == "ALIAS")
        return ESection::Alias;
    return ESection::Other;
}

bool ReadBytes(const QString& path, QByteArray* bytes)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    *bytes = file.readAll();
    if (bytes->startsWith(Utf8Bom))
        bytes->remove(0, Utf8Bom.size());
    return true;
}

// A number as C and the project files write it: decimal, or hex after "0x".
bool ParseNumber(const QByteArray& text, quint32* value)
{
    bool ok = false;
    const QByteArray trimmed = text.trimmed();
    const bool hex = trimmed.startsWith("0x") || trimmed.startsWith("0X");
    const qulonglong number = hex ? trimmed.mid(2).toULongLong(&ok, 16) : trimmed.toULongLong(&ok, 10);
    if (!ok || number > 0xFFFFFFFFull)
        return false;
    *value = quint32(number);
    return true;
}

class TReader {
public:
    explicit TReader(THhpProject* project)
        : m_project(project)
    {
    }

    // `path` is the file `text` came from; files it is being read inside
    // are not read again, so an include cycle ends at once.
    void ReadFile(const QString& path, const QByteArray& text, ESection section)
    {
        const QString key = QFileInfo(path).canonicalFilePath();
        m_reading.append(key);
        ReadLines(text, section);
        m_reading.removeLast();
    }

private:
    void ReadLines(const QByteArray& text, ESection section)
    {
        for (QByteArray line : text.split('\n')) {
            line = line.trimmed();
            if (line.isEmpty() || line.startsWith(';'))
                continue;
            if (line.startsWith('[') && line.contains(']')) {
                section = SectionNamed(line.mid(1, line.indexOf(']') - 1));
                continue;
            }
            if (line.startsWith("#include")) {
                Include(line.mid(int(sizeof("#include")) - 1).trimmed(), section);
                continue;
            }
            ReadLine(line, section);
        }
    }

    void Include(QByteArray name, ESection section)
    {
        if ((name.startsWith('"') && name.endsWith('"')) || (name.startsWith('<') && name.endsWith('>')))
            name = name.mid(1, name.size() - 2);
        const QString path = QDir(m_project->Folder).absoluteFilePath(QString::fromUtf8(name).replace('\\', '/'));
        QByteArray bytes;
        if (m_reading.contains(QFileInfo(path).canonicalFilePath())) {
            m_project->Warnings.append(QStringLiteral("\"%1\" includes itself; it was read once.").arg(path));
            return;
        }
        if (!ReadBytes(path, &bytes)) {
            m_project->Warnings.append(QStringLiteral("The included file \"%1\" cannot be read.").arg(path));
            return;
        }
        ReadFile(path, bytes, section);
    }

    void ReadLine(const QByteArray& line, ESection section)
    {
        const qsizetype equals = line.indexOf('=');
        switch (section) {
        case ESection::Options:
            if (equals > 0)
                m_project->Options.append({line.left(equals).trimmed(), line.mid(equals + 1).trimmed()});
            break;
        case ESection::Windows:
            if (equals > 0)
                m_project->Windows.append({line.left(equals).trimmed(), line.mid(equals + 1).trimmed()});
            break;
        case ESection::Files:
            m_project->Files.append(line);
            break;
        case ESection::Map:
            ReadDefine(line);
            break;
        case ESection::Alias:
            if (equals > 0)
                m_project->Aliases.append({line.left(equals).trimmed(), line.mid(equals + 1).trimmed()});
            break;
        case ESection::None:
        case ESection::Other:
            // Included header files hold #define lines outside any section.
            if (line.startsWith("#define"))
                ReadDefine(line);
            break;
        }
    }

    // "#define IDH_NAME 100" (as header files and [MAP] write it).
    void ReadDefine(const QByteArray& line)
    {
        const QList<QByteArray> words = line.simplified().split(' ');
        quint32 number = 0;
        if (words.size() >= 3 && words[0] == "#define" && ParseNumber(words[2], &number))
            m_project->Map.append({words[1], number});
        else if (!line.startsWith("//"))
            m_project->Warnings.append(
                QStringLiteral("The context line \"%1\" is not \"#define NAME NUMBER\"; it was skipped.")
                    .arg(QString::fromUtf8(line)));
    }

    THhpProject* m_project;
    QStringList m_reading; // canonical paths of the files being read, outermost first
};

} // namespace

THhpProject THhpProject::Read(const QString& hhpFile)
{
    THhpProject project;
    const QFileInfo info(hhpFile);
    QByteArray bytes;
    if (!info.isFile() || !ReadBytes(info.absoluteFilePath(), &bytes))
        throw EQuorixError(QStringLiteral("The HTML Help project \"%1\" cannot be read.").arg(hhpFile));
    project.Folder = info.absolutePath() + QLatin1Char('/');
    TReader(&project).ReadFile(info.absoluteFilePath(), bytes, ESection::None);
    return project;
}

QByteArray THhpProject::Option(const QByteArray& key) const
{
    for (const auto& [name, value] : Options)
        if (name.compare(key, Qt::CaseInsensitive) == 0)
            return value;
    return QByteArray();
}

quint32 THhpProject::LanguageId(quint32 fallback) const
{
    quint32 id = 0;
    const QByteArray value = Option("Language").simplified();
    return ParseNumber(value.split(' ').front(), &id) ? id : fallback;
}
