#include "Paths.h"

#include <QDir>
#include <QFile>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

struct PathCase {
    const char* input;
    const char* expected;
};

struct PairCase {
    const char* base;
    const char* path;
    const char* expected;
};

void touch(const QString& path)
{
    QDir().mkpath(QFileInfo(path).path());
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly)) << path.toStdString();
}

} // namespace

TEST(NormalizePath, ResolvesDotsSeparatorsAndSpaces)
{
    const PathCase cases[] = {
        {"C:\\a\\b\\..\\c\\.\\d.htm", "C:\\a\\c\\d.htm"},
        {"C:/my%20docs/x.htm", "C:\\my docs\\x.htm"},
        {"..\\..\\x.htm", "x.htm"},
        {"C:\\a\\\\b", "C:\\a\\b"},
        {"a\\b\\..", "a\\b\\.."},            // a final ".." without separator is a name
        {"a/b/../c.htm", "a\\c.htm"},          // relative paths come back stored
        {"/home/a/b/../c/./d.htm", "/home/a/c/d.htm"},
        {"/home\\a\\x.htm", "/home/a/x.htm"},  // native paths come back native
        {"/home/a/", "/home/a/"},
        {"/../x", "/x"},                       // nothing climbs above the root
        {"//home//a", "/home/a"},
        {"C:\\..\\x", "C:\\x"},
        {"\\\\srv\\share\\a\\..\\h.chm", "\\\\srv\\share\\h.chm"},
        {"", ""},
    };
    for (const PathCase& c : cases)
        EXPECT_EQ(NormalizePath(QString::fromUtf8(c.input)), QString::fromUtf8(c.expected)) << c.input;
}

TEST(ResolveProjectPath, ReplacesPlaceholderAndPrefixesRelativePaths)
{
    const PairCase cases[] = {
        {"/p/help/", "<Project_Folder>\\out\\h.chm", "/p/help/out/h.chm"},
        {"/p/help/", "<project_folder>_output\\WebHelp", "/p/help_output/WebHelp"},
        {"/p/help/", "out\\h.chm", "/p/help/out/h.chm"},
        {"/p/help/", "\\out\\h.chm", "/p/help/out/h.chm"},
        {"/p/help/", "/x/../h.chm", "/h.chm"},
        {"/p/help/", "..\\h.chm", "/p/h.chm"},
        {"/p/help", "h.chm", "/p/help/h.chm"},
        {"C:\\p\\", "D:\\x\\..\\h.chm", "D:\\h.chm"},
        {"/p/help/", "\\\\srv\\share\\h.chm", "\\\\srv\\share\\h.chm"},
    };
    for (const PairCase& c : cases)
        EXPECT_EQ(ResolveProjectPath(QString::fromUtf8(c.base), QString::fromUtf8(c.path)),
                  QString::fromUtf8(c.expected))
            << c.path;
}

TEST(ResolveBuildPath, PrefixesNetworkPathsToo)
{
    EXPECT_EQ(ResolveBuildPath("/p/", "\\\\srv\\h.chm"), "/p/srv/h.chm");
    EXPECT_EQ(ResolveBuildPath("/p/", "<Project_Folder>\\h.chm"), "/p/h.chm");
    EXPECT_EQ(ResolveBuildPath("C:\\p\\", "D:\\h.chm"), "D:\\h.chm");
}

TEST(PathKinds, TellNativeWindowsAndRelativePaths)
{
    EXPECT_TRUE(IsAbsolutePath("/home/a"));
    EXPECT_TRUE(IsAbsolutePath("c:\\x"));
    EXPECT_TRUE(IsAbsolutePath("\\\\srv\\x"));
    EXPECT_FALSE(IsAbsolutePath("topics\\a.htm"));
    EXPECT_FALSE(IsAbsolutePath("\\a.htm"));
    EXPECT_TRUE(IsWindowsAbsolutePath("C:\\x"));
    EXPECT_FALSE(IsWindowsAbsolutePath("/home/a"));
}

TEST(RelativePath, DropsSharedFoldersAndClimbsOutOfTheRest)
{
    const PairCase cases[] = {
        {"/home/a/help/", "/home/a/help/topics/x.htm", "topics\\x.htm"},
        {"/home/a/p.qrx", "/home/a/", ""},
        {"/home/a/p.qrx", "/home/a/html/", "html\\"},
        {"/home/a/help/", "/home/b/y.htm", "..\\..\\b\\y.htm"},
        {"/home/a/help/", "/home/a/Help/x.htm", "..\\Help\\x.htm"},  // Linux names differ by case
        {"/home/a\\help\\", "/home/a/help/x.htm", "x.htm"},          // either separator on input
        {"C:\\Docs\\help\\", "c:\\docs\\HELP\\t\\x.htm", "t\\x.htm"}, // Windows names do not
        {"C:\\a\\", "D:\\a\\x.htm", "D:\\a\\x.htm"},                 // another drive: unchanged
        {"/home/a/", "C:\\a\\x.htm", "C:\\a\\x.htm"},
        {"C:\\a\\", "/home/a/x.htm", "/home/a/x.htm"},
    };
    for (const PairCase& c : cases)
        EXPECT_EQ(RelativePath(QString::fromUtf8(c.base), QString::fromUtf8(c.path)), QString::fromUtf8(c.expected))
            << c.base << " -> " << c.path;
}

TEST(RelativeUrl, LinksPagesWithSlashes)
{
    const PairCase cases[] = {
        {"a\\y.htm", "b\\x.htm", "../b/x.htm"},
        {"a/y.htm", "a/x.htm", "x.htm"},
        {"y.htm", "sub\\x.htm#top", "sub/x.htm#top"},
        {"a\\b\\y.htm", "x.htm", "../../x.htm"},
        {"/home/a/help/t/", "/home/a/help/img/p.gif", "../img/p.gif"},
        {"a\\y.htm", "/home/a/x.htm", "/home/a/x.htm"},  // relative and absolute never mix
        {"C:\\a\\y.htm", "D:\\b\\x.htm", "D:/b/x.htm"},
    };
    for (const PairCase& c : cases)
        EXPECT_EQ(RelativeUrl(QString::fromUtf8(c.base), QString::fromUtf8(c.path)), QString::fromUtf8(c.expected))
            << c.base << " -> " << c.path;
}

TEST(SplitUrlAnchor, CutsAtTheLastHashUnlessItIsPartOfAFileName)
{
    struct Case {
        const char* url;
        const char* page;
        const char* anchor;
    } const cases[] = {
        {"a.htm#top", "a.htm", "top"},
        {"page#2.htm", "page#2.htm", ""},
        {"a.htm#b.htm", "a.htm", "b.htm"},
        {"a.htm", "a.htm", ""},
        {"a#b.htm#c", "a#b.htm", "c"},
        {"dir\\p#x.HTML", "dir\\p#x.HTML", ""},
        {"#top", "", "top"},
    };
    for (const Case& c : cases) {
        const TUrlAnchor parts = SplitUrlAnchor(QString::fromUtf8(c.url));
        EXPECT_EQ(parts.Page, QString::fromUtf8(c.page)) << c.url;
        EXPECT_EQ(parts.Anchor, QString::fromUtf8(c.anchor)) << c.url;
    }
    EXPECT_EQ(StripAnchor("a.htm#x#y"), "a.htm");
    EXPECT_EQ(StripAnchor("a.htm"), "a.htm");
}

TEST(SafeFileName, ReplacesCharactersNoFileSystemTakes)
{
    EXPECT_EQ(SafeFileName("a/b: c", "topic"), "a_b__c");
    EXPECT_EQ(SafeFileName("", "topic"), "topic");
    EXPECT_EQ(SafeFileName("\\*\"<>|?", "x"), "______?");
    EXPECT_EQ(SafeFileName("中文", "x"), "中文");
}

TEST(Slashes, TurnEverySeparator)
{
    EXPECT_EQ(ToSlashes("a\\b\\c"), "a/b/c");
    EXPECT_EQ(ToBackslashes("a/b/c"), "a\\b\\c");
    EXPECT_EQ(WithTrailingSeparator("/a"), "/a/");
    EXPECT_EQ(WithTrailingSeparator("/a/"), "/a/");
    EXPECT_EQ(WithTrailingSeparator("a\\b"), "a\\b\\");
}

class PathsOnDisk : public ::testing::Test {
protected:
    QTemporaryDir dir;
    QString root() const { return dir.path() + u'/'; }
};

TEST_F(PathsOnDisk, UniqueNamesSkipWhatExists)
{
    touch(root() + "topic.htm");
    touch(root() + "topic1.htm");
    EXPECT_EQ(UniqueFileName(root(), "topic", ".htm"), root() + "topic2.htm");
    EXPECT_EQ(UniqueFileName(root(), "other", ".htm"), root() + "other.htm");
    QDir().mkpath(root() + "template");
    EXPECT_EQ(UniqueFolderName(root(), "template", ""), root() + "template1");
    // A file takes a folder's name too: neither could be created over it.
    touch(root() + "template1");
    EXPECT_EQ(UniqueFolderName(root(), "template", ""), root() + "template2");
    EXPECT_FALSE(QFileInfo::exists(root() + "template2"));
}

TEST_F(PathsOnDisk, StoredPathsOfWindowsProjectsAreFoundWithoutCase)
{
    touch(root() + "topics/intro.htm");
    touch(root() + "Images/Logo.GIF");
    touch(root() + "exact/Twin.htm");
    touch(root() + "exact/twin.htm");

    EXPECT_EQ(ProjectFilePath(root(), "Topics\\Intro.htm"), root() + "topics/intro.htm");
    EXPECT_EQ(ProjectFilePath(root(), "images\\logo.gif"), root() + "Images/Logo.GIF");
    EXPECT_EQ(ProjectFilePath(root(), "exact\\twin.htm"), root() + "exact/twin.htm");
    EXPECT_EQ(ProjectFilePath(root(), "topics\\..\\Images\\logo.gif"), root() + "Images/Logo.GIF");
    // A name nothing matches keeps what was written; the found part is matched.
    EXPECT_EQ(ProjectFilePath(root(), "TOPICS\\New Page.htm"), root() + "topics/New Page.htm");
    EXPECT_EQ(ProjectFilePath(root(), "a%20b.htm"), root() + "a%20b.htm");
    EXPECT_EQ(ProjectFilePath(root(), ""), root());
    EXPECT_EQ(ProjectFilePath(root(), "C:\\x\\a.htm"), "C:\\x\\a.htm");
    EXPECT_EQ(ResolveProjectPath(root(), "TOPICS\\INTRO.HTM"), root() + "topics/intro.htm");
}

TEST(DocumentsPlaceholder, RoundTripsExactlyTheDocumentsFolder)
{
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    ASSERT_FALSE(documents.isEmpty());
    EXPECT_EQ(DocumentsFolder(), documents);
    const QString path = documents + "/Quorix Projects/Project1";
    const QString shown = PathToDocumentsPlaceholder(path);
    EXPECT_EQ(shown, "<我的文档>/Quorix Projects/Project1");
    EXPECT_EQ(DocumentsPlaceholderToPath(shown), path);
    // Another folder that differs only in case is another folder here.
    const QString twin = documents.toUpper() + "/x";
    if (twin.left(documents.size()) != documents) {
        EXPECT_EQ(PathToDocumentsPlaceholder(twin), twin);
    }
    EXPECT_EQ(PathToDocumentsPlaceholder("/elsewhere/x"), "/elsewhere/x");
}
