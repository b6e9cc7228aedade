#include "GeneratorArguments.h"
#include "ProjectGenerator.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QMap>
#include <QRegularExpression>
#include <QSet>
#include <QStringDecoder>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

QString NativeFile(const GeneratedProject& project, const QString& stored)
{
    return project.rootDir + QString(stored).replace(QLatin1Char('\\'), QLatin1Char('/'));
}

QByteArray ReadBytes(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return QByteArray();
    return file.readAll();
}

// Every file below root, by path relative to it.
QMap<QString, QByteArray> ReadTree(const QString& root)
{
    QMap<QString, QByteArray> files;
    QDirIterator it(root, QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        files.insert(QDir(root).relativeFilePath(path), ReadBytes(path));
    }
    return files;
}

quint32 Crc32(const QByteArray& data)
{
    quint32 crc = 0xFFFFFFFFu;
    for (char ch : data) {
        crc ^= quint8(ch);
        for (int k = 0; k < 8; ++k)
            crc = (crc & 1) ? 0xEDB88320u ^ (crc >> 1) : crc >> 1;
    }
    return crc ^ 0xFFFFFFFFu;
}

quint32 BigEndian32(const QByteArray& data, qsizetype at)
{
    return (quint32(quint8(data[at])) << 24) | (quint32(quint8(data[at + 1])) << 16)
        | (quint32(quint8(data[at + 2])) << 8) | quint32(quint8(data[at + 3]));
}

int LittleEndian16(const QByteArray& data, qsizetype at)
{
    return quint8(data[at]) | (quint8(data[at + 1]) << 8);
}

// Walks the chunks, checks every CRC and inflates the picture data.
void ExpectReadablePng(const QString& name, const QByteArray& png)
{
    SCOPED_TRACE(name.toStdString());
    ASSERT_TRUE(png.startsWith(QByteArray("\x89PNG\r\n\x1a\n", 8)));
    int width = 0;
    int height = 0;
    QByteArray zlib;
    QStringList types;
    for (qsizetype at = 8; at + 12 <= png.size();) {
        const quint32 length = BigEndian32(png, at);
        ASSERT_LE(at + 12 + qsizetype(length), png.size());
        const QByteArray typed = png.mid(at + 4, 4 + length);
        EXPECT_EQ(Crc32(typed), BigEndian32(png, at + 8 + length)) << typed.left(4).constData();
        types.append(QString::fromLatin1(typed.left(4)));
        if (typed.startsWith("IHDR")) {
            width = int(BigEndian32(typed, 4));
            height = int(BigEndian32(typed, 8));
            EXPECT_EQ(8, typed[12]);
            EXPECT_EQ(2, typed[13]);
        } else if (typed.startsWith("IDAT")) {
            zlib += typed.mid(4);
        }
        at += 12 + length;
    }
    EXPECT_EQ(QStringList({"IHDR", "IDAT", "IEND"}), types);
    ASSERT_GT(width, 0);
    ASSERT_GT(height, 0);
    const int rawSize = height * (1 + width * 3);
    QByteArray prefixed;
    prefixed.append(char(rawSize >> 24)).append(char(rawSize >> 16)).append(char(rawSize >> 8)).append(char(rawSize));
    const QByteArray raw = qUncompress(prefixed + zlib);
    EXPECT_EQ(rawSize, raw.size());
}

// A full LZW decoder (growing code widths included), independent of how the
// generator chose to encode.
void ExpectReadableGif(const QString& name, const QByteArray& gif)
{
    SCOPED_TRACE(name.toStdString());
    ASSERT_TRUE(gif.startsWith("GIF89a"));
    ASSERT_TRUE(gif.endsWith(char(0x3B)));
    const int width = LittleEndian16(gif, 6);
    const int height = LittleEndian16(gif, 8);
    const int packed = quint8(gif[10]);
    ASSERT_TRUE(packed & 0x80) << "no global colour table";
    const int tableSize = 2 << (packed & 7);
    qsizetype at = 13 + tableSize * 3;
    ASSERT_EQ(0x2C, quint8(gif[at]));
    EXPECT_EQ(width, LittleEndian16(gif, at + 5));
    EXPECT_EQ(height, LittleEndian16(gif, at + 7));
    at += 10;
    const int minCodeSize = quint8(gif[at++]);
    QByteArray data;
    while (at < gif.size() && gif[at] != 0) {
        const int n = quint8(gif[at]);
        data += gif.mid(at + 1, n);
        at += 1 + n;
    }
    ASSERT_EQ(at + 2, gif.size()) << "block terminator and trailer end the file";

    const int clearCode = 1 << minCodeSize;
    QVector<QByteArray> table;
    auto reset = [&] {
        table.clear();
        for (int i = 0; i < clearCode + 2; ++i)
            table.append(i < clearCode ? QByteArray(1, char(i)) : QByteArray());
    };
    reset();
    int width_bits = minCodeSize + 1;
    QByteArray pixels;
    QByteArray previous;
    bool ended = false;
    quint32 bits = 0;
    int count = 0;
    for (qsizetype i = 0; i < data.size() && !ended; ++i) {
        bits |= quint32(quint8(data[i])) << count;
        count += 8;
        while (count >= width_bits && !ended) {
            const int code = int(bits & ((1u << width_bits) - 1));
            bits >>= width_bits;
            count -= width_bits;
            if (code == clearCode) {
                reset();
                width_bits = minCodeSize + 1;
                previous.clear();
                continue;
            }
            if (code == clearCode + 1) {
                ended = true;
                break;
            }
            QByteArray entry;
            if (code < table.size())
                entry = table[code];
            else if (code == table.size() && !previous.isEmpty())
                entry = previous + previous.left(1);
            else
                FAIL() << "code " << code << " outside the table";
            pixels += entry;
            if (!previous.isEmpty() && table.size() < 4096) {
                table.append(previous + entry.left(1));
                if (table.size() == (1 << width_bits) && width_bits < 12)
                    ++width_bits;
            }
            previous = entry;
        }
    }
    EXPECT_TRUE(ended) << "no end-of-information code";
    EXPECT_EQ(width * height, pixels.size());
    for (char index : pixels)
        ASSERT_LT(quint8(index), tableSize);
}

class GeneratorTest : public ::testing::Test
{
protected:
    GeneratedProject Generate(const GeneratorOptions& options, const QString& subFolder = QStringLiteral("p"))
    {
        QString error;
        GeneratedProject project = GenerateProject(m_dir.filePath(subFolder), options, &error);
        EXPECT_TRUE(error.isEmpty()) << error.toStdString();
        EXPECT_FALSE(project.rootDir.isEmpty());
        return project;
    }

    QTemporaryDir m_dir;
};

TEST_F(GeneratorTest, TableOfContentsHasOneEntryPerTopicWithValidLevels)
{
    struct Case
    {
        int topics;
        int maxDepth;
        int pagesPerFolder;
    };
    const Case cases[] = {{1, 4, 500}, {250, 4, 40}, {300, 1, 500}, {120, 6, 7}, {0, 4, 500}};
    const QRegularExpression urlForm(QStringLiteral("^topics\\\\f\\d{3}\\\\t\\d{5}\\.htm$"));
    int caseNumber = 0;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.topics);
        GeneratorOptions options;
        options.topicCount = c.topics;
        options.maxDepth = c.maxDepth;
        options.pagesPerFolder = c.pagesPerFolder;
        options.keywordsPerTopic = 3;
        const GeneratedProject project = Generate(options, QString::number(caseNumber++));

        EXPECT_TRUE(QDir::isAbsolutePath(project.rootDir));
        EXPECT_TRUE(project.rootDir.endsWith(QLatin1Char('/')));
        EXPECT_FALSE(project.title.isEmpty());
        ASSERT_EQ(c.topics, project.topics.size());

        QSet<QString> urls;
        QSet<QString> contextNumbers;
        int deepest = 0;
        bool anySubKeyword = false;
        for (int i = 0; i < project.topics.size(); ++i) {
            const GeneratedTopic& topic = project.topics[i];
            if (i == 0)
                EXPECT_EQ(0, topic.level);
            else
                EXPECT_LE(topic.level, project.topics[i - 1].level + 1) << "topic " << i;
            EXPECT_GE(topic.level, 0);
            EXPECT_LT(topic.level, c.maxDepth);
            deepest = qMax(deepest, topic.level);

            EXPECT_FALSE(topic.title.trimmed().isEmpty());
            EXPECT_TRUE(urlForm.match(topic.url).hasMatch()) << topic.url.toStdString();
            EXPECT_FALSE(urls.contains(topic.url)) << topic.url.toStdString();
            urls.insert(topic.url);
            EXPECT_TRUE(QFileInfo(NativeFile(project, topic.url)).isFile()) << topic.url.toStdString();

            EXPECT_EQ(3, topic.keywords.size());
            EXPECT_EQ(3, QSet<QString>(topic.keywords.begin(), topic.keywords.end()).size());
            for (const QString& keyword : topic.keywords) {
                EXPECT_FALSE(keyword.trimmed().isEmpty());
                anySubKeyword = anySubKeyword || keyword.contains(QLatin1Char('/'));
            }
            if (!topic.contextNumber.isEmpty()) {
                bool decimal = false;
                topic.contextNumber.toUInt(&decimal);
                EXPECT_TRUE(decimal) << topic.contextNumber.toStdString();
                EXPECT_FALSE(contextNumbers.contains(topic.contextNumber));
                contextNumbers.insert(topic.contextNumber);
            }
        }
        if (c.topics >= 100) {
            // Large projects look like real ones: nested where allowed,
            // an index with sub-keywords, some context-sensitive topics.
            EXPECT_EQ(c.maxDepth - 1, deepest);
            EXPECT_TRUE(anySubKeyword);
            EXPECT_FALSE(contextNumbers.isEmpty());
        }
    }
}

TEST_F(GeneratorTest, SameSeedGivesByteIdenticalFilesAndOtherSeedsDiffer)
{
    GeneratorOptions options;
    options.topicCount = 150;
    options.pagesPerFolder = 60;
    options.seed = 7;
    const GeneratedProject first = Generate(options, QStringLiteral("a"));
    const GeneratedProject second = Generate(options, QStringLiteral("b"));
    options.seed = 8;
    const GeneratedProject other = Generate(options, QStringLiteral("c"));

    const QMap<QString, QByteArray> firstFiles = ReadTree(first.rootDir);
    const QMap<QString, QByteArray> secondFiles = ReadTree(second.rootDir);
    ASSERT_EQ(firstFiles.keys(), secondFiles.keys());
    for (auto it = firstFiles.cbegin(); it != firstFiles.cend(); ++it)
        EXPECT_TRUE(it.value() == secondFiles.value(it.key())) << it.key().toStdString();
    for (int i = 0; i < first.topics.size(); ++i) {
        EXPECT_EQ(first.topics[i].title, second.topics[i].title);
        EXPECT_EQ(first.topics[i].level, second.topics[i].level);
        EXPECT_EQ(first.topics[i].keywords, second.topics[i].keywords);
        EXPECT_EQ(first.topics[i].contextNumber, second.topics[i].contextNumber);
    }

    // The summary counts what is really on disk.
    qint64 bytes = 0;
    for (const QByteArray& content : firstFiles)
        bytes += content.size();
    EXPECT_EQ(firstFiles.size(), first.fileCount);
    EXPECT_EQ(bytes, first.byteCount);

    const QMap<QString, QByteArray> otherFiles = ReadTree(other.rootDir);
    int differentPages = 0;
    for (auto it = firstFiles.cbegin(); it != firstFiles.cend(); ++it)
        if (it.key().endsWith(QLatin1String(".htm")) && it.value() != otherFiles.value(it.key()))
            ++differentPages;
    EXPECT_EQ(150, differentPages);
}

// Links, pictures, the style sheet and the script must all resolve, so that
// collecting referenced files and building outputs see a complete project.
TEST_F(GeneratorTest, EveryRelativeReferenceNamesAnExistingFileAndAnchor)
{
    struct Case
    {
        const char* name;
        int topics;
        int paragraphs;
        int pictures;
        int links;
    };
    const Case cases[] = {
        {"defaults", 400, 6, 1, 3},
        {"busy pages", 120, 9, 4, 8},
        {"no paragraphs", 40, 0, 2, 3},
        {"single topic", 1, 6, 1, 3},
    };
    const QRegularExpression reference(QStringLiteral("(?:href|src)=\"([^\"]*)\""));
    const QRegularExpression anchor(QStringLiteral("<a name=\"([^\"]+)\">"));
    const QRegularExpression styleUrl(QStringLiteral("url\\(['\"]?([^'\")]+)['\"]?\\)"));
    int caseNumber = 0;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        GeneratorOptions options;
        options.topicCount = c.topics;
        options.paragraphsPerPage = c.paragraphs;
        options.picturesPerPage = c.pictures;
        options.linksPerPage = c.links;
        options.pagesPerFolder = 50;
        const GeneratedProject project = Generate(options, QString::number(caseNumber++));

        QMap<QString, QSet<QString>> anchorsOfPage;
        QMap<QString, QString> textOfPage;
        for (const GeneratedTopic& topic : project.topics) {
            const QString path = QFileInfo(NativeFile(project, topic.url)).canonicalFilePath();
            const QByteArray bytes = ReadBytes(path);
            QStringDecoder utf8(QStringDecoder::Utf8);
            const QString text = utf8(bytes);
            EXPECT_FALSE(utf8.hasError()) << path.toStdString();
            const qsizetype headEnd = text.indexOf(QLatin1String("</head>"));
            EXPECT_GT(headEnd, text.indexOf(QLatin1String("charset=utf-8"))) << path.toStdString();
            EXPECT_TRUE(text.contains(QLatin1String("<title>")));
            QSet<QString> names;
            for (const auto& match : anchor.globalMatch(text))
                names.insert(match.captured(1));
            anchorsOfPage.insert(path, names);
            textOfPage.insert(path, text);
        }

        int topicLinks = 0;
        int anchoredLinks = 0;
        int outsideLinks = 0;
        QSet<QString> usedFiles;
        for (auto page = textOfPage.cbegin(); page != textOfPage.cend(); ++page) {
            const QDir folder = QFileInfo(page.key()).dir();
            for (const auto& match : reference.globalMatch(page.value())) {
                const QString value = match.captured(1);
                if (value.startsWith(QLatin1String("http://"))) {
                    ++outsideLinks;
                    continue;
                }
                const qsizetype hash = value.indexOf(QLatin1Char('#'));
                const QString file = hash < 0 ? value : value.left(hash);
                const QString name = hash < 0 ? QString() : value.mid(hash + 1);
                const QString target = file.isEmpty() ? page.key() : QFileInfo(folder.filePath(file)).canonicalFilePath();
                ASSERT_FALSE(value.contains(QLatin1Char('\\'))) << value.toStdString();
                ASSERT_TRUE(QFileInfo(target).isFile()) << page.key().toStdString() << " -> " << value.toStdString();
                usedFiles.insert(target);
                if (target.endsWith(QLatin1String(".htm")) && !file.isEmpty())
                    ++topicLinks;
                if (!name.isEmpty()) {
                    EXPECT_TRUE(anchorsOfPage.value(target).contains(name))
                        << page.key().toStdString() << " -> " << value.toStdString();
                    if (!file.isEmpty())
                        ++anchoredLinks;
                }
            }
        }

        const QString styleSheet = project.rootDir + QLatin1String("style.css");
        int styleReferences = 0;
        for (const auto& match : styleUrl.globalMatch(QString::fromUtf8(ReadBytes(styleSheet)))) {
            EXPECT_TRUE(QFileInfo(project.rootDir + match.captured(1)).isFile()) << match.captured(1).toStdString();
            ++styleReferences;
        }
        EXPECT_GE(styleReferences, 1);

        for (const QString& resource : project.resourceFiles)
            EXPECT_TRUE(QFileInfo(NativeFile(project, resource)).isFile()) << resource.toStdString();

        if (c.topics == 1) {
            EXPECT_EQ(0, topicLinks);
        } else {
            EXPECT_EQ(c.topics * c.links, topicLinks);
        }
        if (c.topics >= 100) {
            // Enough pages to see every kind of reference at least once.
            EXPECT_GT(anchoredLinks, 0);
            EXPECT_GT(outsideLinks, 0);
            EXPECT_TRUE(usedFiles.contains(QFileInfo(project.rootDir + QLatin1String("scripts/page.js")).canonicalFilePath()));
            EXPECT_TRUE(usedFiles.contains(QFileInfo(styleSheet).canonicalFilePath()));
        }
    }
}

TEST_F(GeneratorTest, PicturesAreValidPngAndGifFiles)
{
    GeneratorOptions options;
    options.topicCount = 3;
    const GeneratedProject project = Generate(options);
    int png = 0;
    int gif = 0;
    for (const QString& resource : project.resourceFiles) {
        const QByteArray bytes = ReadBytes(NativeFile(project, resource));
        if (resource.endsWith(QLatin1String(".png"))) {
            ExpectReadablePng(resource, bytes);
            ++png;
        } else if (resource.endsWith(QLatin1String(".gif"))) {
            ExpectReadableGif(resource, bytes);
            ++gif;
        }
    }
    EXPECT_GE(png, 2);
    EXPECT_GE(gif, 2);
}

TEST_F(GeneratorTest, UnwritableFolderGivesEmptyResultAndMessage)
{
    // A folder below a plain file can never be created, even for root.
    const QString blocker = m_dir.filePath(QStringLiteral("plain-file"));
    QFile file(blocker);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.close();

    GeneratorOptions options;
    options.topicCount = 5;
    QString error;
    const GeneratedProject project = GenerateProject(blocker + QLatin1String("/project"), options, &error);
    EXPECT_TRUE(project.rootDir.isEmpty());
    EXPECT_TRUE(project.topics.isEmpty());
    EXPECT_TRUE(error.contains(QLatin1String("plain-file"))) << error.toStdString();

    const GeneratedProject unnamed = GenerateProject(QString(), options, &error);
    EXPECT_TRUE(unnamed.rootDir.isEmpty());
    EXPECT_FALSE(error.isEmpty());
}

TEST(GeneratorArguments, AcceptsOptionsInBothForms)
{
    GeneratorCommand command;
    ASSERT_EQ(QString(), ParseGeneratorArguments({"--topics", "20000", "--depth", "3", "--seed", "4294967295", "out"}, &command));
    EXPECT_EQ(20000, command.options.topicCount);
    EXPECT_EQ(3, command.options.maxDepth);
    EXPECT_EQ(4294967295u, command.options.seed);
    EXPECT_EQ(QStringLiteral("out"), command.outDir);

    ASSERT_EQ(QString(), ParseGeneratorArguments({"out dir", "--topics=12"}, &command));
    EXPECT_EQ(12, command.options.topicCount);
    EXPECT_EQ(GeneratorOptions().maxDepth, command.options.maxDepth);
    EXPECT_EQ(GeneratorOptions().seed, command.options.seed);
    EXPECT_EQ(QStringLiteral("out dir"), command.outDir);

    ASSERT_EQ(QString(), ParseGeneratorArguments({"--", "-odd"}, &command));
    EXPECT_EQ(QStringLiteral("-odd"), command.outDir);

    ASSERT_EQ(QString(), ParseGeneratorArguments({"--help"}, &command));
    EXPECT_TRUE(command.help);
}

TEST(GeneratorArguments, RejectsBadCommandLines)
{
    const QStringList cases[] = {
        {},
        {"--topics", "10"},
        {"out", "--topics"},
        {"--topics", "0", "out"},
        {"--topics", "ten", "out"},
        {"--topics", "99999999999", "out"},
        {"--depth", "0", "out"},
        {"--depth", "33", "out"},
        {"--seed", "-1", "out"},
        {"--seed=", "out"},
        {"--colour", "red", "out"},
        {"one", "two"},
        {""},
    };
    for (const QStringList& arguments : cases) {
        GeneratorCommand command;
        EXPECT_FALSE(ParseGeneratorArguments(arguments, &command).isEmpty()) << arguments.join(' ').toStdString();
    }
}

} // namespace
