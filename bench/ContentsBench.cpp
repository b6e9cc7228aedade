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

    // The two are timed in turns, and the fastest of each is kept: the
    // least disturbed by the rest of the machine.
    qint64 raw = std::numeric_limits<qint64>::max();
    qint64 reader = raw;
    qint64 fill = 0;
    qint64 files = 0;
    qint64 bytes = 0;
    for (int run = 0; run < 7; ++run) {
        QElapsedTimer timer;
        timer.start();
        bytes = ReadFilesRaw(pages);
        raw = std::min(raw, timer.nsecsElapsed());

        // For reference: the shared page reader on its own (lock probe,
        // charset detection, decoding), which Fill calls for every page.
        timer.restart();
        for (const QString& page : pages)
            ReadTextFile(page);
        reader = std::min(reader, timer.nsecsElapsed());

        timer.restart();
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
    std::printf("%d topics, %lld bytes of pages\n", topics, static_cast<long long>(bytes));
    std::printf("reading the pages:        %8.2f ms\n", raw / 1e6);
    std::printf("ReadTextFile of the pages:%8.2f ms (%.2f of reading)\n", reader / 1e6, double(reader) / double(raw));
    std::printf("Fill:                     %8.2f ms\n", fill / 1e6);
    std::printf("the four project files:   %8.2f ms\n", files / 1e6);
    std::printf("ratio: %.2f (goal: 3 or less)\n", double(fill + files) / double(raw));
    return 0;
}
