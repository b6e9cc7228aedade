#pragma once

#include <QList>
#include <QString>
#include <memory>

class IHTMLControlRange;
class IHTMLElement;
class IHTMLTxtRange;

// The edited page's document.
class IHTMLDocument {
public:
    virtual ~IHTMLDocument() = default;

    // The selection's type: "None" (a caret or nothing), "Text" or "Control".
    virtual QString selectionType() = 0;
    // A text range of the selection; with type "None" it is collapsed at the
    // caret (at the start of the page when there is none).
    virtual std::shared_ptr<IHTMLTxtRange> createSelectionRange() = 0;
    // The selected controls; null unless the type is "Control".
    virtual std::shared_ptr<IHTMLControlRange> createControlRange() = 0;

    virtual std::shared_ptr<IHTMLElement> body() = 0;
    // In document order; the name without regard to case ("A", "img").
    virtual QList<std::shared_ptr<IHTMLElement>> getElementsByTagName(const QString& tagName) = 0;
};
