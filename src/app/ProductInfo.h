#pragma once

#include <QString>

// The product as the window names it.
namespace ProductInfo {

inline QString Name()
{
    return QStringLiteral("Quorix");
}

inline QString Version()
{
    return QStringLiteral("v5.45");
}

// "Quorix v5.45" without a project, "Quorix v5.45 - help.qrx" with one.
QString Caption(const QString& projectFile = QString());

} // namespace ProductInfo
