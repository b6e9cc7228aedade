// The tree commands in the main window: popup menu, tool bar and topic bar
// by selection, the add-topic dialog, renaming, link kinds, drawing, and
// dragging with the mouse.
#include "MainWindowTestSupport.h"

#include "QtPrinting.h"

#include "ColourContrast.h"

#include "TTopicTreeView.h"
#include "TfrmAddTopic.h"
#include "TfrmApplyTemplate.h"
#include "TopicTreeCommands.h"

#include <QAction>
#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QRadioButton>
#include <QScreen>
#include <QScrollBar>
#include <QSpinBox>
#include <QTest>
#include <QToolButton>
#include <QToolTip>
#include <QWindow>

#include <map>

namespace {

// A window with a project of this outline: two spaces per level, roots
// named "[T]", "[P]", "[M]". Topics link to "<title>.htm"; a title ending
// in "!" is a heading.
class TreeEditingWindow : public MainWindowTest {
protected:
    TfrmMain& open(const QStringList& lines)
    {
        const QString folder = dir.filePath(QStringLiteral("project"));
        root = folder + QStringLiteral("/html/");
        QDir().mkpath(root);
        TQrx project;
        project.Title = QStringLiteral("Tree");
        project.RootDir = root;
        std::vector<TopicNode*> path;
        for (const QString& line : lines) {
            if (line.startsWith(QLatin1Char('['))) {
                path = {project.Tree().root(line == QLatin1String("[T]") ? 0 : line == QLatin1String("[P]") ? 1 : 2)};
                continue;
            }
            const int depth = int(line.size() - line.trimmed().size()) / 2 + 1;
            path.resize(size_t(depth));
            QString title = line.trimmed();
            TLeftTreeData entry;
            if (title.endsWith(QLatin1Char('!'))) {
                title.chop(1);
                entry.Status = StatusNoLink;
            } else {
                entry.Url = title + QStringLiteral(".htm");
            }
            path.push_back(project.Tree().appendNode(path[size_t(depth - 1)], title, entry));
        }
        project.SetIcon();
        const QString file = folder + QStringLiteral("/tree.qrx");
        project.SaveToIni(file);
        TfrmMain& main = startWindow(file);
        prompts.OnMessage = [this](IUserPrompts::Kind kind, const QString& text, IUserPrompts::Buttons) {
            messages.append(text);
            icons.append(kind);
            return messageAnswer;
        };
        main.ExecDialog = [this](QDialog& dialog) { return runDialog ? runDialog(dialog) : int(QDialog::Rejected); };
        prompts.OnChooseFiles = [this](const QString&, const QString& filter, const QString&, bool several) {
            fileFilters.append(filter + (several ? QStringLiteral(" (several)") : QString()));
            return chosenFiles;
        };
        prompts.OnAskText = [this](const QString&, const QString&, const QString& text) -> std::optional<QString> {
            proposedTexts.append(text);
            return textAnswers.isEmpty() ? std::nullopt : textAnswers.takeFirst();
        };
        view = main.TopicTreeView();
        tree = &main.Qrx.Tree();
        main.Action(TCommandId::ExpandAll)->trigger();
        return main;
    }

    TopicNode* find(const QString& title) const
    {
        TopicNode* found = nullptr;
        tree->forEachNode([&](TopicNode* node) {
            if (node->text() == title)
                found = node;
            return found == nullptr;
        });
        return found;
    }

    QStringList children(const QString& title) const
    {
        QStringList result;
        const TopicNode* node = find(title);
        for (int row = 0; node != nullptr && row < node->childCount(); ++row)
            result << node->child(row)->text();
        return result;
    }

    QRect rowOf(const QString& title) const { return view->visualRect(tree->indexOf(find(title))); }

    // The darkest grey (0 black to 255 white) the labels "标题:" and "网址:" are drawn in.
    int labelInk() const
    {
        int darkest = 255;
        for (QLabel* label : window->findChildren<QLabel*>()) {
            if (label->text() != QStringLiteral("标题:") && label->text() != QStringLiteral("网址:"))
                continue;
            const QImage picture = label->grab().toImage();
            for (int y = 0; y < picture.height(); ++y)
                for (int x = 0; x < picture.width(); ++x)
                    darkest = std::min(darkest, qGray(picture.pixel(x, y)));
        }
        return darkest;
    }

    void click(const QString& title, Qt::KeyboardModifiers keys = {})
    {
        QTest::mouseClick(view->viewport(), Qt::LeftButton, keys, rowOf(title).center());
    }

    // The popup menu after a right click on the node.
    QStringList popupAt(const QString& title)
    {
        const QPoint position = rowOf(title).center();
        QContextMenuEvent event(QContextMenuEvent::Mouse, position, view->viewport()->mapToGlobal(position));
        QApplication::sendEvent(view->viewport(), &event);
        QMenu* menu = window->TreePopup();
        EXPECT_TRUE(menu->isVisible());
        QStringList entries;
        for (const QAction* action : menu->actions()) {
            if (!action->isSeparator() && action->isVisible())
                entries << action->text() + (action->isEnabled() ? QString() : QStringLiteral(" (disabled)"));
        }
        menu->hide();
        return entries;
    }

    // The popup's entry of that caption, also inside its submenu.
    QAction* popupEntry(const QString& text) const
    {
        QList<QAction*> actions = window->TreePopup()->actions();
        for (qsizetype i = 0; i < actions.size(); ++i) {
            if (actions[i]->text() == text)
                return actions[i];
            if (actions[i]->menu() != nullptr)
                actions += actions[i]->menu()->actions();
        }
        ADD_FAILURE() << "no popup entry " << text.toStdString();
        return nullptr;
    }

    QString root;
    TTopicTreeView* view = nullptr;
    TopicTree* tree = nullptr;
    QStringList messages;
    QList<IUserPrompts::Kind> icons;
    IUserPrompts::Button messageAnswer = IUserPrompts::No;
    std::function<int(QDialog&)> runDialog;
    QStringList fileFilters;
    QStringList chosenFiles;
    QStringList proposedTexts;
    QList<std::optional<QString>> textAnswers;
};

const QStringList AroundEntries{"之前添加", "在之后添加", "添加子级", "添加结尾"};

TEST_F(TreeEditingWindow, PopupMenuByTheKindOfTheNodeClicked)
{
    open({"[T]", "A", "B", "[P]", "P", "[M]", "M"});
    const QStringList common{"层叠", "扩展", "排序"};
    const QStringList topicEntries = AroundEntries + QStringList{"删除", "更改标题"} + common;
    EXPECT_EQ(popupAt("A"), topicEntries + QStringList{"设置为默认主题"});
    EXPECT_EQ(tree->selected(), find("A")) << "the right click focused the node";
    EXPECT_EQ(popupAt("P"), topicEntries + QStringList{"设置为默认主题"});
    EXPECT_EQ(popupAt("M"), (topicEntries + QStringList{"使用此模板", "不使用任何模板"}));
    const QStringList rootEntries = QStringList{"删除 (disabled)", "更改标题 (disabled)"} + common;
    EXPECT_EQ(popupAt("Templates"), QStringList{"添加模板..."} + rootEntries + QStringList{"不使用任何模板"});
    EXPECT_EQ(popupAt("Pages out of TOC"), QStringList{"添加页面..."} + rootEntries);
    EXPECT_EQ(popupAt("Table of contents"), QStringList{"将页面添加到目录..."} + rootEntries);

    // A right click inside the selection focuses that node and keeps the rest.
    tree->setSelection({find("A"), find("B")});
    popupAt("B");
    EXPECT_EQ(tree->selection(), (QList<TopicNode*>{find("B"), find("A")}));

    // The menu key opens the focused node's menu wherever the mouse is.
    tree->select(find("M"));
    QContextMenuEvent key(QContextMenuEvent::Keyboard, rowOf("A").center(), view->viewport()->mapToGlobal(rowOf("A").center()));
    QApplication::sendEvent(view->viewport(), &key);
    EXPECT_TRUE(window->TreePopup()->isVisible());
    EXPECT_TRUE(window->Action(TCommandId::UseThisTemplate)->isVisible());
    EXPECT_EQ(tree->selected(), find("M"));
    window->TreePopup()->hide();
}

// Text drawn grey is lighter than this; text in the normal colour darker than BlackInk.
constexpr int GreyInk = 120;
constexpr int BlackInk = 80;

TEST_F(TreeEditingWindow, TopicBarAndToolBarFollowTheSelection)
{
    TfrmMain& main = open({"[T]", "A", "B", "Heading!", "[P]", "P"});
    QAction* remove = main.Action(TCommandId::DeleteSelection);

    tree->select(main.Qrx.tnTableOfContents);
    EXPECT_FALSE(remove->isEnabled());
    EXPECT_FALSE(main.Action(TCommandId::MoveUp)->isEnabled());
    EXPECT_TRUE(main.Action(TCommandId::AddTopic)->isEnabled());
    EXPECT_TRUE(main.TopicLabelsGrey());
    EXPECT_GT(labelInk(), GreyInk) << "drawn grey";
    EXPECT_FALSE(main.TitleField()->isEnabled());
    EXPECT_FALSE(main.IconPicker()->isEnabled());
    EXPECT_FALSE(main.Action(TCommandId::LinkBlankPage)->isEnabled());

    tree->select(find("A"));
    EXPECT_TRUE(remove->isEnabled());
    EXPECT_FALSE(main.TopicLabelsGrey());
    EXPECT_LT(labelInk(), BlackInk) << "drawn in the normal text colour";
    EXPECT_TRUE(main.TitleField()->isEnabled());
    EXPECT_EQ(main.TitleField()->text(), "A");
    EXPECT_EQ(main.UrlField()->text(), "A.htm");
    EXPECT_TRUE(main.Action(TCommandId::LinkExistingPage)->isEnabled());
    EXPECT_TRUE(main.IconPicker()->isEnabled());
    EXPECT_EQ(main.IconPicker()->currentIndex(), 0);
    tree->select(find("Heading"));
    EXPECT_EQ(main.UrlField()->text(), "(no-link)");
    tree->select(find("P"));
    EXPECT_FALSE(main.IconPicker()->isEnabled()) << "icons belong to the table of contents";

    // Two topics: fields emptied and disabled, the picker sets both icons.
    tree->setSelection({find("A"), find("B")});
    EXPECT_TRUE(main.TopicLabelsGrey());
    EXPECT_GT(labelInk(), GreyInk) << "grey with the fields they name";
    EXPECT_FALSE(main.TitleField()->isEnabled());
    EXPECT_TRUE(main.TitleField()->text().isEmpty());
    EXPECT_FALSE(main.Action(TCommandId::NoLink)->isEnabled());
    EXPECT_TRUE(main.IconPicker()->isEnabled());
    EXPECT_FALSE(main.ViewsEnabled());
    main.IconPicker()->setCurrentIndex(9);
    emit main.IconPicker()->activated(9);
    EXPECT_EQ(find("A")->entry().Icon, 9);
    EXPECT_EQ(find("B")->entry().Icon, 9);
    EXPECT_EQ(find("B")->imageIndex(), 8);
    EXPECT_TRUE(main.Qrx.ProjectChanged);
    tree->setSelection({find("B"), find("A")});
    EXPECT_EQ(main.IconPicker()->currentIndex(), 9) << "the icon both share";
}

TEST_F(TreeEditingWindow, DeleteAsksAndMovesWorkFromTheToolBar)
{
    TfrmMain& main = open({"[T]", "A", "B", "  B1", "C"});
    tree->select(find("B"));
    main.Action(TCommandId::DeleteSelection)->trigger();
    EXPECT_EQ(messages, QStringList{"Are you sure to delete the selections?"});
    EXPECT_EQ(icons, QList<IUserPrompts::Kind>{IUserPrompts::Kind::Information});
    EXPECT_EQ(children("Table of contents"), (QStringList{"A", "B", "C"}));
    EXPECT_FALSE(main.Qrx.ProjectChanged);

    main.Action(TCommandId::MoveUp)->trigger();
    EXPECT_EQ(children("Table of contents"), (QStringList{"B", "A", "C"}));
    main.Action(TCommandId::MoveRightAddHeading)->trigger();
    EXPECT_EQ(children("Table of contents"), (QStringList{"New Item", "A", "C"}));
    EXPECT_EQ(children("New Item"), QStringList{"B"});
    EXPECT_EQ(tree->selected(), find("B")) << "the selection stays";
    main.Action(TCommandId::MoveLeft)->trigger();
    EXPECT_EQ(children("Table of contents"), (QStringList{"New Item", "B", "A", "C"}));

    messageAnswer = IUserPrompts::Yes;
    main.Action(TCommandId::DeleteSelection)->trigger();
    EXPECT_EQ(children("Table of contents"), (QStringList{"New Item", "A", "C"}));
    EXPECT_EQ(find("B1"), nullptr) << "its children went with it";
    EXPECT_TRUE(main.Qrx.ProjectChanged);
}

TEST_F(TreeEditingWindow, RenameInPlaceGoesToTheTitleField)
{
    TfrmMain& main = open({"[T]", "A", "B"});
    tree->select(find("A"));
    popupEntry("更改标题")->trigger();
    auto* editor = view->viewport()->findChild<QLineEdit*>();
    ASSERT_NE(editor, nullptr);
    editor->setText(QStringLiteral("Alpha"));
    QTest::keyClick(editor, Qt::Key_Return);
    ASSERT_TRUE(QTest::qWaitFor([&] { return find("Alpha") != nullptr; })); // the delegate commits after the key
    EXPECT_EQ(find("Alpha"), tree->selected());
    EXPECT_EQ(main.TitleField()->text(), "Alpha");
    EXPECT_TRUE(main.Qrx.ProjectChanged);

    // Roots keep their names.
    EXPECT_FALSE(view->editTitle(main.Qrx.tnTemplates));
    EXPECT_FALSE(view->isEditing());
    EXPECT_EQ(main.Qrx.tnTemplates->text(), "Templates");
}

TEST_F(TreeEditingWindow, SortExpandAndCollapseFromThePopup)
{
    TfrmMain& main = open({"[T]", "Root!", "  b", "    z", "    y", "  B", "  a", "[P]", "P"});
    tree->select(find("Root"));
    popupEntry("一级子项")->trigger();
    EXPECT_EQ(children("Root"), (QStringList{"a", "b", "B"}));
    EXPECT_EQ(children("b"), (QStringList{"z", "y"}));
    popupEntry("所有子项目")->trigger();
    EXPECT_EQ(children("b"), (QStringList{"y", "z"}));
    EXPECT_TRUE(main.Qrx.ProjectChanged);

    popupEntry("层叠")->trigger();
    EXPECT_FALSE(view->isExpanded(tree->indexOf(find("Root"))));
    EXPECT_FALSE(find("b")->expanded());
    popupEntry("扩展")->trigger();
    EXPECT_TRUE(view->isExpanded(tree->indexOf(find("b"))));

    main.Action(TCommandId::CollapseAll)->trigger();
    EXPECT_FALSE(view->isExpanded(tree->indexOf(main.Qrx.tnTableOfContents)));
    EXPECT_FALSE(find("b")->expanded());
    EXPECT_EQ(tree->selected(), find("Root")) << "the focused node stays focused";
    main.Action(TCommandId::ExpandAll)->trigger();
    EXPECT_TRUE(view->isExpanded(tree->indexOf(find("b"))));
    EXPECT_TRUE(view->isExpanded(tree->indexOf(main.Qrx.tnUnvisiblePages)));
}

// The dialog's pages and captions, then a thousand pages from files: the
// project written afterwards reads back to the same tree.
TEST_F(TreeEditingWindow, AddingAThousandTopicsFromFilesSavesAndReadsBack)
{
    TfrmMain& main = open({"[T]", "A", "B", "[P]", "P"});
    QDir().mkpath(root + QStringLiteral("pages"));
    for (int i = 0; i < 1000; ++i) {
        const QString file = root + QStringLiteral("pages/page%1.htm").arg(999 - i);
        QFile page(file);
        ASSERT_TRUE(page.open(QIODevice::WriteOnly));
        page.write(QStringLiteral("<html><head><title>Seite %1 ü</title></head><body></body></html>").arg(i).toUtf8());
        chosenFiles << file;
    }
    tree->select(find("A"));
    QStringList captions;
    runDialog = [&](QDialog& dialog) {
        auto* add = qobject_cast<TfrmAddTopic*>(&dialog);
        EXPECT_NE(add, nullptr);
        if (add == nullptr)
            return int(QDialog::Rejected);
        captions << add->windowTitle();
        for (int page = 0; page < 3; ++page)
            captions << add->pageButton(page)->text();
        EXPECT_TRUE(add->pageButton(0)->isChecked());
        EXPECT_TRUE(add->insertModeList()->isEnabled());
        EXPECT_EQ(add->insertModeList()->currentText(), "Insert after");
        EXPECT_TRUE(add->typeButton(TAddTopic::NewPages)->isChecked());
        EXPECT_TRUE(add->countBox()->isVisibleTo(add));
        EXPECT_FALSE(add->titleSourceList()->isVisibleTo(add));

        // Another page: the list shows "Append", disabled; back again.
        add->pageButton(1)->click();
        EXPECT_FALSE(add->insertModeList()->isEnabled());
        EXPECT_EQ(add->insertModeList()->currentText(), "Append");
        add->pageButton(0)->click();
        add->insertModeList()->setCurrentIndex(0);
        emit add->insertModeList()->activated(0); // "Insert end"

        add->typeButton(TAddTopic::ExistingFiles)->click();
        EXPECT_EQ(add->typeButton(TAddTopic::ExistingFiles)->text(), "链接到现有 HTML 文件");
        EXPECT_TRUE(add->titleSourceList()->isVisibleTo(add));
        EXPECT_FALSE(add->countBox()->isVisibleTo(add));
        add->titleSourceList()->setCurrentIndex(0);
        emit add->titleSourceList()->activated(0);
        return int(QDialog::Accepted);
    };
    popupEntry("在之后添加")->trigger();
    EXPECT_EQ(captions, (QStringList{"添加新主题", "目录页", "非内容页面", "模板"}));
    EXPECT_EQ(fileFilters, QStringList{"HTML file (*.html, *.htm)|*.html;*.htm (several)"});
    ASSERT_EQ(tree->topicCount(), 1003);
    const TopicNode* contents = main.Qrx.tnTableOfContents;
    EXPECT_EQ(contents->child(2)->text(), "Seite 0 ü");
    EXPECT_EQ(contents->child(2)->entry().Url, "pages\\page999.htm");
    EXPECT_EQ(contents->child(1001)->text(), "Seite 999 ü");
    EXPECT_EQ(tree->selection().size(), 1000);
    EXPECT_FALSE(view->isEditing()) << "pages from files are not renamed at once";

    ASSERT_TRUE(main.Save());
    TQrx reread;
    reread.ReadFromIni(main.Qrx.ProjectFilename);
    QStringList before;
    QStringList after;
    main.Qrx.Tree().forEachNode([&](const TopicNode* node) {
        before << QString::number(node->depth()) + node->text() + "|" + node->entry().Url;
        return true;
    });
    reread.Tree().forEachNode([&](const TopicNode* node) {
        after << QString::number(node->depth()) + node->text() + "|" + node->entry().Url;
        return true;
    });
    EXPECT_EQ(after, before);
}

TEST_F(TreeEditingWindow, OneNewPageIsRenamedAtOnce)
{
    TfrmMain& main = open({"[T]", "A", "[M]", "M"});
    tree->select(find("M"));
    runDialog = [](QDialog& dialog) {
        auto* add = qobject_cast<TfrmAddTopic*>(&dialog);
        EXPECT_EQ(add->choices().Page(), TAddTopic::PageTemplates);
        add->typeButton(TAddTopic::NewPages)->click();
        EXPECT_EQ(add->typeButton(TAddTopic::NewPages)->text(), "新模板");
        EXPECT_FALSE(add->catalogueList()->isVisibleTo(add));
        return int(QDialog::Accepted);
    };
    main.Action(TCommandId::AddTopic)->trigger();
    ASSERT_EQ(children("Templates"), (QStringList{"New Template", "M"})) << "before the focused template";
    EXPECT_TRUE(view->isEditing());
    auto* editor = view->viewport()->findChild<QLineEdit*>();
    ASSERT_NE(editor, nullptr);
    editor->setText(QStringLiteral("Chapter frame"));
    QTest::keyClick(editor, Qt::Key_Return);
    ASSERT_TRUE(QTest::qWaitFor([&] { return find("Chapter frame") != nullptr; })); // committed after the key
    EXPECT_EQ(children("Templates"), (QStringList{"Chapter frame", "M"}));
    EXPECT_EQ(main.UrlField()->text(), "(unsaved)");

    // Cancel adds nothing.
    runDialog = [](QDialog&) { return int(QDialog::Rejected); };
    main.Action(TCommandId::AddTopic)->trigger();
    EXPECT_EQ(tree->topicCount(), 3);
}

// The built-in templates of the program's own catalogue.
TEST_F(TreeEditingWindow, BuiltInTemplateFromTheCatalogue)
{
    TfrmMain& main = open({"[T]", "A", "[M]", "M"});
    main.Qrx.Encoding = QStringLiteral("utf-8");
    tree->select(main.Qrx.tnTemplates);
    QStringList names;
    bool picture = false;
    runDialog = [&](QDialog& dialog) {
        auto* add = qobject_cast<TfrmAddTopic*>(&dialog);
        EXPECT_FALSE(add->insertModeList()->isEnabled());
        EXPECT_TRUE(add->typeButton(TAddTopic::BuiltInTemplate)->isChecked());
        EXPECT_EQ(add->typeButton(TAddTopic::BuiltInTemplate)->text(), "预构建模板");
        for (int row = 0; row < add->catalogueList()->count(); ++row)
            names << add->catalogueList()->item(row)->text();
        add->catalogueList()->setCurrentRow(1);
        picture = !add->picture()->pixmap().isNull();
        return int(QDialog::Accepted);
    };
    textAnswers = {QStringLiteral("styles")};
    messageAnswer = IUserPrompts::Yes;
    popupEntry("添加模板...")->trigger();
    EXPECT_EQ(names, (QStringList{"Fixed Top", "MSN Style"}));
    EXPECT_TRUE(picture);
    EXPECT_EQ(proposedTexts, QStringList{"template"});
    EXPECT_EQ(messages, QStringList{"Set this template as default template?"});
    ASSERT_EQ(children("Templates"), (QStringList{"M", "MSN Style"}));
    TopicNode* added = find("MSN Style");
    EXPECT_EQ(added->entry().Url, "styles\\msn.htm");
    EXPECT_TRUE(QFile::exists(root + "styles/msn.css"));
    EXPECT_EQ(main.Qrx.HtmlHelpTemplate, "styles\\msn.htm");
    EXPECT_EQ(tree->selected(), added);

    // Its hint says which outputs use it.
    const QPoint position = rowOf("MSN Style").center();
    QHelpEvent help(QEvent::ToolTip, position, view->viewport()->mapToGlobal(position));
    QApplication::sendEvent(view->viewport(), &help);
    EXPECT_EQ(QToolTip::text(), "For HTML Help and Web Help");
    QToolTip::hideText();

    popupEntry("不使用任何模板")->trigger();
    EXPECT_TRUE(main.Qrx.HtmlHelpTemplate.isEmpty());
    EXPECT_TRUE(main.Qrx.WebHelpTemplate.isEmpty());
    EXPECT_EQ(added->stateIndex(), 2);
}

TEST_F(TreeEditingWindow, DefaultTopicAndTemplatesRefuseUnlinkedTopics)
{
    TfrmMain& main = open({"[T]", "A", "Heading!", "[M]", "M", "Frame!"});
    tree->select(find("Heading"));
    popupEntry("设置为默认主题")->trigger();
    EXPECT_EQ(messages, QStringList{"Cannot set a no-link topic as default."});
    find("Heading")->entry().Status = StatusUnsaved;
    popupEntry("设置为默认主题")->trigger();
    EXPECT_EQ(messages.last(), "Cannot set an unsaved topic as default.");
    tree->select(find("A"));
    popupEntry("设置为默认主题")->trigger();
    EXPECT_EQ(main.Qrx.DefaultTopic, "A.htm");

    tree->select(find("Frame"));
    popupEntry("使用此模板")->trigger();
    EXPECT_EQ(messages.last(), "Cannot set a no-link topic as default.");
    QString dialogClass;
    runDialog = [&](QDialog& dialog) {
        dialogClass = dialog.metaObject()->className();
        return int(QDialog::Rejected);
    };
    tree->select(find("M"));
    popupEntry("使用此模板")->trigger();
    EXPECT_EQ(dialogClass, "TfrmApplyTemplate");
}

TEST_F(TreeEditingWindow, LinkKindsOfTheTopicBar)
{
    TfrmMain& main = open({"[T]", "A", "B"});
    tree->select(find("A"));
    main.Action(TCommandId::LinkBlankPage)->trigger();
    EXPECT_EQ(messages, QStringList{"Are you sure to link to a blank page?"});
    EXPECT_EQ(find("A")->entry().Url, "A.htm");
    messageAnswer = IUserPrompts::Yes;
    main.Action(TCommandId::LinkBlankPage)->trigger();
    EXPECT_EQ(find("A")->entry().Status, StatusUnsaved);
    EXPECT_EQ(main.UrlField()->text(), "(unsaved)");
    main.UpdateIdle();
    EXPECT_FALSE(main.Action(TCommandId::LinkBlankPage)->isEnabled());
    main.Action(TCommandId::NoLink)->trigger();
    EXPECT_EQ(messages.size(), 2) << "an unsaved page is not asked about";
    EXPECT_EQ(main.UrlField()->text(), "(no-link)");

    // A page outside the project folder asks a warning and keeps its absolute path.
    const QString outside = dir.filePath(QStringLiteral("elsewhere/page.htm"));
    chosenFiles = {outside};
    main.Action(TCommandId::LinkExistingPage)->trigger();
    EXPECT_EQ(fileFilters, QStringList{"HTML 文件 (*.html, *.htm)|*.html;*.htm"});
    EXPECT_EQ(messages.last(), "\"" + outside + "\" is out of project folder, so it cannot be packd into chm file. Continue?");
    EXPECT_EQ(icons.last(), IUserPrompts::Kind::Warning);
    EXPECT_EQ(find("A")->entry().Url, outside);
    EXPECT_EQ(find("A")->entry().Status, StatusLinked);
    EXPECT_EQ(main.UrlField()->text(), outside);
    chosenFiles = {root + "sub/b.htm"};
    main.Action(TCommandId::LinkExistingPage)->trigger();
    EXPECT_EQ(find("A")->entry().Url, "sub\\b.htm");
}

// Rows are drawn as the rules say: the selected row blue on silver, the
// default topic red.
TEST_F(TreeEditingWindow, DefaultTopicIsRedAndTheSelectionSilver)
{
    TfrmMain& main = open({"[T]", "A", "B", "C"});
    main.Qrx.DefaultTopic = QStringLiteral("b.HTM");
    tree->select(find("C"));
    ASSERT_TRUE(QTest::qWaitFor([&] { return view->currentIndex() == tree->indexOf(find("C")); }));
    view->viewport()->repaint();
    const QImage picture = view->viewport()->grab().toImage();
    const auto count = [&](const QRect& rect, auto matches) {
        int found = 0;
        for (int y = rect.top(); y <= rect.bottom(); ++y)
            for (int x = rect.left(); x <= rect.right(); ++x)
                found += matches(picture.pixelColor(x, y)) ? 1 : 0;
        return found;
    };
    const auto red = [](const QColor& c) { return c.red() > 180 && c.green() < 90 && c.blue() < 90; };
    const auto silver = [](const QColor& c) { return c == QColor(192, 192, 192); };
    const auto blue = [](const QColor& c) { return c.blue() > 180 && c.red() < 90 && c.green() < 90; };
    EXPECT_GT(count(rowOf("B"), red), 3);
    EXPECT_EQ(count(rowOf("A"), red), 0);
    EXPECT_GT(count(rowOf("C"), silver), rowOf("C").width());
    EXPECT_GT(count(rowOf("C"), blue), 3);
    EXPECT_EQ(count(rowOf("A"), silver), 0);

    main.Qrx.DefaultTopic.clear();
    view->viewport()->repaint();
    const QImage plain = view->viewport()->grab().toImage();
    int redLeft = 0;
    for (int y = rowOf("B").top(); y <= rowOf("B").bottom(); ++y)
        for (int x = rowOf("B").left(); x <= rowOf("B").right(); ++x)
            redLeft += red(plain.pixelColor(x, y)) ? 1 : 0;
    EXPECT_EQ(redLeft, 0);
}

// Shift+click selects the visible rows between the focused topic and the
// one clicked, however the focus got there; further Shift+clicks redraw
// the range from the same start.
TEST_F(TreeEditingWindow, ShiftClickRangesFromTheFocusedTopic)
{
    open({"[T]", "A", "B", "  B1", "C", "D", "E", "F"});
    tree->setExpanded(find("B"), false);
    ASSERT_TRUE(QTest::qWaitFor([&] { return !view->isExpanded(tree->indexOf(find("B"))); }));
    const auto selection = [&](const QStringList& titles) {
        QList<TopicNode*> nodes;
        for (const QString& title : titles)
            nodes << find(title);
        return nodes;
    };

    click("A");
    tree->select(find("D")); // focused by a command, not by a click
    click("F", Qt::ShiftModifier);
    EXPECT_EQ(tree->selection(), selection({"F", "D", "E"})) << "the clicked topic focused, then tree order";
    click("A", Qt::ShiftModifier);
    EXPECT_EQ(tree->selection(), selection({"A", "B", "C", "D"})) << "from the same start; B1 is hidden";

    click("E");
    click("C", Qt::ShiftModifier);
    EXPECT_EQ(tree->selection(), selection({"C", "D", "E"}));

    // A right click focuses too.
    popupAt("A");
    click("C", Qt::ShiftModifier);
    EXPECT_EQ(tree->selection(), selection({"C", "A", "B"}));

    // Ctrl+click still adds one topic.
    click("F", Qt::ControlModifier);
    EXPECT_EQ(tree->selection().size(), 4);
    EXPECT_TRUE(tree->selection().contains(find("F")));
}

// The icon picker's list holds "Auto" and 1-42, each with its picture, and
// shows every one whole: nothing cut off at the side, each reachable.
TEST_F(TreeEditingWindow, IconListShowsEveryNumber)
{
    TfrmMain& main = open({"[T]", "A"});
    tree->select(find("A"));
    QComboBox* picker = main.IconPicker();
    ASSERT_EQ(picker->count(), 43);
    picker->showPopup();
    QAbstractItemView* list = picker->view();
    ASSERT_TRUE(QTest::qWaitFor([&] { return list->isVisible(); }));
    for (int row = 0; row < picker->count(); ++row) {
        SCOPED_TRACE(row);
        const QModelIndex index = picker->model()->index(row, 0);
        EXPECT_EQ(index.data().toString(), row == 0 ? QStringLiteral("Auto") : QString::number(row));
        if (row > 0) {
            const QImage picture = qvariant_cast<QIcon>(index.data(Qt::DecorationRole)).pixmap(16).toImage();
            int inked = 0;
            for (int y = 0; y < picture.height(); ++y)
                for (int x = 0; x < picture.width(); ++x)
                    inked += qAlpha(picture.pixel(x, y)) > 0 ? 1 : 0;
            EXPECT_GT(inked, 16) << "a picture beside the number";
        }
        // Scrolled to as the list's arrows do, a step at a time.
        const auto shown = [&] { return list->viewport()->rect().contains(list->visualRect(index)); };
        for (int step = 0; step < picker->count() && !shown(); ++step)
            list->verticalScrollBar()->triggerAction(QAbstractSlider::SliderSingleStepAdd);
        EXPECT_TRUE(shown()) << "shown whole";
        EXPECT_GE(list->visualRect(index).width(), list->sizeHintForIndex(index).width())
            << "room for the picture and the number";
    }
    picker->hidePopup();
    picker->setCurrentIndex(42);
    EXPECT_GE(picker->width(), picker->sizeHint().width()) << "the field shows the widest entry whole";
}

// ---- dragging with the mouse ----------------------------------------------------

class TreeDragging : public TreeEditingWindow {
protected:
    // A point inside the row of `title`, `offset` pixels below its top edge.
    QPoint at(const QString& title, int offset) const
    {
        const QRect row = rowOf(title);
        return QPoint(row.left() + 40, row.top() + offset);
    }

    // Hover expansion and auto-scroll at test speed.
    static constexpr int HoverExpandMs = 100;
    static constexpr int AutoScrollMs = 20;

    TfrmMain& openForDragging(const QStringList& lines)
    {
        TfrmMain& main = open(lines);
        view->SetDragTimings(HoverExpandMs, AutoScrollMs);
        return main;
    }

    // "Topic 000" to "Topic 199", too many to show at once; the bar that scrolls them.
    QScrollBar* openLongTree()
    {
        QStringList lines{"[T]"};
        for (int i = 0; i < 200; ++i)
            lines << QStringLiteral("Topic %1").arg(i, 3, 10, QLatin1Char('0'));
        openForDragging(lines);
        return view->verticalScrollBar();
    }

    void press(const QPoint& position) { QTest::mousePress(view->viewport(), Qt::LeftButton, {}, position); }
    void moveTo(const QPoint& position) { QTest::mouseMove(view->viewport(), position); }
    void release(const QPoint& position) { QTest::mouseRelease(view->viewport(), Qt::LeftButton, {}, position); }

    // The viewport as the screen shows it: the window's backing store, where
    // pixels left by a scroll stay (grab() would paint everything afresh).
    QImage onScreen() const
    {
        QWidget* top = view->window();
        const QPoint origin = view->viewport()->mapTo(top, QPoint(0, 0));
        const QSize size = view->viewport()->size();
        return top->windowHandle()->screen()
            ->grabWindow(top->winId(), origin.x(), origin.y(), size.width(), size.height())
            .toImage();
    }

    // Where the screen shows red marker lines: the top row of each run of
    // rows holding a stretch of red.
    QList<int> markerLinesShown() const
    {
        const QImage picture = onScreen();
        QList<int> lines;
        bool inLine = false;
        for (int y = 0; y < picture.height(); ++y) {
            int red = 0;
            for (int x = 0; x < picture.width(); ++x) {
                const QColor c = picture.pixelColor(x, y);
                red += c.red() > 200 && c.green() < 60 && c.blue() < 60 ? 1 : 0;
            }
            const bool marked = red >= 16;
            if (marked && !inLine)
                lines.append(y);
            inLine = marked;
        }
        return lines;
    }
};

TEST_F(TreeDragging, ZonesMarkerStatusAndDrop)
{
    TfrmMain& main = openForDragging({"[T]", "A", "B", "  B1", "C", "D", "[P]", "P"});
    tree->setExpanded(find("B"), false);
    ASSERT_TRUE(QTest::qWaitFor([&] { return !view->isExpanded(tree->indexOf(find("B"))); }));
    ASSERT_GE(rowOf("C").height(), 14) << "the zones need rows of usual height";
    const int height = rowOf("C").height();

    press(at("A", height / 2));
    EXPECT_EQ(tree->selection(), QList<TopicNode*>{find("A")});
    moveTo(at("A", height / 2 + 1));
    EXPECT_FALSE(view->isDragging()) << "within the drag distance";

    moveTo(at("C", height - 2));
    ASSERT_TRUE(view->isDragging());
    EXPECT_EQ(view->dragState(), TopicTreeCommands::DropAfter);
    EXPECT_EQ(view->dropTarget(), find("C"));
    EXPECT_EQ(main.StatusHint(), "Insert After");
    EXPECT_EQ(view->markerRect(), QRect(1 * view->indentation() + 3, rowOf("C").bottom(), 32, 2));
    EXPECT_EQ(view->viewport()->cursor().shape(), Qt::DragMoveCursor);
    main.UpdateIdle();
    EXPECT_EQ(main.StatusHint(), "Insert After") << "the idle hint leaves the drag's mode alone";

    moveTo(at("C", 2));
    EXPECT_EQ(view->dragState(), TopicTreeCommands::DropBefore);
    EXPECT_EQ(view->markerRect().top(), rowOf("C").top() - 1);
    EXPECT_EQ(main.StatusHint(), "Insert Before");

    // The child zone of a collapsed node opens it after a second.
    moveTo(at("B", 7));
    EXPECT_EQ(view->dragState(), TopicTreeCommands::DropAsChild);
    EXPECT_TRUE(view->markerRect().isEmpty());
    EXPECT_EQ(main.StatusHint(), "Insert As a Child");
    EXPECT_TRUE(view->hoverTimerActive());
    EXPECT_FALSE(view->isExpanded(tree->indexOf(find("B"))));
    EXPECT_TRUE(QTest::qWaitFor([&] { return view->isExpanded(tree->indexOf(find("B"))); }));
    EXPECT_TRUE(find("B")->expanded());
    EXPECT_FALSE(view->hoverTimerActive());

    // Over the dragged node itself no drop is taken.
    moveTo(at("A", height / 2));
    EXPECT_EQ(view->dropTarget(), nullptr);
    EXPECT_EQ(view->viewport()->cursor().shape(), Qt::ForbiddenCursor);
    EXPECT_EQ(main.StatusHint(), "");

    release(at("D", height - 2));
    EXPECT_FALSE(view->isDragging());
    EXPECT_EQ(children("Table of contents"), (QStringList{"B", "C", "D", "A"}));
    EXPECT_EQ(tree->selection(), QList<TopicNode*>{find("A")});
    EXPECT_TRUE(view->markerRect().isEmpty());
    EXPECT_EQ(view->dropTarget(), nullptr);
    EXPECT_TRUE(main.Qrx.ProjectChanged);
    main.UpdateIdle();
    EXPECT_NE(main.StatusHint(), "Insert After");
}

TEST_F(TreeDragging, SeveralTopicsOntoAnotherRoot)
{
    TfrmMain& main = openForDragging({"[T]", "A", "B", "C", "[P]", "P"});
    const int height = rowOf("A").height();
    tree->setSelection({find("C"), find("A")});

    // Pressing inside the selection keeps it for the drag.
    press(at("A", height / 2));
    EXPECT_EQ(tree->selection().size(), 2);
    moveTo(at("Pages out of TOC", 2));
    ASSERT_TRUE(view->isDragging());
    EXPECT_EQ(view->dragState(), TopicTreeCommands::DropAsChild) << "a root always takes children";
    EXPECT_EQ(view->viewport()->cursor().shape(), Qt::BitmapCursor) << "the cursor of several topics";
    release(at("Pages out of TOC", 2));
    EXPECT_EQ(children("Table of contents"), QStringList{"B"});
    EXPECT_EQ(children("Pages out of TOC"), (QStringList{"P", "A", "C"}));
    EXPECT_EQ(find("A")->entry().Kind, KindPagesOutOfToc);
    EXPECT_EQ(find("A")->imageIndex(), 46);

    // A click without moving selects the row alone.
    press(at("C", height / 2));
    release(at("C", height / 2));
    EXPECT_EQ(tree->selection(), QList<TopicNode*>{find("C")});
    EXPECT_EQ(main.Qrx.tnUnvisiblePages->childCount(), 3);
}

TEST_F(TreeDragging, NothingLandsInsideItselfAndEscapeCancels)
{
    openForDragging({"[T]", "A", "  A1", "    A2", "B"});
    const int height = rowOf("A").height();
    press(at("A", height / 2));
    moveTo(at("A2", 7));
    ASSERT_TRUE(view->isDragging());
    EXPECT_EQ(view->dropTarget(), find("A2"));
    release(at("A2", 7));
    EXPECT_EQ(children("Table of contents"), (QStringList{"A", "B"}));
    EXPECT_EQ(children("A1"), QStringList{"A2"});

    press(at("B", height / 2));
    moveTo(at("A", 2));
    ASSERT_TRUE(view->isDragging());
    QTest::keyClick(view, Qt::Key_Escape);
    EXPECT_FALSE(view->isDragging());
    release(at("A", 2));
    EXPECT_EQ(children("Table of contents"), (QStringList{"A", "B"}));
}

TEST_F(TreeDragging, AutoScrollNearTheEdges)
{
    QScrollBar* bar = openLongTree();
    ASSERT_TRUE(QTest::qWaitFor([&] { return bar->maximum() > 0; }));
    const int height = rowOf("Topic 000").height();
    press(at("Topic 001", height / 2));
    const QSize size = view->viewport()->size();
    moveTo(QPoint(size.width() / 2, size.height() - 10));
    ASSERT_TRUE(view->isDragging());
    EXPECT_EQ(view->scrollDirection(), TScrollDirection::Down);
    EXPECT_TRUE(view->scrollTimerActive());
    EXPECT_TRUE(QTest::qWaitFor([&] { return bar->value() > 1; }));
    const int scrolled = bar->value();

    moveTo(QPoint(size.width() / 2, size.height() / 2));
    EXPECT_FALSE(view->scrollTimerActive());
    moveTo(QPoint(size.width() / 2, 5));
    EXPECT_EQ(view->scrollDirection(), TScrollDirection::Up);
    EXPECT_TRUE(QTest::qWaitFor([&] { return bar->value() < scrolled; }));
    release(QPoint(size.width() / 2, size.height() / 2));
    EXPECT_FALSE(view->scrollTimerActive());
    EXPECT_EQ(tree->topicCount(), 200);
}

// Scrolling moves the drawn marker with the rows; the place it went is
// painted over, so one line shows where the drop goes and no trail.
TEST_F(TreeDragging, MarkerLeavesNoTrailWhileScrolling)
{
    QScrollBar* bar = openLongTree();
    ASSERT_TRUE(QTest::qWaitFor([&] { return bar->maximum() > 0; }));
    const QSize size = view->viewport()->size();
    press(at("Topic 001", rowOf("Topic 001").height() / 2));
    // The "after" zone of a row in the bottom scroll zone.
    const QRect low = view->visualRect(view->indexAt(QPoint(size.width() / 2, size.height() - 30)));
    moveTo(QPoint(size.width() / 2, low.bottom() - 1));
    ASSERT_TRUE(view->isDragging());
    ASSERT_EQ(view->dragState(), TopicTreeCommands::DropAfter);
    ASSERT_TRUE(QTest::qWaitFor([&] { return bar->value() >= 5; }));

    // Still scrolling: the marker of now, and no other.
    const auto onlyTheMarker = [&] { return markerLinesShown() == QList<int>{view->markerRect().top()}; };
    EXPECT_TRUE(QTest::qWaitFor(onlyTheMarker, 1000)) << markerLinesShown().size() << " marker lines";
    // Stopped over a row in the middle.
    const QRect middle = view->visualRect(view->indexAt(QPoint(size.width() / 2, size.height() / 2)));
    moveTo(QPoint(size.width() / 2, middle.bottom() - 1));
    EXPECT_FALSE(view->scrollTimerActive());
    EXPECT_TRUE(QTest::qWaitFor(onlyTheMarker, 1000)) << markerLinesShown().size() << " marker lines";
    QTest::keyClick(view, Qt::Key_Escape);
    release(QPoint(size.width() / 2, size.height() / 2));
    EXPECT_TRUE(QTest::qWaitFor([&] { return markerLinesShown().isEmpty(); }, 1000));
}

// A topic moved into a collapsed branch is not lost from sight: the branch
// opens and the view scrolls to the topic, for each way of moving it there.
TEST_F(TreeDragging, TopicMovedIntoACollapsedBranchIsShown)
{
    struct Case {
        const char* name;
        std::function<void()> move;
        QString parent; // where the topic lands
    };
    const auto dropOnBig = [this] {
        press(at("Moved", rowOf("Moved").height() / 2));
        moveTo(at("Big", 7));
        ASSERT_TRUE(view->isDragging());
        ASSERT_EQ(view->dragState(), TopicTreeCommands::DropAsChild);
        release(at("Big", 7));
    };
    const Case cases[] = {
        {"move right", [this] { window->Action(TCommandId::MoveRight)->trigger(); }, "Big"},
        {"move right and add heading", [this] { window->Action(TCommandId::MoveRightAddHeading)->trigger(); },
         "New Item"},
        {"drop as child", dropOnBig, "Big"},
    };
    QStringList lines{"[T]", "Big"};
    for (int i = 0; i < 60; ++i)
        lines << QStringLiteral("  Part %1").arg(i);
    lines << "Moved" << "After";
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        window.reset();
        openForDragging(lines);
        tree->setExpanded(find("Big"), false);
        ASSERT_TRUE(QTest::qWaitFor([&] { return !view->isExpanded(tree->indexOf(find("Big"))); }));
        tree->select(find("Moved"));
        c.move();
        TopicNode* moved = find("Moved");
        ASSERT_EQ(moved->parent()->text(), c.parent);
        EXPECT_TRUE(view->isExpanded(tree->indexOf(moved->parent())));
        EXPECT_TRUE(moved->parent()->expanded()) << "the model knows it too";
        EXPECT_EQ(tree->selected(), moved);
        EXPECT_TRUE(QTest::qWaitFor([&] { return view->viewport()->rect().contains(rowOf("Moved")); }))
            << "scrolled into view";
    }
}

// The drop target is drawn in the platform's highlight with text that reads
// on it, whatever colours the platform gives.
TEST_F(TreeDragging, DropTargetReadsOnItsHighlight)
{
    struct Case {
        const char* name;
        QColor highlight; // invalid: the platform's own
        QColor text;
    };
    const Case cases[] = {
        {"the platform's own", {}, {}},
        {"light caption, white text", QColor(0x99, 0xb4, 0xd1), Qt::white},
        {"dark caption, white text", QColor(0, 0, 128), Qt::white},
        {"dark caption, black text", QColor(0, 0, 128), Qt::black},
    };
    const QPalette original = QApplication::palette();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        QPalette platform = original;
        if (c.highlight.isValid()) {
            platform.setColor(QPalette::Highlight, c.highlight);
            platform.setColor(QPalette::HighlightedText, c.text);
        }
        QApplication::setPalette(platform);
        window.reset();
        openForDragging({"[T]", "Alpha", "Target of the drop", "Omega"});
        const int height = rowOf("Alpha").height();
        press(at("Alpha", height / 2));
        moveTo(at("Target of the drop", 7));
        ASSERT_EQ(view->dropTarget(), find("Target of the drop"));
        ASSERT_EQ(view->dragState(), TopicTreeCommands::DropAsChild);
        view->viewport()->repaint();
        const QImage picture = view->viewport()->grab().toImage();

        // The text's colour is the one farthest from the background.
        const QRect row = rowOf("Target of the drop").adjusted(24, 1, 0, -1);
        std::map<QRgb, int> counts;
        for (int y = row.top(); y <= row.bottom(); ++y)
            for (int x = row.left(); x <= row.right(); ++x)
                ++counts[picture.pixel(x, y)];
        const QColor background(
            std::max_element(counts.begin(), counts.end(), [](auto& a, auto& b) { return a.second < b.second; })->first);
        double contrast = 1;
        for (const auto& [colour, count] : counts)
            contrast = std::max(contrast, ContrastRatio(QColor(colour), background));
        EXPECT_EQ(background, platform.color(QPalette::Active, QPalette::Highlight));
        EXPECT_GE(contrast, ReadableContrast) << background.name().toStdString();
        QTest::keyClick(view, Qt::Key_Escape);
        release(at("Alpha", height / 2));
    }
    QApplication::setPalette(original);
}

// Dragged onto another root, a topic changes its kind, and the icon picker
// follows as it does when the topic is selected.
TEST_F(TreeDragging, IconPickerFollowsTheKindAfterADrag)
{
    TfrmMain& main = openForDragging({"[T]", "A", "B", "[P]", "P"});
    find("A")->entry().Icon = 5;
    main.Qrx.SetIcon();
    QComboBox* picker = main.IconPicker();
    tree->select(find("A"));
    ASSERT_TRUE(picker->isEnabled());
    const int height = rowOf("A").height();
    const auto drag = [&](const QString& title, const QString& onto) {
        press(at(title, height / 2));
        moveTo(at(onto, 2));
        ASSERT_TRUE(view->isDragging());
        release(at(onto, 2));
    };

    drag("A", "Pages out of TOC");
    ASSERT_EQ(find("A")->entry().Kind, KindPagesOutOfToc);
    EXPECT_EQ(tree->selection(), QList<TopicNode*>{find("A")});
    EXPECT_FALSE(picker->isEnabled()) << "icons belong to the table of contents";

    drag("A", "Table of contents");
    ASSERT_EQ(find("A")->entry().Kind, KindTableOfContents);
    EXPECT_TRUE(picker->isEnabled());
    EXPECT_EQ(picker->currentIndex(), 5);

    // And a page out of the table of contents moved into it.
    tree->select(find("P"));
    EXPECT_FALSE(picker->isEnabled());
    drag("P", "Table of contents");
    ASSERT_EQ(find("P")->entry().Kind, KindTableOfContents);
    EXPECT_TRUE(picker->isEnabled());
    EXPECT_EQ(picker->currentIndex(), find("P")->entry().Icon);
}

} // namespace
