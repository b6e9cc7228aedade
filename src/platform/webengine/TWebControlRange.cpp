#include "TWebControlRange.h"

#include "EditorCalls.h"
#include "TWebHtmlElement.h"

TWebControlRange::TWebControlRange(TJsObjectPtr object)
    : m_object(std::move(object))
{
}

int TWebControlRange::length()
{
    return m_object->call(EditorCall::ControlLength).toInt();
}

std::shared_ptr<IHTMLElement> TWebControlRange::item(int index)
{
    return TWebHtmlElement::From(m_object->bridge(), m_object->call(EditorCall::ControlItem, {index}));
}

std::shared_ptr<IHTMLElement> TWebControlRange::commonParentElement()
{
    return TWebHtmlElement::From(m_object->bridge(), m_object->call(EditorCall::ControlCommonParent));
}
