#pragma once

#include "IHTMLDocument.h"

class TEditorBridge;

// The document of the editor's page.
class TWebHtmlDocument : public IHTMLDocument {
public:
    explicit TWebHtmlDocument(TEditorBridge* bridge);

    QString selectionType() override;
    std::shared_ptr<IHTMLTxtRange> createSelectionRange() override;
    std::shared_ptr<IHTMLControlRange> createControlRange() override;
    std::shared_ptr<IHTMLElement> body() override;
    QList<std::shared_ptr<IHTMLElement>> getElementsByTagName(const QString& tagName) override;

private:
    TEditorBridge* m_bridge;
};
