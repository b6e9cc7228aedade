#include "TCHMProjectWriter.h"

#include "CodePages.h"
#include "Paths.h"
#include "QuorixError.h"
#include "TCHMOutputHost.h"
#include "TCHMProject.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QIODevice>
#include <QSaveFile>

namespace {

const QLatin1String CrLf("\r\n");

QString Hex(int value)
{
    return QStringLiteral("0x") + QString::number(quint32(value), 16).toUpper();
}

QString Quoted(const QString& text)
{
    return QLatin1Char('"') + text + QLatin1Char('"');
}

// The name after the last separator of either kind.
QString FileNamePart(const QString& path)
{
    const qsizetype separator = std::max(path.lastIndexOf(u'/'), path.lastIndexOf(u'\\'));
    return path.mid(separator + 1);
}

// The help file's name, the project files are named after: a double quote
// would end the quoted fields of the window definition early.
QString ProjectFilesName(const QString& chm)
{
    return FileNamePart(chm).replace(u'"', u'\'');
}

// `name` with its extension (from the last ".") replaced or added.
QString WithExtension(const QString& name, const QString& extension)
{
    const qsizetype dot = name.lastIndexOf(u'.');
    return (dot < 0 ? name : name.left(dot)) + extension;
}

void WriteAll(QIODevice* device, const QByteArray& bytes, const QString& name)
{
    if (!device->isWritable() || device->write(bytes) != bytes.size())
        throw EQuorixError(QStringLiteral("Cannot write %1: %2").arg(name, device->errorString()));
}

void WriteFile(const QString& fileName, const QByteArray& bytes)
{
    QSaveFile file(fileName);
    if (!file.open(QIODevice::WriteOnly))
        throw EQuorixError(QStringLiteral("Cannot write %1: %2").arg(fileName, file.errorString()));
    WriteAll(&file, bytes, fileName);
    if (!file.commit())
        throw EQuorixError(QStringLiteral("Cannot write %1: %2").arg(fileName, file.errorString()));
}

// The first four lines of the contents and index files, through "<BODY>".
QString SitemapHead()
{
    return QLatin1String("<!DOCTYPE HTML PUBLIC \"-//IETF//DTD HTML//EN\">") + CrLf
        + QLatin1String("<HTML>") + CrLf + QLatin1String("<HEAD>") + CrLf
        + QLatin1String("<meta name=\"GENERATOR\" content=\"Microsoft&reg; HTML Help Workshop 4.1\">") + CrLf
        + QLatin1String("<!-- Sitemap 1.0 -->") + CrLf + QLatin1String("</HEAD>") + CrLf
        + QLatin1String("<BODY>") + CrLf;
}

const QLatin1String SitemapTail("</BODY>\r\n</HTML>\r\n");

} // namespace

TCHMProjectWriter::TCHMProjectWriter(TCHMProject& project, int textCodePage)
    : m_project(project)
    , m_textCodePage(textCodePage)
{
}

QByteArray TCHMProjectWriter::Ansi(const QString& text) const
{
    return TextToAnsi(text, m_textCodePage);
}

QStringList TCHMProjectWriter::WindowFields() const
{
    const TCHMProject& p = m_project;
    // The format has no escape for a double quote inside a quoted field.
    const QString defaultTopic = ToSlashes(p.DefaultTopic).replace(u'"', QLatin1String("%22"));
    const QString position = QStringLiteral("[%1,%2,%3,%4]")
                                 .arg(p.Left)
                                 .arg(p.Top)
                                 .arg(qint64(p.Left) + p.Width)
                                 .arg(qint64(p.Top) + p.Height);
    return {
        Quoted(QString(p.Title).replace(u'"', u'\'')),
        Quoted(p.HHCFile),
        Quoted(p.HHKFile),
        Quoted(defaultTopic), // default file
        Quoted(defaultTopic), // home button
        Quoted(defaultTopic), // first jump button
        Quoted(QString()),      // first jump button text
        QString(),
        QString(),
        Hex(p.Face),
        QString::number(p.PaneWidth),
        Hex(p.Toolbar),
        position,
        Hex(p.Window),
        Hex(p.WindowEx),
        QString(),
        p.ShowPane ? QStringLiteral("0") : QStringLiteral("1"), // 1: navigation pane closed
        QString::number(p.DefaultTab),
        QString(),
        QStringLiteral("0"),
    };
}

QString TCHMProjectWriter::WindowDefinition() const
{
    QString definition;
    for (const QString& field : WindowFields())
        definition += field + QLatin1Char(',');
    return definition;
}

QByteArray TCHMProjectWriter::HHPBytes() const
{
    const TCHMProject& p = m_project;
    QByteArray bytes;
    // Names of files are bytes the compiler opens: UTF-8, as the file
    // system names them. What a reader sees is in the help's code page.
    const auto line = [&bytes](const QByteArray& content) { bytes += content + "\r\n"; };
    const auto path = [](const QString& name) { return QFile::encodeName(name); };
    line("[OPTIONS]");
    line("Auto Index=No");
    line("Binary Index=Yes");
    line("Compatibility=1.1 or later");
    line("Compiled file=" + path(p.CHM));
    line("Contents file=" + path(p.HHCFile));
    line("Default Font=" + Ansi(p.Font));
    line("Default Window=main");
    // Stored topics use "\"; chmcmd keeps it as it is, and readers then find no page.
    line("Default topic=" + path(ToSlashes(p.DefaultTopic)));
    line("Display compile progress=No");
    line("Error log file=" + path(p.LOGFile));
    line("Full-text search=Yes");
    line("Index file=" + path(p.HHKFile));
    line("Language=" + Ansi(p.Language));
    line("Title=" + Ansi(p.Title));
    line(QByteArray());
    line("[WINDOWS]");
    const QStringList fields = WindowFields();
    // The title first, then file names and numbers.
    line("main=" + Ansi(fields.front()) + ',' + path(fields.mid(1).join(u',')) + ',');
    line(QByteArray());
    line("[FILES]");
    for (const QString& file : p.Files)
        line(path(file));
    line(QByteArray());
    if (!p.Alias.isEmpty()) {
        line("[ALIAS]");
        line(path(p.Alias)); // ends with CR LF itself, so an empty line follows
        line(QByteArray());
    }
    if (!p.Map.isEmpty()) {
        line("[MAP]");
        line("#include " + path(p.HFile));
        line(QByteArray());
    }
    return bytes;
}

QByteArray TCHMProjectWriter::HHCBytes() const
{
    const TCHMProject& p = m_project;
    QString head = SitemapHead();
    head += QLatin1String("   <OBJECT type=\"text/site properties\"> ") + CrLf;
    head += QLatin1String("     <param name=\"FrameName\" value=\"right\">") + CrLf;
    head += QLatin1String("     <param name=\"Font\" value=\"") + p.ContentsFont + QLatin1String("\">") + CrLf;
    head += QLatin1String("     <param name=\"ImageType\" value=\"")
        + (p.UseFolder ? QLatin1String("Folder") : QLatin1String("Book")) + QLatin1String("\">") + CrLf;
    head += QLatin1String("     <param name=\"Window Styles\" value=\"") + Hex(p.WinStyle) + QLatin1String("\">") + CrLf;
    head += QLatin1String("     <param name=\"ExWindow Styles\" value=\"") + Hex(p.WinStyleEx) + QLatin1String("\">")
        + CrLf;
    head += QLatin1String("   </OBJECT>") + CrLf;
    return Ansi(head) + p.TOC + "\r\n" + Ansi(SitemapTail);
}

QByteArray TCHMProjectWriter::HHKBytes() const
{
    const TCHMProject& p = m_project;
    QString head = SitemapHead();
    head += QLatin1String("<OBJECT type=\"text/site properties\">") + CrLf;
    head += QLatin1String("<param name=\"Font\" value=\"") + p.IndexFont + QLatin1String("\">") + CrLf;
    head += QLatin1String("</OBJECT>") + CrLf;
    return Ansi(head) + p.IndexList + "\r\n" + Ansi(SitemapTail);
}

QByteArray TCHMProjectWriter::HBytes() const
{
    return Ansi(m_project.Map + CrLf);
}

void TCHMProjectWriter::WriteHHP(QIODevice* device) const
{
    WriteAll(device, HHPBytes(), QStringLiteral("the project file"));
}

void TCHMProjectWriter::WriteHHC(QIODevice* device) const
{
    WriteAll(device, HHCBytes(), QStringLiteral("the contents file"));
}

void TCHMProjectWriter::WriteHHK(QIODevice* device) const
{
    WriteAll(device, HHKBytes(), QStringLiteral("the index file"));
}

void TCHMProjectWriter::WriteH(QIODevice* device) const
{
    WriteAll(device, HBytes(), QStringLiteral("the context map"));
}

void TCHMProjectWriter::OutputHHP(const QString& FileName) const
{
    WriteFile(FileName, HHPBytes());
}

void TCHMProjectWriter::OutputHHC(const QString& FileName) const
{
    WriteFile(FileName, HHCBytes());
}

void TCHMProjectWriter::OutputHHK(const QString& FileName) const
{
    WriteFile(FileName, HHKBytes());
}

void TCHMProjectWriter::OutputH(const QString& FileName) const
{
    WriteFile(FileName, HBytes());
}

void TCHMProjectWriter::GetFiles(const QString& Dir)
{
    const QFileInfoList entries =
        QDir(WithTrailingSeparator(Dir))
            .entryInfoList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System,
                           QDir::Name | QDir::IgnoreCase);
    const QString folder = WithTrailingSeparator(m_project.Folder);
    const QString header = WithExtension(ProjectFilesName(m_project.CHM), QStringLiteral(".h"));
    for (const QFileInfo& entry : entries) {
        if (entry.isDir()) {
            // A link to a folder could lead back up the tree.
            if (!entry.isSymLink())
                GetFiles(entry.filePath());
            continue;
        }
        const QString name = entry.fileName();
        const qsizetype dot = name.lastIndexOf(u'.');
        const QString extension = dot < 0 ? QString() : name.mid(dot).toUpper();
        static const QStringList ProjectExtensions = {".HHP", ".HHC", ".HHK", ".LOG", ".CHM"};
        const QString file = RelativePath(folder, entry.filePath());
        if (ProjectExtensions.contains(extension) || file == header)
            continue;
        const QString refusal = NameRefusal(QDir(folder).relativeFilePath(entry.filePath()));
        if (!refusal.isEmpty()) {
            m_unlisted << file;
            if (OnInfo)
                OnInfo(QStringLiteral("Error: \"%1\" cannot be compiled into the help file: %2. Rename it.")
                           .arg(file, refusal));
            continue;
        }
        m_project.Files << file;
    }
}

QString TCHMProjectWriter::NameRefusal(const QString& relativePath)
{
    // chmcmd trims control characters and spaces off each line of [FILES],
    // reads "\\" as a separator and takes a line that starts with ";" for a
    // comment, one in brackets for a section.
    const QString& line = relativePath;
    const auto blank = [](QChar c) { return c.unicode() <= u' '; };
    if (line.contains(u'\r') || line.contains(u'\n'))
        return QStringLiteral("its name holds a line break");
    if (!line.isEmpty() && (blank(line.front()) || blank(line.back())))
        return QStringLiteral("the compiler drops blanks at either end of a name");
    if (line.contains(u'\\'))
        return QStringLiteral("the compiler reads \"\\\" in a name as a folder separator");
    if (line.startsWith(u';'))
        return QStringLiteral("the compiler reads a name starting with \";\" as a comment");
    if (line.startsWith(u'[') && line.endsWith(u']'))
        return QStringLiteral("the compiler reads a name in brackets as a section");
    return QString();
}

void TCHMProjectWriter::Output(bool CompileIt, bool Preview, bool DelProj, TCHMOutputHost* host)
{
    TCHMProject& p = m_project;
    if (IsWindowsAbsolutePath(p.CHM))
        throw EQuorixError(QStringLiteral("The help file \"%1\" is a Windows path. Choose where to write it on this "
                                          "computer in the project settings.")
                               .arg(p.CHM));
    if (!IsAbsolutePath(p.Folder) || IsWindowsAbsolutePath(p.Folder))
        throw EQuorixError(QStringLiteral("The HTML Help work folder \"%1\" is not a folder on this computer.")
                               .arg(p.Folder));
    if (CompileIt && host == nullptr)
        throw EQuorixError(QStringLiteral("No HTML Help compiler is available."));
    const QString folder = WithTrailingSeparator(p.Folder);

    p.SetFlagWords();
    p.Files.clear();
    m_unlisted.clear();
    if (p.AutoSearch)
        GetFiles(ProjectFilePath(folder, p.SourceFolder));

    const QString name = ProjectFilesName(p.CHM);
    p.LOGFile = WithExtension(name, QStringLiteral(".log"));
    p.HHCFile.clear();
    if (p.Content && !p.TOC.isEmpty()) {
        p.HHCFile = WithExtension(name, QStringLiteral(".hhc"));
        OutputHHC(folder + p.HHCFile);
    }
    p.HHKFile.clear();
    if (p.Index) {
        p.HHKFile = WithExtension(name, QStringLiteral(".hhk"));
        OutputHHK(folder + p.HHKFile);
    }
    p.HFile.clear();
    if (!p.Map.isEmpty()) {
        p.HFile = WithExtension(name, QStringLiteral(".h"));
        OutputH(folder + p.HFile);
    }
    p.HHPFile = WithExtension(name, QStringLiteral(".hhp"));
    OutputHHP(folder + p.HHPFile);

    if (CompileIt && !m_unlisted.isEmpty())
        throw EQuorixError(QStringLiteral("The help file was not compiled: the HTML Help compiler cannot take %1 "
                                          "(see the \"Error:\" lines).")
                               .arg(m_unlisted.size() == 1 ? QStringLiteral("the name of one file")
                                                           : QStringLiteral("the names of %1 files").arg(m_unlisted.size())));
    if (CompileIt) {
        // A bare name is compiled into the work folder.
        const QString target = ProjectFilePath(folder, p.CHM);
        bool aborted = false;
        while (!host->ReplacesTargetAtomically() && (QFileInfo(target).exists() || QFileInfo(target).isSymLink())) {
            if (QFile::remove(target))
                break;
            if (!host->RetryDelete(QLatin1Char('"') + target
                                   + QStringLiteral("\" access denied! It's probably been opend. Please close it "
                                                    "and Retry."))) {
                aborted = true;
                break;
            }
        }
        if (!aborted) {
            host->Compile(folder + p.HHPFile);
            if (Preview)
                host->ShowCompiledFile(target);
        }
    }

    if (DelProj) {
        for (const QString* file : {&p.LOGFile, &p.HHCFile, &p.HHKFile, &p.HHPFile, &p.HFile})
            if (!file->isEmpty())
                QFile::remove(folder + *file);
    }
}
