// Editing a topic's page in the real window, as an author does it: the tree
// is clicked, keys go to the editor, Ctrl+S saves, another program changes
// the file.
#include "MainWindowTestSupport.h"

#include "IDHTMLEdit.h"
#include "IHTMLBrowser.h"
#include "TDHTMLEditOperation.h"
#include "TEditorToolBars.h"
#include "TPagePanel.h"
#include "TTopicTreeView.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QDropEvent>
#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QTabWidget>
#include <QToolButton>

using namespace DHTMLEdit;

namespace {

constexpr int LoadTimeoutMs = 20000;

class PageEditingWindow : public MainWindowTest {
protected:
    TfrmMain& openSample()
    {
        projectFile = copySample();
        TfrmMain& main = startWindow(projectFile);
        panel = main.findChild<TPagePanel*>();
        EXPECT_NE(panel, nullptr);
        editor = main.Editor();
        main.activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(&main));
        return main;
    }
    TopicNode* topicOf(const QString& url) const
    {
        TopicNode* found = nullptr;
        window->Qrx.Tree().forEachNode([&](TopicNode* node) {
            if (node->entry().Url == url)
                found = node;
            return found == nullptr;
        });
        return found;
    }
    QString fileOf(const QString& url) const
    {
        return window->Qrx.RootDir + QString(url).replace(QLatin1Char('\\'), QLatin1Char('/'));
    }
    // Clicks the topic's row in the tree, as the author picks a topic.
    void click(TopicNode* topic)
    {
        TTopicTreeView* tree = window->TopicTreeView();
        const QModelIndex index = window->Qrx.Tree().indexOf(topic);
        tree->scrollTo(index);
        QTest::mouseClick(tree->viewport(), Qt::LeftButton, {}, tree->visualRect(index).center());
    }
    bool editorShows(const QString& text)
    {
        return QTest::qWaitFor([&] { return !editor->Busy() && editor->DocumentHTML().contains(text); },
                               LoadTimeoutMs);
    }
    // Where the editor takes keys.
    QWidget* editorKeys()
    {
        editor->widget()->setFocus();
        EXPECT_TRUE(QTest::qWaitFor([&] {
            QWidget* focus = QApplication::focusWidget();
            return focus != nullptr && (focus == editor->widget() || editor->widget()->isAncestorOf(focus));
        }));
        return QApplication::focusWidget();
    }
    static QByteArray read(const QString& file)
    {
        QFile in(file);
        return in.open(QIODevice::ReadOnly) ? in.readAll() : QByteArray();
    }
    static void write(const QString& file, const QByteArray& bytes)
    {
        QFile out(file);
        ASSERT_TRUE(out.open(QIODevice::WriteOnly | QIODevice::Truncate));
        out.write(bytes);
    }

    QString projectFile;
    TPagePanel* panel = nullptr;
    IDHTMLEdit* editor = nullptr;
};

// The whole round: pick a topic, write a sentence with a bold word, Ctrl+S;
// the page on disk holds the sentence in its charset with every other byte
// as it was, and the project opened again shows it.
TEST_F(PageEditingWindow, WriteABoldWordSaveWithCtrlSAndReopen)
{
    TfrmMain& main = openSample();
    const QString url = QStringLiteral("topics\\welcome.htm");
    const QString file = fileOf(url);
    const QByteArray before = read(file);
    ASSERT_FALSE(before.isEmpty());
    click(topicOf(url));
    ASSERT_TRUE(editorShows(QStringLiteral("Quorix is a help-authoring tool")));
    EXPECT_TRUE(main.ViewsEnabled());
    EXPECT_TRUE(panel->Message().isEmpty());

    QWidget* keys = editorKeys();
    QTest::keyClick(keys, Qt::Key_End, Qt::ControlModifier);
    QTest::keyClick(keys, Qt::Key_Return);
    QTest::keyClicks(keys, QStringLiteral("Typed in the window, with one bold"));
    QTest::keyClick(keys, Qt::Key_Left, Qt::ControlModifier | Qt::ShiftModifier);
    QToolButton* bold = panel->EditorToolBars().Button(DECMD_BOLD);
    ASSERT_NE(bold, nullptr);
    ASSERT_TRUE(QTest::qWaitFor([&] { return bold->isEnabled(); }));
    QTest::mouseClick(bold, Qt::LeftButton);
    ASSERT_TRUE(editorShows(QStringLiteral("<b>bold</b>"))) << editor->DocumentHTML().toStdString();
    EXPECT_TRUE(QTest::qWaitFor([&] { return main.Action(TCommandId::SavePage)->isEnabled(); })) << "the page is dirty";

    QTest::keyClick(editorKeys(), Qt::Key_S, Qt::ControlModifier);
    const QByteArray after = read(file);
    ASSERT_TRUE(after.contains("Typed in the window, with one <b>bold</b>")) << after.toStdString();
    EXPECT_FALSE(after.startsWith("\xEF\xBB\xBF")) << "UTF-8 without mark, as it was";
    // Everything before and after the new paragraph is as it was.
    qsizetype head = 0;
    while (head < before.size() && head < after.size() && before[head] == after[head])
        ++head;
    qsizetype tail = 0;
    while (tail < before.size() - head && tail < after.size() - head
           && before[before.size() - 1 - tail] == after[after.size() - 1 - tail])
        ++tail;
    EXPECT_EQ(head + tail, before.size()) << "nothing of the page was lost or rewritten:\n"
                                          << before.mid(head, before.size() - head - tail).toStdString() << "\nbecame\n"
                                          << after.mid(head, after.size() - head - tail).toStdString();
    const QByteArray inserted = after.mid(head, after.size() - head - tail);
    EXPECT_TRUE(inserted.contains("Typed in the window")) << inserted.toStdString();
    EXPECT_FALSE(main.Qrx.ProjectChanged) << "Ctrl+S saved the project as well";
    EXPECT_FALSE(main.Page().IsDirty);
    EXPECT_TRUE(prompts.Boxes.isEmpty()) << prompts.Texts().join('\n').toStdString();

    // Opened again, the page shows what was written.
    ASSERT_TRUE(main.ProjectClose());
    ASSERT_TRUE(main.OpenProjectFile(projectFile));
    click(topicOf(url));
    EXPECT_TRUE(editorShows(QStringLiteral("Typed in the window, with one <b>bold</b>")));
}

// The source tab shows the page as it is; an edit there comes to the
// editor, and switching topics asks. Cancel keeps the tree on the topic.
TEST_F(PageEditingWindow, SourceEditsReachTheEditorAndATopicSwitchAsks)
{
    TfrmMain& main = openSample();
    const QString url = QStringLiteral("topics\\glossary.htm");
    TopicNode* glossary = topicOf(url);
    TopicNode* welcome = topicOf(QStringLiteral("topics\\welcome.htm"));
    click(glossary);
    ASSERT_TRUE(editorShows(QStringLiteral("The words of Quorix")));

    panel->Tabs()->setCurrentIndex(int(TPageTab::Source));
    QPlainTextEdit* source = panel->SourceView();
    EXPECT_EQ(source->toPlainText().toUtf8(), read(fileOf(url))) << "the page's own text";
    main.UpdateIdle();
    EXPECT_FALSE(main.Page().IsDirty) << "showing the source changes nothing";

    QTextCursor cursor = source->document()->find(QStringLiteral("The words of Quorix"));
    ASSERT_FALSE(cursor.isNull());
    cursor.insertText(QStringLiteral("The terms of Quorix"));
    panel->Tabs()->setCurrentIndex(int(TPageTab::Edit));
    ASSERT_TRUE(editorShows(QStringLiteral("The terms of Quorix")));
    main.UpdateIdle();
    EXPECT_TRUE(main.Page().IsDirty);

    answer = IUserPrompts::Cancel;
    click(welcome);
    ASSERT_EQ(questions, QStringList{QStringLiteral("The topic \"Glossary\" has been changed, save it?")});
    EXPECT_EQ(main.Qrx.Tree().selected(), glossary);
    EXPECT_EQ(main.TopicTreeView()->currentIndex(), main.Qrx.Tree().indexOf(glossary)) << "the tree shows it too";
    EXPECT_EQ(main.TitleField()->text(), QStringLiteral("Glossary"));
    EXPECT_TRUE(editor->DocumentHTML().contains(QStringLiteral("The terms of Quorix")));

    answer = IUserPrompts::Yes;
    click(welcome);
    ASSERT_TRUE(editorShows(QStringLiteral("Quorix is a help-authoring tool")));
    EXPECT_TRUE(read(fileOf(url)).contains("The terms of Quorix"));
}

// Another program writes the page: the window offers to load it again.
TEST_F(PageEditingWindow, AChangeByAnotherProgramIsOfferedForReload)
{
    TfrmMain& main = openSample();
    const QString url = QStringLiteral("topics\\glossary.htm");
    click(topicOf(url));
    ASSERT_TRUE(editorShows(QStringLiteral("The words of Quorix")));

    answer = IUserPrompts::Yes;
    prompts.OnMessage = [this](IUserPrompts::Kind, const QString& text, IUserPrompts::Buttons) {
        questions.append(text);
        return answer;
    };
    const QString file = fileOf(url);
    write(file, QString::fromUtf8(read(file)).replace(QStringLiteral("The words of Quorix"), QStringLiteral("Outside words"))
                    .toUtf8());
    ASSERT_TRUE(QTest::qWaitFor([&] { return !questions.isEmpty(); }, LoadTimeoutMs));
    EXPECT_EQ(questions.front(),
              QStringLiteral("This file has been modified outside of this application. Do you want to reload it?"));
    EXPECT_TRUE(editorShows(QStringLiteral("Outside words")));
    EXPECT_FALSE(main.Page().IsDirty);
}

// The preview shows the page in the project's template; its links stay put
// and say where they lead; previous and next follow the tree.
TEST_F(PageEditingWindow, PreviewInTheTemplateAndTheNeighbouringTopics)
{
    TfrmMain& main = openSample();
    TopicNode* welcome = topicOf(QStringLiteral("topics\\welcome.htm"));
    TopicNode* started = topicOf(QStringLiteral("topics\\getting-started\\index.htm"));
    click(welcome);
    ASSERT_TRUE(editorShows(QStringLiteral("Quorix is a help-authoring tool")));
    panel->Tabs()->setCurrentIndex(int(TPageTab::Preview));
    EXPECT_TRUE(panel->PreviewPage().contains(QStringLiteral("class=\"qx-head\""))) << "framed by the template";
    EXPECT_TRUE(panel->PreviewPage().contains(QStringLiteral("Quorix is a help-authoring tool")));

    ASSERT_TRUE(main.Action(TCommandId::NextTopic)->isEnabled());
    main.Action(TCommandId::NextTopic)->trigger();
    EXPECT_EQ(main.Qrx.Tree().selected(), started);
    EXPECT_EQ(main.TopicTreeView()->currentIndex(), main.Qrx.Tree().indexOf(started));
    EXPECT_TRUE(panel->PreviewPage().contains(QStringLiteral("href=\"../welcome.htm\"")))
        << "its previous topic is linked from the page's folder";
    main.Action(TCommandId::PreviousTopic)->trigger();
    EXPECT_EQ(main.Qrx.Tree().selected(), welcome);

    panel->Preview()->OnLinkClicked(
        QUrl::fromLocalFile(main.Qrx.RootDir + QStringLiteral("topics/glossary.htm")).toString() + QStringLiteral("#topic"));
    EXPECT_EQ(panel->Message(), QStringLiteral("Hyperlinks are disabled under Preview mode.\nhref: glossary.htm#topic"));
}

// Typing "(no-link)" into the URL field makes the topic a heading once the
// field is left; the topic options edit the topic.
TEST_F(PageEditingWindow, TheUrlFieldAndTheTopicOptionsEditTheTopic)
{
    TfrmMain& main = openSample();
    TopicNode* glossary = topicOf(QStringLiteral("topics\\glossary.htm"));
    click(glossary);
    ASSERT_TRUE(editorShows(QStringLiteral("The words of Quorix")));

    panel->Tabs()->setCurrentIndex(int(TPageTab::TopicOptions));
    main.UpdateIdle();
    ASSERT_TRUE(panel->KeywordsField()->isEnabled());
    main.Qrx.ProjectChanged = false;
    panel->KeywordsField()->setFocus();
    QTest::keyClick(panel->KeywordsField(), Qt::Key_End, Qt::ControlModifier);
    QTest::keyClick(panel->KeywordsField(), Qt::Key_Return);
    QTest::keyClicks(panel->KeywordsField(), QStringLiteral("vocabulary"));
    EXPECT_TRUE(glossary->entry().Keywords.endsWith(QStringLiteral("\r\nvocabulary"))) << glossary->entry().Keywords.toStdString();
    EXPECT_TRUE(main.Qrx.ProjectChanged);
    EXPECT_EQ(panel->ContextNumberField()->text(), glossary->entry().ContextNumber);
    panel->ContextNumberField()->selectAll();
    QTest::keyClicks(panel->ContextNumberField(), QStringLiteral("12x3"));
    EXPECT_EQ(glossary->entry().ContextNumber, QStringLiteral("123")) << "digits only";
    const bool noTemplate = glossary->entry().ApplyTemp;
    EXPECT_EQ(panel->NoTemplateBox()->isChecked(), noTemplate);
    panel->NoTemplateBox()->click();
    EXPECT_EQ(glossary->entry().ApplyTemp, !noTemplate);

    // Text dragged from the page onto the title field becomes the title.
    QMimeData dragged;
    dragged.setText(QStringLiteral(" A  dragged\ntitle "));
    // The drag comes in over the field, then drops there.
    QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction, &dragged, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(main.TitleField(), &enter);
    QDropEvent drop(QPointF(5, 5), Qt::CopyAction, &dragged, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(main.TitleField(), &drop);
    EXPECT_EQ(main.TitleField()->text(), QStringLiteral("A dragged title"));
    EXPECT_EQ(glossary->text(), QStringLiteral("A dragged title"));

    // A template has no topic options.
    click(topicOf(QStringLiteral("template\\page.htm")));
    ASSERT_TRUE(editorShows(QStringLiteral("($content$)")));
    EXPECT_FALSE(panel->Tabs()->isTabVisible(int(TPageTab::TopicOptions)));
    click(glossary);
    ASSERT_TRUE(editorShows(QStringLiteral("The words of Quorix")));
    EXPECT_TRUE(panel->Tabs()->isTabVisible(int(TPageTab::TopicOptions)));

    QLineEdit* url = main.UrlField();
    url->setFocus();
    url->selectAll();
    QTest::keyClicks(url, QStringLiteral("(no-link)"));
    EXPECT_EQ(glossary->entry().Status, StatusNoLink);
    EXPECT_TRUE(main.ViewsEnabled()) << "loaded only once the field is left";
    main.TopicTreeView()->setFocus();
    EXPECT_TRUE(QTest::qWaitFor([&] { return !main.ViewsEnabled(); }));
    EXPECT_TRUE(questions.isEmpty()) << "the page had no edits";
}

// An external editor gets the page's file, saved first when it has edits.
TEST_F(PageEditingWindow, AnExternalEditorGetsThePageFile)
{
    TfrmMain& main = openSample();
    const QString url = QStringLiteral("topics\\glossary.htm");
    click(topicOf(url));
    ASSERT_TRUE(editorShows(QStringLiteral("The words of Quorix")));
    QStringList started;
    panel->StartProgram = [&](const QString& program, const QStringList& arguments) {
        started = QStringList{program} + arguments;
        return true;
    };
    panel->EditorToolBars().Operation().DefaultExtend = QStringLiteral("\"/opt/my editor/edit\" --line 1");
    main.Action(TCommandId::ExternalEditor)->trigger();
    EXPECT_EQ(started, (QStringList{QStringLiteral("/opt/my editor/edit"), QStringLiteral("--line"), QStringLiteral("1"),
                                    fileOf(url)}));

    started.clear();
    editor->ExecCommand(DECMD_SELECTALL);
    editor->ExecCommand(DECMD_BOLD);
    ASSERT_TRUE(editorShows(QStringLiteral("<b>")));
    prompts.OnMessage = [this](IUserPrompts::Kind, const QString& text, IUserPrompts::Buttons) {
        questions.append(text);
        return IUserPrompts::Yes;
    };
    main.Action(TCommandId::ExternalEditor)->trigger();
    ASSERT_EQ(questions.size(), 1);
    EXPECT_TRUE(questions[0].startsWith(QStringLiteral("The topic \"Glossary\" has been changed.")));
    EXPECT_TRUE(read(fileOf(url)).contains("<b>")) << "saved before the editor opens it";
    EXPECT_EQ(started.size(), 4);
}

// An edit in the source view of a page with CR LF line ends: the page is
// saved with them, every other byte as it was.
TEST_F(PageEditingWindow, ASourceEditKeepsThePagesLineEnds)
{
    const QString projectFile = makeProject(QStringLiteral("crlf"));
    const QString file = QFileInfo(projectFile).path() + QStringLiteral("/html/intro.htm");
    const QByteArray before = "<html>\r\n<head>\r\n<title>简介 Introduction</title>\r\n</head>\r\n<body>\r\n"
                              "<p>First line</p>\r\n<p>Second line</p>\r\n</body>\r\n</html>\r\n";
    write(file, before);
    TfrmMain& main = startWindow(projectFile);
    panel = main.findChild<TPagePanel*>();
    editor = main.Editor();
    click(main.Qrx.tnTableOfContents->firstChild());
    ASSERT_TRUE(editorShows(QStringLiteral("First line")));

    panel->Tabs()->setCurrentIndex(int(TPageTab::Source));
    QTextCursor cursor = panel->SourceView()->document()->find(QStringLiteral("Second"));
    ASSERT_FALSE(cursor.isNull());
    cursor.insertText(QStringLiteral("Other"));
    main.UpdateIdle();
    EXPECT_TRUE(main.Page().IsDirty);
    EXPECT_TRUE(main.Action(TCommandId::SaveSource)->isEnabled());
    main.Action(TCommandId::SaveSource)->trigger();
    EXPECT_EQ(read(file), QByteArray(before).replace("Second", "Other"));
    EXPECT_FALSE(main.Page().IsDirty);
}

} // namespace
