#include "Entities.h"
#include "TextTestSupport.h"

#include <QSet>

#include <gtest/gtest.h>

TEST(EntityTable, HoldsHtml401WithoutUmlAndEuroPlusTheAliases)
{
    const QStringList& table = EntityTable();
    EXPECT_EQ(table.size(), 263);
    QSet<QString> names;
    for (const QString& entry : table) {
        const QStringList parts = entry.split(u':');
        ASSERT_EQ(parts.size(), 2) << entry.toStdString();
        names.insert(parts[0]);
    }
    EXPECT_EQ(names.size(), 263) << "names are unique";
    EXPECT_FALSE(names.contains("uml"));
    EXPECT_FALSE(names.contains("euro"));

    struct Code {
        const char* name;
        int code;
    } const codes[] = {
        {"amp", 38},      {"nbsp", 32},    {"NBSP", 32},   {"copy", 169},    {"yuml", 255},   {"Yuml", 376},
        {"fnof", 402},    {"Omega", 937},  {"thetasym", 977}, {"alefsym", 8501}, {"hArr", 8660}, {"sdot", 8901},
        {"diams", 9830},  {"rsaquo", 8250}, {"die", 168},   {"um", 168},      {"Dstrok", 272}, {"dstrok", 273},
        {"hibar", 175},   {"brkbar", 166}, {"lang", 9001}, {"image", 8465},  {"weierp", 8472}, {"Amp", -1},
    };
    for (const Code& c : codes)
        EXPECT_EQ(EntityCode(c.name), c.code) << c.name;
}

TEST(EncodeEntities, WritesTheFiveMarkupCharacters)
{
    EXPECT_EQ(EncodeEntities(u8("a&b \"c\" <d> © é")), u8("a&amp;b &quot;c&quot; &lt;d&gt; &copy; é"));
    EXPECT_EQ(EncodeEntities(""), "");
}

TEST(DecodeEntities, DecodesNamedAndDecimalReferences)
{
    const TextCase cases[] = {
        {"AT&T", "AT&T"},
        {"&lt;b&gt;", "<b>"},
        {"&#65;&#66", "AB"},
        {"&#x41;", "&#x41;"},
        {"&nbsp;", " "},
        {"&Amp;", "&Amp;"},
        {"&copy2020", "©2020"},
        {"&amp;amp;", "&amp;"},
        {"a & b", "a & b"},
        {"&;", "&;"},
        {"&#;", "&#;"},
        {"&#", "&#"},
        {"&", "&"},
        {"&&lt;", "&<"},
        {"&#65&#66;", "&#65B"},             // an "&" inside a reference copies it unchanged
        {"&#65x", "Ax"},
        {"&#0;", "\xEF\xBF\xBD"},
        {"&#55357;", "\xEF\xBF\xBD"},       // a lone surrogate is no character
        {"&#128512;", "😀"},
        {"&#99999999999999999999;", "\xEF\xBF\xBD"},
        {"&abcdefghijkl;", "&abcdefghijkl;"},
        {"&lt;;", "<;"},                    // only the one ";" after a decoded name goes
        {"&euro;", "&euro;"},
        {"&uml;", "¨l;"},
    };
    for (const TextCase& c : cases)
        EXPECT_EQ(DecodeEntities(u8(c.input)), u8(c.expected)) << c.input;
}

TEST(DecodeEntities, PrefersTheLongerNameThatEndsWithSemicolon)
{
    const TextCase cases[] = {
        {"&notin;", "∉"},   {"&not;", "¬"},     {"&notit;", "¬it;"}, {"&notin", "¬in"},
        {"&sup2;", "²"},    {"&sup;", "⊃"},     {"&ordm;", "º"},     {"&sigmaf;", "ς"},
        {"&thetasym;", "ϑ"}, {"&piv; x", "ϖ x"}, {"&sube;", "⊆"},
    };
    for (const TextCase& c : cases)
        EXPECT_EQ(DecodeEntities(u8(c.input)), u8(c.expected)) << c.input;
}

TEST(LooksEntityEncoded, NeedsTwoTerminatorsAndNoHighCharacters)
{
    struct Case {
        const char* text;
        bool expected;
    } const cases[] = {
        {"&#196;&#197;", true},
        {"&#196;", false},
        {"Hello World Again", true},        // spaces count as terminators
        {"&abcdefgh", false},               // one over-long run counts once
        {"&abcdefg&abcdefg", true},
        {"caf\xC3\xA9 au lait", false},
        {"&\xC3\xA9; x", true},             // inside a reference anything goes
        {"", false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(LooksEntityEncoded(u8(c.text)), c.expected) << c.text;
}
