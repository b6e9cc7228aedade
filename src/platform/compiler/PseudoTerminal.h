#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <chrono>
#include <functional>

// Running a program under a pseudo-terminal of its own, so that a program
// which buffers its output on a pipe writes each line as it goes.

struct TTerminalRun {
    enum class Outcome {
        Exited,     // ExitCode holds its status
        Signalled,  // ended by signal Signal
        NotStarted, // Error says why
        TimedOut,   // ran past its time and was killed
        Stopped,    // killed because onLine answered false
    };
    Outcome outcome = Outcome::NotStarted;
    int ExitCode = -1;
    int Signal = 0;
    QString Error;
};

// Runs `program` (a path) with `arguments` in `workingFolder`. Each output
// line, without its line end, goes to `onLine` as it arrives; answering false
// stops the program. The program leads its own process group, and the whole
// group is killed when `timeout` passes or onLine answers false.
TTerminalRun RunInPseudoTerminal(const QString& program, const QStringList& arguments, const QString& workingFolder,
                                 std::chrono::milliseconds timeout,
                                 const std::function<bool(const QByteArray& line)>& onLine);
