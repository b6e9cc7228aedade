#pragma once

// Command identifiers and status values of the editing control
// (IDHTMLEdit::ExecCommand and IDHTMLEdit::QueryStatus).
namespace DHTMLEdit {

enum Command {
    DECMD_BOLD = 5000,
    DECMD_COPY = 5002,
    DECMD_CUT = 5003,
    DECMD_DELETE = 5004,
    DECMD_DELETECOLS = 5006,
    DECMD_DELETEROWS = 5007,
    DECMD_FINDTEXT = 5008,       // the control's find dialog
    DECMD_FONT = 5009,           // the control's font dialog
    DECMD_GETBLOCKFMT = 5011,    // read: the block format name at the selection
    DECMD_GETBLOCKFMTNAMES = 5012, // read: every block format name (a QStringList)
    DECMD_GETFONTNAME = 5013,    // read
    DECMD_GETFONTSIZE = 5014,    // read: 1-7, 0 when unknown
    DECMD_INDENT = 5018,
    DECMD_INSERTCOL = 5020,      // a column left of the caret's cell
    DECMD_INSERTROW = 5021,      // a row above the caret's row
    DECMD_ITALIC = 5023,
    DECMD_JUSTIFYCENTER = 5024,
    DECMD_JUSTIFYLEFT = 5025,
    DECMD_JUSTIFYRIGHT = 5026,
    DECMD_ORDERLIST = 5030,
    DECMD_OUTDENT = 5031,
    DECMD_PASTE = 5032,
    DECMD_REMOVEFORMAT = 5034,
    DECMD_SELECTALL = 5035,
    DECMD_SETBACKCOLOR = 5042,   // value: colour text "#rrggbb"
    DECMD_SETBLOCKFMT = 5043,    // value: one of the block format names
    DECMD_SETFONTNAME = 5044,    // value: a font family
    DECMD_SETFONTSIZE = 5045,    // value: "1" to "7"
    DECMD_SETFORECOLOR = 5046,   // value: colour text "#rrggbb"
    DECMD_UNDERLINE = 5048,
    DECMD_UNORDERLIST = 5051,
};

// QueryStatus results; a command is usable at DECMDF_ENABLED or above.
enum Status {
    DECMDF_NOTSUPPORTED = 0,
    DECMDF_DISABLED = 1,
    DECMDF_ENABLED = 3,
    DECMDF_LATCHED = 7, // on: bold text, a centred paragraph, ...
    DECMDF_NINCHED = 11, // mixed: the selection holds both states or several values
};

// ExecCommand options.
enum ExecOption {
    OLECMDEXECOPT_DODEFAULT = 0, // actions
    OLECMDEXECOPT_DONTPROMPTUSER = 2, // reads
};

} // namespace DHTMLEdit
