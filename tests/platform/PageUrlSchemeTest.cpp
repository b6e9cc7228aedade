#include "TPageUrlScheme.h"

#include <gtest/gtest.h>

// Folders with spaces, "#" and Chinese names survive the trip to an
// address of the scheme and back.
TEST(PageUrlScheme, FolderAddressesRoundTrip)
{
    const struct {
        QString folder;
        QString expectedPath;
    } cases[] = {
        {QStringLiteral("/home/a/help/"), QStringLiteral("/home/a/help/")},
        {QStringLiteral("/home/a/my help #2"), QStringLiteral("/home/a/my help #2/")},
        {QStringLiteral("/文档/帮助/"), QStringLiteral("/文档/帮助/")},
        {QString(), QStringLiteral("/")},
    };
    for (const auto& c : cases) {
        const QUrl url = TPageUrlScheme::PageUrl(c.folder, 42, 3);
        EXPECT_EQ(TPageUrlScheme::LocalPath(url), c.expectedPath) << c.folder.toStdString();
        EXPECT_EQ(TPageUrlScheme::PageIdOf(url), 42u);
        EXPECT_EQ(TPageUrlScheme::RevisionOf(url), 3);
        // A relative picture of the page names a file in that folder.
        const QUrl picture = url.resolved(QUrl(QStringLiteral("pics/a%20b.png")));
        EXPECT_EQ(TPageUrlScheme::PageIdOf(picture), 0u);
        EXPECT_EQ(TPageUrlScheme::LocalPath(picture), c.expectedPath + QStringLiteral("pics/a b.png"));
    }
}

TEST(PageUrlScheme, AuthorUrlsNameFilesAndAnchors)
{
    const QUrl page = TPageUrlScheme::PageUrl(QStringLiteral("/home/a/help"), 7, 1);
    EXPECT_EQ(TPageUrlScheme::AuthorUrl(page.resolved(QUrl(QStringLiteral("sub/b.htm#x")))),
              QStringLiteral("file:///home/a/help/sub/b.htm#x"));
    EXPECT_EQ(TPageUrlScheme::AuthorUrl(page.resolved(QUrl(QStringLiteral("#top")))), QStringLiteral("#top"));
    EXPECT_EQ(TPageUrlScheme::AuthorUrl(QUrl(QStringLiteral("https://example.com/x"))),
              QStringLiteral("https://example.com/x"));
}
