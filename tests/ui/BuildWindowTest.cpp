// The build command in the window: the build dialog, the output window, the
// status bar, and the unattended build of the program.
#include "MainWindowTestSupport.h"
#include "ProgramFolder.h"
#include "TFakeHTMLHelpCompiler.h"
#include "TfrmBuild.h"
#include "TfrmBuildOutput.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <QProcess>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>

namespace {

class BuildWindowTest : public MainWindowTest {
protected:
    // Runs the build dialog as the author would: `edit` changes it, then "开始".
    void startDialogWith(std::function<void(TfrmBuild&)> edit)
    {
        window->ExecDialog = [this, edit](QDialog& dialog) {
            auto* build = qobject_cast<TfrmBuild*>(&dialog);
            if (build == nullptr)
                return int(QDialog::Rejected);
            ++dialogs;
            prompts.OnMessage = [](IUserPrompts::Kind, const QString&, IUserPrompts::Buttons) {
                return IUserPrompts::Yes;
            };
            edit(*build);
            build->btnStart->click();
            return build->result();
        };
    }

    int dialogs = 0;
};

TEST_F(BuildWindowTest, DialogPagesFieldsAndStartValidation)
{
    TQrx project;
    project.RootDir = dir.filePath(QStringLiteral("help")) + QLatin1Char('/');
    project.CompiledFile = QStringLiteral("out\\help.chm");
    project.HHPFolder = QStringLiteral("/tmp/hhp");
    project.DeleteProject = false;
    project.ViewCompiledFile = false;
    project.SingleHtmlFilename = QStringLiteral("all.htm");
    project.CHMSetting.Compiler = QStringLiteral("native");

    TRecordingPrompts dialogPrompts;
    TfrmBuild dialog(project, TBuildDialogModel::PageOfTag(5), dialogPrompts);
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("构建帮助文件"));
    ASSERT_EQ(dialog.pcPages->count(), 5);
    const QStringList pages = {QStringLiteral("HTML 帮助 (CHM)"), QStringLiteral("网络帮助"), QStringLiteral("Word 文档"),
                               QStringLiteral("PDF"), QStringLiteral("单个 HTML 文件")};
    for (int page = 0; page < 5; ++page) {
        EXPECT_EQ(dialog.pcPages->tabText(page), pages[page]);
        EXPECT_FALSE(dialog.pcPages->tabIcon(page).isNull());
    }
    EXPECT_EQ(dialog.ActivePage(), bpSingleHtml);
    EXPECT_EQ(dialog.edtCompiledFile->text(), QStringLiteral("out\\help.chm"));
    EXPECT_EQ(dialog.edtSingleHtmlFile->text(), QStringLiteral("all.htm"));
    EXPECT_FALSE(dialog.cbViewCompiled->isChecked());
    EXPECT_EQ(dialog.cbViewCompiled->text(), QStringLiteral("编译完成后查看已编译的文件"));
    EXPECT_EQ(dialog.btnStart->text(), QStringLiteral("开始"));
    EXPECT_EQ(dialog.btnCancel->text(), QStringLiteral("取消"));
    // The project's compiler is the one shown, and the one picked is the one stored.
    EXPECT_EQ(dialog.cbCompiler->currentText(), HTMLHelpCompilerCaption(EHTMLHelpCompiler::Native));
    dialog.cbCompiler->setCurrentIndex(dialog.cbCompiler->findData(int(EHTMLHelpCompiler::Chmcmd)));
    EXPECT_EQ(dialog.Values().Compiler, EHTMLHelpCompiler::Chmcmd);

    // The project folder only while its box is checked.
    EXPECT_FALSE(dialog.edtHhpFolder->isEnabled());
    EXPECT_FALSE(dialog.btnHhpFolder->isEnabled());
    dialog.cbOutputHhp->setChecked(true);
    EXPECT_TRUE(dialog.edtHhpFolder->isEnabled());
    EXPECT_TRUE(dialog.btnHhpFolder->isEnabled());

    // The options wait for the project settings dialog.
    ASSERT_EQ(dialog.OptionButtons.size(), 5);
    for (const QPushButton* options : dialog.OptionButtons) {
        EXPECT_FALSE(options->isEnabled());
        EXPECT_FALSE(options->toolTip().isEmpty());
    }
    EXPECT_TRUE(QFileInfo(TfrmBuild::ChmHelpPage()).isFile()) << TfrmBuild::ChmHelpPage().toStdString();

    // A failed check is shown, focuses its field and keeps the dialog open.
    dialog.show();
    dialog.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&dialog));
    dialog.edtSingleHtmlFile->clear();
    dialog.btnStart->click();
    EXPECT_EQ(dialogPrompts.Errors(), QStringList{QStringLiteral("Please specify File name!")});
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_TRUE(dialog.edtSingleHtmlFile->hasFocus());

    dialog.pcPages->setCurrentIndex(bpChm);
    dialog.edtHhpFolder->setText(project.RootDir);
    dialog.btnStart->click();
    EXPECT_EQ(dialogPrompts.Errors().last(), QStringLiteral("Html Help Workshop project folder cannot be the same as the Project "
                                            "Rootfolder. Please specify another one!"));
    dialog.cbOutputHhp->setChecked(false);
    dialog.btnStart->click();
    EXPECT_EQ(dialogPrompts.Errors().size(), 2);
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
}

// The "..." buttons start from the entered path resolved against the project
// folder; a missing output folder is created first.
TEST_F(BuildWindowTest, PickersStartFromTheProjectFolder)
{
    TQrx project;
    project.RootDir = dir.filePath(QStringLiteral("help")) + QLatin1Char('/');
    project.CompiledFile = QStringLiteral("<Project_Folder>_output\\CHM\\help.chm");
    project.WebHelpOutputFolder = QStringLiteral("web");
    TRecordingPrompts dialogPrompts;
    TfrmBuild dialog(project, bpChm, dialogPrompts);
    QStringList starts;
    dialogPrompts.OnChooseSaveFile = [&](const TRecordingPrompts::TSaveFileRequest& request) {
        starts.append(request.Folder + QLatin1Char('/') + request.Name);
        EXPECT_EQ(request.Filter, QStringLiteral("Windows HTML 帮助(*.chm)|*.chm"));
        EXPECT_EQ(request.DefaultSuffix, QStringLiteral("chm"));
        EXPECT_FALSE(request.ConfirmOverwrite);
        return QStringLiteral("/elsewhere/new.chm");
    };
    dialogPrompts.OnAskForFolder = [&](QString& start, const QString&) {
        starts.append(start);
        return false; // cancelled
    };
    dialog.BrowseButton(dialog.edtCompiledFile)->click();
    dialog.BrowseButton(dialog.edtWebHelpFolder)->click();
    ASSERT_EQ(starts.size(), 2);
    EXPECT_EQ(starts[0], dir.filePath(QStringLiteral("help_output/CHM/help.chm")));
    EXPECT_EQ(starts[1], dir.filePath(QStringLiteral("help/web")));
    EXPECT_TRUE(QFileInfo(starts[1]).isDir());
    EXPECT_EQ(dialog.edtCompiledFile->text(), QStringLiteral("/elsewhere/new.chm"));
    EXPECT_EQ(dialog.edtWebHelpFolder->text(), QStringLiteral("web")) << "a cancelled picker changes nothing";
}

// The sample built in the window with a fake compiler: the progress in the
// output window, compiler lines once each, the last one in the status bar.
TEST_F(BuildWindowTest, BuildsTheSampleIntoTheOutputWindow)
{
    TfrmMain& main = startWindow(copySample());
    TFakeHTMLHelpCompiler compiler;
    // Each line arrives through both callbacks, so twice in a row.
    compiler.Lines = {QStringLiteral("Compiling topics/welcome.htm"), QStringLiteral("  "),
                      QStringLiteral("Compiling topics/welcome.htm"), QStringLiteral("Compile complete")};
    main.Compiler = &compiler;
    startDialogWith([](TfrmBuild& build) { build.cbViewCompiled->setChecked(false); });

    main.Action(TCommandId::BuildProject)->trigger();
    ASSERT_EQ(dialogs, 1);
    EXPECT_TRUE(prompts.Errors().isEmpty()) << prompts.Errors().join('\n').toStdString();
    const TfrmBuildOutput* output = main.BuildOutputWindow();
    EXPECT_TRUE(output->isVisible());
    EXPECT_EQ(output->windowTitle(), QStringLiteral("正在构建中"));
    EXPECT_TRUE(output->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    const QStringList lines = output->Lines();
    ASSERT_FALSE(lines.isEmpty());
    EXPECT_EQ(lines.front(), QStringLiteral("Reading TOC..."));
    EXPECT_TRUE(lines.contains(QStringLiteral("Creating HTML help file...")));
    EXPECT_EQ(lines.mid(lines.size() - 2), (QStringList{QString(), QStringLiteral("Completed.")}));
    EXPECT_EQ(lines.count(QStringLiteral("Compiling topics/welcome.htm")), 1) << lines.join('\n').toStdString();
    EXPECT_EQ(lines.count(QStringLiteral("Compile complete")), 1);
    EXPECT_FALSE(lines.contains(QStringLiteral("  ")));
    EXPECT_EQ(main.StatusHint(), QStringLiteral("Compile complete"));
    main.UpdateIdle(); // the idle update leaves the compiler line alone
    EXPECT_EQ(main.StatusHint(), QStringLiteral("Compile complete"));

    EXPECT_TRUE(QFileInfo(dir.filePath(QStringLiteral("sample_output/CHM/QuorixHelp.chm"))).isFile());
    EXPECT_FALSE(main.Qrx.ViewCompiledFile);
    EXPECT_TRUE(main.Qrx.ProjectChanged) << "the box was unchecked";
    EXPECT_EQ(compiler.CompiledProjects.size(), 1);
}

// The dialog's page follows the command, and its values reach the project
// only when the build starts.
TEST_F(BuildWindowTest, CommandsOpenTheirPage)
{
    TfrmMain& main = startWindow(makeProject(QStringLiteral("pages")));
    QList<int> opened;
    main.ExecDialog = [&](QDialog& dialog) {
        auto& build = static_cast<TfrmBuild&>(dialog);
        opened.append(build.ActivePage());
        build.edtCompiledFile->setText(QStringLiteral("changed.chm"));
        return int(QDialog::Rejected);
    };
    for (TCommandId id : {TCommandId::BuildProject, TCommandId::BuildChm, TCommandId::BuildWebHelp,
                          TCommandId::BuildWord, TCommandId::BuildPdf, TCommandId::BuildSingleHtml}) {
        ASSERT_TRUE(main.Action(id)->isEnabled());
        main.Action(id)->trigger();
    }
    EXPECT_EQ(opened, (QList<int>{0, 0, 1, 2, 3, 4}));
    EXPECT_NE(main.Qrx.CompiledFile, QStringLiteral("changed.chm"));
    EXPECT_FALSE(main.Qrx.ProjectChanged);
    EXPECT_FALSE(main.BuildOutputWindow()->isVisible());
}

// A changed topic page is asked about first; Cancel ends the command before
// the dialog opens.
TEST_F(BuildWindowTest, ChangedPageIsAskedAboutFirst)
{
    TfrmMain& main = startWindow(makeProject(QStringLiteral("dirty")));
    main.Qrx.Tree().select(main.Qrx.tnTableOfContents->firstChild());
    int dialogsOpened = 0;
    main.ExecDialog = [&](QDialog&) {
        ++dialogsOpened;
        return int(QDialog::Rejected);
    };
    main.Page().IsDirty = true;
    answer = IUserPrompts::Cancel;
    main.Action(TCommandId::BuildChm)->trigger();
    ASSERT_EQ(questions.size(), 1);
    EXPECT_EQ(questions[0], QStringLiteral("The topic \"简介 Introduction\" has been changed, save it?"));
    EXPECT_EQ(dialogsOpened, 0);

    answer = IUserPrompts::No;
    main.Action(TCommandId::BuildChm)->trigger();
    EXPECT_EQ(questions.size(), 2);
    EXPECT_EQ(dialogsOpened, 1);

    main.Page().IsDirty = false;
    main.Action(TCommandId::BuildChm)->trigger();
    EXPECT_EQ(questions.size(), 2);
    EXPECT_EQ(dialogsOpened, 2);
}

// The program started with a project and a build switch builds, closes by
// itself and says by its exit status whether every output was written.
TEST_F(BuildWindowTest, CommandLineBuildOfTheProgram)
{
    const QString project = copySample();
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    // The program's own settings stay in the test's folder.
    environment.insert(QStringLiteral("XDG_CONFIG_HOME"), dir.filePath(QStringLiteral("config")));
    const QString chm = dir.filePath(QStringLiteral("sample_output/CHM/QuorixHelp.chm"));

    QProcess build;
    build.setProcessEnvironment(environment);
    build.start(QStringLiteral(QUORIX_PROGRAM), {project, QStringLiteral("/h")});
    ASSERT_TRUE(build.waitForFinished(300000)) << "the window closes by itself";
    EXPECT_EQ(build.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(build.exitCode(), 0) << build.readAllStandardError().toStdString();
    QFile file(chm);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.read(4), QByteArray("ITSF"));
    file.remove();

    // Without the compiler the help file is not written: said, and status 1.
    QProcessEnvironment noCompiler = environment;
    noCompiler.insert(QStringLiteral("PATH"), dir.path());
    QProcess failing;
    failing.setProcessEnvironment(noCompiler);
    failing.start(QStringLiteral(QUORIX_PROGRAM), {project, QStringLiteral("/h")});
    ASSERT_TRUE(failing.waitForFinished(300000));
    EXPECT_EQ(failing.exitCode(), 1);
    EXPECT_TRUE(failing.readAllStandardError().contains("fp-utils"));
    EXPECT_FALSE(QFile::exists(chm));

    // Too long a switch builds nothing; the window stays open and says why.
    QProcess nothing;
    nothing.setProcessEnvironment(environment);
    nothing.setProcessChannelMode(QProcess::MergedChannels);
    nothing.start(QStringLiteral(QUORIX_PROGRAM), {project, QStringLiteral("/hwdps")});
    QByteArray errors;
    while (!errors.contains("Nothing was built") && nothing.waitForReadyRead(60000))
        errors += nothing.readAll();
    EXPECT_TRUE(errors.contains("\"/hwdps\" is not a build switch")) << errors.toStdString();
    EXPECT_FALSE(nothing.waitForFinished(3000)) << "the window stays open";
    nothing.kill();
    nothing.waitForFinished();
    EXPECT_FALSE(QFile::exists(chm));
}

} // namespace
