#pragma once

#include <QList>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QVariant>
#include <functional>

class QWebEnginePage;

// The C++ end of the editor's script (js/editor/*.js): calls its functions
// and waits for the answer, so the document model reads like plain calls;
// hears the page's change notices through the web channel.
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
    // Runs before every call: the control waits there for a page being loaded.
    std::function<void()> BeforeCall;

    // The document the page objects belong to; a new one for every load.
    int generation() const { return m_generation; }
    void setGeneration(int generation);
    // Objects the C++ side no longer holds, handed back with the next call.
    void release(int handle, int generation);
    // True while a call waits for its answer.
    bool inCall() const { return m_depth > 0; }

    // From the page (web channel).
    Q_INVOKABLE void displayChanged();

signals:
    void changed();

private:
    QPointer<QWebEnginePage> m_page;
    int m_generation = 0;
    int m_depth = 0;
    QList<int> m_released;
};
