#include "PageFolderFixture.h"
#include "RecordingPrompts.h"
#include "TCommandTable.h"
#include "TProjectSession.h"
#include "TQrx.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

// The project commands of the session without a window: new projects
// through the dialog the window shows, every answer to the questions
// before work is lost, saving that fails, and importing a table of contents.
namespace {

const QString ProjectQuestion = QStringLiteral("The project has changed.\nDo you want to save the changes?");

QByteArray bytesOf(const QString& file)
{
    QFile in(file);
    return in.open(QIODevice::ReadOnly) ? in.readAll() : QByteArray();
}

class ProjectCommandsTest : public ::testing::Test {
protected:
    ProjectCommandsTest()
    {
        session.OnProjectState = [this](bool hasProject) { events << (hasProject ? "project" : "no project"); };
        session.OnRecentProject = [this](const QString& file) { recent << file; };
        // The dialog as the author fills it: `dialogAnswer` when set, else cancelled.
        session.AskNewProject = [this](int kind, const QString& file) -> std::optional<TNewProject> {
            dialogs << QStringLiteral("%1 %2").arg(kind).arg(file);
            return dialogAnswer;
        };
        session.OnSearching = [this](bool searching) { events << (searching ? "searching" : "searched"); };
        session.OnPageFound = [this](const QString&) { ++pagesFound; };
    }

    // A project file with one topic, `title` its title.
    QString makeProject(const QString& name, const QString& title, const QString& topic = QStringLiteral("Intro"))
    {
        TQrx source;
        source.Title = title;
        source.RootDir = dir.path() + QLatin1Char('/');
        TLeftTreeData page;
        page.Url = topic.toLower() + QStringLiteral(".htm");
        page.ContextNumber = QStringLiteral("1000");
        TopicNode* node = source.Tree().appendNode(source.tnTableOfContents, topic, page);
        source.Tree().appendNode(node, topic + QStringLiteral(" detail"), TLeftTreeData{});
        const QString file = dir.filePath(name + QStringLiteral(".qrx"));
        source.SaveToIni(file);
        return file;
    }

    // An open project with a change not yet saved.
    QString openChanged(const QString& name)
    {
        const QString file = makeProject(name, QStringLiteral("Saved title"));
        project.ProjectChanged = false; // what an earlier case left is no concern here
        EXPECT_TRUE(session.OpenProjectFile(file));
        project.Title = QStringLiteral("Changed title");
        project.ProjectChanged = true;
        events.clear();
        return file;
    }

    TNewProject blankRequest(const QString& folder)
    {
        TNewProject request;
        request.Title = QStringLiteral("New Help");
        request.Folder = dir.filePath(folder);
        return request;
    }

    QTemporaryDir dir;
    TQrx project;
    TRecordingPrompts prompts;
    TProjectSession session{project, prompts};
    std::optional<TNewProject> dialogAnswer;
    QStringList dialogs;
    QStringList events;
    QStringList recent;
    int pagesFound = 0;
};

} // namespace

// "新建" over a changed project: Yes saves it first, No gives the changes
// up, Cancel keeps everything, the dialog unseen.
TEST_F(ProjectCommandsTest, NewProjectAsksBeforeTheChangesGo)
{
    struct Case {
        IUserPrompts::Button answer;
        bool created;
        const char* titleOnDisk;
    };
    const Case cases[] = {
        {IUserPrompts::Yes, true, "Changed title"},
        {IUserPrompts::No, true, "Saved title"},
        {IUserPrompts::Cancel, false, "Saved title"},
    };
    int n = 0;
    for (const Case& test : cases) {
        SCOPED_TRACE(test.answer);
        const QString file = openChanged(QStringLiteral("changed%1").arg(n));
        dialogAnswer = blankRequest(QStringLiteral("new%1").arg(n++));
        dialogs.clear();
        prompts.Boxes.clear();
        prompts.Answer = test.answer;

        session.Dispatch(CmdNewBlankProject);
        EXPECT_EQ(prompts.Questions(), QStringList{ProjectQuestion});
        EXPECT_EQ(dialogs.size(), test.created ? 1 : 0);
        TQrx onDisk;
        onDisk.ReadFromIni(file);
        EXPECT_EQ(onDisk.Title, QString::fromUtf8(test.titleOnDisk));
        EXPECT_EQ(project.Title, test.created ? QStringLiteral("New Help") : QStringLiteral("Changed title"));
        EXPECT_EQ(project.IsNew, test.created);
        EXPECT_TRUE(session.HasProject());
        if (test.created) {
            EXPECT_EQ(recent.last(), file) << "the project left is a recent one";
            EXPECT_EQ(project.tnTableOfContents->childCount(), 2);
        }
    }
}

// A cancelled dialog leaves what was there: no project stays no project.
TEST_F(ProjectCommandsTest, CancelledDialogChangesNothing)
{
    EXPECT_FALSE(session.NewProject(NewFromHtmlFiles));
    EXPECT_EQ(dialogs, QStringList{QStringLiteral("1 ")});
    EXPECT_FALSE(session.HasProject());
    EXPECT_TRUE(events.isEmpty()) << "the project controls were never on";

    // A folder that cannot be made is said; the open project stays.
    const QString file = openChanged(QStringLiteral("kept"));
    PageFolderFixture::writeFile(dir.filePath(QStringLiteral("blocker")), "a file");
    dialogAnswer = blankRequest(QStringLiteral("blocker/sub"));
    prompts.Answer = IUserPrompts::No;
    EXPECT_FALSE(session.NewProject(NewBlankProject));
    ASSERT_EQ(prompts.Errors().size(), 1);
    EXPECT_TRUE(prompts.Errors()[0].contains(QStringLiteral("blocker/sub")));
    EXPECT_EQ(project.ProjectFilename, file);
    EXPECT_EQ(project.Title, QStringLiteral("Changed title"));
}

// Kinds 2 and 3 need the import of a later version: said plainly, nothing
// opened or closed. The open dialog hands a .chm to the dialog on kind 2
// and an .hhp straight to the conversion, asking its questions only once.
TEST_F(ProjectCommandsTest, ImportsThisVersionCannotDoYet)
{
    TNewProject chm = blankRequest(QStringLiteral("unused"));
    chm.Kind = NewFromChmFile;
    chm.ChmFile = QStringLiteral("/help/manual.chm");
    dialogAnswer = chm;
    EXPECT_FALSE(session.NewProject(NewFromChmFile));
    ASSERT_EQ(prompts.Boxes.size(), 1);
    EXPECT_EQ(prompts.Boxes[0].BoxKind, IUserPrompts::Kind::Information);
    EXPECT_TRUE(prompts.Boxes[0].Text.contains(QStringLiteral("cannot make projects from compiled help files")));
    EXPECT_TRUE(prompts.Boxes[0].Text.contains(QStringLiteral("/help/manual.chm")));
    EXPECT_FALSE(session.HasProject());
    EXPECT_FALSE(QFileInfo::exists(dir.filePath(QStringLiteral("unused"))));

    openChanged(QStringLiteral("open"));
    prompts.Boxes.clear();
    dialogs.clear();
    prompts.Answer = IUserPrompts::No;
    QString chosen = dir.filePath(QStringLiteral("book.CHM"));
    prompts.OnChooseFiles = [&](const QString&, const QString&, const QString&, bool) { return QStringList{chosen}; };
    EXPECT_FALSE(session.OpenWithDialog());
    EXPECT_EQ(dialogs, QStringList{QStringLiteral("2 ") + chosen});
    EXPECT_EQ(prompts.Questions().size(), 1) << "asked once, before the open dialog";

    chosen = dir.filePath(QStringLiteral("workshop.hhp"));
    dialogs.clear();
    prompts.Boxes.clear();
    project.ProjectChanged = true;
    EXPECT_FALSE(session.OpenWithDialog());
    EXPECT_TRUE(dialogs.isEmpty()) << "an HTML Help project is converted without the dialog";
    EXPECT_TRUE(prompts.Texts(QStringLiteral("Message")).value(0).contains(QStringLiteral("workshop.hhp")));
    EXPECT_TRUE(session.HasProject());
    EXPECT_EQ(project.Title, QStringLiteral("Changed title")) << "the open project stays";
}

// A project from a folder of pages: the folder is searched first, then the
// project replaced.
TEST_F(ProjectCommandsTest, NewProjectFromHtmlFiles)
{
    const QString site = dir.filePath(QStringLiteral("site"));
    PageFolderFixture::write(site);
    TNewProject request;
    request.Kind = NewFromHtmlFiles;
    request.Title = QStringLiteral("Site");
    request.Folder = site;
    request.TitleMode = TPageTitleMode::FirstHeading;
    dialogAnswer = request;
    session.OnPageReset = [this] { events << "page reset"; };

    ASSERT_TRUE(session.NewProject(NewFromHtmlFiles));
    EXPECT_EQ(events, (QStringList{"searching", "searched", "page reset", "project"}));
    EXPECT_EQ(pagesFound, PageFolderFixture::PageCount);
    EXPECT_EQ(project.Title, QStringLiteral("Site"));
    EXPECT_EQ(project.tnTableOfContents->child(0)->text(), QStringLiteral("No title"));
    EXPECT_TRUE(project.IsNew);
    EXPECT_TRUE(project.ProjectChanged);
    EXPECT_TRUE(recent.isEmpty()) << "no project was open";

    // Saving it the first time asks for a name, proposed in its folder.
    QString folder;
    prompts.OnChooseSaveFile = [&](const TRecordingPrompts::TSaveFileRequest& save) {
        folder = save.Folder;
        return QDir(save.Folder).filePath(save.Name);
    };
    ASSERT_TRUE(session.Save());
    EXPECT_EQ(folder, site + QLatin1Char('/'));
    TQrx saved;
    saved.ReadFromIni(site + QStringLiteral("/Site.qrx"));
    EXPECT_EQ(saved.RootDir, site + QLatin1Char('/'));
    EXPECT_EQ(saved.Tree().topicCount(), project.Tree().topicCount());
}

// Opening over a changed project honours every answer.
TEST_F(ProjectCommandsTest, OpenAsksBeforeTheChangesGo)
{
    struct Case {
        IUserPrompts::Button answer;
        bool opened;
        const char* titleOnDisk;
    };
    const Case cases[] = {
        {IUserPrompts::Yes, true, "Changed title"},
        {IUserPrompts::No, true, "Saved title"},
        {IUserPrompts::Cancel, false, "Saved title"},
    };
    const QString other = makeProject(QStringLiteral("other"), QStringLiteral("Other"));
    int n = 0;
    for (const Case& test : cases) {
        SCOPED_TRACE(test.answer);
        const QString file = openChanged(QStringLiteral("first%1").arg(n++));
        prompts.Answer = test.answer;
        EXPECT_EQ(session.OpenProjectFile(other), test.opened);
        TQrx onDisk;
        onDisk.ReadFromIni(file);
        EXPECT_EQ(onDisk.Title, QString::fromUtf8(test.titleOnDisk));
        EXPECT_EQ(project.Title, test.opened ? QStringLiteral("Other") : QStringLiteral("Changed title"));
    }

    // Through the open dialog too; a cancelled dialog opens nothing.
    openChanged(QStringLiteral("viaDialog"));
    prompts.Answer = IUserPrompts::No;
    EXPECT_FALSE(session.OpenWithDialog());
    EXPECT_EQ(project.Title, QStringLiteral("Changed title"));
    prompts.OnChooseFiles = [&](const QString&, const QString&, const QString&, bool) { return QStringList{other}; };
    EXPECT_TRUE(session.OpenWithDialog());
    EXPECT_EQ(project.Title, QStringLiteral("Other"));
}

// A project file that cannot be read leaves no project open.
TEST_F(ProjectCommandsTest, UnreadableProjectOpensNothing)
{
    const QString folder = dir.filePath(QStringLiteral("folder.qrx"));
    QDir().mkpath(folder);
    prompts.OnChooseFiles = [&](const QString&, const QString&, const QString&, bool) { return QStringList{folder}; };
    EXPECT_FALSE(session.OpenWithDialog());
    EXPECT_EQ(prompts.Errors().size(), 1);
    EXPECT_FALSE(session.HasProject());
    EXPECT_EQ(events.last(), QStringLiteral("no project"));
}

// Closing honours every answer; a changed page is saved by Save first.
TEST_F(ProjectCommandsTest, CloseAsksBeforeTheChangesGo)
{
    struct Case {
        IUserPrompts::Button answer;
        bool closed;
        const char* titleOnDisk;
    };
    const Case cases[] = {
        {IUserPrompts::Yes, true, "Changed title"},
        {IUserPrompts::No, true, "Saved title"},
        {IUserPrompts::Cancel, false, "Saved title"},
    };
    int pageSaves = 0;
    session.SavePage = [&] {
        ++pageSaves;
        return true;
    };
    int n = 0;
    for (const Case& test : cases) {
        SCOPED_TRACE(test.answer);
        const QString file = openChanged(QStringLiteral("close%1").arg(n++));
        pageSaves = 0;
        prompts.Answer = test.answer;
        EXPECT_EQ(session.Close(), test.closed);
        EXPECT_EQ(session.HasProject(), !test.closed);
        EXPECT_EQ(pageSaves, test.answer == IUserPrompts::Yes ? 1 : 0);
        TQrx onDisk;
        onDisk.ReadFromIni(file);
        EXPECT_EQ(onDisk.Title, QString::fromUtf8(test.titleOnDisk));
    }
    // Nothing changed: nothing asked.
    project.ProjectChanged = false;
    session.OpenProjectFile(makeProject(QStringLiteral("quiet"), QStringLiteral("Quiet")));
    prompts.Boxes.clear();
    EXPECT_TRUE(session.Close());
    EXPECT_TRUE(prompts.Boxes.isEmpty());
}

// A save that fails says why and leaves the file as it was saved before;
// the project stays open and changed, so nothing is lost.
TEST_F(ProjectCommandsTest, FailingSaveKeepsTheOldFile)
{
    const QString file = openChanged(QStringLiteral("locked"));
    const QByteArray before = bytesOf(file);
    ASSERT_TRUE(QFile::setPermissions(file, QFileDevice::ReadOwner | QFileDevice::ReadGroup));

    EXPECT_FALSE(session.Save());
    ASSERT_EQ(prompts.Errors().size(), 1);
    EXPECT_TRUE(prompts.Errors()[0].contains(file));
    EXPECT_EQ(bytesOf(file), before);
    EXPECT_TRUE(project.ProjectChanged);

    prompts.Answer = IUserPrompts::Yes;
    EXPECT_FALSE(session.Close()) << "Yes, but the save failed";
    EXPECT_TRUE(session.HasProject());
    EXPECT_EQ(project.Title, QStringLiteral("Changed title"));

    // A page that cannot be saved stops the save before the file is touched.
    QFile::setPermissions(file, QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    session.SavePage = [] { return false; };
    EXPECT_FALSE(session.Save());
    EXPECT_EQ(bytesOf(file), before);
}

// Save as proposes a copy beside the project, adds the extension, and asks
// itself before an existing file is replaced.
TEST_F(ProjectCommandsTest, SaveAsAsksBeforeReplacing)
{
    const QString file = openChanged(QStringLiteral("demo"));
    const QString existing = makeProject(QStringLiteral("taken"), QStringLiteral("Taken"));
    const QByteArray takenBefore = bytesOf(existing);
    TRecordingPrompts::TSaveFileRequest asked;
    QString answer = dir.filePath(QStringLiteral("taken"));
    prompts.OnChooseSaveFile = [&](const TRecordingPrompts::TSaveFileRequest& request) {
        asked = request;
        return answer;
    };

    prompts.Answer = IUserPrompts::No;
    EXPECT_FALSE(session.SaveAs());
    EXPECT_EQ(asked.Name, QStringLiteral("copy of demo.qrx"));
    EXPECT_EQ(QDir(asked.Folder), QDir(dir.path()));
    EXPECT_FALSE(asked.ConfirmOverwrite) << "Quorix asks itself";
    ASSERT_EQ(prompts.Questions().size(), 1);
    EXPECT_TRUE(prompts.Questions()[0].contains(existing)) << "the extension was added first";
    EXPECT_EQ(bytesOf(existing), takenBefore);
    EXPECT_EQ(project.ProjectFilename, file);

    prompts.Answer = IUserPrompts::Yes;
    ASSERT_TRUE(session.SaveAs());
    EXPECT_EQ(project.ProjectFilename, existing);
    EXPECT_FALSE(project.ProjectChanged);
    TQrx reread;
    reread.ReadFromIni(existing);
    EXPECT_EQ(reread.Title, QStringLiteral("Changed title"));

    // A new name is not asked about.
    prompts.Boxes.clear();
    answer = dir.filePath(QStringLiteral("fresh.qrx"));
    ASSERT_TRUE(session.SaveAs());
    EXPECT_TRUE(prompts.Questions().isEmpty());

    // A changed page is offered first; Cancel stops the save as.
    session.PageSaved = [] { return false; };
    answer = dir.filePath(QStringLiteral("never.qrx"));
    EXPECT_FALSE(session.SaveAs());
    EXPECT_FALSE(QFile::exists(answer));
}

// The table of contents of another project is appended, its top topics
// selected, the project changed; a missing file changes nothing.
TEST_F(ProjectCommandsTest, ImportsAnotherProjectsContents)
{
    session.OpenProjectFile(makeProject(QStringLiteral("host"), QStringLiteral("Host"), QStringLiteral("Home")));
    const QString other = makeProject(QStringLiteral("guest"), QStringLiteral("Guest"), QStringLiteral("Guest"));
    QString caption;
    prompts.OnChooseFiles = [&](const QString& title, const QString&, const QString&, bool) {
        caption = title;
        return QStringList{other};
    };
    int loads = 0;
    project.FOnLoad = [&](TQrx*) { ++loads; };

    session.ImportToc();
    EXPECT_EQ(caption, QStringLiteral("选择 Quorix 项目文件"));
    const TopicNode* toc = project.tnTableOfContents;
    ASSERT_EQ(toc->childCount(), 2);
    EXPECT_EQ(toc->child(0)->text(), QStringLiteral("Home"));
    const TopicNode* imported = toc->child(1);
    EXPECT_EQ(imported->text(), QStringLiteral("Guest"));
    EXPECT_EQ(imported->entry().Url, QStringLiteral("guest.htm"));
    EXPECT_EQ(imported->childCount(), 1);
    EXPECT_EQ(project.Tree().selection(), QList<TopicNode*>{const_cast<TopicNode*>(imported)});
    EXPECT_TRUE(project.ProjectChanged);
    EXPECT_EQ(project.Title, QStringLiteral("Host")) << "only the contents come over";
    EXPECT_EQ(loads, 1);
    EXPECT_TRUE(prompts.Questions().isEmpty()) << "nothing is lost, nothing asked";

    QFile::remove(other);
    session.ImportToc();
    EXPECT_EQ(prompts.Errors().size(), 1);
    EXPECT_EQ(toc->childCount(), 2);

    prompts.OnChooseFiles = nullptr;
    session.ImportToc();
    EXPECT_EQ(toc->childCount(), 2) << "cancelled";
}
