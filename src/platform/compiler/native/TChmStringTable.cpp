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
    const qsizetype length = text.size() + 1;
    const qsizetype inBlock = m_bytes.size() % BlockSize;
    if (length <= BlockSize && inBlock + length > BlockSize)
        m_bytes.append(BlockSize - inBlock, '\0');
    const quint32 offset = quint32(m_bytes.size());
    m_bytes += text;
    m_bytes += '\0';
    m_offsets.insert(text, offset);
    return offset;
}
