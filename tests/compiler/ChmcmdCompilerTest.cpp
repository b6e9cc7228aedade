// The real compiler: chmcmd run on a project whose directory needs several
// listing chunks, read back with chmlib.
#include "ChmHeaderRepair.h"
#include "CompilerTestSupport.h"
#include "TChmcmdCompiler.h"

#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace CompilerTest;

namespace {

bool ChmcmdInstalled()
{
    return !QStandardPaths::findExecutable(QStringLiteral("chmcmd")).isEmpty();
}

int CountFound(const QSet<QString>& found, const QStringList& wanted)
{
    int count = 0;
    for (const QString& name : wanted)
        count += found.contains(name);
    return count;
}

TEST(ChmcmdCompiler, HeaderRepairMakesEveryFileOfALargeDirectoryReadable)
{
    if (!ChmcmdInstalled())
        GTEST_SKIP() << "chmcmd is not installed (Debian package fp-utils-3.2.2)";
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QStringList pages = WriteProject(dir.path(), 300);

    // chmcmd on its own: chmlib starts at the last listing chunk.
    QProcess chmcmd;
    chmcmd.setWorkingDirectory(dir.path());
    chmcmd.start(QStringLiteral("chmcmd"), {QStringLiteral("--no-html-scan"), QStringLiteral("help.hhp")});
    ASSERT_TRUE(chmcmd.waitForFinished(120000));
    const QString raw = dir.filePath("help.chm");
    const int foundBefore = CountFound(ChmNames(raw), pages);
    EXPECT_GT(foundBefore, 0);
    EXPECT_LT(foundBefore, pages.size()) << "chmcmd no longer needs the repair";

    QString error;
    ASSERT_TRUE(RepairChmcmdHeaders(raw, &error)) << error.toStdString();
    EXPECT_EQ(CountFound(ChmNames(raw), pages), pages.size());
    // The second header GUID libmspack checks: {7C01FD11-7BAA-11D0-9E0C-00A0C922E6EC}.
    const QByteArray repaired = ReadBytes(raw);
    EXPECT_EQ(repaired.mid(0x28, 16).toHex(), "11fd017caa7bd0119e0c00a0c922e6ec");
    ASSERT_TRUE(RepairChmcmdHeaders(raw, &error)) << error.toStdString();
    EXPECT_EQ(ReadBytes(raw), repaired);
}

TEST(ChmcmdCompiler, CompilesOverAnOldHelpFileReportingItsLines)
{
    if (!ChmcmdInstalled())
        GTEST_SKIP() << "chmcmd is not installed (Debian package fp-utils-3.2.2)";
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString project = dir.filePath("project");
    const QStringList pages = WriteProject(project, 300);
    // The help file goes to another folder, which does not exist yet; an
    // old file there is replaced.
    QByteArray hhp = ReadBytes(project + "/help.hhp");
    hhp.replace("Compiled file=help.chm", "compiled FILE = ../out put/Manual.chm");
    WriteBytes(project + "/help.hhp", hhp);

    TChmcmdCompiler compiler;
    QStringList logged;
    QStringList progressed;
    const auto log = [&](const QString& line) { logged.append(line); };
    const auto progress = [&](const QString& line) {
        progressed.append(line);
        return true;
    };
    const TCompileResult first = compiler.CompileHHP(project + "/help.hhp", log, progress);
    ASSERT_TRUE(first.Succeeded) << first.Message.toStdString() << "\n" << logged.join("\n").toStdString();
    EXPECT_EQ(first.CompiledFile, dir.filePath("out put/Manual.chm"));
    EXPECT_TRUE(first.Message.isEmpty());
    EXPECT_TRUE(logged.filter(QStringLiteral("Writing CHM")).size() == 1) << logged.join("\n").toStdString();
    EXPECT_EQ(progressed, logged);

    WriteBytes(first.CompiledFile, "an old help file");
    const TCompileResult second = compiler.CompileHHP(project + "/help.hhp", {}, {});
    ASSERT_TRUE(second.Succeeded) << second.Message.toStdString();
    const QSet<QString> names = ChmNames(second.CompiledFile);
    EXPECT_EQ(CountFound(names, pages), pages.size());
    EXPECT_TRUE(names.contains("/#SYSTEM"));
    EXPECT_TRUE(TemporaryLeftovers(project).isEmpty()) << TemporaryLeftovers(project).join(' ').toStdString();
    EXPECT_TRUE(TemporaryLeftovers(dir.filePath("out put")).isEmpty());
    EXPECT_EQ(ReadBytes(project + "/help.hhp"), hhp);
}

TEST(ChmcmdCompiler, AMissingPageFailsAndKeepsTheOldHelpFile)
{
    if (!ChmcmdInstalled())
        GTEST_SKIP() << "chmcmd is not installed (Debian package fp-utils-3.2.2)";
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    WriteProject(dir.path(), 5);
    QFile::remove(dir.filePath("topics1/page1.htm"));
    WriteBytes(dir.filePath("help.chm"), "the help file of the last build");

    TChmcmdCompiler compiler;
    QStringList logged;
    const TCompileResult result =
        compiler.CompileHHP(dir.filePath("help.hhp"), [&](const QString& line) { logged.append(line); }, {});
    EXPECT_FALSE(result.Succeeded);
    // chmcmd stops with an exception and exit code 217 and leaves an empty file.
    EXPECT_TRUE(result.Message.contains("page1.htm")) << result.Message.toStdString();
    EXPECT_TRUE(result.Message.contains("was left as it was")) << result.Message.toStdString();
    ASSERT_FALSE(logged.isEmpty());
    EXPECT_EQ(logged.back(), result.Message);
    EXPECT_EQ(ReadBytes(dir.filePath("help.chm")), "the help file of the last build");
    EXPECT_TRUE(TemporaryLeftovers(dir.path()).isEmpty());
}

} // namespace
