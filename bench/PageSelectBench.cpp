// Selecting a topic whose page is 2 MB in the main window until the editor is
// ready to take the author's typing (the page read, decoded and cleaned, the
// editing control loaded with it), against loading the same page file into a
// bare web view until it has finished. Prints both times (the fastest of
// seven runs, the two alternating) and their ratio.
#include "IDHTMLEdit.h"
#include "PlatformFactory.h"
#include "TCommandLine.h"
#include "TConsolePrompts.h"
#include "TQrx.h"
#include "TfrmMain.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>
#include <QWebEngineView>
#include <algorithm>
#include <cstdio>
#include <limits>

namespace {

constexpr qsizetype PageBytes = 2 * 1024 * 1024;
constexpr int Runs = 7;
constexpr int TimeoutMs = 120000;

// A page of ordinary help text: headings, paragraphs with links and inline
// markup, lists and a table now and then, a style sheet and a picture.
QByteArray bigPage()
{
    QByteArray html = "<!DOCTYPE html>\r\n<html>\r\n<head>\r\n"
                      "<meta http-equiv=\"Content-Type\" content=\"text/html; charset=utf-8\">\r\n"
                      "<title>Big page</title>\r\n<link rel=\"stylesheet\" href=\"style.css\">\r\n</head>\r\n<body>\r\n";
    for (int section = 0; html.size() < PageBytes; ++section) {
        const QByteArray n = QByteArray::number(section);
        html += "<h2><a name=\"s" + n + "\"></a>Section " + n + "</h2>\r\n";
        for (int p = 0; p < 6; ++p)
            html += "<p>A paragraph of a long page with <b>bold</b>, <i>italic</i> and a <a href=\"other.htm#s" + n
                + "\">link</a>; Ünïcödé text, 中文文本 and more words to make it as long as a real one.</p>\r\n";
        html += "<ul>\r\n<li>one item</li>\r\n<li>another item</li>\r\n</ul>\r\n";
        if (section % 10 == 0)
            html += "<table border=\"1\"><tr><td>cell</td><td>cell</td></tr><tr><td>cell</td><td>cell</td></tr></table>\r\n"
                    "<p><img src=\"picture.png\" alt=\"\"></p>\r\n";
    }
    return html + "</body>\r\n</html>\r\n";
}

bool write(const QString& file, const QByteArray& bytes)
{
    QFile out(file);
    return out.open(QIODevice::WriteOnly) && out.write(bytes) == bytes.size();
}

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && qEnvironmentVariableIsEmpty("DISPLAY"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    PreparePlatformBeforeApplication();
    QApplication app(argc, argv);
    PreparePlatformAfterApplication();

    QTemporaryDir dir;
    const QString root = dir.filePath(QStringLiteral("help")) + QLatin1Char('/');
    QDir().mkpath(root);
    const QByteArray page = bigPage();
    if (!write(root + QStringLiteral("big.htm"), page)
        || !write(root + QStringLiteral("small.htm"), "<html><head><title>Small</title></head><body><p>x</p></body></html>")
        || !write(root + QStringLiteral("style.css"), "body { font-family: sans-serif; }")) {
        std::fprintf(stderr, "bench-pageselect: cannot write the pages into %s\n", qPrintable(root));
        return 1;
    }
    TQrx project;
    project.RootDir = root;
    TLeftTreeData small;
    small.Url = QStringLiteral("small.htm");
    project.Tree().appendNode(project.tnTableOfContents, QStringLiteral("Small"), small);
    TLeftTreeData big;
    big.Url = QStringLiteral("big.htm");
    project.Tree().appendNode(project.tnTableOfContents, QStringLiteral("Big"), big);
    const QString projectFile = dir.filePath(QStringLiteral("bench.qrx"));
    project.SaveToIni(projectFile);

    QSettings settings(dir.filePath(QStringLiteral("settings.ini")), QSettings::IniFormat);
    TConsolePrompts prompts(QStringLiteral("bench-pageselect"));
    TCommandLine line;
    line.ProjectFile = projectFile;
    TfrmMain window(line, &settings, &prompts);
    window.Start();
    window.resize(1100, 720);
    if (!QTest::qWaitForWindowExposed(&window)) {
        std::fprintf(stderr, "bench-pageselect: the window does not show\n");
        return 1;
    }
    IDHTMLEdit& editor = *window.Editor();
    TopicTree& tree = window.Qrx.Tree();
    TopicNode* smallTopic = window.Qrx.tnTableOfContents->firstChild();
    TopicNode* bigTopic = window.Qrx.tnTableOfContents->lastChild();
    const auto ready = [&] { return QTest::qWaitFor([&] { return !editor.Busy(); }, TimeoutMs); };

    QWebEngineView bare;
    bare.resize(800, 600);
    bare.show();
    bool finished = false;
    QObject::connect(&bare, &QWebEngineView::loadFinished, [&](bool) { finished = true; });

    qint64 selecting = std::numeric_limits<qint64>::max();
    qint64 loading = selecting;
    qint64 refreshed = selecting;
    for (int run = 0; run < Runs; ++run) {
        tree.select(smallTopic);
        if (!ready()) {
            std::fprintf(stderr, "bench-pageselect: the small page does not load\n");
            return 1;
        }
        QElapsedTimer timer;
        timer.start();
        tree.select(bigTopic);
        const bool loaded = ready();
        const qint64 untilReady = timer.elapsed();
        // The first idle update after it reads the editor's form of the page once.
        window.UpdateIdle();
        const qint64 untilRefreshed = timer.elapsed();
        if (!loaded || !editor.DocumentHTML().contains(QStringLiteral("Section 1</h2>"))) {
            std::fprintf(stderr, "bench-pageselect: the big page does not load into the editor\n");
            return 1;
        }
        selecting = std::min(selecting, untilReady);
        refreshed = std::min(refreshed, untilRefreshed);

        finished = false;
        bare.setHtml(QStringLiteral("<html><body></body></html>"));
        QTest::qWaitFor([&] { return finished; }, TimeoutMs);
        finished = false;
        timer.restart();
        bare.load(QUrl::fromLocalFile(root + QStringLiteral("big.htm")));
        if (!QTest::qWaitFor([&] { return finished; }, TimeoutMs)) {
            std::fprintf(stderr, "bench-pageselect: the bare web view does not load the page\n");
            return 1;
        }
        loading = std::min(loading, timer.elapsed());
    }
    std::printf("page of %lld bytes\n", static_cast<long long>(page.size()));
    std::printf("bare web view loading it:       %lld ms\n", static_cast<long long>(loading));
    std::printf("selecting its topic to editing: %lld ms\n", static_cast<long long>(selecting));
    std::printf("  and its first idle update:    %lld ms\n", static_cast<long long>(refreshed));
    std::printf("ratio: %.2f (with the idle update %.2f)\n", loading > 0 ? double(selecting) / double(loading) : 0.0,
                loading > 0 ? double(refreshed) / double(loading) : 0.0);
    return 0;
}
