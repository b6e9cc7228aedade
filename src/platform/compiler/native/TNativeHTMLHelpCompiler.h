#pragma once

#include "IHTMLHelpCompiler.h"

// The HTML Help compiler of Quorix itself: reads the project, its contents,
// index and pages, and writes the compiled help file directly. A page that
// cannot be read is a warning and the rest is compiled; the file replaces
// the old one only once it is complete.
class TNativeHTMLHelpCompiler : public IHTMLHelpCompiler {
public:
    TCompileResult CompileHHP(const QString& hhpFile, const LogCallback& log,
                              const ProgressCallback& progress) override;
};
