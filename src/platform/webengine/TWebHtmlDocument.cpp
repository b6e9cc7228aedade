#include "TWebHtmlDocument.h"

#include "EditorCalls.h"
#include "TEditorBridge.h"
#include "TWebControlRange.h"
#include "TWebHtmlElement.h"
#include "TWebTextRange.h"

TWebHtmlDocument::TWebHtmlDocument(TEditorBridge* bridge)
    : m_bridge(bridge)
{
}

QString TWebHtmlDocument::selectionType()
{
    return m_bridge->call(EditorCall::SelectionType).toString();
}

std::shared_ptr<IHTMLTxtRange> TWebHtmlDocument::createSelectionRange()
{
    return TWebTextRange::From(m_bridge, m_bridge->call(EditorCall::SelectionRange));
}

std::shared_ptr<IHTMLControlRange> TWebHtmlDocument::createControlRange()
{
    TJsObjectPtr object = TJsObject::From(m_bridge, m_bridge->call(EditorCall::ControlRange));
    if (!object)
        return nullptr;
    return std::make_shared<TWebControlRange>(std::move(object));
}

std::shared_ptr<IHTMLElement> TWebHtmlDocument::body()
{
    return TWebHtmlElement::From(m_bridge, m_bridge->call(EditorCall::Body));
}

QList<std::shared_ptr<IHTMLElement>> TWebHtmlDocument::getElementsByTagName(const QString& tagName)
{
    return TWebHtmlElement::ListFrom(m_bridge, m_bridge->call(EditorCall::ElementsByTagName, {tagName}));
}
