// Files the header repair must not touch: it only corrects a directory it
// can follow from end to end.
#include "ChmHeaderRepair.h"
#include "CompilerTestSupport.h"

#include <QTemporaryDir>
#include <QtEndian>
#include <gtest/gtest.h>

using namespace CompilerTest;

namespace {

void PutU32(QByteArray& bytes, qsizetype at, quint32 value)
{
    qToLittleEndian(value, bytes.data() + at);
}

// An ITSF header and a directory of `chunks` 64-byte chunks, each a listing
// chunk linked to its neighbours, the header naming `first` as the first.
QByteArray Help(int chunks, int first)
{
    const int chunkSize = 64;
    QByteArray bytes(0x60 + 0x54 + chunks * chunkSize, '\0');
    bytes.replace(0, 4, "ITSF");
    PutU32(bytes, 4, 3);
    PutU32(bytes, 8, 0x60);
    qToLittleEndian<quint64>(0x60, bytes.data() + 0x48);
    qToLittleEndian<quint64>(0x54 + chunks * chunkSize, bytes.data() + 0x50);
    QByteArray directory(0x54, '\0');
    directory.replace(0, 4, "ITSP");
    PutU32(directory, 4, 1);
    PutU32(directory, 8, 0x54);
    PutU32(directory, 0x10, chunkSize);
    PutU32(directory, 0x20, quint32(first));
    PutU32(directory, 0x24, quint32(chunks - 1));
    PutU32(directory, 0x2C, quint32(chunks));
    bytes.replace(0x60, 0x54, directory);
    for (int chunk = 0; chunk < chunks; ++chunk) {
        const qsizetype at = 0x60 + 0x54 + chunk * chunkSize;
        bytes.replace(at, 4, "PMGL");
        PutU32(bytes, at + 0x0C, chunk == 0 ? 0xFFFFFFFF : quint32(chunk - 1));
        PutU32(bytes, at + 0x10, chunk == chunks - 1 ? 0xFFFFFFFF : quint32(chunk + 1));
    }
    return bytes;
}

TEST(ChmHeaderRepair, RefusesWhatItCannotFollowAndLeavesItAlone)
{
    const qsizetype chunk1 = 0x60 + 0x54 + 64;
    QByteArray loop = Help(3, 2);
    PutU32(loop, chunk1 + 0x10, 1); // chunk 1 names itself as next
    QByteArray twoFirsts = Help(3, 2);
    PutU32(twoFirsts, chunk1 + 0x0C, 0xFFFFFFFF);
    QByteArray outside = Help(3, 2);
    qToLittleEndian<quint64>(quint64(1) << 40, outside.data() + 0x48);
    QByteArray tooManyChunks = Help(3, 2);
    PutU32(tooManyChunks, 0x60 + 0x2C, 4);

    struct Case {
        const char* name;
        QByteArray bytes;
        const char* reason;
    };
    const Case cases[] = {
        {"empty", "", "no ITSF header"},
        {"not a help file", QByteArray(4096, 'x'), "no ITSF header"},
        {"cut short", Help(3, 2).left(0x100), "the directory lies outside the file"},
        {"directory far away", outside, "the directory lies outside the file"},
        {"more chunks than the directory holds", tooManyChunks, "the directory's chunks do not fit it"},
        {"a loop", loop, "the listing chunks do not form a chain"},
        {"two first chunks", twoFirsts, "two listing chunks claim to be the first"},
    };
    QTemporaryDir dir;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const QString path = dir.filePath("help.chm");
        WriteBytes(path, c.bytes);
        QString error;
        EXPECT_FALSE(RepairChmcmdHeaders(path, &error));
        EXPECT_TRUE(error.contains(QLatin1String(c.reason))) << error.toStdString();
        EXPECT_EQ(ReadBytes(path), c.bytes);
    }

    // The same directory, sound: the ends of the chain are named.
    const QString path = dir.filePath("help.chm");
    WriteBytes(path, Help(3, 2));
    ASSERT_TRUE(RepairChmcmdHeaders(path));
    EXPECT_EQ(qFromLittleEndian<qint32>(ReadBytes(path).constData() + 0x60 + 0x20), 0);
}

} // namespace
