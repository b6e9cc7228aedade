// Makes a project from a folder of 20,000 pages as "使用现有 html 文件创建项目"
// and `quorix-build --new FOLDER --from-html` do (the folder listed, every
// page read for its title, the topics added, numbered and the project file
// written), against reading the same pages once. Prints the ratio, and the
// shared page reader's time alone, the part that is not this command's. Then
// runs quorix-build itself: --new on the folder, and the web help build of
// the project it wrote; fails (exit 1) unless every page reaches the web help.
#include "BenchProject.h"
#include "QuorixError.h"
#include "TNewProject.h"
#include "TQrx.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QProcess>
#include <algorithm>
#include <cstdio>
#include <limits>
#include <memory>

namespace {

// quorix-build beside this program, run to its end; its output on success.
bool runBuildProgram(const QStringList& arguments, QString& out)
{
    QProcess process;
    process.start(QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("quorix-build")), arguments);
    if (!process.waitForFinished(-1) || process.exitStatus() != QProcess::NormalExit || process.exitCode() != 0) {
        std::fprintf(stderr, "bench-newproject: quorix-build %s failed: %s%s\n", qPrintable(arguments.join(' ')),
                     process.readAllStandardError().constData(), qPrintable(process.errorString()));
        return false;
    }
    out = QString::fromUtf8(process.readAllStandardOutput());
    return true;
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const int topics = BenchTopicCount(argc, argv);
    TBenchProject bench;
    QString error;
    if (!PrepareBenchProject(topics, bench, &error)) {
        std::fprintf(stderr, "bench-newproject: cannot generate the pages: %s\n", qPrintable(error));
        return 1;
    }
    const QStringList pages = bench.PageFiles();
    const QString folder = bench.generated.rootDir;
    const QString madeFile = bench.dir.filePath(QStringLiteral("made.qrx"));

    TPageReadBaseline baseline;
    qint64 listing = std::numeric_limits<qint64>::max();
    qint64 filling = listing;
    qint64 saving = listing;
    qint64 whole = listing;
    int made = 0;
    for (int run = 0; run < 7; ++run) {
        baseline.Time(pages);
        QElapsedTimer timer;
        auto project = std::make_unique<TQrx>();
        TNewProject request;
        request.Kind = NewFromHtmlFiles;
        request.Title = QStringLiteral("Generated");
        request.Folder = folder;
        try {
            timer.start();
            request.Prepare();
            const qint64 listed = timer.nsecsElapsed();
            request.Fill(*project);
            const qint64 filled = timer.nsecsElapsed();
            project->ProjectFilename = madeFile;
            project->SaveToIni(madeFile);
            const qint64 saved = timer.nsecsElapsed();
            listing = std::min(listing, listed);
            filling = std::min(filling, filled - listed);
            saving = std::min(saving, saved - filled);
            whole = std::min(whole, saved);
        } catch (const EQuorixError& failure) {
            std::fprintf(stderr, "bench-newproject: %s\n", qPrintable(failure.message()));
            return 1;
        }
        made = project->Tree().topicCount();
    }
    std::printf("%d pages, %lld bytes, %d topics made (pages and their folders' headings)\n", topics,
                static_cast<long long>(baseline.Bytes), made);
    std::printf("reading the pages:                 %8.2f ms\n", baseline.Raw / 1e6);
    std::printf("ReadTextFile of the pages:         %8.2f ms (%.2f of reading)\n", baseline.Reader / 1e6,
                double(baseline.Reader) / double(baseline.Raw));
    std::printf("listing the folder, reading titles:%8.2f ms\n", listing / 1e6);
    std::printf("adding and numbering the topics:   %8.2f ms\n", filling / 1e6);
    std::printf("writing the project file:          %8.2f ms\n", saving / 1e6);
    std::printf("making the project:                %8.2f ms\n", whole / 1e6);
    std::printf("ratio: %.2f (goal: 6 or less)\n", double(whole) / double(baseline.Raw));

    // The programs an author's script runs.
    QString out;
    QElapsedTimer timer;
    timer.start();
    if (!runBuildProgram({QStringLiteral("--new"), folder, QStringLiteral("--from-html")}, out))
        return 1;
    const QString projectFile = out.section(QLatin1Char('\n'), 0, 0);
    std::printf("quorix-build --new:                %8.2f ms, wrote %s\n", timer.nsecsElapsed() / 1e6,
                qPrintable(projectFile));
    timer.restart();
    if (!runBuildProgram({projectFile, QStringLiteral("/w")}, out))
        return 1;
    std::printf("quorix-build /w:                   %8.2f ms\n", timer.nsecsElapsed() / 1e6);

    TQrx written;
    written.ReadFromIni(projectFile);
    const QString output = QFileInfo(QDir::cleanPath(folder) + QStringLiteral("_output/WebHelp")).absoluteFilePath();
    const QDir root(folder);
    const qsizetype missing = std::count_if(pages.cbegin(), pages.cend(), [&](const QString& page) {
        return !QFileInfo::exists(output + QStringLiteral("/topics/") + root.relativeFilePath(page));
    });
    std::printf("web help in %s: %lld of %lld pages missing, index.htm %s\n", qPrintable(output),
                static_cast<long long>(missing), static_cast<long long>(pages.size()),
                QFileInfo::exists(output + QStringLiteral("/index.htm")) ? "written" : "MISSING");
    const bool complete = missing == 0 && QFileInfo::exists(output + QStringLiteral("/index.htm"))
        && written.Tree().topicCount() == made;
    return complete ? 0 : 1;
}
