#pragma once

#include <QString>

// `edited`, a page as the editor gives it back after an edit, with the text
// around its body put back as `loaded` had it where only the editor's way of
// writing changed it: the whitespace between the tags before the body and
// after it, and the line ends the editor moves from behind "</body>" into
// the body. What the author changed there (a title, a style) stays.
QString KeepUnchangedSurroundings(const QString& loaded, const QString& edited);
