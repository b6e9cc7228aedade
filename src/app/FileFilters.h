#pragma once

#include <QString>

// A file-dialog filter written as "Description|*.a;*.b|Other|*.c" in the
// form Qt's dialogs read ("Description (*.a *.b);;Other (*.c)"). A
// description that already ends with its patterns in brackets keeps its
// text, with the patterns separated by blanks.
QString QtFileFilter(const QString& filter);
