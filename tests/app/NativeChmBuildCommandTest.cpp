// The bundled sample built with the native HTML Help compiler holds every
// page, picture, contents and index of chmcmd's build, byte for byte, in
// chmlib and 7-Zip.
#include "BuildProgram.h"
#include "ChmReader.h"
#include "compiler/ChmReadersCheck.h"

#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

QString CopySample(const QTemporaryDir& dir, const QString& name)
{
    const QString sample = QFileInfo(QStringLiteral(QUORIX_BUILD_PROGRAM)).absolutePath() + "/sample";
    const QString target = dir.filePath(name);
    QProcess::execute("cp", {"-r", sample, target});
    return target + "/sample.qrx";
}

// The author's objects of a help file: the compilers' own (#SYSTEM, $FIftiMain,
// ::DataSpace, chmcmd's /_#_README_#_, folders) left out.
ChmReadersCheck::TExpected AuthorObjects(const QString& chm)
{
    ChmReader help(chm);
    ChmReadersCheck::TExpected objects;
    for (const QString& name : help.names())
        if (!name.startsWith("/#") && !name.startsWith("/$") && !name.startsWith("/_#_")
            && !name.startsWith("::") && !name.endsWith('/'))
            objects.insert(name, help.read(name));
    return objects;
}

TEST(NativeChmBuildCommand, TheSampleHoldsWhatChmcmdsBuildHolds)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const BuildRun native = runBuild({"--compiler=native", CopySample(dir, "native"), "/h"});
    ASSERT_EQ(native.exitCode, 0) << native.err.toStdString() << native.out.toStdString();
    EXPECT_FALSE(native.out.contains("Warning:")) << native.out.toStdString();
    const QString nativeChm = dir.filePath("native_output/CHM/QuorixHelp.chm");

    const BuildRun chmcmd = runBuild({"--compiler=chmcmd", CopySample(dir, "chmcmd"), "/h"});
    if (chmcmd.exitCode != 0)
        GTEST_SKIP() << "chmcmd could not build the sample: " << chmcmd.err.toStdString();
    const ChmReadersCheck::TExpected expected = AuthorObjects(dir.filePath("chmcmd_output/CHM/QuorixHelp.chm"));
    ASSERT_GT(expected.size(), 10);
    ChmReadersCheck::ExpectEveryReader(nativeChm, expected);

    ChmReader help(nativeChm);
    EXPECT_EQ(help.systemEntry(3), QByteArray("Quorix User Guide"));
    EXPECT_EQ(help.systemEntry(2), QByteArray("topics/welcome.htm"));
}

TEST(NativeChmBuildCommand, AnUnknownCompilerIsRefused)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const BuildRun run = runBuild({"--compiler=hhc", CopySample(dir, "sample"), "/h"});
    EXPECT_EQ(run.exitCode, 2);
    EXPECT_TRUE(run.err.contains("\"hhc\" is not an HTML Help compiler: chmcmd or native")) << run.err.toStdString();
    EXPECT_FALSE(QFileInfo::exists(dir.filePath("sample_output/CHM/QuorixHelp.chm")));
}

} // namespace
