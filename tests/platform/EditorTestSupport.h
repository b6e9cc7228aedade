#pragma once

#include "IHTMLDocument.h"
#include "IHTMLElement.h"
#include "IHTMLTxtRange.h"
#include "TWebEngineDHTMLEdit.h"

#include <QEventLoop>
#include <QTimer>
#include <QWebEnginePage>
#include <QWebEngineScript>
#include <QWebEngineView>
#include <gtest/gtest.h>
#include <memory>

// An editing control in a shown window, and ways to load a page and look
// into it from the outside.
class EditorTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        edit = std::make_unique<TWebEngineDHTMLEdit>();
        edit->resize(800, 600);
        edit->show();
    }

    void load(const QString& html, const QString& folder = QString())
    {
        edit->SetDocumentHTML(html);
        if (!folder.isNull())
            edit->SetBaseURL(folder);
        ASSERT_TRUE(edit->WaitUntilLoaded());
    }

    IHTMLDocument& dom() { return *edit->DOM(); }

    THtmlElementPtr element(const QString& tag, int index = 0)
    {
        const QList<THtmlElementPtr> all = dom().getElementsByTagName(tag);
        if (index >= all.size())
            return nullptr;
        return all[index];
    }

    // Selects the whole content of an element.
    void selectContents(const THtmlElementPtr& target) { target->createTextRange()->select(); }

    // Runs a script in the editor's world, as a test's look behind the interface.
    QVariant pageScript(const QString& script)
    {
        QVariant result;
        bool done = false;
        QEventLoop loop;
        edit->view()->page()->runJavaScript(script, QWebEngineScript::ApplicationWorld, [&](const QVariant& value) {
            result = value;
            done = true;
            loop.quit();
        });
        QTimer::singleShot(10000, &loop, &QEventLoop::quit);
        if (!done)
            loop.exec();
        return result;
    }

    // Lets queued events (display changes, document complete) arrive.
    static void processEvents(int ms = 50)
    {
        QEventLoop loop;
        QTimer::singleShot(ms, &loop, &QEventLoop::quit);
        loop.exec();
    }

    std::unique_ptr<TWebEngineDHTMLEdit> edit;
};
