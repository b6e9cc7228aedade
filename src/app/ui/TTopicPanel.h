#pragma once

#include <QList>
#include <QWidget>
#include <functional>

class IUserPrompts;
class QComboBox;
class QDialog;
class QLabel;
class QLineEdit;
class QMenu;
class QStackedWidget;
class QToolBar;
class QToolButton;
class TMainActions;
class TQrx;
class TTopicTreeView;
class TopicNode;
struct TIdleInputs;
struct TIdleOutcome;
struct TPageState;

// The topic tree with its tool bar and popup menu, and the topic bar above
// the editing views (icon, title, address, link buttons): their commands and
// the rules that enable them. Both are views of the project's tree.
class TTopicPanel : public QWidget {
    Q_OBJECT
public:
    // `execDialog` runs the add-topic and apply-template dialogs.
    TTopicPanel(TQrx& project, TMainActions& actions, IUserPrompts& prompts, TPageState& page,
                const std::function<int(QDialog&)>& execDialog, QWidget* parent);

    // The topic bar, for the window to place.
    QToolBar* TopicBar() const { return m_topicBar; }
    TTopicTreeView* TreeView() const { return m_tree; }
    QMenu* TreePopup() const { return m_treePopup; }
    QLineEdit* TitleField() const { return m_titleField; }
    QLineEdit* UrlField() const { return m_urlField; }
    QComboBox* IconPicker() const { return m_iconPicker; }
    bool TopicLabelsGrey() const;
    // The focused topic; null for nothing or a root.
    TopicNode* FocusedTopic() const;

    void DispatchTree(int tag);
    void DispatchAddTopic(int tag);
    void DispatchTopicBar(int tag);

    // The tree and the topic bar with a project, or greyed without one.
    void SetProjectState(bool hasProject);
    // The bar forgets its topic.
    void ClearTopicBar();
    // Buttons and fields follow the selection.
    void UpdateTopicBar();
    // What the idle rules need of the tree and the bar, and what they say of them.
    void FillIdleInputs(TIdleInputs& in, const QWidget* focus) const;
    void ApplyIdleOutcome(const TIdleOutcome& out);

signals:
    // A drag's mode for the status bar; empty when it ends.
    void hintChanged(const QString& hint);
    // The selection no longer shows one page.
    void viewsDisableRequested();
    // The focused topic's link may have changed: the URL field was left, or
    // a link button used.
    void topicLinkChanged();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void createTopicBar();
    void createTreePopup();
    void showTreePopup(const QPoint& globalPos);
    void layoutTopicBar();
    void setTopicLabelsGrey(bool grey);
    void expandOrCollapseAll(bool expanded);
    void chooseIcon(int icon);
    void titleEditedInTree(TopicNode* node);

    TQrx& m_project;
    TMainActions& m_actions;
    IUserPrompts& m_prompts;
    TPageState& m_page;
    const std::function<int(QDialog&)>& m_execDialog;
    bool m_hasProject = false;

    QToolBar* m_topicBar = nullptr;
    QComboBox* m_iconPicker = nullptr;
    QLabel* m_titleLabel = nullptr;
    QLabel* m_urlLabel = nullptr;
    QLineEdit* m_titleField = nullptr;
    QLineEdit* m_urlField = nullptr;
    QList<QToolButton*> m_linkButtons;
    QToolBar* m_treeBar = nullptr;
    QStackedWidget* m_treeStack = nullptr;
    TTopicTreeView* m_tree = nullptr;
    QMenu* m_treePopup = nullptr;
};
