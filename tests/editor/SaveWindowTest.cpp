#include "ui/MainWindowTestSupport.h"

#include "IDHTMLEdit.h"
#include "TPagePanel.h"
#include "TTopicTreeView.h"

#include <QApplication>
#include <QFile>
#include <QWebEngineView>

// Saving in the window right after typing writes every keystroke: the save
// reads the page only once the page has taken the keys sent to it.
TEST_F(MainWindowTest, TypingAndSavingAtOnceInTheWindowWritesTheLastKeystroke)
{
    const QString projectFile = copySample();
    TfrmMain& main = startWindow(projectFile);
    main.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&main));
    TopicNode* welcome = nullptr;
    main.Qrx.Tree().forEachNode([&](TopicNode* node) {
        if (node->entry().Url == QStringLiteral("topics\\welcome.htm"))
            welcome = node;
        return welcome == nullptr;
    });
    ASSERT_NE(welcome, nullptr);
    const QString file = main.Qrx.RootDir + QStringLiteral("topics/welcome.htm");
    TTopicTreeView* tree = main.TopicTreeView();
    const QModelIndex index = main.Qrx.Tree().indexOf(welcome);
    tree->scrollTo(index);
    QTest::mouseClick(tree->viewport(), Qt::LeftButton, {}, tree->visualRect(index).center());
    IDHTMLEdit* editor = main.Editor();
    ASSERT_TRUE(QTest::qWaitFor([&] { return !editor->Busy() && main.ViewsEnabled(); }, 20000));

    editor->widget()->setFocus();
    QWidget* keys = editor->widget()->findChild<QWebEngineView*>()->focusProxy();
    ASSERT_NE(keys, nullptr);
    QTest::keyClick(keys, Qt::Key_End, Qt::ControlModifier);
    QString typed;
    for (int round = 0; round < 10; ++round) {
        const QString word = QStringLiteral(" w%1x").arg(round);
        QTest::keyClicks(keys, word);
        typed += word;
        QTest::keyClick(keys, Qt::Key_S, Qt::ControlModifier); // at once
        QFile saved(file);
        ASSERT_TRUE(saved.open(QIODevice::ReadOnly));
        const QString text = QString::fromUtf8(saved.readAll());
        ASSERT_TRUE(text.contains(typed)) << "round " << round << ": the file lacks the last keystroke";
    }
    EXPECT_TRUE(prompts.Boxes.isEmpty()) << prompts.Texts().join('\n').toStdString();
}
