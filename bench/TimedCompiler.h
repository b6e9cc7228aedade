#pragma once

#include "IHTMLHelpCompiler.h"

#include <QElapsedTimer>
#include <memory>

// An HTML Help compiler with a stopwatch around each compile.
class TimedCompiler : public IHTMLHelpCompiler {
public:
    explicit TimedCompiler(std::unique_ptr<IHTMLHelpCompiler> compiler)
        : m_compiler(std::move(compiler))
    {
    }

    TCompileResult CompileHHP(const QString& hhpFile, const LogCallback& log, const ProgressCallback& progress) override
    {
        QElapsedTimer timer;
        timer.start();
        TCompileResult result = m_compiler->CompileHHP(hhpFile, log, progress);
        elapsed += timer.nsecsElapsed();
        return result;
    }

    qint64 elapsed = 0;

private:
    std::unique_ptr<IHTMLHelpCompiler> m_compiler;
};
