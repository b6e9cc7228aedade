// The command that prints what the import read.
#include "ImportListCommand.h"

#include <QTemporaryDir>
#include <QTextStream>
#include <gtest/gtest.h>

namespace {

struct CommandRun {
    int status = 0;
    QString out;
    QString err;
};

CommandRun RunCommand(const QStringList& args)
{
    CommandRun run;
    QTextStream out(&run.out);
    QTextStream err(&run.err);
    run.status = RunImportListCommand(args, out, err);
    return run;
}

TEST(ImportListCommandTest, ProjectFileListsItsEntries)
{
    QTemporaryDir target;
    const CommandRun run = RunCommand({"--import", QUORIX_TEST_DATA_DIR "/output/nested/help.hhp", target.path(), "--list"});
    EXPECT_EQ(run.status, 0) << run.err.toStdString();
    const QStringList lines = run.out.split('\n', Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), 3 + 9);
    EXPECT_EQ(lines[0], "Title: Nested help");
    EXPECT_EQ(lines[1], "Language: 0x0409");
    EXPECT_EQ(lines[2], "Default topic: setup/install.htm");
    EXPECT_EQ(lines[3], "0\tWelcome & Intro\twelcome.htm\tGetting started`\\setup\t1000");
    EXPECT_EQ(lines[7], "0\tReference\t\t\t1005");
}

TEST(ImportListCommandTest, WrongArgumentsAndMissingFiles)
{
    EXPECT_EQ(RunCommand({"--import", "a.chm", "out"}).status, 2);
    EXPECT_EQ(RunCommand({"--import", "a.chm", "out", "--lst"}).status, 2);
    const CommandRun missing = RunCommand({"--import", "/nonexistent/a.chm", "out", "--list"});
    EXPECT_EQ(missing.status, 1);
    EXPECT_TRUE(missing.err.contains("/nonexistent/a.chm")) << missing.err.toStdString();
    EXPECT_TRUE(IsImportListCommand({"--import"}));
    EXPECT_FALSE(IsImportListCommand({"--new"}));
}

} // namespace
