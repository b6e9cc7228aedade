#include "TWebHelpBuild.h"

#include "EmptiedFolder.h"
#include "Entities.h"
#include "Folders.h"
#include "HtmlCleanup.h"
#include "PageFiles.h"
#include "Paths.h"
#include "QuorixError.h"
#include "TContents.h"
#include "TQrx.h"
#include "TextSearch.h"
#include "WebHelpPages.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <utility>
#include <vector>

namespace {

QString Refusal(const QString& folder, const QString& what)
{
    return QStringLiteral("The web help output folder \"") + folder + QStringLiteral("\" ") + what
        + QStringLiteral(" Everything in it is deleted before the web help is written. "
                         "Please choose another output folder in the project settings.");
}

} // namespace

TWebHelpBuild::TWebHelpBuild(TQrx& project, TContents& contents, TLineEvent log, TLineEvent error)
    : m_project(project)
    , m_contents(contents)
    , m_log(std::move(log))
    , m_error(std::move(error))
{
}

QString TWebHelpBuild::OutputFolder() const
{
    const QString setting = TrimBlanks(m_project.WebHelpOutputFolder);
    if (setting.isEmpty())
        throw EQuorixError(
            QStringLiteral("Please specify the web help output folder in the project settings."));
    const QString folder = ResolveProjectPath(m_project.RootDir, setting);
    if (!IsWindowsAbsolutePath(folder) && !IsAbsolutePath(folder))
        throw EQuorixError(QStringLiteral("The web help output folder \"") + setting
                           + QStringLiteral("\" is relative, and the project has no folder yet. Save the project "
                                            "first, or choose a full path in the project settings."));
    if (IsWindowsAbsolutePath(folder))
        throw EQuorixError(QStringLiteral("The web help output folder \"") + setting
                           + QStringLiteral("\" is a Windows path. Choose where to write the web help in the "
                                            "project settings."));
    const QString native = WithTrailingSeparator(folder);
    const QString refusal = EmptiedFolderRefusal(native, m_project.RootDir, m_contents.CDir);
    if (!refusal.isEmpty())
        throw EQuorixError(Refusal(native, refusal));
    return native;
}

void TWebHelpBuild::CheckMayEmpty(const QString& folder) const
{
    const QString refusal =
        EmptiedFolderRefusal(folder, m_project.RootDir, m_contents.CDir, m_contents.FileListForCopy.Paths());
    if (!refusal.isEmpty())
        throw EQuorixError(Refusal(folder, refusal));
}

QString TWebHelpBuild::DefaultPage() const
{
    const QString chosen = m_project.WebHelpDefaultSame ? m_project.DefaultTopic : m_project.WebHelpDefault;
    const TUrlAnchor parts = SplitUrlAnchor(TrimBlanks(chosen).isEmpty() ? m_contents.DefaultPage : chosen);
    // The pages are written under their files' names, which may differ in
    // case from the stored link.
    QString page = parts.Page;
    const QString& root = m_project.RootDir;
    if (!root.isEmpty() && !page.isEmpty() && !IsWindowsAbsolutePath(page)) {
        const QString file = ProjectFilePath(root, page);
        if (file.startsWith(root) && QFileInfo(file).isFile())
            page = file.mid(root.size());
    }
    // Encoded, the address holds no "'" to end the script string it goes into.
    return WebHelpAddress(page, parts.Anchor);
}

bool TWebHelpBuild::Run()
{
    if (m_contents.ContentsItems.empty()) {
        m_error(QStringLiteral("Cannot create web help! Because there is no any item in Table of Contents."));
        return false;
    }
    m_log(QString());
    m_log(QStringLiteral("Creating Website help..."));
    // The template the pages are merged with, whichever setting names it.
    const QString templateSetting =
        m_project.WebHelpTemplateSame ? m_project.HtmlHelpTemplate : m_project.WebHelpTemplate;
    if (!TrimBlanks(templateSetting).isEmpty()) {
        const QString templateFile = ProjectFilePath(m_project.RootDir, templateSetting);
        if (IsWindowsAbsolutePath(templateFile) || !QFileInfo(templateFile).isFile()) {
            m_log(QStringLiteral("The template \"") + templateFile + QStringLiteral("\" is not exsiting!"));
            return false;
        }
    }
    const QString set = m_contents.CDir + QStringLiteral("webhelp/");
    if (!QFileInfo(set).isDir()) {
        m_log(QStringLiteral("The web help files \"") + set
              + QStringLiteral("\" are missing. Reinstall the program to build web help."));
        return false;
    }
    const QString O = OutputFolder();

    m_log(QStringLiteral("Preparing files..."));
    m_contents.PrepareCopyFile();
    m_contents.PrepareCopyFileForWebHelp();
    CheckMayEmpty(O);
    if (!DeleteFolder(O) || !QDir().mkpath(O))
        throw EQuorixError(QStringLiteral("Cannot empty the web help output folder \"") + O
                           + QStringLiteral("\". Close the programs that use its files, or choose another folder."));

    m_log(QStringLiteral("Copying files..."));
    const QString topics = O + QStringLiteral("topics/");
    m_contents.OutputPagesWebHelp(topics);
    m_contents.Texts.clear();
    m_contents.GetTextsForSearch(topics);
    m_contents.CopyIconForWebHelp(O);

    m_log(QStringLiteral("Creating navigation..."));
    WriteNavigation(set, O);

    m_log(QString());
    m_log(QStringLiteral("Filename: ") + O + QStringLiteral("index.htm"));
    QString error;
    if (!SaveTextFile(m_contents.OutputSearchJS(), O + QStringLiteral("data.js"), EncodingUtf8, &error))
        m_log(QStringLiteral("Cannot write ") + O + QStringLiteral("data.js: ") + error);
    CopySetFiles(set, O);

    if (m_project.ViewCompiledFile && OnShowResult)
        OnShowResult(O + QStringLiteral("index.htm"));
    return true;
}

void TWebHelpBuild::WriteNavigation(const QString& set, const QString& folder)
{
    const QString title = EncodeEntities(m_project.WebHelpTilteSame ? m_project.Title : m_project.WebHelpTitle);
    const std::pair<QString, QString> Title{QStringLiteral("($PROJECTTITLE$)"), title};
    const std::pair<QString, QString> Charset{QStringLiteral("($CHARSET$)"), m_project.Encoding};
    const std::pair<QString, QString> Default{QStringLiteral("($DEFAULTPAGE$)"), DefaultPage()};
    const std::pair<QString, QString> NavWidth{QStringLiteral("($NAVWIDTH$)"), QString::number(m_project.NavWidth)};
    const std::pair<QString, QString> BackColor{QStringLiteral("($BACKCOLOR$)"), m_project.WebBackColor};
    const std::pair<QString, QString> FontColor{QStringLiteral("($FONTCOLOR$)"), m_project.WebFontColor};
    const QString navigation = QStringLiteral("($NAVIGATION$)");

    const auto withoutBar = [this](const QString& text) {
        return m_project.ShowIndex
            ? text
            : RemoveBetween(text, QStringLiteral("<!--BEGINBAR-->"), QStringLiteral("<!--ENDBAR-->"));
    };
    const auto topFrame = [this](QString text) {
        if (m_project.WebBackground == 0)
            text.remove(QStringLiteral(" background=\"back.jpg\""));
        if (!m_project.ShowIndex)
            text.replace(QStringLiteral("//document"), QStringLiteral("document"));
        return text;
    };
    const auto write = [&](const QString& name, const auto& edit, const TPlaceholderValues& values) {
        const QString target = folder + name;
        const QString page = FillPlaceholders(edit(ReadTextFile(set + name)), values);
        if (!SaveHtmlFile(page, target))
            m_log(QStringLiteral("Cannot write ") + target);
    };
    const auto asIs = [](const QString& text) { return text; };

    write(QStringLiteral("index.htm"), asIs, {Title, Charset, Default});
    write(QStringLiteral("indexh.htm"), asIs, {Title, Charset, Default});
    write(QStringLiteral("webhelpframe.htm"), asIs, {Title, Charset, Default, NavWidth, BackColor});
    write(QStringLiteral("webhelptop.htm"), topFrame, {Title, Charset, BackColor, FontColor});
    write(QStringLiteral("webhelptoph.htm"), topFrame, {Title, Charset, BackColor, FontColor});
    write(QStringLiteral("webhelpcontents.htm"), withoutBar,
          {Title, Charset, {navigation, m_contents.MakeJs()}, BackColor});
    write(QStringLiteral("webhelplefth.htm"), withoutBar,
          {Title, Charset, {navigation, m_contents.MakeHTML()}, BackColor});
    write(QStringLiteral("webhelpsearch.htm"), asIs, {Title, Charset, BackColor});
    write(QStringLiteral("webhelpbookmark.htm"), asIs, {Title, Charset, BackColor});
    write(QStringLiteral("webhelpleft.htm"), asIs, {Title, Charset});
    write(QStringLiteral("webhelptoolbar.htm"), asIs, {Title, Charset});
    write(QStringLiteral("webhelpindex.htm"), withoutBar,
          {Title, Charset, {QStringLiteral("($INDEXLIST$)"), m_contents.MakeIndexForWeb()}, BackColor});

    const QString code = WebHelpLanguageCode(m_project.WebHelpLanguage);
    const QString language = code.isEmpty() ? QString() : QStringLiteral("lang=\"") + code + QStringLiteral("\";");
    QString error;
    const QString languages = FillPlaceholders(ReadTextFile(set + QStringLiteral("languages.js")),
                                               {{QStringLiteral("($SETLANGUAGE$)"), language}});
    if (!SaveTextFile(languages, folder + QStringLiteral("languages.js"), EncodingUtf8, &error))
        m_log(QStringLiteral("Cannot write ") + folder + QStringLiteral("languages.js: ") + error);
}

void TWebHelpBuild::CopySetFiles(const QString& set, const QString& folder)
{
    // A missing source is skipped: the set has no background 0.
    const auto copy = [](const QString& source, const QString& target) {
        if (!QFileInfo(source).isFile())
            return;
        QFile::remove(target);
        QFile::copy(source, target);
    };
    QDir().mkpath(folder + QStringLiteral("images"));
    for (const char* button : {"showall.gif", "hideall.gif", "previous.gif", "next.gif", "print.gif"})
        copy(set + QStringLiteral("images/") + QLatin1String(button), folder + QStringLiteral("images/") + QLatin1String(button));
    copy(set + QStringLiteral("style.css"), folder + QStringLiteral("style.css"));
    copy(set + QStringLiteral("bg/back") + QString::number(m_project.WebBackground) + QStringLiteral(".jpg"),
         folder + QStringLiteral("back.jpg"));
}
