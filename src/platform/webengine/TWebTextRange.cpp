#include "TWebTextRange.h"

#include "EditorCalls.h"
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
    return m_object->call(EditorCall::RangeText).toString();
}

void TWebTextRange::setText(const QString& text)
{
    m_object->call(EditorCall::RangeSetText, {text});
}

QString TWebTextRange::htmlText()
{
    return m_object->call(EditorCall::RangeHtml).toString();
}

void TWebTextRange::pasteHTML(const QString& html)
{
    m_object->call(EditorCall::RangePaste, {html});
}

void TWebTextRange::collapse(bool toStart)
{
    m_object->call(EditorCall::RangeCollapse, {toStart});
}

int TWebTextRange::moveStart(const QString& unit, int count)
{
    return m_object->call(EditorCall::RangeMoveStart, {unit, count}).toInt();
}

int TWebTextRange::moveEnd(const QString& unit, int count)
{
    return m_object->call(EditorCall::RangeMoveEnd, {unit, count}).toInt();
}

std::shared_ptr<IHTMLElement> TWebTextRange::parentElement()
{
    return TWebHtmlElement::From(m_object->bridge(), m_object->call(EditorCall::RangeParent));
}

std::shared_ptr<IHTMLTxtRange> TWebTextRange::duplicate()
{
    return From(m_object->bridge(), m_object->call(EditorCall::RangeDuplicate));
}

bool TWebTextRange::inRange(IHTMLTxtRange& range)
{
    auto* other = dynamic_cast<TWebTextRange*>(&range);
    if (other == nullptr || other->m_object->bridge() != m_object->bridge())
        throw EQuorixError(QStringLiteral("The text range belongs to another editor."));
    return m_object->call(EditorCall::RangeInRange, {other->m_object->handle()}).toBool();
}

QString TWebTextRange::getBookmark()
{
    return m_object->call(EditorCall::RangeBookmark).toString();
}

bool TWebTextRange::moveToBookmark(const QString& bookmark)
{
    return m_object->call(EditorCall::RangeMoveToBookmark, {bookmark}).toBool();
}

void TWebTextRange::select()
{
    m_object->call(EditorCall::RangeSelect);
}
