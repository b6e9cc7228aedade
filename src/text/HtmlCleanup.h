#pragma once

#include <QString>

// Clean-up passes over HTML written by Word or by the HTML editor.

// Every span from `startMark` through the next `endMark` removed (exact case).
// A start mark without an end mark after it keeps the rest of the text.
QString RemoveBetween(const QString& text, const QString& startMark, const QString& endMark);

// Like RemoveBetween with both marks compared without case (and folded to
// lower case in the result). With `mustContain`, only spans that contain it
// (without case) are removed.
QString RemoveBetweenText(const QString& text, const QString& startMark, const QString& endMark,
                          const QString& mustContain = QString());

// Word's own markup (XML links, generator metas, conditional comments, empty
// o:p elements) removed from a page saved by Word; other pages unchanged.
QString CleanWordHtml(const QString& html);

// Empty colour attributes of table cells and rows, and attribute-less font
// elements, removed from the editor's output; then CollapseTagSpaces "font".
QString CleanEditorHtml(const QString& html);

// Inside each start tag "<" + name, every run of whitespace after the name
// becomes one space. Pages over 100000 characters are returned unchanged.
QString CollapseTagSpaces(const QString& html, const QString& name);
