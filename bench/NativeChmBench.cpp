// Compiles the CHM of a 2,000-topic generated project with the native
// compiler beside chmcmd, in the same build, and prints each compiler's time
// and help file size. Goals: native time at most half of chmcmd's, size at
// most 10% above chmcmd's.
#include "BenchProject.h"
#include "HTMLHelpCompilerChoice.h"
#include "TChmBuild.h"
#include "TCompilerOutputHost.h"
#include "TContents.h"
#include "TQrx.h"
#include "TimedCompiler.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <cstdio>
#include <limits>

namespace {

struct TCompileTiming {
    qint64 bestNanoseconds = std::numeric_limits<qint64>::max();
    qint64 bytes = 0;
};

// The best of three builds' compile times; false when a build fails.
bool TimeCompiler(TQrx& project, EHTMLHelpCompiler choice, TCompileTiming* timing)
{
    for (int run = 0; run < 3; ++run) {
        TimedCompiler compiler(MakeHTMLHelpCompiler(choice));
        TCompilerOutputHost host(compiler, {}, {});
        TContents contents;
        contents.qrx = &project;
        contents.Fill();
        TChmBuild chm(project, contents, host, [](const QString&) {});
        if (!chm.Run()) {
            std::fprintf(stderr, "bench-chm-native: the CHM was not written: %s\n",
                         qPrintable(host.Result().Message));
            return false;
        }
        timing->bestNanoseconds = std::min(timing->bestNanoseconds, compiler.elapsed);
    }
    timing->bytes = QFileInfo(project.CompiledFile).size();
    return true;
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const int topics = argc > 1 ? BenchTopicCount(argc, argv) : 2000;
    TBenchProject bench;
    TQrx project;
    if (!OpenBenchProject("bench-chm-native", topics, bench, project))
        return 1;
    project.ViewCompiledFile = false;
    project.CompiledFile = bench.dir.path() + QStringLiteral("/out/help.chm");

    TCompileTiming chmcmd;
    TCompileTiming native;
    if (!TimeCompiler(project, EHTMLHelpCompiler::Chmcmd, &chmcmd)
        || !TimeCompiler(project, EHTMLHelpCompiler::Native, &native))
        return 1;
    std::printf("%d topics\n", topics);
    std::printf("chmcmd:  %9.2f ms, %lld bytes\n", chmcmd.bestNanoseconds / 1e6, static_cast<long long>(chmcmd.bytes));
    std::printf("native:  %9.2f ms, %lld bytes\n", native.bestNanoseconds / 1e6, static_cast<long long>(native.bytes));
    std::printf("native time %.1f%% of chmcmd's (goal: at most 50%%), size %.1f%% (goal: at most 110%%)\n",
                100.0 * double(native.bestNanoseconds) / double(chmcmd.bestNanoseconds),
                100.0 * double(native.bytes) / double(chmcmd.bytes));
    return 0;
}
