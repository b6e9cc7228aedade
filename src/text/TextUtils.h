#pragma once

#include <QString>
#include <QStringList>

// Small text utilities.

// The pieces between the delimiters, each trimmed of blanks and control
// characters; the piece after the last delimiter is always there ("a,b,"
// gives three pieces). An empty text gives an empty list.
QStringList SplitAndTrim(const QString& text, const QString& delimiter);

// The first run of decimal digits as a number (capped at INT_MAX); 0 if none.
int FirstNumber(const QString& text);

// Whether two texts (compared without case) share long enough runs of
// characters in order to be the same title or navigation text with small
// changes. Texts under 5 characters are similar only when equal.
bool IsSimilarText(const QString& a, const QString& b);

// The charset a new project starts with: "UTF-8".
QString DefaultCharsetName();
