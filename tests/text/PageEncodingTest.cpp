// Pages saved in the encoding they were read in: the bytes an author did not
// touch stay as they were, whatever the page declares or leaves undeclared.
#include "PageFiles.h"

#include <gtest/gtest.h>

namespace {

const QByteArray Utf8Mark = "\xEF\xBB\xBF";

QByteArray declared(const QByteArray& charset, const QByteArray& body)
{
    return "<html><head><meta http-equiv=\"Content-Type\" content=\"text/html; charset=" + charset
        + "\">\r\n<title>T</title></head><body>" + body + "</body></html>\r\n";
}

QByteArray undeclared(const QByteArray& body)
{
    return "<html><head><title>T</title></head><body>" + body + "</body></html>";
}

TEST(PageEncoding, PagesReadAndWrittenAgainKeepTheirBytes)
{
    struct Case {
        const char* label;
        QByteArray bytes;
        TPageEncoding expected;
    };
    const Case cases[] = {
        {"gb2312", declared("gb2312", "\xD6\xD0\xCE\xC4 text"), {936, false}},
        {"windows-1252", declared("windows-1252", "\x93" "Caf\xE9\x94 \x80"), {1252, false}},
        {"UTF-8 with mark", Utf8Mark + declared("utf-8", "中文 é"), {EncodingUtf8, true}},
        {"UTF-8 declared, no mark", declared("utf-8", "中文 é"), {EncodingUtf8, false}},
        {"UTF-8 undeclared, no mark", undeclared("中文 é"), {EncodingUtf8, false}},
        {"UTF-8 mark, undeclared", Utf8Mark + undeclared("中文"), {EncodingUtf8, true}},
        {"UTF-16 with mark", QByteArray("\xFF\xFE<\0h\0>\0\xE9\0", 10), {EncodingUtf16, true}},
        {"plain ASCII", undeclared("plain"), {EncodingAnsi, false}},
        {"undeclared ANSI", undeclared("Caf\xE9"), {EncodingAnsi, false}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        const TPageEncoding encoding = PageEncodingOf(c.bytes);
        EXPECT_EQ(encoding.Type, c.expected.Type);
        EXPECT_EQ(encoding.Mark, c.expected.Mark);
        bool widened = true;
        EXPECT_EQ(EncodePage(DecodeTextBytes(c.bytes), encoding, &widened), c.bytes);
        EXPECT_FALSE(widened);
    }
}

// Characters the page's code page lacks are never lost: the page becomes
// UTF-8 with mark and says so in its declaration, and the caller is told.
TEST(PageEncoding, TextBeyondTheCodePageWidensToUtf8)
{
    struct Case {
        const char* label;
        QByteArray bytes;
        QString added;
        QByteArray saved;
    };
    const Case cases[] = {
        {"windows-1252 gets Chinese", declared("windows-1252", "Caf\xE9"), QStringLiteral("中文"),
         Utf8Mark + declared("utf-8", "Café中文")},
        {"gb2312 gets Thai", declared("gb2312", "\xD6\xD0"), QStringLiteral("ไทย"), Utf8Mark + declared("utf-8", "中ไทย")},
        {"undeclared ANSI gets Chinese", undeclared("Caf\xE9"), QStringLiteral("中"), Utf8Mark + undeclared("Café中")},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        const TPageEncoding encoding = PageEncodingOf(c.bytes);
        QString text = DecodeTextBytes(c.bytes);
        text.insert(text.indexOf(QStringLiteral("</body>")), c.added);
        bool widened = false;
        const QByteArray saved = EncodePage(text, encoding, &widened);
        EXPECT_TRUE(widened);
        EXPECT_EQ(saved, c.saved);
        EXPECT_TRUE(DecodeTextBytes(saved).contains(c.added));
    }
}

TEST(PageEncoding, ReadPageFileTellsHowTheFileIsStored)
{
    TPageEncoding encoding{EncodingUtf16, true};
    QString error;
    EXPECT_TRUE(ReadPageFile(QStringLiteral("/nonexistent/page.htm"), encoding, &error).isEmpty());
    EXPECT_TRUE(error.isEmpty()) << "a missing page is no error";
    EXPECT_EQ(encoding.Type, EncodingAnsi);
    EXPECT_FALSE(encoding.Mark);
}

} // namespace
