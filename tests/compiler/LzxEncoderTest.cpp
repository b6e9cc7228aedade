// The LZX coder on contents that steer its choices: offsets with fixed low
// bits (aligned-offset blocks), rows that repeat at one distance (repeated
// offsets), long runs (the longest matches), bytes that do not compress and
// objects at frame edges. Every reader must get the bytes back.
#include "ChmReadersCheck.h"
#include "TChmContainerWriter.h"
#include "TLzxEncoder.h"

#include <gtest/gtest.h>

namespace {

constexpr int Frame = TLzxEncoder::FrameSize;
constexpr int VerbatimBlock = 1;
constexpr int AlignedBlock = 2;

enum class EContent { AlignedRecords, RepeatedRows, Runs, Random, Text };

quint32 Next(quint32& state)
{
    state ^= state << 13;
    state ^= state >> 17;
    state ^= state << 5;
    return state;
}

QByteArray Contents(EContent content, int size, quint32 seed)
{
    quint32 random = seed * 2654435761u + 1;
    QByteArray bytes;
    bytes.reserve(size + 64);
    switch (content) {
    case EContent::AlignedRecords: {
        // 16-byte records: a fresh 4-byte id, then the body of a record far
        // back, so that match distances are multiples of 16 of every size.
        constexpr int Record = 16;
        while (bytes.size() < size) {
            for (int n = 0; n < 4; ++n)
                bytes.append(char(Next(random)));
            const int records = int(bytes.size() / Record);
            if (records < 64) {
                for (int n = 4; n < Record; ++n)
                    bytes.append(char(Next(random)));
            } else {
                const int from = (records - 1 - int(Next(random) % quint32(std::min(records - 1, 3000)))) * Record;
                bytes.append(bytes.mid(from + 4, Record - 4));
            }
        }
        break;
    }
    case EContent::RepeatedRows: {
        // Each 64-byte row is the row before with two bytes changed.
        constexpr int Row = 64;
        for (int n = 0; n < Row; ++n)
            bytes.append(char(Next(random)));
        while (bytes.size() < size) {
            QByteArray row = bytes.right(Row);
            for (int n = 0; n < 2; ++n)
                row[Next(random) % Row] = char(Next(random));
            bytes.append(row);
        }
        break;
    }
    case EContent::Runs:
        // A run of one byte, then a run with a period of three.
        bytes.fill('a', size / 2);
        while (bytes.size() < size)
            bytes.append("xyz");
        break;
    case EContent::Random:
        while (bytes.size() < size)
            bytes.append(char(Next(random) >> 24));
        break;
    case EContent::Text: {
        static const QByteArrayList words = {"help ", "topic ", "<p class=\"note\">", "index ", "window ", "</p>\r\n"};
        while (bytes.size() < size)
            bytes.append(words[Next(random) % words.size()] + QByteArray::number(Next(random) % 100));
        break;
    }
    }
    bytes.truncate(size);
    return bytes;
}

// The 3-bit block type at the start of each frame; an interval's first
// frame has the one-bit translation flag before it.
QList<int> BlockTypes(const QByteArray& compressed, const QList<quint64>& frameOffsets)
{
    QList<int> types;
    for (qsizetype frame = 0; frame < frameOffsets.size(); ++frame) {
        const qsizetype at = qsizetype(frameOffsets[frame]);
        const int word = uchar(compressed[at]) | uchar(compressed[at + 1]) << 8;
        types.append((word >> (frame == 0 ? 12 : 13)) & 7);
    }
    return types;
}

struct TBlockCase {
    const char* label;
    EContent content;
    int expectedType;
};

class LzxBlockTypeTest : public ::testing::TestWithParam<TBlockCase> {};

TEST_P(LzxBlockTypeTest, EachFrameTakesTheSmallerBlockType)
{
    const TBlockCase& c = GetParam();
    QList<quint64> offsets;
    const QByteArray compressed = TLzxEncoder::CompressInterval(Contents(c.content, 2 * Frame, 7), &offsets);
    ASSERT_EQ(offsets.size(), 2);
    EXPECT_EQ(BlockTypes(compressed, offsets), QList<int>({c.expectedType, c.expectedType}));
}

INSTANTIATE_TEST_SUITE_P(Contents, LzxBlockTypeTest,
                         ::testing::Values(TBlockCase{"aligned_records", EContent::AlignedRecords, AlignedBlock},
                                           TBlockCase{"text", EContent::Text, VerbatimBlock},
                                           TBlockCase{"random", EContent::Random, VerbatimBlock}),
                         [](const ::testing::TestParamInfo<TBlockCase>& info) { return std::string(info.param.label); });

TEST(LzxEncoder, RowsRepeatingAtOneDistanceCostLittleMoreThanTheirChangedBytes)
{
    // 1,024 rows, each two fresh random bytes and about three stretches
    // copied from the row before. Naming the distance of 64 again for each
    // stretch costs 5 extra bits a time, over 5 bytes a row in all; the
    // repeated offset saves them.
    QList<quint64> offsets;
    const QByteArray rows = Contents(EContent::RepeatedRows, 2 * Frame, 3);
    const QByteArray compressed = TLzxEncoder::CompressInterval(rows, &offsets);
    const int rowCount = int(rows.size() / 64);
    EXPECT_LT(compressed.size(), rowCount * 46 / 10);
}

TEST(LzxEncoder, LongRunsShrinkToFewBytes)
{
    QList<quint64> offsets;
    const QByteArray compressed = TLzxEncoder::CompressInterval(QByteArray(2 * Frame, 'a'), &offsets);
    // About 255 matches of 257 bytes in all, and the trees.
    EXPECT_LT(compressed.size(), 800);
}

struct TReadCase {
    const char* label;
    EContent content;
    std::vector<int> sizes;
};

class LzxReadersTest : public ::testing::TestWithParam<TReadCase> {};

TEST_P(LzxReadersTest, EveryReaderGetsTheBytesBack)
{
    const TReadCase& c = GetParam();
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    TChmContainerWriter writer(0x0409);
    ChmReadersCheck::TExpected expected;
    for (size_t n = 0; n < c.sizes.size(); ++n) {
        const QByteArray name = "/page" + QByteArray::number(qulonglong(n)) + ".htm";
        const QByteArray bytes = Contents(c.content, c.sizes[n], quint32(n + 1));
        writer.AddFile(name, bytes);
        expected.insert(QString::fromUtf8(name), bytes);
    }
    const QString chm = dir.filePath("out.chm");
    QFile file(chm);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(writer.Write());
    file.close();
    ChmReadersCheck::ExpectEveryReader(chm, expected);
}

INSTANTIATE_TEST_SUITE_P(
    Contents, LzxReadersTest,
    ::testing::Values(TReadCase{"aligned_records", EContent::AlignedRecords, {5 * Frame + 100, 3 * Frame}},
                      TReadCase{"repeated_rows", EContent::RepeatedRows, {4 * Frame + 5, 70000}},
                      TReadCase{"runs", EContent::Runs, {256, 257, 258, 3 * Frame + 1, 200001}},
                      TReadCase{"random", EContent::Random, {Frame - 1, 2 * Frame + 3}},
                      TReadCase{"frame_edges", EContent::Text, {Frame - 1, 1, Frame, Frame + 1, 2 * Frame - 2, 2, 3}},
                      TReadCase{"empty_and_one_byte", EContent::Text, {0, 1, 0}}),
    [](const ::testing::TestParamInfo<TReadCase>& info) { return std::string(info.param.label); });

} // namespace
