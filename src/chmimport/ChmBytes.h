#pragma once

#include <QByteArray>

// Little-endian numbers in the data of a compiled help file; 0 for a
// number that would run past the end.
inline quint16 ChmWord(const QByteArray& bytes, qsizetype at)
{
    if (at < 0 || at + 2 > bytes.size())
        return 0;
    return quint16(quint8(bytes[at]) | quint8(bytes[at + 1]) << 8);
}

inline quint32 ChmDWord(const QByteArray& bytes, qsizetype at)
{
    if (at < 0 || at + 4 > bytes.size())
        return 0;
    return quint32(ChmWord(bytes, at)) | quint32(ChmWord(bytes, at + 2)) << 16;
}
