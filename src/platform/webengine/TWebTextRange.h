#pragma once

#include "IHTMLTxtRange.h"
#include "TJsObject.h"

// A text range of the editor's page.
class TWebTextRange : public IHTMLTxtRange {
public:
    explicit TWebTextRange(TJsObjectPtr object);

    static std::shared_ptr<IHTMLTxtRange> From(TEditorBridge* bridge, const QVariant& handle);

    QString text() override;
    void setText(const QString& text) override;
    QString htmlText() override;
    void pasteHTML(const QString& html) override;
    void collapse(bool toStart) override;
    int moveStart(const QString& unit, int count) override;
    int moveEnd(const QString& unit, int count) override;
    std::shared_ptr<IHTMLElement> parentElement() override;
    std::shared_ptr<IHTMLTxtRange> duplicate() override;
    bool inRange(IHTMLTxtRange& range) override;
    QString getBookmark() override;
    bool moveToBookmark(const QString& bookmark) override;
    void select() override;

private:
    TJsObjectPtr m_object;
};
