// quorix-build --new: projects made in a script, read back and built.
#include "BuildProgram.h"
#include "PageFolderFixture.h"
#include "TQrx.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

QString firstLine(const QString& text)
{
    return text.section(QLatin1Char('\n'), 0, 0);
}

} // namespace

TEST(NewProjectCommand, BlankProject)
{
    QTemporaryDir dir;
    const QString folder = dir.filePath(QStringLiteral("books/manual"));
    const BuildRun run = runBuild({"--new", folder, "--title", "User Guide"});
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    const QString file = folder + QStringLiteral("/User_Guide.qrx");
    EXPECT_EQ(run.out, file + QLatin1Char('\n')) << "the path alone, for scripts";

    TQrx project;
    project.ReadFromIni(file);
    EXPECT_EQ(project.Title, QStringLiteral("User Guide"));
    EXPECT_EQ(project.RootDir, folder + QLatin1Char('/'));
    EXPECT_EQ(project.tnTableOfContents->childCount(), 2);
    EXPECT_EQ(project.tnTemplates->childCount(), 2);
    EXPECT_EQ(project.tnTableOfContents->child(1)->child(1)->entry().ContextNumber, QStringLiteral("1003"));
    EXPECT_TRUE(QFile::exists(folder + QStringLiteral("/template2/fixedtop.htm")));

    // The author's project file is never replaced.
    const BuildRun again = runBuild({"--new", folder, "--title", "User Guide"});
    EXPECT_EQ(again.exitCode, 1);
    EXPECT_TRUE(again.err.contains(QStringLiteral("already exists"))) << again.err.toStdString();
    TQrx unchanged;
    unchanged.ReadFromIni(file);
    EXPECT_EQ(unchanged.Tree().topicCount(), project.Tree().topicCount());
}

// A project of the pages already in a folder, which quorix-build then
// builds to web help with every page in it.
TEST(NewProjectCommand, FromHtmlFilesThenWebHelp)
{
    QTemporaryDir dir;
    const QString site = dir.filePath(QStringLiteral("site"));
    PageFolderFixture::write(site);
    const BuildRun made = runBuild({"--new", site, "--from-html", "--titles", "h1"});
    ASSERT_EQ(made.exitCode, 0) << made.err.toStdString();
    const QString file = firstLine(made.out);
    EXPECT_EQ(file, site + QStringLiteral("/site.qrx")) << "named after the folder without a title";

    TQrx project;
    project.ReadFromIni(file);
    EXPECT_EQ(project.Title, QStringLiteral("site"));
    EXPECT_EQ(project.tnTableOfContents->child(4)->text(), QStringLiteral("guide"));
    EXPECT_EQ(project.tnTableOfContents->child(4)->child(1)->text(), QStringLiteral("Guide 01"));
    EXPECT_EQ(project.Tree().topicCount(), PageFolderFixture::PageCount + 4);

    const BuildRun built = runBuild({file, "/w"});
    ASSERT_EQ(built.exitCode, 0) << built.out.toStdString() << built.err.toStdString();
    const QString output = dir.filePath(QStringLiteral("site_output/WebHelp"));
    EXPECT_TRUE(QFile::exists(output + QStringLiteral("/index.htm")));
    for (const char* page : {"topics/guide/deep/d10.htm", "topics/中文.htm", "topics/Reference/ref15.html"})
        EXPECT_TRUE(QFile::exists(output + QLatin1Char('/') + QString::fromUtf8(page))) << page;
}

TEST(NewProjectCommand, FlatWithTitleAndFileNames)
{
    QTemporaryDir dir;
    const QString site = dir.filePath(QStringLiteral("site"));
    PageFolderFixture::write(site);
    const BuildRun run = runBuild({"--new", site, "--from-html", "--flat", "--titles", "filename", "--title", "Pages"});
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    TQrx project;
    project.ReadFromIni(site + QStringLiteral("/Pages.qrx"));
    EXPECT_EQ(project.tnTableOfContents->childCount(), PageFolderFixture::PageCount);
    EXPECT_EQ(project.tnTableOfContents->child(0)->text(), QStringLiteral("About.html"));
}

// Bad arguments: the usage on stderr, status 2, nothing written.
TEST(NewProjectCommand, BadArguments)
{
    QTemporaryDir dir;
    const QString folder = dir.filePath(QStringLiteral("p"));
    const QList<QStringList> cases = {
        {"--new"},
        {"--new", "--title", "T"},
        {"--new", folder},
        {"--new", folder, "--title"},
        {"--new", folder, "--title", " "},
        {"--new", folder, "--title", "T", "--flat"},
        {"--new", folder, "--from-html", "--titles", "heading"},
        {"--new", folder, "--from-html", "--titles"},
        {"--new", folder, "--from-html", "--from-html"},
        {"--new", folder, "--title", "T", "--colour", "red"},
    };
    for (const QStringList& arguments : cases) {
        const BuildRun run = runBuild(arguments);
        EXPECT_EQ(run.exitCode, 2) << arguments.join(' ').toStdString();
        EXPECT_TRUE(run.err.contains(QStringLiteral("Usage: quorix-build"))) << arguments.join(' ').toStdString();
        EXPECT_TRUE(run.err.contains(QStringLiteral("--new FOLDER --from-html")));
        EXPECT_TRUE(run.out.isEmpty());
    }
    EXPECT_FALSE(QFileInfo::exists(folder));

    // A folder of pages that is not there is a failure of its own.
    const BuildRun missing = runBuild({"--new", folder, "--from-html"});
    EXPECT_EQ(missing.exitCode, 1);
    EXPECT_TRUE(missing.err.contains(folder)) << missing.err.toStdString();
    EXPECT_FALSE(QFileInfo::exists(folder));
}
