#pragma once

#include <QList>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QVariant>
#include <functional>

class QEventLoop;
class QWebEnginePage;

// The C++ end of the editor's script (js/editor/*.js): calls its functions
// and waits for the answer, so the document model reads like plain calls;
// keeps the page's state record, which the page pushes through the web
// channel after every input, selection change or edit and adds to every
// answer when it moved.
//
// A call processes other events while it waits, but no user input.
class TEditorBridge : public QObject {
    Q_OBJECT
public:
    explicit TEditorBridge(QWebEnginePage* page, QObject* parent = nullptr);

    // Runs quorixEditor.call(name, args) in the editor's world. Throws
    // EQuorixError when the script fails or does not answer. Names are
    // those of EditorCalls.h.
    QVariant call(const QString& name, const QVariantList& args = {});
    // The script text of that call, for a caller that runs it itself.
    static QString CallScript(const QString& name, const QVariantList& args = {});
    // Takes the state record of such an answer; the answer's value.
    QVariant adoptAnswer(const QVariant& answer);
    // Runs before every call: the control waits there for a page being loaded.
    std::function<void()> BeforeCall;

    // The document the page objects belong to; a new one for every load.
    int generation() const { return m_generation; }
    void setGeneration(int generation);
    // Objects the C++ side no longer holds, handed back with the next call.
    void release(int handle, int generation);
    // True while a call waits for its answer.
    bool inCall() const { return m_depth > 0; }
    // Calls made so far: round trips to the page.
    qint64 calls() const { return m_calls; }

    // The page's latest state record (see js/editor/10-state.js) as held;
    // asked for when a newer one is known to be on its way.
    QVariantMap state();
    // The record made now.
    QVariantMap freshState();
    // Whether the record held is the page's latest one known.
    bool stateCurrent() const { return m_stateCurrent; }

    // A key press went to the page. waitForKeys waits, processing events
    // but no user input, until the page has taken every key sent (false
    // after `timeoutMs`).
    void noteKeySent() { ++m_keysSent; }
    bool keysPending() const;
    bool waitForKeys(int timeoutMs);

    // From the page (web channel).
    Q_INVOKABLE void stateChanged(const QVariantMap& state);

signals:
    // The page's state moved: its caret, selection or content changed.
    void changed();
    // No call waits for the page any more.
    void waitsEnded();

private:
    bool takeState(const QVariantMap& state);
    // Runs the loop as a wait for the page (inCall, waitsEnded).
    void wait(QEventLoop& loop);

    QPointer<QWebEnginePage> m_page;
    int m_generation = 0;
    int m_depth = 0;
    QList<int> m_released;
    QVariantMap m_state;
    qint64 m_stateId = -1;
    bool m_stateCurrent = false;
    qint64 m_keysSent = 0;
    qint64 m_calls = 0;
};
