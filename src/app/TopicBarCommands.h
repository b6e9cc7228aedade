#pragma once

#include <QString>
#include <functional>

class TQrx;
class TopicNode;

// The topic bar's commands on the focused topic: its link kind and the
// icons of the selected topics. They change the model only; the window
// shows the result.

// A Yes / No question; true for Yes.
using TAskYesNo = std::function<bool(const QString& question)>;

// "链接到空白页": a linked topic asks first. True when the topic changed.
bool LinkToBlankPage(TQrx& project, TopicNode& topic, const TAskYesNo& askYes);
// "无链接": the same for a heading without page.
bool MakeNoLink(TQrx& project, TopicNode& topic, const TAskYesNo& askYes);
// "链接到现有页面" with the file chosen (a native path; empty when the
// dialog was cancelled). A file outside the root folder asks first and is
// stored with its absolute path. The project counts as changed whatever
// happened. True when the topic changed.
bool LinkToExistingPage(TQrx& project, TopicNode& topic, const QString& file, const TAskYesNo& askYes);

// The questions those commands ask.
extern const QString LinkToBlankPageQuestion;
extern const QString NoLinkQuestion;
QString OutOfFolderQuestion(const QString& file);

// Gives every selected topic the icon (0 automatic, 1-42), then recomputes
// the images.
void SetSelectedIcons(TQrx& project, int icon);
