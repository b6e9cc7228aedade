// The unattended program as an author or a CI job runs it.
#include "BuildProgram.h"
#include "QtPrinting.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

QByteArray utf16File(const QString& text)
{
    QByteArray bytes("\xFF\xFE", 2);
    bytes.append(reinterpret_cast<const char*>(text.utf16()), text.size() * 2);
    return bytes;
}

void writeFile(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

TEST(ResaveCommand, RewritesAProjectAndReportsIt)
{
    QTemporaryDir dir;
    const QString in = dir.filePath("in.qrx");
    writeFile(in, utf16File("[GENERAL]\r\nver=1\r\nTitle=  Manual  \r\n[TOPICS]\r\nTitleList=1\r\n"
                            "TitleList.Title.0=Intro\r\nTitleList.Url.0=intro.htm\r\n"));
    QDir().mkpath(dir.filePath("out"));
    const QString out = dir.filePath("out/normalised.qrx");
    const BuildRun run = runBuild({"--resave", in, out});
    EXPECT_EQ(run.exitCode, 0) << run.err.toStdString();
    EXPECT_TRUE(run.out.contains("1 topics"));
    QFile written(out);
    ASSERT_TRUE(written.open(QIODevice::ReadOnly));
    const QByteArray bytes = written.readAll();
    const QString text = QString::fromUtf16(reinterpret_cast<const char16_t*>(bytes.constData() + 2), bytes.size() / 2 - 1);
    EXPECT_TRUE(text.contains("\r\nTitle=Manual\r\n"));
    EXPECT_TRUE(text.contains("\r\nRootDir=..\\\r\n")); // still the input's folder, seen from out/
    EXPECT_TRUE(text.contains("\r\nTitleList.Url.0=intro.htm\r\n"));
}

TEST(ResaveCommand, BadInputsGiveAMessageAndAFailureStatusOrWhatCanBeRead)
{
    QTemporaryDir dir;
    QByteArray noise(1 << 20, '\0');
    quint32 state = 7;
    for (char& byte : noise) {
        state ^= state << 13;
        state ^= state >> 17;
        state ^= state << 5;
        byte = char(state);
    }
    QString deep = "[TOPICS]\r\nTitleList=50000\r\n";
    for (int n = 0; n < 50000; ++n)
        deep += QStringLiteral("TitleList.Title.%1=t\r\nTitleList.Level.%1=%1\r\n").arg(n);

    struct Case {
        const char* name;
        QByteArray bytes;
        int expectedStatus;
        const char* expectedError = "";
    };
    const Case cases[] = {
        // Not project files: refused, so nothing is written over them later.
        {"empty", QByteArray(), 1, "is not a project file"},
        {"random", noise, 1, "is not a project file"},
        {"truncated", utf16File("[GENERAL]\r\nVer=1\r\nTitle=Cut").chopped(1), 0},
        {"hugeCount", utf16File("[TOPICS]\r\nTitleList=2000000000\r\nTitleList.Title.0=a\r\nTitleList.Title.1=b\r\n"
                                "TitleList.Title.2=c\r\n"),
            0, "Warning: The project file says it holds 2000000000 topics but holds 3; all 3 were read.\n"},
        {"levelsThatJump", utf16File("[TOPICS]\r\nTitleList=3\r\nTitleList.Level.0=5\r\nTitleList.Level.1=99\r\n"
                                     "TitleList.Level.2=-3\r\n"),
            0},
        {"kindsOutOfRange", utf16File("[TOPICS]\r\nTitleList=2\r\nTitleList.Kind.0=-7\r\nTitleList.Kind.1=3\r\n"), 0},
        {"deepNesting", utf16File(deep), 0},
    };
    for (const Case& c : cases) {
        const QString in = dir.filePath(QString::fromLatin1(c.name) + ".qrx");
        writeFile(in, c.bytes);
        const BuildRun run = runBuild({"--resave", in, dir.filePath("out.qrx")});
        EXPECT_EQ(run.exitCode, c.expectedStatus) << c.name << ": " << run.err.toStdString();
        EXPECT_TRUE(run.err.contains(QString::fromUtf8(c.expectedError))) << c.name << ": " << run.err.toStdString();
    }

    const BuildRun missing = runBuild({"--resave", dir.filePath("missing.qrx"), dir.filePath("out.qrx")});
    EXPECT_EQ(missing.exitCode, 1);
    EXPECT_TRUE(missing.err.contains("missing.qrx doesn't exist!")) << missing.err.toStdString();

    const BuildRun folder = runBuild({"--resave", dir.path(), dir.filePath("out.qrx")});
    EXPECT_EQ(folder.exitCode, 1);

    const BuildRun unwritable = runBuild({"--resave", dir.filePath("truncated.qrx"), dir.filePath("no/such/folder/x.qrx")});
    EXPECT_EQ(unwritable.exitCode, 1);
    EXPECT_TRUE(unwritable.err.contains("x.qrx")) << unwritable.err.toStdString();

    const BuildRun usage = runBuild({"--resave", "only-one"});
    EXPECT_EQ(usage.exitCode, 2);
    EXPECT_TRUE(usage.err.contains("Usage"));
}

TEST(ResaveCommand, TwoHundredMegabyteFileIsReadOrRefusedClearly)
{
    QTemporaryDir dir;
    // 200 MB of topics: a huge but well-formed project file.
    const QString in = dir.filePath("huge.qrx");
    {
        QFile file(in);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(utf16File("[GENERAL]\r\nVer=1\r\n[TOPICS]\r\nTitleList=2000000\r\n"));
        QString chunk;
        qint64 written = 0;
        for (int n = 0; written < 200ll * 1024 * 1024; ++n) {
            chunk = QStringLiteral("TitleList.Title.%1=Topic number %1 with a longer title\r\nTitleList.Level.%1=%2\r\n")
                        .arg(n)
                        .arg(n % 3);
            written += file.write(reinterpret_cast<const char*>(chunk.utf16()), chunk.size() * 2);
        }
    }
    const BuildRun run = runBuild({"--resave", in, dir.filePath("out.qrx")});
    EXPECT_EQ(run.exitCode, 0) << run.err.toStdString();

    // Beyond what a project file can be: refused before anything is read.
    QFile::resize(in, 300ll * 1024 * 1024);
    const BuildRun tooLarge = runBuild({"--resave", in, dir.filePath("out2.qrx")});
    EXPECT_EQ(tooLarge.exitCode, 1);
    EXPECT_TRUE(tooLarge.err.contains("too large")) << tooLarge.err.toStdString();
    EXPECT_FALSE(QFile::exists(dir.filePath("out2.qrx")));
}

} // namespace
