#pragma once

#include <QString>
#include <optional>

class TQrx;

// What the view menu's entries open: Tags 1-5 an output's file, 11-15 the
// folder of the same output.
struct TOutputView {
    QString Name;       // "Html Help", "Web Help", "Word Document", "PDF", "Single HTHL"
    QString TestedFile; // nothing opens unless it exists
    QString Target;     // the file or folder to open
    int BuildTag = 0;   // the build entry that makes the output
};

// Empty for any other Tag.
std::optional<TOutputView> OutputView(const TQrx& project, int tag);
// The question asked when the output does not exist yet.
QString OutputMissingQuestion(const TOutputView& view);
