#include "TTagNameStack.h"

#include "TextSearch.h"

void TTagNameStack::Push(const QString& name, qsizetype value)
{
    const QString lower = ToLowerSameLength(name);
    IndexesByName[lower].append(Entries.size());
    Entries.append({lower, value});
}

qsizetype TTagNameStack::FindNearest(const QString& name) const
{
    const auto found = IndexesByName.constFind(ToLowerSameLength(name));
    if (found == IndexesByName.constEnd() || found->isEmpty())
        return -1;
    return found->constLast();
}

void TTagNameStack::PopTo(qsizetype index)
{
    if (index < 0)
        index = 0;
    while (Entries.size() > index) {
        const Entry& top = Entries.constLast();
        auto indexes = IndexesByName.find(top.Name);
        if (indexes != IndexesByName.end()) {
            indexes->removeLast();
            if (indexes->isEmpty())
                IndexesByName.erase(indexes);
        }
        Entries.removeLast();
    }
}
