// The topic page's workflow without a window: the editing control is the
// in-memory fake, the source and preview views a recording double. Edits are
// made as the author would make them: the fake's page text changes and the
// control says it was edited.
#include "ITopicPageViews.h"
#include "RecordingPrompts.h"
#include "TFakeDHTMLEdit.h"
#include "TPageState.h"
#include "TQrx.h"
#include "TTopicPageSession.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

class TFakeViews : public ITopicPageViews {
public:
    TPageTab ActiveTab() const override { return Tab; }
    bool ViewsEnabled() const override { return Enabled; }
    void SetViewsEnabled(bool enabled) override { Enabled = enabled; }
    QString SourceText() const override { return Source; }
    void SetSourceText(const QString& text) override
    {
        Source = text;
        ++SourceSets;
    }
    void ShowPreview(const QString& html, const QString& baseFolder) override
    {
        Preview = html;
        PreviewFolder = baseFolder;
    }
    void ShowMessage(const QString& text) override { Message = text; }

    TPageTab Tab = TPageTab::Edit;
    bool Enabled = false;
    QString Source;
    int SourceSets = 0;
    QString Preview;
    QString PreviewFolder;
    QString Message;
};

QByteArray pageBytes(const QByteArray& charset, const QByteArray& body, const QByteArray& title = "Intro")
{
    QByteArray head = "<html>\r\n<head>\r\n";
    if (!charset.isEmpty())
        head += "<meta http-equiv=\"Content-Type\" content=\"text/html; charset=" + charset + "\">\r\n";
    return head + "<title>" + title + "</title>\r\n</head>\r\n<body>\r\n" + body + "\r\n</body>\r\n</html>\r\n";
}

class TopicPageSession : public ::testing::Test {
protected:
    void SetUp() override
    {
        root = dir.filePath(QStringLiteral("help")) + QLatin1Char('/');
        programFolder = dir.filePath(QStringLiteral("program"));
        QDir().mkpath(root);
        write(programFolder + QStringLiteral("/new.htm"), pageBytes("($CHARSET$)", "<p>new page</p>", "New Item"));
        write(programFolder + QStringLiteral("/newtemp.htm"),
              pageBytes("($CHARSET$)", "<h1>($title$)</h1>($content$)", "New Template"));
        project.RootDir = root;
        project.Encoding = QStringLiteral("UTF-8");
        session.ProgramFolder = programFolder;
        project.Tree().selectionGuard = [this] { return session.SelectionMayChange(); };
        QObject::connect(&project.Tree(), &TopicTree::selectionChanged, [this] { session.SelectionChanged(); });
        session.OnHistoryReset = [this] { ++historyResets; };
        session.OnWatchFile = [this](const QString& file) { watched = file; };
        prompts.Answer = IUserPrompts::No;
    }

    void write(const QString& file, const QByteArray& bytes)
    {
        QDir().mkpath(QFileInfo(file).path());
        QFile out(file);
        ASSERT_TRUE(out.open(QIODevice::WriteOnly | QIODevice::Truncate));
        out.write(bytes);
    }
    QByteArray read(const QString& file)
    {
        QFile in(file);
        return in.open(QIODevice::ReadOnly) ? in.readAll() : QByteArray();
    }
    TopicNode* addTopic(const QString& title, const QString& url, int status = StatusLinked,
                        TopicNode* parent = nullptr)
    {
        TLeftTreeData entry;
        entry.Url = url;
        entry.Status = status;
        return project.Tree().appendNode(parent != nullptr ? parent : project.tnTableOfContents, title, entry);
    }
    // The author types: the page changes and the control knows it was edited.
    void type(const QString& from, const QString& to)
    {
        ASSERT_TRUE(editor.Html.contains(from)) << editor.Html.toStdString();
        editor.Html.replace(from, to);
        editor.Dirty = true;
    }
    // A tab change as the window makes it.
    bool switchTo(TPageTab tab)
    {
        if (!session.TabMayChange(views.Tab))
            return false;
        views.Tab = tab;
        session.TabChanged(tab);
        return true;
    }

    QTemporaryDir dir;
    QString root;
    QString programFolder;
    TQrx project;
    TPageState state;
    TRecordingPrompts prompts;
    TFakeDHTMLEdit editor;
    TFakeViews views;
    TTopicPageSession session{project, state, prompts, editor, views};
    int historyResets = 0;
    QString watched;
};

// Selecting one topic loads its page into the active view; every other kind
// of topic leaves the views blank, saying why where the author can act.
TEST_F(TopicPageSession, SelectingATopicLoadsItsPageIntoTheActiveView)
{
    write(root + QStringLiteral("intro.htm"), pageBytes("utf-8", "<p>Hello</p>"));
    TopicNode* intro = addTopic(QStringLiteral("Intro"), QStringLiteral("intro.htm#top"));
    struct Case {
        TPageTab tab;
        bool sourceSet;
        bool previewShown;
    };
    for (const Case& c : {Case{TPageTab::Edit, false, false}, Case{TPageTab::Source, true, false},
                          Case{TPageTab::Preview, false, true}, Case{TPageTab::TopicOptions, false, false}}) {
        SCOPED_TRACE(int(c.tab));
        project.Tree().select(nullptr);
        views = TFakeViews();
        views.Tab = c.tab;
        project.Tree().select(intro);
        EXPECT_TRUE(views.Enabled);
        EXPECT_TRUE(editor.Html.contains(QStringLiteral("<p>Hello</p>"))) << "the editor always gets the page";
        EXPECT_EQ(editor.Folder, root);
        EXPECT_EQ(views.Source.contains(QStringLiteral("Hello")), c.sourceSet);
        EXPECT_EQ(views.Preview.contains(QStringLiteral("Hello")), c.previewShown);
        EXPECT_EQ(state.CurrentURL, root + QStringLiteral("intro.htm")) << "the anchor is not part of the file";
        EXPECT_EQ(state.CurrentStatus, StatusLinked);
        EXPECT_NE(state.CurrentModifiedTime, TPageState::NoTimeKnown());
        EXPECT_EQ(watched, state.CurrentURL);
        EXPECT_FALSE(state.IsDirty);
        EXPECT_TRUE(views.Message.isEmpty());
    }

    write(root + QStringLiteral("notes.txt"), "plain");
    write(dir.filePath(QStringLiteral("outside.htm")), pageBytes("utf-8", "<p>out</p>"));
    write(root + QStringLiteral("empty.htm"), "");
    struct Blank {
        const char* label;
        QString url;
        int status;
        const char* message; // part of the strip's text; empty: none
    };
    const Blank blanks[] = {
        {"heading", QString(), StatusNoLink, ""},
        {"outside address", QStringLiteral("https://example.org/"), StatusOutside, "outside address"},
        {"not a page", QStringLiteral("notes.txt"), StatusLinked, ""},
        {"outside the folder", dir.filePath(QStringLiteral("outside.htm")), StatusLinked, "outside the project folder"},
        {"missing file", QStringLiteral("gone.htm"), StatusLinked, "doesn't exist"},
        {"empty file", QStringLiteral("empty.htm"), StatusLinked, "is empty"},
    };
    for (const Blank& b : blanks) {
        SCOPED_TRACE(b.label);
        project.Tree().select(intro);
        ASSERT_TRUE(views.Enabled);
        project.Tree().select(addTopic(QString::fromLatin1(b.label), b.url, b.status));
        EXPECT_FALSE(views.Enabled);
        EXPECT_TRUE(watched.isEmpty());
        if (*b.message == 0)
            EXPECT_TRUE(views.Message.isEmpty()) << views.Message.toStdString();
        else
            EXPECT_TRUE(views.Message.contains(QString::fromLatin1(b.message))) << views.Message.toStdString();
        EXPECT_FALSE(session.CanSave());
    }

    // Two topics at once: no state.
    project.Tree().setSelection({intro, intro->parent()->lastChild()});
    EXPECT_FALSE(views.Enabled);
}

TEST_F(TopicPageSession, ReadOnlyAndLockedPagesSaySoAndStillEdit)
{
    const QString file = root + QStringLiteral("fixed.htm");
    write(file, pageBytes("utf-8", "<p>Fixed</p>"));
    QFile::setPermissions(file, QFile::ReadOwner | QFile::ReadGroup);
    project.Tree().select(addTopic(QStringLiteral("Intro"), QStringLiteral("fixed.htm")));
    EXPECT_TRUE(views.Enabled);
    EXPECT_EQ(views.Message, QStringLiteral("Read-only file!"));
    project.Tree().select(nullptr);
    EXPECT_TRUE(views.Message.isEmpty()) << "a selection change hides the strip";
}

// Dirty means the page's text differs from the text last loaded or saved:
// an edit undone is no edit, and an edit carried between the views stays one.
TEST_F(TopicPageSession, DirtyStateAcrossTheThreeTabs)
{
    write(root + QStringLiteral("intro.htm"), pageBytes("utf-8", "<p>One two</p>"));
    project.Tree().select(addTopic(QStringLiteral("Intro"), QStringLiteral("intro.htm")));
    EXPECT_FALSE(session.RefreshDirty());
    EXPECT_FALSE(session.CanSave());

    type(QStringLiteral("One"), QStringLiteral("Three"));
    EXPECT_TRUE(session.RefreshDirty());
    EXPECT_TRUE(project.ProjectChanged) << "a dirty page keeps the project changed";
    EXPECT_TRUE(session.CanSave());
    type(QStringLiteral("Three"), QStringLiteral("One")); // undone: the control still says edited
    EXPECT_FALSE(session.RefreshDirty());

    // Editor to source: the edit comes along and stays dirty there.
    type(QStringLiteral("two"), QStringLiteral("2"));
    ASSERT_TRUE(switchTo(TPageTab::Source));
    EXPECT_TRUE(views.Source.contains(QStringLiteral("One 2")));
    EXPECT_TRUE(session.RefreshDirty());
    EXPECT_FALSE(state.SourceDirty);
    // Undone in the source: clean again.
    views.Source.replace(QStringLiteral("One 2"), QStringLiteral("One two"));
    EXPECT_FALSE(session.RefreshDirty());
    EXPECT_TRUE(state.SourceDirty) << "the source differs from what it was given";

    // Source to editor: an edit made in the source is shown and stays dirty,
    // though the editor was given the page anew and has no edit of its own.
    views.Source.replace(QStringLiteral("One two"), QStringLiteral("Source edit"));
    ASSERT_TRUE(switchTo(TPageTab::Edit));
    EXPECT_TRUE(editor.Html.contains(QStringLiteral("Source edit")));
    EXPECT_FALSE(editor.Dirty);
    EXPECT_TRUE(session.RefreshDirty());

    // On the preview tab the page text carried there decides.
    ASSERT_TRUE(switchTo(TPageTab::Preview));
    EXPECT_TRUE(views.Preview.contains(QStringLiteral("Source edit")));
    EXPECT_TRUE(session.RefreshDirty());
    ASSERT_TRUE(switchTo(TPageTab::Edit));
    type(QStringLiteral("Source edit"), QStringLiteral("One two"));
    ASSERT_TRUE(switchTo(TPageTab::TopicOptions));
    EXPECT_FALSE(session.RefreshDirty()) << "back to the text loaded";
}

// The editor may write an unchanged page a little differently from its
// file: that form counts as the page loaded, not as an edit.
TEST_F(TopicPageSession, TheEditorsOwnFormOfThePageIsNoEdit)
{
    write(root + QStringLiteral("intro.htm"), pageBytes("utf-8", "<P>Upper</P>"));
    project.Tree().select(addTopic(QStringLiteral("Intro"), QStringLiteral("intro.htm")));
    editor.Html.replace(QStringLiteral("<P>Upper</P>"), QStringLiteral("<p>Upper</p>")); // read back so, unedited
    EXPECT_FALSE(session.RefreshDirty());
    // The source shows the page as loaded, not as the editor writes it, and
    // the editor is not given the page again for that.
    const int loads = editor.Loads;
    ASSERT_TRUE(switchTo(TPageTab::Source));
    EXPECT_TRUE(views.Source.contains(QStringLiteral("<P>Upper</P>")));
    ASSERT_TRUE(switchTo(TPageTab::Edit));
    EXPECT_EQ(editor.Loads, loads);
    EXPECT_FALSE(session.RefreshDirty());
    type(QStringLiteral("Upper"), QStringLiteral("Lower"));
    EXPECT_TRUE(session.RefreshDirty());
    type(QStringLiteral("Lower"), QStringLiteral("Upper"));
    EXPECT_FALSE(session.RefreshDirty());

    // The history loads an edited page back into the control: the control
    // then has no edit of its own, and the page is still dirty.
    type(QStringLiteral("Upper"), QStringLiteral("Undone once"));
    editor.SetDocumentHTML(QString(editor.Html));
    EXPECT_FALSE(editor.Dirty);
    EXPECT_TRUE(session.RefreshDirty());
}

// Leaving a dirty topic asks; each answer leaves the page and the
// selection as they should be.
TEST_F(TopicPageSession, ATopicSwitchAsksAboutADirtyPage)
{
    const QString file = root + QStringLiteral("intro.htm");
    write(file, pageBytes("utf-8", "<p>Old</p>"));
    write(root + QStringLiteral("other.htm"), pageBytes("utf-8", "<p>Other</p>", "Other"));
    TopicNode* intro = addTopic(QStringLiteral("Intro"), QStringLiteral("intro.htm"));
    TopicNode* other = addTopic(QStringLiteral("Other"), QStringLiteral("other.htm"));
    project.Tree().select(intro);
    type(QStringLiteral("Old"), QStringLiteral("New"));

    prompts.Answer = IUserPrompts::Cancel;
    EXPECT_FALSE(project.Tree().select(other));
    EXPECT_EQ(prompts.Questions(), QStringList{QStringLiteral("The topic \"Intro\" has been changed, save it?")});
    EXPECT_EQ(project.Tree().selected(), intro);
    EXPECT_TRUE(editor.Html.contains(QStringLiteral("New"))) << "the edits stay";
    EXPECT_TRUE(state.IsDirty);
    EXPECT_FALSE(read(file).contains("New"));

    prompts.Answer = IUserPrompts::Yes;
    EXPECT_TRUE(project.Tree().select(other));
    EXPECT_EQ(read(file), pageBytes("utf-8", "<p>New</p>"));
    EXPECT_EQ(project.Tree().selected(), other);
    EXPECT_TRUE(editor.Html.contains(QStringLiteral("Other")));
    EXPECT_FALSE(state.IsDirty);

    type(QStringLiteral("Other</p>"), QStringLiteral("Lost</p>"));
    prompts.Answer = IUserPrompts::No;
    EXPECT_TRUE(project.Tree().select(intro));
    EXPECT_FALSE(read(root + QStringLiteral("other.htm")).contains("Lost"));
    EXPECT_TRUE(editor.Html.contains(QStringLiteral("<p>New</p>")));
    EXPECT_FALSE(state.IsDirty);
    EXPECT_EQ(prompts.Questions().size(), 3);

    // A clean page is left without a word.
    EXPECT_TRUE(project.Tree().select(other));
    EXPECT_EQ(prompts.Questions().size(), 3);
}

// A save that fails leaves the page dirty and the selection where it is; a
// retry under another name links the topic to the file written.
TEST_F(TopicPageSession, AFailedSaveStaysDirtyAndARetriedOneRelinks)
{
    const QString file = root + QStringLiteral("fixed.htm");
    write(file, pageBytes("utf-8", "<p>Fixed</p>"));
    QFile::setPermissions(file, QFile::ReadOwner | QFile::ReadGroup);
    TopicNode* topic = addTopic(QStringLiteral("Intro"), QStringLiteral("fixed.htm"));
    TopicNode* other = addTopic(QStringLiteral("Other"), QString(), StatusNoLink);
    project.Tree().select(topic);
    type(QStringLiteral("Fixed"), QStringLiteral("Edited"));

    prompts.Answer = IUserPrompts::Yes;
    prompts.OnChooseSaveFile = [](const TRecordingPrompts::TSaveFileRequest&) { return QString(); };
    EXPECT_FALSE(project.Tree().select(other));
    ASSERT_EQ(prompts.Errors().size(), 1);
    EXPECT_TRUE(prompts.Errors()[0].contains(QStringLiteral("read-only")));
    EXPECT_EQ(project.Tree().selected(), topic);
    EXPECT_TRUE(state.IsDirty);
    EXPECT_TRUE(views.Message.contains(QStringLiteral("not saved")));

    const QString copy = root + QStringLiteral("sub/copy.htm");
    QDir().mkpath(root + QStringLiteral("sub"));
    prompts.OnChooseSaveFile = [&](const TRecordingPrompts::TSaveFileRequest& request) {
        EXPECT_EQ(request.Folder, QFileInfo(file).path());
        EXPECT_EQ(request.Name, QStringLiteral("fixed.htm"));
        return copy;
    };
    EXPECT_TRUE(session.Save());
    EXPECT_EQ(read(copy), pageBytes("utf-8", "<p>Edited</p>"));
    EXPECT_EQ(topic->entry().Url, QStringLiteral("sub\\copy.htm"));
    EXPECT_EQ(state.CurrentURL, copy);
    EXPECT_EQ(watched, copy);
    EXPECT_FALSE(state.IsDirty);
    EXPECT_TRUE(project.ProjectChanged);
}

// Pages keep their bytes where the author changed nothing: their charset,
// their byte-order mark or its absence, their line ends.
TEST_F(TopicPageSession, PagesAreSavedInTheirOwnCharset)
{
    struct Case {
        const char* label;
        QByteArray bytes;
        QString from, to;
        QByteArray saved;
    };
    const QByteArray mark = "\xEF\xBB\xBF";
    const Case cases[] = {
        {"gb2312", pageBytes("gb2312", "<p>\xD6\xD0\xCE\xC4 one</p>"), QStringLiteral("one"), QStringLiteral("文"),
         pageBytes("gb2312", "<p>\xD6\xD0\xCE\xC4 \xCE\xC4</p>")},
        {"windows-1252", pageBytes("windows-1252", "<p>Caf\xE9 one</p>"), QStringLiteral("one"), QStringLiteral("€"),
         pageBytes("windows-1252", "<p>Caf\xE9 \x80</p>")},
        {"UTF-8 with mark", mark + pageBytes("utf-8", "<p>中 one</p>"), QStringLiteral("one"), QStringLiteral("é"),
         mark + pageBytes("utf-8", "<p>中 é</p>")},
        {"UTF-8 without mark", pageBytes("utf-8", "<p>中 one</p>"), QStringLiteral("one"), QStringLiteral("é"),
         pageBytes("utf-8", "<p>中 é</p>")},
        {"undeclared UTF-8", pageBytes("", "<p>中 one</p>"), QStringLiteral("one"), QStringLiteral("é"),
         pageBytes("", "<p>中 é</p>")},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        const QString name = QString::fromLatin1(c.label).replace(QLatin1Char(' '), QLatin1Char('_')) + QStringLiteral(".htm");
        write(root + name, c.bytes);
        project.Tree().select(addTopic(QStringLiteral("Intro"), name));
        type(c.from, c.to);
        ASSERT_TRUE(session.Save());
        EXPECT_EQ(read(root + name), c.saved);
        EXPECT_TRUE(prompts.Boxes.isEmpty());
        EXPECT_FALSE(session.RefreshDirty());
    }
}

// A character the page's charset cannot hold is not lost: the page becomes
// UTF-8, says so in its declaration, and the author is told.
TEST_F(TopicPageSession, TextItsCharsetCannotHoldIsSavedAsUtf8)
{
    const QString file = root + QStringLiteral("western.htm");
    write(file, pageBytes("windows-1252", "<p>Caf\xE9</p>"));
    project.Tree().select(addTopic(QStringLiteral("Intro"), QStringLiteral("western.htm")));
    type(QStringLiteral("</p>"), QStringLiteral(" 中文</p>"));
    ASSERT_TRUE(session.Save());
    EXPECT_EQ(read(file), "\xEF\xBB\xBF" + pageBytes("utf-8", "<p>Café 中文</p>"));
    ASSERT_EQ(prompts.Boxes.size(), 1);
    EXPECT_TRUE(prompts.Boxes[0].Text.contains(QStringLiteral("\"windows-1252\" cannot store")));
    EXPECT_TRUE(prompts.Boxes[0].Text.contains(QStringLiteral("now declares the charset \"utf-8\"")));
    EXPECT_TRUE(editor.Html.contains(QStringLiteral("charset=utf-8"))) << "the page shown is the page saved";
    EXPECT_FALSE(session.RefreshDirty());
}

// The page takes the topic's title when it is saved.
TEST_F(TopicPageSession, SavingSetsTheTopicsTitle)
{
    const QString file = root + QStringLiteral("intro.htm");
    write(file, pageBytes("utf-8", "<p>before</p>", "Old title"));
    TopicNode* topic = addTopic(QStringLiteral("A & B"), QStringLiteral("intro.htm"));
    project.Tree().select(topic);
    type(QStringLiteral("before"), QStringLiteral("after"));
    ASSERT_TRUE(session.Save());
    EXPECT_EQ(read(file), pageBytes("utf-8", "<p>after</p>", "A & B"));
}

// New pages start from the program's models (or the project's own) and are
// saved under a name proposed from their title.
TEST_F(TopicPageSession, NewPagesAndTemplatesComeFromTheirModels)
{
    TopicNode* fresh = addTopic(QStringLiteral("My: Topic"), QString(), StatusUnsaved);
    project.Tree().select(fresh);
    EXPECT_TRUE(views.Enabled);
    EXPECT_TRUE(editor.Html.contains(QStringLiteral("charset=UTF-8"))) << editor.Html.toStdString();
    EXPECT_TRUE(editor.Html.contains(QStringLiteral("new page")));
    EXPECT_EQ(editor.Folder, programFolder + QLatin1Char('/'));
    EXPECT_FALSE(session.RefreshDirty());
    EXPECT_TRUE(session.CanSave()) << "a new page can always be saved";

    write(root + QStringLiteral("My__Topic.htm"), "taken");
    QList<TRecordingPrompts::TSaveFileRequest> requests;
    prompts.OnChooseSaveFile = [&](const TRecordingPrompts::TSaveFileRequest& request) {
        requests.append(request);
        return QString();
    };
    EXPECT_FALSE(session.Save());
    ASSERT_EQ(requests.size(), 1);
    EXPECT_EQ(requests[0].Caption, QStringLiteral("保存"));
    EXPECT_EQ(requests[0].Filter, QStringLiteral("HTML 文件 (*.html, *.htm)|*.html;*.htm"));
    EXPECT_EQ(QDir(requests[0].Folder), QDir(root));
    EXPECT_EQ(requests[0].Name, QStringLiteral("My__Topic1.htm"));
    EXPECT_TRUE(requests[0].ConfirmOverwrite);
    EXPECT_EQ(fresh->entry().Status, StatusUnsaved) << "cancelled: nothing changed";

    prompts.OnChooseSaveFile = [&](const TRecordingPrompts::TSaveFileRequest& request) {
        return QDir(request.Folder).filePath(request.Name);
    };
    type(QStringLiteral("new page"), QStringLiteral("written"));
    ASSERT_TRUE(session.Save());
    EXPECT_EQ(fresh->entry().Status, StatusLinked);
    EXPECT_EQ(fresh->entry().Url, QStringLiteral("My__Topic1.htm"));
    EXPECT_EQ(state.CurrentStatus, StatusLinked);
    const QByteArray saved = read(root + QStringLiteral("My__Topic1.htm"));
    EXPECT_TRUE(saved.startsWith("\xEF\xBB\xBF")) << "a new UTF-8 page has its mark";
    EXPECT_TRUE(saved.contains("<title>My: Topic</title>"));
    EXPECT_TRUE(saved.contains("written"));
    EXPECT_EQ(editor.Folder, root) << "the page is edited in its own folder now";

    // A template starts from "newtemp.htm"; the project's own model serves
    // other topics when the built-in one is off.
    project.Tree().select(addTopic(QStringLiteral("T"), QString(), StatusUnsaved, project.tnTemplates));
    EXPECT_TRUE(editor.Html.contains(QStringLiteral("($content$)")));
    write(root + QStringLiteral("models/mine.htm"), pageBytes("gb2312", "<p>mine</p>"));
    project.DefaultTemplate = false;
    project.CustomTemplate = QStringLiteral("models\\mine.htm");
    project.Tree().select(addTopic(QStringLiteral("Mine"), QString(), StatusUnsaved));
    EXPECT_TRUE(editor.Html.contains(QStringLiteral("<p>mine</p>")));
    EXPECT_TRUE(editor.Html.contains(QStringLiteral("charset=gb2312"))) << "taken as it is";
    EXPECT_EQ(editor.Folder, root + QStringLiteral("models/"));
}

// Selecting a new topic on the topic-options tab and then opening the
// editor shows the model, not the page shown before.
TEST_F(TopicPageSession, ANewTopicChosenOnTheOptionsTabShowsItsModel)
{
    write(root + QStringLiteral("intro.htm"), pageBytes("utf-8", "<p>Intro page</p>"));
    project.Tree().select(addTopic(QStringLiteral("Intro"), QStringLiteral("intro.htm")));
    ASSERT_TRUE(switchTo(TPageTab::TopicOptions));
    project.Tree().select(addTopic(QStringLiteral("New"), QString(), StatusUnsaved));
    ASSERT_TRUE(switchTo(TPageTab::Edit));
    EXPECT_TRUE(editor.Html.contains(QStringLiteral("new page")));
    EXPECT_FALSE(editor.Html.contains(QStringLiteral("Intro page")));
}

TEST_F(TopicPageSession, ATemplateWithoutItsTagsIsSavedOnlyWhenTheAuthorSays)
{
    const QString file = root + QStringLiteral("blue.htm");
    write(file, pageBytes("utf-8", "<h1>($title$)</h1>($content$)"));
    project.Tree().select(addTopic(QStringLiteral("Blue"), QStringLiteral("blue.htm"), StatusLinked, project.tnTemplates));
    type(QStringLiteral("($content$)"), QStringLiteral("(content)"));
    prompts.Answer = IUserPrompts::No;
    EXPECT_FALSE(session.Save());
    ASSERT_EQ(prompts.Boxes.size(), 1);
    EXPECT_EQ(prompts.Boxes[0].Text,
              QStringLiteral("Cannot find tag \"($content$)\" in the template source code! (Body only)\r\n\r\n"
                             "These will likely make the template unable to work. You should keep the tags whole in "
                             "source code, not only look like whole in editor. When you format a tag, you should "
                             "select the whole tag not a part of it!\r\n\r\nWould you like to save the template?"));
    EXPECT_FALSE(read(file).contains("(content)"));
    EXPECT_TRUE(session.RefreshDirty());

    prompts.Answer = IUserPrompts::Yes;
    ASSERT_TRUE(session.Save());
    EXPECT_EQ(read(file), pageBytes("utf-8", "<h1>($title$)</h1>(content)")) << "a template is saved as it is";
}

// Another program changed the page: the author is offered the new text.
TEST_F(TopicPageSession, AnOutsideChangeIsOfferedForReload)
{
    const QString file = root + QStringLiteral("intro.htm");
    write(file, pageBytes("utf-8", "<p>First</p>"));
    project.Tree().select(addTopic(QStringLiteral("Intro"), QStringLiteral("intro.htm")));
    session.CheckOutsideChange();
    EXPECT_TRUE(prompts.Boxes.isEmpty()) << "unchanged: nothing to ask";

    write(file, pageBytes("utf-8", "<p>Second</p>"));
    QFile touched(file);
    ASSERT_TRUE(touched.open(QIODevice::ReadWrite));
    ASSERT_TRUE(touched.setFileTime(state.CurrentModifiedTime.addSecs(5), QFileDevice::FileModificationTime));
    touched.close();

    prompts.Answer = IUserPrompts::No;
    session.CheckOutsideChange();
    ASSERT_EQ(prompts.Boxes.size(), 1);
    EXPECT_EQ(prompts.Boxes[0].Text,
              QStringLiteral("This file has been modified outside of this application. Do you want to reload it?"));
    EXPECT_TRUE(editor.Html.contains(QStringLiteral("First")));
    session.CheckOutsideChange();
    EXPECT_EQ(prompts.Boxes.size(), 2) << "asked again until it is answered Yes";

    type(QStringLiteral("First"), QStringLiteral("Mine"));
    prompts.Answer = IUserPrompts::Yes;
    session.CheckOutsideChange();
    ASSERT_EQ(prompts.Boxes.size(), 3);
    EXPECT_TRUE(prompts.Boxes[2].Text.contains(QStringLiteral("will be lost"))) << "edits here are named";
    EXPECT_TRUE(editor.Html.contains(QStringLiteral("Second")));
    EXPECT_FALSE(state.IsDirty);
    session.CheckOutsideChange();
    EXPECT_EQ(prompts.Boxes.size(), 3) << "the time of the reloaded file is known";
}

// Leaving the URL field reloads only a link that changed, and asks first
// about edits; Cancel puts the old link back and keeps the edits.
TEST_F(TopicPageSession, EditingTheLinkKeepsEditsUntilTheAuthorDecides)
{
    const QString file = root + QStringLiteral("intro.htm");
    write(file, pageBytes("utf-8", "<p>Intro</p>"));
    write(root + QStringLiteral("other.htm"), pageBytes("utf-8", "<p>Other</p>"));
    TopicNode* topic = addTopic(QStringLiteral("Intro"), QStringLiteral("intro.htm"));
    int shown = 0;
    session.OnTopicLinkShown = [&] { ++shown; };
    project.Tree().select(topic);
    type(QStringLiteral("<p>Intro"), QStringLiteral("<p>Edited"));

    session.TopicLinkChanged(); // focus in and out, nothing typed
    EXPECT_TRUE(prompts.Boxes.isEmpty());
    EXPECT_TRUE(editor.Html.contains(QStringLiteral("Edited")));

    // Typed and typed back: the same link.
    topic->entry().Url = QStringLiteral("intr");
    topic->entry().Url = QStringLiteral("intro.htm");
    session.TopicLinkChanged();
    EXPECT_TRUE(prompts.Boxes.isEmpty());

    topic->entry().Url = QStringLiteral("other.htm");
    prompts.Answer = IUserPrompts::Cancel;
    session.TopicLinkChanged();
    ASSERT_EQ(prompts.Questions().size(), 1);
    EXPECT_EQ(topic->entry().Url, QStringLiteral("intro.htm"));
    EXPECT_TRUE(editor.Html.contains(QStringLiteral("Edited")));
    EXPECT_TRUE(state.IsDirty);
    EXPECT_GE(shown, 1) << "the bar shows the link put back";

    topic->entry().Url = QStringLiteral("other.htm");
    prompts.Answer = IUserPrompts::Yes;
    session.TopicLinkChanged();
    EXPECT_TRUE(read(file).contains("Edited")) << "the edits went to their own page";
    EXPECT_EQ(topic->entry().Url, QStringLiteral("other.htm"));
    EXPECT_TRUE(editor.Html.contains(QStringLiteral("<p>Other</p>")));
    EXPECT_EQ(state.CurrentURL, root + QStringLiteral("other.htm"));

    type(QStringLiteral("<p>Other"), QStringLiteral("<p>Dropped"));
    topic->entry().Status = StatusNoLink;
    topic->entry().Url.clear();
    prompts.Answer = IUserPrompts::No;
    session.TopicLinkChanged();
    EXPECT_FALSE(views.Enabled) << "a heading now";
    EXPECT_FALSE(read(root + QStringLiteral("other.htm")).contains("Dropped"));
}

// Before an external editor opens the page, a new or changed page is saved
// once the author agrees.
TEST_F(TopicPageSession, AnExternalEditorGetsTheSavedPage)
{
    const QString file = root + QStringLiteral("intro.htm");
    write(file, pageBytes("utf-8", "<p>Intro</p>"));
    project.Tree().select(addTopic(QStringLiteral("Intro"), QStringLiteral("intro.htm")));
    EXPECT_TRUE(session.ReadyForExternalEditor());
    EXPECT_TRUE(prompts.Boxes.isEmpty());

    type(QStringLiteral("<p>Intro"), QStringLiteral("<p>Changed"));
    prompts.Answer = IUserPrompts::No;
    EXPECT_FALSE(session.ReadyForExternalEditor());
    ASSERT_EQ(prompts.Boxes.size(), 1);
    EXPECT_EQ(prompts.Boxes[0].Text,
              QStringLiteral("The topic \"Intro\" has been changed. If you want to edit it using external editors, "
                             "you should save it firstly. Save and continue?"));
    EXPECT_FALSE(read(file).contains("Changed"));
    prompts.Answer = IUserPrompts::Yes;
    EXPECT_TRUE(session.ReadyForExternalEditor());
    EXPECT_TRUE(read(file).contains("Changed"));

    project.Tree().select(addTopic(QStringLiteral("New"), QString(), StatusUnsaved));
    prompts.Answer = IUserPrompts::No;
    EXPECT_FALSE(session.ReadyForExternalEditor());
    EXPECT_TRUE(prompts.Boxes.back().Text.startsWith(QStringLiteral("The topic \"New\" has not been saved.")));

    project.Tree().select(addTopic(QStringLiteral("Heading"), QString(), StatusNoLink));
    EXPECT_FALSE(session.ReadyForExternalEditor()) << "no file to open";
}

} // namespace
