// Builds the single HTML file of a 20,000-topic project (copy list, pictures
// and style sheet copied, every page merged into one file with its links
// turned into links inside the file, the file saved), against only reading
// the same page files. Prints the ratio; the goal is 10 or less. The
// collection of the copy list and the generation of the file's text are
// timed alone too: the build runs both.
#include "BenchProject.h"
#include "TContents.h"
#include "TQrx.h"
#include "TSingleHtmlBuild.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFileInfo>
#include <algorithm>
#include <cstdio>
#include <limits>

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const int topics = BenchTopicCount(argc, argv);
    TBenchProject bench;
    TQrx project;
    if (!OpenBenchProject("bench-singlehtml", topics, bench, project))
        return 1;
    project.SingleHtmlOutputFolder = bench.dir.filePath("single");
    project.SingleHtmlFilename = QStringLiteral("all.htm");
    project.SingleHtmlHasToc = true;
    project.ViewCompiledFile = false;
    TContents contents;
    contents.qrx = &project;
    contents.Fill();

    const QStringList pages = bench.PageFiles();
    const auto quiet = [](const QString&) {};
    QString failure;
    const auto fail = [&failure](const QString& message) { failure = message; };

    // Timed in turns; the fastest of each is kept: the least disturbed by
    // the rest of the machine.
    qint64 raw = std::numeric_limits<qint64>::max();
    qint64 generate = raw;
    qint64 build = raw;
    qint64 collect = raw;
    qint64 bytes = 0;
    QString file;
    for (int run = 0; run < 5; ++run) {
        QElapsedTimer timer;
        timer.start();
        bytes = ReadFilesRaw(pages);
        raw = std::min(raw, timer.nsecsElapsed());

        timer.restart();
        const QString text = contents.MakeSingleHtmlTOC() + contents.MakeSingleHtml();
        generate = std::min(generate, timer.nsecsElapsed());

        timer.restart();
        contents.PrepareCopyFile();
        collect = std::min(collect, timer.nsecsElapsed());

        timer.restart();
        TSingleHtmlBuild single(project, contents, quiet, fail);
        if (!single.Run()) {
            std::fprintf(stderr, "bench-singlehtml: the file was not written: %s\n", qPrintable(failure));
            return 1;
        }
        build = std::min(build, timer.nsecsElapsed());
        file = single.OutputFile;
        if (text.size() < bytes / 4) {
            std::fprintf(stderr, "bench-singlehtml: the pages are missing from the file\n");
            return 1;
        }
    }
    std::printf("%d topics, %lld bytes of pages, a file of %lld bytes\n", topics, static_cast<long long>(bytes),
                static_cast<long long>(QFileInfo(file).size()));
    std::printf("reading the pages:          %8.2f ms\n", raw / 1e6);
    std::printf("PrepareCopyFile:            %8.2f ms (%.2f of reading)\n", collect / 1e6,
                double(collect) / double(raw));
    std::printf("MakeSingleHtml(TOC):        %8.2f ms (%.2f of reading)\n", generate / 1e6,
                double(generate) / double(raw));
    std::printf("single HTML build:          %8.2f ms\n", build / 1e6);
    std::printf("ratio: %.2f (goal: 10 or less)\n", double(build) / double(raw));
    return 0;
}
