#pragma once

#include <QString>

// The inline style of an element, or its run-time style: a layer that shows
// in the editor but is never part of the page's HTML.
class IHTMLStyle {
public:
    virtual ~IHTMLStyle() = default;

    virtual QString cssText() = 0;
    virtual void setCssText(const QString& cssText) = 0;
    // Properties by their CSS names ("border-bottom-style"); empty when unset.
    virtual QString getPropertyValue(const QString& name) = 0;
    virtual void setProperty(const QString& name, const QString& value) = 0;
    virtual void removeProperty(const QString& name) = 0;
};
