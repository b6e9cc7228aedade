// Builds the web help of a 20,000-topic project (after Fill, which every
// output shares), against copying the same files into an empty folder.
// Prints the ratio; the goal is 3 or less. The phases of the build are
// timed too, to show where the time goes.
#include "BenchProject.h"
#include "Folders.h"
#include "TContents.h"
#include "TQrx.h"
#include "TWebHelpBuild.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <algorithm>
#include <cstdio>
#include <limits>

namespace {

// A small web help set: the build's cost lies in the pages, not in these.
void WriteSet(const QString& set)
{
    const auto write = [](const QString& file, const QByteArray& bytes) {
        QDir().mkpath(QFileInfo(file).absolutePath());
        QFile out(file);
        if (out.open(QIODevice::WriteOnly))
            out.write(bytes);
    };
    for (const char* name : {"index.htm", "indexh.htm", "webhelpframe.htm", "webhelptop.htm", "webhelptoph.htm",
                             "webhelpcontents.htm", "webhelplefth.htm", "webhelpsearch.htm", "webhelpbookmark.htm",
                             "webhelpleft.htm", "webhelptoolbar.htm", "webhelpindex.htm"})
        write(set + name, "<html><head><meta http-equiv=\"Content-Type\" content=\"text/html; charset=($CHARSET$)\">"
                          "<title>($PROJECTTITLE$)</title></head><body bgcolor=\"($BACKCOLOR$)\">"
                          "($NAVIGATION$)<select>($INDEXLIST$)</select></body></html>");
    write(set + "languages.js", "var lang=\"\";($SETLANGUAGE$)");
    write(set + "style.css", "body{}");
    for (const char* name : {"showall.gif", "hideall.gif", "previous.gif", "next.gif", "print.gif"})
        write(set + "images/" + name, "GIF89a");
    write(set + "bg/back1.jpg", "JPEG");
    for (const char* name : {"line.gif", "blank.gif", "tplus.gif", "1.gif", "2.gif", "9.gif"})
        write(set + "imgs/" + name, "GIF89a");
}

// Copies each file to the same place below `target`.
void CopyFiles(const QStringList& files, const QString& root, const QString& target)
{
    QString lastFolder;
    for (const QString& file : files) {
        const QString to = target + file.mid(root.size());
        const QString folder = QFileInfo(to).absolutePath();
        if (folder != lastFolder) {
            QDir().mkpath(folder);
            lastFolder = folder;
        }
        QFile::copy(file, to);
    }
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const int topics = BenchTopicCount(argc, argv);
    TBenchProject bench;
    const QString work = bench.dir.path() + QStringLiteral("/work/");
    const QString program = work + QStringLiteral("program/");
    WriteSet(program + QStringLiteral("webhelp/"));
    const QString output = work + QStringLiteral("WebHelp/");
    const QString copies = work + QStringLiteral("copies/");

    TQrx project;
    if (!OpenBenchProject("bench-webhelp", topics, bench, project))
        return 1;
    project.WebHelpOutputFolder = output;
    project.ViewCompiledFile = false;
    TContents contents;
    contents.qrx = &project;
    contents.CDir = program;
    contents.Fill();
    const QString root = project.RootDir;

    qint64 copy = std::numeric_limits<qint64>::max();
    qint64 build = copy;
    int files = 0;
    QStringList phases;
    QStringList lastPhases;
    for (int run = 0; run < 5; ++run) {
        DeleteFolder(copies);
        DeleteFolder(output);
        contents.PrepareCopyFile();
        const QStringList list = contents.FileListForCopy.Paths();
        files = int(list.size());

        QElapsedTimer timer;
        timer.start();
        CopyFiles(list, root, copies);
        copy = std::min(copy, timer.nsecsElapsed());

        // Each progress line closes the phase before it.
        QElapsedTimer phase;
        QStringList seen;
        QString current = QStringLiteral("start");
        const auto log = [&](const QString& line) {
            if (line.isEmpty() || line.startsWith(root))
                return;
            seen << QStringLiteral("%1: %2 ms").arg(current).arg(phase.nsecsElapsed() / 1e6, 0, 'f', 1);
            current = line;
            phase.restart();
        };
        timer.restart();
        phase.start();
        const bool written = TWebHelpBuild(project, contents, log, [](const QString& line) {
                                 std::fprintf(stderr, "%s\n", qPrintable(line));
                             }).Run();
        const qint64 elapsed = timer.nsecsElapsed();
        seen << QStringLiteral("%1: %2 ms").arg(current).arg(phase.nsecsElapsed() / 1e6, 0, 'f', 1);
        if (!written) {
            std::fprintf(stderr, "bench-webhelp: the web help was not written\n");
            return 1;
        }
        if (elapsed < build) {
            build = elapsed;
            phases = seen;
        }
    }
    // The pages must all be there, or the ratio means nothing.
    const QStringList pages = bench.PageFiles();
    const qsizetype missing = std::count_if(pages.cbegin(), pages.cend(), [&](const QString& page) {
        return !QFileInfo::exists(output + QStringLiteral("topics/") + page.mid(root.size()));
    });
    std::printf("%d topics, %d files to copy\n", topics, files);
    std::printf("copying the files:  %8.2f ms\n", copy / 1e6);
    std::printf("web help:           %8.2f ms\n", build / 1e6);
    for (const QString& line : std::as_const(phases))
        std::printf("  %s\n", qPrintable(line));
    std::printf("ratio: %.2f (goal: 3 or less)\n", double(build) / double(copy));
    if (missing != 0) {
        std::fprintf(stderr, "bench-webhelp: %lld pages missing from the output\n", static_cast<long long>(missing));
        return 1;
    }
    return 0;
}
