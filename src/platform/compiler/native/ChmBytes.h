#pragma once

#include <QByteArray>

// Little-endian integers as the help file's tables store them.
inline void PutWord(QByteArray& out, quint16 value)
{
    out.append(char(value & 0xFF));
    out.append(char(value >> 8));
}

inline void PutDword(QByteArray& out, quint32 value)
{
    for (int shift = 0; shift < 32; shift += 8)
        out.append(char((value >> shift) & 0xFF));
}

inline void PutQword(QByteArray& out, quint64 value)
{
    PutDword(out, quint32(value));
    PutDword(out, quint32(value >> 32));
}
