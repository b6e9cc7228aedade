#include "EditorMenus.h"

#include "DHTMLEditCommands.h"

namespace EditorMenus {

const QList<TColour>& ColourTable()
{
    static const QList<TColour> table{
        {QStringLiteral("Black"), 0x000000},      {QStringLiteral("Maroon"), 0x800000},
        {QStringLiteral("Green"), 0x008000},      {QStringLiteral("Olive"), 0x808000},
        {QStringLiteral("Navy"), 0x000080},       {QStringLiteral("Purple"), 0x800080},
        {QStringLiteral("Teal"), 0x008080},       {QStringLiteral("Gray"), 0x808080},
        {QStringLiteral("Silver"), 0xc0c0c0},     {QStringLiteral("Red"), 0xff0000},
        {QStringLiteral("Lime"), 0x00ff00},       {QStringLiteral("Yellow"), 0xffff00},
        {QStringLiteral("Blue"), 0x0000ff},       {QStringLiteral("Fuchsia"), 0xff00ff},
        {QStringLiteral("Aqua"), 0x00ffff},       {QStringLiteral("LtGray"), 0xc0c0c0},
        {QStringLiteral("DkGray"), 0x808080},     {QStringLiteral("White"), 0xffffff},
        {QStringLiteral("MoneyGreen"), 0xc0dcc0}, {QStringLiteral("SkyBlue"), 0xa6caf0},
        {QStringLiteral("Cream"), 0xfffbf0},      {QStringLiteral("MedGray"), 0xa0a0a4},
    };
    return table;
}

QString ColourText(quint32 rgb)
{
    return QStringLiteral("#%1").arg(rgb & 0xffffff, 6, 16, QLatin1Char('0'));
}

const QList<TSpecialCharacter>& SpecialCharacters()
{
    static const QList<TSpecialCharacter> table{
        {1, QStringLiteral("Line break(Shift-Enter)"), QStringLiteral("<br>"), QStringLiteral("\u21b5")},
        {2, QStringLiteral("Non-breaking space"), QStringLiteral("&nbsp;"), QStringLiteral("\u2423")},
        {3, QStringLiteral("Copyright"), QStringLiteral("&copy;"), QStringLiteral("\u00a9")},
        {4, QStringLiteral("Registered trademark"), QStringLiteral("&reg;"), QStringLiteral("\u00ae")},
        {5, QStringLiteral("Trademark"), QStringLiteral("&#8482;"), QStringLiteral("\u2122")},
        {6, QStringLiteral("Euro"), QStringLiteral("&#8364;"), QStringLiteral("\u20ac")},
        {7, QStringLiteral("Pound"), QStringLiteral("&pound;"), QStringLiteral("\u00a3")},
        {8, QStringLiteral("Yen"), QStringLiteral("&yen;"), QStringLiteral("\u00a5")},
    };
    return table;
}

const TSpecialCharacter* SpecialCharacter(int tag)
{
    for (const TSpecialCharacter& character : SpecialCharacters()) {
        if (character.Tag == tag)
            return &character;
    }
    return nullptr;
}

const QList<TTableEditItem>& TableEditItems()
{
    using namespace DHTMLEdit;
    static const QList<TTableEditItem> table{
        {DECMD_INSERTROW, QStringLiteral("Insert Row")},
        {DECMD_INSERTCOL, QStringLiteral("Insert Column")},
        {EDTAG_APPENDROW, QStringLiteral("Append Row")},
        {EDTAG_APPENDCOLUMN, QStringLiteral("Append Column")},
        {0, QString()},
        {DECMD_DELETEROWS, QStringLiteral("Delete Rows")},
        {DECMD_DELETECOLS, QStringLiteral("Delete Columns")},
    };
    return table;
}

int StartTableEditTag()
{
    return DHTMLEdit::DECMD_INSERTROW;
}

QString TableEditCaption(int tag)
{
    for (const TTableEditItem& item : TableEditItems()) {
        if (item.Tag == tag)
            return item.Caption;
    }
    return QString();
}

QStringList ContextMenuStrings()
{
    return {QStringLiteral("Cut"),
            QStringLiteral("Copy"),
            QStringLiteral("Paste"),
            QString(),
            QStringLiteral("Set as keywords"),
            QString(),
            QStringLiteral("Select All"),
            QStringLiteral("Font..."),
            QString(),
            QStringLiteral("Bookmark..."),
            QStringLiteral("Hyperlink..."),
            QStringLiteral("Image properties..."),
            QStringLiteral("Cell properties..."),
            QStringLiteral("Table properties..."),
            QStringLiteral("Page properties...")};
}

} // namespace EditorMenus
