#pragma once

// Command identifiers and status values of the editing control
// (IDHTMLEdit::ExecCommand and IDHTMLEdit::QueryStatus), and the Tags of the
// editor's own commands that the window's editor tool bars and menus carry.
namespace DHTMLEdit {

// The control's commands, numbered as the DHTML editing control numbers
// them; the window's command buttons carry these numbers as their Tags.
// Those marked "not offered" answer QueryStatus 0: Quorix keeps its own
// undo history and has its own table, picture and hyperlink dialogs.
enum Command {
    DECMD_BOLD = 5000,
    DECMD_COPY = 5002,
    DECMD_CUT = 5003,
    DECMD_DELETE = 5004,
    DECMD_DELETECELLS = 5005,    // not offered
    DECMD_DELETECOLS = 5006,
    DECMD_DELETEROWS = 5007,
    DECMD_FINDTEXT = 5008,       // the control's find dialog
    DECMD_FONT = 5009,           // the control's font dialog
    DECMD_GETBACKCOLOR = 5010,   // not offered
    DECMD_GETBLOCKFMT = 5011,    // read: the block format name at the selection
    DECMD_GETBLOCKFMTNAMES = 5012, // read: every block format name (a QStringList)
    DECMD_GETFONTNAME = 5013,    // read
    DECMD_GETFONTSIZE = 5014,    // read: 1-7, 0 when unknown
    DECMD_GETFORECOLOR = 5015,   // not offered
    DECMD_HYPERLINK = 5016,      // not offered
    DECMD_IMAGE = 5017,          // not offered
    DECMD_INDENT = 5018,
    DECMD_INSERTCELL = 5019,     // not offered
    DECMD_INSERTCOL = 5020,      // a column left of the caret's cell
    DECMD_INSERTROW = 5021,      // a row above the caret's row
    DECMD_INSERTTABLE = 5022,    // not offered
    DECMD_ITALIC = 5023,
    DECMD_JUSTIFYCENTER = 5024,
    DECMD_JUSTIFYLEFT = 5025,
    DECMD_JUSTIFYRIGHT = 5026,
    DECMD_LOCK_ELEMENT = 5027,   // not offered
    DECMD_MAKE_ABSOLUTE = 5028,  // not offered
    DECMD_MERGECELLS = 5029,     // not offered
    DECMD_ORDERLIST = 5030,
    DECMD_OUTDENT = 5031,
    DECMD_PASTE = 5032,
    DECMD_REDO = 5033,           // not offered
    DECMD_REMOVEFORMAT = 5034,
    DECMD_SELECTALL = 5035,
    DECMD_SEND_BACKWARD = 5036,  // not offered
    DECMD_BRING_FORWARD = 5037,  // not offered
    DECMD_SEND_BELOW_TEXT = 5038, // not offered
    DECMD_BRING_ABOVE_TEXT = 5039, // not offered
    DECMD_SEND_TO_BACK = 5040,   // not offered
    DECMD_BRING_TO_FRONT = 5041, // not offered
    DECMD_SETBACKCOLOR = 5042,   // value: colour text "#rrggbb"
    DECMD_SETBLOCKFMT = 5043,    // value: one of the block format names
    DECMD_SETFONTNAME = 5044,    // value: a font family
    DECMD_SETFONTSIZE = 5045,    // value: "1" to "7"
    DECMD_SETFORECOLOR = 5046,   // value: colour text "#rrggbb"
    DECMD_SPLITCELL = 5047,      // not offered
    DECMD_UNDERLINE = 5048,
    DECMD_UNDO = 5049,           // not offered
    DECMD_UNLINK = 5050,         // not offered
    DECMD_UNORDERLIST = 5051,
    DECMD_PROPERTIES = 5052,     // not offered
};

// QueryStatus results; a command is usable at DECMDF_ENABLED or above.
enum Status {
    DECMDF_NOTSUPPORTED = 0,
    DECMDF_DISABLED = 1,
    DECMDF_ENABLED = 3,
    DECMDF_LATCHED = 7, // on: bold text, a centred paragraph, ...
    DECMDF_NINCHED = 11, // mixed: the selection holds both states or several values
};

// IDHTMLEdit::SelectionBookmark when no text range is selected.
inline constexpr char16_t SelectionControlRecord[] = u"[Control]"; // a picture, a table, a rule...
inline constexpr char16_t SelectionNoneRecord[] = u"[None]";       // no selection at all

// ExecCommand options.
enum ExecOption {
    OLECMDEXECOPT_DODEFAULT = 0, // actions
    OLECMDEXECOPT_DONTPROMPTUSER = 2, // reads
};

// IDHTMLEdit::SetContextMenu entry states.
enum ContextMenuState {
    MenuNormal = 0,
    MenuGreyed = 2,
};

// Tags of the editor's own commands and controls, below the control's
// command numbers: the editor command layer finds and runs them itself.
enum EditorTag {
    EDTAG_EDITOR = 4000,          // the editing control
    EDTAG_IMAGELIST = 4001,       // the tool bars' pictures
    EDTAG_SHOWBORDERS = 4002,     // check: ShowBorders
    EDTAG_SHOWDETAILS = 4003,     // check: ShowDetails
    EDTAG_INSERTTABLE = 4100,
    EDTAG_HORIZONTALLINE = 4102,  // inserts "<hr>"
    EDTAG_LINEBREAK = 4103,       // inserts "<BR>"
    EDTAG_SPECIALCHARACTER = 4104, // drop-down; repeats the last character
    EDTAG_TABLEEDIT = 4105,       // drop-down; repeats the last table command
    EDTAG_EXTERNALEDITOR = 4106,  // drop-down
    EDTAG_INSERTPICTURE = 4107,
    EDTAG_INSERTHYPERLINK = 4108,
    EDTAG_APPENDROW = 4109,       // items of the table-editing drop-down
    EDTAG_APPENDCOLUMN = 4110,
    EDTAG_INSERTBOOKMARK = 4114,
    EDTAG_UNDO = 4200,
    EDTAG_REDO = 4201,
};

} // namespace DHTMLEdit
