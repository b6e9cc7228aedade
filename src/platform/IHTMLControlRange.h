#pragma once

#include <memory>

class IHTMLElement;

// The selected controls (a picture, a table, a rule...) when the document's
// selection type is "Control".
class IHTMLControlRange {
public:
    virtual ~IHTMLControlRange() = default;

    virtual int length() = 0;
    virtual std::shared_ptr<IHTMLElement> item(int index) = 0;
    // The one selected control itself, or the element that holds them all.
    virtual std::shared_ptr<IHTMLElement> commonParentElement() = 0;
};
