#pragma once

#include <QByteArray>

class THhpProject;

// The "/#SYSTEM" object: the help's title, default topic, contents and index
// file, language and default window and font, as readers look them up.
// `contentsName` and `indexName` are the names stored in the help file
// (without the leading "/"), empty when it has none.
QByteArray ChmSystemFile(const THhpProject& project, quint32 languageId, const QByteArray& contentsName,
                         const QByteArray& indexName, const QByteArray& compiledBaseName);
