#include "FileFilters.h"
#include "OutputViews.h"
#include "ProductInfo.h"
#include "RequiredComponents.h"
#include "TCommandLine.h"
#include "TCommandTable.h"
#include "TQrx.h"
#include "TopicBarLayout.h"

#include <QDir>
#include <QSet>
#include <gtest/gtest.h>

TEST(CommandLine, ProjectAndBuildSwitch)
{
    const struct {
        QStringList arguments;
        QString project;
        QString buildSwitch;
    } cases[] = {
        {{}, {}, {}},
        {{QStringLiteral("help.qrx")}, QStringLiteral("/work/docs/help.qrx"), {}},
        {{QStringLiteral("../other/help.qrx"), QStringLiteral("/hw")}, QStringLiteral("/work/other/help.qrx"),
         QStringLiteral("/hw")},
        {{QStringLiteral("/abs/x.qrx"), QStringLiteral("/s")}, QStringLiteral("/abs/x.qrx"), QStringLiteral("/s")},
        // Qt WebEngine's switches are not ours.
        {{QStringLiteral("--no-sandbox"), QStringLiteral("h.qrx"), QStringLiteral("--remote-debugging-port=9")},
         QStringLiteral("/work/docs/h.qrx"), {}},
    };
    for (const auto& c : cases) {
        const TCommandLine line = TCommandLine::Parse(c.arguments, QStringLiteral("/work/docs"));
        EXPECT_EQ(line.ProjectFile, c.project) << c.arguments.join(' ').toStdString();
        EXPECT_EQ(line.BuildSwitch, c.buildSwitch);
    }
}

TEST(ProductInfo, Captions)
{
    EXPECT_EQ(ProductInfo::Caption(), QStringLiteral("Quorix v5.45"));
    EXPECT_EQ(ProductInfo::Caption(QStringLiteral("/home/a/help/manual.qrx")), QStringLiteral("Quorix v5.45 - manual.qrx"));
    EXPECT_EQ(ProductInfo::Caption(QStringLiteral("unnamed.qrx")), QStringLiteral("Quorix v5.45 - unnamed.qrx"));
}

// Commands reach their family's handler with their Tag; commands not built
// yet reach nothing.
TEST(CommandTable, DispatchByFamilyAndTag)
{
    QList<std::pair<TCommandFamily, int>> calls;
    TCommandDispatcher dispatcher;
    for (TCommandFamily family : {TCommandFamily::Project, TCommandFamily::Build, TCommandFamily::ViewOutput,
                                  TCommandFamily::Window, TCommandFamily::History}) {
        dispatcher.SetHandler(family, [&calls, family](int tag) { calls.append({family, tag}); });
    }
    const struct {
        TCommandId id;
        TCommandFamily family;
        int tag;
    } wired[] = {
        {TCommandId::NewBlankProject, TCommandFamily::Project, 1},
        {TCommandId::Open, TCommandFamily::Project, 2},
        {TCommandId::SaveProject, TCommandFamily::Project, 3},
        {TCommandId::SaveProjectAs, TCommandFamily::Project, 4},
        {TCommandId::CloseProject, TCommandFamily::Project, 5},
        {TCommandId::BuildChm, TCommandFamily::Build, 1},
        {TCommandId::ViewSingleHtml, TCommandFamily::ViewOutput, 5},
        {TCommandId::ViewChmFolder, TCommandFamily::ViewOutput, 11},
        {TCommandId::About, TCommandFamily::Window, CmdAbout},
        {TCommandId::Undo, TCommandFamily::History, 1},
    };
    for (const auto& c : wired) {
        calls.clear();
        EXPECT_TRUE(dispatcher.Dispatch(c.id));
        ASSERT_EQ(calls.size(), 1);
        EXPECT_EQ(calls[0].first, c.family);
        EXPECT_EQ(calls[0].second, c.tag);
    }
    calls.clear();
    EXPECT_FALSE(dispatcher.Dispatch(TCommandId::ProjectSettings)) << "not built yet";
    EXPECT_FALSE(dispatcher.Dispatch(TCommandId::MoveUp)) << "this dispatcher has no handler for the tree";
    EXPECT_TRUE(calls.isEmpty());
}

TEST(CommandTable, EveryCommandOnceWithItsCaptionsAndKeys)
{
    QSet<int> ids;
    for (const TCommand& command : CommandTable::All()) {
        EXPECT_FALSE(ids.contains(int(command.Id)));
        ids.insert(int(command.Id));
        EXPECT_FALSE(command.Caption.isEmpty());
        EXPECT_EQ(&CommandTable::Get(command.Id), &command);
    }
    EXPECT_EQ(CommandTable::Get(TCommandId::NewBlankProject).Shortcut, QStringLiteral("Ctrl+N"));
    EXPECT_EQ(CommandTable::Get(TCommandId::Open).Shortcut, QStringLiteral("Ctrl+O"));
    EXPECT_EQ(CommandTable::Get(TCommandId::SaveProject).Shortcut, QStringLiteral("Ctrl+S"));
    EXPECT_EQ(CommandTable::Get(TCommandId::BuildProject).Shortcut, QStringLiteral("F9"));
    EXPECT_EQ(CommandTable::Get(TCommandId::BuildWord).ToolCaption, QStringLiteral("DOC"));
    EXPECT_EQ(CommandTable::Get(TCommandId::SaveProject).ToolCaption, QStringLiteral("保存"));
}

// The view menu tests the output's file, relative to the project folder.
TEST(OutputViews, FilesAndFoldersOfEachOutput)
{
    TQrx project;
    project.RootDir = QStringLiteral("/home/a/help/");
    project.CompiledFile = QStringLiteral("<Project_Folder>_output\\HTML Help\\help.chm");
    project.WebHelpOutputFolder = QStringLiteral("<Project_Folder>_output\\WebHelp\\");
    project.WordFile = QStringLiteral("out\\manual.docx");
    project.PDFfile = QStringLiteral("/tmp/manual.pdf");
    project.SingleHtmlOutputFolder = QStringLiteral("<Project_Folder>_output\\SingleHTML");
    project.SingleHtmlFilename = QStringLiteral("all.htm");

    const struct {
        int tag;
        QString name, tested, target;
    } cases[] = {
        {1, "Html Help", "/home/a/help_output/HTML Help/help.chm", "/home/a/help_output/HTML Help/help.chm"},
        {11, "Html Help", "/home/a/help_output/HTML Help/help.chm", "/home/a/help_output/HTML Help"},
        {2, "Web Help", "/home/a/help_output/WebHelp/index.htm", "/home/a/help_output/WebHelp/index.htm"},
        {12, "Web Help", "/home/a/help_output/WebHelp/index.htm", "/home/a/help_output/WebHelp"},
        {3, "Word Document", "/home/a/help/out/manual.docx", "/home/a/help/out/manual.docx"},
        {14, "PDF", "/tmp/manual.pdf", "/tmp"},
        {5, "Single HTHL", "/home/a/help_output/SingleHTML/all.htm", "/home/a/help_output/SingleHTML/all.htm"},
        {15, "Single HTHL", "/home/a/help_output/SingleHTML/all.htm", "/home/a/help_output/SingleHTML"},
    };
    for (const auto& c : cases) {
        const auto view = OutputView(project, c.tag);
        ASSERT_TRUE(view) << c.tag;
        EXPECT_EQ(view->Name, c.name);
        EXPECT_EQ(QDir::cleanPath(view->TestedFile), c.tested) << c.tag;
        EXPECT_EQ(QDir::cleanPath(view->Target), c.target) << c.tag;
        EXPECT_EQ(view->BuildTag, c.tag % 10);
    }
    for (int tag : {0, 6, 10, 16, -1})
        EXPECT_FALSE(OutputView(project, tag)) << tag;
    EXPECT_EQ(OutputMissingQuestion(*OutputView(project, 5)),
              QStringLiteral("Single HTHL file hasn't been created, create it?"));
}

TEST(TopicBar, FieldsShareTheRestOfTheWidth)
{
    // (800 - 3*24 - 60 - 70) / 2 = 299
    const TTopicFieldWidths widths = TopicFieldWidths(800, 24, 60, 70);
    EXPECT_EQ(widths.Title, 264);
    EXPECT_EQ(widths.Url, 334);
    const TTopicFieldWidths narrow = TopicFieldWidths(100, 24, 60, 70);
    EXPECT_EQ(narrow.Title, 40);
    EXPECT_EQ(narrow.Url, 40);
}

TEST(FileFilters, DialogFiltersInQtsForm)
{
    EXPECT_EQ(QtFileFilter(QStringLiteral("Quorix 项目 (*.qrx)|*.qrx")), QStringLiteral("Quorix 项目 (*.qrx)"));
    EXPECT_EQ(QtFileFilter(QStringLiteral("Quorix 支持打开(*.qrx;*.chm;*.hhp)|*.qrx;*.chm;*.hhp|Windows HTML 帮助(*.chm)|*.chm")),
              QStringLiteral("Quorix 支持打开(*.qrx *.chm *.hhp);;Windows HTML 帮助(*.chm)"));
    EXPECT_EQ(QtFileFilter(QStringLiteral("HTML file|*.html;*.htm")), QStringLiteral("HTML file (*.html *.htm)"));
}

TEST(RequiredComponents, MessageListsTheMissingFiles)
{
    EXPECT_EQ(MissingComponentsMessage({QStringLiteral("/usr/lib/qt6/libexec/QtWebEngineProcess")}),
              QStringLiteral("You have to reinstall Quorix! These files are lost:\r\n\r\n"
                             "/usr/lib/qt6/libexec/QtWebEngineProcess\r\n"));
    EXPECT_TRUE(MissingComponents().isEmpty()) << MissingComponents().join(' ').toStdString();
}
