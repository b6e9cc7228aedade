#pragma once

#include <QString>
#include <functional>

class QWidget;

// The preview browser: shows a page given as text, in its folder, so its
// relative pictures and style sheets resolve. Links are not followed.
class IHTMLBrowser {
public:
    virtual ~IHTMLBrowser() = default;

    // The browser's widget, for layouts and enabling.
    virtual QWidget* widget() = 0;

    // Shows `html` as a page of `baseFolder` (a native absolute folder; empty
    // for a page without one). Pages of any size load.
    virtual void LoadHtml(const QString& html, const QString& baseFolder) = 0;
    // Shows an empty page.
    virtual void Clear() = 0;

    // The author clicked a link: the page stays, `address` is where the link
    // leads ("file:///..." for a file, "#name" inside the page, outside
    // addresses as written).
    std::function<void(const QString& address)> OnLinkClicked;
};
