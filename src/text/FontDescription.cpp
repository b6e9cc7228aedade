#include "FontDescription.h"

#include <QStringList>

QString FontToString(const TFont& font)
{
    QString styles;
    if (font.Bold)
        styles += u'B';
    if (font.Italic)
        styles += u'I';
    if (font.Underline)
        styles += u'U';
    if (font.StrikeOut)
        styles += u'S';
    return font.Name + u',' + QString::number(font.Size) + u',' + QString::number(font.Color) + QStringLiteral(",[")
        + styles + u']';
}

void StringToFont(const QString& text, TFont& font)
{
    const QStringList pieces = text.split(u',');
    if (pieces.size() != 4)
        return;
    bool sizeOk = false;
    bool colorOk = false;
    const int size = pieces[1].trimmed().toInt(&sizeOk);
    const int color = pieces[2].trimmed().toInt(&colorOk);
    if (!sizeOk || !colorOk)
        return;
    font.Name = pieces[0];
    font.Size = size;
    font.Color = color;
    font.Bold = pieces[3].contains(u'B');
    font.Italic = pieces[3].contains(u'I');
    font.Underline = pieces[3].contains(u'U');
    font.StrikeOut = pieces[3].contains(u'S');
}
