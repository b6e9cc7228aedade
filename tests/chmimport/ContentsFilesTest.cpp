// Contents, index and project files read into the entries of an import.
#include "ImportTestFiles.h"
#include "TCHMDecompile.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

using namespace ImportTest;

QString Item(const QString& name, const QString& local = QString(), const QString& extra = QString())
{
    QString item = QStringLiteral("<LI><OBJECT type=\"text/sitemap\">\n<param name=\"Name\" value=\"%1\">\n").arg(name);
    if (!local.isNull())
        item += QStringLiteral("<param name=\"Local\" value=\"%1\">\n").arg(local);
    return item + extra + QStringLiteral("</OBJECT>\n");
}

TEST(ContentsFileTest, OneEntryWithEntitiesAndSpaces)
{
    TCHMDecompile import;
    import.ParseContents("<UL>" + Item("A &amp; B", "a%20b.htm") + "</UL>");
    ASSERT_EQ(import.List.Count(), 1);
    const TTitleList& entry = import.List.Item(0);
    EXPECT_EQ(entry.Topic, "A & B");
    EXPECT_EQ(entry.Level, 0);
    EXPECT_EQ(entry.Url, "a b.htm");
    EXPECT_EQ(entry.Status, TTitleList::StatusPage);
    EXPECT_EQ(entry.ContextNumber, "1000");
    EXPECT_EQ(import.List.GetItemByUrl("A B.HTM"), &entry);
}

TEST(ContentsFileTest, HeadingsSeparatorsLevelsAndIcons)
{
    TCHMDecompile import;
    import.ParseContents("<ul>" + Item("Heading") + Item("---", "sep.htm") +
                         "<UL>" + Item("Child", "c.htm#part", "<param name=\"ImageNumber\" value=\"7\">") +
                         "<UL>" + Item("Grandchild", "g.htm", "<param name=\"ImageNumber\" value=\"x1\">") +
                         "</UL></UL></UL></UL>" + Item("Below zero", "z.htm") +
                         "<UL><UL><UL><UL><UL><UL><UL><UL><UL><UL><UL><UL>" + Item("Deep", "d.htm") +
                         "<ul class=x>" + Item("Same level", "s.htm"));
    struct Expected {
        const char* topic;
        int index, level;
        const char* url;
        int status, icon;
        const char* context;
    };
    const Expected expected[] = {
        {"Heading", 0, 0, "", TTitleList::StatusNoPage, 0, "1000"},
        {"Child", 1, 1, "c.htm#part", TTitleList::StatusPage, 7, "1001"},
        {"Grandchild", 2, 2, "g.htm", TTitleList::StatusPage, 0, "1002"},
        {"Below zero", 3, 0, "z.htm", TTitleList::StatusPage, 0, "1003"},
        {"Deep", 4, TTitleList::MaxLevel, "d.htm", TTitleList::StatusPage, 0, "1004"},
        {"Same level", 5, TTitleList::MaxLevel, "s.htm", TTitleList::StatusPage, 0, "1005"},
    };
    ASSERT_EQ(import.List.Count(), int(std::size(expected)));
    for (int i = 0; i < import.List.Count(); ++i) {
        SCOPED_TRACE(expected[i].topic);
        const TTitleList& entry = import.List.Item(i);
        EXPECT_EQ(entry.Topic, expected[i].topic);
        EXPECT_EQ(entry.Index, expected[i].index);
        EXPECT_EQ(entry.Level, expected[i].level);
        EXPECT_EQ(entry.Url, expected[i].url);
        EXPECT_EQ(entry.Status, expected[i].status);
        EXPECT_EQ(entry.Icon, expected[i].icon);
        EXPECT_EQ(entry.ContextNumber, expected[i].context);
    }
}

TEST(IndexFileTest, SubKeywordsAnchorsAndSharedPages)
{
    TCHMDecompile import;
    import.ParseContents("<UL>" + Item("A", "a.htm") + Item("B", "Sub/b%20c.htm") + Item("A again", "A.HTM") + "</UL>");
    import.ParseIndex("<UL>" + Item("Setup") + "<UL>" + Item("Options/Advanced", "a.htm#x") + "</UL>" +
                      Item("Both &amp; more", "a.htm", "<param name=\"Name\" value=\"B\">\n<param name=\"Local\" value=\"sub/b c.htm\">\n") +
                      "</UL>");
    EXPECT_EQ(import.List.Item(0).Keywords, "Setup/Options//Advanced#x`\\Both & more");
    EXPECT_EQ(import.List.Item(1).Keywords, "Both & more");
    EXPECT_EQ(import.List.Item(2).Keywords, "Setup/Options//Advanced#x`\\Both & more");
}

TEST(ProjectFileTest, ContentsFromTheWindowAndAliasesAsContext)
{
    QTemporaryDir dir;
    const QString root = dir.path() + QLatin1Char('/');
    Write(root + "Help.HHC", ("<UL>" + Item("A", "a.htm") + Item("B", "b.htm") + "</UL>").toUtf8());
    Write(root + "alias.txt", "IDH_B=b.htm ; second page\r\n\r\n");
    Write(root + "help.hhp", "[OPTIONS]\r\nTitle=My help\r\nDefault Window=main\r\nDefault topic=a.htm\r\n\r\n"
                             "[WINDOWS]\r\nmain=\"My, help\",\"help.hhc\",,\"a.htm\"\r\n\r\n"
                             "[alias]\r\nIDH_A=a.htm\r\n#include alias.txt\r\n[FILES]\r\na.htm\r\n");
    TCHMDecompile import;
    import.LoadFromHHP(root + "help.hhp");
    EXPECT_EQ(import.Title, "My help");
    EXPECT_EQ(import.DefaultPage, "a.htm");
    EXPECT_EQ(import.DefaultWindow, "main");
    EXPECT_EQ(import.FileName, "help");
    EXPECT_EQ(import.rootFolder, root);
    EXPECT_EQ(QFileInfo(import.hhcFile).fileName(), "Help.HHC");
    EXPECT_TRUE(import.hhkFile.isEmpty());
    ASSERT_EQ(import.List.Count(), 2);
    EXPECT_EQ(import.List.Item(0).ContextNumber, "IDH_A");
    EXPECT_EQ(import.List.Item(1).ContextNumber, "IDH_B");
}

// A space outside quotes is part of its field: an unquoted title with a
// space does not shift the contents file to another field.
TEST(ProjectFileTest, UnquotedWindowFieldsKeepTheirSpaces)
{
    QTemporaryDir dir;
    const QString root = dir.path() + QLatin1Char('/');
    Write(root + "my toc.hhc", ("<UL>" + Item("A", "a.htm") + "</UL>").toUtf8());
    Write(root + "help.hhp", "[OPTIONS]\r\nDefault Window=Main\r\n[WINDOWS]\r\nmain=My help,my toc.hhc,\r\n");
    TCHMDecompile import;
    import.LoadFromHHP(root + "help.hhp");
    EXPECT_EQ(import.hhcFile, root + "my toc.hhc");
    EXPECT_EQ(import.List.Count(), 1);
}

TEST(ProjectFileTest, DefinesTakeTheirPagesFromAliases)
{
    QTemporaryDir dir;
    const QString root = dir.path() + QLatin1Char('/');
    Write(root + "sub/ids.h", "#define IDH_A 10\r\n  #define IDH_C   30\r\nint x;\r\n");
    TCHMDecompile import;
    import.rootFolder = root;
    import.ReadContext("[MAP]\n#define IDH_B 20\n#include sub\\ids.h\n[ALIAS]\nIDH_A = a.htm\nIDH_B=b.htm\n[OTHER]\nIDH_X=x.htm\n");
    const std::vector<std::pair<QString, QString>> expected = {{"b.htm", "20"}, {"a.htm", "10"}, {"", "30"}};
    EXPECT_EQ(import.Context, expected);
    // Numbers of its own do not repeat a mapped one.
    import.ParseContents("<UL>" + Item("A", "a.htm") + Item("N", "n.htm") + "</UL>");
    EXPECT_EQ(import.List.Item(0).ContextNumber, "10");
    EXPECT_EQ(import.List.Item(1).ContextNumber, "1000");
}

} // namespace
