#pragma once

#include <QString>

#include <functional>

class QObject;

// How the helpers reach the user. The helpers never open a window: the
// application sets these handlers (a message box, a save dialog, a folder
// picker). Without one, a headless build prints to stderr and declines.

// Shows an error message (error icon, OK button).
using TErrorMessageHandler = std::function<void(const QString& message)>;
// Asks for another file name, `fileName` preset; false when the user cancels.
using TSaveFileNameHandler = std::function<bool(QString& fileName)>;
// The folder picker: `folder` preselected and replaced on OK; false on cancel.
using TBrowseForFolderHandler =
    std::function<bool(QObject* owner, QString& folder, const QString& caption, int flags, const QString& root)>;

// An empty handler restores the headless default.
void SetErrorMessageHandler(TErrorMessageHandler handler);
void SetSaveFileNameHandler(TSaveFileNameHandler handler);
void SetBrowseForFolderHandler(TBrowseForFolderHandler handler);

void ShowErrorMessage(const QString& message);
bool AskSaveFileName(QString& fileName);
bool AskForFolder(QObject* owner, QString& folder, const QString& caption, int flags, const QString& root);
