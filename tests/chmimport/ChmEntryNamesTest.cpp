// Object names of a compiled help file made safe, and where files that
// differ only in letter case go.
#include "ChmEntryNames.h"
#include "TWrittenFiles.h"

#include <gtest/gtest.h>

namespace {

TEST(ChmEntryNamesTest, NamesStayBelowTheTargetOrAreRefused)
{
    struct Case {
        QByteArray name;
        QString parts; // joined by "|"; empty when refused
    };
    const Case cases[] = {
        {"/a.htm", "a.htm"},
        {"/sub/page one.htm", "sub|page one.htm"},
        {"//x", "x"},
        {"/./a//b\\c.htm", "a|b|c.htm"},
        {"/../e.htm", ""},
        {"/a/../../b", ""},
        {"/a/..\\..\\b", ""},
        {"..", ""},
        {"/C:/Windows/x.htm", ""},
        {"C:x.htm", ""},
        {"/", ""},
        {"/./", ""},
        {"/a..b/..c.htm", "a..b|..c.htm"},
        {"/#hash.htm", "#hash.htm"},
        {"/caf\xC3\xA9.htm", QStringLiteral("caf\u00E9.htm")},
        {"/caf\xE9.htm", QStringLiteral("caf\u00E9.htm")},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name.toStdString());
        EXPECT_EQ(SafeChmEntryParts(c.name, 1252).join(QLatin1Char('|')), c.parts);
    }
    // Invalid UTF-8 read in the help file's own code page.
    EXPECT_EQ(SafeChmEntryParts("/\xC4\xE3.htm", 936), QStringList{QStringLiteral("\u4F60.htm")});
}

TEST(ChmEntryNamesTest, SystemObjectsByExactName)
{
    for (const char* name : {"/#SYSTEM", "/#WINDOWS", "/$FIftiMain", "/$WWKeywordLinks/BTree", "::DataSpace/NameList",
                             "/#SUBSETS"})
        EXPECT_TRUE(IsChmSystemObject(name)) << name;
    for (const char* name : {"/#hash.htm", "/#SYSTEM.htm", "/$WWKeywordLinks.htm", "/a/#SYSTEM", "/_#_README_#_"})
        EXPECT_FALSE(IsChmSystemObject(name)) << name;
}

TEST(WrittenFilesTest, CaseTwinsArePlacedApartAndFoundInAnyCase)
{
    TWrittenFiles written;
    EXPECT_EQ(written.Place({"A.htm"}), "A.htm");
    EXPECT_EQ(written.Place({"a.htm"}), "a~2.htm");
    EXPECT_EQ(written.Place({"a.HTM"}), "a~3.HTM");
    EXPECT_EQ(written.Place({"Sub", "x.htm"}), "Sub/x.htm");
    // The folder keeps its first spelling.
    EXPECT_EQ(written.Place({"sub", "y.htm"}), "Sub/y.htm");
    // A file does not take a folder's name.
    EXPECT_EQ(written.Place({"SUB"}), "SUB~2");
    EXPECT_EQ(written.Place({"readme"}), "readme");
    EXPECT_EQ(written.Place({"readme", "x.htm"}), "readme~2/x.htm");
    EXPECT_EQ(written.Count(), 8);

    EXPECT_EQ(written.Find("a.htm"), "A.htm");
    EXPECT_EQ(written.Find("/A~2.htm"), "a~2.htm");
    EXPECT_EQ(written.Find("SUB\\Y.HTM"), "Sub/y.htm");
    EXPECT_EQ(written.Find("./sub//x.htm"), "Sub/x.htm");
    EXPECT_EQ(written.Find("readme/X.htm"), "readme~2/x.htm");
    EXPECT_EQ(written.Find("missing.htm"), QString());
}

} // namespace
