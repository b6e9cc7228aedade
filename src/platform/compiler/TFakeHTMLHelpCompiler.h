#pragma once

#include "IHTMLHelpCompiler.h"

#include <QByteArray>
#include <QStringList>

// Stands in for the real compiler in tests of the build: records the
// projects it is given, reports the lines it was told to through both
// callbacks, and succeeds (writing CompiledBytes to the help file the project
// names) or fails with FailureMessage.
class TFakeHTMLHelpCompiler : public IHTMLHelpCompiler {
public:
    QStringList Lines;
    bool Succeed = true;
    QString FailureMessage = QStringLiteral("The fake compiler was told to fail.");
    QByteArray CompiledBytes = QByteArrayLiteral("ITSF fake compiled help");

    // The project files compiled so far, in order.
    QStringList CompiledProjects;

    TCompileResult CompileHHP(const QString& hhpFile, const LogCallback& log,
                              const ProgressCallback& progress) override;
};
