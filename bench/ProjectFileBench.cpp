// Reads and writes a 20,000-topic project file and compares the time with
// reading and writing the same bytes raw (the same safe write: a temporary
// file renamed over the target). Prints the ratio; the goal is 5 or less.
#include "BenchProject.h"
#include "TQrx.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QSaveFile>
#include <algorithm>
#include <cstdio>
#include <functional>

namespace {

// The fastest of several runs: the least disturbed by the rest of the machine.
qint64 fastestNanoseconds(int runs, const std::function<void()>& work)
{
    qint64 best = std::numeric_limits<qint64>::max();
    for (int run = 0; run < runs; ++run) {
        QElapsedTimer timer;
        timer.start();
        work();
        best = std::min(best, timer.nsecsElapsed());
    }
    return best;
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const int topics = BenchTopicCount(argc, argv);
    TBenchProject bench;
    QString error;
    if (!PrepareBenchProject(topics, bench, &error)) {
        std::fprintf(stderr, "bench-projectfile: cannot generate the project: %s\n", qPrintable(error));
        return 1;
    }
    const QString& source = bench.projectFile;
    const QString target = bench.dir.filePath(QStringLiteral("copy.qrx"));

    const qint64 raw = fastestNanoseconds(7, [&] {
        QFile in(source);
        in.open(QIODevice::ReadOnly);
        const QByteArray bytes = in.readAll();
        QSaveFile out(target);
        out.open(QIODevice::WriteOnly);
        out.write(bytes);
        out.commit();
    });
    const qint64 project = fastestNanoseconds(7, [&] {
        TQrx model;
        model.ReadFromIni(source);
        model.ProjectFilename = target;
        model.SaveToIni(target);
    });
    std::printf("project file of %d topics (%lld bytes)\n", topics, static_cast<long long>(QFile(source).size()));
    std::printf("raw read+write:     %8.2f ms\n", raw / 1e6);
    std::printf("project read+write: %8.2f ms\n", project / 1e6);
    std::printf("ratio: %.2f (goal: 5 or less)\n", double(project) / double(raw));
    return 0;
}
