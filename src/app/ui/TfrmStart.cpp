#include "TfrmStart.h"

#include <QDialogButtonBox>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

TfrmStart::TfrmStart(const QStringList& recent, bool canCreate, QWidget* parent)
    : QDialog(parent)
    , m_create(new QRadioButton(QStringLiteral("创建一个新项目"), this))
    , m_open(new QRadioButton(QStringLiteral("打开一个现有项目"), this))
    , m_openRecent(new QRadioButton(QStringLiteral("打开最近的项目:"), this))
    , m_kinds(new QListWidget(this))
    , m_recent(new QListWidget(this))
{
    setWindowTitle(QStringLiteral("项目文件"));
    m_kinds->addItems({QStringLiteral("创建一个空白项目"), QStringLiteral("使用现有 html 文件创建项目"),
                       QStringLiteral("打开现有的已编译 HTML 帮助文件(.CHM)"),
                       QStringLiteral("转换 Windows 帮助工作室项目 (.HHP) ")});
    m_kinds->setCurrentRow(0);
    m_kinds->setMaximumHeight(m_kinds->sizeHintForRow(0) * 4 + 2 * m_kinds->frameWidth() + 4);
    m_recent->addItems(recent);
    if (m_recent->count() > 0)
        m_recent->setCurrentRow(0);
    m_create->setEnabled(canCreate);
    m_openRecent->setChecked(true);

    auto* buttons = new QDialogButtonBox(this);
    buttons->addButton(QStringLiteral("确定"), QDialogButtonBox::AcceptRole)->setDefault(true);
    buttons->addButton(QStringLiteral("取消"), QDialogButtonBox::RejectRole);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(m_recent, &QListWidget::itemDoubleClicked, this, &QDialog::accept);
    for (QRadioButton* button : {m_create, m_open, m_openRecent})
        connect(button, &QRadioButton::toggled, this, &TfrmStart::syncLists);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_create);
    layout->addWidget(m_kinds);
    layout->addWidget(m_open);
    layout->addWidget(m_openRecent);
    layout->addWidget(m_recent, 1);
    layout->addWidget(buttons);
    resize(520, 420);
    syncLists();
}

void TfrmStart::syncLists()
{
    m_kinds->setEnabled(m_create->isChecked());
    m_recent->setEnabled(m_openRecent->isChecked());
}

TfrmStart::Choice TfrmStart::choice() const
{
    if (m_create->isChecked())
        return CreateProject;
    if (m_open->isChecked())
        return OpenProject;
    return OpenRecent;
}

int TfrmStart::projectKind() const
{
    return std::max(0, m_kinds->currentRow());
}

QString TfrmStart::recentEntry() const
{
    const QListWidgetItem* item = m_recent->currentItem();
    return item ? item->text() : QString();
}

QRadioButton* TfrmStart::button(Choice choice) const
{
    switch (choice) {
    case CreateProject:
        return m_create;
    case OpenProject:
        return m_open;
    case OpenRecent:
        break;
    }
    return m_openRecent;
}
