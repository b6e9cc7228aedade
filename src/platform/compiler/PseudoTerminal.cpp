#include "PseudoTerminal.h"

#include <QFile>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <poll.h>
#include <pty.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

constexpr qsizetype MaximumLineLength = 64 * 1024;

QString ErrnoText(int error)
{
    return QString::fromLocal8Bit(std::strerror(error));
}

// The child leads its own session (forkpty), so its id is its group's id.
void KillGroup(pid_t pid)
{
    ::kill(-pid, SIGKILL);
    ::kill(pid, SIGKILL);
}

} // namespace

TTerminalRun RunInPseudoTerminal(const QString& program, const QStringList& arguments, const QString& workingFolder,
                                 std::chrono::milliseconds timeout,
                                 const std::function<bool(const QByteArray& line)>& onLine)
{
    TTerminalRun run;

    // Everything the child needs is made before forking: after fork it may
    // only call what is safe in a copy of a threaded process.
    std::vector<QByteArray> argumentBytes{QFile::encodeName(program)};
    for (const QString& argument : arguments)
        argumentBytes.push_back(QFile::encodeName(argument));
    std::vector<char*> argv;
    for (QByteArray& bytes : argumentBytes)
        argv.push_back(bytes.data());
    argv.push_back(nullptr);
    const QByteArray folder = QFile::encodeName(workingFolder);

    // Tells the parent why exec failed; closes by itself when exec succeeds.
    int startPipe[2];
    if (::pipe2(startPipe, O_CLOEXEC) != 0) {
        run.Error = ErrnoText(errno);
        return run;
    }
    winsize size{};
    size.ws_row = 50;
    size.ws_col = 250;
    int master = -1;
    const pid_t pid = ::forkpty(&master, nullptr, nullptr, &size);
    if (pid < 0) {
        run.Error = ErrnoText(errno);
        ::close(startPipe[0]);
        ::close(startPipe[1]);
        return run;
    }
    if (pid == 0) {
        ::close(startPipe[0]);
        if (::chdir(folder.constData()) == 0)
            ::execv(argv[0], argv.data());
        const int error = errno;
        [[maybe_unused]] const ssize_t written = ::write(startPipe[1], &error, sizeof error);
        ::_exit(127);
    }
    ::fcntl(master, F_SETFD, FD_CLOEXEC);
    ::close(startPipe[1]);
    int childError = 0;
    ssize_t got;
    do
        got = ::read(startPipe[0], &childError, sizeof childError);
    while (got < 0 && errno == EINTR);
    ::close(startPipe[0]);
    if (got == ssize_t(sizeof childError)) {
        ::waitpid(pid, nullptr, 0);
        ::close(master);
        run.Error = ErrnoText(childError);
        return run;
    }

    QByteArray pending;
    bool killed = false;
    bool stopped = false;
    bool timedOut = false;
    const auto deliverLines = [&](bool all) {
        qsizetype start = 0;
        for (qsizetype end; (end = pending.indexOf('\n', start)) >= 0; start = end + 1) {
            QByteArray line = pending.mid(start, end - start);
            while (line.endsWith('\r'))
                line.chop(1);
            if (!killed && onLine && !onLine(line)) {
                stopped = killed = true;
                KillGroup(pid);
            }
        }
        pending.remove(0, start);
        if (all && !pending.isEmpty()) {
            while (pending.endsWith('\r'))
                pending.chop(1);
            if (!killed && onLine && !onLine(pending))
                stopped = true;
            pending.clear();
        }
    };

    const auto deadline = Clock::now() + timeout;
    bool exited = false;
    bool statusLost = false;
    bool endOfOutput = false;
    int status = 0;
    char buffer[4096];
    for (;;) {
        if (!exited) {
            const pid_t waited = ::waitpid(pid, &status, WNOHANG);
            // ECHILD: reaped elsewhere (SIGCHLD ignored), its status lost.
            if (waited == pid || (waited < 0 && errno == ECHILD)) {
                exited = true;
                statusLost = waited < 0;
            }
        }
        if (exited && endOfOutput)
            break;
        if (!exited && !killed && Clock::now() >= deadline) {
            timedOut = killed = true;
            KillGroup(pid);
        }
        if (endOfOutput) {
            // The terminal is closed; the program is ending.
            ::poll(nullptr, 0, 10);
            continue;
        }
        pollfd ready{master, POLLIN, 0};
        const int count = ::poll(&ready, 1, 100);
        if (count < 0) {
            if (errno != EINTR)
                endOfOutput = true;
            continue;
        }
        if (count == 0) {
            // Quiet after the program ended: whatever still holds the
            // terminal is not the program.
            if (exited)
                endOfOutput = true;
            continue;
        }
        const ssize_t length = ::read(master, buffer, sizeof buffer);
        if (length > 0) {
            pending.append(buffer, length);
            // A program that never ends its line is still heard.
            deliverLines(pending.size() > MaximumLineLength);
        } else if (length == 0 || (errno != EINTR && errno != EAGAIN)) {
            // Linux answers EIO once the program's side is closed.
            endOfOutput = true;
        }
    }
    deliverLines(true);
    ::close(master);

    if (timedOut)
        run.outcome = TTerminalRun::Outcome::TimedOut;
    else if (stopped)
        run.outcome = TTerminalRun::Outcome::Stopped;
    else if (statusLost)
        run.outcome = TTerminalRun::Outcome::Exited; // ExitCode -1: not known to have succeeded
    else if (WIFEXITED(status)) {
        run.outcome = TTerminalRun::Outcome::Exited;
        run.ExitCode = WEXITSTATUS(status);
    } else {
        run.outcome = TTerminalRun::Outcome::Signalled;
        run.Signal = WIFSIGNALED(status) ? WTERMSIG(status) : 0;
    }
    return run;
}
