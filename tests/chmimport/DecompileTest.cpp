// Compiled help files unpacked into a folder: hostile object names stay
// inside it, names that differ only in case are kept apart, the help's own
// contents and index are read. The help files are compiled with chmcmd.
#include "ImportListCommand.h"
#include "ImportTestFiles.h"
#include "QuorixError.h"
#include "TCHMDecompile.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTextStream>
#include <cstdio>
#include <random>
#include <gtest/gtest.h>

namespace {

using namespace ImportTest;

// Every file and link below `folder`, relative to it.
QStringList Tree(const QString& folder)
{
    QStringList files;
    QDirIterator it(folder, QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System,
                    QDirIterator::Subdirectories);
    while (it.hasNext())
        files << QDir(folder).relativeFilePath(it.next());
    files.sort();
    return files;
}

const QByteArray Latin1Name = "caf\xE9.htm";

class DecompileTest : public testing::Test {
protected:
    void SetUp() override
    {
        if (QStandardPaths::findExecutable(QStringLiteral("chmcmd")).isEmpty())
            GTEST_SKIP() << "chmcmd is not installed (Debian package fp-utils-3.2.2)";
        ASSERT_TRUE(dir.isValid());
        // The project lies two folders deep so that names climbing out of
        // it still name files chmcmd can read.
        const QString w = dir.path() + "/src/w/";
        Write(w + "A.htm", "<html><body>upper</body></html>");
        Write(w + "a.htm", "<html><body>lower</body></html>");
        Write(w + "x.htm", "x");
        // Qt cannot name a file whose name is not UTF-8.
        FILE* raw = std::fopen((QFile::encodeName(w) + Latin1Name).constData(), "wb");
        ASSERT_NE(raw, nullptr);
        std::fputs("latin", raw);
        std::fclose(raw);
        Write(w + "sub/page one.htm", "space");
        Write(w + "#hash.htm", "hash");
        Write(dir.path() + "/src/e.htm", "climbed one");
        Write(dir.path() + "/b.htm", "climbed two");
        QDir().mkpath(w + "a");
        Write(w + "t.hhc", "<UL><LI><OBJECT type=\"text/sitemap\"><param name=\"Name\" value=\"Upper &amp; lower\">"
                           "<param name=\"Local\" value=\"a.htm\"></OBJECT>"
                           "<UL><LI><OBJECT type=\"text/sitemap\"><param name=\"Name\" value=\"Spaced\">"
                           "<param name=\"Local\" value=\"sub/page%20one.htm\"></OBJECT></UL></UL>");
        Write(w + "t.hhk", "<UL><LI><OBJECT type=\"text/sitemap\"><param name=\"Name\" value=\"space\">"
                           "<param name=\"Local\" value=\"sub/page one.htm#top\"></OBJECT></UL>");
        Write(w + "t.hhp", "[OPTIONS]\r\nCompiled file=t.chm\r\nContents file=t.hhc\r\nIndex file=t.hhk\r\n"
                           "Title=Hostile help\r\nLanguage=0x0409\r\nDefault topic=a.htm\r\n\r\n[FILES]\r\n"
                           "A.htm\r\na.htm\r\n../e.htm\r\na/../../../b.htm\r\n//x.htm\r\n" + Latin1Name +
                           "\r\nsub/page one.htm\r\n#hash.htm\r\nt.hhp\r\n\r\n[ALIAS]\r\nIDH_SPACE=sub/page one.htm\r\n");
        QProcess chmcmd;
        chmcmd.setWorkingDirectory(w);
        chmcmd.setProcessChannelMode(QProcess::MergedChannels);
        chmcmd.start(QStringLiteral("chmcmd"), {QStringLiteral("--no-html-scan"), QStringLiteral("t.hhp")});
        ASSERT_TRUE(chmcmd.waitForFinished(120000));
        const QString output = QString::fromLocal8Bit(chmcmd.readAll());
        ASSERT_FALSE(output.contains("Error")) << output.toStdString();
        chm = w + "t.chm";
        ASSERT_TRUE(QFileInfo(chm).size() > 0) << output.toStdString();
        target = dir.path() + "/out/help/";
    }

    QTemporaryDir dir;
    QString chm;
    QString target;
};

TEST_F(DecompileTest, HostileNamesStayInsideAndTheHelpIsRead)
{
    const QStringList before = Tree(dir.path());
    TCHMDecompile import;
    std::vector<std::pair<QString, int>> progress;
    import.FOnChange = [&](const QString& info, int percent) { progress.emplace_back(info, percent); };
    import.LoadFromCHM(chm);
    EXPECT_EQ(import.Title, "Hostile help");
    EXPECT_EQ(import.LangID, "0x0409");
    EXPECT_EQ(import.CodePage, 1252);
    EXPECT_EQ(import.DefaultPage, "a.htm");
    import.rootFolder = target;
    import.decompile();
    ASSERT_FALSE(progress.empty());
    EXPECT_EQ(progress.front(), std::make_pair(QStringLiteral("Decompiling..."), 1));

    // Nothing was written outside the target folder.
    QStringList after = Tree(dir.path());
    after.removeIf([](const QString& file) { return file.startsWith("out/"); });
    QStringList expected = before + QStringList{"out"};
    expected.sort();
    EXPECT_EQ(after.join(' ').toStdString(), expected.join(' ').toStdString());
    const QStringList written{"#hash.htm", "A.htm", "_#_README_#_", "a~2.htm", QStringLiteral("caf\u00E9.htm"),
                              "sub", "sub/page one.htm", "t.hhc", "t.hhk", "t.hhp", "x.htm"};
    EXPECT_EQ(Tree(target).join(' ').toStdString(), written.join(' ').toStdString());
    EXPECT_EQ(import.Skipped().size(), 2) << import.Skipped().join('\n').toStdString();
    EXPECT_EQ(Read(target + "A.htm"), "<html><body>upper</body></html>");
    EXPECT_EQ(Read(target + "a~2.htm"), "<html><body>lower</body></html>");
    EXPECT_EQ(import.Written().Find("SUB\\Page One.htm"), "sub/page one.htm");

    EXPECT_EQ(import.FileName, "t");
    EXPECT_EQ(import.hhcFile, target + "t.hhc");
    EXPECT_EQ(import.hhkFile, target + "t.hhk");
    ASSERT_EQ(import.List.Count(), 2);
    EXPECT_EQ(import.List.Item(0).Topic, "Upper & lower");
    EXPECT_EQ(import.List.Item(1).Level, 1);
    EXPECT_EQ(import.List.Item(1).Url, "sub/page one.htm");
    EXPECT_EQ(import.List.Item(1).Keywords, "space#top");
    // The project inside the help file gives its context numbers.
    EXPECT_EQ(import.List.Item(1).ContextNumber, "IDH_SPACE");

    const TCHMDecompile::TChmInfo info = TCHMDecompile::ReadChmInfo(chm);
    EXPECT_EQ(info.LangID, "0x0409");
    EXPECT_EQ(info.Title, "Hostile help");
    EXPECT_EQ(info.DefaultPage, "a.htm");
}

TEST_F(DecompileTest, AFolderThatHoldsFilesIsNotFilledUnlessAllowed)
{
    Write(target + "mine.htm", "the author's");
    TCHMDecompile import;
    import.LoadFromCHM(chm);
    import.rootFolder = target;
    try {
        import.decompile();
        FAIL() << "a folder that holds files was filled";
    } catch (const EQuorixError& error) {
        EXPECT_TRUE(error.message().contains("already holds files")) << error.what();
    }
    EXPECT_EQ(Tree(target), QStringList{"mine.htm"});
}

TEST_F(DecompileTest, ALinkInAFilledFolderLeadsNowhere)
{
    const QString elsewhere = dir.path() + "/elsewhere";
    QDir().mkpath(elsewhere);
    QDir().mkpath(target);
    ASSERT_TRUE(QFile::link(elsewhere, target + "sub"));
    ASSERT_TRUE(QFile::link(elsewhere + "/x.htm", target + "x.htm"));
    Write(target + "A.htm", "the author's");
    TCHMDecompile import;
    import.LoadFromCHM(chm);
    import.rootFolder = target;
    import.AllowFilledFolder = true;
    import.decompile();
    EXPECT_EQ(Tree(elsewhere), QStringList());
    EXPECT_TRUE(import.Skipped().filter("page one").isEmpty()) << import.Skipped().join('\n').toStdString();
    // The author's files are kept; the help's pages of those names go beside them.
    EXPECT_EQ(Read(target + "A.htm"), "the author's");
    EXPECT_EQ(Read(target + "A~2.htm"), "<html><body>upper</body></html>");
    EXPECT_EQ(Read(target + "sub~2/page one.htm"), "space");
    EXPECT_EQ(Read(target + "x~2.htm"), "x");
    EXPECT_EQ(import.List.Item(1).Url, "sub/page one.htm");
    EXPECT_EQ(import.Written().Find(import.List.Item(1).Url), "sub~2/page one.htm");
}

// Copies of the help file with bytes changed at random (a fixed seed) are
// read or refused, never crash, and write only inside their folder.
TEST_F(DecompileTest, DamagedCopiesAreReadOrRefused)
{
    const QByteArray original = Read(chm);
    ASSERT_FALSE(original.isEmpty());
    const QString damaged = dir.path() + "/damaged/d.chm";
    const QString out = dir.path() + "/damaged/out/";
    std::mt19937 random(24);
    constexpr int Copies = 300;
    constexpr int MaxChanges = 30;
    for (int copy = 0; copy < Copies; ++copy) {
        QByteArray bytes = original;
        const int changes = 1 + int(random() % MaxChanges);
        for (int i = 0; i < changes; ++i)
            bytes[qsizetype(random() % quint32(bytes.size()))] = char(random() % 256);
        if (copy % 5 == 0)
            bytes.truncate(qsizetype(random() % quint32(bytes.size())));
        QDir(out).removeRecursively();
        Write(damaged, bytes);
        TCHMDecompile import;
        import.LoadFromCHM(damaged);
        import.rootFolder = out;
        try {
            import.decompile();
        } catch (const EQuorixError&) {
        }
        QStringList outside = Tree(dir.path() + "/damaged");
        outside.removeIf([](const QString& file) { return file == "d.chm" || file == "out" || file.startsWith("out/"); });
        ASSERT_EQ(outside.join(' ').toStdString(), "") << "copy " << copy;
    }
}

TEST_F(DecompileTest, TheListCommandUnpacksAndPrints)
{
    QString out;
    QString err;
    QTextStream outStream(&out);
    QTextStream errStream(&err);
    EXPECT_EQ(RunImportListCommand({"--import", chm, target, "--list"}, outStream, errStream), 0);
    EXPECT_EQ(out, "Title: Hostile help\nLanguage: 0x0409\nDefault topic: a.htm\n"
                   "0\tUpper & lower\ta.htm\t\t1000\n1\tSpaced\tsub/page one.htm\tspace#top\tIDH_SPACE\n");
    EXPECT_TRUE(err.startsWith("Decompiling... 1%\n")) << err.toStdString();
    EXPECT_EQ(err.count("not written: "), 2) << err.toStdString();
    EXPECT_TRUE(QFileInfo::exists(target + "A.htm"));
}

// Which contents file, of several, the help's default window names.
TEST(DecompileWindowTest, TheDefaultWindowChoosesTheContentsFile)
{
    if (QStandardPaths::findExecutable(QStringLiteral("chmcmd")).isEmpty())
        GTEST_SKIP() << "chmcmd is not installed (Debian package fp-utils-3.2.2)";
    QTemporaryDir dir;
    const QString w = dir.path() + "/w/";
    for (const char* name : {"first", "second"})
        Write(w + name + ".hhc", QByteArray("<UL><LI><OBJECT type=\"text/sitemap\"><param name=\"Name\" value=\"") + name +
                                     "\"><param name=\"Local\" value=\"a.htm\"></OBJECT></UL>");
    Write(w + "a.htm", "a");
    Write(w + "t.hhp", "[OPTIONS]\r\nCompiled file=t.chm\r\nTitle=T\r\nDefault Window=main\r\nDefault topic=a.htm\r\n\r\n"
                       "[WINDOWS]\r\nmain=\"T\",\"second.hhc\",,\"a.htm\",\"a.htm\",,,,,0x23520,,0x387E,[50,50,950,700],"
                       "0xB0000,,,,,,0\r\n\r\n[FILES]\r\na.htm\r\nfirst.hhc\r\nsecond.hhc\r\n");
    QProcess chmcmd;
    chmcmd.setWorkingDirectory(w);
    chmcmd.start(QStringLiteral("chmcmd"), {QStringLiteral("--no-html-scan"), QStringLiteral("t.hhp")});
    ASSERT_TRUE(chmcmd.waitForFinished(120000));
    TCHMDecompile import;
    import.LoadFromCHM(w + "t.chm");
    import.rootFolder = dir.path() + "/out";
    import.decompile();
    EXPECT_EQ(QFileInfo(import.hhcFile).fileName(), "second.hhc");
    ASSERT_EQ(import.List.Count(), 1);
    EXPECT_EQ(import.List.Item(0).Topic, "second");
}

TEST(DecompileErrorsTest, NotAHelpFile)
{
    QTemporaryDir dir;
    Write(dir.path() + "/bad.chm", "ITSF but not really");
    TCHMDecompile import;
    import.LoadFromCHM(dir.path() + "/bad.chm");
    EXPECT_TRUE(import.Title.isEmpty());
    EXPECT_TRUE(import.LangID.isEmpty());
    import.rootFolder = dir.path() + "/out";
    EXPECT_THROW(import.decompile(), EQuorixError);
}

// A control data version that makes chmlib take a window size its decoder
// cannot use (found by mutating a compiled file): chmlib would crash.
TEST(DecompileErrorsTest, ADamagedCompressedPartIsRefusedNotRead)
{
    QTemporaryDir dir;
    const QString chm = QStringLiteral(QUORIX_TEST_DATA_DIR "/chmimport/bad-window-size.chm");
    const TCHMDecompile::TChmInfo info = TCHMDecompile::ReadChmInfo(chm);
    EXPECT_EQ(info.LangID, "0x0409");
    TCHMDecompile import;
    import.LoadFromCHM(chm);
    import.rootFolder = dir.path() + "/out";
    try {
        import.decompile();
        FAIL() << "a damaged help file was unpacked";
    } catch (const EQuorixError& error) {
        EXPECT_TRUE(error.message().contains("damaged")) << error.what();
    }
    EXPECT_EQ(Tree(dir.path() + "/out"), QStringList());
}

} // namespace
