#pragma once

#include "IHTMLElement.h"
#include "TJsObject.h"

// An element of the editor's page.
class TWebHtmlElement : public IHTMLElement {
public:
    explicit TWebHtmlElement(TJsObjectPtr object);

    // A handle from the editor's script as an element, or null.
    static THtmlElementPtr From(TEditorBridge* bridge, const QVariant& handle);
    static QList<THtmlElementPtr> ListFrom(TEditorBridge* bridge, const QVariant& handles);

    QString tagName() override;
    THtmlElementPtr parentElement() override;
    bool hasAttribute(const QString& name) override;
    QString getAttribute(const QString& name) override;
    void setAttribute(const QString& name, const QString& value) override;
    bool removeAttribute(const QString& name) override;
    QVariant property(const QString& name) override;
    void setProperty(const QString& name, const QVariant& value) override;
    QString innerHTML() override;
    void setInnerHTML(const QString& html) override;
    QString outerHTML() override;
    void setOuterHTML(const QString& html) override;
    QString innerText() override;
    void setInnerText(const QString& text) override;
    std::shared_ptr<IHTMLStyle> style() override;
    std::shared_ptr<IHTMLStyle> runtimeStyle() override;
    std::shared_ptr<IHTMLTxtRange> createTextRange() override;
    QString href() override;
    QList<THtmlElementPtr> rows() override;
    THtmlElementPtr insertRow(int index) override;
    QList<THtmlElementPtr> cells() override;
    THtmlElementPtr insertCell(int index) override;
    int cellIndex() override;

private:
    TJsObjectPtr m_object;
};
