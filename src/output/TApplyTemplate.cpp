#include "TApplyTemplate.h"

#include "TQrx.h"
#include "TopicNode.h"

const QString TApplyTemplate::Caption = QStringLiteral("应用模板");
const QString TApplyTemplate::HtmlHelpCaption = QStringLiteral("HTML 帮助 (CHM)");
const QString TApplyTemplate::WebHelpCaption = QStringLiteral("网络帮助");
const QString TApplyTemplate::OkCaption = QStringLiteral("确定");
const QString TApplyTemplate::CancelCaption = QStringLiteral("取消");

TApplyTemplate::TApplyTemplate(TQrx& project, const TopicNode& page)
    : m_project(project)
    , m_page(page)
{
}

QString TApplyTemplate::Label() const
{
    return QStringLiteral("Apply the template \"") + m_page.text() + QStringLiteral("\" to:");
}

QString TApplyTemplate::Link() const
{
    return m_page.entry().Url;
}

bool TApplyTemplate::isThisPage(const QString& stored) const
{
    const QString link = Link();
    return !link.isEmpty() && link.compare(stored, Qt::CaseInsensitive) == 0;
}

bool TApplyTemplate::UsedForHtmlHelp() const
{
    return isThisPage(m_project.HtmlHelpTemplate);
}

bool TApplyTemplate::UsedForWebHelp() const
{
    return isThisPage(m_project.WebHelpTemplateSame ? m_project.HtmlHelpTemplate : m_project.WebHelpTemplate);
}

void TApplyTemplate::Apply(bool htmlHelp, bool webHelp)
{
    // Both judged before either setting changes: web help may follow the
    // HTML Help one.
    const bool wasHtmlHelp = UsedForHtmlHelp();
    const bool wasWebHelp = UsedForWebHelp();
    if (htmlHelp)
        m_project.HtmlHelpTemplate = Link();
    else if (wasHtmlHelp)
        m_project.HtmlHelpTemplate.clear();
    if (webHelp) {
        m_project.WebHelpTemplateSame = false;
        m_project.WebHelpTemplate = Link();
    } else if (wasWebHelp) {
        m_project.WebHelpTemplateSame = false;
        m_project.WebHelpTemplate.clear();
    }
    m_project.SetIcon();
    m_project.ProjectChanged = true;
}
