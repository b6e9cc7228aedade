// The HTML Help project writer compiles through the host: the compiler gets
// the written project, its lines reach the build, and a failure stops the
// build with the compiler's message.
#include "CompilerTestSupport.h"
#include "QuorixError.h"
#include "TCHMProject.h"
#include "TCHMProjectWriter.h"
#include "TCompilerOutputHost.h"
#include "TFakeHTMLHelpCompiler.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace CompilerTest;

namespace {

TEST(CompilerOutputHost, OutputCompilesTheWrittenProjectThroughTheCompiler)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString work = dir.filePath("work") + QLatin1Char('/');
    WriteBytes(work + "a.htm", "<html><body>a</body></html>");
    TCHMProject chm;
    chm.Folder = work;
    chm.CHM = dir.filePath("out/help.chm");
    chm.Title = QStringLiteral("Help");
    chm.AutoSearch = true;

    TFakeHTMLHelpCompiler compiler;
    compiler.Lines = {QStringLiteral("Writing CHM"), QStringLiteral("Writing CHM")};
    QStringList logged;
    QStringList progressed;
    TCompilerOutputHost host(
        compiler, [&](const QString& line) { logged.append(line); },
        [&](const QString& line) {
            progressed.append(line);
            return true;
        });
    QStringList shown;
    host.OnShowCompiledFile = [&](const QString& file) { shown.append(file); };

    TCHMProjectWriter(chm).Output(true, true, false, &host);
    EXPECT_EQ(compiler.CompiledProjects, QStringList{work + "help.hhp"});
    EXPECT_EQ(logged, compiler.Lines);
    EXPECT_EQ(progressed, compiler.Lines);
    EXPECT_TRUE(host.Compiled());
    EXPECT_EQ(host.Result().CompiledFile, dir.filePath("out/help.chm"));
    EXPECT_EQ(ReadBytes(dir.filePath("out/help.chm")), compiler.CompiledBytes);
    EXPECT_EQ(shown, QStringList{dir.filePath("out/help.chm")});

    compiler.Succeed = false;
    compiler.FailureMessage = QStringLiteral("The HTML Help compiler chmcmd is not installed.");
    shown.clear();
    try {
        TCHMProjectWriter(chm).Output(true, true, false, &host);
        ADD_FAILURE() << "a failed compile went unnoticed";
    } catch (const EQuorixError& error) {
        EXPECT_EQ(error.message(), compiler.FailureMessage);
    }
    EXPECT_FALSE(host.Compiled());
    EXPECT_TRUE(shown.isEmpty());
    EXPECT_EQ(logged.back(), compiler.FailureMessage);
}

TEST(CompilerOutputHost, WithoutAWindowAHelpFileThatCannotBeDeletedIsLoggedAndLeft)
{
    TFakeHTMLHelpCompiler compiler;
    QStringList logged;
    TCompilerOutputHost host(compiler, [&](const QString& line) { logged.append(line); }, {});
    EXPECT_FALSE(host.RetryDelete(QStringLiteral("\"x.chm\" access denied!")));
    EXPECT_EQ(logged, QStringList{QStringLiteral("\"x.chm\" access denied!")});
    EXPECT_FALSE(host.Compiled());
}

} // namespace
