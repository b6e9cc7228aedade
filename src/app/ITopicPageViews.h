#pragma once

#include <QString>

// The tabs of the editing views, in their order.
enum class TPageTab { Edit, Source, Preview, TopicOptions };

// What the topic page's workflow needs of the views around the editing
// control: the page panel, or a test's double.
class ITopicPageViews {
public:
    virtual ~ITopicPageViews() = default;

    virtual TPageTab ActiveTab() const = 0;
    // The editor, the source and the preview shown, or blank panels.
    virtual bool ViewsEnabled() const = 0;
    virtual void SetViewsEnabled(bool enabled) = 0;
    virtual QString SourceText() const = 0;
    virtual void SetSourceText(const QString& text) = 0;
    // Shows `html` as a page of `baseFolder` (native, with its separator).
    virtual void ShowPreview(const QString& html, const QString& baseFolder) = 0;
    // The strip below the views; an empty text hides it.
    virtual void ShowMessage(const QString& text) = 0;
};
