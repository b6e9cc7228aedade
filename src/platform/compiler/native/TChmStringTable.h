#pragma once

#include <QByteArray>
#include <QHash>

// The "/#STRINGS" object: zero-terminated strings that other tables name by
// their offset. Offset 0 is the empty string; each string is stored once, and
// none spans a 4 KiB block, as readers of the format expect.
class TChmStringTable {
public:
    TChmStringTable();

    quint32 Add(const QByteArray& text);
    const QByteArray& Bytes() const { return m_bytes; }

    // Appends `entry` to a table of 4 KiB blocks, first padding to the next
    // block when it would span one; its offset.
    static quint32 AppendUnsplit(QByteArray& table, const QByteArray& entry);

private:
    QByteArray m_bytes;
    QHash<QByteArray, quint32> m_offsets;
};
