#pragma once

#include "ITopicPageViews.h"
#include "IUserPrompts.h"
#include "PageFiles.h"

#include <QString>
#include <functional>

class IDHTMLEdit;
class TQrx;
class TopicNode;
struct TPageState;

// The page of the selected topic in the editing views: loaded when exactly
// one topic is selected, carried between the editor, the source and the
// preview, saved in the encoding it was read in, offered for reload when
// another program changed its file. The page is dirty when its text differs
// from the text last loaded or saved, whatever the history could undo.
class TTopicPageSession {
public:
    TTopicPageSession(TQrx& project, TPageState& page, IUserPrompts& prompts, IDHTMLEdit& editor,
                      ITopicPageViews& views);

    // Where the page models "new.htm" and "newtemp.htm" lie.
    QString ProgramFolder;
    // The preview frames pages with the project's HTML Help template.
    bool PreviewWithTemplate = true;

    // ---- the selection ---------------------------------------------------
    // Before the selection changes: a dirty page is offered for saving.
    // False keeps the selection (Cancel, or the save did not happen).
    bool SelectionMayChange();
    // The selection changed: the page is forgotten, the topic loaded.
    void SelectionChanged();
    // The focused topic's page into the views, as the topic now links.
    void LoadTopic();
    // The focused topic's link was edited (the URL field was left, a link
    // button was used): the topic is loaded again when its link changed,
    // after asking about the edits. Cancel puts the old link back.
    void TopicLinkChanged();
    // The topic whose page the views hold; null for none.
    TopicNode* LoadedTopic() const { return m_hasPage ? m_loaded.Topic : nullptr; }

    // ---- tabs ------------------------------------------------------------
    // Before leaving `from`: the page moves out of that view. False while
    // the editor is still loading (the tab stays).
    bool TabMayChange(TPageTab from);
    // After entering `to`: the page moves into that view.
    void TabChanged(TPageTab to);

    // ---- dirtiness and saving --------------------------------------------
    // The dirty state of the page as the views now show it (IsDirty,
    // SourceDirty, and the project changed with a dirty page). Left as it
    // is while no page is shown or the editor is loading.
    bool RefreshDirty();
    // The save buttons: a dirty page, or a new one not saved yet.
    bool CanSave();
    // Saves the page; false when it was not saved (the author cancelled or
    // it failed; the page stays dirty and the strip says so).
    bool Save();
    // A dirty page: "save it?" Yes saves, No gives the edits up; false for
    // Cancel or a save that did not happen.
    bool SavedOrGivenUp();
    // A dirty page saved without asking; false when that did not happen.
    bool SavedIfDirty();

    // ---- outside changes and external editors ----------------------------
    // The page file changed since it was loaded: offered for reload.
    void CheckOutsideChange();
    // Before an external editor opens the page file: a new or dirty page
    // is saved after asking. False when there is no file to open.
    bool ReadyForExternalEditor();

    // Events.
    // The editor's history starts again (a page loaded or saved).
    std::function<void()> OnHistoryReset;
    // The page file whose outside changes matter; empty for none.
    std::function<void(const QString& file)> OnWatchFile;
    // The focused topic's link changed here (a page saved under a new name,
    // an edit of the link cancelled): the topic bar shows it again.
    std::function<void()> OnTopicLinkShown;

private:
    struct TLoaded {
        TopicNode* Topic = nullptr;
        int Status = 0;
        QString Url;
    };

    TopicNode* focusedTopic() const;
    // The native file of a topic's page (its anchor dropped).
    QString pageFileOf(const QString& url) const;
    bool editablePage(const QString& file) const;
    void forgetPage();
    void disableViews(const QString& message = QString());
    void loadModel(const TopicNode& topic);
    void loadPageFile();
    // CurrentSource is what was loaded or saved: clean from here on.
    void setClean();
    void putIntoViews();
    void showIn(TPageTab tab);
    // The editor given `html` unless it holds it already; the caret kept
    // when the same page is loaded again.
    void setEditor(const QString& html);
    void restoreSelection();
    // The editor's page, read again only when it changed (or `reread`).
    QString editorText(bool reread = false);
    // The editor's page: the text loaded while it has no edit.
    QString editorPage();
    // The page's text in the active view.
    QString currentText();
    bool differsFromClean(const QString& text) const;
    void renderPreview();
    void historyReset();
    // A template missing its title or content tag is saved only when the
    // author says so.
    bool templateTagsAccepted();
    QString preparedText(const TopicNode& topic, const QString& text) const;
    bool ask(const QString& question);
    // "The topic ... has been changed, save it?"
    IUserPrompts::Button confirmChanged(const QString& title);
    void restoreLoadedLink();

    TQrx& m_project;
    TPageState& m_page;
    IUserPrompts& m_prompts;
    IDHTMLEdit& m_editor;
    ITopicPageViews& m_views;

    bool m_hasPage = false;
    TLoaded m_loaded;
    // How the page's file holds its text, for saving it alike.
    TPageEncoding m_encoding;
    int m_declaredType = EncodingAnsi;
    QString m_editorFolder;
    // The text last loaded or saved, and the editor's own form of it.
    QString m_cleanText;
    QString m_cleanEditorText;
    bool m_haveCleanEditorText = false;
    // What the editor holds as far as this side knows, and the editor's
    // change count when it was read; whether its form of the clean text
    // given to it is still to be read.
    QString m_editorText;
    quint64 m_editorCount = 0;
    bool m_captureEditorForm = false;
    // The page last written from the editor's text, and that text.
    QString m_savedPage;
    QString m_savedEditorText;
    bool m_keepSelection = false;
    QString m_pendingBookmark;
    // A question of this session is showing.
    bool m_asking = false;
};
