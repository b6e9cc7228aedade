#pragma once

#include "TEditorBridge.h"

#include <QPointer>
#include <QString>
#include <QVariant>
#include <memory>

// A page object (element, range) that the editor's script keeps for C++.
// Shared by the wrappers that refer to it; the script drops it when the
// last one goes. Calls on an object of an earlier document throw.
class TJsObject {
public:
    TJsObject(TEditorBridge* bridge, int handle);
    ~TJsObject();
    TJsObject(const TJsObject&) = delete;
    TJsObject& operator=(const TJsObject&) = delete;

    // A handle from the script (0: no object) as a shared object, or null.
    static std::shared_ptr<TJsObject> From(TEditorBridge* bridge, const QVariant& handle);

    int handle() const { return m_handle; }
    TEditorBridge* bridge() const { return m_bridge; }
    // Calls the script function `name` with this object's handle first.
    QVariant call(const QString& name, QVariantList args = {}) const;

private:
    QPointer<TEditorBridge> m_bridge;
    int m_handle;
    int m_generation;
};

using TJsObjectPtr = std::shared_ptr<TJsObject>;
