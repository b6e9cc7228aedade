#include "TChmFile.h"

#include <QFile>
#include <QList>
#include <chm_lib.h>
#include <vector>

namespace {

constexpr qsizetype PieceSize = 64 * 1024;

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
    if (!m_file)
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
