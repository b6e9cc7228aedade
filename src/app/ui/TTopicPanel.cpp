#include "TTopicPanel.h"

#include "AppImages.h"
#include "IUserPrompts.h"
#include "IdleRules.h"
#include "ProgramFolder.h"
#include "TAddTopic.h"
#include "TMainActions.h"
#include "TPageState.h"
#include "TQrx.h"
#include "TTopicTreeView.h"
#include "TfrmAddTopic.h"
#include "TfrmApplyTemplate.h"
#include "TopicBarCommands.h"
#include "TopicBarLayout.h"
#include "TopicTreeCommands.h"
#include "TreeMenuRules.h"

#include <QAbstractItemView>
#include <QAction>
#include <QComboBox>
#include <QDropEvent>
#include <QEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <QStackedWidget>
#include <QStyle>
#include <QStyledItemDelegate>
#include <QTabWidget>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

const QString DeleteQuestion = QStringLiteral("Are you sure to delete the selections?");
const QString PageFilter = QStringLiteral("HTML 文件 (*.html, *.htm)|*.html;*.htm");

QWidget* greyPanel(QWidget* parent)
{
    auto* panel = new QWidget(parent);
    panel->setAutoFillBackground(true);
    QPalette palette = panel->palette();
    palette.setColor(QPalette::Window, QColor(128, 128, 128));
    panel->setPalette(palette);
    return panel;
}

} // namespace

void TTopicPanel::createTopicBar()
{
    using Id = TCommandId;
    m_topicBar = new QToolBar(QStringLiteral("主题"), this);
    m_topicBar->setObjectName(QStringLiteral("topicBar"));
    m_topicBar->setMovable(false);
    m_topicBar->setIconSize(QSize(16, 16));

    // 12: "Auto" and the icons 1-42 (images 0-41).
    m_iconPicker = new QComboBox(this);
    m_iconPicker->setToolTip(QStringLiteral("图标"));
    m_iconPicker->addItem(QStringLiteral("Auto"));
    for (int icon = 1; icon <= 42; ++icon)
        m_iconPicker->addItem(AppImages::TreeImage(icon - 1), QString::number(icon));
    // Every number whole beside its picture, in the field and in its list:
    // a plain item delegate measures the entries as it draws them, and the
    // list is as wide as they need, with room for a scroll bar where the
    // screen is too short for all of them.
    m_iconPicker->setItemDelegate(new QStyledItemDelegate(m_iconPicker));
    m_iconPicker->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    m_iconPicker->setMaxVisibleItems(m_iconPicker->count());
    QAbstractItemView* iconList = m_iconPicker->view();
    iconList->setMinimumWidth(iconList->sizeHintForColumn(0) + 2 * iconList->frameWidth()
                              + iconList->style()->pixelMetric(QStyle::PM_ScrollBarExtent));
    m_titleLabel = new QLabel(QStringLiteral("标题:"), this);
    m_titleField = new QLineEdit(this);
    m_urlLabel = new QLabel(QStringLiteral("网址:"), this);
    m_urlField = new QLineEdit(this);
    m_topicBar->addWidget(m_iconPicker);
    m_topicBar->addWidget(m_titleLabel);
    m_topicBar->addWidget(m_titleField);
    m_topicBar->addWidget(m_urlLabel);
    m_topicBar->addWidget(m_urlField);
    for (Id id : {Id::LinkBlankPage, Id::LinkExistingPage, Id::NoLink}) {
        QToolButton* button = TMainActions::ToolButton(m_actions.Action(id), false, this);
        m_linkButtons.append(button);
        m_topicBar->addWidget(button);
    }
    m_topicBar->installEventFilter(this);
    m_urlField->installEventFilter(this);
    m_titleField->installEventFilter(this);

    // Choices of the author only, not the picker following the selection.
    connect(m_iconPicker, &QComboBox::activated, this, &TTopicPanel::chooseIcon);
    connect(m_titleField, &QLineEdit::textEdited, this, [this](const QString& text) {
        TopicNode* topic = FocusedTopic();
        if (topic != nullptr && text != topic->text()) {
            m_project.Tree().setText(topic, text);
            m_project.ProjectChanged = true;
        }
    });
    connect(m_urlField, &QLineEdit::textEdited, this, [this](const QString& text) {
        TopicNode* topic = FocusedTopic();
        if (topic == nullptr || text == topic->entry().Url)
            return;
        if (text == QLatin1String("(unsaved)") || text == QLatin1String("(no-link)")) {
            topic->entry().Status = text == QLatin1String("(unsaved)") ? StatusUnsaved : StatusNoLink;
            topic->entry().Url.clear();
        } else {
            topic->entry().Status = StatusLinked;
            topic->entry().Url = text;
        }
        m_project.ProjectChanged = true;
    });
}

void TTopicPanel::layoutTopicBar()
{
    const int linkButton = m_linkButtons.isEmpty() ? 0 : m_linkButtons.front()->sizeHint().width();
    const int labels = m_titleLabel->sizeHint().width() + m_urlLabel->sizeHint().width();
    const int spacing = 2 * m_topicBar->layout()->spacing() * 7 + 2 * m_topicBar->layout()->contentsMargins().left();
    const TTopicFieldWidths widths =
        TopicFieldWidths(m_topicBar->contentsRect().width() - spacing, linkButton, labels, m_iconPicker->sizeHint().width());
    m_titleField->setFixedWidth(widths.Title);
    m_urlField->setFixedWidth(widths.Url);
}

TTopicPanel::TTopicPanel(TQrx& project, TMainActions& actions, IUserPrompts& prompts, TPageState& pageState,
                         const std::function<int(QDialog&)>& execDialog, QWidget* parent)
    : QWidget(parent)
    , m_project(project)
    , m_actions(actions)
    , m_prompts(prompts)
    , m_page(pageState)
    , m_execDialog(execDialog)
{
    using Id = TCommandId;
    createTopicBar();
    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    auto* tabs = new QTabWidget(this);
    outer->addWidget(tabs);
    auto* page = new QWidget(tabs);
    auto* layout = new QHBoxLayout(page);
    layout->setContentsMargins(2, 2, 2, 2);
    layout->setSpacing(2);

    m_treeBar = new QToolBar(page);
    m_treeBar->setOrientation(Qt::Vertical);
    m_treeBar->setIconSize(QSize(16, 16));
    for (Id id : {Id::ExpandAll, Id::CollapseAll, Id::AddTopic, Id::DeleteSelection, Id::MoveUp, Id::MoveDown,
                  Id::MoveLeft, Id::MoveRight, Id::MoveRightAddHeading})
        m_treeBar->addAction(m_actions.Action(id));
    layout->addWidget(m_treeBar);

    m_treeStack = new QStackedWidget(page);
    m_tree = new TTopicTreeView(m_project, m_treeStack);
    m_treeStack->addWidget(m_tree);
    createTreePopup();
    connect(m_tree, &TTopicTreeView::popupRequested, this, &TTopicPanel::showTreePopup);
    connect(m_tree, &TTopicTreeView::titleEdited, this, &TTopicPanel::titleEditedInTree);
    connect(m_tree, &TTopicTreeView::dragModeChanged, this, &TTopicPanel::hintChanged);
    // A drop onto another root changes the kind, and with it the icon picker.
    connect(m_tree, &TTopicTreeView::dropped, this, &TTopicPanel::UpdateTopicBar);
    m_treeStack->addWidget(greyPanel(m_treeStack));
    layout->addWidget(m_treeStack, 1);

    tabs->addTab(page, QStringLiteral("文件列表"));
    connect(&m_project.Tree(), &TopicTree::selectionChanged, this, &TTopicPanel::UpdateTopicBar);
}

namespace {

// Why a topic cannot be the default topic or a template in use; empty when it can.
QString unlinkedTopicRefusal(const TopicNode& topic)
{
    if (topic.entry().Status == StatusUnsaved)
        return QStringLiteral("Cannot set an unsaved topic as default.");
    if (topic.entry().Status == StatusNoLink)
        return QStringLiteral("Cannot set a no-link topic as default.");
    return {};
}

// What the URL field shows for a topic.
QString urlFieldText(const TopicNode& topic)
{
    switch (topic.entry().Status) {
    case StatusUnsaved:
        return QStringLiteral("(unsaved)");
    case StatusNoLink:
        return QStringLiteral("(no-link)");
    default:
        return topic.entry().Url;
    }
}

} // namespace

TopicNode* TTopicPanel::FocusedTopic() const
{
    TopicNode* node = m_project.Tree().selected();
    return node != nullptr && !node->isRoot() ? node : nullptr;
}

void TTopicPanel::createTreePopup()
{
    using Id = TCommandId;
    m_treePopup = new QMenu(this);
    for (Id id : {Id::AddBefore, Id::AddAfter, Id::AddChild, Id::AddEnd, Id::AddToToc, Id::AddPage, Id::AddTemplate})
        m_treePopup->addAction(m_actions.Action(id));
    m_treePopup->addSeparator();
    m_treePopup->addAction(m_actions.Action(Id::DeleteTopic));
    m_treePopup->addAction(m_actions.Action(Id::RenameTopic));
    m_treePopup->addSeparator();
    m_treePopup->addAction(m_actions.Action(Id::CollapseBelow));
    m_treePopup->addAction(m_actions.Action(Id::ExpandBelow));
    QMenu* sort = m_treePopup->addMenu(QStringLiteral("排序"));
    sort->addAction(m_actions.Action(Id::SortAllLevels));
    sort->addAction(m_actions.Action(Id::SortOneLevel));
    m_treePopup->addSeparator();
    for (Id id : {Id::SetDefaultTopic, Id::UseThisTemplate, Id::UseNoTemplate})
        m_treePopup->addAction(m_actions.Action(id));
}

void TTopicPanel::showTreePopup(const QPoint& globalPos)
{
    using Id = TCommandId;
    const TTreePopupState state = TreePopupFor(m_project.Tree().selected());
    for (Id id : {Id::AddBefore, Id::AddAfter, Id::AddChild, Id::AddEnd})
        m_actions.Action(id)->setVisible(state.AddAround);
    m_actions.Action(Id::AddToToc)->setVisible(state.AddToToc);
    m_actions.Action(Id::AddPage)->setVisible(state.AddPage);
    m_actions.Action(Id::AddTemplate)->setVisible(state.AddTemplate);
    m_actions.Action(Id::DeleteTopic)->setEnabled(state.DeleteEnabled);
    m_actions.Action(Id::RenameTopic)->setEnabled(state.RenameEnabled);
    m_actions.Action(Id::SetDefaultTopic)->setVisible(state.SetDefaultTopic);
    m_actions.Action(Id::UseThisTemplate)->setVisible(state.UseThisTemplate);
    m_actions.Action(Id::UseNoTemplate)->setVisible(state.UseNoTemplate);
    m_treePopup->popup(globalPos);
}

void TTopicPanel::DispatchTree(int tag)
{
    using namespace TopicTreeCommands;
    TopicTree& tree = m_project.Tree();
    TopicNode* focused = tree.selected();
    switch (tag) {
    case CmdExpandAll:
        expandOrCollapseAll(true);
        break;
    case CmdCollapseAll:
        expandOrCollapseAll(false);
        break;
    case CmdDeleteSelection:
        if (!MoveSet(tree).isEmpty()
            && m_prompts.AskYes(IUserPrompts::Kind::Information, DeleteQuestion))
            DeleteSelection(m_project);
        break;
    case CmdMoveUp:
        MoveUp(m_project);
        m_tree->revealSelection();
        break;
    case CmdMoveDown:
        MoveDown(m_project);
        m_tree->revealSelection();
        break;
    case CmdMoveLeft:
        MoveLeft(m_project);
        m_tree->revealSelection();
        break;
    case CmdMoveRight:
        MoveRight(m_project);
        m_tree->revealSelection();
        break;
    case CmdMoveRightAddHeading:
        MoveRightAndAddHeading(m_project);
        m_tree->revealSelection();
        break;
    case CmdRenameTopic:
        m_tree->editTitle(focused);
        break;
    case CmdCollapseBelow:
    case CmdExpandBelow:
        SetExpandedBelow(tree, focused, tag == CmdExpandBelow);
        break;
    case CmdSortAllLevels:
    case CmdSortOneLevel:
        SortChildren(m_project, focused, tag == CmdSortAllLevels);
        break;
    case CmdSetDefaultTopic:
        if (focused != nullptr && !focused->isRoot()) {
            const QString refusal = SetDefaultTopic(m_project, focused);
            if (!refusal.isEmpty())
                m_prompts.Message(IUserPrompts::Kind::Information, refusal, IUserPrompts::Ok);
        }
        break;
    case CmdUseThisTemplate:
        if (focused != nullptr && !focused->isRoot()) {
            const QString refusal = unlinkedTopicRefusal(*focused);
            if (!refusal.isEmpty()) {
                m_prompts.Message(IUserPrompts::Kind::Information, refusal, IUserPrompts::Ok);
                break;
            }
            TfrmApplyTemplate dialog(m_project, *focused, this);
            m_execDialog(dialog);
        }
        break;
    case CmdUseNoTemplate:
        UseNoTemplate(m_project);
        break;
    default:
        break;
    }
    m_tree->viewport()->update();
}

void TTopicPanel::expandOrCollapseAll(bool expanded)
{
    TopicTree& tree = m_project.Tree();
    const QList<TopicNode*> selection = tree.selection();
    m_tree->setUpdatesEnabled(false);
    TopicTreeCommands::SetAllExpanded(tree, expanded);
    m_tree->setUpdatesEnabled(true);
    if (selection.isEmpty())
        return;
    if (expanded)
        m_tree->scrollTo(tree.indexOf(selection.front()));
    else
        tree.setSelection(selection); // the focused node stays focused
}

void TTopicPanel::DispatchAddTopic(int tag)
{
    TopicNode* focused = m_project.Tree().selected();
    const QString programFolder = ProgramDataFolder();
    TfrmAddTopic dialog(tag, focused, programFolder, this);
    if (m_execDialog(dialog) != QDialog::Accepted)
        return;
    const TAddTopic::TResult result = dialog.choices().Apply(m_project, focused, dialog.catalogue(), programFolder, m_prompts);
    if (result.EditTitle)
        m_tree->editTitle(result.Added.front());
}

void TTopicPanel::DispatchTopicBar(int tag)
{
    TopicNode* topic = FocusedTopic();
    if (topic == nullptr)
        return;
    using Kind = IUserPrompts::Kind;
    const auto askYes = [this](Kind kind) {
        return [this, kind](const QString& question) { return m_prompts.AskYes(kind, question); };
    };
    switch (tag) {
    case CmdLinkBlankPage:
        if (LinkToBlankPage(m_project, *topic, askYes(Kind::Information)))
            m_page.CurrentStatus = StatusUnsaved;
        break;
    case CmdNoLink:
        if (MakeNoLink(m_project, *topic, askYes(Kind::Information)))
            m_page.CurrentStatus = StatusNoLink;
        break;
    case CmdLinkExistingPage: {
        const QString file = m_prompts.ChooseFiles(QStringLiteral("打开"), PageFilter, m_project.RootDir, false).value(0);
        if (LinkToExistingPage(m_project, *topic, file, askYes(Kind::Warning)))
            m_page.CurrentStatus = StatusLinked;
        break;
    }
    default:
        return;
    }
    m_urlField->setText(urlFieldText(*topic));
    emit topicLinkChanged();
}

void TTopicPanel::chooseIcon(int icon)
{
    if (m_tree->hasFocus() || icon < 0)
        return;
    SetSelectedIcons(m_project, icon);
}

void TTopicPanel::titleEditedInTree(TopicNode* node)
{
    if (node == m_project.Tree().selected())
        m_titleField->setText(node->text());
    m_project.ProjectChanged = true;
}

void TTopicPanel::setTopicLabelsGrey(bool grey)
{
    // Disabled, they are drawn grey in whatever text role the tool bar
    // gives them; a colour of their own would not be the one painted.
    m_titleLabel->setEnabled(!grey);
    m_urlLabel->setEnabled(!grey);
}

bool TTopicPanel::TopicLabelsGrey() const
{
    return !m_titleLabel->isEnabled() || !m_urlLabel->isEnabled();
}

void TTopicPanel::UpdateTopicBar()
{
    using Id = TCommandId;
    const TTopicBarState state = TopicBarFor(m_project.Tree());
    const bool project = m_hasProject;
    for (Id id : {Id::DeleteSelection, Id::MoveUp, Id::MoveDown, Id::MoveLeft, Id::MoveRight, Id::MoveRightAddHeading})
        m_actions.Action(id)->setEnabled(project && state.TreeButtonsEnabled);
    if (state.ClearFields) {
        m_titleField->clear();
        m_urlField->clear();
    }
    if (const TopicNode* topic = FocusedTopic(); state.FillFields && topic != nullptr) {
        m_titleField->setText(topic->text());
        m_urlField->setText(urlFieldText(*topic));
    }
    setTopicLabelsGrey(!(project && state.LabelsNormal));
    m_titleField->setEnabled(project && state.FieldsEnabled);
    m_urlField->setEnabled(project && state.FieldsEnabled);
    for (Id id : {Id::LinkBlankPage, Id::LinkExistingPage, Id::NoLink})
        m_actions.Action(id)->setEnabled(project && state.LinkButtonsEnabled);
    m_iconPicker->setEnabled(project && state.IconPickerEnabled);
    m_iconPicker->setCurrentIndex(state.IconPickerIndex);
    for (Id id : {Id::PreviousTopic, Id::NextTopic})
        m_actions.Action(id)->setEnabled(project && CommandTable::Get(id).Wired && state.PreviousNextEnabled);
    if (state.DisableViews)
        emit viewsDisableRequested();
}


void TTopicPanel::SetProjectState(bool hasProject)
{
    m_hasProject = hasProject;
    m_topicBar->setEnabled(hasProject);
    m_treeBar->setEnabled(hasProject);
    m_tree->setEnabled(hasProject);
    m_treeStack->setCurrentIndex(hasProject ? 0 : 1);
}

void TTopicPanel::ClearTopicBar()
{
    m_iconPicker->setCurrentIndex(-1);
    m_titleField->clear();
    m_urlField->clear();
}

void TTopicPanel::FillIdleInputs(TIdleInputs& in, const QWidget* focus) const
{
    using Id = TCommandId;
    const auto wired = [](std::initializer_list<Id> ids) {
        return std::all_of(ids.begin(), ids.end(), [](Id id) { return CommandTable::Get(id).Wired; });
    };
    if (focus != nullptr && (focus == m_tree || m_tree->isAncestorOf(focus)))
        in.FocusIn = TIdleInputs::Focus::Tree;
    in.Dragging = m_tree->isDragging();
    in.UrlFieldEnabled = m_urlField->isEnabled();
    in.UrlText = m_urlField->text();
    const TopicNode* node = m_project.Tree().selected();
    in.HasFocusedNode = node != nullptr;
    in.FocusedNodeIsRoot = node != nullptr && node->isRoot();
    in.LinkBlankWired = wired({Id::LinkBlankPage});
    in.NoLinkWired = wired({Id::NoLink});
    in.TopicFieldsWired = wired({Id::SavePage});
    in.TreeCommandsWired = wired({Id::DeleteSelection, Id::MoveUp, Id::MoveDown, Id::MoveLeft, Id::MoveRight,
                                  Id::MoveRightAddHeading});
}

void TTopicPanel::ApplyIdleOutcome(const TIdleOutcome& out)
{
    using Id = TCommandId;
    if (out.SetLinkButtons) {
        m_actions.Action(Id::LinkBlankPage)->setEnabled(out.LinkBlankEnabled);
        m_actions.Action(Id::NoLink)->setEnabled(out.NoLinkEnabled);
    }
    if (out.SetTreeCommands) {
        for (Id id : {Id::DeleteSelection, Id::MoveUp, Id::MoveDown, Id::MoveLeft, Id::MoveRight,
                      Id::MoveRightAddHeading})
            m_actions.Action(id)->setEnabled(out.TreeCommandsEnabled);
    }
}

bool TTopicPanel::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_topicBar && event->type() == QEvent::Resize)
        layoutTopicBar();
    if (watched == m_urlField && event->type() == QEvent::FocusOut)
        emit topicLinkChanged();
    if (watched == m_titleField && event->type() == QEvent::Drop) {
        // Text dragged from the page becomes the title, whole.
        const QMimeData* data = static_cast<QDropEvent*>(event)->mimeData();
        TopicNode* topic = FocusedTopic();
        if (data->hasText() && topic != nullptr) {
            const QString title = data->text().simplified();
            m_titleField->setText(title);
            if (title != topic->text()) {
                m_project.Tree().setText(topic, title);
                m_project.ProjectChanged = true;
            }
            static_cast<QDropEvent*>(event)->acceptProposedAction();
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}
