#pragma once

#include <QProcess>
#include <QProcessEnvironment>
#include <QString>
#include <QStringList>

// quorix-build run as a separate program, as an author or a CI job runs it.
struct BuildRun {
    int exitCode = -1; // -2 when it crashed
    QString out;
    QString err;
};

inline BuildRun runBuild(const QStringList& arguments,
    const QProcessEnvironment& environment = QProcessEnvironment::systemEnvironment())
{
    QProcess process;
    process.setProcessEnvironment(environment);
    process.start(QStringLiteral(QUORIX_BUILD_PROGRAM), arguments);
    process.waitForFinished(600000);
    BuildRun run;
    run.exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -2;
    run.out = QString::fromUtf8(process.readAllStandardOutput());
    run.err = QString::fromUtf8(process.readAllStandardError());
    return run;
}
