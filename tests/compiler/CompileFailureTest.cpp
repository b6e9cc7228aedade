// How the compiler judges chmcmd: scripts stand in for chmcmd where its
// real failures are hard to bring about (a hang, a lying exit code, a
// damaged file), and a PATH without it for a machine where it is missing.
#include "CompilerTestSupport.h"
#include "TChmcmdCompiler.h"

#include <QElapsedTimer>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace CompilerTest;
using namespace std::chrono_literals;

namespace {

// A stand-in for chmcmd: `body` runs with $out set to the help file the
// project names ("$2" is the project file).
QString WriteCompilerScript(const QString& folder, const QByteArray& body)
{
    const QString path = folder + QStringLiteral("/fake-chmcmd");
    WriteBytes(path, "#!/bin/sh\nout=$(sed -n 's/^Compiled file=//p' \"$2\" | tr -d '\\r')\n" + body + "\n");
    QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    return path;
}

// Whether a process is gone (or only waits to be reaped).
bool ProcessEnded(const QByteArray& pid)
{
    QFile stat(QStringLiteral("/proc/%1/stat").arg(QString::fromLatin1(pid.trimmed())));
    if (!stat.open(QIODevice::ReadOnly))
        return true;
    const QByteArray fields = stat.readAll();
    return fields.mid(fields.lastIndexOf(')') + 2, 1) == "Z";
}

TEST(CompileFailure, EveryFailureIsReportedAndKeepsTheOldHelpFile)
{
    struct Case {
        const char* name;
        QByteArray script;
        const char* expected; // part of the message
        bool cancel = false;
    };
    const Case cases[] = {
        {"exception and exit code 217",
         "echo \"Writing CHM $out\"\necho 'An unhandled exception occurred at $0000000000416AC9:'\n"
         "echo 'EFOpenError: Unable to open file \"missing.htm\"'\n: > \"$out\"\nexit 217",
         "exit code 217): EFOpenError: Unable to open file \"missing.htm\""},
        {"error line with exit code 0", "echo \"Error: Can't find TOC file nope.hhc\"\necho junk > \"$out\"\nexit 0",
         "chmcmd reported an error: Error: Can't find TOC file nope.hhc"},
        {"no help file", "echo 'Writing CHM'\nexit 0", "chmcmd wrote no help file"},
        {"not a help file", "printf 'ITSF but nothing more' > \"$out\"", "is not a readable compiled help file"},
        {"killed by a signal", "kill -SEGV $$", "chmcmd stopped unexpectedly (signal 11)"},
        {"canceled from the progress callback", "echo 'Writing CHM'\nsleep 30\necho junk > \"$out\"",
         "Compiling was canceled.", true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        QTemporaryDir dir;
        ASSERT_TRUE(dir.isValid());
        WriteProject(dir.path(), 2);
        WriteBytes(dir.filePath("help.chm"), "the help file of the last build");
        TChmcmdCompiler compiler;
        compiler.SetProgram(WriteCompilerScript(dir.path(), c.script));
        QStringList logged;
        QElapsedTimer clock;
        clock.start();
        const TCompileResult result = compiler.CompileHHP(
            dir.filePath("help.hhp"), [&](const QString& line) { logged.append(line); },
            [&](const QString&) { return !c.cancel; });
        EXPECT_LT(clock.elapsed(), 10000);
        EXPECT_FALSE(result.Succeeded);
        EXPECT_TRUE(result.Message.contains(QLatin1String(c.expected))) << result.Message.toStdString();
        EXPECT_TRUE(result.Message.endsWith(QStringLiteral("\"%1\" was left as it was.").arg(dir.filePath("help.chm"))))
            << result.Message.toStdString();
        ASSERT_FALSE(logged.isEmpty());
        EXPECT_EQ(logged.back(), result.Message);
        EXPECT_EQ(ReadBytes(dir.filePath("help.chm")), "the help file of the last build");
        EXPECT_TRUE(TemporaryLeftovers(dir.path()).isEmpty()) << TemporaryLeftovers(dir.path()).join(' ').toStdString();
    }
}

TEST(CompileFailure, AHangingCompilerIsKilledWithItsChildren)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    WriteProject(dir.path(), 2);
    TChmcmdCompiler compiler;
    // The child ignores the hang-up the closing terminal sends it.
    compiler.SetProgram(WriteCompilerScript(dir.path(), "trap '' HUP\nsleep 60 &\necho $! > child.pid\nwait"));
    compiler.SetTimeout(1s);
    QElapsedTimer clock;
    clock.start();
    const TCompileResult result = compiler.CompileHHP(dir.filePath("help.hhp"), {}, {});
    EXPECT_LT(clock.elapsed(), 10000);
    EXPECT_FALSE(result.Succeeded);
    EXPECT_TRUE(result.Message.startsWith("chmcmd did not finish within 1 seconds and was stopped."))
        << result.Message.toStdString();
    EXPECT_TRUE(result.Message.endsWith("No help file was written.")) << result.Message.toStdString();
    const QByteArray child = ReadBytes(dir.filePath("child.pid"));
    ASSERT_FALSE(child.isEmpty());
    EXPECT_TRUE(ProcessEnded(child));
}

TEST(CompileFailure, LinesArriveFromATerminalWhileTheCompilerWorks)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    WriteProject(dir.path(), 2);
    TChmcmdCompiler compiler;
    compiler.SetProgram(WriteCompilerScript(
        dir.path(), "if [ -t 1 ]; then echo 'on a terminal'; else echo 'on a pipe'; fi\nsleep 1\nprintf 'last'"));
    QElapsedTimer clock;
    clock.start();
    QList<std::pair<QString, qint64>> lines;
    compiler.CompileHHP(dir.filePath("help.hhp"), [&](const QString& line) { lines.append({line, clock.elapsed()}); },
                        {});
    ASSERT_GE(lines.size(), 2);
    EXPECT_EQ(lines[0].first, "on a terminal");
    EXPECT_EQ(lines[1].first, "last"); // a last line without its line end
    EXPECT_GE(lines[1].second - lines[0].second, 700);
}

TEST(CompileFailure, AMissingCompilerNamesThePackageToInstall)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    WriteProject(dir.path(), 2);
    const QByteArray path = qgetenv("PATH");
    qputenv("PATH", QFile::encodeName(dir.path()));
    TChmcmdCompiler compiler;
    QStringList logged;
    const TCompileResult result =
        compiler.CompileHHP(dir.filePath("help.hhp"), [&](const QString& line) { logged.append(line); }, {});
    qputenv("PATH", path);
    EXPECT_FALSE(result.Succeeded);
    EXPECT_EQ(result.Message, TChmcmdCompiler::MissingCompilerMessage());
    EXPECT_TRUE(result.Message.contains("chmcmd"));
    EXPECT_TRUE(result.Message.contains("fp-utils-3.2.2"));
    EXPECT_EQ(logged, QStringList{result.Message});
    EXPECT_EQ(result.CompiledFile, dir.filePath("help.chm"));
    EXPECT_FALSE(QFile::exists(dir.filePath("help.chm")));
}

TEST(CompileFailure, AProjectThatCannotBeCompiledIsRefusedBeforeRunning)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    WriteBytes(dir.filePath("nameless.hhp"), "[OPTIONS]\r\nTitle=No file named\r\n[FILES]\r\na.htm\r\n");
    WriteBytes(dir.filePath("other.hhp"), "[WINDOWS]\r\nCompiled file=wrong-section.chm\r\n");
    TChmcmdCompiler compiler;
    compiler.SetProgram(WriteCompilerScript(dir.path(), "touch ran"));
    EXPECT_EQ(compiler.CompileHHP(dir.filePath("missing.hhp"), {}, {}).Message,
              QStringLiteral("The HTML Help project \"%1\" cannot be read.").arg(dir.filePath("missing.hhp")));
    EXPECT_EQ(compiler.CompileHHP(dir.filePath("nameless.hhp"), {}, {}).Message,
              QStringLiteral("The HTML Help project \"%1\" names no compiled file.").arg(dir.filePath("nameless.hhp")));
    EXPECT_FALSE(compiler.CompileHHP(dir.filePath("other.hhp"), {}, {}).Succeeded);
    EXPECT_FALSE(QFile::exists(dir.filePath("ran")));
}

} // namespace
