#include "MainWindowTestSupport.h"

#include "IDHTMLEdit.h"
#include "ProgramFolder.h"
#include "ProgramHelp.h"
#include "TTopicTreeView.h"
#include "TopicIcons.h"

#include <QAction>
#include <QFile>
#include <QListWidget>
#include <QMenu>
#include <QRadioButton>
#include <QTest>
#include <QUrl>

// A project named on the command line opens at once, without the start dialog.
TEST_F(MainWindowTest, OpensTheProjectOfTheCommandLine)
{
    const QString file = makeProject(QStringLiteral("demo"));
    TfrmMain& main = startWindow(file);
    EXPECT_TRUE(main.HasProject());
    EXPECT_EQ(main.windowTitle(), QStringLiteral("Quorix v5.45 - demo.qrx"));
    EXPECT_EQ(main.StartDialog(), nullptr);
    EXPECT_EQ(main.Qrx.Tree().topicCount(), 3);
    EXPECT_TRUE(main.Action(TCommandId::CloseProject)->isEnabled());
    EXPECT_TRUE(main.Action(TCommandId::SaveProject)->isEnabled());
    EXPECT_FALSE(main.SaveToolAction()->isEnabled()) << "nothing changed yet";
    EXPECT_TRUE(main.Action(TCommandId::BuildChm)->isEnabled());

    // The tree on screen is the project's own model.
    EXPECT_EQ(main.TopicTreeView()->model(), &main.Qrx.Tree());
    EXPECT_TRUE(main.TopicTreeView()->isEnabled());
}

// A project that cannot be read leaves an empty new project and a message.
TEST_F(MainWindowTest, UnreadableCommandLineProject)
{
    TfrmMain& main = startWindow(dir.filePath(QStringLiteral("missing.qrx")));
    const QStringList errors = prompts.Errors();
    ASSERT_EQ(errors.size(), 1);
    EXPECT_TRUE(errors[0].contains(QStringLiteral("missing.qrx")));
    EXPECT_TRUE(main.HasProject());
    EXPECT_EQ(main.Qrx.Tree().topicCount(), 0);
    EXPECT_EQ(main.windowTitle(), QStringLiteral("Quorix v5.45 - unnamed.qrx"));
}

// Without a project the window offers the start dialog; cancelling it
// leaves the window without a project.
TEST_F(MainWindowTest, StartDialogWithoutAProject)
{
    TfrmMain& main = startWindow();
    TfrmStart* start = main.StartDialog();
    ASSERT_NE(start, nullptr);
    EXPECT_TRUE(start->isVisible());
    EXPECT_EQ(start->windowTitle(), QStringLiteral("项目文件"));
    EXPECT_TRUE(start->button(TfrmStart::OpenRecent)->isChecked());
    EXPECT_FALSE(start->kindList()->isEnabled());
    EXPECT_TRUE(start->recentList()->isEnabled());
    ASSERT_EQ(start->recentList()->count(), 1) << "the sample project, nothing stored yet";
    EXPECT_TRUE(start->recentList()->item(0)->text().endsWith(QStringLiteral("sample/sample.qrx")));
    EXPECT_EQ(start->kindList()->count(), 4);
    EXPECT_EQ(start->kindList()->item(3)->text(), QStringLiteral("转换 Windows 帮助工作室项目 (.HHP) "));

    start->button(TfrmStart::OpenProject)->setChecked(true);
    EXPECT_FALSE(start->recentList()->isEnabled());
    start->reject();
    ASSERT_TRUE(QTest::qWaitFor([&] { return main.StartDialog() == nullptr; }));

    EXPECT_FALSE(main.HasProject());
    EXPECT_EQ(main.windowTitle(), QStringLiteral("Quorix v5.45"));
    EXPECT_FALSE(main.Action(TCommandId::SaveProject)->isEnabled());
    EXPECT_FALSE(main.Action(TCommandId::CloseProject)->isEnabled());
    EXPECT_FALSE(main.Action(TCommandId::BrowseProjectFolder)->isEnabled());
    EXPECT_FALSE(main.Action(TCommandId::ViewPdf)->isEnabled());
    EXPECT_TRUE(main.Action(TCommandId::Open)->isEnabled());
    EXPECT_FALSE(main.TopicTreeView()->isEnabled());
    EXPECT_FALSE(main.TopicTreeView()->isVisible()) << "behind the grey panel";
    EXPECT_FALSE(main.ViewsEnabled());
}

// The recent entry chosen in the start dialog opens.
TEST_F(MainWindowTest, StartDialogOpensARecentProject)
{
    const QString file = makeProject(QStringLiteral("recent"));
    TRecentProjects(settings).Add(file);
    TfrmMain& main = startWindow();
    ASSERT_NE(main.StartDialog(), nullptr);
    EXPECT_EQ(main.StartDialog()->recentEntry(), file);
    main.StartDialog()->accept();
    ASSERT_TRUE(QTest::qWaitFor([&] { return main.HasProject(); }));
    EXPECT_TRUE(main.HasProject());
    EXPECT_EQ(main.Qrx.ProjectFilename, file);
}

// Eleven projects opened in turn: ten in the menus, most recent first, a
// project opened again moves to the front once.
TEST_F(MainWindowTest, RecentProjectMenus)
{
    QStringList files;
    for (int i = 1; i <= 11; ++i)
        files.append(makeProject(QStringLiteral("p%1").arg(i)));
    TfrmMain& main = startWindow(files[0]);
    for (int i = 1; i < 11; ++i)
        ASSERT_TRUE(main.OpenProjectFile(files[i]));
    // The project left last (p10) heads the list; p11 is open.
    ASSERT_TRUE(main.OpenProjectFile(files[4]));
    const QList<QAction*> entries = main.RecentMenu()->actions();
    ASSERT_EQ(entries.size(), 10);
    EXPECT_EQ(entries[0]->text(), files[10]);
    EXPECT_EQ(entries[1]->text(), files[9]);
    EXPECT_EQ(settings.value(QStringLiteral("RecentFilesCount")).toInt(), 10);
    int p5 = 0;
    for (const QAction* entry : entries)
        p5 += entry->text() == files[4] ? 1 : 0;
    EXPECT_EQ(p5, 1);
    EXPECT_EQ(main.OpenDropDown()->actions().size(), 10);

    // Choosing an entry opens that project.
    entries[1]->trigger();
    EXPECT_EQ(main.Qrx.ProjectFilename, files[9]);
    EXPECT_TRUE(questions.isEmpty()) << "nothing was changed";
}

// Ctrl+S saves the project from any control, here the topic tree.
TEST_F(MainWindowTest, CtrlSWithTheTreeFocusedSaves)
{
    const QString file = makeProject(QStringLiteral("save"));
    TfrmMain& main = startWindow(file);
    main.activateWindow();
    main.Qrx.Title = QStringLiteral("Changed title");
    main.Qrx.ProjectChanged = true;
    main.UpdateIdle();
    EXPECT_TRUE(main.SaveToolAction()->isEnabled());
    main.TopicTreeView()->setFocus();
    ASSERT_TRUE(QTest::qWaitFor([&] { return QApplication::focusWidget() == main.TopicTreeView(); }));
    main.UpdateIdle();
    EXPECT_EQ(main.StatusHint(),
              QStringLiteral("For table of Contents: Ctrl+Click to multi-select; Shift+Click to section-select"));

    QTest::keyClick(main.TopicTreeView(), Qt::Key_S, Qt::ControlModifier);
    EXPECT_FALSE(main.Qrx.ProjectChanged);
    TQrx reread;
    reread.ReadFromIni(file);
    EXPECT_EQ(reread.Title, QStringLiteral("Changed title"));
    main.UpdateIdle();
    EXPECT_FALSE(main.SaveToolAction()->isEnabled());
}

// Closing asks about unsaved changes; Cancel keeps the window and the project.
TEST_F(MainWindowTest, ClosingAsksAboutChanges)
{
    const QString file = makeProject(QStringLiteral("close"));
    TfrmMain& main = startWindow(file);
    main.Qrx.ProjectChanged = true;
    answer = IUserPrompts::Cancel;
    EXPECT_FALSE(main.close());
    EXPECT_TRUE(main.isVisible());
    EXPECT_TRUE(main.HasProject());
    ASSERT_EQ(questions.size(), 1);
    EXPECT_EQ(questions[0], QStringLiteral("The project has changed.\nDo you want to save the changes?"));

    answer = IUserPrompts::No;
    EXPECT_TRUE(main.close());
    EXPECT_FALSE(main.HasProject());
    // Leaving the project put it on the recent list; the window state was stored.
    EXPECT_EQ(TRecentProjects(settings).Stored(), QStringList{file});
    EXPECT_TRUE(settings.contains(QStringLiteral("Maximized")));
    EXPECT_TRUE(settings.contains(QStringLiteral("NavWidth")));
}

// First run: maximized, the editor showing borders. Stored state afterwards:
// a width below 918 is raised, a wider one gives the designed width.
TEST_F(MainWindowTest, WindowStateBetweenRuns)
{
    {
        TfrmMain& first = startWindow(makeProject(QStringLiteral("state")));
        EXPECT_TRUE(first.isMaximized());
        EXPECT_TRUE(first.Editor()->ShowBorders());
        first.close();
        window.reset();
    }
    for (const auto& [stored, expected] : {std::pair{600, 918}, std::pair{1200, int(TfrmMain::DesignedWidth)}}) {
        settings.setValue(QStringLiteral("Width"), stored);
        settings.setValue(QStringLiteral("Height"), 650);
        settings.setValue(QStringLiteral("Maximized"), 0);
        settings.setValue(QStringLiteral("ShowBorder"), 0);
        TfrmMain& main = startWindow();
        if (main.StartDialog())
            main.StartDialog()->reject();
        EXPECT_FALSE(main.isMaximized());
        EXPECT_EQ(main.width(), expected) << stored;
        EXPECT_EQ(main.height(), int(TfrmMain::DesignedHeight));
        EXPECT_FALSE(main.Editor()->ShowBorders());
        window.reset();
    }
}

// Selection and expansion live in the model; the view mirrors them both
// ways, and expanding swaps the image.
TEST_F(MainWindowTest, TreeViewMirrorsTheModel)
{
    TfrmMain& main = startWindow(makeProject(QStringLiteral("tree")));
    TTopicTreeView* view = main.TopicTreeView();
    TopicTree& tree = main.Qrx.Tree();
    TopicNode* chapter = main.Qrx.tnTableOfContents->child(1);
    TopicNode* setup = chapter->child(0);

    tree.select(setup);
    ASSERT_TRUE(QTest::qWaitFor([&] { return view->currentIndex() == tree.indexOf(setup); }));
    EXPECT_TRUE(view->selectionModel()->isSelected(tree.indexOf(setup)));
    EXPECT_EQ(view->currentIndex(), tree.indexOf(setup));

    view->selectionModel()->select(tree.indexOf(chapter), QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    view->selectionModel()->setCurrentIndex(tree.indexOf(chapter), QItemSelectionModel::NoUpdate);
    EXPECT_EQ(tree.selected(), chapter);

    view->collapse(tree.indexOf(chapter));
    EXPECT_FALSE(chapter->expanded());
    view->expand(tree.indexOf(chapter));
    EXPECT_TRUE(chapter->expanded());
    TopicNode* root = main.Qrx.tnTableOfContents;
    EXPECT_EQ(root->imageIndex(), TopicImages::RootOpen) << "opened expanded";
    view->collapse(tree.indexOf(root));
    EXPECT_EQ(root->imageIndex(), TopicImages::RootClosed);
    view->expand(tree.indexOf(root));
    EXPECT_EQ(root->imageIndex(), TopicImages::RootOpen);

    tree.setExpanded(chapter, false);
    EXPECT_FALSE(view->isExpanded(tree.indexOf(chapter)));
}

// Viewing an output that was not built yet asks whether to build it.
TEST_F(MainWindowTest, ViewingAMissingOutputAsks)
{
    TfrmMain& main = startWindow(makeProject(QStringLiteral("view")));
    main.Qrx.SingleHtmlFilename = QStringLiteral("all.htm");
    main.Action(TCommandId::ViewSingleHtml)->trigger();
    ASSERT_EQ(questions.size(), 1);
    EXPECT_EQ(questions[0], QStringLiteral("Single HTHL file hasn't been created, create it?"));
}

// A build request on the command line is kept and handed on once the window shows.
TEST_F(MainWindowTest, BuildSwitchIsKeptForTheBuild)
{
    TCommandLine line;
    line.ProjectFile = makeProject(QStringLiteral("build"));
    line.BuildSwitch = QStringLiteral("/hw");
    window = std::make_unique<TfrmMain>(line, &settings);
    QStringList requests;
    QObject::connect(window.get(), &TfrmMain::CommandLineBuildRequested,
                     [&](const QString& buildSwitch) { requests.append(buildSwitch); });
    EXPECT_EQ(window->BuildSwitch(), QStringLiteral("/hw"));
    EXPECT_FALSE(QTest::qWaitFor([&] { return !requests.isEmpty(); }, 250)) << "not before the window shows";
    window->Start();
    ASSERT_TRUE(QTest::qWaitFor([&] { return !requests.isEmpty(); }));
    EXPECT_EQ(requests, QStringList{QStringLiteral("/hw")});
}

// Both help commands open the program's own help, the web help the build
// makes of the sample beside the program, in the browser; a missing help
// folder is named in an error.
TEST_F(MainWindowTest, HelpCommandsOpenTheProgramsOwnHelp)
{
    TfrmMain& main = startWindow(makeProject(QStringLiteral("help")));
    QList<QUrl> opened;
    main.OpenUrl = [&](const QUrl& url) {
        opened.append(url);
        return true;
    };
    const QString index = ProgramDataFolder() + QStringLiteral("/userguide/index.htm");
    QFile page(index);
    ASSERT_TRUE(page.open(QIODevice::ReadOnly)) << "the build writes " << index.toStdString();
    EXPECT_TRUE(QString::fromUtf8(page.readAll()).contains(QStringLiteral("<title>Quorix User Guide</title>")));

    const QString missing = dir.filePath(QStringLiteral("no help"));
    for (const TCommandId command : {TCommandId::HowToUse, TCommandId::HelpTool}) {
        SCOPED_TRACE(main.Action(command)->text().toStdString());
        opened.clear();
        prompts.Boxes.clear();
        main.HelpFolder = ProgramHelpFolder();
        main.Action(command)->trigger();
        EXPECT_EQ(opened, QList<QUrl>{QUrl::fromLocalFile(index)});
        EXPECT_TRUE(prompts.Boxes.isEmpty());

        main.HelpFolder = missing;
        main.Action(command)->trigger();
        EXPECT_EQ(opened.size(), 1) << "nothing more opened";
        ASSERT_EQ(prompts.Errors().size(), 1);
        EXPECT_TRUE(prompts.Errors()[0].contains(QLatin1Char('"') + missing + QLatin1Char('"')));

        // A folder without its index page is named too.
        QDir().mkpath(missing);
        main.Action(command)->trigger();
        EXPECT_EQ(opened.size(), 1);
        ASSERT_EQ(prompts.Errors().size(), 2);
        EXPECT_TRUE(prompts.Errors()[1].contains(missing));
        EXPECT_TRUE(prompts.Errors()[1].contains(QStringLiteral("index.htm")));
        QDir(missing).removeRecursively();
    }
}
