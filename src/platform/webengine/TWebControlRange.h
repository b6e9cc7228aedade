#pragma once

#include "IHTMLControlRange.h"
#include "TJsObject.h"

// The selected controls of the editor's page.
class TWebControlRange : public IHTMLControlRange {
public:
    explicit TWebControlRange(TJsObjectPtr object);

    int length() override;
    std::shared_ptr<IHTMLElement> item(int index) override;
    std::shared_ptr<IHTMLElement> commonParentElement() override;

private:
    TJsObjectPtr m_object;
};
