#include "IndexKeywords.h"

QStringList KeywordLevels(const QString& keyword)
{
    if (!keyword.contains(u'/'))
        return QStringList{keyword};
    QStringList levels;
    QString level;
    for (qsizetype i = 0; i < keyword.size(); ++i) {
        if (keyword[i] != u'/') {
            level += keyword[i];
        } else if (i + 1 < keyword.size() && keyword[i + 1] == u'/') {
            level += u'/';
            ++i;
        } else {
            levels << level;
            level.clear();
        }
    }
    levels << level;
    return levels;
}
