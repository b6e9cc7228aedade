#include "TLzxBitWriter.h"

namespace {
constexpr int WordBits = 16;
}

void TLzxBitWriter::Put(quint32 value, int count)
{
    if (count == 0)
        return;
    m_word = (m_word << count) | (value & ((quint64(1) << count) - 1));
    m_used += count;
    while (m_used >= WordBits) {
        const quint32 word = quint32(m_word >> (m_used - WordBits)) & 0xFFFF;
        m_bytes.append(char(word & 0xFF));
        m_bytes.append(char(word >> 8));
        m_used -= WordBits;
    }
    m_word &= (quint64(1) << m_used) - 1;
}

void TLzxBitWriter::AlignToWord()
{
    if (m_used)
        Put(0, WordBits - m_used);
}
