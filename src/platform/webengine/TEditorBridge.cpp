#include "TEditorBridge.h"

#include "EditorCalls.h"
#include "QuorixError.h"

#include <QEventLoop>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonValue>
#include <QTimer>
#include <QWebEnginePage>
#include <QWebEngineScript>

namespace {

// A healthy page answers in milliseconds; a page that does not answer in
// this time has hung or gone.
constexpr int CallTimeoutMs = 20000;

QString jsonText(const QJsonValue& value)
{
    QJsonArray wrapper{value};
    const QByteArray text = QJsonDocument(wrapper).toJson(QJsonDocument::Compact);
    return QString::fromUtf8(text.mid(1, text.size() - 2));
}

} // namespace

TEditorBridge::TEditorBridge(QWebEnginePage* page, QObject* parent)
    : QObject(parent)
    , m_page(page)
{
}

QString TEditorBridge::CallScript(const QString& name, const QVariantList& args)
{
    return QStringLiteral("quorixEditor.call(%1, %2);")
        .arg(jsonText(name), jsonText(QJsonArray::fromVariantList(args)));
}

void TEditorBridge::setGeneration(int generation)
{
    m_generation = generation;
    m_released.clear(); // the new document starts with an empty handle table
}

void TEditorBridge::release(int handle, int generation)
{
    if (generation == m_generation && handle > 0)
        m_released.append(handle);
}

void TEditorBridge::displayChanged()
{
    emit changed();
}

QVariant TEditorBridge::call(const QString& name, const QVariantList& args)
{
    if (BeforeCall)
        BeforeCall();
    if (m_page.isNull())
        throw EQuorixError(QStringLiteral("The editor is closed."));

    QString script;
    if (!m_released.isEmpty()) {
        QVariantList handles;
        for (int handle : std::as_const(m_released))
            handles.append(handle);
        m_released.clear();
        script = CallScript(EditorCall::Release, {QVariant(handles)});
    }
    // The answer is that of the last statement.
    script += CallScript(name, args);

    struct Answer {
        bool done = false;
        QVariant value;
    };
    auto answer = std::make_shared<Answer>();
    QEventLoop loop;
    QPointer<QEventLoop> waiting(&loop);
    m_page->runJavaScript(script, QWebEngineScript::ApplicationWorld, [answer, waiting](const QVariant& result) {
        answer->done = true;
        answer->value = result;
        if (waiting)
            waiting->quit();
    });
    if (!answer->done) {
        QTimer timeout;
        timeout.setSingleShot(true);
        connect(&timeout, &QTimer::timeout, &loop, &QEventLoop::quit);
        connect(m_page, &QObject::destroyed, &loop, &QEventLoop::quit);
        timeout.start(CallTimeoutMs);
        ++m_depth;
        loop.exec(QEventLoop::ExcludeUserInputEvents);
        --m_depth;
    }
    if (!answer->done)
        throw EQuorixError(QStringLiteral("The editor did not answer (%1).").arg(name));
    const QVariantMap result = answer->value.toMap();
    if (!result.value(QStringLiteral("ok")).toBool()) {
        QString error = result.value(QStringLiteral("error")).toString();
        if (error.isEmpty())
            error = QStringLiteral("the page has no editor script");
        throw EQuorixError(QStringLiteral("The editor could not run %1: %2.").arg(name, error));
    }
    return result.value(QStringLiteral("value"));
}
