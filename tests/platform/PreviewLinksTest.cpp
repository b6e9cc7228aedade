// Links in the preview: clicking one never leaves the page shown; the
// browser tells where it would have led.
#include "EditorTestSupport.h"
#include "IHTMLBrowser.h"
#include "PlatformFactory.h"

#include <QTemporaryDir>

namespace {

TEST(PreviewLinks, AClickedLinkIsToldAndNotFollowed)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    QWidget window;
    IHTMLBrowser* browser = CreateHTMLBrowser(&window);
    window.resize(600, 400);
    browser->widget()->resize(600, 400);
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    auto* view = qobject_cast<QWebEngineView*>(browser->widget());
    ASSERT_NE(view, nullptr);
    auto script = [&](const QString& text) { return PageScript(view->page(), text); };
    QStringList clicked;
    browser->OnLinkClicked = [&](const QString& address) { clicked.append(address); };

    browser->LoadHtml(QStringLiteral("<html><body style=\"margin:0\">"
                                     "<a id=\"to\" href=\"sub/other%20page.htm\" style=\"display:block;height:40px\">go</a>"
                                     "<p id=\"here\">here</p></body></html>"),
                      dir.path() + QLatin1Char('/'));
    ASSERT_TRUE(QTest::qWaitFor(
        [&] { return script(QStringLiteral("document.readyState === 'complete' && !!document.getElementById('to')")).toBool(); },
        30000));
    ASSERT_TRUE(QTest::qWaitFor([&] { return view->focusProxy() != nullptr; }));
    QTest::mouseClick(view->focusProxy(), Qt::LeftButton, {}, QPoint(10, 20));
    ASSERT_TRUE(QTest::qWaitFor([&] { return !clicked.isEmpty(); }, 10000));
    EXPECT_EQ(clicked.front(), QUrl::fromLocalFile(dir.filePath(QStringLiteral("sub/other page.htm"))).toString());
    // Still the page shown: nothing was loaded instead.
    EXPECT_TRUE(script(QStringLiteral("!!document.getElementById('here')")).toBool());
}

} // namespace
