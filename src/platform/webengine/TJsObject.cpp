#include "TJsObject.h"

#include "QuorixError.h"
#include "TEditorBridge.h"

TJsObject::TJsObject(TEditorBridge* bridge, int handle)
    : m_bridge(bridge)
    , m_handle(handle)
    , m_generation(bridge->generation())
{
}

TJsObject::~TJsObject()
{
    if (m_bridge)
        m_bridge->release(m_handle, m_generation);
}

std::shared_ptr<TJsObject> TJsObject::From(TEditorBridge* bridge, const QVariant& handle)
{
    const int value = handle.toInt();
    if (value <= 0)
        return nullptr;
    return std::make_shared<TJsObject>(bridge, value);
}

QVariant TJsObject::call(const QString& name, QVariantList args) const
{
    if (m_bridge.isNull())
        throw EQuorixError(QStringLiteral("The editor is closed."));
    if (m_bridge->generation() != m_generation)
        throw EQuorixError(QStringLiteral("The page was reloaded; the editor object is gone."));
    args.prepend(m_handle);
    return m_bridge->call(name, args);
}
