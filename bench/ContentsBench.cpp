// Fills the output table of contents of a 20,000-topic project and writes
// its four HTML Help project files, against only reading the same page
// files. Prints the ratio; the goal is 3 or less. The page reader alone is
// timed too, as the part of Fill that is not this library's.
#include "BenchProject.h"
#include "TCHMProject.h"
#include "TCHMProjectWriter.h"
#include "TContents.h"
#include "PageFiles.h"
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
    const GeneratedProject& generated = bench.generated;
    TQrx project;
    if (!OpenBenchProject("bench-contents", topics, bench, project))
        return 1;

    const QStringList pages = bench.PageFiles();

    // Timed in turns with the baselines; the fastest run is kept.
    TPageReadBaseline baseline;
    qint64 fill = 0;
    qint64 files = 0;
    for (int run = 0; run < 7; ++run) {
        baseline.Time(pages);
        QElapsedTimer timer;
        timer.start();
        TContents contents;
        contents.qrx = &project;
        contents.Fill();
        const qint64 filled = timer.nsecsElapsed();

        timer.restart();
        TCHMProject chm;
        chm.Assign(project.CHMSetting);
        chm.Title = project.Title;
        chm.Language = project.Language;
        chm.DefaultTopic = contents.DefaultPage;
        chm.TOC = contents.MakeHHCList();
        chm.IndexList = contents.MakeHHKList();
        contents.MakeContextSensitive(chm.Alias, chm.Map);
        // The project folder stands in for the work folder: [FILES] lists every file.
        chm.Folder = generated.rootDir;
        chm.CHM = QStringLiteral("help.chm");
        TCHMProjectWriter(chm).Output(false, false, false);
        const qint64 written = timer.nsecsElapsed();
        if (run == 0 || filled + written < fill + files) {
            fill = filled;
            files = written;
        }
    }
    const double raw = double(baseline.Raw);
    std::printf("%d topics, %lld bytes of pages\n", topics, static_cast<long long>(baseline.Bytes));
    std::printf("reading the pages:        %8.2f ms\n", raw / 1e6);
    std::printf("ReadTextFile of the pages:%8.2f ms (%.2f of reading)\n", baseline.Reader / 1e6,
                double(baseline.Reader) / raw);
    std::printf("Fill:                     %8.2f ms\n", fill / 1e6);
    std::printf("the four project files:   %8.2f ms\n", files / 1e6);
    std::printf("ratio: %.2f (goal: 3 or less)\n", double(fill + files) / raw);
    return 0;
}
