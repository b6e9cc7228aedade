#include "Languages.h"
#include "MainWindowTestSupport.h"
#include "PageFolderFixture.h"
#include "TSearchingWindow.h"
#include "TTopicTreeView.h"
#include "TfrmNew.h"
#include "TfrmSelectTopic.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QStackedWidget>
#include <QToolBar>
#include <QToolButton>
#include <QTreeView>

// The new-project dialog, the select-topic dialog, and new projects made in
// the window from the start dialog and the "新建" button.
namespace {

QStringList checkedKinds(const TfrmNew& dialog)
{
    QStringList checked;
    for (int row = 0; row < dialog.kindList()->count(); ++row)
        if (dialog.kindList()->item(row)->checkState() == Qt::Checked)
            checked << QString::number(row);
    return checked;
}

QToolButton* toolButton(QWidget& window, const QString& caption)
{
    for (QToolButton* button : window.findChildren<QToolButton*>())
        if (button->defaultAction() != nullptr && button->defaultAction()->text() == caption)
            return button;
    return nullptr;
}

} // namespace

// One kind checked and its page shown; the title and folder on that page
// (kind 3 needs neither); "确定" only with the values complete.
TEST_F(MainWindowTest, NewProjectDialogFollowsTheKind)
{
    const QString proposed = dir.filePath(QStringLiteral("Quorix Projects/Project1"));
    TfrmNew dialog(proposed, prompts);
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("新建项目"));
    EXPECT_EQ(dialog.minimumSize(), dialog.maximumSize()) << "fixed size";
    ASSERT_EQ(dialog.kindList()->count(), 4);
    EXPECT_EQ(dialog.kindList()->item(3)->text(), QStringLiteral("转换 Windows 帮助工作室项目 (.HHP) "));
    EXPECT_EQ(checkedKinds(dialog), QStringList{"0"});
    EXPECT_EQ(dialog.titleField()->text(), QStringLiteral("New Help"));
    EXPECT_EQ(dialog.folderField()->text(), proposed);
    EXPECT_EQ(dialog.folderLabel()->text(), QStringLiteral("Project Folder:"));
    EXPECT_TRUE(dialog.okButton()->isEnabled());

    const struct {
        int kind;
        int panelPage;
        const char* label;
        bool folderProposed;
        bool okAtFirst;
    } cases[] = {
        {NewFromHtmlFiles, NewFromHtmlFiles, "HTML Position:", false, false},
        {NewFromChmFile, NewFromChmFile, "Project Folder:", true, false},
        {NewFromHhpProject, NewBlankProject, "Project Folder:", true, false},
        {NewBlankProject, NewBlankProject, "Project Folder:", true, true},
    };
    for (const auto& test : cases) {
        SCOPED_TRACE(test.kind);
        dialog.folderField()->setText(QStringLiteral("/typed"));
        dialog.SetKind(test.kind);
        EXPECT_EQ(checkedKinds(dialog), QStringList{QString::number(test.kind)});
        EXPECT_EQ(dialog.pages()->currentIndex(), test.kind);
        EXPECT_EQ(dialog.titleFolderPanel()->parentWidget(), dialog.pages()->widget(test.panelPage));
        EXPECT_EQ(dialog.folderLabel()->text(), QString::fromLatin1(test.label));
        EXPECT_EQ(dialog.folderField()->text(), test.folderProposed ? proposed : QString())
            << "switching kinds replaces the typed folder";
        EXPECT_EQ(dialog.okButton()->isEnabled(), test.okAtFirst);
    }

    // What each kind still needs.
    dialog.SetKind(NewFromHtmlFiles);
    dialog.folderField()->setText(dir.path());
    EXPECT_TRUE(dialog.okButton()->isEnabled());
    dialog.titleField()->setText(QStringLiteral("  "));
    EXPECT_FALSE(dialog.okButton()->isEnabled());
    dialog.SetKind(NewFromChmFile);
    dialog.titleField()->setText(QStringLiteral("Help"));
    dialog.chmField()->setText(QStringLiteral("/h/help.chm"));
    EXPECT_TRUE(dialog.okButton()->isEnabled());
    dialog.SetKind(NewFromHhpProject);
    EXPECT_FALSE(dialog.okButton()->isEnabled());
    dialog.hhpField()->setText(QStringLiteral("/h/help.hhp"));
    EXPECT_TRUE(dialog.okButton()->isEnabled());

    // Ticking another entry's check box selects it; unticking the selected
    // one leaves it ticked.
    dialog.kindList()->item(1)->setCheckState(Qt::Checked);
    EXPECT_EQ(dialog.Kind(), NewFromHtmlFiles);
    EXPECT_EQ(checkedKinds(dialog), QStringList{"1"});
    dialog.kindList()->item(1)->setCheckState(Qt::Unchecked);
    EXPECT_EQ(checkedKinds(dialog), QStringList{"1"});
}

TEST_F(MainWindowTest, NewProjectDialogPages)
{
    TfrmNew dialog(dir.filePath(QStringLiteral("p")), prompts);
    // Kind 1: the title modes, keeping the folders by default.
    ASSERT_EQ(dialog.titleModeList()->count(), PageTitleModeCount);
    EXPECT_EQ(dialog.titleModeList()->itemText(0), QStringLiteral("之间 <title> 与 </title> 在源中"));
    EXPECT_EQ(dialog.titleModeList()->itemText(3), QStringLiteral("整个文件名"));
    EXPECT_EQ(dialog.titleModeList()->currentIndex(), 0);
    EXPECT_TRUE(dialog.keepStructureBox()->isChecked());
    EXPECT_EQ(dialog.keepStructureBox()->text(), QStringLiteral("保持文件夹结构"));
    // Kind 2: every language of the table, U.S. English first chosen.
    EXPECT_EQ(dialog.languageList()->count(), LanguageTable().GetCount());
    EXPECT_EQ(dialog.languageList()->currentIndex(), LanguageTable().GetIndexById(QStringLiteral("0x0409")));
    EXPECT_EQ(dialog.languageList()->maxVisibleItems(), 15);
    EXPECT_FALSE(dialog.extractBox()->isChecked());

    // The "..." buttons ask through the prompts with their filters.
    QStringList filters;
    prompts.OnChooseFiles = [&](const QString&, const QString& filter, const QString&, bool several) {
        EXPECT_FALSE(several);
        filters << filter;
        return QStringList{QStringLiteral("/chosen/file")};
    };
    dialog.chmButton()->click();
    dialog.hhpButton()->click();
    EXPECT_EQ(filters, (QStringList{"Windows HTML 帮助(*.CHM)|*.chm", "HTML 帮助工作室项目(*.hhp)|*.hhp"}));
    EXPECT_EQ(dialog.chmField()->text(), QStringLiteral("/chosen/file"));
    EXPECT_EQ(dialog.hhpField()->text(), QStringLiteral("/chosen/file"));

    // The folder's "..." makes the folder typed and opens the picker on it.
    const QString typed = dir.filePath(QStringLiteral("new/deeper"));
    dialog.folderField()->setText(typed);
    QString pickerFolder;
    prompts.OnAskForFolder = [&](QString& folder, const QString& caption) {
        pickerFolder = folder;
        EXPECT_EQ(caption, QStringLiteral("Select a folder:"));
        folder = dir.filePath(QStringLiteral("picked"));
        return true;
    };
    dialog.folderButton()->click();
    EXPECT_EQ(pickerFolder, typed);
    EXPECT_TRUE(QFileInfo(typed).isDir());
    EXPECT_EQ(dialog.folderField()->text(), dir.filePath(QStringLiteral("picked")));

    // What the window reads back.
    dialog.SetKind(NewFromHtmlFiles);
    dialog.folderField()->setText(QStringLiteral(" ") + typed + QStringLiteral(" "));
    dialog.titleModeList()->setCurrentIndex(2);
    dialog.keepStructureBox()->setChecked(false);
    const TNewProject request = dialog.Request();
    EXPECT_EQ(request.Kind, NewFromHtmlFiles);
    EXPECT_EQ(request.Folder, typed);
    EXPECT_EQ(request.TitleMode, TPageTitleMode::NameWithoutExtension);
    EXPECT_FALSE(request.KeepStructure);
}

// The start dialog's "创建一个新项目" makes the blank project in the window.
TEST_F(MainWindowTest, StartDialogCreatesANewProject)
{
    TfrmMain& main = startWindow();
    const QString folder = dir.filePath(QStringLiteral("blank"));
    int shownKind = -1;
    main.ExecDialog = [&](QDialog& dialog) {
        auto* frm = qobject_cast<TfrmNew*>(&dialog);
        EXPECT_NE(frm, nullptr);
        if (frm == nullptr)
            return int(QDialog::Rejected);
        shownKind = frm->Kind();
        frm->folderField()->setText(folder);
        return int(QDialog::Accepted);
    };
    TfrmStart* start = main.StartDialog();
    ASSERT_NE(start, nullptr);
    EXPECT_TRUE(start->button(TfrmStart::CreateProject)->isEnabled());
    start->button(TfrmStart::CreateProject)->setChecked(true);
    start->kindList()->setCurrentRow(0);
    start->accept();
    ASSERT_TRUE(QTest::qWaitFor([&] { return main.HasProject(); }));

    EXPECT_EQ(shownKind, NewBlankProject);
    EXPECT_EQ(main.windowTitle(), QStringLiteral("Quorix v5.45 - unnamed.qrx"));
    EXPECT_EQ(main.Qrx.RootDir, folder + QLatin1Char('/'));
    EXPECT_EQ(main.Qrx.Tree().topicCount(), 6);
    EXPECT_TRUE(main.TopicTreeView()->isEnabled());
    EXPECT_TRUE(main.Action(TCommandId::CloseProject)->isEnabled());
    main.UpdateIdle();
    EXPECT_TRUE(main.SaveToolAction()->isEnabled()) << "a new project is changed";
    EXPECT_EQ(main.TopicTreeView()->currentIndex(), main.Qrx.Tree().indexOf(main.Qrx.tnTableOfContents));
    EXPECT_TRUE(main.TopicTreeView()->isExpanded(main.TopicTreeView()->currentIndex()));
}

// "新建" over a changed project asks first: Cancel keeps it, No makes the
// new one, here from a folder of pages with the searching window.
TEST_F(MainWindowTest, NewButtonAsksFirst)
{
    const QString file = makeProject(QStringLiteral("work"));
    TfrmMain& main = startWindow(file);
    main.Qrx.ProjectChanged = true;
    const QString site = dir.filePath(QStringLiteral("site"));
    PageFolderFixture::write(site);
    int dialogs = 0;
    main.ExecDialog = [&](QDialog& dialog) {
        ++dialogs;
        auto* frm = qobject_cast<TfrmNew*>(&dialog);
        if (frm == nullptr)
            return int(QDialog::Rejected);
        frm->SetKind(NewFromHtmlFiles);
        frm->folderField()->setText(site);
        return int(QDialog::Accepted);
    };
    QToolButton* button = toolButton(main, QStringLiteral("新建"));
    ASSERT_NE(button, nullptr);
    ASSERT_TRUE(button->isEnabled());

    answer = IUserPrompts::Cancel;
    QTest::mouseClick(button, Qt::LeftButton);
    ASSERT_EQ(questions.size(), 1);
    EXPECT_EQ(questions[0], QStringLiteral("The project has changed.\nDo you want to save the changes?"));
    EXPECT_EQ(dialogs, 0);
    EXPECT_EQ(main.Qrx.ProjectFilename, file);

    answer = IUserPrompts::No;
    QTest::mouseClick(button, Qt::LeftButton);
    EXPECT_EQ(dialogs, 1);
    EXPECT_EQ(main.Qrx.RootDir, site + QLatin1Char('/'));
    EXPECT_EQ(main.Qrx.Tree().topicCount(), PageFolderFixture::PageCount + 4);
    auto* searching = main.findChild<TSearchingWindow*>();
    ASSERT_NE(searching, nullptr);
    EXPECT_FALSE(searching->isVisible()) << "closed once the search ended";
    EXPECT_TRUE(searching->Text().endsWith(QStringLiteral(".htm")) || searching->Text().endsWith(QStringLiteral(".html")));
    EXPECT_NE(main.cursor().shape(), Qt::WaitCursor) << "the wait cursor is gone";
    EXPECT_EQ(TRecentProjects(settings).Stored().value(0), file) << "the project left is a recent one";
}

// The select-topic dialog shows the project's own tree through a filter,
// finds the address, and changes nothing of the main tree.
TEST_F(MainWindowTest, SelectTopicDialog)
{
    TfrmMain& main = startWindow(makeProject(QStringLiteral("pick")));
    TQrx& project = main.Qrx;
    TopicNode* chapter = project.tnTableOfContents->child(1);
    project.Tree().setExpanded(chapter, false);
    project.Tree().select(project.tnTableOfContents->child(0));

    TfrmSelectTopic dialog(project, prompts, &main);
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("选择主题"));
    EXPECT_EQ(dialog.model().sourceModel(), &project.Tree());
    dialog.AddressField()->setText(QStringLiteral(" setup.htm "));
    dialog.Initialize(TSelectTopicModel::PickTopic);
    QTreeView* view = dialog.treeView();
    EXPECT_EQ(dialog.model().rowCount(), 2);
    EXPECT_EQ(dialog.model().NodeAt(view->currentIndex()), chapter->child(0));
    EXPECT_EQ(dialog.AddressField()->text(), QStringLiteral("setup.htm"));
    EXPECT_TRUE(dialog.okButton()->isEnabled());
    EXPECT_FALSE(chapter->expanded()) << "the main tree keeps its own branches";
    EXPECT_EQ(project.Tree().selected(), project.tnTableOfContents->child(0)) << "and its selection";
    EXPECT_EQ(view->editTriggers(), QAbstractItemView::NoEditTriggers);

    // A root or a heading names no page.
    view->setCurrentIndex(dialog.model().IndexOf(chapter));
    EXPECT_TRUE(dialog.AddressField()->text().isEmpty());
    EXPECT_FALSE(dialog.okButton()->isEnabled());
    dialog.expandAllButton()->click();
    EXPECT_TRUE(dialog.model().IsExpanded(dialog.model().IndexOf(chapter)));
    EXPECT_FALSE(chapter->expanded());

    // "..." names a page of the folder relative to it.
    prompts.OnChooseFiles = [&](const QString&, const QString& filter, const QString& folder, bool) {
        EXPECT_EQ(filter, QStringLiteral("HTML 文件 (*.html, *.htm)|*.html;*.htm"));
        return QStringList{folder + QStringLiteral("sub/page.htm")};
    };
    dialog.browseButton()->click();
    EXPECT_EQ(dialog.AddressField()->text(), QStringLiteral("sub\\page.htm"));

    // "无": OK with no address.
    dialog.noneButton()->click();
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_TRUE(dialog.AddressField()->text().isEmpty());

    // An address in another letter case selects nothing.
    TfrmSelectTopic other(project, prompts, &main);
    other.AddressField()->setText(QStringLiteral("Intro.htm"));
    other.Initialize(TSelectTopicModel::PickTopic);
    EXPECT_FALSE(other.treeView()->currentIndex().isValid());

    // Templates only.
    TfrmSelectTopic templates(project, prompts, &main);
    templates.Initialize(TSelectTopicModel::PickTemplate);
    EXPECT_EQ(templates.model().rowCount(), 1);
    EXPECT_EQ(templates.model().index(0, 0).data().toString(), QStringLiteral("Templates"));
    EXPECT_FALSE(templates.okButton()->isEnabled());
}
