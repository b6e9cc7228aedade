// Pages in the charsets they declare: how declarations are read, and what a
// page saved in another charset than it declares says about itself.
#include "CodePages.h"
#include "PageFiles.h"
#include "PageParts.h"

#include <QBuffer>
#include <gtest/gtest.h>

namespace {

QByteArray page(const QByteArray& charset, const QByteArray& body)
{
    QByteArray head = "<html><head>";
    if (!charset.isEmpty())
        head += "<meta http-equiv=\"Content-Type\" content=\"text/html; charset=" + charset + "\">";
    return head + "<title>T</title></head><body>" + body + "</body></html>";
}

QString pageText(const char* charset, const QString& body)
{
    return QString::fromUtf8(page(charset, "($body$)")).replace(QStringLiteral("($body$)"), body);
}

const QByteArray Utf8Mark = "\xEF\xBB\xBF";

TEST(PageCharsets, LatinAndAsciiDeclarationsAreReadAsWindows1252)
{
    // Curly quotes, euro sign and dash: bytes 0x80-0x9F, control characters in ISO-8859-1.
    const QByteArray bytes = "\x93" "Caf\xE9\x94 \x80 5 \x97 x";
    const QString expected = QString::fromUtf8("“Café” € 5 — x");
    for (const char* charset : {"iso-8859-1", "ISO-8859-1", "iso_8859-1:1987", "iso8859-1", "iso-ir-100", "latin1",
             "l1", "us-ascii", "ascii", "cp1252", "x-cp1252", "iso88591", "windows-1252"}) {
        SCOPED_TRACE(charset);
        const QString text = DecodeTextBytes(page(charset, bytes));
        EXPECT_TRUE(text.contains("<body>" + expected + "</body>")) << text.toStdString();
        EXPECT_EQ(GetEncodingType(text), 1252);
    }
}

TEST(PageCharsets, PagesAreSavedInTheirCharsetWhenItHoldsTheirText)
{
    struct Case {
        const char* charset;
        const char* body;
        QByteArray bytes;
    };
    const Case cases[] = {
        {"iso-8859-1", "“Café” € —", "\x93" "Caf\xE9\x94 \x80 \x97"},
        {"us-ascii", "‘a’ €", "\x91" "a\x92 \x80"},
        {"windows-1252", "“€”", "\x93\x80\x94"},
        {"gb2312", "中文", "\xD6\xD0\xCE\xC4"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.charset);
        const QString html = pageText(c.charset, QString::fromUtf8(c.body));
        const QByteArray saved = EncodeHtml(html);
        EXPECT_EQ(saved, page(c.charset, c.bytes));
        EXPECT_EQ(DecodeTextBytes(saved), html);
    }
}

TEST(PageCharsets, PageSavedAsUtf8AfterAllDeclaresUtf8)
{
    struct Case {
        const char* label;
        QString html;
        QString savedText; // what the saved bytes hold after the mark
    };
    const QString mixed = QString::fromUtf8("中文 “é” €");
    const QString thai = QString::fromUtf8("中文 ไทย");
    const Case cases[] = {
        {"iso-8859-1 lacks Chinese", pageText("iso-8859-1", mixed), pageText("utf-8", mixed)},
        {"gb2312 lacks Thai", pageText("GB2312", thai), pageText("utf-8", thai)},
        {"shift_jis lacks é", pageText("shift_jis", mixed), pageText("utf-8", mixed)},
        {"windows-1250 lacks Chinese", pageText("windows-1250", mixed), pageText("utf-8", mixed)},
        // The declaration as an output writes it (the HTML Help output
        // charset of a Western system).
        {"output charset", SetCharset(pageText("utf-8", mixed), CharsetForCodePage(1252)), pageText("utf-8", mixed)},
        // No declaration to mend: the mark says it all.
        {"undeclared", pageText("", mixed), pageText("", mixed)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        const QByteArray saved = EncodeHtml(c.html);
        EXPECT_EQ(saved, Utf8Mark + c.savedText.toUtf8());
        EXPECT_EQ(DecodeTextBytes(saved), c.savedText);

        QBuffer buffer;
        buffer.open(QIODevice::ReadWrite);
        SaveHtmlToStream(c.html, &buffer);
        EXPECT_EQ(buffer.data(), saved);
    }
}

} // namespace
