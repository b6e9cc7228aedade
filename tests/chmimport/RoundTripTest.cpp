// The HTML Help project files the output code writes (kept byte for byte by
// its own tests) read back into the entries they were written from.
#include "TCHMDecompile.h"

#include <gtest/gtest.h>

namespace {

TEST(RoundTripTest, NestedProjectReadsBackItsTitlesLevelsUrlsKeywordsAndContextNumbers)
{
    TCHMDecompile import;
    import.LoadFromHHP(QStringLiteral(QUORIX_TEST_DATA_DIR "/output/nested/help.hhp"));
    EXPECT_EQ(import.Title, "Nested help");
    EXPECT_EQ(import.DefaultPage, "setup/install.htm");
    EXPECT_EQ(import.DefaultWindow, "main");
    struct Expected {
        const char* topic;
        int level;
        const char* url;
        int icon;
        const char* keywords;
        const char* context;
    };
    // Pages not yet saved get numbers that no mapped page has.
    const Expected expected[] = {
        {"Welcome & Intro", 0, "welcome.htm", 1, "Getting started`\\setup", "1000"},
        {"Install", 1, "setup/install.htm", 11, "setup/install`\\Setup#step2", "1001"},
        {"Draft", 1, "$$unsavedpage1.htm", 1, "", "1003"},
        {"Deep page", 2, "setup/deep.htm", 11, "#hash`\\setup/install/deep", "1004"},
        {"Reference", 0, "", 2, "", "1005"},
        {"Options <advanced>", 1, "ref/options.htm", 11, "options`\\setup", "1002"},
        {"Missing", 1, "ref/missing.htm", 11, "", "1006"},
        {"Second draft", 1, "$$unsavedpage2.htm", 11, "", "1007"},
        {"Appendix", 0, "appendix.htm", 5, "zebra/a//b", "1008"},
    };
    ASSERT_EQ(import.List.Count(), int(std::size(expected)));
    for (int i = 0; i < import.List.Count(); ++i) {
        SCOPED_TRACE(expected[i].topic);
        const TTitleList& entry = import.List.Item(i);
        EXPECT_EQ(entry.Topic, expected[i].topic);
        EXPECT_EQ(entry.Index, i);
        EXPECT_EQ(entry.Level, expected[i].level);
        EXPECT_EQ(entry.Url, expected[i].url);
        EXPECT_EQ(entry.Status, *expected[i].url ? TTitleList::StatusPage : TTitleList::StatusNoPage);
        EXPECT_EQ(entry.Icon, expected[i].icon);
        EXPECT_EQ(entry.Keywords, expected[i].keywords);
        EXPECT_EQ(entry.ContextNumber, expected[i].context);
    }
}

// Titles in the help's code page, file names in UTF-8, in the same files.
TEST(RoundTripTest, ChineseProjectReadsBackInItsCodePage)
{
    TCHMDecompile import;
    import.LoadFromHHP(QStringLiteral(QUORIX_TEST_DATA_DIR "/output/chinese/help.hhp"));
    EXPECT_EQ(import.LangID, "0x0804");
    EXPECT_EQ(import.CodePage, 936);
    EXPECT_EQ(import.Title, QStringLiteral("Manual \"\u624B\u518C\""));
    EXPECT_EQ(import.DefaultPage, QStringLiteral("\u7B80\u4ECB.htm"));
    struct Expected {
        QString topic;
        int level;
        QString url;
        QString keywords;
        const char* context;
    };
    const Expected expected[] = {
        {QStringLiteral("\u7B80\u4ECB"), 0, QStringLiteral("\u7B80\u4ECB.htm"),
         QStringLiteral("\u5B89\u88C5/\u6B65\u9AA4`\\\u5F00\u59CB"), "100"},
        {QStringLiteral("\u5B89\u88C5 & \u8BBE\u7F6E"), 1, QStringLiteral("\u5B89\u88C5/\u8BBE\u7F6E.htm"),
         QStringLiteral("\u5B89\u88C5/\u914D\u7F6E#s2"), "1000"},
        {QStringLiteral("\u764C\u75C7 \u00A9"), 0, QStringLiteral("cancer.htm"), QStringLiteral("\u764C"), "1001"},
    };
    ASSERT_EQ(import.List.Count(), int(std::size(expected)));
    for (int i = 0; i < import.List.Count(); ++i) {
        SCOPED_TRACE(i);
        const TTitleList& entry = import.List.Item(i);
        EXPECT_EQ(entry.Topic, expected[i].topic);
        EXPECT_EQ(entry.Level, expected[i].level);
        EXPECT_EQ(entry.Url, expected[i].url);
        EXPECT_EQ(entry.Keywords, expected[i].keywords);
        EXPECT_EQ(entry.ContextNumber, expected[i].context);
    }
}

} // namespace
