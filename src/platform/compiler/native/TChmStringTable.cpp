#include "TChmStringTable.h"

namespace {
constexpr qsizetype BlockSize = 0x1000;
}

TChmStringTable::TChmStringTable()
    : m_bytes(1, '\0')
{
    m_offsets.insert(QByteArray(), 0);
}

quint32 TChmStringTable::Add(const QByteArray& text)
{
    const auto found = m_offsets.constFind(text);
    if (found != m_offsets.cend())
        return found.value();
    const quint32 offset = AppendUnsplit(m_bytes, text + '\0');
    m_offsets.insert(text, offset);
    return offset;
}

quint32 TChmStringTable::AppendUnsplit(QByteArray& table, const QByteArray& entry)
{
    const qsizetype inBlock = table.size() % BlockSize;
    if (entry.size() <= BlockSize && inBlock + entry.size() > BlockSize)
        table.append(BlockSize - inBlock, '\0');
    const quint32 offset = quint32(table.size());
    table += entry;
    return offset;
}
