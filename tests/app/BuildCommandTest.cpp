// quorix-build PROJECT.qrx /SWITCH: which outputs a switch asks for, in
// which order, and what the program says about outputs it cannot make yet.
#include "BuildProgram.h"

#include <QFile>
#include <QProcess>
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

QString writeProject(const QTemporaryDir& dir)
{
    const QString text = QStringLiteral("[GENERAL]\r\nVer=1\r\nTitle=Manual\r\n[TOPICS]\r\nTitleList=1\r\n"
                                        "TitleList.Title.0=Intro\r\nTitleList.Url.0=intro.htm\r\n");
    QByteArray bytes("\xFF\xFE", 2);
    bytes.append(reinterpret_cast<const char*>(text.utf16()), text.size() * 2);
    const QString path = dir.filePath("manual.qrx");
    QFile file(path);
    if (file.open(QIODevice::WriteOnly))
        file.write(bytes);
    return path;
}

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
        EXPECT_TRUE(run.out.endsWith("Completed.\n"));
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
