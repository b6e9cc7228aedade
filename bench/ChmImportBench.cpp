// Unpacking a real compiled help file of about 20,000 files, against
// chmlib's own extractor on the same file. The file is lcl.chm from
// Debian's lazarus-doc-2.2, fetched with apt-get download unless a CHM is
// named on the command line. Fails when an object is missing or the import
// takes more than three times as long.
#include "ChmEntryNames.h"
#include "QuorixError.h"
#include "TCHMDecompile.h"

#include <QCoreApplication>
#include <QDir>
#include <QDirIterator>
#include <QElapsedTimer>
#include <QProcess>
#include <QTemporaryDir>
#include <chm_lib.h>
#include <cstdio>

namespace {

constexpr double AllowedRatio = 3.0;
constexpr int CommandTimeout = 600000;

bool Run(const QString& program, const QStringList& arguments, const QString& folder)
{
    QProcess process;
    process.setWorkingDirectory(folder);
    process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    process.setStandardOutputFile(QProcess::nullDevice());
    process.start(program, arguments);
    return process.waitForFinished(CommandTimeout) && process.exitStatus() == QProcess::NormalExit &&
           process.exitCode() == 0;
}

QString FetchChm(const QString& folder)
{
    if (!Run(QStringLiteral("apt-get"), {QStringLiteral("download"), QStringLiteral("lazarus-doc-2.2")}, folder))
        return QString();
    const QStringList debs = QDir(folder).entryList({QStringLiteral("*.deb")});
    if (debs.isEmpty() ||
        !Run(QStringLiteral("dpkg-deb"), {QStringLiteral("-x"), debs.front(), QStringLiteral("x")}, folder))
        return QString();
    QDirIterator it(folder + QStringLiteral("/x"), {QStringLiteral("lcl.chm")}, QDir::Files, QDirIterator::Subdirectories);
    return it.hasNext() ? it.next() : QString();
}

int CountObject(chmFile*, chmUnitInfo* unit, void* context)
{
    const QByteArray name(unit->path);
    if (!name.endsWith('/') && !IsChmSystemObject(name))
        ++*static_cast<int*>(context);
    return CHM_ENUMERATOR_CONTINUE;
}

int FileCount(const QString& folder)
{
    int count = 0;
    QDirIterator it(folder, QDir::Files | QDir::Hidden | QDir::System, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        it.next();
        ++count;
    }
    return count;
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    QTemporaryDir work;
    QString chm = app.arguments().value(1);
    if (!chm.isEmpty())
        chm = QFileInfo(chm).absoluteFilePath();
    if (chm.isEmpty()) {
        std::printf("Fetching lazarus-doc-2.2 ...\n");
        chm = FetchChm(work.path());
    }
    if (chm.isEmpty() || !QFileInfo::exists(chm)) {
        std::fprintf(stderr, "No CHM to read: name one, or let apt-get download lazarus-doc-2.2.\n");
        return 2;
    }
    int listed = 0;
    chmFile* file = chm_open(QFile::encodeName(chm).constData());
    if (!file) {
        std::fprintf(stderr, "chmlib cannot open %s\n", qPrintable(chm));
        return 2;
    }
    chm_enumerate(file, CHM_ENUMERATE_ALL, &CountObject, &listed);
    chm_close(file);

    const QString baseline = work.filePath(QStringLiteral("baseline"));
    QElapsedTimer timer;
    timer.start();
    if (!Run(QStringLiteral("extract_chmLib"), {chm, baseline}, work.path())) {
        std::fprintf(stderr, "extract_chmLib failed (Debian package libchm-bin)\n");
        return 2;
    }
    const qint64 baselineMs = timer.elapsed();

    TCHMDecompile import;
    timer.restart();
    try {
        import.LoadFromCHM(chm);
        import.rootFolder = work.filePath(QStringLiteral("import"));
        import.decompile();
    } catch (const EQuorixError& error) {
        std::fprintf(stderr, "%s\n", error.what());
        return 1;
    }
    const qint64 importMs = timer.elapsed();

    const int written = FileCount(import.rootFolder);
    const double ratio = double(importMs) / double(std::max<qint64>(baselineMs, 1));
    std::printf("%s: %d objects listed, %d written, %d skipped, %d entries\n", qPrintable(chm), listed, written,
                int(import.Skipped().size()), import.List.Count());
    std::printf("extract_chmLib %lld ms, import %lld ms (%.2fx)\n", qint64(baselineMs), qint64(importMs), ratio);
    if (written + import.Skipped().size() != listed || !import.Skipped().isEmpty()) {
        std::fprintf(stderr, "FAIL: not every object was written\n");
        return 1;
    }
    if (ratio > AllowedRatio) {
        std::fprintf(stderr, "FAIL: more than %.0fx chmlib's extractor\n", AllowedRatio);
        return 1;
    }
    return 0;
}
