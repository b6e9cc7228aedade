#pragma once

#include <QByteArray>
#include <QFile>
#include <QSet>
#include <QString>
#include <algorithm>
#include <chm_lib.h>

// A compiled help file as chmlib sees it.
class ChmReader {
public:
    explicit ChmReader(const QString& path)
        : m_file(chm_open(QFile::encodeName(path).constData()))
    {
    }
    ~ChmReader()
    {
        if (m_file)
            chm_close(m_file);
    }
    ChmReader(const ChmReader&) = delete;
    ChmReader& operator=(const ChmReader&) = delete;

    bool isOpen() const { return m_file != nullptr; }

    QSet<QString> names() const
    {
        QSet<QString> result;
        chm_enumerate(m_file, CHM_ENUMERATE_ALL, &ChmReader::collect, &result);
        return result;
    }

    QByteArray read(const QString& name) const
    {
        chmUnitInfo unit;
        if (chm_resolve_object(m_file, name.toUtf8().constData(), &unit) != CHM_RESOLVE_SUCCESS)
            return QByteArray();
        QByteArray bytes(qsizetype(unit.length), Qt::Uninitialized);
        const LONGINT64 read = chm_retrieve_object(
            m_file, &unit, reinterpret_cast<unsigned char*>(bytes.data()), 0, LONGINT64(unit.length));
        return bytes.left(qsizetype(std::max<LONGINT64>(read, 0)));
    }

    // A text entry of /#SYSTEM: 2 the default topic, 3 the title.
    QByteArray systemEntry(int code) const { return systemEntryBytes(code).split('\0').front(); }
    // The raw bytes of a /#SYSTEM entry (4 starts with the language identifier).
    QByteArray systemEntryBytes(int code) const
    {
        const QByteArray system = read(QStringLiteral("/#SYSTEM"));
        for (qsizetype at = 4; at + 4 <= system.size();) {
            const int entryCode = quint8(system[at]) | quint8(system[at + 1]) << 8;
            const int length = quint8(system[at + 2]) | quint8(system[at + 3]) << 8;
            if (entryCode == code)
                return system.mid(at + 4, length);
            at += 4 + length;
        }
        return QByteArray();
    }

private:
    static int collect(chmFile*, chmUnitInfo* unit, void* context)
    {
        static_cast<QSet<QString>*>(context)->insert(QString::fromUtf8(unit->path));
        return CHM_ENUMERATOR_CONTINUE;
    }

    chmFile* m_file;
};
