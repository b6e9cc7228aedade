#include "TfrmApplyTemplate.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

TfrmApplyTemplate::TfrmApplyTemplate(TQrx& project, const TopicNode& page, QWidget* parent)
    : QDialog(parent)
    , m_logic(project, page)
{
    setWindowTitle(TApplyTemplate::Caption);
    lbMessage = new QLabel(m_logic.Label(), this);
    cbHtmlHelp = new QCheckBox(TApplyTemplate::HtmlHelpCaption, this);
    cbHtmlHelp->setChecked(m_logic.UsedForHtmlHelp());
    cbWebHelp = new QCheckBox(TApplyTemplate::WebHelpCaption, this);
    cbWebHelp->setChecked(m_logic.UsedForWebHelp());

    auto* buttons = new QDialogButtonBox(this);
    btnOK = buttons->addButton(TApplyTemplate::OkCaption, QDialogButtonBox::AcceptRole);
    btnCancel = buttons->addButton(TApplyTemplate::CancelCaption, QDialogButtonBox::RejectRole);
    btnOK->setDefault(true);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(lbMessage);
    layout->addWidget(cbHtmlHelp);
    layout->addWidget(cbWebHelp);
    layout->addStretch();
    layout->addWidget(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

void TfrmApplyTemplate::accept()
{
    m_logic.Apply(cbHtmlHelp->isChecked(), cbWebHelp->isChecked());
    QDialog::accept();
}
