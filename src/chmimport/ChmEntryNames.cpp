#include "ChmEntryNames.h"

#include "CodePages.h"

#include <QRegularExpression>
#include <QSet>

namespace {

const char* const SystemObjects[] = {
    "/#IDXHDR", "/#ITBITS", "/#IVB", "/#STRINGS", "/#SYSTEM", "/#TOCIDX", "/#TOPICS",
    "/#URLSTR", "/#URLTBL", "/#WINDOWS", "/$FIftiMain", "/$OBJINST", "/#SUBSETS"};
const char* const SystemFolders[] = {"/$WWAssociativeLinks/", "/$WWKeywordLinks/", "::DataSpace/"};

} // namespace

bool IsChmSystemObject(const QByteArray& name)
{
    static const QSet<QByteArray> objects = [] {
        QSet<QByteArray> set;
        for (const char* object : SystemObjects)
            set.insert(QByteArray(object));
        return set;
    }();
    if (objects.contains(name))
        return true;
    for (const char* folder : SystemFolders) {
        if (name.startsWith(folder))
            return true;
    }
    return false;
}

QStringList SafeChmEntryParts(const QByteArray& name, int codePage)
{
    QString text;
    if (!DecodeValidUtf8(name, text))
        text = AnsiToText(name, codePage);
    static const QRegularExpression separators(QStringLiteral("[/\\\\]"));
    static const QRegularExpression drive(QStringLiteral("^[A-Za-z]:"));
    QStringList parts;
    for (const QString& part : text.split(separators, Qt::SkipEmptyParts)) {
        if (part == QLatin1String("."))
            continue;
        if (part == QLatin1String("..") || part.contains(QChar(0)) || (parts.isEmpty() && drive.match(part).hasMatch()))
            return QStringList();
        parts << part;
    }
    return parts;
}
