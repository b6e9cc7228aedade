// The project files are accepted by a real compiler: a generated project is
// compiled with chmcmd and the result read back with chmlib.
#include "ChmReader.h"
#include "GeneratedHtmlHelp.h"
#include "OutputTestSupport.h"
#include "Paths.h"
#include "QuorixError.h"
#include "TCHMOutputHost.h"
#include "TCHMProjectWriter.h"

#include <QProcess>
#include <QSet>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace OutputTest;

namespace {

// Runs chmcmd in the folder of the project file and judges the result as
// its exit code alone cannot: no "Error:" line, and a file chmlib opens.
class ChmcmdHost : public TCHMOutputHost {
public:
    void Compile(const QString& hhpFile) override
    {
        const QFileInfo project(hhpFile);
        QProcess chmcmd;
        chmcmd.setWorkingDirectory(project.absolutePath());
        chmcmd.setProcessChannelMode(QProcess::MergedChannels);
        // Every file is listed already; chmcmd's own link scan reports the
        // anchors of pages in sub-folders as undefined (its bug, not ours).
        chmcmd.start(QStringLiteral("chmcmd"), {QStringLiteral("--no-html-scan"), project.fileName()});
        if (!chmcmd.waitForFinished(120000))
            throw EQuorixError(QStringLiteral("chmcmd did not finish: ") + chmcmd.errorString());
        output = QString::fromLocal8Bit(chmcmd.readAll());
        if (chmcmd.exitStatus() != QProcess::NormalExit || chmcmd.exitCode() != 0 || output.contains("Error:"))
            throw EQuorixError(QStringLiteral("chmcmd failed (%1):\n%2").arg(chmcmd.exitCode()).arg(output));
    }
    void ShowCompiledFile(const QString&) override {}
    bool RetryDelete(const QString&) override { return false; }

    QString output;
};

TEST(ChmcmdCompileTest, CompiledHelpHoldsEveryPageTitleAndDefaultTopic)
{
    if (QStandardPaths::findExecutable(QStringLiteral("chmcmd")).isEmpty())
        GTEST_SKIP() << "chmcmd is not installed (Debian package fp-utils-3.2.2)";

    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    // Small enough for one directory chunk of chmcmd's output (see the
    // header fix-up of the build for larger ones).
    GeneratorOptions options;
    options.topicCount = 30;
    options.seed = 7;
    GeneratedProject generated;
    TQrx project;
    TContents contents;
    TCHMProject chm;
    const QString work = dir.filePath("work") + QLatin1Char('/');
    ASSERT_TRUE(PrepareGeneratedHtmlHelp(dir.path(), options, work, &generated, &project, &contents, &chm));
    ChmcmdHost host;
    TCHMProjectWriter(chm).Output(true, false, false, &host);

    ChmReader help(work + "help.chm");
    ASSERT_TRUE(help.isOpen()) << host.output.toStdString();
    const QSet<QString> names = help.names();
    for (const GeneratedTopic& topic : generated.topics)
        EXPECT_TRUE(names.contains(QLatin1Char('/') + ToSlashes(topic.url))) << topic.url.toStdString();
    for (const QString& file : generated.resourceFiles)
        EXPECT_TRUE(names.contains(QLatin1Char('/') + ToSlashes(file))) << file.toStdString();
    EXPECT_TRUE(names.contains("/help.hhc"));
    EXPECT_TRUE(names.contains("/help.hhk"));

    const QString firstPage = generated.topics.front().url;
    EXPECT_EQ(chm.DefaultTopic, firstPage);
    EXPECT_EQ(help.systemEntry(3), "Generated help");
    EXPECT_EQ(help.systemEntry(2), ToSlashes(firstPage).toLatin1());
    const QByteArray page = help.read(QLatin1Char('/') + ToSlashes(firstPage));
    EXPECT_EQ(page, ReadBytes(generated.rootDir + ToSlashes(firstPage)));
}

} // namespace
