#include "FontDescription.h"
#include "TextUtils.h"

#include <QRandomGenerator>
#include <gtest/gtest.h>

namespace {

// The similarity walk exactly as described, one step at a time, to check the
// faster walk against.
bool referenceSimilar(const QString& a, const QString& b)
{
    const QString x = a.toLower();
    const QString y = b.toLower();
    if (x == y)
        return true;
    if (x.size() < 5 || y.size() < 5 || qAbs(x.size() - y.size()) > 50)
        return false;
    const QString& s = x.size() <= y.size() ? x : y;
    const QString& t = x.size() <= y.size() ? y : x;
    qsizetype p = 0, k = 0, r = -1, run = 0, total = 0;
    while (p < s.size()) {
        if (k < t.size() && s[p] == t[k]) {
            ++run;
            ++p;
            r = k + 1;
            if (p >= s.size())
                break;
        } else {
            if (run > 2)
                total += run;
            run = 0;
        }
        ++k;
        if (k >= t.size()) {
            ++p;
            k = r < 0 ? 0 : r;
        }
    }
    if (run > 2)
        total += run;
    return double(total) / double(s.size()) > 0.8;
}

} // namespace

TEST(SplitAndTrim, KeepsTheLastPieceAndTrimsEach)
{
    EXPECT_EQ(SplitAndTrim("a, b ,\tc", ","), (QStringList{"a", "b", "c"}));
    EXPECT_EQ(SplitAndTrim("a,b,", ","), (QStringList{"a", "b", ""}));
    EXPECT_EQ(SplitAndTrim("", ","), QStringList());
    EXPECT_EQ(SplitAndTrim(" x ", ","), QStringList{"x"});
    EXPECT_EQ(SplitAndTrim("a::b", "::"), (QStringList{"a", "b"}));
    EXPECT_EQ(SplitAndTrim(" a ", ""), QStringList{"a"});
}

TEST(FirstNumber, ReadsTheFirstRunOfDigits)
{
    EXPECT_EQ(FirstNumber("16.0.5"), 16);
    EXPECT_EQ(FirstNumber("Word 2010 (14)"), 2010);
    EXPECT_EQ(FirstNumber("none"), 0);
    EXPECT_EQ(FirstNumber(""), 0);
    EXPECT_EQ(FirstNumber("x99999999999999999999"), INT_MAX);
}

TEST(IsSimilarText, FindsTheSameTitleWithSmallChanges)
{
    struct Case {
        const char* a;
        const char* b;
        bool expected;
    } const cases[] = {
        {"Chapter 1 Intro", "Chapter 2 Intro", true},
        {"abcd", "abcd", true},
        {"abcd", "abce", false},
        {"ABCDE", "abcde", true},
        {"Home | Contents | Index", "Home | Contents | Index | Search", true},  // contained
        {"abcdefghij", "klmnopqrst", false},
        {"", "", true},
        {"", "abcdef", false},
        {"Previous page Next page", "Previous page  Next page", true},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(IsSimilarText(QString::fromUtf8(c.a), QString::fromUtf8(c.b)), c.expected) << c.a << " / " << c.b;
        EXPECT_EQ(referenceSimilar(QString::fromUtf8(c.a), QString::fromUtf8(c.b)), c.expected) << c.a;
    }
    EXPECT_FALSE(IsSimilarText(QString(10, u'a'), QString(61, u'a')));
}

TEST(IsSimilarText, AgreesWithTheStepByStepWalk)
{
    QRandomGenerator random(20240611);
    for (int i = 0; i < 20000; ++i) {
        const auto make = [&] {
            QString text;
            const int size = random.bounded(3, 40);
            for (int j = 0; j < size; ++j)
                text += QChar(u'a' + random.bounded(4));
            return text;
        };
        QString a = make();
        QString b = random.bounded(2) ? make() : a;
        // Small edits of the same text make similar and dissimilar pairs.
        for (int edits = random.bounded(4); edits > 0 && !b.isEmpty(); --edits)
            b[random.bounded(int(b.size()))] = QChar(u'a' + random.bounded(5));
        ASSERT_EQ(IsSimilarText(a, b), referenceSimilar(a, b)) << a.toStdString() << " / " << b.toStdString();
    }
}

TEST(IsSimilarText, LongDissimilarTextsTakeLinearTime)
{
    const QString a(2000000, u'a');
    const QString b = QString(2000000, u'b') + "x";
    EXPECT_FALSE(IsSimilarText(a, b));
}

TEST(FontDescription, RoundTripsFonts)
{
    TFont font;
    font.Name = "Arial";
    font.Size = 10;
    font.Color = 255;
    font.Bold = true;
    font.StrikeOut = true;
    EXPECT_EQ(FontToString(font), "Arial,10,255,[BS]");
    TFont read;
    StringToFont("Arial,10,255,[BS]", read);
    EXPECT_EQ(read, font);

    TFont plain;
    plain.Name = "Courier New";
    plain.Size = 9;
    EXPECT_EQ(FontToString(plain), "Courier New,9,0,[]");

    StringToFont("Times,12,0,[IU]", read);
    EXPECT_EQ(read.Name, "Times");
    EXPECT_TRUE(read.Italic && read.Underline);
    EXPECT_FALSE(read.Bold || read.StrikeOut);
}

TEST(FontDescription, MalformedTextLeavesTheFontUnchanged)
{
    TFont font;
    font.Name = "Arial";
    font.Size = 10;
    const TFont before = font;
    for (const char* text : {"Arial,10,0", "Arial,10,0,[B],x", "Arial,ten,0,[B]", "Arial,10,,[B]", ""}) {
        StringToFont(text, font);
        EXPECT_EQ(font, before) << text;
    }
}
