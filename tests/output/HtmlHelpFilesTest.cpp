// The four HTML Help project files of small projects, byte for byte against
// expected files in tests/data/output/<case>/.
#include "CodePages.h"
#include "Entities.h"
#include "Folders.h"
#include "OutputTestSupport.h"
#include "Paths.h"
#include "TCHMProjectWriter.h"

#include <QTemporaryDir>
#include <functional>
#include <gtest/gtest.h>

using namespace OutputTest;

namespace {

class HtmlHelpFilesTest : public testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        QDir().mkpath(root);
        QDir().mkpath(work);
        project.RootDir = root;
        project.Language = QStringLiteral("0x0409");
    }

    // What a CHM build does up to the compiler: fill the contents, copy the
    // pages into the work folder and write the project files there.
    void WriteProjectFiles()
    {
        project.SetIcon();
        TContents contents;
        contents.qrx = &project;
        contents.Fill();
        ASSERT_TRUE(CopyFolder(root, work));
        FillHtmlHelpProject(chm, project, contents, work, QStringLiteral("help.chm"));
        TCHMProjectWriter(chm, contents.HtmlHelpCodepage).Output(false, false, false);
    }

    void ExpectGoldenFiles(const QString& caseName)
    {
        const QString expectedDir = QStringLiteral(QUORIX_TEST_DATA_DIR "/output/") + caseName + QLatin1Char('/');
        for (const QString name : {"help.hhp", "help.hhc", "help.hhk", "help.h"}) {
            SCOPED_TRACE(name.toStdString());
            if (!QFileInfo::exists(expectedDir + name)) {
                EXPECT_FALSE(QFileInfo::exists(work + name));
                continue;
            }
            EXPECT_EQ(ReadBytes(work + name).toStdString(), ReadBytes(expectedDir + name).toStdString());
        }
    }

    QTemporaryDir dir;
    QString root = dir.filePath(QStringLiteral("project")) + QLatin1Char('/');
    QString work = dir.filePath(QStringLiteral("work")) + QLatin1Char('/');
    TQrx project;
    TCHMProject chm;
};

// Nested levels, a heading without page, unsaved topics, a missing page,
// keywords with sub-keywords, anchors and shared keywords, context numbers
// from both branches, files of the work folder the project must skip, and a
// default topic in a sub-folder.
TEST_F(HtmlHelpFilesTest, NestedProject)
{
    project.Title = QStringLiteral("Nested help");
    project.DefaultTopic = QStringLiteral("setup\\install.htm");
    const std::vector<TopicNode*> nodes = AddTopics(project, project.tnTableOfContents, {
        {1, "Welcome & Intro", "welcome.htm", StatusLinked, "Getting started\nsetup", "1000"},
        {2, "Install", "setup\\install.htm", StatusLinked, "setup/install\nSetup#step2", "1001"},
        {2, "Draft", "", StatusUnsaved},
        {3, "Deep page", "setup\\deep.htm", StatusLinked, "setup/install/deep\n  #hash  "},
        {1, "Reference", "", StatusNoLink},
        {2, "Options <advanced>", "ref\\options.htm", StatusLinked, "options\n\nsetup", " 1002 "},
        {2, "Missing", "ref\\missing.htm", StatusLinked, "ghost", "1003"},
        {2, "Second draft", "", StatusUnsaved},
        {1, "Appendix", "appendix.htm", StatusLinked, "zebra/a//b", "", 5},
    });
    project.Tree().setExpanded(nodes[4], true);
    AddTopics(project, project.tnUnvisiblePages, {{1, "Popup", "popup.htm", StatusLinked, "popup", "2000"}});
    for (const char* page : {"welcome.htm", "setup\\install.htm", "setup\\deep.htm", "ref\\options.htm",
                             "appendix.htm", "popup.htm"})
        WritePage(root, page, page);
    WriteBytes(work + "images/logo.gif", "GIF89a");
    WriteBytes(work + "style.css", "body {}");
    WriteBytes(work + "help.log", "old log");
    WriteBytes(work + "notes.h.txt", "not a page");
    WriteBytes(work + "old.HHC", "old contents");

    WriteProjectFiles();
    ExpectGoldenFiles("nested");
}

// What a reader sees (the title, the names in the contents and the index)
// is in the language's code page (936); every name of a file is UTF-8, as
// the file system has it, for the compiler to find.
TEST_F(HtmlHelpFilesTest, ChineseProject)
{
    project.Title = QStringLiteral("Manual \"手册\"");
    project.Language = QStringLiteral("0x0804");
    project.DefaultTopic = QStringLiteral("简介.htm");
    project.CHMSetting.ContentsFont = QStringLiteral(",9,134");
    project.CHMSetting.IndexFont = QStringLiteral(",9,134");
    AddTopics(project, project.tnTableOfContents, {
        {1, "简介", "简介.htm", StatusLinked, "开始\n安装/步骤", "100"},
        {2, "安装 & 设置", "安装\\设置.htm", StatusLinked, "安装/配置#s2"},
        // 癌 is B0 A9 in code page 936: its second byte must stay, not
        // become "&copy;".
        {1, "癌症 ©", "cancer.htm", StatusLinked, "癌"},
    });
    for (const char* page : {"简介.htm", "安装\\设置.htm", "cancer.htm"})
        WritePage(root, QString::fromUtf8(page), QString::fromUtf8(page));

    WriteProjectFiles();
    ExpectGoldenFiles("chinese");
}

struct EncodingCase {
    const char* language;
    int codePage;
    const char* title;
    const char* page; // stored, in a sub-folder
    const char* keyword;
    const char* chm;  // the help file's name
};

// The compiler opens files by the bytes of their names, which are UTF-8
// here; a reader decodes titles and names in the help's code page.
TEST(HtmlHelpEncodingsTest, FileNamesAreUtf8AndWhatAReaderSeesIsInTheHelpCodePage)
{
    const EncodingCase cases[] = {
        {"0x0407", 1252, "Größe \"Übersicht\"", "über\\Größe.htm", "Maße", "Hilfe ü.chm"},
        {"0x0419", 1251, "Справка", "справка\\обзор.htm", "Обзор", "справка.chm"},
        {"0x0411", 932, "ヘルプ", "概要\\ページ.htm", "索引", "ヘルプ.chm"},
        {"0x0804", 936, "帮助", "概述.htm", "概述", "帮助.chm"},
    };
    for (const EncodingCase& c : cases) {
        SCOPED_TRACE(c.language);
        QTemporaryDir dir;
        const QString root = dir.filePath(QStringLiteral("帮助 ü")) + QLatin1Char('/');
        const QString work = dir.filePath(QStringLiteral("work")) + QLatin1Char('/');
        const QString page = QString::fromUtf8(c.page);
        const QString title = QString::fromUtf8(c.title);
        const QString keyword = QString::fromUtf8(c.keyword);
        TQrx project;
        project.RootDir = root;
        project.Language = QString::fromLatin1(c.language);
        project.Title = title;
        AddTopics(project, project.tnTableOfContents, {{1, title, page, StatusLinked, keyword, "100"}});
        WritePage(root, page, title);
        TContents contents;
        contents.qrx = &project;
        contents.Fill();
        ASSERT_EQ(contents.HtmlHelpCodepage, c.codePage);
        ASSERT_TRUE(CopyFolder(root, work));
        TCHMProject chm;
        FillHtmlHelpProject(chm, project, contents, work, dir.filePath(QString::fromUtf8(c.chm)));
        TCHMProjectWriter(chm, contents.HtmlHelpCodepage).Output(false, false, false);

        const auto text = [&c](const QString& t) { return TextToAnsi(t, c.codePage); };
        const QByteArray file = ToSlashes(page).toUtf8();
        const QByteArray name = QFileInfo(QString::fromUtf8(c.chm)).completeBaseName().toUtf8();
        const QByteArray hhp = ReadBytes(work + QFile::decodeName(name + ".hhp"));
        EXPECT_TRUE(hhp.contains("\r\nCompiled file=" + QFile::encodeName(chm.CHM) + "\r\n")) << hhp.toStdString();
        EXPECT_TRUE(hhp.contains("\r\nContents file=" + name + ".hhc\r\n"));
        EXPECT_TRUE(hhp.contains("\r\nIndex file=" + name + ".hhk\r\n"));
        EXPECT_TRUE(hhp.contains("\r\nError log file=" + name + ".log\r\n"));
        EXPECT_TRUE(hhp.contains("\r\nDefault topic=" + file + "\r\n"));
        EXPECT_TRUE(hhp.contains("\r\nTitle=" + text(title) + "\r\n"));
        EXPECT_TRUE(hhp.contains("\r\nmain=\"" + text(QString(title).replace('"', '\'')) + "\",\"" + name + ".hhc\",\""
                                 + name + ".hhk\",\"" + file + "\",\"" + file + "\",\"" + file + "\","));
        EXPECT_TRUE(hhp.contains("[FILES]\r\n" + page.toUtf8() + "\r\n"));
        EXPECT_TRUE(hhp.contains("[ALIAS]\r\nIDH_ID100=" + file + "\r\n"));
        EXPECT_TRUE(hhp.contains("[MAP]\r\n#include " + name + ".h\r\n"));

        const QByteArray topic = "<param name=\"Name\" value=\"" + text(EncodeEntities(title))
            + "\">\r\n<param name=\"Local\" value=\"" + file + "\">\r\n";
        EXPECT_TRUE(ReadBytes(work + QFile::decodeName(name + ".hhc")).contains(topic));
        const QByteArray hhk = ReadBytes(work + QFile::decodeName(name + ".hhk"));
        EXPECT_TRUE(hhk.contains("<param name=\"Name\" value=\"" + text(keyword) + "\">\r\n" + topic))
            << hhk.toStdString();
    }
}

// The defaults and the example line of the window definition.
TCHMProject ExampleProject()
{
    TCHMProject chm;
    chm.Title = QStringLiteral("T");
    chm.HHCFile = QStringLiteral("help.hhc");
    chm.HHKFile = QStringLiteral("help.hhk");
    chm.DefaultTopic = QStringLiteral("a.htm");
    return chm;
}

const QString ExampleWindow = QStringLiteral(
    "\"T\",\"help.hhc\",\"help.hhk\",\"a.htm\",\"a.htm\",\"a.htm\",\"\",,,0x23520,200,0x387E,[100,70,700,490],"
    "0xB0000,0x0,,0,0,,0,");

struct WindowOptionCase {
    const char* name;
    std::function<void(TCHMProject&)> change;
    const char* from; // the part of the example line that changes
    const char* to;
};

TEST(WindowDefinitionTest, EveryWindowOptionChangesItsField)
{
    TCHMProject example = ExampleProject();
    example.SetFlagWords();
    EXPECT_EQ(TCHMProjectWriter(example).WindowDefinition(), ExampleWindow);

    const WindowOptionCase cases[] = {
        {"ShowMSDNMenu", [](TCHMProject& p) { p.ShowMSDNMenu = true; }, ",0x23520,", ",0x33520,"},
        {"HideToolbar", [](TCHMProject& p) { p.HideToolbar = true; }, ",0x23520,", ",0x2B520,"},
        {"HideToolbarText", [](TCHMProject& p) { p.HideToolbarText = true; }, ",0x23520,", ",0x23560,"},
        {"ShowPanesToolbar", [](TCHMProject& p) { p.ShowPanesToolbar = false; }, ",0x23520,", ",0x23500,"},
        {"AutoShowHide", [](TCHMProject& p) { p.AutoShowHide = true; }, ",0x23520,", ",0x23521,"},
        {"AutoSync", [](TCHMProject& p) { p.AutoSync = false; }, ",0x23520,", ",0x23420,"},
        {"Search", [](TCHMProject& p) { p.Search = false; }, ",0x23520,", ",0x3120,"},
        {"Favorite", [](TCHMProject& p) { p.Favorite = false; }, ",0x23520,", ",0x22520,"},
        {"SavePosition", [](TCHMProject& p) { p.SavePosition = true; }, ",0x23520,", ",0x63520,"},
        {"Hide", [](TCHMProject& p) { p.Hide = false; }, ",0x387E,", ",0x387C,"},
        {"Locate", [](TCHMProject& p) { p.Locate = false; }, ",0x387E,", ",0x307E,"},
        {"Back", [](TCHMProject& p) { p.Back = false; }, ",0x387E,", ",0x387A,"},
        {"bForward", [](TCHMProject& p) { p.bForward = false; }, ",0x387E,", ",0x3876,"},
        {"Stop", [](TCHMProject& p) { p.Stop = false; }, ",0x387E,", ",0x386E,"},
        {"Refresh", [](TCHMProject& p) { p.Refresh = false; }, ",0x387E,", ",0x385E,"},
        {"Home", [](TCHMProject& p) { p.Home = false; }, ",0x387E,", ",0x383E,"},
        {"Print", [](TCHMProject& p) { p.Print = false; }, ",0x387E,", ",0x187E,"},
        {"Option", [](TCHMProject& p) { p.Option = false; }, ",0x387E,", ",0x287E,"},
        {"Jump1", [](TCHMProject& p) { p.Jump1 = true; }, ",0x387E,", ",0x4387E,"},
        {"Jump2", [](TCHMProject& p) { p.Jump2 = true; }, ",0x387E,", ",0x8387E,"},
        {"Maximize", [](TCHMProject& p) { p.Maximize = true; }, ",0xB0000,", ",0x10B0000,"},
        {"StayOnTop", [](TCHMProject& p) { p.StayOnTop = true; }, ",0x0,", ",0x8,"},
        {"ShowPane", [](TCHMProject& p) { p.ShowPane = false; }, ",,0,0,,0,", ",,1,0,,0,"},
        {"DefaultTab", [](TCHMProject& p) { p.DefaultTab = 2; }, ",,0,0,,0,", ",,0,2,,0,"},
        {"PaneWidth", [](TCHMProject& p) { p.PaneWidth = 333; }, ",200,", ",333,"},
        {"geometry",
         [](TCHMProject& p) {
             p.Top = 10;
             p.Left = 20;
             p.Width = 300;
             p.Height = 200;
         },
         "[100,70,700,490]", "[20,10,320,210]"},
        {"title and default topic",
         [](TCHMProject& p) {
             p.Title = QStringLiteral("Help & more");
             p.DefaultTopic = QStringLiteral("x\\y.htm");
         },
         "\"T\",\"help.hhc\",\"help.hhk\",\"a.htm\",\"a.htm\",\"a.htm\"",
         "\"Help & more\",\"help.hhc\",\"help.hhk\",\"x/y.htm\",\"x/y.htm\",\"x/y.htm\""},
        // A quoted field has no escape: a double quote in it would end it.
        {"double quotes",
         [](TCHMProject& p) {
             p.Title = QStringLiteral("Say \"hi\"");
             p.DefaultTopic = QStringLiteral("say \"hi\".htm");
         },
         "\"T\",\"help.hhc\",\"help.hhk\",\"a.htm\",\"a.htm\",\"a.htm\"",
         "\"Say 'hi'\",\"help.hhc\",\"help.hhk\",\"say %22hi%22.htm\",\"say %22hi%22.htm\",\"say %22hi%22.htm\""},
    };
    for (const WindowOptionCase& c : cases) {
        SCOPED_TRACE(c.name);
        TCHMProject chm = ExampleProject();
        c.change(chm);
        chm.SetFlagWords();
        EXPECT_EQ(TCHMProjectWriter(chm).WindowDefinition(), QString(ExampleWindow).replace(c.from, c.to));
    }
}

struct TreeStyleCase {
    const char* name;
    std::function<void(TCHMProject&)> change;
    const char* windowStyles;
    const char* exWindowStyles;
};

TEST(WindowDefinitionTest, ContentsTreeOptionsGoToTheContentsFile)
{
    const TreeStyleCase cases[] = {
        {"defaults", [](TCHMProject&) {}, "0x27", "0x0"},
        {"AutoTrack", [](TCHMProject& p) { p.AutoTrack = true; }, "0x227", "0x0"},
        {"SelectRow", [](TCHMProject& p) { p.SelectRow = true; }, "0x1027", "0x0"},
        {"PlusMinus", [](TCHMProject& p) { p.PlusMinus = false; }, "0x26", "0x0"},
        {"ShowSelection", [](TCHMProject& p) { p.ShowSelection = false; }, "0x7", "0x0"},
        {"ShowRoot", [](TCHMProject& p) { p.ShowRoot = false; }, "0x23", "0x0"},
        {"DrawLines", [](TCHMProject& p) { p.DrawLines = false; }, "0x25", "0x0"},
        {"AutoExpand", [](TCHMProject& p) { p.AutoExpand = true; }, "0x427", "0x0"},
        {"Border", [](TCHMProject& p) { p.Border = true; }, "0x800027", "0x0"},
        {"DialogFrame", [](TCHMProject& p) { p.DialogFrame = true; }, "0x400027", "0x0"},
        {"RightToLeft", [](TCHMProject& p) { p.RightToLeft = true; }, "0x27", "0x2000"},
        {"LeftScroll", [](TCHMProject& p) { p.LeftScroll = true; }, "0x27", "0x4000"},
        {"RaisedEdge", [](TCHMProject& p) { p.RaisedEdge = true; }, "0x27", "0x100"},
        {"SunkenEdge", [](TCHMProject& p) { p.SunkenEdge = true; }, "0x27", "0x200"},
        {"all off", [](TCHMProject& p) { p.PlusMinus = p.ShowSelection = p.ShowRoot = p.DrawLines = false; }, "0x0",
         "0x0"},
    };
    for (const TreeStyleCase& c : cases) {
        SCOPED_TRACE(c.name);
        TCHMProject chm = ExampleProject();
        c.change(chm);
        chm.SetFlagWords();
        const QByteArray hhc = TCHMProjectWriter(chm).HHCBytes();
        EXPECT_TRUE(hhc.contains(QByteArray("     <param name=\"Window Styles\" value=\"") + c.windowStyles + "\">\r\n"));
        EXPECT_TRUE(
            hhc.contains(QByteArray("     <param name=\"ExWindow Styles\" value=\"") + c.exWindowStyles + "\">\r\n"));
        EXPECT_TRUE(hhc.contains("     <param name=\"ImageType\" value=\"Book\">\r\n"));
    }
    TCHMProject folders = ExampleProject();
    folders.UseFolder = true;
    EXPECT_TRUE(TCHMProjectWriter(folders).HHCBytes().contains("     <param name=\"ImageType\" value=\"Folder\">\r\n"));
}

} // namespace
