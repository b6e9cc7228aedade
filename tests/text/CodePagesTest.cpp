#include "CodePages.h"

#include "Languages.h"

#include <QLocale>

#include <gtest/gtest.h>

#include <algorithm>
#include <thread>
#include <vector>

namespace {

QString utf8(const char* text)
{
    return QString::fromUtf8(text);
}

std::string hex(const QByteArray& bytes)
{
    return bytes.toHex(' ').toUpper().toStdString();
}

std::string codePoints(const QString& text)
{
    std::string out;
    for (const QChar c : text)
        out += QString::number(c.unicode(), 16).rightJustified(4, QLatin1Char('0')).toUpper().toStdString() + ' ';
    return out;
}

TEST(CharsetAliasTest, TableKeepsLookupOrder)
{
    const std::vector<TCharsetAlias>& table = CharsetAliasTable();
    ASSERT_EQ(table.size(), 150u);
    struct Row {
        size_t index;
        const char* name;
        int codePage;
    };
    const Row rows[] = {
        {0, "ANSI_X3.4-1968", 1252},
        {4, "ASMO-708", 708},
        {33, "csWindows31J", 932},
        {66, "ISO-8859-8 Visual", 28598},
        {67, "iso-8859-8-i", 38598},
        {126, "windows-1250", 1250},
        {130, "Windows-1254", 1254},
        {143, "x-user-defined", 50000},
        {149, "_iso-2022-jp$SIO", 50222},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(table[row.index].Name, QLatin1String(row.name));
        EXPECT_EQ(table[row.index].CodePage, row.codePage);
    }
}

TEST(CharsetAliasTest, LookupIgnoresCaseAndTakesTheFirstMatch)
{
    struct Case {
        const char* name;
        int codePage;
    };
    const Case cases[] = {
        {"UTF-8", 65001},
        {"Shift_JIS", 932},
        {"SHIFT-JIS", 932},
        {"koi8-u", 0},
        {"koi8-ru", 21866},
        // ISO-8859-1 and ASCII under any name are windows-1252, as in browsers.
        {"iso-8859-1", 1252},
        {"ISO_8859-1:1987", 1252},
        {"iso-ir-100", 1252},
        {"latin1", 1252},
        {"us-ascii", 1252},
        {"cp1252", 1252},
        {"X-CP1252", 1252},
        {"iso88591", 1252},
        {"ISO-8859-9", 1254},
        {"gb2312", 936},
        {" gb2312 ", 936},
        {"big5", 950},
        {"ks_c_5601-1987", 949},
        {"EUC-JP", 20932},
        {"x-euc-jp", 51932},
        {"hz-gb-2312", 52936},
        {"iso-2022-jp", 50220},
        {"csISO2022JP", 50221},
        {"_autodetect_all", 50001},
        {"_AUTODETECT", 50932},
        {"ISO-8859-8 visual", 28598},
        {"unicode", 0},
        {"", 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(CodePageForCharset(QString::fromLatin1(c.name)), c.codePage);
    }
}

TEST(CharsetAliasTest, EveryCodePageTheTablesNameHasItsOwnConverter)
{
    for (const TCharsetAlias& alias : CharsetAliasTable())
        EXPECT_TRUE(CodePageAvailable(alias.CodePage)) << alias.Name.toStdString() << " " << alias.CodePage;
    for (const TLanguage& language : LanguageTable().Languages)
        EXPECT_TRUE(CodePageAvailable(language.CodePage)) << language.Name.toStdString();
    EXPECT_FALSE(CodePageAvailable(12345));
    EXPECT_FALSE(CodePageAvailable(-1));
}

TEST(CodePageNamesTest, CharsetAndFontCharsetPerCodePage)
{
    struct Case {
        int codePage;
        const char* charset;
        const char* fontCharset;
    };
    const Case cases[] = {
        {874, "Windows-874", "222"},   {932, "shift_jis", "128"},      {936, "gb2312", "134"},
        {949, "euc-kr", "129"},        {950, "big5", "136"},           {1250, "Windows-1250", "238"},
        {1251, "Windows-1251", "204"}, {1252, "iso-8859-1", "0"},      {1253, "Windows-1253", "161"},
        {1254, "Windows-1254", "162"}, {1255, "Windows-1255", "177"},  {1256, "Windows-1256", "178"},
        {1257, "Windows-1257", "186"}, {1258, "Windows-1258", "163"},  {65001, "", "0"},
        {0, "", "0"},                  {28592, "", "0"},               {-5, "", "0"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.codePage);
        EXPECT_EQ(CharsetForCodePage(c.codePage), QLatin1String(c.charset));
        EXPECT_EQ(FontCharsetForCodePage(c.codePage), QLatin1String(c.fontCharset));
    }
}

TEST(CodePageConversionTest, TextAndBytesRoundTripWithWindowsMeaning)
{
    struct Case {
        int codePage;
        const char* text;
        const char* bytes;  // hexadecimal
    };
    const Case cases[] = {
        {932, "日本語のテキスト", "93FA967B8CEA82CC8365834C83588367"},
        {936, "中文简体", "D6D0CEC4BCF2CCE5"},
        {949, "한국어 텍스트", "C7D1B1B9BEEE20C5D8BDBAC6AE"},
        {950, "中文繁體", "A4A4A4E5C163C5E9"},
        {874, "ภาษาไทย", "C0D2C9D2E4B7C2"},
        {1250, "Łódź Žluťoučký", "A3F3649F208E6C759D6F75E86BFD"},
        {1251, "Привет мир", "CFF0E8E2E5F220ECE8F0"},
        {1252, "Café crème €", "436166E9206372E86D652080"},
        {1253, "Ωμέγα", "D9ECDDE3E1"},
        {1254, "İstanbul ğüş", "DD7374616E62756C20F0FCFE"},
        {1255, "שלום", "F9ECE5ED"},
        {1256, "عربي", "DAD1C8ED"},
        {1257, "Ąžuolas ēķ", "C0FE756F6C617320E7ED"},
        {1258, "Vi\u00EA\u0323t \u01A1\u01B0 \u0111", "5669EAF27420F5FD20F0"},  // decomposed tone mark
        {20866, "Привет", "F0D2C9D7C5D4"},
        {28592, "Łódź", "A3F364BC"},
        {65001, "中€😀", "E4B8ADE282ACF09F9880"},
        {1200, "A€", "4100AC20"},
        {1201, "A€", "004120AC"},
        {50000, "A", "41"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.codePage);
        const QString text = utf8(c.text);
        const QByteArray bytes = QByteArray::fromHex(c.bytes);
        EXPECT_EQ(hex(TextToAnsi(text, c.codePage)), hex(bytes));
        EXPECT_EQ(AnsiToText(bytes, c.codePage), text);
    }
}

TEST(CodePageConversionTest, StatefulAndSevenBitPagesRoundTrip)
{
    struct Case {
        int codePage;
        const char* text;
    };
    const Case cases[] = {
        {50220, "日本語 text"}, {50221, "日本語"}, {50222, "カナ"}, {50225, "한국어 text"},
        {51932, "日本語"},      {20932, "日本語"}, {52936, "中文 text"}, {65000, "Ünïcode 中"},
        {21866, "Україна"},     {720, "عربي"},     {866, "Привет"},      {852, "Łódź"},
        {862, "שלום"},          {28597, "Ωμέγα"},  {38598, "שלום"},      {20127, "plain"},
        {50932, "日本語"},      {50949, "한국어"}, {708, "عربي"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.codePage);
        const QString text = utf8(c.text);
        const QByteArray bytes = TextToAnsi(text, c.codePage);
        EXPECT_EQ(AnsiToText(bytes, c.codePage), text) << hex(bytes);
    }
    // The autodetect pages of one language read as that language's page.
    EXPECT_EQ(TextToAnsi(utf8("日本語"), 50932), TextToAnsi(utf8("日本語"), 932));
    EXPECT_EQ(TextToAnsi(utf8("한국어"), 50949), TextToAnsi(utf8("한국어"), 949));
}

TEST(CodePageConversionTest, HalfWidthKatakanaReadsInEveryIso2022JpForm)
{
    // ESC ( I katakana set, and SO/SI shifts.
    const QByteArray escapeForm = QByteArray::fromHex("1B28493132") + QByteArray::fromHex("1B2842");
    const QByteArray shiftForm = QByteArray::fromHex("0E31320F41");
    for (int codePage : {50220, 50221, 50222}) {
        SCOPED_TRACE(codePage);
        EXPECT_EQ(AnsiToText(escapeForm, codePage), utf8("ｱｲ"));
        EXPECT_EQ(AnsiToText(shiftForm, codePage), utf8("ｱｲA"));
    }
}

TEST(CodePageConversionTest, WindowsSingleBytePagesRoundTripEveryByte)
{
    for (int codePage : {874, 1250, 1251, 1252, 1253, 1254, 1255, 1256, 1257, 1258}) {
        SCOPED_TRACE(codePage);
        for (int byte = 0; byte < 256; ++byte) {
            const QByteArray in(1, static_cast<char>(byte));
            const QString text = AnsiToText(in, codePage);
            ASSERT_EQ(text.size(), 1) << byte;
            if (text.at(0) == QChar(0xFFFD))
                continue;  // a byte the page does not define outside 0x80-0x9F
            EXPECT_EQ(hex(TextToAnsi(text, codePage)), hex(in)) << codePoints(text);
        }
    }
}

TEST(CodePageConversionTest, UndefinedBytesReadLikeWindows)
{
    struct Case {
        int codePage;
        const char* bytes;
        const char16_t* text;
    };
    const Case cases[] = {
        // Undefined C1 bytes of the ANSI pages are the C1 controls.
        {1252, "818D8F909D", u"\u0081\u008D\u008F\u0090\u009D"},
        {1253, "81", u"\u0081"},
        {874, "81", u"\u0081"},
        // Any other undefined or invalid byte is U+FFFD, never U+001A.
        {1253, "41D242", u"A\uFFFDB"},
        {932, "80", u"\uFFFD"},
        {932, "4182", u"A\uFFFD"},
        {950, "A4", u"\uFFFD"},
        {65001, "61FF62", u"a\uFFFDb"},
        {65001, "C3", u"\uFFFD"},
        {20127, "E9", u"\uFFFD"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.bytes);
        EXPECT_EQ(codePoints(AnsiToText(QByteArray::fromHex(c.bytes), c.codePage)),
                  codePoints(QString::fromUtf16(c.text)));
    }
}

TEST(CodePageConversionTest, UnmappedCharactersBecomeQuestionMarks)
{
    struct Case {
        int codePage;
        const char16_t* text;
        const char* bytes;
    };
    const Case cases[] = {
        {1252, u"a中b", "613F62"},
        {1251, u"é", "3F"},
        {874, u"Ω", "3F"},
        {936, u"한", "3F"},
        {932, u"😀", "3F"},
        {20127, u"é", "3F"},
        {1252, u"x\xD800y", "783F79"},    // unpaired surrogate
        {1251, u"\u0081", "3F"},           // 0x81 is a letter in 1251
        {50000, u"é😀", "3F3F"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.codePage);
        EXPECT_EQ(hex(TextToAnsi(QString::fromUtf16(c.text), c.codePage)), hex(QByteArray::fromHex(c.bytes)));
    }
}

TEST(CodePageConversionTest, UserDefinedPageKeepsHighBytesInPrivateUse)
{
    QByteArray all;
    for (int byte = 0; byte < 256; ++byte)
        all.append(static_cast<char>(byte));
    const QString text = AnsiToText(all, 50000);
    ASSERT_EQ(text.size(), 256);
    EXPECT_EQ(text.at(0x41), QChar(u'A'));
    EXPECT_EQ(text.at(0x80), QChar(0xF780));
    EXPECT_EQ(text.at(0xFF), QChar(0xF7FF));
    EXPECT_EQ(TextToAnsi(text, 50000), all);
}

TEST(CodePageConversionTest, AutodetectAllRecognisesTheEncoding)
{
    const QString french = utf8("Le cœur de l'été : une fenêtre ouverte sur la mer, où l'écume "
                                "blanchit les rochers et où les enfants jouent près du château. ");
    const QString japanese = utf8("日本語の文章です。これは自動判別のための試験用の文章であり、"
                                  "ひらがなとカタカナと漢字を含んでいます。");
    struct Case {
        const char* what;
        QString text;
        QByteArray bytes;
    };
    const Case cases[] = {
        {"UTF-8", french + japanese, (french + japanese).toUtf8()},
        {"windows-1252", french, TextToAnsi(french, 1252)},
        {"Shift_JIS", japanese, TextToAnsi(japanese.repeated(3), 932)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const QString html = AnsiToText(QByteArray("<html><body><p>") + c.bytes + "</p></body></html>", 50001);
        EXPECT_TRUE(html.contains(c.text)) << html.toStdString();
    }
    EXPECT_EQ(TextToAnsi(utf8("中€"), 50001), utf8("中€").toUtf8());
    EXPECT_TRUE(AnsiToText(QByteArray(), 50001).isEmpty());
}

class SystemCodePageTest : public ::testing::Test {
protected:
    void TearDown() override { QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates)); }
};

TEST_F(SystemCodePageTest, ZeroAndUnknownPagesUseTheSystemAnsiCodePage)
{
    const QByteArray eAcute = QByteArray::fromHex("E9");
    EXPECT_EQ(AnsiToText(eAcute, 0), utf8("é"));
    EXPECT_EQ(AnsiToText(eAcute, 12345), utf8("é"));
    EXPECT_EQ(TextToAnsi(utf8("é"), 0), eAcute);

    QLocale::setDefault(QLocale(QLocale::Chinese, QLocale::China));
    const QByteArray zhong = QByteArray::fromHex("D6D0");
    EXPECT_EQ(AnsiToText(zhong, 0), utf8("中"));
    EXPECT_EQ(AnsiToText(zhong, 12345), utf8("中"));
    EXPECT_EQ(TextToAnsi(utf8("中"), 0), zhong);
    EXPECT_EQ(TextToAnsi(utf8("中"), 12345), zhong);
}

TEST(CodePageConversionTest, BytesTextTakesTheLowByteOfEachCharacter)
{
    EXPECT_EQ(BytesTextToText(QString::fromUtf16(u"\u00C7\u00E1"), 1256), QString::fromUtf16(u"\u0627\u0644"));
    // Higher bits are dropped: U+01C7 carries the byte 0xC7.
    EXPECT_EQ(BytesTextToText(QString::fromUtf16(u"\u01C7\u00E1 "), 1256), QString::fromUtf16(u"\u0627\u0644 "));
    EXPECT_EQ(BytesTextToText(QString::fromUtf16(u"\u00D6\u00D0"), 936), utf8("中"));
    EXPECT_TRUE(BytesTextToText(QString(), 1256).isEmpty());
}

TEST(CodePageConversionTest, LargeTextsConvertCompletely)
{
    // About 24 MB of bytes each way; output sizes differ from input sizes.
    const QString chunk = utf8("中文混合 text, 𠀀 rare; ");
    const QString text = chunk.repeated(1 << 20);
    const QByteArray gb = TextToAnsi(text, 54936);
    EXPECT_EQ(AnsiToText(gb, 54936), text);
    const QByteArray utf = TextToAnsi(text, 65001);
    EXPECT_EQ(utf, text.toUtf8());
    EXPECT_EQ(AnsiToText(utf, 65001), text);

    const QByteArray sjis = QByteArray::fromHex("93FA967B8CEA").repeated(4 << 20);
    const QString japanese = AnsiToText(sjis, 932);
    EXPECT_EQ(japanese.size(), 3 * (4 << 20));
    EXPECT_EQ(TextToAnsi(japanese, 932), sjis);
}

TEST(CodePageConversionTest, ConcurrentConversionsAgree)
{
    const int pages[] = {932, 936, 949, 950, 1250, 1251, 1256, 28592, 20866, 50220};
    const QString text = utf8("Mixed 中文 日本語 한국어 Łódź Привет عربي");
    std::vector<QByteArray> expected;
    for (int page : pages)
        expected.push_back(TextToAnsi(text, page));

    std::vector<int> failures(4, 0);
    std::vector<std::thread> threads;
    for (int t = 0; t < 4; ++t) {
        threads.emplace_back([&, t] {
            for (int round = 0; round < 200; ++round) {
                const size_t i = static_cast<size_t>(round + t) % std::size(pages);
                // Unseen pages force resolution while other threads convert.
                const int unseen = 30000 + t * 1000 + round;
                if (TextToAnsi(text, pages[i]) != expected[i] || AnsiToText(expected[i], pages[i]).isEmpty()
                    || CodePageAvailable(unseen))
                    ++failures[static_cast<size_t>(t)];
            }
        });
    }
    for (std::thread& thread : threads)
        thread.join();
    EXPECT_EQ(failures, std::vector<int>(4, 0));
}

TEST(DictionaryNamesTest, ListIsSortedWithoutCaseAndComplete)
{
    const QStringList& names = DictionaryDisplayNames();
    EXPECT_EQ(names.size(), 124);
    EXPECT_TRUE(std::is_sorted(names.begin(), names.end(), [](const QString& a, const QString& b) {
        return a.compare(b, Qt::CaseInsensitive) < 0;
    }));
    EXPECT_EQ(names.first(), "af_af:Afrikaans");
    EXPECT_EQ(names.last(), "zu_zu:Zulu");
    EXPECT_TRUE(names.contains("en_en:English (Caribbean)"));
}

TEST(DictionaryNamesTest, FolderNameGivesDisplayName)
{
    struct Case {
        const char* folder;
        const char* display;
    };
    const Case cases[] = {
        {"en_us", "English (United States)"},
        {"EN_US", "English (United States)"},
        {"rm_rm", "Rhaeto_Romanic"},
        {"bg_qa", "Bulgarian"},
        // Folders named twice resolve to the entry that sorts first.
        {"en_en", "English"},
        {"ko_ko", "Korean"},
        {"no_no", "Norwegian (Bokmal)"},
        {"sr_sr", "Serbian (Cyrillic)"},
        {"en", ""},
        {"xx_xx", ""},
        {"", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.folder);
        EXPECT_EQ(DictionaryDisplayName(QString::fromLatin1(c.folder)), QLatin1String(c.display));
    }
}

} // namespace
