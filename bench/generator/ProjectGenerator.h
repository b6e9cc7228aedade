#pragma once

#include <QString>
#include <QStringList>
#include <QVector>
#include <QtGlobal>

// Synthetic help projects for the benchmarks: a folder of realistic topic pages
// with pictures, a style sheet and a script, plus the table of contents that a
// project file would hold for them.

struct GeneratorOptions
{
    int topicCount = 1000;
    int maxDepth = 4;           // levels 0 .. maxDepth - 1
    quint32 seed = 1;
    int paragraphsPerPage = 6;
    int picturesPerPage = 1;
    int linksPerPage = 3;       // links to other topics; outside links come on top now and then
    int keywordsPerTopic = 2;
    int pagesPerFolder = 500;
};

struct GeneratedTopic
{
    QString title;
    int level = 0;              // 0 = child of the root
    QString url;                // stored form: relative to the root folder with "\" separators, e.g. "topics\f003\t01234.htm"
    QStringList keywords;       // may contain sub-keywords "parent/child"
    QString contextNumber;      // decimal or empty
};

struct GeneratedProject
{
    QString rootDir;            // native absolute, ends with "/"; empty when generation failed
    QString title;
    QVector<GeneratedTopic> topics; // table-of-contents order; first level 0, levels never jump by more than +1
    QStringList resourceFiles;  // pictures, style sheet and script, stored form like topic urls
    int fileCount = 0;          // every file written, pages included
    qint64 byteCount = 0;       // their total size
};

// Writes the project into rootDir (created if missing; files already there that
// the generator does not write are left alone). Output depends only on the
// options, so the same seed gives byte-identical files. On failure the result
// is empty and errorMessage (when given) says what could not be written.
GeneratedProject GenerateProject(const QString& rootDir, const GeneratorOptions& options,
                                 QString* errorMessage = nullptr);
