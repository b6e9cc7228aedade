#include "ChmContextMap.h"

#include "ChmBytes.h"
#include "TChmStringTable.h"
#include "THhpProject.h"

#include <QHash>
#include <QSet>

QByteArray ChmContextMap(const THhpProject& project, TChmStringTable& strings,
                         const std::function<QByteArray(const QByteArray& projectPath)>& pageInHelp,
                         QStringList* warnings)
{
    QHash<QByteArray, quint32> numbers;
    for (const auto& [name, number] : project.Map)
        numbers.insert(name.toUpper(), number);
    QByteArray pairs;
    QSet<QByteArray> aliased;
    for (const auto& [name, target] : project.Aliases) {
        const auto number = numbers.constFind(name.toUpper());
        if (number == numbers.cend()) {
            warnings->append(QStringLiteral("The alias \"%1\" has no context number in [MAP]; it was left out.")
                                 .arg(QString::fromUtf8(name)));
            continue;
        }
        aliased.insert(name.toUpper());
        // "page.htm#part" maps to the page; the part is kept for the viewer.
        const qsizetype hash = target.indexOf('#');
        const QByteArray page = pageInHelp(hash < 0 ? target : target.left(hash));
        if (page.isEmpty()) {
            warnings->append(QStringLiteral("The alias \"%1\" names \"%2\", which is not in the help file; it was "
                                            "left out.")
                                 .arg(QString::fromUtf8(name), QString::fromUtf8(target)));
            continue;
        }
        PutDword(pairs, number.value());
        PutDword(pairs, strings.Add(hash < 0 ? page : page + target.mid(hash)));
    }
    for (const auto& [name, number] : project.Map)
        if (!aliased.contains(name.toUpper()))
            warnings->append(QStringLiteral("The context number %1 (\"%2\") has no alias in [ALIAS]; it opens no page.")
                                 .arg(number)
                                 .arg(QString::fromUtf8(name)));
    QByteArray ivb;
    PutDword(ivb, quint32(pairs.size()));
    return ivb + pairs;
}
