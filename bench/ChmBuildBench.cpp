// Builds a 2,000-topic generated project into a CHM through chmcmd and splits
// the time into Quorix's own work (reading the table of contents, preparing
// the work folder, writing the project files) and the compiler's. Prints
// Quorix's share of the total; the goal is under 20%.
#include "BenchProject.h"
#include "TChmBuild.h"
#include "TChmcmdCompiler.h"
#include "TCompilerOutputHost.h"
#include "TContents.h"
#include "TQrx.h"
#include "TimedCompiler.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFileInfo>
#include <cstdio>
#include <limits>

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const int topics = argc > 1 ? BenchTopicCount(argc, argv) : 2000;
    TBenchProject bench;
    TQrx project;
    if (!OpenBenchProject("bench-chm", topics, bench, project))
        return 1;
    project.ViewCompiledFile = false;
    project.CompiledFile = bench.dir.path() + QStringLiteral("/out/help.chm");

    qint64 bestTotal = std::numeric_limits<qint64>::max();
    qint64 bestCompiler = 0;
    for (int run = 0; run < 3; ++run) {
        TimedCompiler compiler(std::make_unique<TChmcmdCompiler>());
        TCompilerOutputHost host(compiler, {}, {});
        QElapsedTimer timer;
        timer.start();
        TContents contents;
        contents.qrx = &project;
        contents.Fill();
        TChmBuild chm(project, contents, host, [](const QString&) {});
        if (!chm.Run()) {
            std::fprintf(stderr, "bench-chm: the CHM was not written: %s\n", qPrintable(host.Result().Message));
            return 1;
        }
        const qint64 total = timer.nsecsElapsed();
        if (total < bestTotal) {
            bestTotal = total;
            bestCompiler = compiler.elapsed;
        }
    }
    const qint64 own = bestTotal - bestCompiler;
    std::printf("%d topics, CHM of %lld bytes\n", topics,
                static_cast<long long>(QFileInfo(project.CompiledFile).size()));
    std::printf("whole build:        %9.2f ms\n", bestTotal / 1e6);
    std::printf("compiler (chmcmd):  %9.2f ms\n", bestCompiler / 1e6);
    std::printf("Quorix's own work:  %9.2f ms\n", own / 1e6);
    std::printf("Quorix's share: %.1f%% (goal: under 20%%)\n", 100.0 * double(own) / double(bestTotal));
    return 0;
}
