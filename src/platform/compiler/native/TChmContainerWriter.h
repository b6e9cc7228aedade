#pragma once

#include <QByteArray>
#include <QList>

// An ITSF container (the compiled help file's outer format) with its
// directory of listing and index chunks. Section 0 holds its objects as they
// are; section 1 ("MSCompressed") holds them in one LZX stream.
class TChmContainerWriter {
public:
    enum class ESection { Uncompressed = 0, Compressed = 1 };

    explicit TChmContainerWriter(quint32 languageId);

    // `name` is the object's full name ("/intro.htm", "/#SYSTEM"), UTF-8.
    void AddFile(const QByteArray& name, const QByteArray& bytes, ESection section = ESection::Compressed);

    // The whole file.
    QByteArray Write() const;

    // The order readers expect of directory names: bytes compared with
    // ASCII letters folded to lower case.
    static bool NameLess(const QByteArray& left, const QByteArray& right);

private:
    struct TObject {
        QByteArray Name;
        ESection Section;
        QByteArray Bytes;
    };

    QByteArray CompressedStream(const QByteArray& data, QList<quint64>* frameOffsets) const;
    QByteArray Directory(const QList<QByteArray>& entries, const QList<QByteArray>& names) const;

    quint32 m_languageId;
    QList<TObject> m_objects;
};
