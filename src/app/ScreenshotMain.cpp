// Opens a project in the main window, offscreen, and writes a picture of
// the window: the screenshots of the README (scripts/screenshot). The topic
// named (its Url, else the first of the table of contents) is open in the
// editor, or with --preview in the preview. With --new-project-dialog, a
// picture of the new-project dialog as "新建" opens it.
#include "IDHTMLEdit.h"
#include "ITopicPageViews.h"
#include "Paths.h"
#include "PlatformFactory.h"
#include "TCommandLine.h"
#include "TDialogPrompts.h"
#include "TPagePanel.h"
#include "TQuorixStyle.h"
#include "TTopicTreeView.h"
#include "TfrmMain.h"
#include "TfrmNew.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QTabWidget>
#include <QSettings>
#include <QTemporaryDir>
#include <QTextStream>
#include <QTimer>

namespace {

void wait(int ms)
{
    QEventLoop loop;
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    loop.exec();
}

bool save(QWidget& widget, const QString& file)
{
    if (widget.grab().save(file))
        return true;
    QTextStream(stderr) << "quorix-screenshot: cannot write " << file << "\n";
    return false;
}

int newProjectDialog(const QString& file)
{
    TDialogPrompts prompts;
    TfrmNew dialog(TNewProject::DefaultFolder(DocumentsFolder()), prompts);
    dialog.show();
    wait(500);
    return save(dialog, file) ? 0 : 1;
}

} // namespace

int main(int argc, char** argv)
{
    PreparePlatformBeforeApplication();
    QApplication app(argc, argv);
    PreparePlatformAfterApplication();
    QApplication::setStyle(new TQuorixStyle);
    QStringList args = QApplication::arguments().mid(1);
    if (args.size() == 2 && args[0] == QStringLiteral("--new-project-dialog"))
        return newProjectDialog(args[1]);
    const bool preview = args.removeAll(QStringLiteral("--preview")) > 0;
    if (args.size() != 2 && args.size() != 3) {
        QTextStream(stderr) << "Usage: quorix-screenshot [--preview] PROJECT.qrx OUTPUT.png [TOPIC-URL]\n"
                               "       quorix-screenshot --new-project-dialog OUTPUT.png\n";
        return 2;
    }

    // Settings of its own: a window in normal state, the user's untouched.
    QTemporaryDir folder;
    QSettings settings(folder.filePath(QStringLiteral("settings.ini")), QSettings::IniFormat);
    const std::pair<const char*, int> state[] = {{"Left", 0}, {"Top", 0}, {"Height", 760}, {"Width", 1100},
                                                 {"NavWidth", 280}, {"Maximized", 0}, {"ShowBorder", 1},
                                                 {"ShowDetail", 0}};
    for (const auto& [name, value] : state)
        settings.setValue(QLatin1String(name), value);

    TCommandLine line;
    line.ProjectFile = args[0];
    TfrmMain window(line, &settings);
    window.Start();
    window.resize(1100, 720);
    TopicTree& tree = window.Qrx.Tree();
    TopicNode* topic = window.Qrx.tnTableOfContents->firstChild();
    tree.forEachNode([&](TopicNode* node) {
        if (args.size() == 3 && node->entry().Url == args[2])
            topic = node;
        return true;
    });
    window.TopicTreeView()->expandAll();
    if (topic != nullptr)
        tree.select(topic);
    window.TopicTreeView()->setFocus();
    // The page loaded into the editor first: the tabs change only then.
    QElapsedTimer loading;
    loading.start();
    do
        wait(100);
    while (window.Editor()->Busy() && !loading.hasExpired(20000));
    if (preview)
        window.findChild<TPagePanel*>()->Tabs()->setCurrentIndex(int(TPageTab::Preview));
    wait(1500);
    window.UpdateIdle();
    wait(200);
    return save(window, args[1]) ? 0 : 1;
}
