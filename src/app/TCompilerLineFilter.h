#pragma once

#include <QString>

// The compiler repeats lines (a progress line per file, then the same line
// as a log line); each line is shown once, blank lines never.
class TCompilerLineFilter {
public:
    // True when `line` should be shown: not blank and not the line shown last.
    bool Accept(const QString& line);
    const QString& LastLine() const { return m_lastLine; }

private:
    QString m_lastLine;
};
