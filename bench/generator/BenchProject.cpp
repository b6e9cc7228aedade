#include "BenchProject.h"

#include "PageFiles.h"
#include "ProjectFileWriter.h"
#include "QuorixError.h"
#include "TQrx.h"

#include <QElapsedTimer>
#include <QFile>
#include <algorithm>
#include <cstdio>
#include <cstdlib>

QStringList TBenchProject::PageFiles() const
{
    QStringList pages;
    for (const GeneratedTopic& topic : generated.topics)
        pages << generated.rootDir + QString(topic.url).replace(QLatin1Char('\\'), QLatin1Char('/'));
    return pages;
}

bool PrepareBenchProject(int topics, TBenchProject& project, QString* error)
{
    GeneratorOptions options;
    options.topicCount = topics;
    project.generated = GenerateProject(project.dir.filePath(QStringLiteral("help")), options, error);
    project.projectFile = project.dir.filePath(QStringLiteral("help.qrx"));
    return !project.generated.rootDir.isEmpty()
        && WriteGeneratedProjectFile(project.generated, project.projectFile, error);
}

bool OpenBenchProject(const char* benchmark, int topics, TBenchProject& project, TQrx& model)
{
    QString error;
    if (!PrepareBenchProject(topics, project, &error)) {
        std::fprintf(stderr, "%s: cannot generate the project: %s\n", benchmark, qPrintable(error));
        return false;
    }
    try {
        model.ReadFromIni(project.projectFile);
    } catch (const EQuorixError& failure) {
        std::fprintf(stderr, "%s: cannot read the project: %s\n", benchmark, qPrintable(failure.message()));
        return false;
    }
    return true;
}

int BenchTopicCount(int argc, char** argv)
{
    return argc > 1 ? std::max(1, std::atoi(argv[1])) : 20000;
}

qint64 ReadFilesRaw(const QStringList& files)
{
    qint64 bytes = 0;
    for (const QString& path : files) {
        QFile file(path);
        if (file.open(QIODevice::ReadOnly))
            bytes += file.readAll().size();
    }
    return bytes;
}

void TPageReadBaseline::Time(const QStringList& pages)
{
    QElapsedTimer timer;
    timer.start();
    Bytes = ReadFilesRaw(pages);
    Raw = std::min(Raw, timer.nsecsElapsed());
    timer.restart();
    for (const QString& page : pages)
        ReadTextFile(page);
    Reader = std::min(Reader, timer.nsecsElapsed());
}
