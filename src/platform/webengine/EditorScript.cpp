#include "EditorScript.h"

#include <QDir>
#include <QFile>

namespace {

const QString PartsFolder = QStringLiteral(":/quorix/platform/editor");

// The program's own resources: missing, it was built wrongly.
QString resourceText(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        qFatal("Quorix: the resource %s is missing", qPrintable(path));
    return QString::fromUtf8(file.readAll());
}

} // namespace

QString EditorScriptText()
{
    const QStringList parts = QDir(PartsFolder).entryList({QStringLiteral("*.js")}, QDir::Files, QDir::Name);
    if (parts.isEmpty())
        qFatal("Quorix: the editor's script is missing");
    QString text;
    for (const QString& part : parts)
        text += resourceText(PartsFolder + QLatin1Char('/') + part);
    return text;
}

QString EditorPageScript()
{
    return resourceText(QStringLiteral(":/qtwebchannel/qwebchannel.js")) + QLatin1Char('\n') + EditorScriptText();
}
