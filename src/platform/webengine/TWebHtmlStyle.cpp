#include "TWebHtmlStyle.h"

#include "EditorCalls.h"

TWebHtmlStyle::TWebHtmlStyle(TJsObjectPtr element, bool runtime)
    : m_element(std::move(element))
    , m_runtime(runtime)
{
}

QString TWebHtmlStyle::cssText()
{
    return m_element->call(EditorCall::StyleGet, {m_runtime, QVariant::fromValue(nullptr)}).toString();
}

void TWebHtmlStyle::setCssText(const QString& cssText)
{
    m_element->call(EditorCall::StyleSetCss, {m_runtime, cssText});
}

QString TWebHtmlStyle::getPropertyValue(const QString& name)
{
    return m_element->call(EditorCall::StyleGet, {m_runtime, name}).toString();
}

void TWebHtmlStyle::setProperty(const QString& name, const QString& value)
{
    m_element->call(EditorCall::StyleSetProperty, {m_runtime, name, value});
}

void TWebHtmlStyle::removeProperty(const QString& name)
{
    m_element->call(EditorCall::StyleSetProperty, {m_runtime, name, QVariant::fromValue(nullptr)});
}
