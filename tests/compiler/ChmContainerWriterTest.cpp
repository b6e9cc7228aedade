// The container alone, at the sizes where readers disagree: many directory
// chunks with index levels, long names, objects around frame boundaries, and
// contents the LZX coder meets: text with repeats near and far, long runs,
// bytes that do not compress.
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
    enum class Content { Pattern, Text, Zeros, Random } content = Content::Pattern;
};

QByteArray Contents(ContainerCase::Content content, int size, int seed)
{
    QByteArray bytes(size, Qt::Uninitialized);
    quint32 random = quint32(seed) * 2654435761u + 1;
    static const QByteArrayList words = {"help ", "topic ", "<p class=\"note\">", "index ", "window ", "</p>\r\n"};
    qsizetype at = 0;
    while (at < size) {
        random = random * 1103515245u + 12345u;
        switch (content) {
        case ContainerCase::Content::Pattern:
            bytes[at] = char((at * 31 + seed * 7 + at / 251) & 0xFF);
            ++at;
            break;
        case ContainerCase::Content::Text:
            for (char c : words[(random >> 16) % words.size()] + QByteArray::number(random >> 28))
                if (at < size)
                    bytes[at++] = c;
            break;
        case ContainerCase::Content::Zeros:
            bytes[at++] = '\0';
            break;
        case ContainerCase::Content::Random:
            bytes[at++] = char(random >> 24);
            break;
        }
    }
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
        const QByteArray bytes = Contents(c.content, c.sizes[size_t(n) % c.sizes.size()], n);
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
                      ContainerCase{"two_index_levels", 3000, 160, {100}},
                      ContainerCase{"text", 7, 0, {70000, 5, 140001}, ContainerCase::Content::Text},
                      ContainerCase{"long_runs", 3, 0, {200000, 1, 3 * Frame}, ContainerCase::Content::Zeros},
                      ContainerCase{"incompressible", 4, 0, {Frame + 7, 100000}, ContainerCase::Content::Random}),
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
