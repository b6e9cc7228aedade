// Opens a project in the main window, offscreen, and writes a picture of
// the window: the screenshot of the README (scripts/screenshot). With
// --new-project-dialog, a picture of the new-project dialog as "新建" opens it.
#include "Paths.h"
#include "PlatformFactory.h"
#include "TCommandLine.h"
#include "TDialogPrompts.h"
#include "TQuorixStyle.h"
#include "TTopicTreeView.h"
#include "TfrmMain.h"
#include "TfrmNew.h"

#include <QApplication>
#include <QEventLoop>
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
    const QStringList args = QApplication::arguments().mid(1);
    if (args.size() == 2 && args[0] == QStringLiteral("--new-project-dialog"))
        return newProjectDialog(args[1]);
    if (args.size() != 2) {
        QTextStream(stderr) << "Usage: quorix-screenshot PROJECT.qrx OUTPUT.png\n"
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
    if (TopicNode* first = window.Qrx.tnTableOfContents->firstChild())
        tree.select(first);
    window.TopicTreeView()->expandAll();
    window.TopicTreeView()->setFocus();
    wait(1500);
    window.UpdateIdle();
    wait(200);
    return save(window, args[1]) ? 0 : 1;
}
