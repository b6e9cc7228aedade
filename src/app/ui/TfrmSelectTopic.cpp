#include "TfrmSelectTopic.h"

#include "IUserPrompts.h"
#include "Paths.h"
#include "TQrx.h"
#include "TTopicItemDelegate.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTreeView>
#include <QVBoxLayout>

namespace {

const QString PageFilter = QStringLiteral("HTML 文件 (*.html, *.htm)|*.html;*.htm");

// Every index below `parent`, depth first.
template <typename Visit>
void forEachIndex(const QAbstractItemModel& model, const QModelIndex& parent, Visit visit)
{
    for (int row = 0; row < model.rowCount(parent); ++row) {
        const QModelIndex index = model.index(row, 0, parent);
        visit(index);
        forEachIndex(model, index, visit);
    }
}

} // namespace

TfrmSelectTopic::TfrmSelectTopic(TQrx& project, IUserPrompts& prompts, QWidget* parent)
    : QDialog(parent)
    , m_project(project)
    , m_prompts(prompts)
    , m_model(project.Tree())
    , m_view(new QTreeView(this))
    , m_address(new QLineEdit(this))
    , m_expandAll(new QPushButton(QStringLiteral("完全展开"), this))
    , m_browse(new QPushButton(QStringLiteral("..."), this))
{
    setWindowTitle(QStringLiteral("选择主题"));
    m_view->setModel(&m_model);
    m_view->setItemDelegate(new TTopicItemDelegate(project, m_view));
    m_view->setHeaderHidden(true);
    m_view->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_view->setSelectionMode(QAbstractItemView::SingleSelection);
    m_view->setDragEnabled(false);
    m_browse->setToolTip(QStringLiteral("选择文件夹中的文件"));

    auto* buttons = new QDialogButtonBox(this);
    m_ok = buttons->addButton(QStringLiteral("确定"), QDialogButtonBox::AcceptRole);
    m_ok->setDefault(true);
    m_none = buttons->addButton(QStringLiteral("无"), QDialogButtonBox::ActionRole);
    buttons->addButton(QStringLiteral("取消"), QDialogButtonBox::RejectRole);

    auto* addressRow = new QHBoxLayout;
    addressRow->addWidget(new QLabel(QStringLiteral("网址:"), this));
    addressRow->addWidget(m_address, 1);
    addressRow->addWidget(m_browse);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(QStringLiteral("主题数:"), this));
    layout->addWidget(m_view, 1);
    layout->addWidget(m_expandAll, 0, Qt::AlignLeft);
    layout->addLayout(addressRow);
    layout->addWidget(buttons);
    resize(420, 480);

    connect(m_view, &QTreeView::expanded, this, [this](const QModelIndex& index) { m_model.SetExpanded(index, true); });
    connect(m_view, &QTreeView::collapsed, this, [this](const QModelIndex& index) { m_model.SetExpanded(index, false); });
    connect(m_view->selectionModel(), &QItemSelectionModel::currentChanged, this, &TfrmSelectTopic::nodeSelected);
    connect(m_address, &QLineEdit::textChanged, this,
            [this](const QString& text) { m_ok->setEnabled(!text.trimmed().isEmpty()); });
    connect(m_expandAll, &QPushButton::clicked, this, &TfrmSelectTopic::expandAll);
    connect(m_browse, &QPushButton::clicked, this, &TfrmSelectTopic::browse);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    // No address: OK all the same, although "确定" is off.
    connect(m_none, &QPushButton::clicked, this, [this] {
        m_address->clear();
        accept();
    });
    m_ok->setEnabled(false);
}

void TfrmSelectTopic::Initialize(int mode)
{
    m_model.SetMode(mode);
    m_view->expand(m_model.index(0, 0));
    const QModelIndex found = m_model.FindUrl(m_address->text().trimmed());
    if (found.isValid()) {
        m_view->setCurrentIndex(found);
        m_view->scrollTo(found);
    }
    m_ok->setEnabled(!m_address->text().trimmed().isEmpty());
}

void TfrmSelectTopic::nodeSelected(const QModelIndex& index)
{
    // A root or a heading names no page.
    if (const TopicNode* node = m_model.NodeAt(index))
        m_address->setText(node->isRoot() ? QString() : node->entry().Url);
}

void TfrmSelectTopic::expandAll()
{
    m_view->expandAll();
    // The view opens every branch without saying so one by one.
    forEachIndex(m_model, QModelIndex(), [this](const QModelIndex& index) {
        if (m_model.hasChildren(index))
            m_model.SetExpanded(index, true);
    });
    if (m_view->currentIndex().isValid())
        m_view->scrollTo(m_view->currentIndex());
}

void TfrmSelectTopic::browse()
{
    const QString file = m_prompts.ChooseFiles(QStringLiteral("..."), PageFilter, m_project.RootDir, false).value(0);
    if (!file.isEmpty())
        m_address->setText(RelativePath(m_project.RootDir, file));
}
