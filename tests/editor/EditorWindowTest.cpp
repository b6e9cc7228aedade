#include "ui/MainWindowTestSupport.h"

#include "IDHTMLEdit.h"
#include "QtPrinting.h"
#include "TDHTMLEditOperation.h"
#include "TEditorToolBars.h"
#include "TPagePanel.h"

#include <QAction>
#include <QComboBox>
#include <QMenu>
#include <QToolButton>
#include <QWebEngineView>

using namespace DHTMLEdit;

// The editor's tool bars in the main window, as an author uses them.
class EditorWindowTest : public MainWindowTest {
protected:
    // The window with a project and a page shown in the editor.
    void SetUp() override
    {
        TfrmMain& main = startWindow(makeProject(QStringLiteral("demo")));
        panel = main.findChild<TPagePanel*>();
        ASSERT_NE(panel, nullptr);
        bars = &panel->EditorToolBars();
        // What opening a topic does.
        panel->SetViewsEnabled(true);
        bars->Operation().Load(QStringLiteral("<html><head></head><body><p>Start.</p><p><br></p></body></html>"),
                               dir.path() + QLatin1Char('/'));
        editor = main.Editor();
        ASSERT_TRUE(QTest::qWaitFor([&] { return !editor->Busy() && bars->Operation().History().Position == 0; }));
    }

    QWidget* keys()
    {
        editor->widget()->activateWindow();
        editor->widget()->setFocus();
        QWidget* proxy = editor->widget()->findChild<QWebEngineView*>()->focusProxy();
        EXPECT_NE(proxy, nullptr);
        return proxy;
    }

    TPagePanel* panel = nullptr;
    TEditorToolBars* bars = nullptr;
    IDHTMLEdit* editor = nullptr;
};

// Typing a word, selecting it and pressing the bold button makes it bold,
// and the button shows as down; undo takes it back and the button follows.
TEST_F(EditorWindowTest, TypingAWordAndMakingItBold)
{
    QWidget* target = keys();
    // Into the empty second paragraph, by mouse as an author would.
    QTest::mouseClick(target, Qt::LeftButton, {}, QPoint(20, 40));
    QTest::keyClicks(target, QStringLiteral("word"));
    QTest::keyClick(target, Qt::Key_Home, Qt::ShiftModifier);
    ASSERT_TRUE(QTest::qWaitFor([&] { return bars->Action(DECMD_CUT)->isEnabled(); })) << "no selection";

    QToolButton* bold = bars->Button(DECMD_BOLD);
    ASSERT_NE(bold, nullptr);
    EXPECT_FALSE(bold->isChecked());
    QTest::mouseClick(bold, Qt::LeftButton);
    EXPECT_TRUE(QTest::qWaitFor([&] { return editor->DocumentHTML().contains(QStringLiteral("<p><b>word</b></p>")); }))
        << editor->DocumentHTML().toStdString();
    EXPECT_TRUE(QTest::qWaitFor([&] { return bold->isChecked(); })) << "the bold button is down";
    EXPECT_TRUE(bars->Operation().IsDirty());
    EXPECT_TRUE(bars->Action(EDTAG_UNDO)->isEnabled());

    // Ctrl+Z from the window's own shortcut reaches the editor's history.
    QTest::keyClick(target, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_TRUE(QTest::qWaitFor([&] {
        return !editor->Busy() && editor->DocumentHTML().contains(QStringLiteral("<p>word</p>"));
    })) << editor->DocumentHTML().toStdString();
    EXPECT_TRUE(QTest::qWaitFor([&] { return !bold->isChecked(); }));
    EXPECT_TRUE(bars->Action(EDTAG_REDO)->isEnabled());
}

// The drop-downs: a colour from the menu colours the selection and the
// button; a cancelled custom colour changes nothing; a special character
// goes in at the caret and the button repeats it.
TEST_F(EditorWindowTest, DropDownsApplyTheirItems)
{
    QWidget* target = keys();
    QTest::mouseClick(target, Qt::LeftButton, {}, QPoint(20, 15));
    QTest::keyClick(target, Qt::Key_End);
    QTest::keyClick(target, Qt::Key_Home, Qt::ShiftModifier);
    ASSERT_TRUE(QTest::qWaitFor([&] { return bars->Action(DECMD_CUT)->isEnabled(); }));

    QMenu* colours = bars->Menu(DECMD_SETFORECOLOR);
    ASSERT_NE(colours, nullptr);
    ASSERT_EQ(colours->actions().size(), 23);
    EXPECT_EQ(colours->actions()[12]->text(), QStringLiteral("Blue"));
    EXPECT_EQ(colours->actions().last()->text(), QStringLiteral("Custom..."));
    colours->actions()[12]->trigger();
    EXPECT_TRUE(editor->DocumentHTML().contains(QStringLiteral("<font color=\"#0000ff\">Start.</font>")))
        << editor->DocumentHTML().toStdString();
    EXPECT_EQ(bars->Operation().CurrentForeColor, 0x0000ffu);
    EXPECT_EQ(bars->Button(DECMD_SETFORECOLOR)->defaultAction()->icon().pixmap(16, 16).toImage().pixelColor(8, 14),
              QColor(Qt::blue));

    const QString before = editor->DocumentHTML();
    int asked = 0;
    bars->PickColour = [&](const QColor&) -> std::optional<QColor> {
        ++asked;
        return std::nullopt;
    };
    bars->Menu(DECMD_SETBACKCOLOR)->actions().last()->trigger();
    EXPECT_EQ(asked, 1);
    EXPECT_EQ(editor->DocumentHTML(), before) << "a cancelled colour changes nothing";
    EXPECT_EQ(bars->Operation().CurrentBackColor, 0xffff00u);

    // The special characters; the button then repeats the last one.
    QTest::keyClick(target, Qt::Key_End);
    QMenu* characters = bars->Menu(EDTAG_SPECIALCHARACTER);
    ASSERT_NE(characters, nullptr);
    ASSERT_EQ(characters->actions().size(), 8);
    characters->actions()[5]->trigger(); // Euro
    EXPECT_TRUE(editor->DocumentHTML().contains(QStringLiteral("Start.€"))) << editor->DocumentHTML().toStdString();
    EXPECT_EQ(bars->Action(EDTAG_SPECIALCHARACTER)->toolTip(), QStringLiteral("Euro"));
    QTest::mouseClick(bars->Button(EDTAG_SPECIALCHARACTER), Qt::LeftButton, {}, QPoint(4, 8));
    EXPECT_TRUE(QTest::qWaitFor([&] { return editor->DocumentHTML().contains(QStringLiteral("Start.€€")); }))
        << editor->DocumentHTML().toStdString();

    // The block-format box lists the formats and acts only when the author
    // picks one.
    QComboBox* formats = bars->Combo(DECMD_SETBLOCKFMT);
    ASSERT_NE(formats, nullptr);
    EXPECT_EQ(formats->count(), 14);
    EXPECT_TRUE(QTest::qWaitFor([&] { return formats->currentText() == QStringLiteral("Normal"); }));
    formats->setCurrentIndex(formats->findText(QStringLiteral("Heading 1")));
    EXPECT_FALSE(editor->DocumentHTML().contains(QStringLiteral("<h1>"))) << "a programmatic change runs nothing";
    emit formats->textActivated(QStringLiteral("Heading 1"));
    EXPECT_TRUE(editor->DocumentHTML().contains(QStringLiteral("<h1>"))) << editor->DocumentHTML().toStdString();
}

// The table-editing drop-down offers its items only in a table, and the
// button repeats the item last used; the external editors come from the
// options; the show-borders button switches the view and stays down.
TEST_F(EditorWindowTest, TableEditingExternalEditorsAndBorders)
{
    bars->Operation().Load(QStringLiteral("<html><head></head><body><p>Before.</p>"
                                          "<table><tr><td>a</td><td>b</td></tr></table></body></html>"),
                           dir.path() + QLatin1Char('/'));
    ASSERT_TRUE(QTest::qWaitFor([&] { return !editor->Busy() && bars->Operation().History().Position == 0; }));
    QWidget* target = keys();
    QMenu* table = bars->Menu(EDTAG_TABLEEDIT);
    ASSERT_NE(table, nullptr);
    QStringList captions;
    for (QAction* item : table->actions())
        captions.append(item->text());
    EXPECT_EQ(captions, (QStringList{"Insert Row", "Insert Column", "Append Row", "Append Column", "", "Delete Rows",
                                     "Delete Columns"}));
    QAction* insertColumn = table->actions()[1];

    QTest::mouseClick(target, Qt::LeftButton, {}, QPoint(20, 15)); // in "Before."
    ASSERT_TRUE(QTest::qWaitFor([&] { return !insertColumn->isEnabled(); }));
    EXPECT_FALSE(bars->Action(EDTAG_TABLEEDIT)->isEnabled()) << "the button inserts a row, here no row";

    // Into the first cell, by keys.
    QTest::keyClick(target, Qt::Key_Down);
    ASSERT_TRUE(QTest::qWaitFor([&] { return insertColumn->isEnabled(); }));
    EXPECT_FALSE(table->actions()[2]->isEnabled()) << "appending rows comes with the table dialogs";
    insertColumn->trigger();
    EXPECT_TRUE(editor->DocumentHTML().contains(QStringLiteral("<tr><td>&nbsp;</td><td>a</td><td>b</td></tr>")))
        << editor->DocumentHTML().toStdString();
    EXPECT_EQ(bars->Action(EDTAG_TABLEEDIT)->toolTip(), QStringLiteral("Insert Column"));
    bars->Action(EDTAG_TABLEEDIT)->trigger();
    EXPECT_TRUE(editor->DocumentHTML().contains(QStringLiteral("<td>&nbsp;</td><td>&nbsp;</td><td>a</td>")))
        << editor->DocumentHTML().toStdString();

    // External editors: the options' list, each handed to the hook.
    QStringList started;
    bars->Operation().ExternalEditor = {QStringLiteral("bluefish %1"), QStringLiteral("gedit %1")};
    bars->Operation().Hooks.ExternalEditor = [&](const QString& editor) { started.append(editor); };
    bars->MakeExternalEditor();
    QMenu* editors = bars->Menu(EDTAG_EXTERNALEDITOR);
    ASSERT_EQ(editors->actions().size(), 2);
    editors->actions()[1]->trigger();
    EXPECT_EQ(started, QStringList{QStringLiteral("gedit %1")});

    // Show borders: a view switch, not an edit; the button shows the view,
    // also the one the window's stored state chose.
    QAction* borders = bars->Action(EDTAG_SHOWBORDERS);
    const bool shown = editor->ShowBorders();
    EXPECT_EQ(borders->isChecked(), shown);
    const QString before = editor->DocumentHTML();
    borders->trigger();
    EXPECT_EQ(editor->ShowBorders(), !shown);
    EXPECT_EQ(borders->isChecked(), !shown);
    EXPECT_EQ(editor->DocumentHTML(), before);
    borders->trigger();
    EXPECT_EQ(editor->ShowBorders(), shown);
    EXPECT_EQ(borders->isChecked(), shown);
}
