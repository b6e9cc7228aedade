#include "TBuildRunner.h"

#include "BuildSwitches.h"
#include "ProgramFolder.h"
#include "QuorixError.h"
#include "TChmBuild.h"
#include "TCompilerOutputHost.h"
#include "TContents.h"
#include "TQrx.h"
#include "TSingleHtmlBuild.h"
#include "TWebHelpBuild.h"

#include <memory>

TBuildRunner::TBuildRunner(TQrx& project, TCompilerLineFilter& compilerLines, TLineEvent log, TLineEvent error)
    : m_project(project)
    , m_compilerLines(compilerLines)
    , m_log(std::move(log))
    , m_error(std::move(error))
{
}

bool TBuildRunner::Run(int outputs)
{
    m_failed.clear();
    const QList<TBuildOutput> requested = OutputsInBuildOrder(outputs);
    qsizetype done = 0; // outputs run so far, in build order
    try {
        m_log(QStringLiteral("Reading TOC..."));
        TContents contents;
        contents.qrx = &m_project;
        contents.CDir = ProgramDataFolder() + QLatin1Char('/');
        contents.FOnInfo = [this](TThcObject*, const QString& info) { m_log(info); };
        contents.Fill();
        for (const TBuildOutput output : requested) {
            bool written = false;
            // An output that cannot be made is reported; the next one still runs.
            try {
                written = runOutput(output, contents);
            } catch (const EQuorixError& error) {
                m_error(error.message());
            }
            ++done;
            if (!written)
                m_failed << BuildOutputName(output);
        }
    } catch (const EQuorixError& error) {
        m_error(error.message());
    } catch (const std::bad_alloc&) {
        m_error(QStringLiteral("Not enough memory to build the project."));
    }
    // What an error that ended the build kept from running failed too.
    for (qsizetype n = done; n < requested.size(); ++n)
        m_failed << BuildOutputName(requested[n]);
    m_log(QString());
    if (!m_failed.isEmpty()) {
        m_log(FailedLine());
        return false;
    }
    m_log(QStringLiteral("Completed."));
    return true;
}

QString TBuildRunner::FailedLine() const
{
    return QStringLiteral("Failed: ") + m_failed.join(QStringLiteral(", "));
}

bool TBuildRunner::runOutput(TBuildOutput output, TContents& contents)
{
    switch (output) {
    case boCHM:
        return runChm(contents);
    case boWebHelp: {
        TWebHelpBuild web(m_project, contents, m_log, m_error);
        web.OnShowResult = OnShowResult;
        return web.Run();
    }
    case boSingleHtml: {
        TSingleHtmlBuild single(m_project, contents, m_log, m_error);
        single.OnShowResult = OnShowResult;
        return single.Run();
    }
    case boWord:
    case boPDF:
        break;
    }
    m_error(BuildOutputName(output) + QStringLiteral(" output is not available in this build yet."));
    return false;
}

bool TBuildRunner::runChm(TContents& contents)
{
    std::unique_ptr<IHTMLHelpCompiler> ownCompiler;
    IHTMLHelpCompiler* compiler = Compiler;
    if (compiler == nullptr) {
        ownCompiler = MakeHTMLHelpCompiler(
            CompilerChoice.value_or(HTMLHelpCompilerOfProject(m_project.CHMSetting.Compiler)));
        compiler = ownCompiler.get();
    }
    const auto compilerLine = [this](const QString& line) {
        if (!m_compilerLines.Accept(line))
            return;
        m_log(line);
        if (OnCompilerLine)
            OnCompilerLine(line);
    };
    TCompilerOutputHost host(*compiler, compilerLine, [compilerLine](const QString& line) {
        compilerLine(line);
        return true;
    });
    if (OnShowResult)
        host.OnShowCompiledFile = OnShowResult;
    if (OnRetryDelete)
        host.OnRetryDelete = OnRetryDelete;
    TChmBuild chm(m_project, contents, host, m_log);
    // Compiled() too: a help file left from an earlier build is not this one.
    if (chm.Run() && host.Compiled()) {
        m_log(QStringLiteral("Wrote ") + m_project.CHMSetting.CHM);
        return true;
    }
    QString message = QStringLiteral("The CHM file was not written");
    if (!host.Result().Message.isEmpty())
        message += QStringLiteral(": ") + host.Result().Message;
    m_error(message);
    return false;
}
