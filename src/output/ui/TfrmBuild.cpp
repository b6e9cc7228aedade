#include "TfrmBuild.h"

#include "Folders.h"
#include "IUserPrompts.h"
#include "Paths.h"
#include "ProgramFolder.h"
#include "TQrx.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDesktopServices>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QStyle>
#include <QTabWidget>
#include <QUrl>
#include <QVBoxLayout>

namespace {

const QString OptionsLater = QStringLiteral("The options of each output come with the project settings dialog.");

// A page's rows: a label, its field and, when given, a "..." button.
void addRow(QGridLayout* grid, const QString& label, QLineEdit* field, QPushButton* browse)
{
    const int row = grid->rowCount();
    grid->addWidget(new QLabel(label), row, 0);
    grid->addWidget(field, row, 1);
    if (browse != nullptr)
        grid->addWidget(browse, row, 2);
}

QWidget* pageWith(QGridLayout* grid, QPushButton* options)
{
    auto* page = new QWidget;
    auto* layout = new QVBoxLayout(page);
    grid->setColumnStretch(1, 1);
    layout->addLayout(grid);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(options);
    layout->addLayout(buttons);
    layout->addStretch();
    return page;
}

} // namespace

TfrmBuild::TfrmBuild(const TQrx& project, int page, IUserPrompts& prompts, QWidget* parent)
    : QDialog(parent)
    , m_rootDir(project.RootDir)
    , m_prompts(prompts)
{
    setWindowTitle(TBuildDialogModel::Caption);
    pcPages = new QTabWidget(this);
    QStyle* look = style();
    pcPages->addTab(chmPage(), look->standardIcon(QStyle::SP_DialogHelpButton), QStringLiteral("HTML 帮助 (CHM)"));
    pcPages->addTab(webHelpPage(), look->standardIcon(QStyle::SP_DriveNetIcon), QStringLiteral("网络帮助"));
    pcPages->addTab(wordPage(), look->standardIcon(QStyle::SP_FileIcon), QStringLiteral("Word 文档"));
    pcPages->addTab(pdfPage(), look->standardIcon(QStyle::SP_FileDialogDetailedView), QStringLiteral("PDF"));
    pcPages->addTab(singleHtmlPage(), look->standardIcon(QStyle::SP_FileLinkIcon), QStringLiteral("单个 HTML 文件"));
    pcPages->setCurrentIndex(page >= bpChm && page <= bpSingleHtml ? page : bpChm);
    pcPages->setUsesScrollButtons(false); // every page's tab in sight

    cbViewCompiled = new QCheckBox(QStringLiteral("编译完成后查看已编译的文件"), this);
    btnStart = new QPushButton(QStringLiteral("开始"), this);
    btnCancel = new QPushButton(QStringLiteral("取消"), this);
    btnStart->setDefault(true);
    connect(btnStart, &QPushButton::clicked, this, &TfrmBuild::accept);
    connect(btnCancel, &QPushButton::clicked, this, &TfrmBuild::reject);
    auto* bottom = new QHBoxLayout;
    bottom->addWidget(cbViewCompiled);
    bottom->addStretch();
    bottom->addWidget(btnStart);
    bottom->addWidget(btnCancel);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(pcPages);
    layout->addLayout(bottom);
    resize(520, 300);

    // Filled from the project.
    const TBuildDialogValues values = TBuildDialogModel::FromProject(project);
    edtCompiledFile->setText(values.CompiledFile);
    edtWebHelpFolder->setText(values.WebHelpOutputFolder);
    edtSingleHtmlFolder->setText(values.SingleHtmlOutputFolder);
    edtSingleHtmlFile->setText(values.SingleHtmlFilename);
    edtWordFile->setText(values.WordFile);
    edtPdfFile->setText(values.PDFfile);
    cbOutputHhp->setChecked(values.DeleteProject);
    edtHhpFolder->setText(values.HHPFolder);
    cbViewCompiled->setChecked(values.ViewCompiledFile);
    cbCompiler->setCurrentIndex(cbCompiler->findData(int(values.Compiler)));
    updateHhpFolder();
}

QPushButton* TfrmBuild::optionsButton(const QString& caption)
{
    auto* button = new QPushButton(caption);
    button->setEnabled(false);
    button->setToolTip(OptionsLater);
    OptionButtons.append(button);
    return button;
}

// `name`: the field the button fills.
QPushButton* TfrmBuild::browseButton(const char* name)
{
    auto* button = new QPushButton(QStringLiteral("..."));
    button->setObjectName(QString::fromLatin1(name) + QStringLiteral("Browse"));
    button->setFixedWidth(button->fontMetrics().horizontalAdvance(QStringLiteral("....")) + 16);
    return button;
}

QWidget* TfrmBuild::chmPage()
{
    auto* grid = new QGridLayout;
    edtCompiledFile = new QLineEdit;
    edtCompiledFile->setObjectName(QStringLiteral("edtCompiledFile"));
    QPushButton* browse = browseButton("edtCompiledFile");
    connect(browse, &QPushButton::clicked, this, [this] {
        pickFile(edtCompiledFile, QStringLiteral("Windows HTML 帮助(*.chm)|*.chm"), QStringLiteral("chm"), false);
    });
    addRow(grid, QStringLiteral("编译文件:"), edtCompiledFile, browse);

    cbOutputHhp = new QCheckBox(QStringLiteral("输出 Html 帮助研讨会项目 (hhp)"));
    grid->addWidget(cbOutputHhp, grid->rowCount(), 0, 1, 3);
    edtHhpFolder = new QLineEdit;
    edtHhpFolder->setObjectName(QStringLiteral("edtHhpFolder"));
    btnHhpFolder = browseButton("edtHhpFolder");
    connect(btnHhpFolder, &QPushButton::clicked, this, [this] { pickFolder(edtHhpFolder, false); });
    addRow(grid, QString(), edtHhpFolder, btnHhpFolder);
    connect(cbOutputHhp, &QCheckBox::toggled, this, &TfrmBuild::updateHhpFolder);

    cbCompiler = new QComboBox;
    cbCompiler->setObjectName(QStringLiteral("cbCompiler"));
    for (EHTMLHelpCompiler choice : HTMLHelpCompilerChoices())
        cbCompiler->addItem(HTMLHelpCompilerCaption(choice), int(choice));
    const int row = grid->rowCount();
    grid->addWidget(new QLabel(QStringLiteral("编译器:")), row, 0);
    grid->addWidget(cbCompiler, row, 1, 1, 2);

    lbWhyChm = new QLabel(QStringLiteral("<a href=\"why\">为什么我的 CHM 文件无法工作?</a>"));
    lbWhyChm->setTextInteractionFlags(Qt::LinksAccessibleByMouse | Qt::LinksAccessibleByKeyboard);
    connect(lbWhyChm, &QLabel::linkActivated, this, [this] {
        const QString page = ChmHelpPage();
        if (!QFileInfo(page).isFile() || !QDesktopServices::openUrl(QUrl::fromLocalFile(page)))
            m_prompts.ShowError(QStringLiteral("Cannot open the help page \"%1\".").arg(page));
    });
    grid->addWidget(lbWhyChm, grid->rowCount(), 0, 1, 3);
    return pageWith(grid, optionsButton(QStringLiteral("HTML 帮助选项...")));
}

QWidget* TfrmBuild::webHelpPage()
{
    auto* grid = new QGridLayout;
    edtWebHelpFolder = new QLineEdit;
    edtWebHelpFolder->setObjectName(QStringLiteral("edtWebHelpFolder"));
    QPushButton* browse = browseButton("edtWebHelpFolder");
    connect(browse, &QPushButton::clicked, this, [this] { pickFolder(edtWebHelpFolder, true); });
    addRow(grid, QStringLiteral("输出文件夹:"), edtWebHelpFolder, browse);
    return pageWith(grid, optionsButton(QStringLiteral("网络帮助选项...")));
}

QWidget* TfrmBuild::wordPage()
{
    auto* grid = new QGridLayout;
    edtWordFile = new QLineEdit;
    edtWordFile->setObjectName(QStringLiteral("edtWordFile"));
    QPushButton* browse = browseButton("edtWordFile");
    connect(browse, &QPushButton::clicked, this, [this] {
        pickFile(edtWordFile, QStringLiteral("Word 文档 (*.doc *.docx)|*.doc;*.docx"), QStringLiteral("docx"), true);
    });
    addRow(grid, QStringLiteral("Word 文件:"), edtWordFile, browse);
    return pageWith(grid, optionsButton(QStringLiteral("Word 文档选项...")));
}

QWidget* TfrmBuild::pdfPage()
{
    auto* grid = new QGridLayout;
    edtPdfFile = new QLineEdit;
    edtPdfFile->setObjectName(QStringLiteral("edtPdfFile"));
    QPushButton* browse = browseButton("edtPdfFile");
    connect(browse, &QPushButton::clicked, this, [this] {
        pickFile(edtPdfFile, QStringLiteral("PDF 文件 (*.pdf)|*.pdf"), QStringLiteral("pdf"), true);
    });
    addRow(grid, QStringLiteral("PDF 文件:"), edtPdfFile, browse);
    return pageWith(grid, optionsButton(QStringLiteral("PDF 选项...")));
}

QWidget* TfrmBuild::singleHtmlPage()
{
    auto* grid = new QGridLayout;
    edtSingleHtmlFolder = new QLineEdit;
    edtSingleHtmlFolder->setObjectName(QStringLiteral("edtSingleHtmlFolder"));
    QPushButton* browse = browseButton("edtSingleHtmlFolder");
    connect(browse, &QPushButton::clicked, this, [this] { pickFolder(edtSingleHtmlFolder, true); });
    addRow(grid, QStringLiteral("输出文件夹:"), edtSingleHtmlFolder, browse);
    edtSingleHtmlFile = new QLineEdit;
    addRow(grid, QStringLiteral("文件名:"), edtSingleHtmlFile, nullptr);
    return pageWith(grid, optionsButton(QStringLiteral("单个 HTML 选项...")));
}

QPushButton* TfrmBuild::BrowseButton(const QLineEdit* field) const
{
    return field == nullptr ? nullptr : findChild<QPushButton*>(field->objectName() + QStringLiteral("Browse"));
}

QString TfrmBuild::ChmHelpPage()
{
    return ProgramDataFolder() + QStringLiteral("/help/CHM files cannot work.htm");
}

TBuildDialogValues TfrmBuild::Values() const
{
    TBuildDialogValues values;
    values.CompiledFile = edtCompiledFile->text();
    values.WebHelpOutputFolder = edtWebHelpFolder->text();
    values.SingleHtmlOutputFolder = edtSingleHtmlFolder->text();
    values.SingleHtmlFilename = edtSingleHtmlFile->text();
    values.WordFile = edtWordFile->text();
    values.PDFfile = edtPdfFile->text();
    values.DeleteProject = cbOutputHhp->isChecked();
    values.HHPFolder = edtHhpFolder->text();
    values.ViewCompiledFile = cbViewCompiled->isChecked();
    values.Compiler = EHTMLHelpCompiler(cbCompiler->currentData().toInt());
    return values;
}

int TfrmBuild::ActivePage() const
{
    return pcPages->currentIndex();
}

void TfrmBuild::accept()
{
    const TBuildValidation result = TBuildDialogModel::Validate(ActivePage(), Values(), m_rootDir, [this](const QString& question) {
        return m_prompts.AskYes(IUserPrompts::Kind::Warning, question);
    });
    if (result.Start) {
        QDialog::accept();
        return;
    }
    if (!result.Message.isEmpty())
        m_prompts.ShowError(result.Message);
    if (QLineEdit* field = fieldOf(result.Focus))
        field->setFocus();
}

QLineEdit* TfrmBuild::fieldOf(TBuildDialogField field) const
{
    switch (field) {
    case TBuildDialogField::CompiledFile:
        return edtCompiledFile;
    case TBuildDialogField::HHPFolder:
        return edtHhpFolder;
    case TBuildDialogField::WebHelpOutputFolder:
        return edtWebHelpFolder;
    case TBuildDialogField::SingleHtmlOutputFolder:
        return edtSingleHtmlFolder;
    case TBuildDialogField::SingleHtmlFilename:
        return edtSingleHtmlFile;
    case TBuildDialogField::None:
        break;
    }
    return nullptr;
}

void TfrmBuild::updateHhpFolder()
{
    const bool enabled = cbOutputHhp->isChecked();
    edtHhpFolder->setEnabled(enabled);
    btnHhpFolder->setEnabled(enabled);
    QPalette fieldPalette = edtHhpFolder->palette();
    fieldPalette.setColor(QPalette::Base, palette().color(enabled ? QPalette::Base : QPalette::Button));
    edtHhpFolder->setPalette(fieldPalette);
}

void TfrmBuild::pickFile(QLineEdit* field, const QString& filter, const QString& suffix, bool confirmOverwrite)
{
    const QString start = ResolveBuildPath(m_rootDir, field->text().trimmed());
    const QFileInfo info(start);
    const QString chosen =
        m_prompts.ChooseSaveFile(windowTitle(), filter, info.path(), info.fileName(), suffix, confirmOverwrite);
    if (!chosen.isEmpty())
        field->setText(QDir::toNativeSeparators(chosen));
}

void TfrmBuild::pickFolder(QLineEdit* field, bool resolved)
{
    const QString entered = field->text().trimmed();
    // The project folder field is taken as entered; a relative one still
    // means a folder of the project.
    QString start = resolved || !IsAbsolutePath(entered) ? ResolveProjectPath(m_rootDir, entered) : entered;
    if (!IsAbsolutePath(start) || IsWindowsAbsolutePath(start) || !QDir().mkpath(start))
        start = QDir::rootPath();
    QString chosen = start;
    if (BrowseForFolder(&m_prompts, chosen, QStringLiteral("Select a folder:")))
        field->setText(QDir::toNativeSeparators(chosen));
}
