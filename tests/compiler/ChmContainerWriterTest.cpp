// The container alone, at the sizes where readers disagree: many directory
// chunks with index levels, long names and objects around frame boundaries.
#include "ChmReadersCheck.h"
#include "TChmContainerWriter.h"

#include <QSaveFile>
#include <gtest/gtest.h>

namespace {

struct ContainerCase {
    const char* label;
    int fileCount;
    int nameLength;
    // Object sizes cycle through these.
    std::vector<int> sizes;
};

QByteArray Pattern(int size, int seed)
{
    QByteArray bytes(size, Qt::Uninitialized);
    for (int n = 0; n < size; ++n)
        bytes[n] = char((n * 31 + seed * 7 + n / 251) & 0xFF);
    return bytes;
}

class ChmContainerWriterTest : public ::testing::TestWithParam<ContainerCase> {};

TEST_P(ChmContainerWriterTest, EveryReaderListsEveryObjectByteIdentical)
{
    const ContainerCase& c = GetParam();
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    TChmContainerWriter writer(0x0409);
    ChmReadersCheck::TExpected expected;
    for (int n = 0; n < c.fileCount; ++n) {
        QByteArray name = "/Dir" + QByteArray::number(n % 7) + "/_Page" + QByteArray::number(n);
        if (name.size() < c.nameLength)
            name += QByteArray(c.nameLength - name.size(), 'x');
        name += ".htm";
        const QByteArray bytes = Pattern(c.sizes[size_t(n) % c.sizes.size()], n);
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

constexpr int Frame = 0x8000;

INSTANTIATE_TEST_SUITE_P(
    Sizes, ChmContainerWriterTest,
    ::testing::Values(ContainerCase{"one_object", 1, 0, {10}},
                      ContainerCase{"frame_boundaries", 12, 0,
                                    {1, Frame - 2, Frame - 1, Frame, Frame + 1, 3 * Frame, 98304, 0}},
                      ContainerCase{"listing_and_index_chunks", 3000, 0, {4096}},
                      ContainerCase{"two_index_levels", 3000, 160, {100}}),
    [](const ::testing::TestParamInfo<ContainerCase>& info) { return std::string(info.param.label); });

TEST(ChmContainerNames, SortWithoutCaseAndUnderscoreBeforeLetters)
{
    EXPECT_TRUE(TChmContainerWriter::NameLess("/_a", "/a"));
    EXPECT_TRUE(TChmContainerWriter::NameLess("/ABC", "/abd"));
    EXPECT_FALSE(TChmContainerWriter::NameLess("/Abc", "/aBC"));
    EXPECT_TRUE(TChmContainerWriter::NameLess("/", "::DataSpace/NameList"));
    EXPECT_TRUE(TChmContainerWriter::NameLess("/a", "/a/b"));
}

} // namespace
