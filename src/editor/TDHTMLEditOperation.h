#pragma once

#include "EditorMenus.h"
#include "TDHTMLEditHistory.h"

#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>
#include <functional>
#include <memory>

class IDHTMLEdit;
class IHTMLElement;
using THtmlElementPtr = std::shared_ptr<IHTMLElement>;

// What one refresh shows on the control carrying a Tag.
struct TEditorControlState {
    bool Enabled = true;
    bool Down = false;    // a button held down, a menu item ticked
    bool HasText = false; // combo boxes: show Text (the block-format box: else its first item)
    QString Text;
};
using TEditorStates = QHash<int, TEditorControlState>;

// The editor's command layer between the window's editor tool bars, menus
// and combo boxes (found by their Tags, DHTMLEditCommands.h) and the
// editing control: runs the control's commands, brings every control in
// step with the caret after each display change, keeps the history, builds
// the context menu and inserts fragments and special characters. Windows
// stay out of it: the tool bars (TEditorToolBars) hand it their Tags and
// show the states it answers.
//
// The commands of dialogs that come with other parts (tables, pictures,
// hyperlinks, bookmarks, page properties, keywords) are hooks; an unset
// hook leaves its entry greyed.
class TDHTMLEditOperation {
public:
    // Installs its handlers on the control; the control's document-complete
    // handler at that time runs first at every load (OnDocumentComplete).
    explicit TDHTMLEditOperation(IDHTMLEdit& edit);
    ~TDHTMLEditOperation();
    TDHTMLEditOperation(const TDHTMLEditOperation&) = delete;
    TDHTMLEditOperation& operator=(const TDHTMLEditOperation&) = delete;

    IDHTMLEdit& Edit() const { return m_edit; }
    TDHTMLEditHistory& History() { return m_history; }

    // ---- commands --------------------------------------------------------
    // Runs the control's command `cmdID` when it is usable (status 3 or
    // more); true when it ran. The colour commands apply the current colour,
    // the combo boxes' commands the chosen `value` (font sizes 1 to 7).
    bool ExecCommand(int cmdID, const QString& value = QString());
    // Replaces the selection (or inserts at the caret) by an HTML fragment;
    // the caret then stands after it.
    void InsertHTML(const QString& html);
    // EDTAG_HORIZONTALLINE: "<hr>"; EDTAG_LINEBREAK: "<BR>".
    void InsertElements(int tag);
    // A special character by its Tag (EditorMenus::SpecialCharacters).
    void InsertCharacter(int tag);
    // An item of the table-editing menu by its Tag.
    void EditTable(int tag);
    // The command of a control by its Tag: the control's commands (5000 and
    // up), the editor's own (line, rule, undo, redo) and the hooked ones.
    void Run(int tag);
    // Whether a hooked command (table, picture, hyperlink, bookmark,
    // external editor) is there to run.
    bool Offers(int tag) const;
    // A colour from the colour menus: it becomes the button's colour and is
    // applied when the command is usable.
    void ApplyForeColor(quint32 rgb);
    void ApplyBackColor(quint32 rgb);
    quint32 CurrentForeColor = EditorMenus::StartForeColour;
    quint32 CurrentBackColor = EditorMenus::StartBackColour;
    // Switch the control's view; answer the new state.
    bool ToggleShowBorders();
    bool ToggleShowDetails();

    // ---- history ---------------------------------------------------------
    void Undo();
    void Redo();
    // The page differs from the one loaded, as far as the history knows.
    bool IsDirty() const { return m_history.CanUndo() || m_history.LostOriginal(); }
    // An empty page; the history starts again.
    void New();
    // Another page (of another topic) in its folder; the history starts again.
    void Load(const QString& html, const QString& folder);

    // ---- the selection ---------------------------------------------------
    QString GetSelText();
    QString GetSelHTML();
    THtmlElementPtr GetElementUnderCaret();
    bool SelectionIsControl();
    // A text or a control is selected (not a bare caret).
    bool SomethingSelected();
    // The nearest ancestor of `start` (not itself) with the tag name (upper
    // case); none at "HTML".
    THtmlElementPtr GetParent(const THtmlElementPtr& start, const QString& tagName);

    // ---- refresh ---------------------------------------------------------
    // Every Tag of the controls the layer serves: the window's two editor
    // tool bars and the table-editing menu.
    static const QList<int>& ServedTags();
    // The states of the controls carrying `tags`, as the caret is now.
    TEditorStates States(const QList<int>& tags);
    // Runs after every display change of the control, once the history has
    // looked: the tool bars show States of their Tags.
    std::function<void()> OnRefresh;
    // The block-format names, at every page loaded.
    std::function<void(const QStringList& names)> OnBlockFormats;
    // Whether the control's widget is enabled (no refresh while it is not).
    std::function<bool()> ControlEnabled;
    // The window's own handler of a loaded page, run first: the control's
    // handler when the layer was made, unless replaced.
    std::function<void()> OnDocumentComplete;

    // ---- the context menu ------------------------------------------------
    void ShowContextMenu();
    void ContextMenuAction(int itemIndex);

    // ---- commands of other parts -----------------------------------------
    struct THooks {
        std::function<void()> Table;             // EDTAG_INSERTTABLE
        std::function<void()> TableProperties;
        std::function<void()> CellProperties;
        std::function<void()> AppendRow;         // EDTAG_APPENDROW
        std::function<void()> AppendColumn;      // EDTAG_APPENDCOLUMN
        std::function<void()> InsertImage;       // EDTAG_INSERTPICTURE
        std::function<void()> InsertHyperlink;   // EDTAG_INSERTHYPERLINK
        std::function<void()> Bookmarks;         // EDTAG_INSERTBOOKMARK
        std::function<void()> PictureProperties;
        std::function<void()> PageProperties;
        std::function<void()> AddToKeywords;
        std::function<bool()> KeywordsPageVisible;
        std::function<void()> ShowBookmarkDetail; // at every refresh
        std::function<void()> EditFontList;       // the font box's "Edit list..."
        std::function<void(const QString& editor)> ExternalEditor;
    } Hooks;
    // External editor command lines, one per entry, and the default one.
    QStringList ExternalEditor;
    QString DefaultExtend;

    // The control's events.
    void DisplayChanged();
    void DocumentComplete();

private:
    const std::function<void()>* hookOf(int tag) const;
    int status(int cmdID);
    void fillBlockFormats();
    TEditorControlState comboState(int tag, int status);

    IDHTMLEdit& m_edit;
    TDHTMLEditHistory m_history;
};
