#pragma once

#include "BuildSwitches.h"
#include "HTMLHelpCompilerChoice.h"
#include "TCompilerLineFilter.h"

#include <QString>
#include <QStringList>
#include <functional>
#include <optional>

class IHTMLHelpCompiler;
class TContents;
class TQrx;

// Runs the outputs of one build request, in build order (CHM, web help,
// Word, PDF, single HTML), with the same code in the window and in the
// unattended program: "Reading TOC...", the table of contents filled once,
// each output, then "Completed." when every one was written, or else
// "Failed: " and the names of those that were not ("Failed: CHM, web help").
class TBuildRunner {
public:
    using TLineEvent = std::function<void(const QString& line)>;

    // `log` receives every progress line (the build output window, stdout);
    // `error` what the window shows in a message box (stderr unattended).
    // `compilerLines` remembers the last compiler line shown; the window
    // keeps one for all its builds.
    TBuildRunner(TQrx& project, TCompilerLineFilter& compilerLines, TLineEvent log, TLineEvent error);

    // Each compiler line that is shown also goes here (the status bar).
    TLineEvent OnCompilerLine;
    // Opening a result (help file, web help, single HTML file) and the
    // Abort/Retry question about a help file that cannot be replaced;
    // unset, the help file opens with xdg-open and the answer is "Abort".
    std::function<void(const QString& file)> OnShowResult;
    std::function<bool(const QString& message)> OnRetryDelete;
    // The HTML Help compiler; unset, one made for CompilerChoice, or when
    // that is unset too, for the project's own choice.
    IHTMLHelpCompiler* Compiler = nullptr;
    std::optional<EHTMLHelpCompiler> CompilerChoice;

    // `outputs` is a set of TBuildOutput bits. True only when every
    // requested output was written. An error that ends the build is passed
    // to `error`; the outputs it kept from running count as failed.
    bool Run(int outputs);
    // The names of the outputs the last Run did not write, in build order,
    // and the line that named them.
    const QStringList& FailedOutputs() const { return m_failed; }
    QString FailedLine() const;

private:
    bool runOutput(TBuildOutput output, TContents& contents);
    bool runChm(TContents& contents);

    TQrx& m_project;
    TCompilerLineFilter& m_compilerLines;
    TLineEvent m_log;
    TLineEvent m_error;
    QStringList m_failed;
};
