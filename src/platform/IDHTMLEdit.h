#pragma once

#include "DHTMLEditCommands.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <functional>

class IHTMLDocument;
class QWidget;

// The HTML editing control: one page in design mode, its commands and its
// document model. The editor's command layer, the history, the dialogs and
// the spell checker use only these members. Made by CreateDHTMLEdit
// (PlatformFactory.h).
class IDHTMLEdit {
public:
    virtual ~IDHTMLEdit() = default;

    // The control's widget, for layouts, focus and enabling.
    virtual QWidget* widget() = 0;

    // The whole page. Setting it loads the page anew: Busy until the
    // document is complete, then OnDocumentComplete. Reading it while busy
    // gives the text being loaded.
    virtual QString DocumentHTML() = 0;
    virtual void SetDocumentHTML(const QString& html) = 0;
    // The page's folder: relative pictures, style sheets and links resolve
    // against it. Setting it reloads the page in that folder, edits kept.
    virtual QString BaseURL() const = 0;
    virtual void SetBaseURL(const QString& folder) = 0;

    // Show the borders of borderless tables; show the outlines of paragraphs
    // and other blocks. Neither changes the page's HTML.
    virtual bool ShowBorders() const = 0;
    virtual void SetShowBorders(bool show) = 0;
    virtual bool ShowDetails() const = 0;
    virtual void SetShowDetails(bool show) = 0;

    // Edited since the page was last set; false right after setting it.
    virtual bool IsDirty() = 0;
    // A number that moves with every change of the page's content and with
    // every page set: whoever keeps a copy of the page reads it again only
    // when this moved.
    virtual quint64 ChangeCount() = 0;
    // Waits until the page has taken every key already sent to it, so that
    // what is read next holds the last keystroke. Every read and command
    // does this itself; saving, switching pages and tabs may call it first.
    virtual void Flush() = 0;
    // A page is loading, or a call waits for the page's answer (a timer
    // runs meanwhile): callers make no document calls then.
    virtual bool Busy() const = 0;

    virtual IHTMLDocument* DOM() = 0;

    // Runs a command (DHTMLEdit::Command); `option` is OLECMDEXECOPT_DODEFAULT
    // for actions and OLECMDEXECOPT_DONTPROMPTUSER for reads. Set commands
    // take a text value. Reads answer their value; actions whether they ran.
    virtual QVariant ExecCommand(int cmdID, int option = DHTMLEdit::OLECMDEXECOPT_DODEFAULT,
                                 const QVariant& inValue = QVariant()) = 0;
    // DHTMLEdit::Status: 0 unsupported, 1 disabled, 3 enabled, 7 on, 11 mixed.
    virtual int QueryStatus(int cmdID) = 0;

    // The selection as a text that SelectBookmark puts back, also in the
    // same page text loaded again: both ends and the scroll position, a
    // caret included. DHTMLEdit::SelectionControlRecord while a control is
    // selected, SelectionNoneRecord while nothing is.
    virtual QString SelectionBookmark() = 0;
    // Selects the place of a SelectionBookmark; false for a text that is
    // none. A place the page no longer has is taken as near as it goes.
    virtual bool SelectBookmark(const QString& bookmark) = 0;

    // The context menu shown after OnShowContextMenu returns: up to 15
    // entries; an empty string is a separator, DHTMLEdit::MenuGreyed greys an
    // entry out.
    virtual void SetContextMenu(const QStringList& menuStrings, const QList<int>& menuStates) = 0;
    // An empty page.
    virtual void NewDocument() = 0;

    // Events.
    std::function<void()> OnDocumentComplete;
    // After any change of caret, selection or content.
    std::function<void()> OnDisplayChanged;
    // Before the context menu shows, at a position in the control's widget.
    std::function<void(int xPos, int yPos)> OnShowContextMenu;
    // An entry of the context menu was chosen (its index in SetContextMenu).
    std::function<void(int itemIndex)> OnContextMenuAction;
    // The author pressed the shortcut of an editing command (Ctrl+B: DECMD_BOLD,
    // Ctrl+X, Ctrl+C, Ctrl+V, Ctrl+A, Ctrl+I, Ctrl+U, Ctrl+T, Ctrl+Shift+T,
    // Ctrl+F) in the control. Unset, the control runs the command itself
    // when it is usable; the browser never does.
    std::function<void(int cmdID)> OnKeyCommand;
};
