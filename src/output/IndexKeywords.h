#pragma once

#include <QStringList>

// The levels of an index keyword: "/" separates them, "//" is a literal "/".
// Always at least one level (the empty keyword has one empty level).
QStringList KeywordLevels(const QString& keyword);
