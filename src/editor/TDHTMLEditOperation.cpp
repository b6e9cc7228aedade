#include "TDHTMLEditOperation.h"

#include "IDHTMLEdit.h"
#include "IHTMLControlRange.h"
#include "IHTMLDocument.h"
#include "IHTMLElement.h"
#include "IHTMLTxtRange.h"
#include "QuorixError.h"

using namespace DHTMLEdit;
using namespace EditorMenus;

namespace {

const QString Html = QStringLiteral("HTML");
const QString Anchor = QStringLiteral("A");
const QString Picture = QStringLiteral("IMG");
const QString Row = QStringLiteral("TR");
const QString Table = QStringLiteral("TABLE");
const QString Href = QStringLiteral("href");
const QString TextSelection = QStringLiteral("Text");
const QString NoSelection = QStringLiteral("None");
const QString ControlSelection = QStringLiteral("Control");
const QString Character = QStringLiteral("character");

constexpr int SmallestFontSize = 1;
constexpr int LargestFontSize = 7;

bool usable(int status)
{
    return status >= DECMDF_ENABLED;
}

int menuState(bool normal)
{
    return normal ? MenuNormal : MenuGreyed;
}

} // namespace

TDHTMLEditOperation::TDHTMLEditOperation(IDHTMLEdit& edit)
    : m_edit(edit)
    , m_history(edit)
{
    OnDocumentComplete = m_edit.OnDocumentComplete;
    m_edit.OnDocumentComplete = [this] { DocumentComplete(); };
    m_edit.OnDisplayChanged = [this] { DisplayChanged(); };
    m_edit.OnShowContextMenu = [this](int, int) { ShowContextMenu(); };
    m_edit.OnContextMenuAction = [this](int index) { ContextMenuAction(index); };
    m_edit.OnKeyCommand = [this](int cmdID) { ExecCommand(cmdID); };
}

TDHTMLEditOperation::~TDHTMLEditOperation()
{
    m_edit.OnDocumentComplete = OnDocumentComplete;
    m_edit.OnDisplayChanged = nullptr;
    m_edit.OnShowContextMenu = nullptr;
    m_edit.OnContextMenuAction = nullptr;
    m_edit.OnKeyCommand = nullptr;
}

int TDHTMLEditOperation::status(int cmdID)
{
    return m_edit.QueryStatus(cmdID);
}

// ---- commands -----------------------------------------------------------------

bool TDHTMLEditOperation::ExecCommand(int cmdID, const QString& value)
{
    QVariant in;
    switch (cmdID) {
    case DECMD_SETBACKCOLOR:
        in = ColourText(CurrentBackColor);
        break;
    case DECMD_SETFORECOLOR:
        in = ColourText(CurrentForeColor);
        break;
    case DECMD_SETFONTSIZE: {
        bool number = false;
        const int size = value.trimmed().toInt(&number);
        if (!number || size < SmallestFontSize || size > LargestFontSize)
            return false; // <font size> knows 1 to 7 only
        in = QString::number(size);
        break;
    }
    case DECMD_SETFONTNAME:
        if (value == EditFontListCaption) {
            if (Hooks.EditFontList)
                Hooks.EditFontList();
            return false;
        }
        if (value.trimmed().isEmpty())
            return false;
        in = value.trimmed();
        break;
    case DECMD_SETBLOCKFMT:
        in = value;
        break;
    default:
        break;
    }
    if (!usable(status(cmdID)))
        return false;
    m_edit.ExecCommand(cmdID, OLECMDEXECOPT_DODEFAULT, in);
    return true;
}

void TDHTMLEditOperation::InsertHTML(const QString& html)
{
    IHTMLDocument* document = m_edit.DOM();
    if (document == nullptr)
        return;
    const std::shared_ptr<IHTMLTxtRange> range = document->createSelectionRange();
    range->pasteHTML(html);
    range->select(); // typing goes on after the fragment
}

void TDHTMLEditOperation::InsertElements(int tag)
{
    if (tag == EDTAG_HORIZONTALLINE)
        InsertHTML(QStringLiteral("<hr>"));
    else if (tag == EDTAG_LINEBREAK)
        InsertHTML(QStringLiteral("<BR>"));
}

void TDHTMLEditOperation::InsertCharacter(int tag)
{
    if (const TSpecialCharacter* character = SpecialCharacter(tag))
        InsertHTML(character->Html);
}

void TDHTMLEditOperation::EditTable(int tag)
{
    if (tag != 0)
        Run(tag);
}

const std::function<void()>* TDHTMLEditOperation::hookOf(int tag) const
{
    switch (tag) {
    case EDTAG_INSERTTABLE: return &Hooks.Table;
    case EDTAG_INSERTPICTURE: return &Hooks.InsertImage;
    case EDTAG_INSERTHYPERLINK: return &Hooks.InsertHyperlink;
    case EDTAG_INSERTBOOKMARK: return &Hooks.Bookmarks;
    case EDTAG_APPENDROW: return &Hooks.AppendRow;
    case EDTAG_APPENDCOLUMN: return &Hooks.AppendColumn;
    default: return nullptr;
    }
}

bool TDHTMLEditOperation::Offers(int tag) const
{
    if (tag == EDTAG_EXTERNALEDITOR)
        return bool(Hooks.ExternalEditor);
    const std::function<void()>* hook = hookOf(tag);
    return hook != nullptr && bool(*hook);
}

void TDHTMLEditOperation::Run(int tag)
{
    if (const std::function<void()>* hook = hookOf(tag)) {
        if (*hook)
            (*hook)();
        return;
    }
    switch (tag) {
    case EDTAG_HORIZONTALLINE:
    case EDTAG_LINEBREAK:
        InsertElements(tag);
        break;
    case EDTAG_UNDO:
        Undo();
        break;
    case EDTAG_REDO:
        Redo();
        break;
    case EDTAG_EXTERNALEDITOR:
        if (Hooks.ExternalEditor)
            Hooks.ExternalEditor(DefaultExtend);
        break;
    default:
        if (tag >= DECMD_BOLD)
            ExecCommand(tag);
        break;
    }
}

void TDHTMLEditOperation::ApplyForeColor(quint32 rgb)
{
    CurrentForeColor = rgb;
    ExecCommand(DECMD_SETFORECOLOR);
}

void TDHTMLEditOperation::ApplyBackColor(quint32 rgb)
{
    CurrentBackColor = rgb;
    ExecCommand(DECMD_SETBACKCOLOR);
}

bool TDHTMLEditOperation::ToggleShowBorders()
{
    m_edit.SetShowBorders(!m_edit.ShowBorders());
    return m_edit.ShowBorders();
}

bool TDHTMLEditOperation::ToggleShowDetails()
{
    m_edit.SetShowDetails(!m_edit.ShowDetails());
    return m_edit.ShowDetails();
}

// ---- history ------------------------------------------------------------------

void TDHTMLEditOperation::Undo()
{
    m_history.Undo();
}

void TDHTMLEditOperation::Redo()
{
    m_history.Redo();
}

void TDHTMLEditOperation::New()
{
    m_edit.NewDocument();
    m_history.Clear();
}

void TDHTMLEditOperation::Load(const QString& html, const QString& folder)
{
    m_history.Clear();
    m_edit.SetDocumentHTML(html);
    m_edit.SetBaseURL(folder);
}

// ---- the selection ---------------------------------------------------------------

QString TDHTMLEditOperation::GetSelText()
{
    IHTMLDocument* document = m_edit.DOM();
    if (document == nullptr || document->selectionType() != TextSelection)
        return QString();
    return document->createSelectionRange()->text();
}

QString TDHTMLEditOperation::GetSelHTML()
{
    IHTMLDocument* document = m_edit.DOM();
    if (document == nullptr || document->selectionType() != TextSelection)
        return QString();
    return document->createSelectionRange()->htmlText();
}

THtmlElementPtr TDHTMLEditOperation::GetElementUnderCaret()
{
    IHTMLDocument* document = m_edit.DOM();
    if (document == nullptr || m_edit.Busy())
        return nullptr;
    const QString type = document->selectionType();
    if (type == NoSelection || type == TextSelection) {
        const std::shared_ptr<IHTMLTxtRange> range = document->createSelectionRange();
        const bool hasText = !range->text().isEmpty();
        range->collapse(true);
        if (hasText)
            range->moveStart(Character, 1); // into the first selected character
        return range->parentElement();
    }
    if (type == ControlSelection) {
        const std::shared_ptr<IHTMLControlRange> controls = document->createControlRange();
        return controls ? controls->commonParentElement() : nullptr;
    }
    return nullptr;
}

bool TDHTMLEditOperation::SelectionIsControl()
{
    if (m_edit.Busy())
        return false;
    try {
        return m_edit.SelectionBookmark() == QStringView(SelectionControlRecord);
    } catch (const EQuorixError&) {
        return false;
    }
}

bool TDHTMLEditOperation::SomethingSelected()
{
    IHTMLDocument* document = m_edit.DOM();
    return document != nullptr && !m_edit.Busy() && document->selectionType() != NoSelection;
}

THtmlElementPtr TDHTMLEditOperation::GetParent(const THtmlElementPtr& start, const QString& tagName)
{
    if (m_edit.Busy() || !start)
        return nullptr;
    for (THtmlElementPtr element = start->parentElement(); element; element = element->parentElement()) {
        const QString tag = element->tagName();
        if (tag == Html)
            return nullptr;
        if (tag == tagName)
            return element;
    }
    return nullptr;
}

// ---- refresh ---------------------------------------------------------------------

const QList<int>& TDHTMLEditOperation::ServedTags()
{
    static const QList<int> tags{
        EDTAG_EXTERNALEDITOR, DECMD_FINDTEXT, EDTAG_SHOWBORDERS, EDTAG_SHOWDETAILS, EDTAG_UNDO, EDTAG_REDO,
        DECMD_CUT, DECMD_COPY, DECMD_PASTE, EDTAG_INSERTPICTURE, EDTAG_INSERTHYPERLINK, EDTAG_INSERTBOOKMARK,
        EDTAG_HORIZONTALLINE, EDTAG_LINEBREAK, EDTAG_SPECIALCHARACTER, EDTAG_INSERTTABLE, EDTAG_TABLEEDIT,
        DECMD_OUTDENT, DECMD_INDENT, DECMD_SETFONTNAME, DECMD_SETFONTSIZE, DECMD_SETBLOCKFMT, DECMD_REMOVEFORMAT,
        DECMD_BOLD, DECMD_ITALIC, DECMD_UNDERLINE, DECMD_JUSTIFYLEFT, DECMD_JUSTIFYCENTER, DECMD_JUSTIFYRIGHT,
        DECMD_ORDERLIST, DECMD_UNORDERLIST, DECMD_SETFORECOLOR, DECMD_SETBACKCOLOR, DECMD_INSERTROW, DECMD_INSERTCOL,
        EDTAG_APPENDROW, EDTAG_APPENDCOLUMN, DECMD_DELETEROWS, DECMD_DELETECOLS};
    return tags;
}

TEditorControlState TDHTMLEditOperation::comboState(int tag, int status)
{
    TEditorControlState state;
    const bool known = status == DECMDF_ENABLED || status == DECMDF_LATCHED;
    state.Enabled = known || status == DECMDF_NINCHED;
    state.HasText = known || tag != DECMD_SETBLOCKFMT;
    if (!known)
        return state;
    switch (tag) {
    case DECMD_SETBLOCKFMT:
        state.Text = m_edit.ExecCommand(DECMD_GETBLOCKFMT, OLECMDEXECOPT_DONTPROMPTUSER).toString();
        break;
    case DECMD_SETFONTNAME:
        state.Text = m_edit.ExecCommand(DECMD_GETFONTNAME, OLECMDEXECOPT_DONTPROMPTUSER).toString();
        break;
    case DECMD_SETFONTSIZE: {
        const int size = m_edit.ExecCommand(DECMD_GETFONTSIZE, OLECMDEXECOPT_DONTPROMPTUSER).toInt();
        if (size >= SmallestFontSize && size <= LargestFontSize)
            state.Text = QString::number(size);
        break;
    }
    default:
        break;
    }
    return state;
}

TEditorStates TDHTMLEditOperation::States(const QList<int>& tags)
{
    TEditorStates states;
    const bool control = SelectionIsControl();
    for (int tag : tags) {
        TEditorControlState state;
        if (tag > EDTAG_INSERTTABLE && tag <= EDTAG_TABLEEDIT) {
            state.Enabled = !control; // the line, rule, character and table buttons
        } else if (tag == EDTAG_APPENDROW || tag == EDTAG_APPENDCOLUMN) {
            state.Enabled = Offers(tag) && usable(status(DECMD_INSERTROW));
        } else if (tag == EDTAG_INSERTTABLE || tag == EDTAG_EXTERNALEDITOR || hookOf(tag) != nullptr) {
            state.Enabled = Offers(tag); // what later parts provide
        } else if (tag == EDTAG_SHOWBORDERS || tag == EDTAG_SHOWDETAILS) {
            // Down as the control shows it, also when the window set it.
            state.Down = tag == EDTAG_SHOWBORDERS ? m_edit.ShowBorders() : m_edit.ShowDetails();
        } else if (tag == EDTAG_UNDO) {
            state.Enabled = m_history.CanUndo();
        } else if (tag == EDTAG_REDO) {
            state.Enabled = m_history.CanRedo();
        } else if (tag == DECMD_SETBLOCKFMT || tag == DECMD_SETFONTNAME || tag == DECMD_SETFONTSIZE) {
            state = comboState(tag, status(tag));
        } else if (tag >= DECMD_BOLD) {
            const int current = status(tag);
            state.Enabled = usable(current);
            state.Down = current == DECMDF_LATCHED;
        } else {
            continue; // keeps what it shows
        }
        states.insert(tag, state);
    }
    return states;
}

void TDHTMLEditOperation::DisplayChanged()
{
    if (m_edit.Busy() || (ControlEnabled && !ControlEnabled()))
        return;
    m_history.Look();
    if (OnRefresh)
        OnRefresh();
    if (Hooks.ShowBookmarkDetail)
        Hooks.ShowBookmarkDetail();
}

void TDHTMLEditOperation::fillBlockFormats()
{
    QStringList names;
    try {
        if (usable(status(DECMD_GETBLOCKFMTNAMES)))
            names = m_edit.ExecCommand(DECMD_GETBLOCKFMTNAMES, OLECMDEXECOPT_DONTPROMPTUSER).toStringList();
    } catch (const EQuorixError&) {
        // The box shows what was had; a page that cannot say keeps it empty.
    }
    if (OnBlockFormats)
        OnBlockFormats(names);
}

void TDHTMLEditOperation::DocumentComplete()
{
    if (OnDocumentComplete)
        OnDocumentComplete();
    fillBlockFormats();
    m_history.RestoreSelection();
}

// ---- the context menu ------------------------------------------------------------

void TDHTMLEditOperation::ShowContextMenu()
{
    const THtmlElementPtr element = GetElementUnderCaret();
    const QString tag = element ? element->tagName() : QString();
    const bool control = SelectionIsControl();
    auto offered = [](const std::function<void()>& command, bool when) { return menuState(command && when); };

    QList<int> states(ContextItemCount, MenuNormal);
    states[CtxCut] = menuState(usable(status(DECMD_CUT)));
    states[CtxCopy] = menuState(usable(status(DECMD_COPY)));
    states[CtxPaste] = menuState(usable(status(DECMD_PASTE)));
    const bool keywordsPage = Hooks.KeywordsPageVisible && Hooks.KeywordsPageVisible();
    states[CtxSetAsKeywords] = offered(Hooks.AddToKeywords, keywordsPage && !GetSelText().trimmed().isEmpty());
    states[CtxBookmark] = offered(Hooks.Bookmarks, !control || (tag == Anchor && !element->hasAttribute(Href)));
    states[CtxHyperlink] = offered(Hooks.InsertHyperlink, tag != Anchor || !element->getAttribute(Href).isEmpty());
    states[CtxImageProperties] = offered(Hooks.PictureProperties, tag == Picture);
    states[CtxCellProperties] = offered(Hooks.CellProperties, GetParent(element, Row) != nullptr);
    states[CtxTableProperties] = offered(Hooks.TableProperties, tag == Table || GetParent(element, Table) != nullptr);
    states[CtxPageProperties] = menuState(bool(Hooks.PageProperties));
    m_edit.SetContextMenu(ContextMenuStrings(), states);
}

void TDHTMLEditOperation::ContextMenuAction(int itemIndex)
{
    auto run = [](const std::function<void()>& command) {
        if (command)
            command();
    };
    switch (itemIndex) {
    case CtxCut: ExecCommand(DECMD_CUT); break;
    case CtxCopy: ExecCommand(DECMD_COPY); break;
    case CtxPaste: ExecCommand(DECMD_PASTE); break;
    case CtxSelectAll: ExecCommand(DECMD_SELECTALL); break;
    case CtxFont: ExecCommand(DECMD_FONT); break;
    case CtxSetAsKeywords: run(Hooks.AddToKeywords); break;
    case CtxBookmark: run(Hooks.Bookmarks); break;
    case CtxHyperlink: run(Hooks.InsertHyperlink); break;
    case CtxImageProperties: run(Hooks.PictureProperties); break;
    case CtxCellProperties: run(Hooks.CellProperties); break;
    case CtxTableProperties: run(Hooks.TableProperties); break;
    case CtxPageProperties: run(Hooks.PageProperties); break;
    default: break;
    }
}
