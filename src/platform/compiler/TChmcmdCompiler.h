#pragma once

#include "IHTMLHelpCompiler.h"

#include <chrono>

// The HTML Help compiler on Linux: Free Pascal's chmcmd (Debian package
// fp-utils-3.2.2). Its exit code alone cannot be trusted, so a compile
// succeeds only when chmcmd exits with 0, prints no error or exception line,
// and leaves a file chmlib reads. It writes into a temporary folder beside
// the project, its headers are corrected there, and only then does the file
// replace the target.
class TChmcmdCompiler : public IHTMLHelpCompiler {
public:
    static constexpr auto DefaultTimeout = std::chrono::minutes(60);

    // The compiler program: a name looked up on PATH or a path. Default
    // "chmcmd" (or Debian's "chmcmd-3.2.2" when the plain name is missing).
    void SetProgram(const QString& program);
    // A compile running longer is killed and fails.
    void SetTimeout(std::chrono::milliseconds timeout);

    TCompileResult CompileHHP(const QString& hhpFile, const LogCallback& log,
                              const ProgressCallback& progress) override;

    // The message when the compiler is not installed.
    static QString MissingCompilerMessage();
    // Whether a line chmcmd prints reports a failure.
    static bool IsErrorLine(const QString& line);

private:
    QString FindProgram() const;

    QString m_program;
    std::chrono::milliseconds m_timeout = DefaultTimeout;
};
