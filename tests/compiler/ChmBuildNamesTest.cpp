// A CHM build with real chmcmd where the project folder, the output folder,
// the help file and the pages carry names beyond ASCII: every page and
// picture is compiled, the help file lands where the project says, and its
// title is in the help's code page.
#include "CodePages.h"
#include "CompilerTestSupport.h"
#include "Paths.h"
#include "TChmBuild.h"
#include "TChmcmdCompiler.h"
#include "TCompilerOutputHost.h"
#include "TContents.h"
#include "TQrx.h"

#include <QDirIterator>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace CompilerTest;

namespace {

struct NamesCase {
    const char* name;
    const char* language;
    int codePage;
    const char* folder;     // the project folder
    const char* title;
    QStringList pages;      // stored paths; the first is the default topic
    const char* picture;    // used by every page
    const char* compiled;   // the project's compiled file
    const char* keptFolder; // the kept HTML Help project folder, or nullptr
};

void WritePage(const QString& root, const QString& stored, const QString& picture)
{
    const QString file = root + QString(stored).replace(QLatin1Char('\\'), QLatin1Char('/'));
    const int depth = int(stored.count(QLatin1Char('\\')));
    WriteBytes(file, (QStringLiteral("<html><head><meta charset=\"utf-8\"><title>%1</title></head><body><p>%1</p>"
                                     "<img src=\"%2%3\"></body></html>")
                          .arg(stored, QStringLiteral("../").repeated(depth), picture))
                         .toUtf8());
}

// The folders below `folder`, relative to it.
QStringList Folders(const QString& folder)
{
    QStringList found;
    QDirIterator it(folder, QDir::Dirs | QDir::NoDotAndDotDot | QDir::Hidden, QDirIterator::Subdirectories);
    while (it.hasNext())
        found << it.next().mid(folder.size() + 1);
    found.sort();
    return found;
}

TEST(ChmBuildNames, NamesBeyondAsciiBuildACompleteHelpFile)
{
    if (QStandardPaths::findExecutable(QStringLiteral("chmcmd")).isEmpty())
        GTEST_SKIP() << "chmcmd is not installed (Debian package fp-utils-3.2.2)";
    const NamesCase cases[] = {
        {"Chinese", "0x0804", 936, "帮助 ü", "帮助 \"手册\"", {"概述.htm", "指南\\安装.htm", "read.help.htm"},
         "图片/图.gif", "<Project_Folder>_output\\CHM\\帮助.chm", nullptr},
        {"German", "0x0407", 1252, "Hilfe ü", "Größe \"Übersicht\"", {"über\\Größe.htm", "Maße.htm"},
         "bilder/my.header.gif", "<Project_Folder>_output\\CHM\\Hilfe ü.chm", nullptr},
        {"kept project", "0x0419", 1251, "Справка", "Справка", {"обзор.htm", "раздел\\страница.htm"}, "рис.gif",
         "<Project_Folder>_output\\справка.chm", "проект ü"},
    };
    for (const NamesCase& c : cases) {
        SCOPED_TRACE(c.name);
        QTemporaryDir dir;
        ASSERT_TRUE(dir.isValid());
        const QString root = dir.filePath(QString::fromUtf8(c.folder)) + QLatin1Char('/');
        const QString picture = QString::fromUtf8(c.picture);
        WriteBytes(root + picture, "GIF89a");
        TQrx project;
        project.RootDir = root;
        project.Title = QString::fromUtf8(c.title);
        project.Language = QString::fromLatin1(c.language);
        project.CompiledFile = QString::fromUtf8(c.compiled);
        project.ViewCompiledFile = false;
        project.DefaultTopic = c.pages.front();
        if (c.keptFolder != nullptr) {
            project.DeleteProject = true;
            project.HHPFolder = dir.filePath(QString::fromUtf8(c.keptFolder));
        }
        for (const QString& page : c.pages) {
            WritePage(root, page, picture);
            TLeftTreeData entry;
            entry.Url = page;
            project.Tree().appendNode(project.tnTableOfContents, page, entry);
        }
        project.SetIcon();

        TContents contents;
        contents.qrx = &project;
        contents.Fill();
        TChmcmdCompiler compiler;
        QStringList log;
        const auto line = [&log](const QString& text) { log << text; };
        TCompilerOutputHost host(compiler, line, [&log](const QString& text) {
            log << text;
            return true;
        });
        TChmBuild build(project, contents, host, line);
        ASSERT_TRUE(build.Run()) << log.join('\n').toStdString();
        ASSERT_TRUE(host.Compiled()) << log.join('\n').toStdString();

        // Exactly where the project says, and nothing stray beside it.
        const QString target = ResolveProjectPath(root, project.CompiledFile);
        EXPECT_EQ(host.Result().CompiledFile, target);
        const QString output = dir.filePath(QString::fromUtf8(c.folder) + QStringLiteral("_output"));
        QStringList expectedFolders{QStringLiteral("CHM")};
        if (c.keptFolder != nullptr)
            expectedFolders.clear();
        EXPECT_EQ(Folders(output), expectedFolders);
        EXPECT_EQ(QDir(QFileInfo(target).absolutePath()).entryList(QDir::Files | QDir::Hidden),
                  QStringList{QFileInfo(target).fileName()});
        if (c.keptFolder != nullptr) {
            // The kept project folder holds the project and the pages, no leftovers of the compiler.
            EXPECT_TRUE(TemporaryLeftovers(project.HHPFolder).isEmpty());
            EXPECT_TRUE(QFileInfo::exists(project.HHPFolder + QStringLiteral("/справка.hhp")));
        }

        const QSet<QString> names = ChmNames(target);
        for (const QString& page : c.pages)
            EXPECT_TRUE(names.contains(QLatin1Char('/') + QString(page).replace(QLatin1Char('\\'), QLatin1Char('/'))))
                << page.toStdString() << "\n" << QStringList(names.values()).join(' ').toStdString();
        EXPECT_TRUE(names.contains(QLatin1Char('/') + picture)) << picture.toStdString();

        chmFile* help = chm_open(QFile::encodeName(target).constData());
        ASSERT_NE(help, nullptr);
        chmUnitInfo unit;
        ASSERT_EQ(chm_resolve_object(help, "/#SYSTEM", &unit), CHM_RESOLVE_SUCCESS);
        QByteArray system(qsizetype(unit.length), '\0');
        chm_retrieve_object(help, &unit, reinterpret_cast<unsigned char*>(system.data()), 0, LONGINT64(unit.length));
        chm_close(help);
        // Entry 2 is the default topic, 3 the title.
        const QByteArray defaultTopic = QString(c.pages.front()).replace(QLatin1Char('\\'), QLatin1Char('/')).toUtf8();
        EXPECT_TRUE(system.contains(QByteArray("\x02\x00", 2) + char(defaultTopic.size() + 1) + '\0' + defaultTopic + '\0'));
        const QByteArray title = TextToAnsi(project.Title, c.codePage);
        EXPECT_TRUE(system.contains(QByteArray("\x03\x00", 2) + char(title.size() + 1) + '\0' + title + '\0'))
            << system.toHex().toStdString();
        EXPECT_TRUE(log.filter(QStringLiteral("Error")).isEmpty()) << log.join('\n').toStdString();
    }
}

} // namespace
