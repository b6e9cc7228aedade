#pragma once

#include "TCommandTable.h"

#include <QHash>
#include <QObject>
#include <QStringList>
#include <functional>

class QAction;
class QMainWindow;
class QMenu;
class QToolBar;
class QToolButton;
class QWidget;

// The window's commands as actions, built from the command table and
// dispatched through it by Tag, with the menus and the file tool bar that
// show them.
class TMainActions : public QObject {
    Q_OBJECT
public:
    TMainActions(QMainWindow& window, const TCommandDispatcher& dispatcher);

    QAction* Action(TCommandId id) const { return m_actions.value(int(id)); }
    QMenu* RecentMenu() const { return m_recentMenu; }
    QMenu* OpenDropDown() const { return m_openDropDown; }
    QAction* SaveToolAction() const { return m_saveToolAction; }

    // The recent projects as menu entries (in the "文件" menu and under
    // "打开"); choosing one calls `open` with its caption.
    void SetRecentProjects(const QStringList& captions, const std::function<void(const QString&)>& open);
    QStringList RecentCaptions() const;

    // Commands follow the table: built ones are enabled, those that need a
    // project only with one.
    void UpdateCommandStates(bool hasProject, bool projectChanged);
    // The build and view menus and the "视图" button belong to a project.
    void SetProjectState(bool hasProject);

    // A tool button for an action, with or without its caption below.
    static QToolButton* ToolButton(QAction* action, bool captioned, QWidget* parent);

private:
    QAction* makeAction(TCommandId id, const QString& icon);
    void createActions();
    void createMenus();
    void createFileToolBar();

    QMainWindow& m_window;
    const TCommandDispatcher& m_dispatcher;
    QHash<int, QAction*> m_actions;
    QMenu* m_recentMenu = nullptr;
    QMenu* m_openDropDown = nullptr;
    QMenu* m_buildMenu = nullptr;
    QMenu* m_viewMenu = nullptr;
    QToolBar* m_fileBar = nullptr;
    QWidget* m_viewButton = nullptr;
    QAction* m_saveToolAction = nullptr;
};
