#include "Languages.h"

#include <QLocale>
#include <QRegularExpression>
#include <QSet>

#include <gtest/gtest.h>

#include <map>

namespace {

struct LanguageRow {
    int index;
    const char* id;
    const char* name;
    int codePage;
    const char* dictionary;
};

TEST(LanguagesTest, TableHoldsTheLanguagesInDialogOrder)
{
    const TLanguages& table = LanguageTable();
    ASSERT_EQ(table.GetCount(), 122);

    const LanguageRow rows[] = {
        {0, "0x0436", "Afrikaans", 1252, "en_US"},
        {1, "0x041C", "Albanian", 1250, "en_US"},
        {2, "0x0001", "Arabic", 1256, "en_US"},
        {23, "0x0004", "Chinese", 936, "en_US"},
        {24, "0x0404", "Chinese (Taiwan)", 950, "en_US"},
        {26, "0x0C04", "Chinese (Hong Kong SAR)", 950, "en_US"},
        {34, "0x0409", "English (United States)", 1252, "en_US"},
        {35, "0x0809", "English (United Kingdom)", 1252, "en_GB"},
        {46, "0x0429", "Farsi", 1256, "en_US"},
        {49, "0x080C", "French (Belgium)", 1252, "fr_FR"},
        {58, "0x1407", "German (Liechtenstein)", 1252, "de_DE"},
        {59, "0x0408", "Greek", 1253, "en_US"},
        {60, "0x040D", "Hebrew", 1255, "en_US"},
        {65, "0x0810", "Italian (Switzerland)", 1252, "it_IT"},
        {66, "0x0411", "Japanese", 932, "en_US"},
        {67, "0x0412", "Korean", 949, "en_US"},
        {69, "0x0427", "Lithuanian", 1257, "en_US"},
        {75, "0x0814", "Norwegian (Nynorsk)", 1252, "en_US"},
        {84, "0x0C1A", "Serbian (Cyrillic)", 1251, "en_US"},
        {85, "0x081A", "Serbian (Latin)", 1252, "en_US"},
        {89, "0x040A", "Spanish (Traditional Sort)", 1252, "es_ES"},
        {108, "0x500A", "Spanish (Puerto Rico)", 1252, "es_ES"},
        {112, "0x041E", "Thai", 874, "en_US"},
        {115, "0x041F", "Turkish", 1254, "en_US"},
        {118, "0x042A", "Vietnamese", 1258, "en_US"},
        {121, "0x0435", "Zulu", 1252, "en_US"},
    };
    for (const LanguageRow& row : rows) {
        SCOPED_TRACE(row.name);
        const TLanguage& language = table.GetItem(row.index);
        EXPECT_EQ(language.Id, QLatin1String(row.id));
        EXPECT_EQ(language.Name, QLatin1String(row.name));
        EXPECT_EQ(language.CodePage, row.codePage);
        EXPECT_EQ(language.Dictionary, QLatin1String(row.dictionary));
    }
}

TEST(LanguagesTest, EveryCodePageAndDictionaryGroupIsComplete)
{
    std::map<int, int> perCodePage;
    std::map<QString, int> perDictionary;
    const TLanguages& table = LanguageTable();
    for (const TLanguage& language : table.Languages) {
        ++perCodePage[language.CodePage];
        ++perDictionary[language.Dictionary];
    }
    const std::map<int, int> expectedCodePages = {
        {874, 1}, {932, 1}, {936, 3}, {949, 1}, {950, 2}, {1250, 9}, {1251, 8},
        {1252, 70}, {1253, 1}, {1254, 2}, {1255, 1}, {1256, 19}, {1257, 3}, {1258, 1},
    };
    EXPECT_EQ(perCodePage, expectedCodePages);
    const std::map<QString, int> expectedDictionaries = {
        {"de_DE", 5}, {"en_GB", 1}, {"en_US", 85}, {"es_ES", 20},
        {"fr_FR", 5}, {"it_IT", 2}, {"pt_PT", 2}, {"ru_RU", 2},
    };
    EXPECT_EQ(perDictionary, expectedDictionaries);
}

TEST(LanguagesTest, IdentifiersAreUniqueAndWellFormed)
{
    const QRegularExpression form(QStringLiteral("^0x[0-9A-F]{4}$"));
    QSet<QString> seen;
    for (const TLanguage& language : LanguageTable().Languages) {
        EXPECT_TRUE(form.match(language.Id).hasMatch()) << language.Id.toStdString();
        EXPECT_FALSE(seen.contains(language.Id)) << language.Id.toStdString();
        seen.insert(language.Id);
        // Fields are trimmed when the table is built.
        EXPECT_EQ(language.Name, language.Name.trimmed());
    }
}

TEST(LanguagesTest, LookupsIgnoreCaseAndReportUnknownIdentifiers)
{
    const TLanguages& table = LanguageTable();
    EXPECT_EQ(table.GetCodepageById("0x0804"), 936);
    EXPECT_EQ(table.GetCodepageById("0x0c04"), 950);
    EXPECT_EQ(table.GetIndexById("0X041e"), 112);
    EXPECT_EQ(table.GetNameById("0x0c1a"), "Serbian (Cyrillic)");
    EXPECT_EQ(table.GetDictionaryById("0x0809"), "en_GB");

    for (const char* unknown : {"0x9999", "", "0x409", "English"}) {
        SCOPED_TRACE(unknown);
        EXPECT_EQ(table.GetIndexById(unknown), -1);
        EXPECT_EQ(table.GetCodepageById(unknown), 0);
        EXPECT_TRUE(table.GetNameById(unknown).isEmpty());
        EXPECT_TRUE(table.GetDictionaryById(unknown).isEmpty());
    }
    EXPECT_THROW(table.GetItem(122), std::out_of_range);
    EXPECT_THROW(table.GetItem(-1), std::out_of_range);
}

TEST(LanguagesTest, NameToStringListsAppendsNamesInTableOrder)
{
    QStringList names{QStringLiteral("kept")};
    LanguageTable().NameToStringLists(names);
    ASSERT_EQ(names.size(), 123);
    EXPECT_EQ(names.at(0), "kept");
    EXPECT_EQ(names.at(1), "Afrikaans");
    EXPECT_EQ(names.at(35), "English (United States)");
    EXPECT_EQ(names.last(), "Zulu");
}

class SystemLanguageTest : public ::testing::Test {
protected:
    void TearDown() override { QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates)); }
};

TEST_F(SystemLanguageTest, LocaleChoosesLanguageAndAnsiCodePage)
{
    struct Case {
        const char* locale;
        const char* id;
        int codePage;
    };
    const Case cases[] = {
        {"en_US", "0x0409", 1252},
        {"zh_CN", "0x0804", 936},
        {"zh_TW", "0x0404", 950},
        {"de_CH", "0x0807", 1252},
        {"ja_JP", "0x0411", 932},
        {"ar_EG", "0x0C01", 1256},
        {"ru_RU", "0x0419", 1251},
        {"nb_NO", "0x0414", 1252},
        {"nn_NO", "0x0814", 1252},
        // Spain's locale is the international sort.
        {"es_ES", "0x0C0A", 1252},
        {"sr_Latn_RS", "0x081A", 1252},
        {"sr_Cyrl_RS", "0x0C1A", 1251},
        // A territory the table lacks: same script first, then the language.
        {"zh_Hant_MO", "0x0404", 950},
        {"en_IN", "0x0009", 1252},
        {"de_BE", "0x0407", 1252},
        // A language the table lacks.
        {"sw_KE", "0x0409", 1252},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.locale);
        QLocale::setDefault(QLocale(QString::fromLatin1(c.locale)));
        EXPECT_EQ(SystemLanguageId(), QLatin1String(c.id));
        EXPECT_EQ(SystemAnsiCodePage(), c.codePage);
    }
}

TEST_F(SystemLanguageTest, CLocaleMatchesNothing)
{
    QLocale::setDefault(QLocale::c());
    EXPECT_EQ(SystemLanguageId(), "0x0409");
    EXPECT_EQ(SystemAnsiCodePage(), 1252);
}

} // namespace
