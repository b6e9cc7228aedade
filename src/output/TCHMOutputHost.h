#pragma once

#include <QString>

// What writing an HTML Help project hands on to the rest of the program:
// the compiler, the viewer and a question for the author. The build
// provides the real one; tests provide fakes.
class TCHMOutputHost {
public:
    virtual ~TCHMOutputHost() = default;

    // Compiles the project file (full path) into the help file it names.
    // Throws EQuorixError when compiling fails.
    virtual void Compile(const QString& hhpFile) = 0;
    // Opens the compiled help file with the default viewer.
    virtual void ShowCompiledFile(const QString& chmFile) = 0;
    // Whether Compile replaces the help file only once the new one is
    // complete; the old one is then not deleted beforehand.
    virtual bool ReplacesTargetAtomically() const { return false; }
    // Asked while an old help file cannot be deleted (Abort / Retry): true
    // tries again, false gives up compiling.
    virtual bool RetryDelete(const QString& message) = 0;
};
