#include "TPagePanel.h"

#include "AppImages.h"
#include "ExternalEditorCommand.h"
#include "IDHTMLEdit.h"
#include "IHTMLBrowser.h"
#include "IUserPrompts.h"
#include "PagePreview.h"
#include "PlatformFactory.h"
#include "ProgramFolder.h"
#include "TDHTMLEditOperation.h"
#include "TEditorToolBars.h"
#include "TMainActions.h"
#include "TPageState.h"
#include "TQrx.h"
#include "TTopicPageSession.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDesktopServices>
#include <QFileInfo>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QProcess>
#include <QRegularExpressionValidator>
#include <QStackedWidget>
#include <QTabWidget>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>
#include <QUrl>
#include <QVBoxLayout>

namespace {

using namespace DHTMLEdit;

// The tags by which the editor's command layer finds the controls it drives.
struct EditorControl {
    int Tag;
    const char* Icon;
    const char16_t* Hint;
    enum Kind { Button, Check, DropDown, List } Type;
};

// The first editor tool bar, after the page's own save button.
const EditorControl FirstEditBar[] = {
    {EDTAG_EXTERNALEDITOR, "external-editor", u"External editor", EditorControl::DropDown},
    {DECMD_FINDTEXT, "find", u"Search(Ctrl-F)", EditorControl::Button},
    {EDTAG_SHOWBORDERS, "show-borders", u"Show object borders", EditorControl::Check},
    {EDTAG_SHOWDETAILS, "show-details", u"Show details", EditorControl::Check},
    {EDTAG_UNDO, "undo", u"Undo(Ctrl-Z)", EditorControl::Button},
    {EDTAG_REDO, "redo", u"Redo(Ctrl-Y)", EditorControl::Button},
    {DECMD_CUT, "cut", u"Cut(Ctrl-X)", EditorControl::Button},
    {DECMD_COPY, "copy", u"Copy(Ctrl-C)", EditorControl::Button},
    {DECMD_PASTE, "paste", u"Paste(Ctrl-V)", EditorControl::Button},
    {EDTAG_INSERTPICTURE, "picture", u"Insert picture", EditorControl::Button},
    {EDTAG_INSERTHYPERLINK, "hyperlink", u"Insert hyperlink", EditorControl::Button},
    {EDTAG_INSERTBOOKMARK, "bookmark", u"Insert bookmark(Anchor)", EditorControl::Button},
    {EDTAG_HORIZONTALLINE, "horizontal-line", u"Insert horizontal line", EditorControl::Button},
    {EDTAG_LINEBREAK, "line-break", u"折线 (Shift-回车键)", EditorControl::Button},
    {EDTAG_SPECIALCHARACTER, "special-character", u"Copyright", EditorControl::DropDown},
    {EDTAG_INSERTTABLE, "table", u"Insert table", EditorControl::Button},
    {EDTAG_TABLEEDIT, "table-edit", u"Insert Row", EditorControl::DropDown},
    {DECMD_OUTDENT, "outdent", u"Outdent(Ctrl-Shift-T)", EditorControl::Button},
    {DECMD_INDENT, "indent", u"Indent(Ctrl-T)", EditorControl::Button},
};

const EditorControl SecondEditBar[] = {
    {DECMD_SETFONTNAME, nullptr, u"Font", EditorControl::List},
    {DECMD_SETFONTSIZE, nullptr, u"Font size", EditorControl::List},
    {DECMD_SETBLOCKFMT, nullptr, u"Style", EditorControl::List},
    {DECMD_REMOVEFORMAT, "remove-format", u"Remove format", EditorControl::Button},
    {DECMD_BOLD, "bold", u"Bold(Ctrl-B)", EditorControl::Check},
    {DECMD_ITALIC, "italic", u"Italic(Ctrl-I)", EditorControl::Check},
    {DECMD_UNDERLINE, "underline", u"Underline(Ctrl-U)", EditorControl::Check},
    {DECMD_JUSTIFYLEFT, "align-left", u"Justify left", EditorControl::Check},
    {DECMD_JUSTIFYCENTER, "align-center", u"Justify center", EditorControl::Check},
    {DECMD_JUSTIFYRIGHT, "align-right", u"Justify right", EditorControl::Check},
    {DECMD_ORDERLIST, "numbered-list", u"Numbering", EditorControl::Check},
    {DECMD_UNORDERLIST, "bulleted-list", u"Bullets", EditorControl::Check},
    {DECMD_SETFORECOLOR, "fore-color", u"Font color", EditorControl::DropDown},
    {DECMD_SETBACKCOLOR, "back-color", u"Font backcolor", EditorControl::DropDown},
};

// The small tool bar at the top of an editing tab, in a layout without margins.
QToolBar* tabToolBar(QWidget* page, QVBoxLayout* layout)
{
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    auto* bar = new QToolBar(page);
    bar->setIconSize(QSize(16, 16));
    bar->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    return bar;
}

QWidget* blankPanel(QWidget* parent)
{
    auto* panel = new QWidget(parent);
    panel->setAutoFillBackground(true);
    // A click takes the focus, so leaving the URL field for it loads the topic.
    panel->setFocusPolicy(Qt::ClickFocus);
    return panel;
}

} // namespace

TPagePanel::TPagePanel(TMainActions& actions, TQrx& project, TPageState& page, IUserPrompts& prompts,
                       QWidget* parent)
    : QWidget(parent)
    , m_actions(actions)
    , m_project(project)
    , m_page(page)
    , m_prompts(prompts)
{
    StartProgram = [](const QString& program, const QStringList& arguments) {
        return QProcess::startDetached(program, arguments);
    };
    OpenUrl = &QDesktopServices::openUrl;
    QWidget* panel = this;
    auto* layout = new QVBoxLayout(panel);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(2);
    m_pages = new QTabWidget(panel);
    m_pages->addTab(createEditTab(), QStringLiteral("编辑"));
    m_pages->addTab(createSourceTab(), QStringLiteral("资源"));
    m_pages->addTab(createPreviewTab(), QStringLiteral("预览"));
    m_pages->addTab(createTopicOptionsTab(), QStringLiteral("主题选项"));
    layout->addWidget(m_pages, 1);

    // Hidden until a page needs a word with the author ("Read-only file!").
    m_messagePanel = new QLabel(panel);
    m_messagePanel->setAutoFillBackground(true);
    QPalette palette = m_messagePanel->palette();
    palette.setColor(QPalette::Window, QColor(255, 255, 225));
    m_messagePanel->setPalette(palette);
    m_messagePanel->setMargin(4);
    m_messagePanel->setWordWrap(true);
    m_messagePanel->hide();
    layout->addWidget(m_messagePanel);
    wireWorkflow();
    wireTopicOptions();
}

TPagePanel::~TPagePanel() = default;

QWidget* TPagePanel::createEditTab()
{
    using Id = TCommandId;
    auto* page = new QWidget(this);
    auto* layout = new QVBoxLayout(page);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);

    auto makeControl = [this](QToolBar* bar, const EditorControl& control) {
        if (control.Type == EditorControl::List) {
            auto* list = new QComboBox(bar);
            list->setProperty("tag", control.Tag);
            list->setToolTip(QString::fromUtf16(control.Hint));
            if (control.Tag == DECMD_SETFONTNAME) {
                list->setEditable(true);
                list->setMinimumContentsLength(14);
            } else if (control.Tag == DECMD_SETFONTSIZE) {
                for (int size = 1; size <= 7; ++size)
                    list->addItem(QString::number(size));
                list->setEditable(true);
                list->setMinimumContentsLength(2);
            } else {
                list->setMinimumContentsLength(12);
            }
            m_editLists.append(list);
            bar->addWidget(list);
            return;
        }
        auto* action = new QAction(AppImages::ToolIcon(QString::fromLatin1(control.Icon)), QString::fromUtf16(control.Hint), bar);
        action->setProperty("tag", control.Tag);
        action->setCheckable(control.Type == EditorControl::Check);
        auto* button = new QToolButton(bar);
        button->setDefaultAction(action);
        button->setAutoRaise(true);
        button->setToolTipDuration(3000);
        button->setProperty("tag", control.Tag);
        if (control.Type == EditorControl::DropDown) {
            button->setMenu(new QMenu(button));
            button->setPopupMode(QToolButton::MenuButtonPopup);
        }
        bar->addWidget(button);
    };

    auto* first = new QToolBar(page);
    first->setIconSize(QSize(16, 16));
    first->addAction(m_actions.Action(Id::SavePage));
    for (const EditorControl& control : FirstEditBar)
        makeControl(first, control);
    // The spell checker's drop-down.
    auto* spelling = new QToolButton(first);
    spelling->setIcon(AppImages::ToolIcon(QStringLiteral("spelling")));
    spelling->setToolTip(QStringLiteral("拼写检查"));
    spelling->setAutoRaise(true);
    spelling->setPopupMode(QToolButton::InstantPopup);
    auto* spellingMenu = new QMenu(spelling);
    for (Id id : {Id::CheckDocument, Id::CheckSelection, Id::CheckFromCursor})
        spellingMenu->addAction(m_actions.Action(id));
    spellingMenu->addSeparator();
    spellingMenu->addAction(m_actions.Action(Id::SpellingOptions));
    spelling->setMenu(spellingMenu);
    first->addWidget(spelling);

    auto* second = new QToolBar(page);
    second->setIconSize(QSize(16, 16));
    for (const EditorControl& control : SecondEditBar)
        makeControl(second, control);
    m_editBars = {first, second};

    m_editStack = new QStackedWidget(page);
    m_editor = CreateDHTMLEdit(m_editStack);
    m_editor->widget()->setProperty("tag", EDTAG_EDITOR);
    m_editStack->addWidget(m_editor->widget());
    m_editStack->addWidget(blankPanel(m_editStack));
    // The command layer finds the tool bars' controls by their Tags.
    m_editorToolBars = new TEditorToolBars(*m_editor, *page, this);

    layout->addWidget(first);
    layout->addWidget(second);
    layout->addWidget(m_editStack, 1);
    return page;
}

QWidget* TPagePanel::createSourceTab()
{
    auto* page = new QWidget(this);
    auto* layout = new QVBoxLayout(page);
    QToolBar* bar = tabToolBar(page, layout);
    bar->addAction(m_actions.Action(TCommandId::SaveSource));
    m_sourceStack = new QStackedWidget(page);
    m_source = new QPlainTextEdit(m_sourceStack);
    m_source->setLineWrapMode(QPlainTextEdit::NoWrap);
    m_sourceStack->addWidget(m_source);
    m_sourceStack->addWidget(blankPanel(m_sourceStack));
    layout->addWidget(bar);
    layout->addWidget(m_sourceStack, 1);
    return page;
}

QWidget* TPagePanel::createPreviewTab()
{
    auto* page = new QWidget(this);
    auto* layout = new QVBoxLayout(page);
    QToolBar* bar = tabToolBar(page, layout);
    bar->addAction(m_actions.Action(TCommandId::PreviousTopic));
    bar->addAction(m_actions.Action(TCommandId::NextTopic));
    m_previewStack = new QStackedWidget(page);
    m_preview = CreateHTMLBrowser(m_previewStack);
    m_previewStack->addWidget(m_preview->widget());
    m_previewStack->addWidget(blankPanel(m_previewStack));
    layout->addWidget(bar);
    layout->addWidget(m_previewStack, 1);
    return page;
}

QWidget* TPagePanel::createTopicOptionsTab()
{
    auto* options = new QWidget(this);
    auto* layout = new QVBoxLayout(options);
    layout->addWidget(new QLabel(QStringLiteral("关键字: (列出要创建索引的关键字)"), options));
    m_keywords = new QPlainTextEdit(options);
    layout->addWidget(m_keywords, 1);
    auto* form = new QFormLayout;
    m_contextNumber = new QLineEdit(options);
    m_contextNumber->setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]*")), m_contextNumber));
    m_contextNumber->setMaximumWidth(160);
    form->addRow(QStringLiteral("关联 ID (仅数字):"), m_contextNumber);
    layout->addLayout(form);
    m_noTemplate = new QCheckBox(QStringLiteral("不将模板应用于此页面"), options);
    layout->addWidget(m_noTemplate);
    return options;
}

void TPagePanel::SetViewsEnabled(bool enabled)
{
    m_viewsEnabled = enabled;
    for (QStackedWidget* stack : {m_editStack, m_sourceStack, m_previewStack})
        stack->setCurrentIndex(enabled ? 0 : 1);
    m_editor->widget()->setEnabled(enabled);
    for (QToolBar* bar : std::as_const(m_editBars))
        bar->setEnabled(enabled);
    for (QComboBox* list : std::as_const(m_editLists)) {
        QPalette listPalette = list->palette();
        listPalette.setColor(QPalette::Base, palette().color(enabled ? QPalette::Base : QPalette::Button));
        list->setPalette(listPalette);
    }
}


void TPagePanel::SetTopicFieldsEnabled(bool enabled)
{
    for (QWidget* field : {static_cast<QWidget*>(m_keywords), static_cast<QWidget*>(m_contextNumber),
                           static_cast<QWidget*>(m_noTemplate)})
        field->setEnabled(enabled);
}

bool TPagePanel::EditorHasFocus(const QWidget* focus) const
{
    const QWidget* editor = m_editor->widget();
    return focus != nullptr && (focus == editor || editor->isAncestorOf(focus));
}

bool TPagePanel::EditorReady() const
{
    return m_viewsEnabled && m_editor->widget()->isEnabled() && !m_editor->Busy();
}

// ---- the page's workflow --------------------------------------------------------

void TPagePanel::wireWorkflow()
{
    m_session = std::make_unique<TTopicPageSession>(m_project, m_page, m_prompts, *m_editor, *this);
    m_session->ProgramFolder = ProgramDataFolder();
    m_session->OnHistoryReset = [this] { m_editorToolBars->Operation().History().Clear(); };
    m_session->OnWatchFile = [this](const QString& file) { watch(file); };
    m_session->OnTopicLinkShown = [this] { emit topicLinkShown(); };
    m_editorToolBars->Operation().Hooks.ExternalEditor = [this](const QString& editor) { OpenInExternalEditor(editor); };

    m_project.Tree().selectionGuard = [this] { return m_session->SelectionMayChange(); };
    connect(&m_project.Tree(), &TopicTree::selectionChanged, this, &TPagePanel::selectionChanged);
    connect(m_pages, &QTabWidget::currentChanged, this, &TPagePanel::tabChanged);
    connect(m_source->document(), &QTextDocument::contentsChanged, this, [this] { ++m_sourceEdits; });
    // Links in the preview stay where they are and only say where they lead.
    m_preview->OnLinkClicked = [this](const QString& address) {
        QString shown = address;
        const QUrl url(address);
        if (url.isLocalFile()) {
            shown = url.toLocalFile();
            if (shown.startsWith(m_previewFolder))
                shown = shown.mid(m_previewFolder.size());
            if (url.hasFragment())
                shown += QLatin1Char('#') + url.fragment(QUrl::FullyDecoded);
        }
        ShowMessage(QStringLiteral("Hyperlinks are disabled under Preview mode.\nhref: ") + shown);
    };

    // Another program changed the page: asked about at once while the
    // program is in front, else when it comes to the front again.
    connect(&m_watcher, &QFileSystemWatcher::fileChanged, this, [this](const QString& file) {
        // A file replaced by renaming is watched no more.
        if (!m_watcher.files().contains(file) && QFileInfo::exists(file))
            m_watcher.addPath(file);
        if (QGuiApplication::applicationState() == Qt::ApplicationActive)
            checkOutsideChangeSoon();
    });
    connect(qApp, &QGuiApplication::applicationStateChanged, this, [this](Qt::ApplicationState state) {
        if (state == Qt::ApplicationActive)
            checkOutsideChangeSoon();
    });
}

void TPagePanel::checkOutsideChangeSoon()
{
    // Not inside the signal: the question is a modal box.
    QTimer::singleShot(0, this, [this] { m_session->CheckOutsideChange(); });
}

void TPagePanel::watch(const QString& file)
{
    if (!m_watcher.files().isEmpty())
        m_watcher.removePaths(m_watcher.files());
    if (!file.isEmpty())
        m_watcher.addPath(file);
}

void TPagePanel::selectionChanged()
{
    m_session->SelectionChanged();
    const TopicNode* topic = optionsTopic();
    // Templates have no topic options.
    m_pages->setTabVisible(int(TPageTab::TopicOptions),
                           topic == nullptr || topic->topRoot() != m_project.tnTemplates);
    fillTopicOptions();
}

void TPagePanel::tabChanged(int index)
{
    const int from = m_shownTab;
    if (index == from)
        return;
    if (!m_session->TabMayChange(TPageTab(from))) {
        // The editor is still loading its page: the tab stays.
        m_pages->setCurrentIndex(from);
        return;
    }
    m_shownTab = index;
    m_session->TabChanged(TPageTab(index));
}

TPageTab TPagePanel::ActiveTab() const
{
    return TPageTab(m_pages->currentIndex());
}

void TPagePanel::SetSourceText(const QString& text)
{
    m_sourceCrLf = text.contains(QLatin1String("\r\n"));
    m_source->setPlainText(text);
    m_sourceGiven = text;
    m_sourceEditsAtGiven = m_sourceEdits;
}

QString TPagePanel::SourceText() const
{
    // Unedited, the text given: the view's own line ends never make a page dirty.
    if (m_sourceEdits == m_sourceEditsAtGiven)
        return m_sourceGiven;
    QString text = m_source->document()->toRawText();
    text.replace(QChar::ParagraphSeparator, QLatin1Char('\n'));
    if (m_sourceCrLf)
        text.replace(QLatin1Char('\n'), QLatin1String("\r\n"));
    return text;
}

void TPagePanel::ShowPreview(const QString& html, const QString& baseFolder)
{
    m_previewPage = html;
    m_previewFolder = baseFolder;
    m_preview->LoadHtml(html, baseFolder);
}

void TPagePanel::ShowMessage(const QString& text)
{
    m_messagePanel->setText(text);
    m_messagePanel->setVisible(!text.isEmpty());
}

QString TPagePanel::Message() const
{
    return m_messagePanel->isVisible() ? m_messagePanel->text() : QString();
}

void TPagePanel::DispatchPage(int tag)
{
    switch (tag) {
    case CmdSavePage:
    case CmdSaveSource:
        m_session->Save();
        break;
    case CmdPreviousTopic:
    case CmdNextTopic: {
        const TopicNode* topic = optionsTopic();
        if (topic == nullptr)
            break;
        if (TopicNode* neighbour = tag == CmdPreviousTopic ? PagePreview::TopicBefore(topic) : PagePreview::TopicAfter(topic))
            m_project.Tree().select(neighbour);
        break;
    }
    case CmdExternalEditor:
        OpenInExternalEditor(m_editorToolBars->Operation().DefaultExtend);
        break;
    default:
        break;
    }
}

bool TPagePanel::PageSavedOrGivenUp()
{
    return m_session->SavedOrGivenUp();
}

bool TPagePanel::PageSavedIfDirty()
{
    return m_session->SavedIfDirty();
}

void TPagePanel::UpdateIdle()
{
    const bool canSave = m_session->CanSave();
    for (TCommandId id : {TCommandId::SavePage, TCommandId::SaveSource})
        m_actions.Action(id)->setEnabled(canSave && CommandTable::Get(id).Wired);
}

void TPagePanel::TopicLinkChanged()
{
    m_session->TopicLinkChanged();
}

void TPagePanel::OpenInExternalEditor(const QString& commandLine)
{
    if (!m_session->ReadyForExternalEditor())
        return;
    const QString file = m_page.CurrentURL;
    if (commandLine.trimmed().isEmpty()) {
        if (!OpenUrl(QUrl::fromLocalFile(file)))
            m_prompts.ShowError(QStringLiteral("Cannot open \"%1\".").arg(file));
        return;
    }
    const QStringList command = ExternalEditorCommand(commandLine, file);
    if (command.isEmpty() || !StartProgram(command.front(), command.mid(1)))
        m_prompts.ShowError(QStringLiteral("Cannot start the external editor \"%1\".").arg(commandLine));
}

// ---- topic options --------------------------------------------------------------

TopicNode* TPagePanel::optionsTopic() const
{
    const QList<TopicNode*>& selection = m_project.Tree().selection();
    return selection.size() == 1 && !selection.front()->isRoot() ? selection.front() : nullptr;
}

void TPagePanel::fillTopicOptions()
{
    const TopicNode* topic = optionsTopic();
    m_fillingOptions = true;
    m_keywords->setPlainText(topic != nullptr ? QString(topic->entry().Keywords).replace(QLatin1String("\r\n"), QLatin1String("\n"))
                                              : QString());
    m_contextNumber->setText(topic != nullptr ? topic->entry().ContextNumber : QString());
    m_noTemplate->setChecked(topic != nullptr && topic->entry().ApplyTemp);
    m_fillingOptions = false;
}

void TPagePanel::wireTopicOptions()
{
    // Only what the author changes is stored, and only when it differs.
    const auto store = [this](auto member, const auto& value) {
        TopicNode* topic = optionsTopic();
        if (m_fillingOptions || topic == nullptr || topic->entry().*member == value)
            return;
        topic->entry().*member = value;
        m_project.ProjectChanged = true;
    };
    connect(m_keywords, &QPlainTextEdit::textChanged, this, [this, store] {
        store(&TLeftTreeData::Keywords, m_keywords->toPlainText().replace(QLatin1Char('\n'), QLatin1String("\r\n")));
    });
    connect(m_contextNumber, &QLineEdit::textEdited, this,
            [store](const QString& text) { store(&TLeftTreeData::ContextNumber, text.trimmed()); });
    connect(m_noTemplate, &QCheckBox::clicked, this, [store](bool checked) { store(&TLeftTreeData::ApplyTemp, checked); });
}
