#pragma once

#include "IHTMLHelpCompiler.h"
#include "TCHMOutputHost.h"

#include <functional>

// What TCHMProjectWriter::Output compiles and shows through: an HTML Help
// compiler whose lines go on to the build's callbacks. Without a window it
// opens the help file with xdg-open and answers "Abort" to a help file that
// cannot be deleted (after logging why); a window sets its own answers.
class TCompilerOutputHost : public TCHMOutputHost {
public:
    TCompilerOutputHost(IHTMLHelpCompiler& compiler, IHTMLHelpCompiler::LogCallback log,
                        IHTMLHelpCompiler::ProgressCallback progress);

    std::function<void(const QString& chmFile)> OnShowCompiledFile;
    std::function<bool(const QString& message)> OnRetryDelete;

    // Throws EQuorixError with the compiler's message when it fails.
    void Compile(const QString& hhpFile) override;
    void ShowCompiledFile(const QString& chmFile) override;
    bool RetryDelete(const QString& message) override;
    // The compiler writes a temporary file and renames it over the target.
    bool ReplacesTargetAtomically() const override { return true; }

    // Whether Compile ran and succeeded: Output skips compiling when the
    // author gives up on a help file that cannot be deleted.
    bool Compiled() const { return m_result.Succeeded; }
    const TCompileResult& Result() const { return m_result; }

private:
    IHTMLHelpCompiler& m_compiler;
    IHTMLHelpCompiler::LogCallback m_log;
    IHTMLHelpCompiler::ProgressCallback m_progress;
    TCompileResult m_result;
};
