// Filling the output table of contents from the project's tree.
#include "OutputTestSupport.h"
#include "QtPrinting.h"
#include "QuorixError.h"

#include <QRegularExpression>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace OutputTest;

namespace {

class ContentsFillTest : public testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        project.RootDir = root;
        contents.qrx = &project;
        contents.CDir = dir.filePath("program") + QLatin1Char('/');
        contents.FOnInfo = [this](TThcObject*, const QString& info) { infos << info; };
    }

    TContentsItem& item(int index) { return *contents.ContentsItems[size_t(index)]; }
    TContentsItem& outside(int index) { return *contents.NonContentsItems[size_t(index)]; }

    QTemporaryDir dir;
    QString root = dir.filePath("project") + QLatin1Char('/');
    TQrx project;
    TContents contents;
    QStringList infos;
};

struct ChapterCase {
    std::vector<int> levels;
    QStringList chapters;
    std::vector<bool> hasChild;
    std::vector<bool> last;
};

TEST_F(ContentsFillTest, NumbersChaptersAndMarksSiblings)
{
    const ChapterCase cases[] = {
        {{1, 2, 2, 3, 1}, {"1.", "1.1", "1.2", "1.2.1", "2."}, {1, 0, 1, 0, 0}, {0, 0, 1, 1, 1}},
        {{1}, {"1."}, {0}, {1}},
        {{1, 2, 3, 2, 1, 2}, {"1.", "1.1", "1.1.1", "1.2", "2.", "2.1"}, {1, 1, 0, 0, 1, 0}, {0, 0, 1, 1, 1, 1}},
        {{1, 2, 3, 4, 1}, {"1.", "1.1", "1.1.1", "1.1.1.1", "2."}, {1, 1, 1, 0, 0}, {0, 1, 1, 1, 1}},
        {{1, 1, 1, 2}, {"1.", "2.", "3.", "3.1"}, {0, 0, 1, 0}, {0, 0, 1, 1}},
    };
    for (const ChapterCase& c : cases) {
        SCOPED_TRACE(::testing::PrintToString(c.levels));
        project.Tree().clearTopics();
        std::vector<Topic> topics;
        // Headings and missing pages: numbers ignore whether a page is there.
        for (size_t i = 0; i < c.levels.size(); ++i)
            topics.push_back({c.levels[i], QString::number(i), i % 2 ? "missing.htm" : "", i % 2 ? 0 : StatusNoLink});
        AddTopics(project, project.tnTableOfContents, topics);
        contents.Fill();
        ASSERT_EQ(contents.ContentsItems.size(), c.levels.size());
        for (size_t i = 0; i < c.levels.size(); ++i) {
            SCOPED_TRACE(i);
            EXPECT_EQ(item(int(i)).Index, int(i));
            EXPECT_EQ(item(int(i)).Level, c.levels[i]);
            EXPECT_EQ(item(int(i)).ChapterNumber, c.chapters[qsizetype(i)]);
            EXPECT_EQ(item(int(i)).HasChildNode, c.hasChild[i]);
            EXPECT_EQ(item(int(i)).LastInTheSameLevel, c.last[i]);
        }
    }
}

TEST_F(ContentsFillTest, CopiesTheTopicAndLoadsItsPage)
{
    WriteBytes(root + "a.htm",
               "<html><head><title>A</title><style>p {}</style></head><body>\r\n<p>Text</p>\r\n</body></html>");
    // A page saved by Word loses Word's own markup.
    WriteBytes(root + "Topics/Word.htm",
               "<html><head><meta name=ProgId content=Word.Document></head><body><p>W<o:p></o:p></p></body></html>");
    const std::vector<TopicNode*> nodes = AddTopics(project, project.tnTableOfContents, {
        {1, "A", "a.htm", StatusLinked, "k1\nk2", "1000", 7},
        {2, "W", "topics\\word.htm"}, // stored in other case than on disk, as on Windows
        {1, "Gone", "gone.htm"},
    });
    nodes[0]->entry().ApplyTemp = true;
    project.SetIcon();
    contents.Fill();

    ASSERT_EQ(contents.ContentsItems.size(), 3u);
    EXPECT_EQ(item(0).Title, "A");
    EXPECT_EQ(item(0).Url, "a.htm");
    EXPECT_EQ(item(0).Icon, nodes[0]->imageIndex() + 1);
    EXPECT_EQ(item(0).Keywords, "k1\r\nk2");
    EXPECT_EQ(item(0).ContextNumber, "1000");
    EXPECT_TRUE(item(0).ApplyTemp);
    EXPECT_TRUE(item(0).Accessible);
    EXPECT_EQ(item(0).Content, "\r\n<p>Text</p>\r\n");
    EXPECT_EQ(item(0).Style, "<style>p {}</style>\r\n");
    EXPECT_TRUE(item(0).All.startsWith("<html><head><title>A</title>"));

    EXPECT_TRUE(item(1).Accessible);
    EXPECT_EQ(item(1).Content, "<p>W</p>");
    EXPECT_FALSE(item(1).All.contains("o:p"));

    EXPECT_FALSE(item(2).Accessible);
    EXPECT_TRUE(item(2).All.isEmpty());
    EXPECT_EQ(item(2).Url, "gone.htm");
    EXPECT_EQ(contents.DefaultPage, "a.htm");
    EXPECT_FALSE(contents.HasUnsavedpage);
    EXPECT_EQ(infos, QStringList{"Warning: The page \"gone.htm\" of the topic \"Gone\" does not exist."});
}

TEST_F(ContentsFillTest, NumbersUnsavedTopicsAcrossBothBranches)
{
    WriteBytes(contents.CDir + "new.htm", "<html><head><meta charset=($charset$)></head><body>New ($CHARSET$)</body></html>");
    project.Encoding = QStringLiteral("gb2312");
    AddTopics(project, project.tnTableOfContents, {
        {1, "Heading", "", StatusNoLink},
        {2, "U1", "", StatusUnsaved},
        {1, "Linked", "a.htm"},
        {1, "U2", "", StatusUnsaved},
    });
    AddTopics(project, project.tnUnvisiblePages, {{1, "U3", "", StatusUnsaved}});
    contents.Fill();

    EXPECT_EQ(contents.DefaultPage, "$$unsavedpage1.htm");
    EXPECT_TRUE(contents.HasUnsavedpage);
    EXPECT_EQ(item(0).Url, "");
    EXPECT_EQ(item(1).Url, "$$unsavedpage1.htm");
    EXPECT_EQ(item(3).Url, "$$unsavedpage2.htm");
    EXPECT_EQ(outside(0).Url, "$$unsavedpage3.htm");
    EXPECT_EQ(contents.UnsavedIndex, 4);
    for (TContentsItem* unsaved : {&item(1), &item(3), &outside(0)}) {
        EXPECT_TRUE(unsaved->Accessible);
        EXPECT_EQ(unsaved->All, "<html><head><meta charset=gb2312></head><body>New gb2312</body></html>");
        EXPECT_EQ(unsaved->Content, "New gb2312");
        EXPECT_TRUE(unsaved->Style.isEmpty());
    }

    // The project's own template instead; a missing one leaves new pages empty.
    WriteBytes(root + "tpl/custom.htm", "<html><body>Custom ($CHARSET$)</body></html>");
    project.DefaultTemplate = false;
    for (const QString& stored : {QStringLiteral("tpl\\custom.htm"), QStringLiteral("<Project_Folder>\\tpl\\custom.htm"),
                                  root + "tpl/custom.htm"}) {
        project.CustomTemplate = stored;
        contents.Fill();
        EXPECT_EQ(item(1).Content, "Custom ($CHARSET$)") << stored.toStdString();
    }
    for (const QString& stored : {QStringLiteral("tpl\\none.htm"), QString()}) {
        project.CustomTemplate = stored;
        contents.Fill();
        EXPECT_TRUE(item(1).All.isEmpty());
        EXPECT_TRUE(item(1).Accessible);
    }
    project.CustomTemplate = QStringLiteral("C:\\Templates\\custom.htm");
    infos.clear();
    contents.Fill();
    EXPECT_TRUE(item(1).All.isEmpty());
    const QStringList notes = infos.filter(QRegularExpression("^(?!Warning:)"));
    ASSERT_EQ(notes.size(), 1) << infos.join('\n').toStdString();
    EXPECT_TRUE(notes[0].contains("C:\\Templates\\custom.htm"));
}

struct WarningCase {
    const char* name;
    std::vector<Topic> topics;  // the table of contents
    std::vector<Topic> outside; // pages out of it
    const char* defaultTopic;
    QStringList expected;
};

// What the reader of any output would miss is said while the contents are
// read, once per build, for every output.
TEST(ContentsWarningsTest, UnsavedAndMissingPagesAndAMissingDefaultTopic)
{
    const WarningCase cases[] = {
        {"unsaved topic", {{1, "Draft", "", StatusUnsaved}}, {}, "",
         {"Warning: The page of the topic \"Draft\" has not been saved yet; save it so that its text is in the "
          "outputs."}},
        {"unsaved page out of the contents", {{1, "A", "a.htm"}}, {{1, "Popup", "", StatusUnsaved}}, "",
         {"Warning: The page of the topic \"Popup\" has not been saved yet; save it so that its text is in the "
          "outputs."}},
        {"missing pages", {{1, "A", "a.htm"}, {2, "Gone", "sub\\gone.htm"}}, {{1, "Lost", "lost.htm"}}, "",
         {"Warning: The page \"sub\\gone.htm\" of the topic \"Gone\" does not exist.",
          "Warning: The page \"lost.htm\" of the topic \"Lost\" does not exist."}},
        {"default topic naming a missing page", {{1, "A", "a.htm"}}, {}, "intro.htm#top",
         {"Warning: The default topic \"intro.htm#top\" names a page that does not exist."}},
        {"nothing a reader misses",
         {{1, "Heading", "", StatusNoLink}, {2, "A", "A.HTM"}, {2, "Part", "a.htm#part"},
          {1, "Web", "http://example.com/x.htm", StatusOutside}, {1, "Mail", "mailto:help@example.com"}},
         {{1, "Popup", "a.htm"}}, "a.htm#part", {}},
    };
    for (const WarningCase& c : cases) {
        SCOPED_TRACE(c.name);
        QTemporaryDir dir;
        const QString root = dir.filePath("project") + QLatin1Char('/');
        WritePage(root, "a.htm", "A");
        TQrx project;
        project.RootDir = root;
        project.DefaultTopic = QString::fromUtf8(c.defaultTopic);
        AddTopics(project, project.tnTableOfContents, c.topics);
        AddTopics(project, project.tnUnvisiblePages, c.outside);
        TContents contents;
        contents.qrx = &project;
        contents.CDir = dir.filePath("program") + QLatin1Char('/');
        QStringList infos;
        contents.FOnInfo = [&infos](TThcObject*, const QString& info) { infos << info; };
        contents.Fill();
        EXPECT_EQ(infos, c.expected);
    }
}

TEST_F(ContentsFillTest, LinksNeighboursAndAncestors)
{
    for (const char* page : {"a/a.htm", "c/c.htm", "c/d.htm", "a/e.htm", "f.htm", "p.htm", "q.htm"})
        WritePage(root, page, page);
    AddTopics(project, project.tnTableOfContents, {
        {1, "A & B", "a\\a.htm"},
        {2, "Heading", "", StatusNoLink},
        {3, "C", "c\\c.htm"},
        {3, "Gone", "c\\gone.htm"},
        {3, "D", "c\\d.htm"},
        {2, "E", "a\\e.htm"},
        {1, "Web", "http://example.com/x.htm", StatusOutside},
        {2, "F", "f.htm"},
    });
    AddTopics(project, project.tnUnvisiblePages, {{1, "P", "p.htm"}, {1, "Q", "q.htm"}});
    contents.Fill();

    struct Expected {
        bool accessible;
        const char* navigation;
        const char* last;
        const char* next;
    };
    const Expected expected[] = {
        {true, "", "", "../c/c.htm"},
        {false, "", "", ""},
        {true, "<A href=\"../a/a.htm\">A &amp; B</A> &gt; Heading &gt; ", "../a/a.htm", "d.htm"},
        {false, "", "", ""}, // a missing page is skipped by the chain
        {true, "<A href=\"../a/a.htm\">A &amp; B</A> &gt; Heading &gt; ", "c.htm", "../a/e.htm"},
        {true, "<A href=\"a.htm\">A &amp; B</A> &gt; ", "../c/d.htm", "../f.htm"},
        {false, "", "", ""},
        // An outside address is no page: its item has no link to offer.
        {true, "Web &gt; ", "a/e.htm", ""},
    };
    ASSERT_EQ(contents.ContentsItems.size(), std::size(expected));
    for (size_t i = 0; i < std::size(expected); ++i) {
        SCOPED_TRACE(item(int(i)).Title.toStdString());
        EXPECT_EQ(item(int(i)).Accessible, expected[i].accessible);
        EXPECT_EQ(item(int(i)).Navigation, expected[i].navigation);
        EXPECT_EQ(item(int(i)).LastPage, expected[i].last);
        EXPECT_EQ(item(int(i)).NextPage, expected[i].next);
    }
    // The pages out of the table of contents have a chain of their own.
    EXPECT_EQ(outside(0).LastPage, "");
    EXPECT_EQ(outside(0).NextPage, "q.htm");
    EXPECT_EQ(outside(1).LastPage, "p.htm");
    EXPECT_EQ(outside(1).Level, 1);
    EXPECT_TRUE(outside(0).ChapterNumber.isEmpty());
}

TEST_F(ContentsFillTest, EmptyTableOfContentsAndRepeatedFill)
{
    WritePage(root, "p.htm", "p");
    WritePage(root, "a.htm", "a");
    AddTopics(project, project.tnUnvisiblePages, {{1, "P", "p.htm"}});
    contents.Fill();
    EXPECT_TRUE(contents.ContentsItems.empty());
    EXPECT_EQ(contents.NonContentsItems.size(), 1u);
    EXPECT_EQ(contents.DefaultPage, "p.htm");

    // A second Fill starts the lists afresh but keeps the default page.
    AddTopics(project, project.tnTableOfContents, {{1, "A", "a.htm"}});
    contents.Fill();
    EXPECT_EQ(contents.ContentsItems.size(), 1u);
    EXPECT_EQ(contents.NonContentsItems.size(), 1u);
    EXPECT_EQ(contents.DefaultPage, "p.htm");
    EXPECT_EQ(item(0).ChapterNumber, "1.");
}

TEST_F(ContentsFillTest, HelpCodePageFollowsTheLanguage)
{
    for (const auto& [language, codePage] :
         std::vector<std::pair<QString, int>>{{"0x0804", 936}, {"0x0409", 1252}, {"0x0419", 1251}, {"0x9999", 0}}) {
        project.Language = language;
        contents.Fill();
        EXPECT_EQ(contents.HtmlHelpCodepage, codePage) << language.toStdString();
    }
}

TEST_F(ContentsFillTest, WindowsPathsAreReportedNotRead)
{
    WritePage(root, "a.htm", "a");
    AddTopics(project, project.tnTableOfContents, {{1, "Old", "D:\\help\\a.htm"}, {1, "A", "a.htm"}});
    contents.Fill();
    EXPECT_FALSE(item(0).Accessible);
    EXPECT_TRUE(item(1).Accessible);
    ASSERT_EQ(infos.size(), 1);
    EXPECT_TRUE(infos[0].contains("D:\\help\\a.htm"));

    project.RootDir = QStringLiteral("C:\\Projects\\Help\\");
    try {
        contents.Fill();
        ADD_FAILURE() << "no error for a Windows project folder";
    } catch (const EQuorixError& error) {
        EXPECT_TRUE(error.message().contains("C:\\Projects\\Help\\"));
    }

    // A project without a folder has no pages to read, here or anywhere else.
    project.RootDir.clear();
    contents.Fill();
    EXPECT_FALSE(item(1).Accessible);
}

TEST_F(ContentsFillTest, DeepNestingKeepsLevelsAndClosesEveryList)
{
    // Chapter numbers grow with the depth, so the test stays at a few thousand levels.
    constexpr int depth = 3000;
    std::vector<Topic> topics;
    for (int level = 1; level <= depth; ++level)
        topics.push_back({level, "T", "", StatusNoLink});
    AddTopics(project, project.tnTableOfContents, topics);
    contents.Fill();
    ASSERT_EQ(contents.ContentsItems.size(), size_t(depth));
    EXPECT_EQ(item(depth - 1).Level, depth);
    EXPECT_EQ(item(depth - 1).ChapterNumber.count(QLatin1Char('.')), depth - 1);
    EXPECT_TRUE(item(0).HasChildNode);
    EXPECT_TRUE(item(0).LastInTheSameLevel);
    const QByteArray list = contents.MakeHHCList();
    EXPECT_EQ(list.count("<UL>"), depth);
    EXPECT_EQ(list.count("</UL>"), depth);
}

TEST(TSortedFileListTest, KeepsOnePathPerNameWithoutCase)
{
    TSortedFileList list;
    EXPECT_TRUE(list.Add("/p/b.htm"));
    EXPECT_TRUE(list.Add("/p/A.gif"));
    EXPECT_FALSE(list.Add("/p/B.HTM"));
    EXPECT_TRUE(list.Add("/p/c.css"));
    EXPECT_EQ(list.Paths(), (QStringList{"/p/A.gif", "/p/b.htm", "/p/c.css"}));
    EXPECT_TRUE(list.Contains("/P/a.GIF"));
    EXPECT_FALSE(list.Contains("/p/d"));
}

} // namespace
