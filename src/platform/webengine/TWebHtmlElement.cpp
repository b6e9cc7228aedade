#include "TWebHtmlElement.h"

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
    return m_object->call(QStringLiteral("tagName")).toString();
}

THtmlElementPtr TWebHtmlElement::parentElement()
{
    return From(m_object->bridge(), m_object->call(QStringLiteral("parentElement")));
}

bool TWebHtmlElement::hasAttribute(const QString& name)
{
    return m_object->call(QStringLiteral("hasAttribute"), {name}).toBool();
}

QString TWebHtmlElement::getAttribute(const QString& name)
{
    return m_object->call(QStringLiteral("getAttribute"), {name}).toString();
}

void TWebHtmlElement::setAttribute(const QString& name, const QString& value)
{
    m_object->call(QStringLiteral("setAttribute"), {name, value});
}

bool TWebHtmlElement::removeAttribute(const QString& name)
{
    return m_object->call(QStringLiteral("removeAttribute"), {name}).toBool();
}

QVariant TWebHtmlElement::property(const QString& name)
{
    return m_object->call(QStringLiteral("getProperty"), {name});
}

void TWebHtmlElement::setProperty(const QString& name, const QVariant& value)
{
    m_object->call(QStringLiteral("setProperty"), {name, value});
}

QString TWebHtmlElement::innerHTML()
{
    return m_object->call(QStringLiteral("innerHTML")).toString();
}

void TWebHtmlElement::setInnerHTML(const QString& html)
{
    m_object->call(QStringLiteral("setInnerHTML"), {html});
}

QString TWebHtmlElement::outerHTML()
{
    return m_object->call(QStringLiteral("outerHTML")).toString();
}

void TWebHtmlElement::setOuterHTML(const QString& html)
{
    m_object->call(QStringLiteral("setOuterHTML"), {html});
}

QString TWebHtmlElement::innerText()
{
    return m_object->call(QStringLiteral("innerText")).toString();
}

void TWebHtmlElement::setInnerText(const QString& text)
{
    m_object->call(QStringLiteral("setInnerText"), {text});
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
    return TWebTextRange::From(m_object->bridge(), m_object->call(QStringLiteral("createTextRange")));
}

QString TWebHtmlElement::href()
{
    const QString href = m_object->call(QStringLiteral("href")).toString();
    return href.isEmpty() ? href : TPageUrlScheme::AuthorUrl(QUrl(href));
}

QList<THtmlElementPtr> TWebHtmlElement::rows()
{
    return ListFrom(m_object->bridge(), m_object->call(QStringLiteral("rows")));
}

THtmlElementPtr TWebHtmlElement::insertRow(int index)
{
    return From(m_object->bridge(), m_object->call(QStringLiteral("insertRow"), {index}));
}

QList<THtmlElementPtr> TWebHtmlElement::cells()
{
    return ListFrom(m_object->bridge(), m_object->call(QStringLiteral("cells")));
}

THtmlElementPtr TWebHtmlElement::insertCell(int index)
{
    return From(m_object->bridge(), m_object->call(QStringLiteral("insertCell"), {index}));
}

int TWebHtmlElement::cellIndex()
{
    return property(QStringLiteral("cellIndex")).toInt();
}
