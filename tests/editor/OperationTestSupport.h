#pragma once

#include "QtPrinting.h"
#include "platform/EditorTestSupport.h"
#include "TDHTMLEditOperation.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <memory>

// The command layer on the real editing control, shown offscreen, with
// ways to place the selection by the text it covers.
class OperationTest : public EditorTest {
protected:
    void SetUp() override
    {
        EditorTest::SetUp();
        op = std::make_unique<TDHTMLEditOperation>(*edit);
        op->OnRefresh = [this] { ++refreshes; };
    }

    // A page of the body's HTML.
    static QString page(const QString& body) { return QStringLiteral("<html><head></head><body>") + body + QStringLiteral("</body></html>"); }

    // Loads a page as the window does for a topic, and waits for the
    // history's first look at it.
    void open(const QString& html)
    {
        op->Load(html, QString());
        ASSERT_TRUE(edit->WaitUntilLoaded());
        ASSERT_TRUE(QTest::qWaitFor([&] { return op->History().Position == 0; })) << "no first snapshot";
    }

    // Selects from the start of `from` to the end of `to` (each within one
    // text node); `caret`: 1 a caret at the start, 2 at the end.
    bool select(const QString& from, const QString& to = QString(), int caret = 0)
    {
        const QString args = QString::fromUtf8(
            QJsonDocument(QJsonArray{from, to.isNull() ? from : to, caret}).toJson(QJsonDocument::Compact));
        return pageScript(QStringLiteral(
                              "(function (from, to, caret) {"
                              "  function find(needle) {"
                              "    const walker = document.createTreeWalker(document.body, NodeFilter.SHOW_TEXT);"
                              "    for (let n = walker.nextNode(); n; n = walker.nextNode()) {"
                              "      const i = n.data.indexOf(needle);"
                              "      if (i >= 0) return [n, i];"
                              "    }"
                              "    return null;"
                              "  }"
                              "  const a = find(from), b = find(to);"
                              "  if (!a || !b) return false;"
                              "  const r = document.createRange();"
                              "  r.setStart(a[0], a[1]);"
                              "  r.setEnd(b[0], b[1] + to.length);"
                              "  if (caret) r.collapse(caret === 1);"
                              "  getSelection().removeAllRanges();"
                              "  getSelection().addRange(r);"
                              "  return true;"
                              "}).apply(null, %1)")
                              .arg(args))
            .toBool();
    }
    bool caretBefore(const QString& text) { return select(text, text, 1); }
    bool caretAfter(const QString& text) { return select(text, text, 2); }

    // The widget that takes the page's keys, focused.
    QWidget* keys()
    {
        edit->activateWindow();
        edit->setFocus();
        QWidget* proxy = edit->view()->focusProxy();
        return proxy ? proxy : edit->view();
    }

    // Undoes or redoes one step and waits until the snapshot is loaded and
    // its selection put back.
    void step(bool undo)
    {
        undo ? op->Undo() : op->Redo();
        ASSERT_TRUE(edit->WaitUntilLoaded());
        ASSERT_TRUE(QTest::qWaitFor([&] { return op->History().Operation == TDHTMLEditHistory::OperationNone; }));
    }

    // Waits until the command layer has refreshed for what happened since.
    bool waitForRefresh()
    {
        const int before = refreshes;
        return QTest::qWaitFor([&] { return refreshes > before; });
    }

    std::unique_ptr<TDHTMLEditOperation> op;
    int refreshes = 0;
};
