// The build dialog's values, pages and start validation, without a window.
#include "BuildSwitches.h"
#include "TBuildDialogModel.h"
#include "TQrx.h"

#include <QDir>
#include <QTemporaryDir>
#include <functional>
#include <gtest/gtest.h>

namespace {

using F = TBuildDialogField;

class BuildDialogModelTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        QDir(dir.path()).mkpath(QStringLiteral("project"));
        QDir(dir.path()).mkpath(QStringLiteral("project/out"));
        QDir(dir.path()).mkpath(QStringLiteral("hhp"));
        QDir(dir.path()).mkpath(QStringLiteral("web"));
        root = dir.filePath(QStringLiteral("project")) + QLatin1Char('/');
    }

    QTemporaryDir dir;
    QString root;
};

TEST_F(BuildDialogModelTest, StartValidationInOrder)
{
    const QString d = dir.path();
    struct Case {
        const char* name;
        int page;
        std::function<void(TBuildDialogValues&)> set;
        QList<bool> answers; // given to the questions in turn
        bool start;
        QString message;
        F focus;
        QStringList questions;
    };
    const QString emptied = QStringLiteral("Before output, the folder \"%1\" will be emptied! Continue?");
    const QString hardDrive = QStringLiteral("The folder \"%1\" may be a HARD DRIVER root folder. Really continue?");
    const QString sameAsRoot = QStringLiteral(
        "Html Help Workshop project folder cannot be the same as the Project Rootfolder. Please specify another one!");
    const QString holdsProject = QStringLiteral(
        "The output folder cannot be the project folder or a folder that holds it: it is emptied before output. "
        "Please specify another one!");
    const Case cases[] = {
        {"hhp folder blank", bpChm, [](auto& v) { v.DeleteProject = true; v.HHPFolder = "  "; }, {}, false,
         "Please specify folder name!", F::HHPFolder, {}},
        {"hhp folder is the project folder, other case", bpChm,
         [&](auto& v) { v.DeleteProject = true; v.HHPFolder = " " + root.toUpper().chopped(1) + " "; }, {}, false,
         sameAsRoot, F::HHPFolder, {}},
        {"hhp folder holds the project", bpChm, [&](auto& v) { v.DeleteProject = true; v.HHPFolder = d; }, {}, false,
         sameAsRoot, F::HHPFolder, {}},
        {"hhp folder checked before the compiled file", bpChm,
         [](auto& v) { v.DeleteProject = true; v.CompiledFile = ""; }, {}, false, "Please specify folder name!",
         F::HHPFolder, {}},
        {"compiled file blank", bpChm, [](auto& v) { v.CompiledFile = " "; }, {}, false,
         "Please specify Compiled file!", F::CompiledFile, {}},
        {"hhp folder unchecked is not asked about", bpChm, [](auto& v) { v.HHPFolder = "/"; }, {}, true, "",
         F::None, {}},
        {"existing hhp folder, yes", bpChm, [&](auto& v) { v.DeleteProject = true; v.HHPFolder = d + "/hhp"; },
         {true}, true, "", F::None, {emptied.arg(d + "/hhp")}},
        {"existing hhp folder, no", bpChm, [&](auto& v) { v.DeleteProject = true; v.HHPFolder = d + "/hhp"; },
         {false}, false, "", F::None, {emptied.arg(d + "/hhp")}},
        {"new hhp folder: no question", bpChm, [&](auto& v) { v.DeleteProject = true; v.HHPFolder = d + "/new"; },
         {}, true, "", F::None, {}},
        {"web folder blank", bpWebHelp, [](auto& v) { v.WebHelpOutputFolder = ""; }, {}, false,
         "Please specify Output folder!", F::WebHelpOutputFolder, {}},
        {"web folder is the project folder", bpWebHelp, [&](auto& v) { v.WebHelpOutputFolder = "<Project_Folder>"; },
         {}, false, holdsProject, F::WebHelpOutputFolder, {}},
        {"web folder holds the project", bpWebHelp, [&](auto& v) { v.WebHelpOutputFolder = d; }, {}, false,
         holdsProject, F::WebHelpOutputFolder, {}},
        {"web folder on a Windows drive", bpWebHelp, [](auto& v) { v.WebHelpOutputFolder = "c:\\WebHelp"; }, {},
         false, "The output path \"c:\\WebHelp\" names a Windows drive; choose a path on this computer.",
         F::WebHelpOutputFolder, {}},
        {"existing web folder", bpWebHelp, [&](auto& v) { v.WebHelpOutputFolder = d + "/web"; }, {true}, true, "",
         F::None, {emptied.arg(d + "/web")}},
        {"short folder name, both questions", bpWebHelp, [](auto& v) { v.WebHelpOutputFolder = " out "; },
         {true, true}, true, "", F::None, {emptied.arg(root + "out"), hardDrive.arg(root + "out")}},
        {"short folder name, no to the second", bpWebHelp, [](auto& v) { v.WebHelpOutputFolder = "out"; },
         {true, false}, false, "", F::None, {emptied.arg(root + "out"), hardDrive.arg(root + "out")}},
        {"short new folder: only the root question", bpWebHelp, [](auto& v) { v.WebHelpOutputFolder = "new"; },
         {true}, true, "", F::None, {hardDrive.arg(root + "new")}},
        {"single folder blank", bpSingleHtml, [](auto& v) { v.SingleHtmlOutputFolder = ""; }, {}, false,
         "Please specify Output folder!", F::SingleHtmlOutputFolder, {}},
        {"single file name blank", bpSingleHtml, [](auto& v) { v.SingleHtmlFilename = " "; }, {}, false,
         "Please specify File name!", F::SingleHtmlFilename, {}},
        {"single folder holds the project", bpSingleHtml, [&](auto& v) { v.SingleHtmlOutputFolder = root; }, {},
         false, holdsProject, F::SingleHtmlOutputFolder, {}},
        {"other pages' fields are not checked", bpWord,
         [](auto& v) { v.CompiledFile = ""; v.WebHelpOutputFolder = ""; v.SingleHtmlFilename = ""; }, {}, true, "",
         F::None, {}},
        {"pdf page", bpPdf, [](auto& v) { v.SingleHtmlOutputFolder = ""; }, {}, true, "", F::None, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TBuildDialogValues values;
        values.CompiledFile = "help.chm";
        values.WebHelpOutputFolder = "<Project_Folder>_output/WebHelp";
        values.SingleHtmlOutputFolder = "<Project_Folder>_output/SingleHTML";
        values.SingleHtmlFilename = "all.htm";
        c.set(values);
        QStringList questions;
        QList<bool> answers = c.answers;
        const TBuildValidation result = TBuildDialogModel::Validate(c.page, values, root, [&](const QString& q) {
            questions.append(q);
            return answers.isEmpty() ? false : answers.takeFirst();
        });
        EXPECT_EQ(result.Start, c.start);
        EXPECT_EQ(result.Message, c.message);
        EXPECT_EQ(result.Focus, c.focus);
        EXPECT_EQ(questions, c.questions);
    }
}

TEST_F(BuildDialogModelTest, StoringMarksTheProjectChangedOnlyOnADifference)
{
    TQrx project;
    project.CompiledFile = "Help.chm";
    project.HHPFolder = "hhp";
    project.ViewCompiledFile = true;
    const TBuildDialogValues same = TBuildDialogModel::FromProject(project);
    EXPECT_EQ(same.CompiledFile, "Help.chm");
    EXPECT_EQ(same.HHPFolder, "hhp");

    TBuildDialogModel::StoreInProject(same, project);
    EXPECT_FALSE(project.ProjectChanged);

    const std::function<void(TBuildDialogValues&)> changes[] = {
        [](auto& v) { v.CompiledFile = "help.chm"; }, // case counts
        [](auto& v) { v.WebHelpOutputFolder += "x"; },
        [](auto& v) { v.SingleHtmlOutputFolder += "x"; },
        [](auto& v) { v.SingleHtmlFilename += "x"; },
        [](auto& v) { v.WordFile += "x"; },
        [](auto& v) { v.PDFfile += "x"; },
        [](auto& v) { v.DeleteProject = !v.DeleteProject; },
        [](auto& v) { v.HHPFolder = "HHP"; },
        [](auto& v) { v.ViewCompiledFile = !v.ViewCompiledFile; },
        [](auto& v) {
            v.Compiler = v.Compiler == EHTMLHelpCompiler::Native ? EHTMLHelpCompiler::Chmcmd : EHTMLHelpCompiler::Native;
        },
    };
    int index = 0;
    for (const auto& change : changes) {
        SCOPED_TRACE(index++);
        TQrx changed;
        changed.CompiledFile = "Help.chm";
        changed.HHPFolder = "hhp";
        TBuildDialogValues values = TBuildDialogModel::FromProject(changed);
        change(values);
        TBuildDialogModel::StoreInProject(values, changed);
        EXPECT_TRUE(changed.ProjectChanged);
        EXPECT_EQ(TBuildDialogModel::FromProject(changed), values);
    }
}

// A compiler name this version does not know is kept by an unchanged OK;
// choosing the default stores no name.
TEST_F(BuildDialogModelTest, TheCompilerChoiceIsStoredOnlyWhenItChanges)
{
    TQrx project;
    project.CHMSetting.Compiler = "hha.dll";
    TBuildDialogValues values = TBuildDialogModel::FromProject(project);
    EXPECT_EQ(values.Compiler, DefaultHTMLHelpCompiler);
    TBuildDialogModel::StoreInProject(values, project);
    EXPECT_EQ(project.CHMSetting.Compiler, "hha.dll");
    EXPECT_FALSE(project.ProjectChanged);

    for (EHTMLHelpCompiler choice : HTMLHelpCompilerChoices()) {
        project.CHMSetting.Compiler = "native";
        values.Compiler = choice;
        TBuildDialogModel::StoreInProject(values, project);
        EXPECT_EQ(project.CHMSetting.Compiler, HTMLHelpCompilerStoredName(choice));
        EXPECT_EQ(TBuildDialogModel::FromProject(project).Compiler, choice);
    }
}

TEST(BuildDialogPages, TagsOpenPagesAndPagesBuildOneOutput)
{
    EXPECT_EQ(TBuildDialogModel::PageOfTag(0), bpChm);
    const int outputs[] = {boCHM, boWebHelp, boWord, boPDF, boSingleHtml};
    for (int tag = 1; tag <= 5; ++tag) {
        const int page = TBuildDialogModel::PageOfTag(tag);
        EXPECT_EQ(page, tag - 1);
        EXPECT_EQ(TBuildDialogModel::OutputOfPage(page), outputs[tag - 1]);
    }
    EXPECT_EQ(TBuildDialogModel::OutputOfPage(-1), 0);
    EXPECT_EQ(TBuildDialogModel::OutputOfPage(5), 0);
}

} // namespace
