#include "TWebTextRange.h"

#include "QuorixError.h"
#include "TWebHtmlElement.h"

TWebTextRange::TWebTextRange(TJsObjectPtr object)
    : m_object(std::move(object))
{
}

std::shared_ptr<IHTMLTxtRange> TWebTextRange::From(TEditorBridge* bridge, const QVariant& handle)
{
    TJsObjectPtr object = TJsObject::From(bridge, handle);
    if (!object)
        return nullptr;
    return std::make_shared<TWebTextRange>(std::move(object));
}

QString TWebTextRange::text()
{
    return m_object->call(QStringLiteral("rangeText")).toString();
}

void TWebTextRange::setText(const QString& text)
{
    m_object->call(QStringLiteral("rangeSetText"), {text});
}

QString TWebTextRange::htmlText()
{
    return m_object->call(QStringLiteral("rangeHtml")).toString();
}

void TWebTextRange::pasteHTML(const QString& html)
{
    m_object->call(QStringLiteral("rangePaste"), {html});
}

void TWebTextRange::collapse(bool toStart)
{
    m_object->call(QStringLiteral("rangeCollapse"), {toStart});
}

int TWebTextRange::moveStart(const QString& unit, int count)
{
    return m_object->call(QStringLiteral("rangeMoveStart"), {unit, count}).toInt();
}

int TWebTextRange::moveEnd(const QString& unit, int count)
{
    return m_object->call(QStringLiteral("rangeMoveEnd"), {unit, count}).toInt();
}

std::shared_ptr<IHTMLElement> TWebTextRange::parentElement()
{
    return TWebHtmlElement::From(m_object->bridge(), m_object->call(QStringLiteral("rangeParent")));
}

std::shared_ptr<IHTMLTxtRange> TWebTextRange::duplicate()
{
    return From(m_object->bridge(), m_object->call(QStringLiteral("rangeDuplicate")));
}

bool TWebTextRange::inRange(IHTMLTxtRange& range)
{
    auto* other = dynamic_cast<TWebTextRange*>(&range);
    if (other == nullptr || other->m_object->bridge() != m_object->bridge())
        throw EQuorixError(QStringLiteral("The text range belongs to another editor."));
    return m_object->call(QStringLiteral("rangeInRange"), {other->m_object->handle()}).toBool();
}

QString TWebTextRange::getBookmark()
{
    return m_object->call(QStringLiteral("rangeBookmark")).toString();
}

bool TWebTextRange::moveToBookmark(const QString& bookmark)
{
    return m_object->call(QStringLiteral("rangeMoveToBookmark"), {bookmark}).toBool();
}

void TWebTextRange::select()
{
    m_object->call(QStringLiteral("rangeSelect"));
}
