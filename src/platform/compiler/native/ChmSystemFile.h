#pragma once

#include <QByteArray>

class THhpProject;

// The "/#SYSTEM" object: the help's title, default topic, contents and index
// file, language and default window and font, as readers look them up.
// `contentsName`, `indexName` and `defaultTopic` are names stored in the
// help file (without the leading "/"), empty when it has none.
struct TChmSystemNames {
    QByteArray Contents;
    QByteArray Index;
    QByteArray DefaultTopic;
    QByteArray CompiledBaseName;
};
QByteArray ChmSystemFile(const THhpProject& project, quint32 languageId, const TChmSystemNames& names);
