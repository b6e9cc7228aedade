#include "TEditorBridge.h"

#include "EditorCalls.h"
#include "QuorixError.h"

#include <QElapsedTimer>
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
// How long a wait for keys lets the page's pushes come before it asks.
constexpr int KeyPollMs = 5;

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
    m_state.clear();
    m_stateId = -1;
    m_stateCurrent = false;
    m_keysSent = 0; // keys sent to the page being replaced are gone with it
}

void TEditorBridge::release(int handle, int generation)
{
    if (generation == m_generation && handle > 0)
        m_released.append(handle);
}

bool TEditorBridge::takeState(const QVariantMap& state)
{
    if (state.value(QStringLiteral("page")).toInt() != m_generation)
        return false; // a record of a page since replaced
    const qint64 id = state.value(QStringLiteral("id")).toLongLong();
    if (id < m_stateId)
        return false; // overtaken by a record already held
    m_stateCurrent = true;
    if (id == m_stateId)
        return false;
    m_state = state;
    m_stateId = id;
    return true;
}

void TEditorBridge::stateChanged(const QVariantMap& state)
{
    if (takeState(state))
        emit changed();
}

QVariantMap TEditorBridge::state()
{
    if (!m_stateCurrent)
        return freshState();
    return m_state;
}

QVariantMap TEditorBridge::freshState()
{
    // The record replaces the push the page would have sent for the change.
    stateChanged(call(EditorCall::State).toMap());
    return m_state;
}

bool TEditorBridge::keysPending() const
{
    return m_state.value(QStringLiteral("keys")).toLongLong() < m_keysSent;
}

bool TEditorBridge::waitForKeys(int timeoutMs)
{
    QElapsedTimer timer;
    timer.start();
    while (keysPending()) {
        if (timer.hasExpired(timeoutMs)) {
            // A key the page never saw (taken by the view itself): count
            // from what the page has, so the next wait does not stall.
            m_keysSent = m_state.value(QStringLiteral("keys")).toLongLong();
            return false;
        }
        QEventLoop loop;
        QTimer::singleShot(KeyPollMs, &loop, &QEventLoop::quit);
        connect(this, &TEditorBridge::changed, &loop, &QEventLoop::quit);
        wait(loop);
        if (keysPending())
            freshState();
    }
    return true;
}

void TEditorBridge::wait(QEventLoop& loop)
{
    ++m_depth;
    loop.exec(QEventLoop::ExcludeUserInputEvents);
    if (--m_depth == 0)
        emit waitsEnded();
}

QVariant TEditorBridge::adoptAnswer(const QVariant& answer)
{
    const QVariantMap result = answer.toMap();
    if (!result.value(QStringLiteral("ok")).toBool())
        return {};
    const auto state = result.constFind(QStringLiteral("state"));
    if (state != result.constEnd())
        stateChanged(state->toMap());
    else if (result.value(QStringLiteral("stateId")).toLongLong() != m_stateId)
        m_stateCurrent = false; // a record is on its way
    return result.value(QStringLiteral("value"));
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
    ++m_calls;

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
        wait(loop);
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
    return adoptAnswer(answer->value);
}
