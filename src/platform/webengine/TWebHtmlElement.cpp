#include "TWebHtmlElement.h"

#include "EditorCalls.h"
#include "TPageUrlScheme.h"
#include "TWebHtmlStyle.h"
#include "TWebTextRange.h"

#include <QUrl>

TWebHtmlElement::TWebHtmlElement(TJsObjectPtr object)
    : m_object(std::move(object))
{
}

THtmlElementPtr TWebHtmlElement::From(TEditorBridge* bridge, const QVariant& handle)
{
    TJsObjectPtr object = TJsObject::From(bridge, handle);
    if (!object)
        return nullptr;
    return std::make_shared<TWebHtmlElement>(std::move(object));
}

QList<THtmlElementPtr> TWebHtmlElement::ListFrom(TEditorBridge* bridge, const QVariant& handles)
{
    QList<THtmlElementPtr> elements;
    const QVariantList list = handles.toList();
    elements.reserve(list.size());
    for (const QVariant& handle : list) {
        if (THtmlElementPtr element = From(bridge, handle))
            elements.append(std::move(element));
    }
    return elements;
}

QString TWebHtmlElement::tagName()
{
    return m_object->call(EditorCall::TagName).toString();
}

THtmlElementPtr TWebHtmlElement::parentElement()
{
    return From(m_object->bridge(), m_object->call(EditorCall::ParentElement));
}

bool TWebHtmlElement::hasAttribute(const QString& name)
{
    return m_object->call(EditorCall::HasAttribute, {name}).toBool();
}

QString TWebHtmlElement::getAttribute(const QString& name)
{
    return m_object->call(EditorCall::GetAttribute, {name}).toString();
}

void TWebHtmlElement::setAttribute(const QString& name, const QString& value)
{
    m_object->call(EditorCall::SetAttribute, {name, value});
}

bool TWebHtmlElement::removeAttribute(const QString& name)
{
    return m_object->call(EditorCall::RemoveAttribute, {name}).toBool();
}

QVariant TWebHtmlElement::property(const QString& name)
{
    return m_object->call(EditorCall::GetProperty, {name});
}

void TWebHtmlElement::setProperty(const QString& name, const QVariant& value)
{
    m_object->call(EditorCall::SetProperty, {name, value});
}

QString TWebHtmlElement::innerHTML()
{
    return m_object->call(EditorCall::InnerHtml).toString();
}

void TWebHtmlElement::setInnerHTML(const QString& html)
{
    m_object->call(EditorCall::SetInnerHtml, {html});
}

QString TWebHtmlElement::outerHTML()
{
    return m_object->call(EditorCall::OuterHtml).toString();
}

void TWebHtmlElement::setOuterHTML(const QString& html)
{
    m_object->call(EditorCall::SetOuterHtml, {html});
}

QString TWebHtmlElement::innerText()
{
    return m_object->call(EditorCall::InnerText).toString();
}

void TWebHtmlElement::setInnerText(const QString& text)
{
    m_object->call(EditorCall::SetInnerText, {text});
}

std::shared_ptr<IHTMLStyle> TWebHtmlElement::style()
{
    return std::make_shared<TWebHtmlStyle>(m_object, false);
}

std::shared_ptr<IHTMLStyle> TWebHtmlElement::runtimeStyle()
{
    return std::make_shared<TWebHtmlStyle>(m_object, true);
}

std::shared_ptr<IHTMLTxtRange> TWebHtmlElement::createTextRange()
{
    return TWebTextRange::From(m_object->bridge(), m_object->call(EditorCall::CreateTextRange));
}

QString TWebHtmlElement::href()
{
    const QString href = m_object->call(EditorCall::Href).toString();
    return href.isEmpty() ? href : TPageUrlScheme::AuthorUrl(QUrl(href));
}

QList<THtmlElementPtr> TWebHtmlElement::rows()
{
    return ListFrom(m_object->bridge(), m_object->call(EditorCall::Rows));
}

THtmlElementPtr TWebHtmlElement::insertRow(int index)
{
    return From(m_object->bridge(), m_object->call(EditorCall::InsertRow, {index}));
}

QList<THtmlElementPtr> TWebHtmlElement::cells()
{
    return ListFrom(m_object->bridge(), m_object->call(EditorCall::Cells));
}

THtmlElementPtr TWebHtmlElement::insertCell(int index)
{
    return From(m_object->bridge(), m_object->call(EditorCall::InsertCell, {index}));
}

int TWebHtmlElement::cellIndex()
{
    return property(QStringLiteral("cellIndex")).toInt();
}
