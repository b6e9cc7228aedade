#pragma once

#include <QByteArray>
#include <QString>
#include <QList>
#include <functional>

struct chmFile;

// Where an object lies in a compiled help file, as listed.
struct TChmObject {
    QByteArray Name;
    quint64 Start = 0;
    quint64 Length = 0;
    int Space = 0;
    int Flags = 0;
};

// A compiled help file opened with chmlib.
class TChmFile {
public:
    explicit TChmFile(const QString& path);
    ~TChmFile();
    TChmFile(const TChmFile&) = delete;
    TChmFile& operator=(const TChmFile&) = delete;

    bool IsOpen() const { return m_file != nullptr; }
    // Whether the compressed part can be read: chmlib trusts the window
    // size of its control data and crashes on one it cannot decode with.
    // Compressed objects of a file where it cannot are never read.
    bool CompressedReadable() const { return m_compressedReadable; }
    // Every object chmlib lists (folder names end with "/"), in its order.
    QList<TChmObject> Objects() const;
    // An object's bytes, at most `limit` of them; empty when missing.
    QByteArray Read(const QByteArray& name, qsizetype limit) const;
    // An object handed over in pieces, so no stored length decides how much
    // memory is taken. False when it is missing or cannot be read whole.
    // Objects are read as listed: chmlib finds names without regard to
    // case, so a name would find its case twin.
    bool ReadPieces(const QByteArray& name, const std::function<bool(const char*, qsizetype)>& piece) const;
    bool ReadPieces(const TChmObject& object, const std::function<bool(const char*, qsizetype)>& piece) const;

private:
    bool ResetBlockLengthUsable() const;

    chmFile* m_file = nullptr;
    bool m_compressedReadable = false;
};
