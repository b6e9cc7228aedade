#include "TQrx.h"

#include "CodePages.h"
#include "Languages.h"

TQrx::TQrx()
    : m_tree(std::make_unique<TopicTree>())
{
    tnTableOfContents = m_tree->tableOfContents();
    tnUnvisiblePages = m_tree->pagesOutOfToc();
    tnTemplates = m_tree->templates();
    DocSetting.Discard = true;
    Initialize();
}

TQrx::~TQrx() = default;

void TQrx::ClearTreeView()
{
    m_tree->clearTopics();
}

void TQrx::Initialize()
{
    ClearTreeView();
    LoadWarnings.clear();
    ProjectChanged = false;
    ProjectFilename = QStringLiteral("unnamed.qrx");
    IsNew = true;

    Title.clear();
    RootDir.clear();
    DefaultTopic.clear();
    CompiledFile = QStringLiteral("unnamed.chm");
    DefaultTemplate = true;
    Encoding = QStringLiteral("UTF-8");
    CustomTemplate.clear();

    Language = SystemLanguageId();
    DeleteProject = false;
    ViewCompiledFile = true;
    Dictionary = LanguageTable().GetDictionaryById(Language);

    HasChild = 0;
    NoChild = 10;

    const int codePage = LanguageTable().GetCodepageById(Language);
    HtmlHelpTemplate.clear();
    HtmlHelpTitle.clear();
    HtmlHelpTitleSame = true;
    HtmlHelpOutputEncoding = CharsetForCodePage(codePage);

    // Output folders sit beside the project folder rather than on a fixed drive.
    WebHelpDefault.clear();
    WebHelpOutputFolder = QStringLiteral("<Project_Folder>_output\\WebHelp");
    WebHelpTemplate.clear();
    WebHelpTitle.clear();
    WebHelpDefaultSame = true;
    WebHelpTemplateSame = true;
    WebHelpTilteSame = true;
    WebHelpLanguage = 1;
    StartFromRoot = true;
    AutoCollapse = false;
    DrawLines = true;

    SingleHtmlFilename = QStringLiteral("all.htm");
    SingleHtmlOutputFolder = QStringLiteral("<Project_Folder>_output\\SingleHTML");
    SingleHtmlTitle.clear();
    SingleHtmlHasToc = false;
    SingleHtmlSame = true;

    WordFileTitle.clear();
    WordFileTitleSame = true;
    WordFile = QStringLiteral("<Project_Folder>_output\\WordDoc\\a.docx");
    PDFfile = QStringLiteral("<Project_Folder>_output\\PDF\\a.pdf");

    HeadProperties = 1;
    PageProperties = 1;
    RealColorIcon = false;
    ShowIndex = true;
    NavWidth = 270;
    WebFontColor = QStringLiteral("#DBEFF9");
    WebBackColor.clear();
    WebBackground = 1;
    HHPFolder.clear();

    TCHMProject& chm = CHMSetting;
    chm.Top = 50;
    chm.Left = 50;
    chm.Height = 650;
    chm.Width = 900;
    chm.PaneWidth = 270;
    chm.DefaultTab = 0;
    for (bool* off : {&chm.ShowMSDNMenu, &chm.HideToolbar, &chm.HideToolbarText, &chm.StayOnTop, &chm.Maximize,
             &chm.Jump1, &chm.Jump2, &chm.AutoShowHide, &chm.UseFolder, &chm.AutoTrack, &chm.SelectRow,
             &chm.AutoExpand, &chm.RightToLeft, &chm.LeftScroll, &chm.Border, &chm.DialogFrame, &chm.RaisedEdge,
             &chm.SunkenEdge, &chm.SavePosition})
        *off = false;
    for (bool* on : {&chm.ShowPanesToolbar, &chm.ShowPane, &chm.Hide, &chm.Locate, &chm.Back, &chm.bForward,
             &chm.Stop, &chm.Refresh, &chm.Home, &chm.Print, &chm.Option, &chm.AutoSync, &chm.Content,
             &chm.Index, &chm.Search, &chm.Favorite, &chm.PlusMinus, &chm.ShowSelection, &chm.ShowRoot,
             &chm.DrawLines})
        *on = true;
    chm.ContentsFont = QStringLiteral(",8,") + FontCharsetForCodePage(codePage);
    chm.IndexFont = chm.ContentsFont;
}
