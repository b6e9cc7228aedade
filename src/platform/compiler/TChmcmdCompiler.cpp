#include "TChmcmdCompiler.h"

#include "ChmHeaderRepair.h"
#include "HhpOptions.h"
#include "PseudoTerminal.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSaveFile>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTemporaryFile>

#include <cerrno>
#include <chm_lib.h>
#include <cstdio>
#include <cstring>

namespace {

const QString Package = QStringLiteral("fp-utils-3.2.2");

// chmlib opens it and finds the object every compiled help file has.
bool ChmlibReads(const QString& path)
{
    chmFile* help = chm_open(QFile::encodeName(path).constData());
    if (!help)
        return false;
    chmUnitInfo unit;
    const bool found = chm_resolve_object(help, "/#SYSTEM", &unit) == CHM_RESOLVE_SUCCESS;
    chm_close(help);
    return found;
}

// Moves `from` over `to` so that readers see the old file or the new one:
// renamed when both are on one file system, else copied beside `to` first.
bool ReplaceFile(const QString& from, const QString& to, QString* error)
{
    if (std::rename(QFile::encodeName(from).constData(), QFile::encodeName(to).constData()) == 0)
        return true;
    if (errno != EXDEV) {
        *error = QString::fromLocal8Bit(std::strerror(errno));
        return false;
    }
    QFile source(from);
    QSaveFile copy(to);
    copy.setDirectWriteFallback(false);
    if (!source.open(QIODevice::ReadOnly) || !copy.open(QIODevice::WriteOnly)) {
        *error = source.isOpen() ? copy.errorString() : source.errorString();
        return false;
    }
    constexpr qint64 ChunkSize = 1 << 20;
    while (!source.atEnd()) {
        const QByteArray chunk = source.read(ChunkSize);
        if (chunk.isEmpty() || copy.write(chunk) != chunk.size()) {
            *error = chunk.isEmpty() ? source.errorString() : copy.errorString();
            copy.cancelWriting();
            return false;
        }
    }
    if (!copy.commit()) {
        *error = copy.errorString();
        return false;
    }
    return true;
}

} // namespace

void TChmcmdCompiler::SetProgram(const QString& program)
{
    m_program = program;
}

void TChmcmdCompiler::SetTimeout(std::chrono::milliseconds timeout)
{
    m_timeout = timeout;
}

QString TChmcmdCompiler::MissingCompilerMessage()
{
    return QStringLiteral("The HTML Help compiler chmcmd is not installed, so no CHM file was made. Install the "
                          "package %1 (sudo apt install %1) and build again.")
        .arg(Package);
}

bool TChmcmdCompiler::IsErrorLine(const QString& line)
{
    // "Error: ..." lines, and Free Pascal's report of an unhandled exception:
    // "An unhandled exception occurred at ..." then "EFOpenError: ...".
    static const QRegularExpression exceptionClass(QStringLiteral("^E[A-Z]\\w*: "));
    const QString text = line.trimmed();
    return text.contains(QLatin1String("Error:"))
        || text.contains(QLatin1String("unhandled exception"), Qt::CaseInsensitive)
        || exceptionClass.match(text).hasMatch();
}

QString TChmcmdCompiler::FindProgram() const
{
    if (!m_program.isEmpty()) {
        if (m_program.contains(QLatin1Char('/'))) {
            const QFileInfo file(m_program);
            return file.isFile() && file.isExecutable() ? file.absoluteFilePath() : QString();
        }
        return QStandardPaths::findExecutable(m_program);
    }
    // Debian names the program after its version; the plain name is an
    // alternatives link that may be missing.
    QString found = QStandardPaths::findExecutable(QStringLiteral("chmcmd"));
    if (found.isEmpty())
        found = QStandardPaths::findExecutable(QStringLiteral("chmcmd-3.2.2"));
    return found;
}

TCompileResult TChmcmdCompiler::CompileHHP(const QString& hhpFile, const LogCallback& log,
                                           const ProgressCallback& progress)
{
    TCompileResult result;
    const auto fail = [&](const QString& message) {
        result.Message = message;
        if (log)
            log(message);
        return result;
    };

    const QFileInfo project(hhpFile);
    QFile projectFile(project.absoluteFilePath());
    if (!project.isFile() || !projectFile.open(QIODevice::ReadOnly))
        return fail(QStringLiteral("The HTML Help project \"%1\" cannot be read.").arg(hhpFile));
    const QByteArray hhp = projectFile.readAll();
    projectFile.close();
    const QByteArray compiledFile = HhpCompiledFile(hhp);
    if (compiledFile.isEmpty())
        return fail(QStringLiteral("The HTML Help project \"%1\" names no compiled file.").arg(hhpFile));
    // chmcmd runs in the project's folder, so a relative name is taken from there.
    const QDir projectFolder = project.absoluteDir();
    result.CompiledFile = QDir::cleanPath(projectFolder.absoluteFilePath(QFile::decodeName(compiledFile)));
    const QFileInfo target(result.CompiledFile);
    const QString unchanged = target.exists()
        ? QStringLiteral(" \"%1\" was left as it was.").arg(result.CompiledFile)
        : QStringLiteral(" No help file was written.");

    const QString program = FindProgram();
    if (program.isEmpty())
        return fail(MissingCompilerMessage());

    if (!QDir().mkpath(target.absolutePath()))
        return fail(QStringLiteral("Cannot create the folder \"%1\" for the help file.").arg(target.absolutePath()));
    if (!QFileInfo(target.absolutePath()).isWritable())
        return fail(QStringLiteral("Cannot write into the folder \"%1\".").arg(target.absolutePath()));
    // chmcmd writes into a folder of our own beside the project and never
    // sees the target's path; the finished file is moved there.
    QTemporaryDir output(projectFolder.filePath(QStringLiteral(".quorix-chm-XXXXXX")));
    if (!output.isValid())
        return fail(QStringLiteral("Cannot write into the folder \"%1\": %2")
                        .arg(projectFolder.absolutePath(), output.errorString()));
    const QString temporaryChm = output.filePath(target.fileName());
    // A copy of the project that names the temporary file, beside the
    // original so that everything it names resolves as before.
    QTemporaryFile temporaryProject(projectFolder.filePath(QStringLiteral(".quorix-compile-XXXXXX.hhp")));
    if (!temporaryProject.open()
        || temporaryProject.write(
               WithHhpCompiledFile(hhp, QFile::encodeName(projectFolder.relativeFilePath(temporaryChm))))
            < 0
        || !temporaryProject.flush())
        return fail(QStringLiteral("Cannot write into the folder \"%1\": %2")
                        .arg(projectFolder.absolutePath(), temporaryProject.errorString()));
    temporaryProject.close();

    QString errorLine;
    // Every file is listed in [FILES] already; chmcmd's own link scan
    // reports anchors of pages in sub-folders as undefined when they are not.
    const TTerminalRun run = RunInPseudoTerminal(
        program, {QStringLiteral("--no-html-scan"), QFileInfo(temporaryProject.fileName()).fileName()},
        projectFolder.absolutePath(), m_timeout, [&](const QByteArray& bytes) {
            const QString line = QString::fromLocal8Bit(bytes);
            // Free Pascal's "An unhandled exception occurred at $..." is
            // followed by the line that says what went wrong.
            if (IsErrorLine(line)
                && (errorLine.isEmpty() || errorLine.startsWith(QLatin1String("An unhandled exception"))))
                errorLine = line.trimmed();
            if (log)
                log(line);
            return !progress || progress(line);
        });

    switch (run.outcome) {
    case TTerminalRun::Outcome::NotStarted:
        return fail(QStringLiteral("The HTML Help compiler \"%1\" could not be started: %2. Reinstall the package %3.")
                        .arg(program, run.Error, Package)
                    + unchanged);
    case TTerminalRun::Outcome::TimedOut:
        return fail(QStringLiteral("chmcmd did not finish within %1 seconds and was stopped.")
                        .arg(std::chrono::duration_cast<std::chrono::seconds>(m_timeout).count())
                    + unchanged);
    case TTerminalRun::Outcome::Stopped:
        return fail(QStringLiteral("Compiling was canceled.") + unchanged);
    case TTerminalRun::Outcome::Signalled:
        return fail(QStringLiteral("chmcmd stopped unexpectedly (signal %1).").arg(run.Signal) + unchanged);
    case TTerminalRun::Outcome::Exited:
        break;
    }
    if (run.ExitCode != 0)
        return fail(QStringLiteral("chmcmd failed (exit code %1)%2.")
                        .arg(run.ExitCode)
                        .arg(errorLine.isEmpty() ? QString() : QStringLiteral(": ") + errorLine)
                    + unchanged);
    if (!errorLine.isEmpty())
        return fail(QStringLiteral("chmcmd reported an error: %1.").arg(errorLine) + unchanged);
    if (QFileInfo(temporaryChm).size() == 0)
        return fail(QStringLiteral("chmcmd wrote no help file.") + unchanged);
    QString error;
    if (!RepairChmcmdHeaders(temporaryChm, &error))
        return fail(error + unchanged);
    if (!ChmlibReads(temporaryChm))
        return fail(QStringLiteral("The help file chmcmd wrote cannot be read.") + unchanged);
    if (!ReplaceFile(temporaryChm, result.CompiledFile, &error))
        return fail(QStringLiteral("Cannot write \"%1\": %2.").arg(result.CompiledFile, error) + unchanged);
    result.Succeeded = true;
    return result;
}
