// Collects the files a 20,000-topic project's pages refer to (the copy list
// of an output: every page, its pictures, style sheet and script, followed
// recursively), against only reading the same page files. Prints the ratio;
// the goal is 3 or less. The shared page reader alone is timed too, as the
// part of the collection that is not this library's.
#include "PageFiles.h"
#include "BenchProject.h"
#include "TContents.h"
#include "TQrx.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <algorithm>
#include <cstdio>
#include <limits>

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const int topics = BenchTopicCount(argc, argv);
    TBenchProject bench;
    TQrx project;
    if (!OpenBenchProject("bench-refer", topics, bench, project))
        return 1;
    TContents contents;
    contents.qrx = &project;
    contents.Fill();

    const QStringList pages = bench.PageFiles();

    // Timed in turns with the baselines; the fastest of each is kept.
    TPageReadBaseline baseline;
    qint64 collect = std::numeric_limits<qint64>::max();
    for (int run = 0; run < 7; ++run) {
        baseline.Time(pages);
        QElapsedTimer timer;
        timer.start();
        contents.PrepareCopyFile();
        collect = std::min(collect, timer.nsecsElapsed());
    }
    const qsizetype missing = std::count_if(pages.cbegin(), pages.cend(), [&](const QString& page) {
        return !contents.FileListForCopy.Contains(page);
    });
    std::printf("%d topics, %lld bytes of pages, %d files to copy (%lld pages missing)\n", topics,
                static_cast<long long>(baseline.Bytes), contents.FileListForCopy.Count(),
                static_cast<long long>(missing));
    const double raw = double(baseline.Raw);
    std::printf("reading the pages:         %8.2f ms\n", raw / 1e6);
    std::printf("ReadTextFile of the pages: %8.2f ms (%.2f of reading)\n", baseline.Reader / 1e6,
                double(baseline.Reader) / raw);
    std::printf("PrepareCopyFile:           %8.2f ms\n", collect / 1e6);
    std::printf("ratio: %.2f (goal: 3 or less)\n", double(collect) / raw);
    return missing == 0 ? 0 : 1;
}
