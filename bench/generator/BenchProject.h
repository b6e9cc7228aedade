#pragma once

#include "ProjectGenerator.h"

#include <QStringList>
#include <QTemporaryDir>
#include <limits>

class TQrx;

// A generated project on disk with its project file, as every benchmark
// starts from.
struct TBenchProject {
    QTemporaryDir dir;
    GeneratedProject generated;
    QString projectFile;

    // The native paths of the topic pages.
    QStringList PageFiles() const;
};

// Generates `topics` topics (root folder "help" in a temporary folder) and
// their project file "help.qrx"; false with `error` set on failure.
bool PrepareBenchProject(int topics, TBenchProject& project, QString* error);

// The same, then the project file read into `model`; on failure prints why
// on stderr under the benchmark's name and returns false.
bool OpenBenchProject(const char* benchmark, int topics, TBenchProject& project, TQrx& model);

// The topic count a benchmark was asked for: its first argument, else 20,000.
int BenchTopicCount(int argc, char** argv);

// Reads every file once, as a baseline; returns the bytes read.
qint64 ReadFilesRaw(const QStringList& files);

// The two baselines of benchmarks that read pages, timed in turns with the
// benchmark's own run: the pages read raw with QFile, and read by the shared
// page reader (ReadTextFile: lock probe, charset detection, decoding). Each
// keeps the fastest of its runs, the least disturbed by the rest of the machine.
struct TPageReadBaseline {
    qint64 Raw = std::numeric_limits<qint64>::max();
    qint64 Reader = std::numeric_limits<qint64>::max();
    qint64 Bytes = 0;

    // One run of both.
    void Time(const QStringList& pages);
};
