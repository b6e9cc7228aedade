// The editor's command layer on a 2 MB page in the real editing control
// (offscreen): what a refresh of both tool bars costs per caret move and
// what a history snapshot costs, each as a ratio against one bare round
// trip to the page; then 1,000 edits, whose snapshots must stay under the
// history's cap. Goals: a caret move costs the tool bars no round trip and
// at most 3 round trips of time from key to refreshed tool bars; memory
// stays under the cap.
#include "EditorMenus.h"
#include "IHTMLDocument.h"
#include "IHTMLElement.h"
#include "IHTMLTxtRange.h"
#include "PlatformFactory.h"
#include "TDHTMLEditOperation.h"
#include "TEditorBridge.h"
#include "TWebEngineDHTMLEdit.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QKeyEvent>
#include <QWebEngineView>
#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

using namespace DHTMLEdit;

namespace {

constexpr qsizetype PageBytes = 2 * 1024 * 1024;
constexpr int RoundTrips = 200;
constexpr int CaretMoves = 200;
constexpr int Snapshots = 20;
constexpr int DefaultEdits = 1000;

QString twoMegabytePage()
{
    QString body;
    const QString paragraph = QStringLiteral(
        "<p>Paragraph %1 of a long manual, with <b>bold</b>, <i>italic</i> and <a href=\"t%1.htm\">linked</a> words.</p>\n");
    const QString table = QStringLiteral("<table border=\"1\"><tr><td>a%1</td><td>b%1</td></tr></table>\n");
    for (int i = 0; body.size() < PageBytes; ++i)
        body += (i % 50 == 49 ? table : paragraph).arg(i);
    return QStringLiteral("<html><head><title>long</title></head><body><h1>Manual</h1>\n") + body
        + QStringLiteral("<p id=\"last\">the end</p></body></html>");
}

bool waitFor(const std::function<bool()>& done, int timeoutMs = 60000)
{
    QElapsedTimer timer;
    timer.start();
    while (!done()) {
        if (timer.hasExpired(timeoutMs))
            return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 1);
    }
    return true;
}

double median(std::vector<qint64> values)
{
    std::sort(values.begin(), values.end());
    return values.empty() ? 0.0 : double(values[values.size() / 2]);
}

// The median time of a call to the page.
double callTime(TEditorBridge& bridge, const QString& name)
{
    std::vector<qint64> times;
    for (int i = 0; i < RoundTrips; ++i) {
        QElapsedTimer timer;
        timer.start();
        bridge.call(name);
        times.push_back(timer.nsecsElapsed());
    }
    return median(times);
}

qint64 residentKilobytes()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray& line : status.readAll().split('\n')) {
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').value(0).toLongLong();
    }
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    // Headless like the tests.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    if (qEnvironmentVariableIsEmpty("XDG_RUNTIME_DIR")) {
        const QString runtime = QDir::tempPath() + QStringLiteral("/quorix-bench-runtime");
        QDir().mkpath(runtime);
        QFile::setPermissions(runtime, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        qputenv("XDG_RUNTIME_DIR", runtime.toLocal8Bit());
    }
    qputenv("QTWEBENGINE_DISABLE_SANDBOX", "1");
    PreparePlatformBeforeApplication();
    QApplication app(argc, argv);
    PreparePlatformAfterApplication();
    const int edits = argc > 1 ? std::max(1, QString::fromLocal8Bit(argv[1]).toInt()) : DefaultEdits;

    TWebEngineDHTMLEdit edit;
    edit.resize(1000, 700);
    edit.show();
    TDHTMLEditOperation op(edit);
    int refreshes = 0;
    qint64 refreshNs = 0;
    op.OnRefresh = [&] {
        QElapsedTimer timer;
        timer.start();
        op.States(TDHTMLEditOperation::ServedTags());
        refreshNs += timer.nsecsElapsed();
        ++refreshes;
    };
    auto* bridge = edit.findChild<TEditorBridge*>();

    const QString html = twoMegabytePage();
    op.Load(html, QString());
    if (!edit.WaitUntilLoaded(60000) || !waitFor([&] { return op.History().Position == 0; })) {
        std::fprintf(stderr, "bench-editor: the page did not load\n");
        return 1;
    }
    std::printf("page: %lld characters\n", static_cast<long long>(html.size()));

    // A bare round trip: the cheapest call there is.
    const double trip = callTime(*bridge, QStringLiteral("isDirty"));
    std::printf("bare round trip:                 %8.3f ms\n", trip / 1e6);

    // Caret moves: from the key to both tool bars refreshed.
    edit.activateWindow();
    edit.setFocus();
    QWidget* keys = edit.view()->focusProxy();
    const std::shared_ptr<IHTMLTxtRange> start = edit.DOM()->getElementsByTagName(QStringLiteral("P")).first()->createTextRange();
    start->collapse(true);
    start->select();
    // A few moves first, so that what loading and selecting left behind is done.
    auto moveCaret = [&](int i) {
        const int before = refreshes;
        const Qt::Key key = (i / 20) % 2 == 0 ? Qt::Key_Right : Qt::Key_Left;
        QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier);
        QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier);
        QCoreApplication::sendEvent(keys, &press);
        QCoreApplication::sendEvent(keys, &release);
        return waitFor([&] { return refreshes > before; }, 10000);
    };
    for (int i = 0; i < 10; ++i)
        moveCaret(i);
    waitFor([] { return false; }, 200);
    std::vector<qint64> moves;
    const qint64 callsBefore = bridge->calls();
    const int readsBefore = refreshes;
    refreshNs = 0;
    for (int i = 0; i < CaretMoves; ++i) {
        QElapsedTimer timer;
        timer.start();
        if (!moveCaret(i)) {
            std::fprintf(stderr, "bench-editor: no refresh after a caret move\n");
            return 1;
        }
        moves.push_back(timer.nsecsElapsed());
    }
    const qint64 moveCalls = bridge->calls() - callsBefore;
    const double move = median(moves);
    const double refreshPerMove = double(refreshNs) / std::max(1, refreshes - readsBefore);
    // What the page spends on the record it pushes after each move.
    const double record = callTime(*bridge, QStringLiteral("state"));
    // Asking the page for every control would be a round trip each.
    const double askingEach = double(TDHTMLEditOperation::ServedTags().size()) * trip;
    std::printf("the refresh of both tool bars:   %8.3f ms (ratio %.2f; asking the page for each of its %lld controls: "
                "%.0f, goal: a tenth of that or less)\n",
                refreshPerMove / 1e6, refreshPerMove / trip, static_cast<long long>(TDHTMLEditOperation::ServedTags().size()),
                askingEach / trip);
    std::printf("the page's state record:         %8.3f ms (ratio %.2f, asked for as a call)\n", record / 1e6,
                record / trip);
    std::printf("round trips during %d moves:    %lld (goal: 0)\n", CaretMoves, static_cast<long long>(moveCalls));
    std::printf("key to refreshed tool bars:      %8.3f ms (ratio %.2f; the browser moving the caret on the page)\n",
                move / 1e6, move / trip);
    const bool snapshotsUntouched = op.History().Source.size() == 1;

    // A snapshot: an edit, and the display change whose look takes it.
    qint64 lastDisplayChange = 0;
    const std::function<void()> displayChanged = edit.OnDisplayChanged;
    edit.OnDisplayChanged = [&] {
        QElapsedTimer timer;
        timer.start();
        displayChanged();
        lastDisplayChange = timer.nsecsElapsed();
    };
    auto editAndLook = [&](int i) {
        const QString heading = QStringLiteral("Manual %1").arg(i);
        edit.DOM()->getElementsByTagName(QStringLiteral("H1")).first()->setInnerText(heading);
        const QString written = QStringLiteral("<h1>") + heading + QStringLiteral("</h1>");
        return waitFor([&] { return op.History().Source.last().contains(written); }, 30000);
    };
    std::vector<qint64> snapshots;
    for (int i = 0; i < Snapshots; ++i) {
        if (!editAndLook(i)) {
            std::fprintf(stderr, "bench-editor: an edit took no snapshot\n");
            return 1;
        }
        snapshots.push_back(lastDisplayChange);
    }
    const double snapshot = median(snapshots);
    std::printf("refresh taking a snapshot:       %8.3f ms (ratio %.2f)\n", snapshot / 1e6, snapshot / trip);

    // A day of editing: every edit a snapshot, the history under its cap.
    const qint64 residentBefore = residentKilobytes();
    QElapsedTimer all;
    all.start();
    qint64 largest = 0;
    int taken = 0;
    for (int i = 0; i < edits; ++i) {
        taken += editAndLook(Snapshots + i);
        largest = std::max(largest, op.History().SizeInBytes());
    }
    const qint64 residentGrowth = (residentKilobytes() - residentBefore) * 1024;
    const qint64 cap = op.History().Capacity();
    std::printf("%d edits:                      %8.1f s, %d snapshots taken, %lld kept\n", edits, all.elapsed() / 1e3,
                taken, static_cast<long long>(op.History().Source.size()));
    std::printf("history at most:                 %8.1f MB (cap %.1f MB)\n", largest / 1048576.0, cap / 1048576.0);
    std::printf("resident memory grew by:         %8.1f MB\n", residentGrowth / 1048576.0);
    const bool ok = snapshotsUntouched && moveCalls == 0 && taken == edits && refreshPerMove * 10 <= askingEach && largest <= cap
        && residentGrowth < 2 * cap;
    std::printf("%s\n", ok ? "ok" : "FAILED");
    return ok ? 0 : 1;
}
