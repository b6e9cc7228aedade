// The body of the index file: sorting, nesting of sub-keywords and which
// topics contribute.
#include "OutputTestSupport.h"

#include <QLocale>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace OutputTest;

namespace {

class IndexListTest : public testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        project.RootDir = root;
        project.Language = QStringLiteral("0x0409");
        contents.qrx = &project;
    }

    // One linked page per keyword set, named t0.htm, t1.htm, ...
    QString indexFor(const QStringList& keywordSets)
    {
        project.Tree().clearTopics();
        std::vector<Topic> topics;
        for (qsizetype i = 0; i < keywordSets.size(); ++i) {
            const QString url = QStringLiteral("t%1.htm").arg(i);
            WritePage(root, url, url);
            topics.push_back({1, QStringLiteral("T%1").arg(i), url, StatusLinked, keywordSets[i]});
        }
        AddTopics(project, project.tnTableOfContents, topics);
        contents.Fill();
        return QString::fromLatin1(contents.MakeHHKList());
    }

    QTemporaryDir dir;
    QString root = dir.filePath("project") + QLatin1Char('/');
    TQrx project;
    TContents contents;
};

QString Entry(const QString& name, const QString& title, const QString& url)
{
    return "<LI><OBJECT type=\"text/sitemap\">\r\n<param name=\"Name\" value=\"" + name
        + "\">\r\n<param name=\"Name\" value=\"" + title + "\">\r\n<param name=\"Local\" value=\"" + url + "\">\r\n";
}

TEST_F(IndexListTest, NestsSubKeywordsUnderTheirParents)
{
    EXPECT_EQ(indexFor({}), "<UL></UL>");
    EXPECT_EQ(indexFor({"d", "a/b/c", "a"}),
              "<UL>" + Entry("a", "T2", "t2.htm") + "</OBJECT><UL>\r\n"
                  + "<LI> <OBJECT type=\"text/sitemap\">\r\n<param name=\"Name\" value=\"b\">\r\n"
                    "<param name=\"See Also\" value=\"b\">\r\n</OBJECT>\r\n<UL>\r\n"
                  + Entry("c", "T1", "t1.htm") + "</OBJECT></UL>\r\n</UL>\r\n" + Entry("d", "T0", "t0.htm")
                  + "</OBJECT></UL>");
}

TEST_F(IndexListTest, SortsWithoutCaseEvenUnderTheCLocale)
{
    // Build servers often run with the C locale.
    for (const QLocale& locale : {QLocale::c(), QLocale(QLocale::English, QLocale::UnitedStates)}) {
        QLocale::setDefault(locale);
        const QString index = indexFor({"Zebra", "apple", "Build", "banana"});
        EXPECT_LT(index.indexOf("\"apple\""), index.indexOf("\"banana\""));
        EXPECT_LT(index.indexOf("\"banana\""), index.indexOf("\"Build\""));
        EXPECT_LT(index.indexOf("\"Build\""), index.indexOf("\"Zebra\""));
    }
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
}

TEST_F(IndexListTest, EveryOpenedLevelIsClosed)
{
    const QStringList cases[] = {
        {"x/y/z", "a"},
        {"a/b\nb/c/d/e\nb/c\nc"},
        {"A/b", "a/B", "a/b/c/d", "a"},
        {"one//two/three", "one/two", "one"},
        {"a#x\na/b#y", "a"},
    };
    for (const QStringList& keywordSets : cases) {
        SCOPED_TRACE(keywordSets.join(" | ").toStdString());
        const QString list = indexFor(keywordSets);
        EXPECT_EQ(list.count("<UL>"), list.count("</UL>"));
        EXPECT_EQ(list.count("<OBJECT"), list.count("</OBJECT>"));
    }
}

TEST_F(IndexListTest, OnlyLinkedPagesOfTheTableOfContentsCount)
{
    WritePage(root, "a.htm", "a");
    WritePage(root, "p.htm", "p");
    AddTopics(project, project.tnTableOfContents, {
        {1, "Linked", "a.htm", StatusLinked, "shared\nlinked"},
        {1, "Missing", "missing.htm", StatusLinked, "missing"},
        {1, "Heading", "", StatusNoLink, "heading"},
        {1, "Unsaved", "", StatusUnsaved, "unsaved"},
        {1, "Blank", "a.htm", StatusLinked, " \n\t"},
    });
    AddTopics(project, project.tnUnvisiblePages, {{1, "Outside", "p.htm", StatusLinked, "outside"}});
    contents.Fill();
    EXPECT_EQ(QString::fromLatin1(contents.MakeHHKList()),
              "<UL>" + Entry("linked", "Linked", "a.htm") + "</OBJECT>" + Entry("shared", "Linked", "a.htm")
                  + "</OBJECT></UL>");
}

} // namespace
