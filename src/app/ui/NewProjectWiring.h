#pragma once

#include <functional>

class IUserPrompts;
class QDialog;
class QWidget;
class TProjectSession;

// Gives the session's new-project command its windows: the new-project
// dialog, run by `exec` (the window's way to run dialogs, which tests
// replace), and the searching window over `window`.
void WireNewProjectDialogs(TProjectSession& session, QWidget& window, IUserPrompts& prompts,
                           const std::function<int(QDialog& dialog)>& exec);
