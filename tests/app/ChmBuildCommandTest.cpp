// Building the bundled sample to a CHM without a window, as CI does.
#include "BuildProgram.h"
#include "ChmReader.h"
#include "QtPrinting.h"

#include <QDir>
#include <QDirIterator>
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

// What a reader needs from the help file: its title, language and default
// topic, the contents and index, every page and picture of the project.
TEST(ChmBuildCommand, TheSampleHelpFileHoldsEverythingAReaderNeeds)
{
    QTemporaryDir dir;
    const QString project = copySample(dir);
    const BuildRun run = runBuild({project, "/h"});
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    ChmReader chm(dir.filePath("sample_output/CHM/QuorixHelp.chm"));
    ASSERT_TRUE(chm.isOpen());
    EXPECT_EQ(chm.systemEntry(3), QByteArray("Quorix User Guide"));
    EXPECT_EQ(chm.systemEntry(2), QByteArray("topics/welcome.htm"));
    // Entry 4 starts with the language identifier.
    const QByteArray language = chm.systemEntryBytes(4);
    ASSERT_GE(language.size(), 4);
    EXPECT_EQ(quint8(language[0]) | quint8(language[1]) << 8, 0x0409);

    const QSet<QString> names = chm.names();
    EXPECT_TRUE(names.contains("/QuorixHelp.hhc")) << QStringList(names.values()).join(' ').toStdString();
    EXPECT_TRUE(names.contains("/QuorixHelp.hhk"));
    const QString root = dir.filePath("sample/");
    int checked = 0;
    for (const QString& folder : {QStringLiteral("topics"), QStringLiteral("images")}) {
        QDirIterator it(root + folder, QDir::Files, QDirIterator::Subdirectories);
        while (it.hasNext()) {
            const QString name = "/" + it.next().mid(root.size());
            EXPECT_TRUE(names.contains(name)) << name.toStdString();
            ++checked;
        }
    }
    EXPECT_GT(checked, 40);
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
