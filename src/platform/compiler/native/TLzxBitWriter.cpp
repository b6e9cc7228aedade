#include "TLzxBitWriter.h"

namespace {
constexpr int WordBits = 16;
}

void TLzxBitWriter::Put(quint32 value, int count)
{
    for (int bit = count - 1; bit >= 0; --bit) {
        m_word = (m_word << 1) | ((value >> bit) & 1);
        if (++m_used == WordBits) {
            m_bytes.append(char(m_word & 0xFF));
            m_bytes.append(char((m_word >> 8) & 0xFF));
            m_word = 0;
            m_used = 0;
        }
    }
}

void TLzxBitWriter::AlignForRawData()
{
    Put(0, WordBits - m_used);
}
