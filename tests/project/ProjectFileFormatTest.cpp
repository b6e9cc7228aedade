#include "ProjectFileTestSupport.h"

#include <QDir>
#include <gtest/gtest.h>

using namespace ProjectFileTest;

namespace {

TopicNode* addTopic(TQrx& project, TopicNode* parent, const QString& title, const QString& url, int status = 0,
    const QString& keywords = {}, const QString& contextNumber = {}, int icon = 0, bool applyTemp = false)
{
    TLeftTreeData entry;
    entry.Url = url;
    entry.Status = status;
    entry.Keywords = keywords;
    entry.ContextNumber = contextNumber;
    entry.Icon = icon;
    entry.ApplyTemp = applyTemp;
    return project.Tree().appendNode(parent, title, entry);
}

// A project with every kind of topic in all three roots, Chinese titles,
// keywords with sub-keywords and changed settings of every section.
void fillSampleProject(TQrx& project, const QString& folder)
{
    project.ProjectFilename = folder + "/manual.qrx";
    project.RootDir = folder + "/html/";
    project.Title = "用户手册 Manual";
    project.Language = "0x0804";
    project.Dictionary = "en_US";
    project.HtmlHelpOutputEncoding = "gb2312";
    project.DefaultTopic = "intro.htm";
    project.HtmlHelpTemplate = "templates\\blue.htm";
    project.NavWidth = 300;
    project.WebBackColor = "#FFFFFF";
    project.CHMSetting.ContentsFont = "宋体,9,134";
    project.CHMSetting.IndexFont = ",8,134";
    project.CHMSetting.Maximize = true;
    project.DocSetting.PaperSize = 7;
    project.DocSetting.Top = 20;

    TopicNode* toc = project.tnTableOfContents;
    TopicNode* intro = addTopic(project, toc, "简介", "intro.htm", 0, "start\r\nstart/安装", "1000", 3);
    addTopic(project, intro, "Setup", "topics\\setup.htm#step2", 0, "", "1001");
    TopicNode* chapter = addTopic(project, toc, "Chapter", "", 2);
    TopicNode* sub = addTopic(project, chapter, "New page", "", 1);
    addTopic(project, sub, "Deep", "topics\\deep.htm", 0, "a//b");
    addTopic(project, project.tnUnvisiblePages, "Popup", "popup.htm", 0, "", "", 0, true);
    addTopic(project, project.tnTemplates, "Blue", "templates\\blue.htm");
    project.Tree().setExpanded(intro, true);
}

TEST(ProjectFileFormat, WritesTheExactFile)
{
    QTemporaryDir dir;
    TQrx project;
    fillSampleProject(project, dir.path());
    const QString fileName = dir.filePath("manual.qrx");
    project.SaveToIni(fileName);

    const QString expected = QString::fromUtf8(readBytes(QUORIX_TEST_DATA_DIR "/project/manual.qrx.txt"));
    ASSERT_FALSE(expected.isEmpty());
    const QByteArray written = readBytes(fileName);
    EXPECT_EQ(QString::fromUtf16(reinterpret_cast<const char16_t*>(written.constData() + 2), written.size() / 2 - 1),
        withCrLf(expected));
    EXPECT_EQ(written, utf16File(withCrLf(expected)));
    EXPECT_FALSE(project.ProjectChanged);
    EXPECT_FALSE(project.IsNew);
    EXPECT_EQ(project.ProjectFilename, fileName);
}

TEST(ProjectFileFormat, ReadingAndWritingAgainGivesTheSameBytes)
{
    QTemporaryDir dir;
    const QString original = dir.filePath("manual.qrx");
    {
        TQrx project;
        fillSampleProject(project, dir.path());
        project.Tree().setExpanded(project.tnTableOfContents->child(0), false);
        project.SaveToIni(original);
    }
    TQrx project;
    project.ReadFromIni(original);
    const QString copy = dir.filePath("copy.qrx");
    project.ProjectFilename = copy;
    project.SaveToIni(copy);
    EXPECT_EQ(readBytes(copy), readBytes(original));

    // What was read is what was written.
    EXPECT_EQ(project.Title, "用户手册 Manual");
    EXPECT_EQ(project.RootDir, QDir(dir.path()).filePath("html") + "/");
    EXPECT_EQ(project.CHMSetting.ContentsFont, "宋体,9,134");
    EXPECT_TRUE(project.CHMSetting.Maximize);
    EXPECT_EQ(project.DocSetting.PaperSize, 7);
    EXPECT_EQ(outline(project), (QStringList{"Table of contents", "  简介*", "    Setup", "  Chapter", "    New page",
                                    "      Deep", "Pages out of TOC", "  Popup", "Templates", "  Blue"}));
    const TLeftTreeData& intro = project.tnTableOfContents->child(0)->entry();
    EXPECT_EQ(intro.Keywords, "start\r\nstart/安装");
    EXPECT_EQ(intro.ContextNumber, "1000");
    EXPECT_EQ(intro.Icon, 3);
    EXPECT_TRUE(project.tnUnvisiblePages->child(0)->entry().ApplyTemp);
    EXPECT_EQ(project.tnTemplates->child(0)->entry().Kind, 2);
    EXPECT_EQ(project.tnTemplates->child(0)->stateIndex(), 1); // the HTML Help template
    EXPECT_TRUE(project.tnTableOfContents->expanded());
}

// Only a project that names its HTML Help compiler stores the key, so files
// of projects that never chose stay byte-identical (WritesTheExactFile).
TEST(ProjectFileFormat, TheHtmlHelpCompilerIsStoredOnlyWhenNamed)
{
    QTemporaryDir dir;
    const QString fileName = dir.filePath("manual.qrx");
    TQrx project;
    fillSampleProject(project, dir.path());
    project.CHMSetting.Compiler = "native";
    project.SaveToIni(fileName);
    const QByteArray written = readBytes(fileName); // UTF-16 after its byte-order mark
    const QString text
        = QString::fromUtf16(reinterpret_cast<const char16_t*>(written.constData() + 2), written.size() / 2 - 1);
    const qsizetype section = text.indexOf("[CHMSetting]");
    const qsizetype key = text.indexOf("\r\nCompiler=native\r\n");
    ASSERT_GE(section, 0);
    EXPECT_GT(key, section);
    EXPECT_LT(key, text.indexOf("\r\n[", section + 1));

    TQrx reread;
    reread.ReadFromIni(fileName);
    EXPECT_EQ(reread.CHMSetting.Compiler, "native");
}

TEST(ProjectFileFormat, RootFolderIsStoredRelativeToTheProjectFile)
{
    struct Case {
        const char* root;
        const char* stored;
    };
    const Case cases[] = {
        {"/", ""},
        {"/html/", "html\\"},
        {"/html/en/", "html\\en\\"},
        {"/../elsewhere/", "..\\elsewhere\\"},
    };
    for (const Case& c : cases) {
        QTemporaryDir dir;
        const QString base = dir.path() + "/project";
        QDir().mkpath(base);
        TQrx project;
        project.ProjectFilename = base + "/p.qrx";
        project.RootDir = QDir::cleanPath(base + c.root) + "/";
        project.SaveToIni(project.ProjectFilename);
        const QByteArray bytes = readBytes(project.ProjectFilename);
        const QString text = QString::fromUtf16(reinterpret_cast<const char16_t*>(bytes.constData() + 2),
            bytes.size() / 2 - 1);
        EXPECT_TRUE(text.contains("\r\nRootDir=" + QString::fromLatin1(c.stored) + "\r\n")) << c.root;

        TQrx reread;
        reread.ReadFromIni(project.ProjectFilename);
        EXPECT_EQ(reread.RootDir, project.RootDir) << c.root;
    }
}

} // namespace
