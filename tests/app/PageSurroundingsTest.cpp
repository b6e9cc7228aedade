// What an edit in the editor leaves of a page: the author's change, and the
// page's own text around it.
#include "PageSurroundings.h"

#include <gtest/gtest.h>

namespace {

const QString Loaded = QStringLiteral("<!DOCTYPE html>\n<html>\n<head>\n<title>T</title>\n</head>\n<body>\n"
                                      "<p>One</p>\n</body>\n</html>\n");

TEST(PageSurroundings, TheEditorsWayOfWritingIsUndoneAroundTheBody)
{
    struct Case {
        const char* label;
        QString edited;
        QString kept;
    };
    const Case cases[] = {
        {"whitespace between the tags and line ends moved into the body",
         QStringLiteral("<!DOCTYPE html>\n<html><head>\n<title>T</title>\n</head>\n<body>\n<p>One</p><p>Two</p>\n\n\n"
                        "</body></html>"),
         QStringLiteral("<!DOCTYPE html>\n<html>\n<head>\n<title>T</title>\n</head>\n<body>\n<p>One</p><p>Two</p>\n"
                        "</body>\n</html>\n")},
        {"a title changed stays",
         QStringLiteral("<!DOCTYPE html>\n<html><head>\n<title>New</title>\n</head>\n<body>\n<p>One</p>\n</body></html>"),
         QStringLiteral("<!DOCTYPE html>\n<html><head>\n<title>New</title>\n</head>\n<body>\n<p>One</p>\n</body>\n"
                        "</html>\n")},
        {"text after the body stays",
         QStringLiteral("<!DOCTYPE html>\n<html>\n<head>\n<title>T</title>\n</head>\n<body>\n<p>One</p>\n</body>"
                        "<!-- x --></html>"),
         QStringLiteral("<!DOCTYPE html>\n<html>\n<head>\n<title>T</title>\n</head>\n<body>\n<p>One</p>\n</body>"
                        "<!-- x --></html>")},
        {"the body's own end kept where it has no line end",
         QStringLiteral("<!DOCTYPE html>\n<html>\n<head>\n<title>T</title>\n</head>\n<body>\n<p>One</p>  </body>\n"
                        "</html>\n"),
         QStringLiteral("<!DOCTYPE html>\n<html>\n<head>\n<title>T</title>\n</head>\n<body>\n<p>One</p>  </body>\n"
                        "</html>\n")},
        {"no body: as edited", QStringLiteral("<p>fragment</p>"), QStringLiteral("<p>fragment</p>")},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        EXPECT_EQ(KeepUnchangedSurroundings(Loaded, c.edited), c.kept);
    }
    EXPECT_EQ(KeepUnchangedSurroundings(Loaded, Loaded), Loaded);
}

} // namespace
