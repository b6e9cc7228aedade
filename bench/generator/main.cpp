#include "GeneratorArguments.h"
#include "ProjectFileWriter.h"
#include "ProjectGenerator.h"

#include <QCoreApplication>
#include <QDir>

#include <cstdio>

namespace {

void Print(FILE* stream, const QString& text)
{
    const QByteArray bytes = text.toLocal8Bit();
    std::fwrite(bytes.constData(), 1, size_t(bytes.size()), stream);
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);

    GeneratorCommand command;
    const QString error = ParseGeneratorArguments(app.arguments().mid(1), &command);
    if (!error.isEmpty()) {
        Print(stderr, QStringLiteral("quorix-genproject: %1\n").arg(error) + GeneratorUsage());
        return 2;
    }
    if (command.help) {
        Print(stdout, GeneratorUsage());
        return 0;
    }

    QString failure;
    const GeneratedProject project = GenerateProject(command.outDir, command.options, &failure);
    if (project.rootDir.isEmpty()) {
        Print(stderr, QStringLiteral("quorix-genproject: cannot generate the project in %1: %2\n")
                          .arg(QDir::toNativeSeparators(command.outDir), failure));
        return 1;
    }
    const QString projectFile = QDir(project.rootDir).filePath(QStringLiteral("project.qrx"));
    if (!WriteGeneratedProjectFile(project, projectFile, &failure)) {
        Print(stderr, QStringLiteral("quorix-genproject: cannot write %1: %2\n").arg(projectFile, failure));
        return 1;
    }
    Print(stdout, QStringLiteral("%1 topics, %2 files, %3 bytes in %4, project file project.qrx\n")
                      .arg(project.topics.size())
                      .arg(project.fileCount)
                      .arg(project.byteCount)
                      .arg(project.rootDir));
    return 0;
}
