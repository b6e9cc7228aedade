#include "EditorTestSupport.h"
#include "IDHTMLEdit.h"
#include "IHTMLBrowser.h"
#include "PlatformFactory.h"
#include "TFakeDHTMLEdit.h"

#include <QTemporaryDir>
#include <QWebEngineView>

using namespace DHTMLEdit;

namespace {

// What the editor command layer does with a tool button: the command runs
// only while the control offers it.
bool runIfUsable(IDHTMLEdit& edit, int command, const QVariant& value = QVariant())
{
    if (edit.QueryStatus(command) < DECMDF_ENABLED)
        return false;
    return edit.ExecCommand(command, OLECMDEXECOPT_DODEFAULT, value).toBool();
}

// A component of the factory is part of the window it was made for.
void expectShownIn(QWidget& window, QWidget* widget)
{
    EXPECT_EQ(widget->parentWidget(), &window);
    window.resize(600, 400);
    window.show();
}

} // namespace

// The factory's control is an editing control in the parent's widget tree,
// reached through its interface alone.
TEST(PlatformFactory, TheEditingControlWorksThroughItsInterface)
{
    QWidget window;
    IDHTMLEdit* edit = CreateDHTMLEdit(&window);
    ASSERT_NE(edit, nullptr);
    expectShownIn(window, edit->widget());

    bool complete = false;
    edit->OnDocumentComplete = [&] { complete = true; };
    edit->SetDocumentHTML(QStringLiteral("<html><body><p>one</p></body></html>"));
    ASSERT_TRUE(QTest::qWaitFor([&] { return complete; }, 30000));
    EXPECT_FALSE(edit->Busy());
    edit->DOM()->getElementsByTagName(QStringLiteral("P"))[0]->createTextRange()->select();
    EXPECT_TRUE(runIfUsable(*edit, DECMD_BOLD));
    EXPECT_TRUE(edit->DocumentHTML().contains(QStringLiteral("<p><b>one</b></p>")));
    EXPECT_TRUE(edit->IsDirty());
}

// The preview shows a page of any size in its folder, and clears.
TEST(PlatformFactory, ThePreviewShowsLargePagesInTheirFolder)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    ASSERT_TRUE(SavePicture(dir.filePath(QStringLiteral("pics/blue.png"))));
    QString body;
    while (body.size() < 3 * 1024 * 1024)
        body += QStringLiteral("<p>A paragraph of a long page, with <i>some</i> words in it.</p>\n");
    const QString html = QStringLiteral("<html><body><img src=\"pics/blue.png\">") + body
        + QStringLiteral("<p id=\"last\">the end</p></body></html>");

    QWidget window;
    IHTMLBrowser* browser = CreateHTMLBrowser(&window);
    ASSERT_NE(browser, nullptr);
    expectShownIn(window, browser->widget());
    auto* view = qobject_cast<QWebEngineView*>(browser->widget());
    ASSERT_NE(view, nullptr);
    auto script = [&](const QString& text) { return PageScript(view->page(), text); };

    browser->LoadHtml(html, dir.path());
    // Complete: the whole text read and the picture loaded.
    EXPECT_TRUE(QTest::qWaitFor(
        [&] { return script(QStringLiteral("document.readyState === 'complete' && document.images.length > 0")).toBool(); },
        30000));
    EXPECT_EQ(script(QStringLiteral("document.getElementById('last').textContent")).toString(), QStringLiteral("the end"));
    EXPECT_EQ(script(QStringLiteral("document.images[0].naturalWidth")).toInt(), PictureWidth);

    browser->Clear();
    EXPECT_TRUE(QTest::qWaitFor(
        [&] { return script(QStringLiteral("document.body !== null && document.body.innerHTML === ''")).toBool(); }));
}

// The test double stands in for the control wherever code knows only the
// interface: it keeps the page and records what was asked of it.
TEST(FakeDHTMLEdit, StandsInForTheControl)
{
    TFakeDHTMLEdit fake;
    IDHTMLEdit& edit = fake;
    int completes = 0;
    edit.OnDocumentComplete = [&] { ++completes; };
    edit.SetDocumentHTML(QStringLiteral("<p>x</p>"));
    EXPECT_EQ(edit.DocumentHTML(), QStringLiteral("<p>x</p>"));
    EXPECT_EQ(completes, 1);
    EXPECT_FALSE(edit.IsDirty());

    fake.Statuses[DECMD_ITALIC] = DECMDF_DISABLED;
    EXPECT_TRUE(runIfUsable(edit, DECMD_SETFORECOLOR, QStringLiteral("#ff0000")));
    EXPECT_FALSE(runIfUsable(edit, DECMD_ITALIC));
    EXPECT_EQ(fake.Queries, (QList<int>{DECMD_SETFORECOLOR, DECMD_ITALIC}));
    ASSERT_EQ(fake.Commands.size(), 1) << "a disabled command does not run";
    EXPECT_EQ(fake.Commands[0].id, DECMD_SETFORECOLOR);
    EXPECT_EQ(fake.Commands[0].value.toString(), QStringLiteral("#ff0000"));

    edit.SetShowBorders(true);
    EXPECT_TRUE(edit.ShowBorders());
    edit.NewDocument();
    EXPECT_EQ(fake.Loads, 2);
    EXPECT_TRUE(edit.DocumentHTML().contains(QStringLiteral("<body></body>")));
}
