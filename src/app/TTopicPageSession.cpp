#include "TTopicPageSession.h"

#include "HtmlCleanup.h"
#include "IDHTMLEdit.h"
#include "IUserPrompts.h"
#include "PagePreview.h"
#include "PageParts.h"
#include "PageSurroundings.h"
#include "Paths.h"
#include "TPageState.h"
#include "TQrx.h"
#include "TextSearch.h"

#include <QDir>
#include <QFileInfo>
#include <QScopedValueRollback>

namespace {

const QString PageFilter = QStringLiteral("HTML 文件 (*.html, *.htm)|*.html;*.htm");
const QString TitleTag = QStringLiteral("($title$)");
const QString ContentTag = QStringLiteral("($content$)");
// What a new page starts from when its model cannot be read.
const QString EmptyPage = QStringLiteral("<html>\r\n<head>\r\n<title></title>\r\n</head>\r\n<body>\r\n</body>\r\n</html>\r\n");

QString folderOf(const QString& path)
{
    if (path.endsWith(QLatin1Char('/')))
        return path;
    return WithTrailingSeparator(QFileInfo(path).absolutePath());
}

// An existing file that grants no write at all is read-only, even to root.
bool isReadOnly(const QFileInfo& info)
{
    const QFile::Permissions anyWrite = QFile::WriteOwner | QFile::WriteGroup | QFile::WriteOther;
    return (info.permissions() & anyWrite) == 0 || !info.isWritable();
}


} // namespace

TTopicPageSession::TTopicPageSession(TQrx& project, TPageState& page, IUserPrompts& prompts, IDHTMLEdit& editor,
                                     ITopicPageViews& views)
    : m_project(project)
    , m_page(page)
    , m_prompts(prompts)
    , m_editor(editor)
    , m_views(views)
{
}

// ---- the selection ------------------------------------------------------------

TopicNode* TTopicPageSession::focusedTopic() const
{
    const QList<TopicNode*>& selection = m_project.Tree().selection();
    if (selection.size() != 1 || selection.front()->isRoot())
        return nullptr;
    return selection.front();
}

bool TTopicPageSession::SelectionMayChange()
{
    return SavedOrGivenUp();
}

void TTopicPageSession::SelectionChanged()
{
    m_views.ShowMessage(QString());
    historyReset();
    m_page.IsDirty = false;
    m_page.SourceDirty = false;
    LoadTopic();
}

QString TTopicPageSession::pageFileOf(const QString& url) const
{
    if (IsWindowsAbsolutePath(url))
        return StripAnchor(url);
    if (m_project.RootDir.isEmpty() || IsWindowsAbsolutePath(m_project.RootDir))
        return QString();
    return ProjectFilePath(m_project.RootDir, StripAnchor(url));
}

bool TTopicPageSession::editablePage(const QString& file) const
{
    const QString suffix = QFileInfo(file).suffix().toLower();
    if (suffix != QLatin1String("htm") && suffix != QLatin1String("html"))
        return false;
    if (file.isEmpty() || IsWindowsAbsolutePath(file) || m_project.RootDir.isEmpty())
        return false;
    return QDir::cleanPath(file).startsWith(WithTrailingSeparator(QDir::cleanPath(m_project.RootDir)));
}

void TTopicPageSession::forgetPage()
{
    m_hasPage = false;
    m_loaded = TLoaded();
    if (OnWatchFile)
        OnWatchFile(QString());
}

void TTopicPageSession::disableViews(const QString& message)
{
    m_views.SetViewsEnabled(false);
    if (!message.isEmpty())
        m_views.ShowMessage(message);
}

void TTopicPageSession::LoadTopic()
{
    TopicNode* topic = focusedTopic();
    // Loaded again (saved, changed outside): the caret stays where it was.
    const bool samePage = m_hasPage && topic == m_loaded.Topic;
    forgetPage();
    if (topic == nullptr) {
        disableViews();
        return;
    }
    const TLeftTreeData& entry = topic->entry();
    m_page.CurrentModifiedTime = TPageState::NoTimeKnown();
    m_page.CurrentStatus = entry.Status;
    m_page.CurrentURL = entry.Status == StatusUnsaved ? m_project.RootDir : pageFileOf(entry.Url);
    m_loaded = {topic, entry.Status, entry.Url};
    m_views.ShowMessage(QString());
    m_keepSelection = samePage;
    switch (entry.Status) {
    case StatusUnsaved:
        loadModel(*topic);
        break;
    case StatusLinked:
        loadPageFile();
        break;
    case StatusOutside:
        // Saving would write the page shown before to the address.
        disableViews(QStringLiteral("This topic opens the outside address \"%1\"; it has no page to edit.").arg(entry.Url));
        break;
    default:
        disableViews();
        break;
    }
    m_keepSelection = false;
}

void TTopicPageSession::loadModel(const TopicNode& topic)
{
    const bool isTemplate = topic.topRoot() == m_project.tnTemplates;
    QString model;
    QString modelFile;
    if (isTemplate || m_project.DefaultTemplate) {
        modelFile = WithTrailingSeparator(ProgramFolder) + (isTemplate ? QStringLiteral("newtemp.htm") : QStringLiteral("new.htm"));
        model = ReplaceNoCase(ReadTextFile(modelFile), QStringLiteral("($CHARSET$)"), m_project.Encoding);
        m_editorFolder = WithTrailingSeparator(ProgramFolder);
    } else {
        modelFile = IsWindowsAbsolutePath(m_project.RootDir) ? QString()
                                                              : ResolveProjectPath(m_project.RootDir, m_project.CustomTemplate);
        model = IsWindowsAbsolutePath(modelFile) ? QString() : ReadTextFile(modelFile);
        m_editorFolder = folderOf(modelFile);
    }
    if (model.isEmpty()) {
        m_views.ShowMessage(QStringLiteral("The model of new pages \"%1\" cannot be read; the page starts empty.").arg(modelFile));
        model = EmptyPage;
    }
    m_page.CurrentSource = model;
    m_encoding = {GetEncodingType(model), true};
    m_declaredType = m_encoding.Type;
    m_hasPage = true;
    setClean();
    m_views.SetViewsEnabled(true);
    putIntoViews();
}

void TTopicPageSession::loadPageFile()
{
    const QString file = m_page.CurrentURL;
    const QFileInfo info(file);
    if (!editablePage(file)) {
        const bool html = QStringList{QStringLiteral("htm"), QStringLiteral("html")}.contains(info.suffix().toLower());
        disableViews(html ? QStringLiteral("The page \"%1\" lies outside the project folder; it cannot be edited here.").arg(file)
                          : QString());
        return;
    }
    QString error;
    const QString text = ReadPageFile(file, m_encoding, &error);
    m_page.CurrentSource = CleanEditorHtml(text);
    if (m_page.CurrentSource.isEmpty()) {
        if (error.isEmpty() && !info.exists())
            error = QStringLiteral("The page \"%1\" doesn't exist.").arg(file);
        else if (error.isEmpty())
            error = QStringLiteral("The page \"%1\" is empty.").arg(file);
        disableViews(error);
        return;
    }
    m_declaredType = GetEncodingType(text);
    m_editorFolder = folderOf(file);
    m_hasPage = true;
    setClean();
    m_views.SetViewsEnabled(true);
    if (isReadOnly(info))
        m_views.ShowMessage(QStringLiteral("Read-only file!"));
    else if (IsFileLocked(file))
        m_views.ShowMessage(QStringLiteral("This file is locked by another program!"));
    const QDateTime modified = info.lastModified();
    m_page.CurrentModifiedTime = modified.isValid() ? modified : TPageState::NoTimeKnown();
    putIntoViews();
    if (OnWatchFile)
        OnWatchFile(file);
}

void TTopicPageSession::setClean()
{
    m_cleanText = m_page.CurrentSource;
    m_cleanEditorText.clear();
    m_haveCleanEditorText = false;
    m_page.IsDirty = false;
    m_page.SourceDirty = false;
}

void TTopicPageSession::putIntoViews()
{
    historyReset();
    showIn(m_views.ActiveTab());
}

void TTopicPageSession::showIn(TPageTab tab)
{
    // The editor holds the page whatever the tab.
    setEditor(m_page.CurrentSource);
    if (tab == TPageTab::Source) {
        m_views.SetSourceText(m_page.CurrentSource);
        m_page.SourceDirty = false;
    } else if (tab == TPageTab::Preview) {
        renderPreview();
    }
}

void TTopicPageSession::setEditor(const QString& html)
{
    // The editor's own form of this page counts as the page.
    const bool holdsIt = html == m_editorText || (html == m_savedPage && m_editorText == m_savedEditorText)
        || (html == m_cleanText && m_haveCleanEditorText && m_editorText == m_cleanEditorText);
    if (holdsIt && m_editor.BaseURL() == m_editorFolder && m_editor.ChangeCount() == m_editorCount) {
        // The editor holds this very page: loading it again would only lose
        // the caret and keys typed meanwhile.
        if (html == m_cleanText) {
            m_cleanEditorText = m_editorText;
            m_haveCleanEditorText = true;
        }
        return;
    }
    const QString bookmark = m_keepSelection ? m_editor.SelectionBookmark() : QString();
    m_captureEditorForm = false;
    m_editor.SetDocumentHTML(html);
    m_editor.SetBaseURL(m_editorFolder);
    m_editorText = html;
    m_editorCount = m_editor.ChangeCount();
    m_captureEditorForm = html == m_cleanText && !m_haveCleanEditorText;
    m_pendingBookmark = bookmark;
    restoreSelection();
}

void TTopicPageSession::restoreSelection()
{
    if (m_pendingBookmark.isEmpty() || m_editor.Busy())
        return;
    m_editor.SelectBookmark(m_pendingBookmark);
    m_pendingBookmark.clear();
    m_editorCount = m_editor.ChangeCount();
}

QString TTopicPageSession::editorText(bool reread)
{
    m_editor.Flush();
    const quint64 count = m_editor.ChangeCount();
    if (reread || count != m_editorCount) {
        m_editorText = m_editor.DocumentHTML();
        m_editorCount = count;
        // The editor's own form of the clean text, read once when it has
        // loaded it and before any edit: the same page even where the
        // editor writes the HTML a little differently. Pages the history
        // loads later are never taken for it.
        if (m_captureEditorForm) {
            m_captureEditorForm = false;
            if (!m_editor.IsDirty()) {
                m_cleanEditorText = m_editorText;
                m_haveCleanEditorText = true;
            }
        }
    }
    return m_editorText;
}

QString TTopicPageSession::editorPage()
{
    // Unedited, the page is the text loaded, not the editor's form of it.
    const QString text = editorText();
    return m_haveCleanEditorText && text == m_cleanEditorText ? m_cleanText : text;
}

QString TTopicPageSession::currentText()
{
    switch (m_views.ActiveTab()) {
    case TPageTab::Edit:
        return editorPage();
    case TPageTab::Source:
        return m_views.SourceText();
    default:
        return m_page.CurrentSource;
    }
}

bool TTopicPageSession::differsFromClean(const QString& text) const
{
    return text != m_cleanText && !(m_haveCleanEditorText && text == m_cleanEditorText);
}

void TTopicPageSession::renderPreview()
{
    if (m_loaded.Topic == nullptr)
        return;
    m_views.ShowPreview(PagePreview::PreviewHtml(m_project, *m_loaded.Topic, m_page.CurrentSource, m_page.CurrentURL,
                                                 PreviewWithTemplate),
                        folderOf(m_page.CurrentURL));
}

void TTopicPageSession::historyReset()
{
    if (OnHistoryReset)
        OnHistoryReset();
}

// ---- tabs ------------------------------------------------------------------------

bool TTopicPageSession::TabMayChange(TPageTab from)
{
    if (!m_hasPage || !m_views.ViewsEnabled())
        return true;
    if (from == TPageTab::Edit) {
        if (m_editor.Busy())
            return false;
        m_page.CurrentSource = editorPage();
    } else if (from == TPageTab::Source) {
        const QString source = m_views.SourceText();
        if (source != m_page.CurrentSource) {
            m_page.CurrentSource = CleanEditorHtml(source);
            setEditor(m_page.CurrentSource);
        }
    }
    m_page.SourceDirty = false;
    m_page.IsDirty = differsFromClean(m_page.CurrentSource);
    if (m_page.IsDirty)
        m_project.ProjectChanged = true;
    return true;
}

void TTopicPageSession::TabChanged(TPageTab to)
{
    if (m_hasPage && m_views.ViewsEnabled())
        showIn(to);
}

// ---- dirtiness and saving ------------------------------------------------------------

bool TTopicPageSession::RefreshDirty()
{
    if (!m_hasPage || !m_views.ViewsEnabled() || m_editor.Busy())
        return m_page.IsDirty;
    restoreSelection();
    if (m_captureEditorForm)
        editorText(true);
    const QString text = currentText();
    if (m_views.ActiveTab() == TPageTab::Source)
        m_page.SourceDirty = text != m_page.CurrentSource;
    m_page.IsDirty = differsFromClean(text);
    if (m_page.IsDirty)
        m_project.ProjectChanged = true;
    return m_page.IsDirty;
}

bool TTopicPageSession::CanSave()
{
    const bool dirty = RefreshDirty();
    return m_hasPage && (dirty || m_loaded.Status == StatusUnsaved);
}

bool TTopicPageSession::ask(const QString& question)
{
    const QScopedValueRollback<bool> asking(m_asking, true);
    return m_prompts.AskYes(IUserPrompts::Kind::Information, question);
}

IUserPrompts::Button TTopicPageSession::confirmChanged(const QString& title)
{
    const QScopedValueRollback<bool> asking(m_asking, true);
    return m_prompts.Confirm(QStringLiteral("The topic \"") + title + QStringLiteral("\" has been changed, save it?"),
                             IUserPrompts::Yes | IUserPrompts::No | IUserPrompts::Cancel);
}

bool TTopicPageSession::SavedOrGivenUp()
{
    if (m_asking || !RefreshDirty())
        return !m_asking;
    const TopicNode* topic = m_hasPage ? m_loaded.Topic : m_project.Tree().selected();
    const IUserPrompts::Button answer = confirmChanged(topic != nullptr ? topic->text() : QString());
    if (answer == IUserPrompts::Yes)
        return Save();
    return answer == IUserPrompts::No;
}

bool TTopicPageSession::SavedIfDirty()
{
    return !RefreshDirty() || Save();
}

bool TTopicPageSession::templateTagsAccepted()
{
    const bool source = m_views.ActiveTab() == TPageTab::Source;
    const QString tested = (source ? m_views.SourceText() : GetBody(currentText())).toLower();
    QString problems;
    for (const QString& tag : {TitleTag, ContentTag}) {
        if (!tested.contains(tag))
            problems += QStringLiteral("Cannot find tag \"%1\" in the template source code! (Body only)\r\n").arg(tag);
    }
    if (problems.isEmpty())
        return true;
    const QString warning = source
        ? QStringLiteral("These will likely make the template unable to work.")
        : QStringLiteral("These will likely make the template unable to work. You should keep the tags whole in "
                         "source code, not only look like whole in editor. When you format a tag, you should select "
                         "the whole tag not a part of it!");
    return ask(problems + QStringLiteral("\r\n") + warning + QStringLiteral("\r\n\r\nWould you like to save the template?"));
}

QString TTopicPageSession::preparedText(const TopicNode& topic, const QString& text) const
{
    QString page = text;
    // Only what differs is written: the page's bytes stay as they were elsewhere.
    if (GetTitle(page) != topic.text())
        page = SetTitle(page, topic.text());
    if (m_loaded.Status == StatusUnsaved && !TrimBlanks(m_project.Encoding).isEmpty()
        && GetCharset(page) != m_project.Encoding.toLower())
        page = SetCharset(page, m_project.Encoding);
    return CleanEditorHtml(page);
}

bool TTopicPageSession::Save()
{
    if (!m_hasPage) {
        m_page.IsDirty = false;
        return true;
    }
    TopicNode& topic = *m_loaded.Topic;
    const bool isTemplate = topic.topRoot() == m_project.tnTemplates;
    if (isTemplate && !templateTagsAccepted())
        return false;
    m_page.CurrentSource = currentText();
    // Text the editor wrote keeps the page's own text around the body; the
    // source view's is the author's own.
    const bool fromEditor = m_views.ActiveTab() != TPageTab::Source;
    const QString page = fromEditor ? KeepUnchangedSurroundings(m_cleanText, m_page.CurrentSource) : m_page.CurrentSource;
    const QString prepared = isTemplate ? page : preparedText(topic, page);

    const bool newPage = m_loaded.Status == StatusUnsaved;
    QString file = m_page.CurrentURL;
    // A page keeps the encoding it was read in unless the author changed
    // what it declares.
    TPageEncoding encoding = m_encoding;
    if (newPage || GetEncodingType(prepared) != m_declaredType)
        encoding = {GetEncodingType(prepared), true};
    if (newPage) {
        const QFileInfo proposal(UniqueFileName(m_project.RootDir, SafeFileName(topic.text(), QStringLiteral("topic")),
                                                QStringLiteral(".htm")));
        file = m_prompts.ChooseSaveFile(QStringLiteral("保存"), PageFilter, proposal.path(), proposal.fileName(),
                                        QStringLiteral("htm"), true);
        if (file.isEmpty())
            return false;
    }
    bool widened = false;
    QString savedAs;
    if (!SavePageBytes(EncodePage(prepared, encoding, &widened), file, &m_prompts, &savedAs)) {
        m_page.IsDirty = !newPage || m_page.IsDirty;
        m_views.ShowMessage(QStringLiteral("The page was not saved: its changes are still here. Save it again, or "
                                           "under another name."));
        return false;
    }
    if (widened) {
        const QString charset = GetCharset(prepared);
        m_prompts.Message(IUserPrompts::Kind::Information,
                          (charset.isEmpty()
                               ? QStringLiteral("The page \"%1\" holds characters that the system's code page cannot "
                                                "store. It was saved as UTF-8 with a byte-order mark.")
                               : QStringLiteral("The page \"%1\" holds characters that its charset \"%2\" cannot "
                                                "store. It was saved as UTF-8 and now declares the charset \"utf-8\"."))
                              .arg(savedAs, charset),
                          IUserPrompts::Ok);
    }
    if (newPage || savedAs != m_page.CurrentURL) {
        // The topic links to the file its page is in now.
        const QString root = m_project.RootDir;
        topic.entry().Status = StatusLinked;
        topic.entry().Url = savedAs.startsWith(root) ? RelativePath(root, savedAs) : savedAs;
        m_project.ProjectChanged = true;
        if (OnTopicLinkShown)
            OnTopicLinkShown();
    }
    // The editor's page is the one written, but for what it cannot show.
    m_savedPage = fromEditor && prepared == page ? prepared : QString();
    m_savedEditorText = m_editorText;
    m_page.IsDirty = false;
    m_page.SourceDirty = false;
    LoadTopic();
    return true;
}

// ---- links, outside changes, external editors ------------------------------------

void TTopicPageSession::restoreLoadedLink()
{
    m_loaded.Topic->entry().Status = m_loaded.Status;
    m_loaded.Topic->entry().Url = m_loaded.Url;
    if (OnTopicLinkShown)
        OnTopicLinkShown();
}

void TTopicPageSession::TopicLinkChanged()
{
    TopicNode* topic = focusedTopic();
    if (topic == nullptr || m_asking)
        return;
    TLeftTreeData& entry = topic->entry();
    if (topic == m_loaded.Topic && entry.Status == m_loaded.Status && entry.Url == m_loaded.Url)
        return; // nothing changed: the edits stay
    if (m_hasPage && topic == m_loaded.Topic && RefreshDirty()) {
        const TLoaded typed{topic, entry.Status, entry.Url};
        const IUserPrompts::Button answer = confirmChanged(topic->text());
        if (answer == IUserPrompts::Cancel || answer == IUserPrompts::NoButton) {
            restoreLoadedLink();
            return;
        }
        if (answer == IUserPrompts::Yes) {
            // The edits go to the page they were made in; then the new link.
            restoreLoadedLink();
            if (!Save())
                return;
            entry.Status = typed.Status;
            entry.Url = typed.Url;
            m_project.ProjectChanged = true;
        }
    }
    LoadTopic();
    if (OnTopicLinkShown)
        OnTopicLinkShown();
}

void TTopicPageSession::CheckOutsideChange()
{
    if (m_asking || !m_hasPage || m_page.CurrentStatus != StatusLinked || !m_views.ViewsEnabled()
        || m_page.CurrentModifiedTime == TPageState::NoTimeKnown())
        return;
    const QFileInfo info(m_page.CurrentURL);
    // A file gone is no change to load: saving writes it again.
    if (!info.exists() || info.lastModified() == m_page.CurrentModifiedTime)
        return;
    QString question = QStringLiteral("This file has been modified outside of this application. Do you want to reload it?");
    if (RefreshDirty())
        question += QStringLiteral("\n\nThe changes made here since the page was last saved will be lost.");
    if (ask(question))
        LoadTopic();
}

bool TTopicPageSession::ReadyForExternalEditor()
{
    if (!m_hasPage)
        return m_page.CurrentStatus == StatusLinked && QFileInfo(m_page.CurrentURL).isFile();
    const bool unsaved = m_loaded.Status == StatusUnsaved;
    if (!unsaved && !RefreshDirty())
        return true;
    const QString question = unsaved
        ? QStringLiteral("The topic \"%1\" has not been saved. If you want to edit it using external editors, you "
                         "should save it firstly. Save and continue?")
        : QStringLiteral("The topic \"%1\" has been changed. If you want to edit it using external editors, you "
                         "should save it firstly. Save and continue?");
    return ask(question.arg(m_loaded.Topic->text())) && Save();
}
