#include "TNativeHTMLHelpCompiler.h"

#include "ChmContextMap.h"
#include "ChmFullTextIndex.h"
#include "CodePages.h"
#include "Languages.h"
#include "ChmSystemFile.h"
#include "ChmTopicTables.h"
#include "ChmWindowsFile.h"
#include "Paths.h"
#include "QuorixError.h"
#include "TChmContainerWriter.h"
#include "TChmStringTable.h"
#include "THhpProject.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QSaveFile>
#include <QSet>

namespace {

constexpr quint32 DefaultLanguageId = 0x0409;
// Longer names would not fit a directory chunk of the help file.
constexpr qsizetype MaxStoredNameLength = 1024;
// How many pages go in between two progress lines.
constexpr int ProgressEvery = 500;

// The help file's own tables, which no project file may replace.
const QByteArray TopicsTable("/#TOPICS");
const QByteArray UrlTable("/#URLTBL");
const QByteArray UrlStrings("/#URLSTR");
const QByteArray ContextTable("/#IVB");
const QByteArray StringsTable("/#STRINGS");
const QByteArray SystemTable("/#SYSTEM");
const QByteArray WindowsTable("/#WINDOWS");
const QByteArray FullTextIndex("/$FIftiMain");

bool IsOwnTable(const QByteArray& name)
{
    for (const QByteArray& table :
         {TopicsTable, UrlTable, UrlStrings, ContextTable, StringsTable, SystemTable, WindowsTable, FullTextIndex})
        if (name.compare(table, Qt::CaseInsensitive) == 0)
            return true;
    return false;
}

// The name a project path has inside the help file ("/topics/intro.htm"):
// "/" separators, no "." or ".." parts; empty when it leaves the project's
// folder.
QByteArray StoredName(QString path)
{
    path = QDir::cleanPath(path.trimmed().replace(QLatin1Char('\\'), QLatin1Char('/')));
    if (path.isEmpty() || path == QLatin1String(".") || path.startsWith(QLatin1String("../"))
        || path == QLatin1String("..") || QDir::isAbsolutePath(path))
        return QByteArray();
    return '/' + path.toUtf8();
}

// A path as the project writes it: UTF-8, or else the help's code page (as
// HTML Help Workshop projects do), so that every name is stored as UTF-8.
QString ProjectText(const QByteArray& bytes, int codePage)
{
    QString text;
    if (DecodeValidUtf8(bytes, text))
        return text;
    return codePage != 0 && CodePageAvailable(codePage) ? AnsiToText(bytes, codePage) : QString::fromLatin1(bytes);
}

} // namespace

TCompileResult TNativeHTMLHelpCompiler::CompileHHP(const QString& hhpFile, const LogCallback& log,
                                                   const ProgressCallback& progress)
{
    TCompileResult result;
    bool canceled = false;
    const auto report = [&](const QString& line) {
        if (log)
            log(line);
        if (progress && !progress(line))
            canceled = true;
    };
    const auto fail = [&](const QString& message) {
        result.Message = message;
        if (log)
            log(message);
        return result;
    };

    THhpProject project;
    try {
        project = THhpProject::Read(hhpFile);
    } catch (const EQuorixError& error) {
        return fail(error.message());
    }
    const QByteArray compiledFile = project.Option("Compiled file");
    if (compiledFile.isEmpty())
        return fail(QStringLiteral("The HTML Help project \"%1\" names no compiled file.").arg(hhpFile));
    result.CompiledFile = ProjectFilePath(project.Folder, QString::fromUtf8(compiledFile));
    const QFileInfo target(result.CompiledFile);
    const QString unchanged = target.exists()
        ? QStringLiteral(" \"%1\" was left as it was.").arg(result.CompiledFile)
        : QStringLiteral(" No help file was written.");

    report(QStringLiteral("Compiling %1").arg(result.CompiledFile));
    for (const QString& warning : project.Warnings)
        report(QStringLiteral("Warning: ") + warning);

    const quint32 languageId = project.LanguageId(DefaultLanguageId);
    const int codePage
        = LanguageTable().GetCodepageById(QStringLiteral("0x%1").arg(languageId, 4, 16, QLatin1Char('0')));
    const auto text = [codePage](const QByteArray& bytes) { return ProjectText(bytes, codePage); };
    TChmContainerWriter container(languageId);
    // Stored names by their folded form: readers look names up without case.
    QHash<QByteArray, QByteArray> storedNames;
    QList<TChmTopic> topics;
    QList<QByteArray> topicPages; // the bytes of each topic's page
    // Canonical paths of the files read, which the help file must not replace.
    QSet<QString> sources = {QFileInfo(hhpFile).canonicalFilePath()};
    int added = 0;
    // Adds a project file under its stored name; an empty name when it was not
    // added. `read`, when given, receives the bytes read.
    const auto add = [&](const QByteArray& projectPath, const char* what, QByteArray* read = nullptr) {
        const QByteArray name = StoredName(text(projectPath));
        if (name.isEmpty()) {
            report(QStringLiteral("Warning: the %1 \"%2\" is outside the project's folder; it was left out.")
                       .arg(QLatin1String(what), text(projectPath)));
            return QByteArray();
        }
        if (name.size() > MaxStoredNameLength) {
            report(QStringLiteral("Warning: the name of the %1 \"%2\" is longer than %3 bytes; it was left out.")
                       .arg(QLatin1String(what), text(projectPath))
                       .arg(MaxStoredNameLength));
            return QByteArray();
        }
        if (IsOwnTable(name)) {
            report(QStringLiteral("Warning: the %1 \"%2\" has the name of one of the help file's own tables; it was "
                                  "left out.")
                       .arg(QLatin1String(what), text(projectPath)));
            return QByteArray();
        }
        const auto stored = storedNames.constFind(name.toLower());
        if (stored != storedNames.cend())
            return stored.value();
        const QString path = ProjectFilePath(project.Folder, text(projectPath));
        QFile file(path);
        if (!QFileInfo(path).isFile() || !file.open(QIODevice::ReadOnly)) {
            report(QStringLiteral("Warning: the %1 \"%2\" cannot be read (%3); it was left out.")
                       .arg(QLatin1String(what), path,
                            QFileInfo::exists(path) ? file.errorString() : QStringLiteral("no such file")));
            return QByteArray();
        }
        const QByteArray bytes = file.readAll();
        sources.insert(QFileInfo(path).canonicalFilePath());
        if (read)
            *read = bytes;
        container.AddFile(name, bytes);
        storedNames.insert(name.toLower(), name);
        const QByteArray lower = name.toLower();
        if (lower.endsWith(".htm") || lower.endsWith(".html")) {
            topics.append({name.mid(1), ChmPageTitle(bytes), false});
            topicPages.append(bytes);
        }
        if (++added % ProgressEvery == 0)
            report(QStringLiteral("Added %1 files").arg(added));
        return name;
    };

    const QByteArray contentsOption = project.Option("Contents file");
    const QByteArray indexOption = project.Option("Index file");
    QByteArray contentsBytes;
    const QByteArray contentsName
        = contentsOption.isEmpty() ? QByteArray() : add(contentsOption, "contents file", &contentsBytes);
    const QByteArray indexName = indexOption.isEmpty() ? QByteArray() : add(indexOption, "index file");
    for (const QByteArray& page : project.Files) {
        add(page, "file");
        if (canceled)
            return fail(QStringLiteral("Compiling was canceled.") + unchanged);
    }
    const auto pageInHelp = [&](const QByteArray& projectPath) {
        return storedNames.value(StoredName(text(projectPath)).toLower()).mid(1);
    };
    if (!contentsName.isEmpty()) {
        QSet<QByteArray> listed;
        for (const QByteArray& page : ChmContentsPages(contentsBytes))
            listed.insert(pageInHelp(page.contains('#') ? page.left(page.indexOf('#')) : page).toLower());
        for (TChmTopic& topic : topics)
            topic.InContents = listed.contains(topic.Name.toLower());
    }
    const bool fullText = ChmFullTextSearchWanted(project);
    if (fullText)
        report(QStringLiteral("Indexing %1 pages for full-text search").arg(topicPages.size()));
    const TChmReadPages read = ChmReadPages(topicPages, codePage, languageId, fullText);
    for (qsizetype n = 0; n < topics.size(); ++n)
        topics[n].Title = read.Titles[n];
    // The help is complete; only its search cannot hold these words.
    if (read.Unstorable > 0)
        report(QStringLiteral("Full-text search leaves out %1 words of the pages (the first \"%2\" in \"%3\"): code "
                              "page %4 of the help's language cannot hold their characters.")
                   .arg(read.Unstorable)
                   .arg(read.FirstUnstorable, QString::fromUtf8(topics[read.FirstUnstorablePage].Name))
                   .arg(codePage));
    if (canceled)
        return fail(QStringLiteral("Compiling was canceled.") + unchanged);
    if (fullText)
        container.AddFile(FullTextIndex, read.Index);
    TChmStringTable strings;
    const TChmTopicTables tables = ChmTopicTables(topics, strings);
    container.AddFile(TopicsTable, tables.Topics);
    container.AddFile(UrlTable, tables.UrlTable);
    container.AddFile(UrlStrings, tables.UrlStrings);
    if (!project.Aliases.isEmpty() || !project.Map.isEmpty()) {
        QStringList warnings;
        container.AddFile(ContextTable, ChmContextMap(project, strings, pageInHelp, &warnings));
        for (const QString& warning : warnings)
            report(QStringLiteral("Warning: ") + warning);
    }
    const QByteArray windows = ChmWindowsFile(project, strings, pageInHelp);
    if (!windows.isEmpty())
        container.AddFile(WindowsTable, windows);
    container.AddFile(StringsTable, strings.Bytes());
    const QByteArray defaultOption = project.Option("Default topic");
    const QByteArray defaultTopic = defaultOption.isEmpty() ? QByteArray() : pageInHelp(defaultOption);
    if (!defaultOption.isEmpty() && defaultTopic.isEmpty())
        report(QStringLiteral("Warning: the default topic \"%1\" is not in the help file.").arg(text(defaultOption)));
    container.AddFile(SystemTable,
                      ChmSystemFile(project, languageId,
                                    {contentsName.mid(1), indexName.mid(1), defaultTopic,
                                     target.completeBaseName().toUtf8()}),
                      TChmContainerWriter::ESection::Uncompressed);

    if (sources.contains(target.canonicalFilePath()))
        return fail(QStringLiteral("The compiled file \"%1\" is one of the project's own files.")
                        .arg(result.CompiledFile)
                    + unchanged);
    if (!QDir().mkpath(target.absolutePath()))
        return fail(QStringLiteral("Cannot create the folder \"%1\" for the help file.").arg(target.absolutePath())
                    + unchanged);
    report(QStringLiteral("Compressing %1 files").arg(added));
    if (canceled)
        return fail(QStringLiteral("Compiling was canceled.") + unchanged);
    QSaveFile output(result.CompiledFile);
    output.setDirectWriteFallback(false);
    const QByteArray bytes = container.Write();
    if (!output.open(QIODevice::WriteOnly) || output.write(bytes) != bytes.size() || !output.commit())
        return fail(QStringLiteral("Cannot write \"%1\": %2.").arg(result.CompiledFile, output.errorString())
                    + unchanged);
    report(QStringLiteral("Compiled %1 files into %2 (%3 bytes)").arg(added).arg(result.CompiledFile).arg(bytes.size()));
    result.Succeeded = true;
    return result;
}
