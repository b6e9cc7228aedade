#pragma once

#include <QString>

class TQrx;
class TopicNode;

// The apply-template dialog without its window: which outputs use a
// template page of the project, and the author's choice stored back.
class TApplyTemplate {
public:
    static const QString Caption;         // "应用模板"
    static const QString HtmlHelpCaption; // "HTML 帮助 (CHM)"
    static const QString WebHelpCaption;  // "网络帮助"
    static const QString OkCaption;       // "确定"
    static const QString CancelCaption;   // "取消"

    // `page` is a page of the template branch; both stay the caller's.
    TApplyTemplate(TQrx& project, const TopicNode& page);

    // "Apply the template "<title>" to:"
    QString Label() const;
    QString Link() const;
    // Whether the output uses this page now: what the check boxes start
    // with. Web help uses the HTML Help template while WebHelpTemplateSame
    // holds, whatever WebHelpTemplate says.
    bool UsedForHtmlHelp() const;
    bool UsedForWebHelp() const;

    // OK with the boxes as given: a checked output takes this page, an
    // unchecked one that used it takes none; an output that used another
    // template keeps it. Then the tree icons are refreshed and the project
    // marked changed.
    void Apply(bool htmlHelp, bool webHelp);

private:
    bool isThisPage(const QString& stored) const;

    TQrx& m_project;
    const TopicNode& m_page;
};
