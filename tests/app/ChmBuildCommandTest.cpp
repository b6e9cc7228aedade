// Building the bundled sample to a CHM without a window, as CI does.
#include "BuildProgram.h"
#include "QtPrinting.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QProcessEnvironment>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

// A copy of the bundled sample, so the outputs land in the test's folder.
QString copySample(const QTemporaryDir& dir)
{
    const QString sample = QFileInfo(QStringLiteral(QUORIX_BUILD_PROGRAM)).absolutePath() + "/sample";
    const QString target = dir.filePath("sample");
    QProcess::execute("cp", {"-r", sample, target});
    return target + "/sample.qrx";
}

TEST(ChmBuildCommand, BuildsTheSampleIntoAReadableHelpFile)
{
    QTemporaryDir dir;
    const BuildRun run = runBuild({copySample(dir), "/h"});
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString() << run.out.toStdString();
    const QString chm = dir.filePath("sample_output/CHM/QuorixHelp.chm");
    EXPECT_TRUE(run.out.contains("Reading TOC...\nCreating HTML help file...") || run.out.contains("Creating HTML help file..."));
    EXPECT_TRUE(run.out.contains("Wrote " + chm)) << run.out.toStdString();
    EXPECT_TRUE(run.out.endsWith("Completed.\n"));
    QFile file(chm);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.read(4), QByteArray("ITSF"));
    EXPECT_GT(file.size(), 100000);
    // The temporary work folder is gone.
    EXPECT_EQ(QDir(dir.filePath("sample_output/CHM")).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden),
        QStringList{"QuorixHelp.chm"});
}

TEST(ChmBuildCommand, FailuresAreReportedAndExitNonZero)
{
    QTemporaryDir dir;
    const QString project = copySample(dir);

    // Without the compiler: the package to install is named.
    QProcessEnvironment noCompiler = QProcessEnvironment::systemEnvironment();
    noCompiler.insert("PATH", dir.path());
    const BuildRun missing = runBuild({project, "/h"}, noCompiler);
    EXPECT_EQ(missing.exitCode, 1);
    EXPECT_TRUE(missing.err.contains("fp-utils")) << missing.err.toStdString();
    EXPECT_FALSE(QFile::exists(dir.filePath("sample_output/CHM/QuorixHelp.chm")));

    // A template that is gone: said, and no help file.
    QFile::rename(dir.filePath("sample/template/page.htm"), dir.filePath("sample/template/moved.htm"));
    const BuildRun noTemplate = runBuild({project, "/h"});
    EXPECT_EQ(noTemplate.exitCode, 1);
    EXPECT_TRUE(noTemplate.out.contains("is not exsiting!")) << noTemplate.out.toStdString();

    // Outputs not available yet are refused, the CHM still built.
    QFile::rename(dir.filePath("sample/template/moved.htm"), dir.filePath("sample/template/page.htm"));
    const BuildRun mixed = runBuild({project, "/hd"});
    EXPECT_EQ(mixed.exitCode, 1);
    EXPECT_TRUE(mixed.err.contains("Word output is not available")) << mixed.err.toStdString();
    EXPECT_TRUE(QFile::exists(dir.filePath("sample_output/CHM/QuorixHelp.chm")));
}

} // namespace
