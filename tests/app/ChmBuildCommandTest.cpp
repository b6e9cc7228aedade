// Building the bundled sample to a CHM without a window, as CI does.
#include "BuildProgram.h"
#include "ChmReader.h"
#include "QtPrinting.h"
#include "compiler/ChmReadersCheck.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QProcessEnvironment>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

// A copy of the bundled sample in the folder `name`, so the outputs land in
// the test's folder.
QString copySample(const QTemporaryDir& dir, const QString& name = QStringLiteral("sample"))
{
    const QString sample = QFileInfo(QStringLiteral(QUORIX_BUILD_PROGRAM)).absolutePath() + "/sample";
    const QString target = dir.filePath(name);
    QProcess::execute("cp", {"-r", sample, target});
    return target + "/sample.qrx";
}

// A project file's text (UTF-16 with byte-order mark) with `from` replaced by `to`.
void replaceInProject(const QString& projectFile, const QString& from, const QString& to)
{
    QFile file(projectFile);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    file.close();
    QString text = QString::fromUtf16(reinterpret_cast<const char16_t*>(bytes.constData() + 2), (bytes.size() - 2) / 2);
    ASSERT_TRUE(text.contains(from));
    text.replace(from, to);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(bytes.left(2));
    file.write(reinterpret_cast<const char*>(text.utf16()), text.size() * 2);
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

// The sample in a folder named with Chinese and accented letters, its first
// page (the default topic, with a context number) renamed to a Chinese name:
// every output is written, and the help file holds every page and picture.
TEST(ChmBuildCommand, NamesBeyondAsciiBuildEveryOutputAndACompleteHelpFile)
{
    QTemporaryDir dir;
    const QString folder = QStringLiteral("帮助 ü");
    const QString project = copySample(dir, folder);
    const QString root = dir.filePath(folder) + "/";
    ASSERT_TRUE(QFile::rename(root + "topics/welcome.htm", root + "topics/概述.htm"));
    replaceInProject(project, QStringLiteral("topics\\welcome.htm"), QStringLiteral("topics\\概述.htm"));

    const BuildRun run = runBuild({project, "/hws"});
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString() << run.out.toStdString();
    EXPECT_TRUE(run.out.endsWith("\n\nCompleted.\n"));
    EXPECT_FALSE(run.out.contains("Warning:")) << run.out.toStdString();
    const QString output = dir.filePath(folder + "_output/");
    const QString chmFile = output + "CHM/QuorixHelp.chm";
    EXPECT_TRUE(run.out.contains("Wrote " + chmFile)) << run.out.toStdString();
    // Nothing lands beside: no stray folders, no leftovers of the compiler.
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden),
              (QStringList{folder, folder + "_output"}));
    EXPECT_EQ(QDir(output + "CHM").entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden),
              QStringList{"QuorixHelp.chm"});

    ChmReader chm(chmFile);
    ASSERT_TRUE(chm.isOpen());
    EXPECT_EQ(chm.systemEntry(2), QStringLiteral("topics/概述.htm").toUtf8());
    EXPECT_EQ(chm.systemEntry(3), QByteArray("Quorix User Guide"));
    const QSet<QString> names = chm.names();
    // Every file of the project but the project file and the page template,
    // whose pages are merged into it.
    int checked = 0;
    QDirIterator it(root, QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString name = "/" + it.next().mid(root.size());
        if (name == "/sample.qrx" || name == "/template/page.htm")
            continue;
        EXPECT_TRUE(names.contains(name)) << name.toStdString();
        ++checked;
    }
    EXPECT_GT(checked, 50);
    EXPECT_TRUE(names.contains("/topics/概述.htm"));
    // The contents and the context map lead to the renamed page.
    EXPECT_TRUE(chm.read("/QuorixHelp.hhc").contains("<param name=\"Local\" value=\"topics/概述.htm\">"));
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

// The author's objects of a help file: the compilers' own (#SYSTEM, $FIftiMain,
// ::DataSpace, chmcmd's /_#_README_#_, folders) left out.
ChmReadersCheck::TExpected authorObjects(const QString& chm)
{
    ChmReader help(chm);
    ChmReadersCheck::TExpected objects;
    for (const QString& name : help.names())
        if (!name.startsWith("/#") && !name.startsWith("/$") && !name.startsWith("/_#_") && !name.startsWith("::")
            && !name.endsWith('/'))
            objects.insert(name, help.read(name));
    return objects;
}

// The sample built with the native compiler holds every page, picture,
// contents and index of chmcmd's build, byte for byte in chmlib and 7-Zip;
// also in a folder and with a page named beyond ASCII.
TEST(ChmBuildCommand, TheNativeCompilerBuildsWhatChmcmdBuilds)
{
    const struct {
        QString folder;
        QString defaultPage;
    } cases[] = {
        {QStringLiteral("sample"), QStringLiteral("welcome.htm")},
        {QStringLiteral("帮助 ü"), QStringLiteral("概述.htm")},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.folder.toStdString());
        QTemporaryDir dir;
        ASSERT_TRUE(dir.isValid());
        QString projects[2];
        const char* compilers[] = {"native", "chmcmd"};
        for (int n = 0; n < 2; ++n) {
            const QString folder = QLatin1String(compilers[n]) + c.folder;
            projects[n] = copySample(dir, folder);
            if (c.defaultPage != QStringLiteral("welcome.htm")) {
                const QString root = dir.filePath(folder) + "/topics/";
                ASSERT_TRUE(QFile::rename(root + "welcome.htm", root + c.defaultPage));
                replaceInProject(projects[n], QStringLiteral("topics\\welcome.htm"), "topics\\" + c.defaultPage);
            }
        }
        const BuildRun native = runBuild({"--compiler=native", projects[0], "/h"});
        ASSERT_EQ(native.exitCode, 0) << native.err.toStdString() << native.out.toStdString();
        EXPECT_FALSE(native.out.contains("Warning:")) << native.out.toStdString();
        const QString nativeChm = dir.filePath("native" + c.folder + "_output/CHM/QuorixHelp.chm");
        const BuildRun chmcmd = runBuild({"--compiler=chmcmd", projects[1], "/h"});
        if (chmcmd.exitCode != 0)
            GTEST_SKIP() << "chmcmd could not build the sample: " << chmcmd.err.toStdString();
        const ChmReadersCheck::TExpected expected
            = authorObjects(dir.filePath("chmcmd" + c.folder + "_output/CHM/QuorixHelp.chm"));
        ASSERT_GT(expected.size(), 50);
        EXPECT_TRUE(expected.contains("/topics/" + c.defaultPage));
        ChmReadersCheck::ExpectEveryReader(nativeChm, expected);

        ChmReader help(nativeChm);
        EXPECT_EQ(help.systemEntry(3), QByteArray("Quorix User Guide"));
        EXPECT_EQ(help.systemEntry(2), ("topics/" + c.defaultPage).toUtf8());
    }
}

// The project's own choice builds unless --compiler names another; the
// compiler-version entry of the help file tells which one wrote it.
TEST(ChmBuildCommand, TheProjectsCompilerChoiceBuildsUnlessTheCommandLineNamesAnother)
{
    const QByteArray nativeVersion("Quorix native compiler");
    const struct {
        QStringList options;
        bool native;
    } cases[] = {
        {{}, true},
        {{"--compiler=chmcmd"}, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.options.join(' ').toStdString());
        QTemporaryDir dir;
        ASSERT_TRUE(dir.isValid());
        const QString project = copySample(dir);
        replaceInProject(project, QStringLiteral("[CHMSetting]\r\n"), QStringLiteral("[CHMSetting]\r\nCompiler=native\r\n"));
        const BuildRun run = runBuild(c.options + QStringList{project, "/h"});
        if (!c.native && run.exitCode != 0)
            GTEST_SKIP() << "chmcmd could not build the sample: " << run.err.toStdString();
        ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
        ChmReader help(dir.filePath("sample_output/CHM/QuorixHelp.chm"));
        EXPECT_EQ(help.systemEntry(9) == nativeVersion, c.native) << help.systemEntry(9).toStdString();
    }
}

TEST(ChmBuildCommand, AnUnknownCompilerIsRefused)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const BuildRun run = runBuild({"--compiler=hhc", copySample(dir), "/h"});
    EXPECT_EQ(run.exitCode, 2);
    EXPECT_TRUE(run.err.contains("\"hhc\" is not an HTML Help compiler: chmcmd or native")) << run.err.toStdString();
    EXPECT_FALSE(QFileInfo::exists(dir.filePath("sample_output/CHM/QuorixHelp.chm")));
}

} // namespace
