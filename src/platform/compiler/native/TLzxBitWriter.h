#pragma once

#include <QByteArray>

// LZX's bit stream: bits fill 16-bit words from the most significant bit,
// and the words are stored little-endian.
class TLzxBitWriter {
public:
    void Put(quint32 value, int count);
    // Zero bits up to the next word, where each LZX frame ends.
    void AlignToWord();
    const QByteArray& Bytes() const { return m_bytes; }

private:
    QByteArray m_bytes;
    quint64 m_word = 0;
    int m_used = 0;
};
