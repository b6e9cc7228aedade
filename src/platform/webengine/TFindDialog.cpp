#include "TFindDialog.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QVBoxLayout>

TFindDialog::TFindDialog(std::function<bool(const QString&, bool, bool)> find, QWidget* parent)
    : QDialog(parent)
    , m_find(std::move(find))
    , m_text(new QLineEdit(this))
    , m_matchCase(new QCheckBox(QStringLiteral("区分大小写"), this))
    , m_backwards(new QCheckBox(QStringLiteral("向上查找"), this))
{
    setWindowTitle(QStringLiteral("查找"));
    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("查找内容:"), m_text);
    auto* buttons = new QDialogButtonBox(this);
    QPushButton* next = buttons->addButton(QStringLiteral("查找下一个"), QDialogButtonBox::AcceptRole);
    next->setDefault(true);
    buttons->addButton(QStringLiteral("关闭"), QDialogButtonBox::RejectRole);
    connect(next, &QPushButton::clicked, this, &TFindDialog::findNext);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(m_matchCase);
    layout->addWidget(m_backwards);
    layout->addWidget(buttons);
}

void TFindDialog::findNext()
{
    const QString text = m_text->text();
    if (text.isEmpty())
        return;
    if (!m_find(text, m_matchCase->isChecked(), m_backwards->isChecked()))
        QMessageBox::information(this, windowTitle(), QStringLiteral("Cannot find \"%1\".").arg(text));
}
