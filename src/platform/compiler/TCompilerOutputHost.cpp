#include "TCompilerOutputHost.h"

#include "QuorixError.h"

#include <QProcess>
#include <utility>

TCompilerOutputHost::TCompilerOutputHost(IHTMLHelpCompiler& compiler, IHTMLHelpCompiler::LogCallback log,
                                         IHTMLHelpCompiler::ProgressCallback progress)
    : m_compiler(compiler)
    , m_log(std::move(log))
    , m_progress(std::move(progress))
{
}

void TCompilerOutputHost::Compile(const QString& hhpFile)
{
    m_result = m_compiler.CompileHHP(hhpFile, m_log, m_progress);
    if (!m_result.Succeeded)
        throw EQuorixError(m_result.Message);
}

void TCompilerOutputHost::ShowCompiledFile(const QString& chmFile)
{
    if (OnShowCompiledFile) {
        OnShowCompiledFile(chmFile);
        return;
    }
    if (!QProcess::startDetached(QStringLiteral("xdg-open"), {chmFile}) && m_log)
        m_log(QStringLiteral("Cannot open \"%1\": xdg-open is not available.").arg(chmFile));
}

bool TCompilerOutputHost::RetryDelete(const QString& message)
{
    if (OnRetryDelete)
        return OnRetryDelete(message);
    if (m_log)
        m_log(message);
    return false;
}
