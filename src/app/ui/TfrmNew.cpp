#include "TfrmNew.h"

#include "Folders.h"
#include "IUserPrompts.h"
#include "Languages.h"
#include "Paths.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileInfo>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSignalBlocker>
#include <QStackedWidget>
#include <QVBoxLayout>
#include <algorithm>

namespace {

// The folder picker's flags: file-system folders only, with an edit box, in
// the new style.
constexpr int FolderPickerFlags = 81;
constexpr int LanguageRowsShown = 15;
// Wide enough for a folder below the documents folder.
constexpr int DialogWidth = 500;
const QString DefaultTitle = QStringLiteral("New Help");
const QString DefaultLanguage = QStringLiteral("0x0409");
const QString ChmFilter = QStringLiteral("Windows HTML 帮助(*.CHM)|*.chm");
const QString HhpFilter = QStringLiteral("HTML 帮助工作室项目(*.hhp)|*.hhp");

const char16_t* const KindEntries[NewProjectKindCount] = {
    u"创建一个空白项目",
    u"使用现有 html 文件创建项目",
    u"打开现有的已编译 HTML 帮助文件(.CHM)",
    u"转换 Windows 帮助工作室项目 (.HHP) ",
};
const char16_t* const TitleModeEntries[PageTitleModeCount] = {
    u"之间 <title> 与 </title> 在源中",
    u"在第一个 <h1> 与 </h1> 在源中",
    u"不含扩展名的文件名",
    u"整个文件名",
};

// A file field with its "..." button in one row.
QHBoxLayout* fileRow(QLineEdit* field, QPushButton* button)
{
    auto* row = new QHBoxLayout;
    row->addWidget(field, 1);
    row->addWidget(button);
    return row;
}

} // namespace

TfrmNew::TfrmNew(const QString& defaultFolder, IUserPrompts& prompts, QWidget* parent)
    : QDialog(parent)
    , m_defaultFolder(defaultFolder)
    , m_prompts(prompts)
    , m_kinds(new QListWidget(this))
    , m_pages(new QStackedWidget(this))
{
    setWindowTitle(QStringLiteral("新建项目"));
    for (const char16_t* entry : KindEntries) {
        auto* item = new QListWidgetItem(QString::fromUtf16(entry), m_kinds);
        item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable);
        item->setCheckState(Qt::Unchecked);
    }
    m_kinds->setFixedHeight(m_kinds->sizeHintForRow(0) * NewProjectKindCount + 2 * m_kinds->frameWidth() + 4);

    const QList<QWidget*> pages = {new QWidget, createHtmlPage(), createChmPage(), createHhpPage()};
    for (int kind = 0; kind < NewProjectKindCount; ++kind) {
        m_pageLayouts[kind] = qobject_cast<QVBoxLayout*>(pages[kind]->layout());
        if (m_pageLayouts[kind] == nullptr)
            m_pageLayouts[kind] = new QVBoxLayout(pages[kind]);
        m_pageLayouts[kind]->setContentsMargins(0, 0, 0, 0);
        m_pageLayouts[kind]->addStretch(1);
        m_pages->addWidget(pages[kind]);
    }
    m_panel = createPanel();

    auto* buttons = new QDialogButtonBox(this);
    m_ok = buttons->addButton(QStringLiteral("确定"), QDialogButtonBox::AcceptRole);
    m_ok->setDefault(true);
    buttons->addButton(QStringLiteral("取消"), QDialogButtonBox::RejectRole);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(QStringLiteral("您想做什么:"), this));
    layout->addWidget(m_kinds);
    layout->addWidget(m_pages);
    layout->addWidget(buttons);

    connect(m_kinds, &QListWidget::itemClicked, this, [this](QListWidgetItem* item) { kindClicked(m_kinds->row(item)); });
    connect(m_kinds, &QListWidget::itemChanged, this, [this](QListWidgetItem* item) { kindClicked(m_kinds->row(item)); });
    connect(m_kinds, &QListWidget::currentRowChanged, this, &TfrmNew::kindClicked);
    for (QLineEdit* field : {m_title, m_folder, m_chmFile, m_hhpFile})
        connect(field, &QLineEdit::textChanged, this, &TfrmNew::updateOk);

    // Fixed at the size of the fullest page.
    SetKind(NewFromChmFile);
    setFixedSize(std::max(DialogWidth, sizeHint().width()), sizeHint().height());
    SetKind(NewBlankProject);
}

QWidget* TfrmNew::createPanel()
{
    auto* panel = new QWidget;
    m_title = new QLineEdit(DefaultTitle, panel);
    m_folderLabel = new QLabel(panel);
    m_folder = new QLineEdit(panel);
    m_folderButton = new QPushButton(QStringLiteral("..."), panel);
    m_folderButton->setFixedWidth(m_folderButton->fontMetrics().horizontalAdvance(QStringLiteral("...")) * 3);
    auto* layout = new QFormLayout(panel);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addRow(QStringLiteral("项目标题:"), m_title);
    layout->addRow(m_folderLabel, fileRow(m_folder, m_folderButton));
    connect(m_folderButton, &QPushButton::clicked, this, &TfrmNew::chooseFolder);
    return panel;
}

QFormLayout* TfrmNew::newPage(QWidget*& page)
{
    page = new QWidget;
    auto* layout = new QVBoxLayout(page);
    auto* form = new QFormLayout;
    layout->addLayout(form);
    return form;
}

void TfrmNew::addFileField(QFormLayout* form, const QString& label, QLineEdit*& field, QPushButton*& button,
                           const QString& filter)
{
    field = new QLineEdit(form->parentWidget());
    button = new QPushButton(QStringLiteral("..."), form->parentWidget());
    form->addRow(label, fileRow(field, button));
    connect(button, &QPushButton::clicked, this, [this, field, filter] { chooseFile(field, filter); });
}

QWidget* TfrmNew::createHtmlPage()
{
    QWidget* page = nullptr;
    QFormLayout* form = newPage(page);
    m_titleMode = new QComboBox(page);
    for (const char16_t* entry : TitleModeEntries)
        m_titleMode->addItem(QString::fromUtf16(entry));
    m_titleMode->setCurrentIndex(0);
    form->addRow(QStringLiteral("从中获取标题:"), m_titleMode);
    m_keepStructure = new QCheckBox(QStringLiteral("保持文件夹结构"), page);
    m_keepStructure->setChecked(true);
    page->layout()->addWidget(m_keepStructure);
    return page;
}

QWidget* TfrmNew::createChmPage()
{
    QWidget* page = nullptr;
    QFormLayout* form = newPage(page);
    addFileField(form, QStringLiteral("指定 CHM 文件:"), m_chmFile, m_chmButton, ChmFilter);
    m_language = new QComboBox(page);
    m_language->setMaxVisibleItems(LanguageRowsShown);
    QStringList names;
    LanguageTable().NameToStringLists(names);
    m_language->addItems(names);
    m_language->setCurrentIndex(LanguageTable().GetIndexById(DefaultLanguage));
    form->addRow(QStringLiteral("语言:"), m_language);
    m_extract = new QCheckBox(QStringLiteral("提取内容"), page);
    page->layout()->addWidget(m_extract);
    return page;
}

QWidget* TfrmNew::createHhpPage()
{
    QWidget* page = nullptr;
    addFileField(newPage(page), QStringLiteral("HHP 文件:"), m_hhpFile, m_hhpButton, HhpFilter);
    return page;
}

void TfrmNew::SetKind(int kind)
{
    if (kind < 0 || kind >= NewProjectKindCount)
        return;
    m_kind = kind;
    syn();
}

void TfrmNew::kindClicked(int row)
{
    if (row >= 0 && row != m_kind)
        SetKind(row);
    else
        showCheckMarks(); // the selected entry unticked by its check box is ticked again
}

void TfrmNew::showCheckMarks()
{
    const QSignalBlocker blocker(m_kinds);
    for (int row = 0; row < m_kinds->count(); ++row)
        m_kinds->item(row)->setCheckState(row == m_kind ? Qt::Checked : Qt::Unchecked);
    m_kinds->setCurrentRow(m_kind);
}

void TfrmNew::syn()
{
    showCheckMarks();
    m_pages->setCurrentIndex(m_kind);
    // An HTML Help Workshop project names its own title and folder: the
    // panel waits on the blank project's page, which is not shown.
    QVBoxLayout* host = m_pageLayouts[m_kind == NewFromHhpProject ? NewBlankProject : m_kind];
    if (m_panel->parentWidget() != host->parentWidget()) {
        if (m_panel->parentWidget() != nullptr)
            m_panel->parentWidget()->layout()->removeWidget(m_panel);
        host->insertWidget(0, m_panel);
        m_panel->show();
    }
    m_folderLabel->setText(TNewProject::FolderLabel(m_kind));
    m_folder->setText(m_kind == NewFromHtmlFiles ? QString() : PathToDocumentsPlaceholder(m_defaultFolder));
    m_folder->setCursorPosition(0);
    updateOk();
}

void TfrmNew::SetChmFile(const QString& file)
{
    m_chmFile->setText(file);
}

TNewProject TfrmNew::Request() const
{
    TNewProject request;
    request.Kind = m_kind;
    request.Title = m_title->text();
    request.Folder = DocumentsPlaceholderToPath(m_folder->text().trimmed());
    request.TitleMode = TPageTitleMode(m_titleMode->currentIndex());
    request.KeepStructure = m_keepStructure->isChecked();
    request.ChmFile = m_chmFile->text().trimmed();
    request.LanguageIndex = m_language->currentIndex();
    request.ExtractContent = m_extract->isChecked();
    request.HhpFile = m_hhpFile->text().trimmed();
    return request;
}

void TfrmNew::updateOk()
{
    m_ok->setEnabled(Request().Complete());
}

void TfrmNew::chooseFolder()
{
    // The folder asked for is made, so that the picker can open on it.
    QString folder = DocumentsPlaceholderToPath(m_folder->text().trimmed());
    if (folder.isEmpty() || !QDir::isAbsolutePath(folder) || !QDir().mkpath(folder))
        folder = DocumentsFolder();
    if (BrowseForFolder(&m_prompts, folder, QStringLiteral("Select a folder:"), FolderPickerFlags))
        m_folder->setText(PathToDocumentsPlaceholder(QDir::toNativeSeparators(folder)));
}

void TfrmNew::chooseFile(QLineEdit* field, const QString& filter)
{
    const QString current = field->text().trimmed();
    const QString folder = current.isEmpty() ? QString() : QFileInfo(current).absolutePath();
    const QString file = m_prompts.ChooseFiles(QStringLiteral("打开"), filter, folder, false).value(0);
    if (!file.isEmpty())
        field->setText(file);
}
