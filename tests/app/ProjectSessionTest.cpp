#include "RecordingPrompts.h"
#include "TProjectSession.h"
#include "TQrx.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

// The project session without a window: what it opens, saves and asks, and
// what the window hears of it.
class ProjectSessionTest : public ::testing::Test {
protected:
    ProjectSessionTest()
    {
        session.OnProjectState = [this](bool hasProject) { events << (hasProject ? "project" : "no project"); };
        session.OnPageReset = [this] { events << "page reset"; };
        session.OnRecentProject = [this](const QString& file) { recent << file; };
    }

    QString makeProject(const QString& name)
    {
        TQrx source;
        source.Title = name;
        source.RootDir = dir.path() + QLatin1Char('/');
        TLeftTreeData page;
        page.Url = QStringLiteral("intro.htm");
        source.Tree().appendNode(source.tnTableOfContents, QStringLiteral("Intro"), page);
        const QString file = dir.filePath(name + QStringLiteral(".qrx"));
        source.SaveToIni(file);
        return file;
    }

    QTemporaryDir dir;
    TQrx project;
    TRecordingPrompts prompts;
    TProjectSession session{project, prompts};
    QStringList events;
    QStringList recent;
};

TEST_F(ProjectSessionTest, OpensAProjectAndTellsTheViews)
{
    const QString file = makeProject(QStringLiteral("first"));
    ASSERT_TRUE(session.OpenProjectFile(file));
    EXPECT_TRUE(session.HasProject());
    EXPECT_EQ(project.Title, QStringLiteral("first"));
    EXPECT_EQ(events, (QStringList{"project", "page reset"}));
    EXPECT_TRUE(prompts.Boxes.isEmpty());

    // Opening the next one puts the first on the recent list.
    ASSERT_TRUE(session.OpenProjectFile(makeProject(QStringLiteral("second"))));
    EXPECT_EQ(recent, QStringList{file});
}

TEST_F(ProjectSessionTest, WhatReadingMendedIsSaidOnceOpen)
{
    // A file that says it holds no topics but holds one.
    const QString file = dir.filePath(QStringLiteral("counted.qrx"));
    QFile qrx(file);
    ASSERT_TRUE(qrx.open(QIODevice::WriteOnly));
    qrx.write("[GENERAL]\r\nVer=2\r\nTitle=Counted\r\n[TOPICS]\r\nTitleList=0\r\nTitleList.Title.0=Only\r\n");
    qrx.close();

    ASSERT_TRUE(session.OpenProjectFile(file));
    ASSERT_EQ(prompts.Boxes.size(), 1);
    EXPECT_EQ(prompts.Boxes[0].BoxKind, IUserPrompts::Kind::Warning);
    EXPECT_EQ(prompts.Boxes[0].Text, project.LoadWarnings.join('\n'));
    EXPECT_EQ(project.tnTableOfContents->childCount(), 1) << "the topic is kept";
}

TEST_F(ProjectSessionTest, MissingOrUnreadableFilesAreSaid)
{
    EXPECT_FALSE(session.OpenProjectFile(dir.filePath(QStringLiteral("missing.qrx"))));
    ASSERT_EQ(prompts.Errors().size(), 1);
    EXPECT_TRUE(prompts.Errors()[0].endsWith(QStringLiteral("missing.qrx doesn't exist!")));
    EXPECT_FALSE(session.HasProject());

    prompts.OnChooseFiles = [this](const QString&, const QString&, const QString&, bool) {
        return QStringList{dir.filePath(QStringLiteral("notes.txt"))};
    };
    EXPECT_FALSE(session.OpenWithDialog());
    EXPECT_TRUE(prompts.Errors().last().contains(QStringLiteral("cannot open")));
}

TEST_F(ProjectSessionTest, ChangesAreOfferedBeforeTheyAreLost)
{
    ASSERT_TRUE(session.OpenProjectFile(makeProject(QStringLiteral("work"))));
    project.Title = QStringLiteral("changed");
    project.ProjectChanged = true;

    prompts.Answer = IUserPrompts::Cancel;
    EXPECT_FALSE(session.Close());
    EXPECT_TRUE(session.HasProject()) << "Cancel keeps the project open";
    EXPECT_EQ(prompts.Questions(),
              QStringList{QStringLiteral("The project has changed.\nDo you want to save the changes?")});

    prompts.Answer = IUserPrompts::Yes;
    EXPECT_TRUE(session.Close());
    EXPECT_FALSE(session.HasProject());
    TQrx reread;
    reread.ReadFromIni(dir.filePath(QStringLiteral("work.qrx")));
    EXPECT_EQ(reread.Title, QStringLiteral("changed")) << "Yes saved before closing";

    // A page edited just before closing counts, even before the idle update
    // has marked the project changed.
    ASSERT_TRUE(session.OpenProjectFile(dir.filePath(QStringLiteral("work.qrx"))));
    session.FlushPage = [this] { project.ProjectChanged = true; };
    prompts.Answer = IUserPrompts::Cancel;
    EXPECT_FALSE(session.Close());
    EXPECT_TRUE(session.HasProject());
    session.FlushPage = nullptr;
    project.ProjectChanged = false;
    ASSERT_TRUE(session.Close());

    // A page the window cannot give up stops the question and the leaving.
    ASSERT_TRUE(session.OpenProjectFile(dir.filePath(QStringLiteral("work.qrx"))));
    session.PageSaved = [] { return false; };
    project.ProjectChanged = true;
    const qsizetype asked = prompts.Questions().size();
    EXPECT_FALSE(session.LeavingQuestions());
    EXPECT_EQ(prompts.Questions().size(), asked);
}

TEST_F(ProjectSessionTest, SaveAsNamesTheHelpFileOfANewProject)
{
    project.Title = QStringLiteral("User Guide");
    project.RootDir = dir.path() + QLatin1Char('/');
    project.CompiledFile = QStringLiteral("unnamed.chm");
    QString proposed;
    prompts.OnChooseSaveFile = [&](const TRecordingPrompts::TSaveFileRequest& request) {
        proposed = request.Name;
        return dir.filePath(QStringLiteral("guide.qrx"));
    };
    ASSERT_TRUE(session.Save()) << "a new project is saved under a name chosen";
    EXPECT_EQ(proposed, QStringLiteral("User_Guide.qrx"));
    EXPECT_EQ(project.CompiledFile, QStringLiteral("User_Guide.chm"));
    EXPECT_FALSE(project.IsNew);
    EXPECT_TRUE(QFile::exists(dir.filePath(QStringLiteral("guide.qrx"))));

    // Cancelled: nothing changes.
    prompts.OnChooseSaveFile = nullptr;
    EXPECT_FALSE(session.SaveAs());
    EXPECT_EQ(project.ProjectFilename, dir.filePath(QStringLiteral("guide.qrx")));
}
