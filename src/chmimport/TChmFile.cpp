#include "TChmFile.h"

#include "ChmBytes.h"

#include <QFile>
#include <QList>
#include <chm_lib.h>
#include <vector>

namespace {

constexpr qsizetype PieceSize = 64 * 1024;
// The LZX control data: size, "LZXC", version, reset interval, window size.
const QByteArray ControlDataName = QByteArrayLiteral("::DataSpace/Storage/MSCompressed/ControlData");
constexpr qsizetype ControlDataSize = 24;
constexpr qsizetype VersionAt = 8;
constexpr qsizetype WindowSizeAt = 16;
constexpr quint32 ScaledVersion = 2;
constexpr quint32 ScaleUnit = 0x8000;
// The window sizes the LZX decoder takes, as powers of two.
constexpr int MinWindowBits = 15;
constexpr int MaxWindowBits = 21;
constexpr int UncompressedSpace = 0;
constexpr int CompressedSpace = 1;
// The header and directory fields chmlib reads in chm_open.
constexpr qsizetype ItsfDirectoryAt = 0x48;
constexpr qsizetype ItsfMinSize = 0x58;
constexpr qsizetype ItspHeaderLengthAt = 0x08;
constexpr qsizetype ItspBlockLengthAt = 0x10;
constexpr qsizetype ItspSize = 0x54;
constexpr qsizetype PmglFreeSpaceAt = 4;
constexpr qsizetype PmglHeaderSize = 0x14;
constexpr qsizetype MaxPathLength = 512;
constexpr qint64 MaxDirectorySize = qint64(256) << 20;
const QByteArray ResetTableName = QByteArrayLiteral(
    "::DataSpace/Storage/MSCompressed/Transform/{7FC28940-9D31-11D0-9B27-00A0C91E9C7C}/InstanceData/ResetTable");
const QByteArray ContentName = QByteArrayLiteral("::DataSpace/Storage/MSCompressed/Content");
constexpr qsizetype ResetTableSize = 0x28;
constexpr qsizetype ResetBlockLengthAt = 0x20;

quint64 QWordAt(const QByteArray& bytes, qsizetype at)
{
    return quint64(ChmDWord(bytes, at)) | quint64(ChmDWord(bytes, at + 4)) << 32;
}

// A directory number: seven bits a byte, high bit set on all but the last.
bool ReadEncInt(const QByteArray& bytes, qsizetype& at, qsizetype end, quint64& value)
{
    value = 0;
    for (int used = 0; at < end && used < 9; ++used) {
        const quint8 byte = quint8(bytes[at++]);
        value = value << 7 | (byte & 0x7F);
        if (!(byte & 0x80))
            return true;
    }
    return false;
}

// chm_open reads the reset table, content and control data as
// uncompressed objects unless they are marked compressed; any other section
// number sends them down the decompression path before anything is set up,
// and chmlib crashes. The directory is read here first, as chmlib reads it,
// to refuse such files.
bool ControlDataSafeToOpen(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return true; // chm_open fails on its own
    const QByteArray itsf = file.read(ItsfMinSize + 8);
    if (itsf.size() < ItsfMinSize || !itsf.startsWith("ITSF"))
        return true;
    const quint64 directory = QWordAt(itsf, ItsfDirectoryAt);
    const quint64 directoryLength = QWordAt(itsf, ItsfDirectoryAt + 8);
    if (directoryLength > quint64(MaxDirectorySize) || !file.seek(qint64(directory)))
        return true;
    const QByteArray bytes = file.read(qint64(directoryLength));
    if (bytes.size() < ItspSize || !bytes.startsWith("ITSP"))
        return true;
    const qsizetype headerLength = ChmDWord(bytes, ItspHeaderLengthAt);
    const qsizetype blockLength = ChmDWord(bytes, ItspBlockLengthAt);
    if (blockLength <= PmglHeaderSize)
        return true;
    for (qsizetype chunk = headerLength; chunk >= 0 && chunk + blockLength <= bytes.size(); chunk += blockLength) {
        if (bytes.mid(chunk, 4) != "PMGL")
            continue;
        const qsizetype end = chunk + blockLength - qsizetype(ChmDWord(bytes, chunk + PmglFreeSpaceAt));
        qsizetype at = chunk + PmglHeaderSize;
        while (at < end) {
            quint64 nameLength = 0;
            if (!ReadEncInt(bytes, at, end, nameLength) || nameLength > quint64(MaxPathLength) ||
                at + qsizetype(nameLength) > end)
                break;
            const QByteArray name = bytes.mid(at, qsizetype(nameLength));
            at += qsizetype(nameLength);
            quint64 space = 0;
            quint64 start = 0;
            quint64 length = 0;
            if (!ReadEncInt(bytes, at, end, space) || !ReadEncInt(bytes, at, end, start) ||
                !ReadEncInt(bytes, at, end, length))
                break;
            const bool readAtOpen = name.compare(ControlDataName, Qt::CaseInsensitive) == 0 ||
                                    name.compare(ResetTableName, Qt::CaseInsensitive) == 0 ||
                                    name.compare(ContentName, Qt::CaseInsensitive) == 0;
            if (readAtOpen && space != UncompressedSpace && space != CompressedSpace)
                return false;
        }
    }
    return true;
}

bool WindowSizeDecodable(const QByteArray& control)
{
    if (control.size() < ControlDataSize)
        return false;
    quint64 window = ChmDWord(control, WindowSizeAt);
    if (ChmDWord(control, VersionAt) == ScaledVersion)
        window *= ScaleUnit;
    for (int bits = MinWindowBits; bits <= MaxWindowBits; ++bits) {
        if (window == quint64(1) << bits)
            return true;
    }
    return false;
}

int CollectObject(chmFile*, chmUnitInfo* unit, void* context)
{
    static_cast<QList<TChmObject>*>(context)->append(
        {QByteArray(unit->path), quint64(unit->start), quint64(unit->length), unit->space, unit->flags});
    return CHM_ENUMERATOR_CONTINUE;
}

} // namespace

TChmFile::TChmFile(const QString& path)
    : m_file(ControlDataSafeToOpen(path) ? chm_open(QFile::encodeName(path).constData()) : nullptr)
{
    chmUnitInfo unit;
    if (!m_file)
        return;
    // Without control data there is nothing compressed to read.
    m_compressedReadable = chm_resolve_object(m_file, ControlDataName.constData(), &unit) != CHM_RESOLVE_SUCCESS;
    if (!m_compressedReadable && unit.space != CompressedSpace) {
        QByteArray control(ControlDataSize, '\0');
        const LONGINT64 got = chm_retrieve_object(m_file, &unit, reinterpret_cast<unsigned char*>(control.data()), 0,
                                                  ControlDataSize);
        m_compressedReadable = got == ControlDataSize && WindowSizeDecodable(control) && ResetBlockLengthUsable();
    }
}

TChmFile::~TChmFile()
{
    if (m_file)
        chm_close(m_file);
}

QList<TChmObject> TChmFile::Objects() const
{
    QList<TChmObject> objects;
    if (m_file)
        chm_enumerate(m_file, CHM_ENUMERATE_ALL, &CollectObject, &objects);
    return objects;
}

QByteArray TChmFile::Read(const QByteArray& name, qsizetype limit) const
{
    QByteArray bytes;
    ReadPieces(name, [&](const char* data, qsizetype size) {
        bytes.append(data, std::min(size, limit - bytes.size()));
        return bytes.size() < limit;
    });
    return bytes;
}

bool TChmFile::ReadPieces(const QByteArray& name, const std::function<bool(const char*, qsizetype)>& piece) const
{
    chmUnitInfo unit;
    if (!m_file || chm_resolve_object(m_file, name.constData(), &unit) != CHM_RESOLVE_SUCCESS)
        return false;
    return ReadPieces({name, quint64(unit.start), quint64(unit.length), unit.space, unit.flags}, piece);
}

bool TChmFile::ReadPieces(const TChmObject& object, const std::function<bool(const char*, qsizetype)>& piece) const
{
    if (!m_file || (object.Space != UncompressedSpace && (object.Space != CompressedSpace || !m_compressedReadable)))
        return false;
    chmUnitInfo unit{};
    unit.start = LONGUINT64(object.Start);
    unit.length = LONGUINT64(object.Length);
    unit.space = object.Space;
    unit.flags = object.Flags;
    qstrncpy(unit.path, object.Name.constData(), sizeof(unit.path));
    std::vector<unsigned char> buffer(static_cast<size_t>(PieceSize));
    for (LONGUINT64 at = 0; at < unit.length;) {
        const LONGINT64 want = LONGINT64(std::min<LONGUINT64>(PieceSize, unit.length - at));
        const LONGINT64 got = chm_retrieve_object(m_file, &unit, buffer.data(), at, want);
        if (got <= 0)
            return false;
        if (!piece(reinterpret_cast<const char*>(buffer.data()), qsizetype(got)))
            return true;
        at += LONGUINT64(got);
    }
    return true;
}

bool TChmFile::ResetBlockLengthUsable() const
{
    // Compressed reads divide by the block length of the reset table.
    chmUnitInfo unit;
    if (chm_resolve_object(m_file, ResetTableName.constData(), &unit) != CHM_RESOLVE_SUCCESS ||
        unit.space != UncompressedSpace)
        return false;
    QByteArray table(ResetTableSize, '\0');
    const LONGINT64 got =
        chm_retrieve_object(m_file, &unit, reinterpret_cast<unsigned char*>(table.data()), 0, ResetTableSize);
    return got == ResetTableSize && QWordAt(table, ResetBlockLengthAt) != 0;
}
