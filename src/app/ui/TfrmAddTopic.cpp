#include "TfrmAddTopic.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QDir>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QStackedWidget>
#include <QToolButton>
#include <QVBoxLayout>

using TitleSource = TopicTreeCommands::TitleSource;

namespace {

constexpr int PagePanel = 0;
constexpr int TemplatePanel = 1;
const QSize PictureSize(240, 180);

QWidget* labelled(const QString& caption, QWidget* control, QWidget* parent)
{
    auto* row = new QWidget(parent);
    auto* layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(new QLabel(caption, row));
    layout->addWidget(control, 1);
    return row;
}

} // namespace

TfrmAddTopic::TfrmAddTopic(int tag, const TopicNode* focused, const QString& programFolder, QWidget* parent)
    : QDialog(parent)
    , m_choices(tag, focused)
    , m_programFolder(programFolder)
    , m_catalogue(ReadTemplateCatalogue(programFolder))
{
    setWindowTitle(TAddTopic::Caption);

    auto* pageRow = new QHBoxLayout;
    m_pages = new QButtonGroup(this);
    const QString pageCaptions[] = {QStringLiteral("目录页"), QStringLiteral("非内容页面"), QStringLiteral("模板")};
    for (int page = 0; page < 3; ++page) {
        auto* button = new QToolButton(this);
        button->setText(pageCaptions[page]);
        button->setCheckable(true);
        button->setAutoRaise(true); // flat
        button->setToolButtonStyle(Qt::ToolButtonTextOnly);
        m_pages->addButton(button, page);
        pageRow->addWidget(button);
    }
    pageRow->addStretch();

    m_insertMode = new QComboBox(this);
    m_panels = new QStackedWidget(this);
    m_panels->addWidget(createPagePanel());
    m_panels->addWidget(createTemplatePanel());

    auto* buttons = new QDialogButtonBox(this);
    buttons->addButton(QStringLiteral("确定"), QDialogButtonBox::AcceptRole)->setDefault(true);
    buttons->addButton(QStringLiteral("取消"), QDialogButtonBox::RejectRole);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(pageRow);
    layout->addWidget(labelled(QStringLiteral("插入模式:"), m_insertMode, this));
    layout->addWidget(m_panels, 1);
    layout->addWidget(buttons);

    connect(m_pages, &QButtonGroup::idClicked, this, [this](int page) {
        m_choices.SetPage(page);
        showChoices();
    });
    connect(m_insertMode, &QComboBox::activated, this, [this](int index) { m_choices.SetInsertModeIndex(index); });
    for (QButtonGroup* group : {m_pageTypes, m_templateTypes})
        connect(group, &QButtonGroup::idClicked, this, [this](int type) {
            m_choices.SetItemType(TAddTopic::TItemType(type));
            showChoices();
        });
    connect(m_count, &QSpinBox::valueChanged, this, [this](int count) { m_choices.SetCount(count); });
    connect(m_titleSource, &QComboBox::activated, this,
            [this](int index) { m_choices.SetTitleSource(TitleSource(index)); });
    connect(m_catalogueList, &QListWidget::currentRowChanged, this, [this](int row) {
        m_choices.SetCatalogueIndex(row);
        showChoices();
    });
    showChoices();
}

QWidget* TfrmAddTopic::createPagePanel()
{
    auto* panel = new QWidget(this);
    auto* layout = new QVBoxLayout(panel);
    layout->setContentsMargins(0, 0, 0, 0);
    auto* group = new QGroupBox(QStringLiteral("项目类型"), panel);
    auto* groupLayout = new QVBoxLayout(group);
    m_pageTypes = new QButtonGroup(this);
    const std::pair<TAddTopic::TItemType, QString> types[] = {
        {TAddTopic::NewPages, QStringLiteral("链接到空白页")},
        {TAddTopic::ExistingFiles, QStringLiteral("链接到现有 HTML 文件")},
        {TAddTopic::Headings, QStringLiteral("无链接")},
    };
    for (const auto& [type, caption] : types) {
        auto* button = new QRadioButton(caption, group);
        m_pageTypes->addButton(button, type);
        groupLayout->addWidget(button);
    }
    layout->addWidget(group);

    m_count = new QSpinBox(panel);
    m_count->setRange(1, 999);
    m_count->setValue(m_choices.Count());
    m_countRow = labelled(QStringLiteral("计数:"), m_count, panel);
    layout->addWidget(m_countRow);
    m_titleSource = new QComboBox(panel);
    m_titleSource->addItems({QStringLiteral("之间 <title> 与 </title> 在源中"), QStringLiteral("不含扩展名的文件名"),
                             QStringLiteral("整个文件名")});
    m_titleSourceRow = labelled(QStringLiteral("从中获取标题:"), m_titleSource, panel);
    layout->addWidget(m_titleSourceRow);
    layout->addStretch();
    return panel;
}

QWidget* TfrmAddTopic::createTemplatePanel()
{
    auto* panel = new QWidget(this);
    auto* layout = new QVBoxLayout(panel);
    layout->setContentsMargins(0, 0, 0, 0);
    auto* group = new QGroupBox(QStringLiteral("项目类型"), panel);
    auto* groupLayout = new QVBoxLayout(group);
    m_templateTypes = new QButtonGroup(this);
    const std::pair<TAddTopic::TItemType, QString> types[] = {
        {TAddTopic::NewPages, QStringLiteral("新模板")},
        {TAddTopic::ExistingFiles, QStringLiteral("现有模板")},
        {TAddTopic::Headings, QStringLiteral("无链接主题")},
        {TAddTopic::BuiltInTemplate, QStringLiteral("预构建模板")},
    };
    for (const auto& [type, caption] : types) {
        auto* button = new QRadioButton(caption, group);
        m_templateTypes->addButton(button, type);
        groupLayout->addWidget(button);
    }
    layout->addWidget(group);

    m_catalogueRow = new QWidget(panel);
    auto* catalogueLayout = new QHBoxLayout(m_catalogueRow);
    catalogueLayout->setContentsMargins(0, 0, 0, 0);
    m_catalogueList = new QListWidget(m_catalogueRow);
    for (const TTemplateCatalogueEntry& entry : std::as_const(m_catalogue))
        m_catalogueList->addItem(entry.Name);
    m_picture = new QLabel(m_catalogueRow);
    m_picture->setFixedSize(PictureSize);
    m_picture->setAlignment(Qt::AlignCenter);
    m_picture->setFrameShape(QFrame::StyledPanel);
    catalogueLayout->addWidget(m_catalogueList, 1);
    catalogueLayout->addWidget(m_picture);
    layout->addWidget(m_catalogueRow, 1);
    return panel;
}

QToolButton* TfrmAddTopic::pageButton(int page) const
{
    return qobject_cast<QToolButton*>(m_pages->button(page));
}

QRadioButton* TfrmAddTopic::typeButton(TAddTopic::TItemType type) const
{
    QButtonGroup* group = m_choices.Page() == TAddTopic::PageTemplates ? m_templateTypes : m_pageTypes;
    return qobject_cast<QRadioButton*>(group->button(type));
}

void TfrmAddTopic::showChoices()
{
    const QSignalBlocker blockInsertMode(m_insertMode);
    const QSignalBlocker blockCatalogue(m_catalogueList);
    const QSignalBlocker blockCount(m_count);

    const int page = m_choices.Page();
    m_pages->button(page)->setChecked(true);
    m_insertMode->clear();
    m_insertMode->addItems(m_choices.InsertModes());
    m_insertMode->setCurrentIndex(m_choices.InsertModeIndex());
    m_insertMode->setEnabled(m_choices.InsertModeEnabled());

    m_panels->setCurrentIndex(page == TAddTopic::PageTemplates ? TemplatePanel : PagePanel);
    typeButton(m_choices.ItemType())->setChecked(true);
    m_countRow->setVisible(m_choices.ShowsCount());
    m_count->setValue(m_choices.Count());
    m_titleSourceRow->setVisible(m_choices.ShowsTitleSource());
    m_titleSource->setCurrentIndex(int(m_choices.TitleSource()));
    m_catalogueRow->setVisible(m_choices.ShowsCatalogue());

    const int entry = m_choices.CatalogueIndex();
    m_catalogueList->setCurrentRow(entry);
    QPixmap picture;
    if (entry >= 0 && entry < m_catalogue.size() && !m_catalogue[entry].Img.isEmpty())
        picture.load(QDir(m_programFolder).filePath(QStringLiteral("templates/") + m_catalogue[entry].Img));
    m_picture->setPixmap(picture.isNull() ? QPixmap()
                                          : picture.scaled(PictureSize, Qt::KeepAspectRatio, Qt::SmoothTransformation));
}
