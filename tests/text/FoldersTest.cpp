#include "Folders.h"
#include "TempFiles.h"
#include "RecordingPrompts.h"

#include <QDir>
#include <QFile>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

void writeFile(const QString& path, const QByteArray& bytes = "x")
{
    QDir().mkpath(QFileInfo(path).path());
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly)) << path.toStdString();
    file.write(bytes);
}

QByteArray readFile(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// Every file below a folder, relative and sorted.
QStringList filesBelow(const QString& folder)
{
    QStringList files;
    QDir root(folder);
    const QFileInfoList entries =
        QDir(folder).entryInfoList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot, QDir::Name);
    for (const QFileInfo& entry : entries) {
        if (entry.isDir() && !entry.isSymLink()) {
            for (const QString& inner : filesBelow(entry.filePath()))
                files.append(entry.fileName() + u'/' + inner);
        } else {
            files.append(entry.fileName());
        }
    }
    return files;
}

class Folders : public ::testing::Test {
protected:
    QTemporaryDir dir;
    QString path(const QString& name) const { return dir.path() + u'/' + name; }
};

} // namespace

TEST_F(Folders, CopyFolderCopiesAFolderOrTheEntriesAWildcardNames)
{
    writeFile(path("src/a.htm"));
    writeFile(path("src/Makefile"));
    writeFile(path("src/.hidden"));
    writeFile(path("src/sub/b.gif"));

    ASSERT_TRUE(CopyFolder(path("src"), path("whole")));
    EXPECT_EQ(filesBelow(path("whole")), (QStringList{".hidden", "Makefile", "a.htm", "sub/b.gif"}));

    // "*.*" is every entry, as on Windows, names without a dot included.
    ASSERT_TRUE(CopyFolder(path("src/*.*"), path("all/")));
    EXPECT_EQ(filesBelow(path("all")), (QStringList{".hidden", "Makefile", "a.htm", "sub/b.gif"}));

    ASSERT_TRUE(CopyFolder(path("src/*.HTM"), path("pages")));
    EXPECT_EQ(filesBelow(path("pages")), QStringList{"a.htm"});

    // Existing files are overwritten without asking.
    writeFile(path("src/a.htm"), "new");
    ASSERT_TRUE(CopyFolder(path("src"), path("whole")));
    EXPECT_EQ(readFile(path("whole/a.htm")), "new");

    EXPECT_FALSE(CopyFolder(path("missing"), path("x")));
    EXPECT_FALSE(CopyFolder(path("src"), ""));
}

TEST_F(Folders, CopyFolderNeverCopiesAFolderIntoItself)
{
    writeFile(path("proj/a.htm"));
    writeFile(path("proj/sub/b.htm"));
    ASSERT_TRUE(CopyFolder(path("proj/*.*"), path("proj/sub/work")));
    EXPECT_EQ(filesBelow(path("proj/sub/work")), (QStringList{"a.htm", "sub/b.htm"}));
    EXPECT_TRUE(CopyFolder(path("proj"), path("proj")));
}

TEST_F(Folders, CopyFolderCopiesLinksToFoldersAsLinks)
{
    writeFile(path("src/a.htm"));
    ASSERT_TRUE(QFile::link(path("src"), path("src/loop")));
    ASSERT_TRUE(CopyFolder(path("src"), path("copy")));
    EXPECT_TRUE(QFileInfo(path("copy/loop")).isSymLink());
    EXPECT_TRUE(QFileInfo::exists(path("copy/a.htm")));
}

TEST_F(Folders, DeleteFolderRemovesEverythingButRefusesTheRoot)
{
    writeFile(path("work/a/b/c.htm"));
    EXPECT_TRUE(DeleteFolder(path("work/")));
    EXPECT_FALSE(QFileInfo::exists(path("work")));
    EXPECT_TRUE(DeleteFolder(path("work")));  // nothing of it is left

    EXPECT_FALSE(DeleteFolder(""));
    EXPECT_FALSE(DeleteFolder("/"));
    EXPECT_FALSE(DeleteFolder("//"));

    // A link goes, what it points to stays.
    writeFile(path("kept/a.htm"));
    ASSERT_TRUE(QFile::link(path("kept"), path("link")));
    EXPECT_TRUE(DeleteFolder(path("link")));
    EXPECT_TRUE(QFileInfo::exists(path("kept/a.htm")));
}

TEST_F(Folders, FolderHasPagesLooksAtEveryDepth)
{
    QDir().mkpath(path("empty/deeper"));
    writeFile(path("images/a.gif"));
    writeFile(path("deep/x/y/Z.HTML"));
    writeFile(path("hidden/.p.htm"));
    EXPECT_FALSE(FolderHasPages(path("empty")));
    EXPECT_FALSE(FolderHasPages(path("images")));
    EXPECT_TRUE(FolderHasPages(path("deep")));
    EXPECT_TRUE(FolderHasPages(path("hidden")));
    EXPECT_FALSE(FolderHasPages(path("missing")));
}

TEST(SpecialFolders, MapToTheUsersFolders)
{
    EXPECT_EQ(GetSpecialFolder(CSIDL_PERSONAL), QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation));
    EXPECT_EQ(GetSpecialFolder(CSIDL_APPDATA), QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation));
    EXPECT_EQ(GetSpecialFolder(CSIDL_COMMON_APPDATA), GetSpecialFolder(CSIDL_APPDATA));
    EXPECT_EQ(GetSpecialFolder(CSIDL_PROGRAM_FILES_COMMON), "");
    EXPECT_EQ(GetSpecialFolder(12345), "");
    EXPECT_FALSE(GetSpecialFolder(CSIDL_APPDATA).endsWith(u'/'));
    EXPECT_EQ(GetWindowsDrive(), u'/');
    EXPECT_TRUE(GetSystemFolder().startsWith(GetWindowsFolder()));
}

TEST(BrowseForFolder, AsksThePromptsOrDeclinesWithout)
{
    QString folder = "/start";
    EXPECT_FALSE(BrowseForFolder(nullptr, folder, "Select a folder:", 81));
    EXPECT_EQ(folder, "/start");

    TRecordingPrompts prompts;
    QString captionSeen;
    QString preselected;
    prompts.OnAskForFolder = [&](QString& chosen, const QString& caption) {
        captionSeen = caption;
        preselected = chosen;
        chosen = "/picked";
        return true;
    };
    EXPECT_TRUE(BrowseForFolder(&prompts, folder, "Select a folder:", 81));
    EXPECT_EQ(folder, "/picked");
    EXPECT_EQ(captionSeen, "Select a folder:");
    EXPECT_EQ(preselected, "/start");
}

TEST(TempFiles, AreMadeInTheTemporaryFolder)
{
    const QString temp = GetTempFolder();
    EXPECT_TRUE(temp.endsWith(u'/'));
    EXPECT_EQ(QDir(temp).canonicalPath(), QDir(QDir::tempPath()).canonicalPath());

    const QString file = NewTempFileName();
    ASSERT_FALSE(file.isEmpty());
    EXPECT_TRUE(QFileInfo(file).fileName().startsWith("~wi"));
    EXPECT_EQ(QFileInfo(file).size(), 0);
    EXPECT_NE(NewTempFileName(), file);
    QFile::remove(file);

    for (int i = 0; i < 50; ++i) {
        const QString folder = NewRandomTempFolder();
        ASSERT_TRUE(folder.startsWith(temp) && folder.endsWith(u'/'));
        const int number = folder.mid(temp.size()).chopped(1).toInt();
        EXPECT_GE(number, 100000);
        EXPECT_LE(number, 1099998);
        EXPECT_FALSE(QFileInfo::exists(folder));
    }
}

TEST(TempFiles, CompileFolderAvoidsPathsWithDotH)
{
    const QByteArray saved = qgetenv("TMPDIR");
    QTemporaryDir base;
    const QString odd = base.path() + "/my.Help";
    QDir().mkpath(odd);
    qputenv("TMPDIR", QFile::encodeName(odd));
    EXPECT_EQ(GetCompileTempFolder(), "/tmp/");
    qputenv("TMPDIR", QFile::encodeName(base.path()));
    EXPECT_EQ(GetCompileTempFolder(), GetTempFolder());
    if (saved.isNull())
        qunsetenv("TMPDIR");
    else
        qputenv("TMPDIR", saved);
}
