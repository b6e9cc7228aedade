// quorix-build PROJECT.qrx /SWITCH: which outputs a switch asks for, in
// which order, and what the program says about outputs it cannot make yet.
#include "BuildProgram.h"

#include <QFile>
#include <QProcess>
#include <QProcessEnvironment>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

// The outputs quorix-build started, in order, by their first progress line.
QStringList startedOutputs(const QString& out)
{
    static const QStringList starts{"Creating HTML help file...", "Creating Website help...",
                                    "Creating SingleHTML file..."};
    QStringList started;
    for (const QString& line : out.split(QLatin1Char('\n')))
        if (starts.contains(line))
            started.append(line);
    return started;
}

// The outputs quorix-build refused, in the order it named them.
QStringList refusedOutputs(const QString& err)
{
    QStringList refused;
    for (const QString& line : err.split(QLatin1Char('\n')))
        if (line.endsWith(QLatin1String(" output is not available in this build yet.")))
            refused.append(line.section(QLatin1String(" output is"), 0, 0).remove(QLatin1String("quorix-build: ")));
    return refused;
}

const QString OneTopic = QStringLiteral("TitleList=1\r\nTitleList.Title.0=Intro\r\nTitleList.Url.0=intro.htm\r\n");

// A project of the topics `topics` ([TOPICS] lines); `general` adds lines to
// its [GENERAL] section.
QString writeProject(const QTemporaryDir& dir, const QString& general = QString(),
                     const QString& name = QStringLiteral("manual.qrx"), const QString& topics = OneTopic)
{
    const QString text =
        QStringLiteral("[GENERAL]\r\nVer=1\r\nTitle=Manual\r\n") + general + QStringLiteral("[TOPICS]\r\n") + topics;
    QByteArray bytes("\xFF\xFE", 2);
    bytes.append(reinterpret_cast<const char*>(text.utf16()), text.size() * 2);
    const QString path = dir.filePath(name);
    QFile file(path);
    if (file.open(QIODevice::WriteOnly))
        file.write(bytes);
    return path;
}

// The page of the topic "Intro".
void writeIntroPage(const QTemporaryDir& dir)
{
    QFile page(dir.filePath("intro.htm"));
    if (page.open(QIODevice::WriteOnly))
        page.write("<html><head><title>Intro</title></head><body><p>Intro</p></body></html>");
}

const QString WebHelpFolder = QStringLiteral("WebHelpOutputFolder=<Project_Folder>_output\\WebHelp\r\n");

TEST(BuildCommand, SwitchChoosesTheOutputsInBuildOrder)
{
    QTemporaryDir dir;
    const QString project = writeProject(dir);
    const QString chm = "Creating HTML help file...";
    const QString web = "Creating Website help...";
    const QString single = "Creating SingleHTML file...";
    struct Case {
        const char* buildSwitch;
        QStringList started;
        QStringList refused; // outputs not available yet
    };
    const Case cases[] = {
        {"/hws", {chm, web, single}, {}},
        {"/swh", {chm, web, single}, {}},
        {"/H", {chm}, {}},
        {"/pD", {}, {"Word", "PDF"}},
        {"/hx", {chm}, {}}, // other letters are passed over
        {"/hh", {chm}, {}},
        {"/sd", {single}, {"Word"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.buildSwitch);
        const BuildRun run = runBuild({project, QString::fromLatin1(c.buildSwitch)});
        EXPECT_EQ(startedOutputs(run.out), c.started) << run.out.toStdString();
        EXPECT_EQ(refusedOutputs(run.err), c.refused) << run.err.toStdString();
        if (!c.refused.isEmpty()) {
            EXPECT_EQ(run.exitCode, 1);
        }
        // The last line and the exit status agree.
        EXPECT_EQ(run.out.endsWith("\n\nCompleted.\n"), run.exitCode == 0) << run.out.toStdString();
        EXPECT_EQ(run.out.contains("\n\nFailed: "), run.exitCode != 0) << run.out.toStdString();
    }
}

// What the reader would miss is said whichever output is built.
TEST(BuildCommand, EveryOutputWarnsOfUnsavedAndMissingPages)
{
    QTemporaryDir dir;
    writeIntroPage(dir);
    const QString project = writeProject(dir, QStringLiteral("DefaultTopic=start.htm\r\n") + WebHelpFolder,
                                         QStringLiteral("warn.qrx"),
                                         QStringLiteral("TitleList=3\r\nTitleList.Title.0=Intro\r\nTitleList.Url.0=intro.htm\r\n"
                                                        "TitleList.Title.1=Draft\r\nTitleList.Status.1=1\r\n"
                                                        "TitleList.Title.2=Gone\r\nTitleList.Url.2=gone.htm\r\n"));
    const QStringList warnings{
        "Warning: The page of the topic \"Draft\" has not been saved yet; save it so that its text is in the outputs.",
        "Warning: The page \"gone.htm\" of the topic \"Gone\" does not exist.",
        "Warning: The default topic \"start.htm\" names a page that does not exist.",
    };
    for (const char* buildSwitch : {"/h", "/w", "/s"}) {
        SCOPED_TRACE(buildSwitch);
        const BuildRun run = runBuild({project, QString::fromLatin1(buildSwitch)});
        const QStringList lines = run.out.split(QLatin1Char('\n'));
        for (const QString& warning : warnings)
            EXPECT_EQ(lines.count(warning), 1) << run.out.toStdString();
    }
}

// "Completed." and status 0 only when every output asked for was written;
// otherwise the last line, and stderr, name the outputs that were not.
TEST(BuildCommand, CompletedOnlyWhenEveryOutputWasWritten)
{
    QTemporaryDir dir;
    writeIntroPage(dir);
    const QString complete = writeProject(dir, WebHelpFolder);
    const QString noWebFolder = writeProject(dir, QString(), QStringLiteral("noweb.qrx"));
    QProcessEnvironment noCompiler = QProcessEnvironment::systemEnvironment();
    noCompiler.insert("PATH", dir.path());
    struct Case {
        const char* name;
        QString project;
        const char* buildSwitch;
        QProcessEnvironment environment;
        const char* failed; // nullptr: every output written
    };
    const Case cases[] = {
        {"all written", complete, "/hws", QProcessEnvironment::systemEnvironment(), nullptr},
        {"one not available", complete, "/hdw", QProcessEnvironment::systemEnvironment(), "Word"},
        {"none available", complete, "/pd", QProcessEnvironment::systemEnvironment(), "Word, PDF"},
        {"no compiler", complete, "/hws", noCompiler, "CHM"},
        {"no compiler, no web help folder", noWebFolder, "/swh", noCompiler, "CHM, web help"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const BuildRun run = runBuild({c.project, QString::fromLatin1(c.buildSwitch)}, c.environment);
        if (c.failed == nullptr) {
            EXPECT_EQ(run.exitCode, 0) << run.err.toStdString();
            EXPECT_TRUE(run.out.endsWith("\n\nCompleted.\n")) << run.out.toStdString();
            EXPECT_FALSE(run.err.contains("Failed")) << run.err.toStdString();
            continue;
        }
        const QString failed = QStringLiteral("Failed: ") + QString::fromLatin1(c.failed);
        EXPECT_EQ(run.exitCode, 1);
        EXPECT_TRUE(run.out.endsWith("\n\n" + failed + "\n")) << run.out.toStdString();
        EXPECT_FALSE(run.out.contains("Completed."));
        EXPECT_TRUE(run.err.endsWith("quorix-build: " + failed + "\n")) << run.err.toStdString();
    }
}

TEST(BuildCommand, SwitchesThatBuildNothingGiveTheUsage)
{
    QTemporaryDir dir;
    const QString project = writeProject(dir);
    for (const char* buildSwitch : {"/hwdps", "/hwds", "hws", "/", "/x", "-h", ""}) {
        SCOPED_TRACE(buildSwitch);
        const BuildRun run = runBuild({project, QString::fromLatin1(buildSwitch)});
        EXPECT_EQ(run.exitCode, 2);
        EXPECT_TRUE(run.err.contains("is not a build switch")) << run.err.toStdString();
        EXPECT_TRUE(run.err.contains("Usage: quorix-build PROJECT.qrx /SWITCH"));
        EXPECT_TRUE(refusedOutputs(run.err).isEmpty());
    }
}

TEST(BuildCommand, AnUnreadableProjectIsReportedBeforeAnyOutput)
{
    QTemporaryDir dir;
    const BuildRun missing = runBuild({dir.filePath("missing.qrx"), "/h"});
    EXPECT_EQ(missing.exitCode, 1);
    EXPECT_TRUE(missing.err.contains("missing.qrx doesn't exist!")) << missing.err.toStdString();
    EXPECT_TRUE(refusedOutputs(missing.err).isEmpty());

    const BuildRun folder = runBuild({dir.path(), "/h"});
    EXPECT_EQ(folder.exitCode, 1);
    EXPECT_TRUE(refusedOutputs(folder.err).isEmpty());
}

} // namespace
