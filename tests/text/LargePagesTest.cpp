#include "Entities.h"
#include "HtmlCleanup.h"
#include "PageFiles.h"
#include "PageParts.h"

#include <QElapsedTimer>
#include <functional>
#include <gtest/gtest.h>

namespace {

// About 10 MB of the patterns that make naive scanners quadratic: tags that
// never close, closing tags that match nothing, references that never end,
// markers without their partners.
QString hostilePage()
{
    const char* patterns[] = {
        "<a ",         "<b></c>",        "&amp",           "&#1234",     "<title>",
        "<body",       "<!--[if x]>",    "<![if !x]>",     "<font >",    "<td style=\"COLOR: \">",
        "@page{:url(", "charset=",       "<style>",        "</style",    "<h1>",
        "<a name=x ",  "&notin",         "<head>",
    };
    QString page = QStringLiteral("<meta name=ProgId content=Word.Document>");
    const qsizetype share = 10'000'000 / qsizetype(std::size(patterns));
    for (const char* pattern : patterns) {
        const QString piece = QString::fromLatin1(pattern);
        const qsizetype until = page.size() + share;
        while (page.size() < until)
            page += piece;
    }
    return page;
}

} // namespace

TEST(LargePages, EveryRoutineFinishesOnATenMegabytePage)
{
    const QString page = hostilePage();
    ASSERT_GE(page.size(), 9'000'000);
    const std::pair<const char*, std::function<void()>> routines[] = {
        {"GetTitle", [&] { GetTitle(page); }},
        {"SetTitle", [&] { SetTitle(page, "t"); }},
        {"GetBody", [&] { GetBody(page); }},
        {"GetHead", [&] { GetHead(page); }},
        {"GetH1Title", [&] { GetH1Title(page); }},
        {"GetCharset", [&] { GetCharset(page); }},
        {"SetCharset", [&] { SetCharset(page, "utf-8"); }},
        {"FindTag", [&] { FindTag(page, "style"); }},
        {"GetBookmarkNames", [&] { GetBookmarkNames(page); }},
        {"ExtractHeadStyles", [&] { ExtractHeadStyles(page); }},
        {"CleanWordHtml", [&] { CleanWordHtml(page); }},
        {"CleanEditorHtml", [&] { CleanEditorHtml(page); }},
        {"CollapseTagSpaces", [&] { CollapseTagSpaces(page.left(100000), "font"); }},
        {"RemoveBetween", [&] { RemoveBetween(page, "<b>", "</c>"); }},
        {"RemoveBetweenText", [&] { RemoveBetweenText(page, "<TITLE>", "<A ", "x"); }},
        {"DecodeEntities", [&] { DecodeEntities(page); }},
        {"LooksEntityEncoded", [&] { LooksEntityEncoded(page); }},
        {"GetAttribute", [&] { GetAttribute(page, "name"); }},
        {"DecodeTextBytes", [&] { DecodeTextBytes(page.toUtf8()); }},
    };
    for (const auto& [name, routine] : routines) {
        QElapsedTimer timer;
        timer.start();
        routine();
        // Linear work on 10 MB takes well under a second; quadratic work would
        // take days. The bound leaves room for a loaded machine.
        EXPECT_LT(timer.elapsed(), 20000) << name;
    }
}
