#pragma once

#include "IHTMLDocument.h"
#include "IHTMLElement.h"
#include "IHTMLTxtRange.h"
#include "TWebEngineDHTMLEdit.h"

#include <QDir>
#include <QFileInfo>
#include <QImage>
#include <QTest>
#include <QWebEnginePage>
#include <QWebEngineScript>
#include <QWebEngineView>
#include <gtest/gtest.h>
#include <memory>

// Runs a script in a page's own world (the editor's), as a test's look
// behind an interface; an invalid value when it gives no answer.
inline QVariant PageScript(QWebEnginePage* page, const QString& script)
{
    QVariant result;
    bool done = false;
    page->runJavaScript(script, QWebEngineScript::ApplicationWorld, [&](const QVariant& value) {
        result = value;
        done = true;
    });
    EXPECT_TRUE(QTest::qWaitFor([&] { return done; }, 10000)) << "the page did not answer";
    return result;
}

// Pictures the tests put beside their pages: PictureWidth pixels wide.
constexpr int PictureWidth = 7;

inline bool SavePicture(const QString& path)
{
    QImage picture(PictureWidth, 5, QImage::Format_RGB32);
    picture.fill(Qt::red);
    return QDir().mkpath(QFileInfo(path).path()) && picture.save(path);
}

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
    QVariant pageScript(const QString& script) { return PageScript(edit->view()->page(), script); }

    // Waits until the page has taken every key sent to it before: a lone
    // Shift, which changes nothing, reaches the page after them.
    void waitForKeys(QWidget* target)
    {
        const int before = pageScript(QStringLiteral(
            "if (window.testShiftReleases === undefined) {"
            "  window.testShiftReleases = 0;"
            "  document.addEventListener('keyup', function (e) { if (e.key === 'Shift') window.testShiftReleases++; }, true);"
            "}"
            "window.testShiftReleases")).toInt();
        QTest::keyClick(target, Qt::Key_Shift);
        EXPECT_TRUE(QTest::qWaitFor([&] { return pageScript(QStringLiteral("window.testShiftReleases")).toInt() > before; }));
    }

    std::unique_ptr<TWebEngineDHTMLEdit> edit;
};
