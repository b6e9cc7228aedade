#pragma once

#include "IHTMLStyle.h"
#include "TJsObject.h"

// An element's style or run-time style in the editor's page.
class TWebHtmlStyle : public IHTMLStyle {
public:
    TWebHtmlStyle(TJsObjectPtr element, bool runtime);

    QString cssText() override;
    void setCssText(const QString& cssText) override;
    QString getPropertyValue(const QString& name) override;
    void setProperty(const QString& name, const QString& value) override;
    void removeProperty(const QString& name) override;

private:
    TJsObjectPtr m_element;
    bool m_runtime;
};
