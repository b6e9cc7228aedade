#include "ChmHeaderRepair.h"

#include <QByteArray>
#include <QFile>
#include <QList>
#include <QtEndian>

namespace {

// ITSF header: signature, version, header length, ..., two GUIDs, the
// header sections' offsets and lengths.
constexpr qsizetype ItsfSecondGuid = 0x28;
constexpr qsizetype ItsfDirectoryOffset = 0x48;
constexpr qsizetype ItsfDirectoryLength = 0x50;
constexpr qsizetype ItsfMinimumLength = 0x58;

// ITSP header at the start of the directory, followed by its chunks.
constexpr qsizetype ItspLength = 0x54;
constexpr qsizetype ItspChunkSize = 0x10;
constexpr qsizetype ItspFirstListingChunk = 0x20;
constexpr qsizetype ItspLastListingChunk = 0x24;
constexpr qsizetype ItspChunkCount = 0x2C;

// Listing chunk ("PMGL") header: previous and next listing chunk, -1 at the
// ends.
constexpr qsizetype PmglPrevious = 0x0C;
constexpr qsizetype PmglNext = 0x10;
constexpr qsizetype PmglHeaderLength = 0x14;

// {7C01FD11-7BAA-11D0-9E0C-00A0C922E6EC} as stored.
const QByteArray SecondItsfGuid("\x11\xFD\x01\x7C\xAA\x7B\xD0\x11\x9E\x0C\x00\xA0\xC9\x22\xE6\xEC", 16);

// Largest directory read into memory: far beyond any help file's.
constexpr quint64 MaximumDirectoryLength = quint64(1) << 30;

// Little-endian fields, read byte by byte: the callers have checked the
// lengths.
quint64 Field(const QByteArray& bytes, qsizetype at, int size)
{
    quint64 value = 0;
    for (int n = size - 1; n >= 0; --n)
        value = value << 8 | quint8(bytes.at(at + n));
    return value;
}

quint32 U32(const QByteArray& bytes, qsizetype at)
{
    return quint32(Field(bytes, at, 4));
}

qint32 I32(const QByteArray& bytes, qsizetype at)
{
    return qint32(U32(bytes, at));
}

quint64 U64(const QByteArray& bytes, qsizetype at)
{
    return Field(bytes, at, 8);
}

bool Fail(QString* error, const QString& chmFile, const QString& reason)
{
    if (error)
        *error = QStringLiteral("\"%1\" is not a readable compiled help file: %2.").arg(chmFile, reason);
    return false;
}

bool WriteAt(QFile& file, qint64 at, const QByteArray& bytes)
{
    return file.seek(at) && file.write(bytes) == bytes.size();
}

QByteArray I32Bytes(qint32 value)
{
    QByteArray bytes(4, Qt::Uninitialized);
    qToLittleEndian(value, bytes.data());
    return bytes;
}

} // namespace

bool RepairChmcmdHeaders(const QString& chmFile, QString* error)
{
    QFile file(chmFile);
    if (!file.open(QIODevice::ReadWrite))
        return Fail(error, chmFile, file.errorString());
    const QByteArray itsf = file.read(0x60);
    if (itsf.size() < ItsfMinimumLength || !itsf.startsWith("ITSF") || U32(itsf, 4) < 2 || U32(itsf, 4) > 3
        || U32(itsf, 8) < ItsfMinimumLength)
        return Fail(error, chmFile, QStringLiteral("no ITSF header"));

    const quint64 directoryOffset = U64(itsf, ItsfDirectoryOffset);
    const quint64 directoryLength = U64(itsf, ItsfDirectoryLength);
    if (directoryLength < quint64(ItspLength) || directoryLength > MaximumDirectoryLength
        || directoryOffset > quint64(file.size()) || directoryLength > quint64(file.size()) - directoryOffset
        || !file.seek(qint64(directoryOffset)))
        return Fail(error, chmFile, QStringLiteral("the directory lies outside the file"));
    const QByteArray directory = file.read(qint64(directoryLength));
    if (directory.size() != qsizetype(directoryLength) || !directory.startsWith("ITSP")
        || U32(directory, 8) != quint32(ItspLength))
        return Fail(error, chmFile, QStringLiteral("no ITSP header"));
    const quint64 chunkSize = U32(directory, ItspChunkSize);
    const quint64 chunkCount = U32(directory, ItspChunkCount);
    if (chunkSize < quint64(PmglHeaderLength) || chunkCount == 0
        || chunkCount > (directoryLength - ItspLength) / chunkSize)
        return Fail(error, chmFile, QStringLiteral("the directory's chunks do not fit it"));

    // The listing chunks form one chain through their previous/next fields;
    // its two ends are what the ITSP header should name.
    const auto chunkAt = [&](quint64 chunk) { return qsizetype(ItspLength + chunk * chunkSize); };
    const auto isListing = [&](qint64 chunk) {
        return chunk >= 0 && quint64(chunk) < chunkCount && directory.mid(chunkAt(chunk), 4) == "PMGL";
    };
    qint32 first = -1;
    quint64 listingCount = 0;
    for (quint64 chunk = 0; chunk < chunkCount; ++chunk) {
        if (!isListing(qint64(chunk)))
            continue;
        ++listingCount;
        if (I32(directory, chunkAt(chunk) + PmglPrevious) == -1) {
            if (first != -1)
                return Fail(error, chmFile, QStringLiteral("two listing chunks claim to be the first"));
            first = qint32(chunk);
        }
    }
    if (first == -1)
        return Fail(error, chmFile, QStringLiteral("no first listing chunk"));
    qint32 last = first;
    quint64 visited = 1;
    for (qint32 next; (next = I32(directory, chunkAt(quint64(last)) + PmglNext)) != -1; last = next) {
        if (!isListing(next) || I32(directory, chunkAt(quint64(next)) + PmglPrevious) != last
            || ++visited > listingCount)
            return Fail(error, chmFile, QStringLiteral("the listing chunks do not form a chain"));
    }
    if (visited != listingCount)
        return Fail(error, chmFile, QStringLiteral("some listing chunks are not in the chain"));

    bool written = true;
    if (itsf.mid(ItsfSecondGuid, 16) != SecondItsfGuid)
        written = written && WriteAt(file, ItsfSecondGuid, SecondItsfGuid);
    if (I32(directory, ItspFirstListingChunk) != first)
        written = written && WriteAt(file, qint64(directoryOffset) + ItspFirstListingChunk, I32Bytes(first));
    if (I32(directory, ItspLastListingChunk) != last)
        written = written && WriteAt(file, qint64(directoryOffset) + ItspLastListingChunk, I32Bytes(last));
    if (!written || !file.flush()) {
        if (error)
            *error = QStringLiteral("Cannot correct the headers of \"%1\": %2.").arg(chmFile, file.errorString());
        return false;
    }
    return true;
}
