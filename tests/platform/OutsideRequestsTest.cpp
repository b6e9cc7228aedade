#include "EditorTestSupport.h"
#include "QtPrinting.h"
#include "PlatformFactory.h"
#include "TPageUrlScheme.h"

#include <QFile>
#include <QTcpServer>
#include <QTemporaryDir>

class OutsideRequestsTest : public EditorTest {
protected:
    void TearDown() override
    {
        SetPlatformProjectFolder(QString());
        EditorTest::TearDown();
    }
};

// A page shows the pictures of its project, and nothing from elsewhere: no
// request reaches a server, and no file outside the project's folders is
// served, also not through a link or "..".
TEST_F(OutsideRequestsTest, PagesShowOnlyTheProjectsFiles)
{
    QTcpServer server;
    ASSERT_TRUE(server.listen(QHostAddress::LocalHost));
    const QString web = QStringLiteral("http://127.0.0.1:%1/").arg(server.serverPort());

    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString project = dir.filePath(QStringLiteral("project"));
    const QString outside = dir.filePath(QStringLiteral("outside/secret.png"));
    ASSERT_TRUE(SavePicture(project + QStringLiteral("/images/in.png")));
    ASSERT_TRUE(SavePicture(outside));
    ASSERT_TRUE(QDir(project).mkpath(QStringLiteral("topics")));
    ASSERT_TRUE(QFile::link(outside, project + QStringLiteral("/images/link.png")));
    SetPlatformProjectFolder(project + QLatin1Char('/'));

    QStringList refused;
    QObject::connect(TPageUrlScheme::Instance(), &TPageUrlScheme::refused,
                     [&](const QString& path) { refused.append(QFileInfo(path).fileName()); });

    const struct {
        QString source;
        bool shows;
    } pictures[] = {
        {QStringLiteral("../images/in.png"), true},              // in the project, beside the page's folder
        {QStringLiteral("../../outside/secret.png"), false},     // ".." out of the project
        {QStringLiteral("../images/link.png"), false},           // a link in the project to a file outside it
        {QUrl::fromLocalFile(outside).toString(), false},        // a file address
        {web + QStringLiteral("web.png"), false},                // the network
        {QStringLiteral("https://127.0.0.1:%1/secure.png").arg(server.serverPort()), false},
    };
    QString html = QStringLiteral("<html><head><link rel=\"stylesheet\" href=\"%1style.css\"></head><body>").arg(web);
    for (const auto& picture : pictures)
        html += QStringLiteral("<img src=\"%1\">").arg(picture.source);
    html += QStringLiteral("<iframe src=\"%1frame.htm\"></iframe></body></html>").arg(web);
    load(html, project + QStringLiteral("/topics/"));

    ASSERT_TRUE(QTest::qWaitFor(
        [&] { return pageScript(QStringLiteral("Array.from(document.images).every(function (i) { return i.complete; })")).toBool(); },
        20000));
    for (int i = 0; i < int(std::size(pictures)); ++i) {
        const int width = pageScript(QStringLiteral("document.images[%1].naturalWidth").arg(i)).toInt();
        EXPECT_EQ(width, pictures[i].shows ? PictureWidth : 0) << pictures[i].source.toStdString();
    }
    refused.sort();
    EXPECT_EQ(refused, (QStringList{QStringLiteral("link.png"), QStringLiteral("secret.png")}));
    // Nothing asked the server, not even late.
    EXPECT_FALSE(QTest::qWaitFor([&] { return server.hasPendingConnections(); }, 500));
}
