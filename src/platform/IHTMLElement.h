#pragma once

#include <QList>
#include <QString>
#include <QVariant>
#include <memory>

class IHTMLStyle;
class IHTMLTxtRange;
class IHTMLElement;
using THtmlElementPtr = std::shared_ptr<IHTMLElement>;

// One element of the edited page. Objects stay valid until the document is
// replaced (DocumentHTML, NewDocument); a call on an element of an earlier
// document, or one removed from the page, throws EQuorixError.
class IHTMLElement {
public:
    virtual ~IHTMLElement() = default;

    virtual QString tagName() = 0; // upper case: "A", "IMG", "TD"
    // Null for the HTML element.
    virtual THtmlElementPtr parentElement() = 0;

    // Attribute values as written in the page; empty when absent.
    virtual bool hasAttribute(const QString& name) = 0;
    virtual QString getAttribute(const QString& name) = 0;
    virtual void setAttribute(const QString& name, const QString& value) = 0;
    virtual bool removeAttribute(const QString& name) = 0;
    // DOM properties by their script names ("width", "vAlign", "bgColor",
    // "rowSpan", "colSpan", "cellIndex"...): strings, numbers or booleans.
    virtual QVariant property(const QString& name) = 0;
    virtual void setProperty(const QString& name, const QVariant& value) = 0;

    virtual QString innerHTML() = 0;
    virtual void setInnerHTML(const QString& html) = 0;
    // Setting the outer HTML replaces the element; this object then refers
    // to nothing.
    virtual QString outerHTML() = 0;
    virtual void setOuterHTML(const QString& html) = 0;
    virtual QString innerText() = 0;
    virtual void setInnerText(const QString& text) = 0;

    virtual std::shared_ptr<IHTMLStyle> style() = 0;
    virtual std::shared_ptr<IHTMLStyle> runtimeStyle() = 0;

    // A text range over the element's content (the body's: the whole page).
    virtual std::shared_ptr<IHTMLTxtRange> createTextRange() = 0;

    // Anchors: the address the link leads to, resolved ("file:///..." for
    // pages and pictures beside the page); empty without "href".
    virtual QString href() = 0;

    // Tables, rows and cells. Index -1 appends.
    virtual QList<THtmlElementPtr> rows() = 0;
    virtual THtmlElementPtr insertRow(int index = -1) = 0;
    virtual QList<THtmlElementPtr> cells() = 0;
    virtual THtmlElementPtr insertCell(int index = -1) = 0;
    virtual int cellIndex() = 0;
};
