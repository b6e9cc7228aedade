#pragma once

#include <QString>
#include <functional>

// How a compile ended.
struct TCompileResult {
    bool Succeeded = false;
    // Absolute path of the help file the project names (known once the
    // project has been read; empty before).
    QString CompiledFile;
    // Why it failed, in words the author can act on; empty on success.
    QString Message;
};

// The HTML Help compiler: turns an HTML Help project (".hhp") into the
// compiled help file it names, reporting text lines as it works. It runs
// without a window, so unattended builds use it too.
class IHTMLHelpCompiler {
public:
    // Every line the compiler reports, and the compiler's own messages.
    using LogCallback = std::function<void(const QString& line)>;
    // Every line the compiler reports; answering false stops compiling.
    using ProgressCallback = std::function<bool(const QString& line)>;

    virtual ~IHTMLHelpCompiler() = default;

    // Compiles the project file at `hhpFile` (native full path). A failed
    // compile leaves an existing help file as it was; its message also goes
    // to `log`. Either callback may be empty.
    virtual TCompileResult CompileHHP(const QString& hhpFile, const LogCallback& log,
                                      const ProgressCallback& progress) = 0;
};
