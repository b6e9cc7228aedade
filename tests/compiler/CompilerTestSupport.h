#pragma once

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSet>
#include <QString>
#include <QStringList>
#include <chm_lib.h>

// Helpers of the compiler tests: small HTML Help projects written in code,
// and compiled help files read back with chmlib.
namespace CompilerTest {

inline void WriteBytes(const QString& path, const QByteArray& bytes)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    if (file.open(QIODevice::WriteOnly))
        file.write(bytes);
}

inline QByteArray ReadBytes(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// `pageCount` pages in three sub-folders of `folder` and "help.hhp" listing
// them, as the project writer lays them out. The pages' names inside the
// compiled file ("/topics0/page0.htm", ...).
inline QStringList WriteProject(const QString& folder, int pageCount)
{
    QStringList names;
    QByteArray files;
    for (int n = 0; n < pageCount; ++n) {
        const QString page = QStringLiteral("topics%1/page%2.htm").arg(n % 3).arg(n);
        WriteBytes(folder + QLatin1Char('/') + page,
                   QStringLiteral("<html><head><title>Page %1</title></head><body><p>Page number %1.</p>"
                                  "</body></html>")
                       .arg(n)
                       .toLatin1());
        names.append(QLatin1Char('/') + page);
        files += QString(page).replace(QLatin1Char('/'), QLatin1Char('\\')).toLatin1() + "\r\n";
    }
    WriteBytes(folder + QStringLiteral("/help.hhp"),
               "[OPTIONS]\r\nCompatibility=1.1 or later\r\nCompiled file=help.chm\r\n"
               "Default topic=topics0/page0.htm\r\nLanguage=0x409\r\nTitle=Generated help\r\n\r\n[FILES]\r\n"
                   + files + "\r\n");
    return names;
}

// Every object chmlib finds when it walks the directory; empty when it
// cannot open the file.
inline QSet<QString> ChmNames(const QString& path)
{
    QSet<QString> names;
    chmFile* help = chm_open(QFile::encodeName(path).constData());
    if (!help)
        return names;
    chm_enumerate(
        help, CHM_ENUMERATE_ALL,
        [](chmFile*, chmUnitInfo* unit, void* context) {
            static_cast<QSet<QString>*>(context)->insert(QString::fromUtf8(unit->path));
            return CHM_ENUMERATOR_CONTINUE;
        },
        &names);
    chm_close(help);
    return names;
}

// Files and folders the compiler left behind in `folder` (hidden ones too).
inline QStringList TemporaryLeftovers(const QString& folder)
{
    return QDir(folder).entryList({QStringLiteral(".quorix*")},
                                  QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);
}

} // namespace CompilerTest
