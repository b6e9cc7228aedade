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
constexpr int CompressedSpace = 1;

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
    : m_file(chm_open(QFile::encodeName(path).constData()))
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
        m_compressedReadable = got == ControlDataSize && WindowSizeDecodable(control);
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
    if (!m_file || (object.Space == CompressedSpace && !m_compressedReadable))
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
