#include "TFakeHTMLHelpCompiler.h"

#include "HhpOptions.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

TCompileResult TFakeHTMLHelpCompiler::CompileHHP(const QString& hhpFile, const LogCallback& log,
                                                 const ProgressCallback& progress)
{
    CompiledProjects.append(hhpFile);
    TCompileResult result;
    const auto fail = [&](const QString& message) {
        result.Message = message;
        if (log)
            log(message);
        return result;
    };

    QFile project(hhpFile);
    if (!project.open(QIODevice::ReadOnly))
        return fail(QStringLiteral("The HTML Help project \"%1\" cannot be read.").arg(hhpFile));
    const QByteArray compiledFile = HhpCompiledFile(project.readAll());
    if (compiledFile.isEmpty())
        return fail(QStringLiteral("The HTML Help project \"%1\" names no compiled file.").arg(hhpFile));
    result.CompiledFile =
        QDir::cleanPath(QFileInfo(hhpFile).absoluteDir().absoluteFilePath(QFile::decodeName(compiledFile)));

    for (const QString& line : Lines) {
        if (log)
            log(line);
        if (progress && !progress(line))
            return fail(QStringLiteral("Compiling was canceled."));
    }
    if (!Succeed)
        return fail(FailureMessage);
    QDir().mkpath(QFileInfo(result.CompiledFile).absolutePath());
    QFile help(result.CompiledFile);
    if (!help.open(QIODevice::WriteOnly) || help.write(CompiledBytes) != CompiledBytes.size())
        return fail(QStringLiteral("Cannot write \"%1\".").arg(result.CompiledFile));
    result.Succeeded = true;
    return result;
}
