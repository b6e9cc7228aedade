// Reads and writes a 20,000-topic project file and compares the time with
// reading and writing the same bytes raw (the same safe write: a temporary
// file renamed over the target). Prints the ratio; the goal is 5 or less.
// Then the same topics nested each below the one before: a tree that deep
// costs what the flat one costs (goal: 1.5 times or less).
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

// The project's topics nested each one below the one before, written to `file`.
void writeDeepProject(const QString& source, const QString& file)
{
    TQrx flat;
    flat.ReadFromIni(source);
    TQrx deep;
    deep.RootDir = flat.RootDir;
    TopicNode* parent = deep.tnTableOfContents;
    for (const TopicNode* node = flat.tnTableOfContents->next(flat.tnTableOfContents); node != nullptr;
         node = node->next(flat.tnTableOfContents))
        parent = deep.Tree().appendNode(parent, node->text(), node->entry());
    deep.ProjectFilename = file;
    deep.SaveToIni(file);
}

qint64 readAndWrite(const QString& source, const QString& target)
{
    return fastestNanoseconds(7, [&] {
        TQrx model;
        model.ReadFromIni(source);
        model.ProjectFilename = target;
        model.SaveToIni(target);
    });
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
    const qint64 project = readAndWrite(source, target);
    const QString deepSource = bench.dir.filePath(QStringLiteral("deep.qrx"));
    writeDeepProject(source, deepSource);
    const qint64 deep = readAndWrite(deepSource, target);
    std::printf("project file of %d topics (%lld bytes)\n", topics, static_cast<long long>(QFile(source).size()));
    std::printf("raw read+write:     %8.2f ms\n", raw / 1e6);
    std::printf("project read+write: %8.2f ms\n", project / 1e6);
    std::printf("ratio: %.2f (goal: 5 or less)\n", double(project) / double(raw));
    std::printf("nested %d deep:    %8.2f ms\n", topics, deep / 1e6);
    std::printf("nested against flat: %.2f (goal: 1.5 or less)\n", double(deep) / double(project));
    return 0;
}
