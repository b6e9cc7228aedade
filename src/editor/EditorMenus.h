#pragma once

#include <QList>
#include <QString>
#include <QStringList>

// The fixed contents of the editor's drop-downs and context menu.
namespace EditorMenus {

// Colours are 0xRRGGBB.
struct TColour {
    QString Name;
    quint32 Rgb;
};
// The colour menus, in menu order; each item's Tag is its index.
const QList<TColour>& ColourTable();
// "#rrggbb", two lower-case hexadecimal digits each.
QString ColourText(quint32 rgb);
// The colour menus' last item, "Custom...": the colour picker.
constexpr int CustomColourTag = -1;
const QString CustomColourCaption = QStringLiteral("Custom...");
// What the two colour buttons apply at start: red and yellow.
constexpr quint32 StartForeColour = 0xff0000;
constexpr quint32 StartBackColour = 0xffff00;

struct TSpecialCharacter {
    int Tag;
    QString Caption;
    QString Html;  // what is inserted
    QString Glyph; // what its picture shows
};
// The special-character menu, Tags 1 to 8.
const QList<TSpecialCharacter>& SpecialCharacters();
// The character the button inserts at start: the copyright sign.
constexpr int StartSpecialCharacter = 3;
const TSpecialCharacter* SpecialCharacter(int tag);

// The table-editing menu; Tag 0 is a separator.
struct TTableEditItem {
    int Tag;
    QString Caption;
};
const QList<TTableEditItem>& TableEditItems();
// What the button does at start: insert a row.
int StartTableEditTag();
QString TableEditCaption(int tag);

// The editor's context menu, by index.
enum ContextItem {
    CtxCut,
    CtxCopy,
    CtxPaste,
    CtxSeparator1,
    CtxSetAsKeywords,
    CtxSeparator2,
    CtxSelectAll,
    CtxFont,
    CtxSeparator3,
    CtxBookmark,
    CtxHyperlink,
    CtxImageProperties,
    CtxCellProperties,
    CtxTableProperties,
    CtxPageProperties,
    ContextItemCount
};
QStringList ContextMenuStrings();
// The font-name box's last entry, the options' command to edit the list;
// never a font name.
const QString EditFontListCaption = QStringLiteral("Edit list...");

} // namespace EditorMenus
