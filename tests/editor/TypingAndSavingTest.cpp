#include "OperationTestSupport.h"

#include "PageFiles.h"

#include <QFile>
#include <QTemporaryDir>

// Saving right after typing writes every keystroke: reading the page waits
// until the page has taken the keys already sent to it.
TEST_F(OperationTest, TypingAndSavingAtOnceWritesTheLastKeystroke)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString file = dir.filePath(QStringLiteral("page.htm"));
    open(page(QStringLiteral("<p>Typed:</p>")));
    ASSERT_TRUE(caretAfter(QStringLiteral("Typed:")));
    QWidget* target = keys();
    QString typed;
    for (int round = 0; round < 20; ++round) {
        const QString word = QStringLiteral("w%1x").arg(round);
        QTest::keyClicks(target, word); // and at once:
        ASSERT_TRUE(SaveHtmlFile(edit->DocumentHTML(), file));
        typed += word;
        QFile saved(file);
        ASSERT_TRUE(saved.open(QIODevice::ReadOnly));
        ASSERT_TRUE(QString::fromUtf8(saved.readAll()).contains(QStringLiteral("<p>Typed:") + typed + QStringLiteral("</p>")))
            << "round " << round;
    }
    EXPECT_TRUE(edit->IsDirty());
}

// A command key right after a selection made by keys acts on that selection.
TEST_F(OperationTest, ACommandKeySeesTheKeysTypedBeforeIt)
{
    open(page(QStringLiteral("<p>one two</p>")));
    ASSERT_TRUE(caretAfter(QStringLiteral("two")));
    QWidget* target = keys();
    for (int i = 0; i < 3; ++i)
        QTest::keyClick(target, Qt::Key_Left, Qt::ShiftModifier);
    QTest::keyClick(target, Qt::Key_B, Qt::ControlModifier);
    EXPECT_TRUE(edit->DocumentHTML().contains(QStringLiteral("<p>one <b>two</b></p>"))) << edit->DocumentHTML().toStdString();
}
