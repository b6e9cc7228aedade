#include "TQrx.h"

#include <QLocale>
#include <gtest/gtest.h>

namespace {

// Sets the locale the project takes its defaults from, for one test.
class ScopedLocale {
public:
    explicit ScopedLocale(const QLocale& locale) { QLocale::setDefault(locale); }
    ~ScopedLocale() { QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates)); }
};

struct LanguageDefaults {
    QLocale::Language language;
    QLocale::Territory territory;
    const char* languageId;
    const char* dictionary;
    const char* outputEncoding;
    const char* font;
};

class TQrxLanguageDefaults : public testing::TestWithParam<LanguageDefaults> {};

TEST_P(TQrxLanguageDefaults, FollowTheSystemLanguage)
{
    const LanguageDefaults& c = GetParam();
    ScopedLocale locale(QLocale(c.language, c.territory));
    TQrx project;
    EXPECT_EQ(project.Language, QString::fromLatin1(c.languageId));
    EXPECT_EQ(project.Dictionary, QString::fromLatin1(c.dictionary));
    EXPECT_EQ(project.HtmlHelpOutputEncoding, QString::fromLatin1(c.outputEncoding));
    EXPECT_EQ(project.CHMSetting.ContentsFont, QString::fromLatin1(c.font));
    EXPECT_EQ(project.CHMSetting.IndexFont, project.CHMSetting.ContentsFont);
}

INSTANTIATE_TEST_SUITE_P(Systems, TQrxLanguageDefaults,
    testing::Values(
        LanguageDefaults{QLocale::English, QLocale::UnitedStates, "0x0409", "en_US", "iso-8859-1", ",8,0"},
        LanguageDefaults{QLocale::Chinese, QLocale::China, "0x0804", "en_US", "gb2312", ",8,134"},
        LanguageDefaults{QLocale::Japanese, QLocale::Japan, "0x0411", "en_US", "shift_jis", ",8,128"},
        LanguageDefaults{QLocale::Russian, QLocale::Russia, "0x0419", "ru_RU", "Windows-1251", ",8,204"},
        LanguageDefaults{QLocale::German, QLocale::Germany, "0x0407", "de_DE", "iso-8859-1", ",8,0"}));

TEST(TQrxDefaults, NewProjectHasTheDocumentedSettings)
{
    TQrx project;
    EXPECT_FALSE(project.ProjectChanged);
    EXPECT_TRUE(project.IsNew);
    EXPECT_EQ(project.ProjectFilename, "unnamed.qrx");
    EXPECT_EQ(project.CompiledFile, "unnamed.chm");
    EXPECT_EQ(project.Encoding, "UTF-8");
    EXPECT_TRUE(project.DefaultTemplate);
    EXPECT_EQ(project.HasChild, 0);
    EXPECT_EQ(project.NoChild, 10);
    EXPECT_EQ(project.WebHelpOutputFolder, "<Project_Folder>_output\\WebHelp");
    EXPECT_EQ(project.SingleHtmlOutputFolder, "<Project_Folder>_output\\SingleHTML");
    EXPECT_EQ(project.SingleHtmlFilename, "all.htm");
    EXPECT_EQ(project.WordFile, "<Project_Folder>_output\\WordDoc\\a.docx");
    EXPECT_EQ(project.PDFfile, "<Project_Folder>_output\\PDF\\a.pdf");
    EXPECT_EQ(project.WebFontColor, "#DBEFF9");
    EXPECT_EQ(project.NavWidth, 270);
    EXPECT_EQ(project.WebBackground, 1);
    EXPECT_EQ(project.WebHelpLanguage, 1);

    const TCHMProject& chm = project.CHMSetting;
    EXPECT_EQ(chm.Top, 50);
    EXPECT_EQ(chm.Left, 50);
    EXPECT_EQ(chm.Height, 650);
    EXPECT_EQ(chm.Width, 900);
    EXPECT_EQ(chm.PaneWidth, 270);
    EXPECT_FALSE(chm.UseFolder);
    EXPECT_TRUE(chm.ShowPanesToolbar);
    EXPECT_TRUE(chm.DrawLines);

    // Word/PDF settings start from their creation values, except that pages
    // out of the table of contents are left out.
    const TDocPDFSettings& doc = project.DocSetting;
    EXPECT_TRUE(doc.Discard);
    EXPECT_EQ(doc.PaperSize, 4);
    EXPECT_EQ(doc.TOCCaption, "Table of Contents");
    EXPECT_EQ(doc.HintFormat, "See [Title No.]");
    EXPECT_EQ(doc.HeadingFont[0].Name, "Calibri");
    EXPECT_EQ(doc.HeadingFont[0].Size, 27);
    EXPECT_EQ(doc.HeadingFont[8].Size, 11);
}

TEST(TQrxDefaults, InitializeResetsSettingsAndTopicsButKeepsWordSettings)
{
    TQrx project;
    project.Title = "Manual";
    project.ProjectChanged = true;
    project.IsNew = false;
    project.CHMSetting.UseFolder = true;
    project.CHMSetting.Height = 10;
    project.CHMSetting.Title = "kept";
    project.DocSetting.Top = 99;
    project.Tree().appendNode(project.tnTableOfContents, "Intro");
    project.Tree().appendNode(project.tnTemplates, "Blue");

    project.Clear();

    EXPECT_TRUE(project.Title.isEmpty());
    EXPECT_FALSE(project.ProjectChanged);
    EXPECT_TRUE(project.IsNew);
    EXPECT_FALSE(project.CHMSetting.UseFolder);
    EXPECT_EQ(project.CHMSetting.Height, 650);
    EXPECT_EQ(project.CHMSetting.Title, "kept"); // the build overwrites it anyway
    EXPECT_EQ(project.DocSetting.Top, 99);
    EXPECT_EQ(project.Tree().topicCount(), 0);
    EXPECT_EQ(project.tnTableOfContents->text(), "Table of contents");
    EXPECT_EQ(project.tnUnvisiblePages->text(), "Pages out of TOC");
    EXPECT_EQ(project.tnTemplates->text(), "Templates");
}

TEST(TCHMProjectTest, NewObjectAndAssign)
{
    TCHMProject fresh;
    EXPECT_EQ(fresh.Top, 70);
    EXPECT_EQ(fresh.Left, 100);
    EXPECT_EQ(fresh.Height, 420);
    EXPECT_EQ(fresh.Width, 600);
    EXPECT_EQ(fresh.PaneWidth, 200);
    EXPECT_EQ(fresh.ContentsFont, ",8,0");

    TCHMProject edited;
    edited.Width = 1234;
    edited.SunkenEdge = true;
    edited.IndexFont = "Arial,9,0";
    edited.AutoSearch = false;
    TCHMProject copy;
    copy.Assign(edited);
    EXPECT_EQ(copy.Width, 1234);
    EXPECT_TRUE(copy.SunkenEdge);
    EXPECT_EQ(copy.IndexFont, "Arial,9,0");
    EXPECT_TRUE(copy.AutoSearch); // not a stored setting
}

} // namespace
