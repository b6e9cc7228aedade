#pragma once

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QString>

// A folder of 50 pages as an author might bring them to a new project:
// pages at the top and in sub-folders, titles in <title> only, in <h1>
// only, in both or in neither, one page in GB2312, files that are no pages
// and folders without pages.
//
//   About.html        <title>About us</title>, no h1
//   api/a1-a5.htm     <title>API n</title> and <h1>Call n</h1>
//   b-notes.HTM       <h1>Notes heading</h1>, no title
//   c.htm             neither
//   empty/            nothing
//   guide/deep/d01-d10.htm   <title>Deep nn</title> only
//   guide/p01-p15.htm        <h1>Guide nn</h1> only
//   images/logo.png   no page
//   index.htm         <title>Welcome</title> and <h1>Start here</h1>
//   notes.txt, style.css
//   Reference/ref01-ref15.html   neither
//   中文.htm           GB2312: <title>帮助主题</title> and <h1>第一章</h1>
namespace PageFolderFixture {

constexpr int PageCount = 50;

inline void writeFile(const QString& path, const QByteArray& bytes)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    if (file.open(QIODevice::WriteOnly))
        file.write(bytes);
}

inline QByteArray page(const QByteArray& title, const QByteArray& h1)
{
    QByteArray html = "<html><head><meta http-equiv=\"Content-Type\" content=\"text/html; charset=utf-8\">";
    if (!title.isEmpty())
        html += "<title>" + title + "</title>";
    html += "</head><body>";
    if (!h1.isEmpty())
        html += "<h1>" + h1 + "</h1>";
    return html + "<p>Text.</p></body></html>\r\n";
}

inline QByteArray number(int n)
{
    return QByteArray::number(n).rightJustified(2, '0');
}

// Writes the pages into `folder` (made with its parents).
inline void write(const QString& folder)
{
    const QDir dir(folder);
    writeFile(dir.filePath(QStringLiteral("About.html")), page("About us", {}));
    for (int n = 1; n <= 5; ++n)
        writeFile(dir.filePath(QStringLiteral("api/a%1.htm").arg(n)),
                  page("API " + QByteArray::number(n), "Call " + QByteArray::number(n)));
    writeFile(dir.filePath(QStringLiteral("b-notes.HTM")), page({}, "Notes heading"));
    writeFile(dir.filePath(QStringLiteral("c.htm")), page({}, {}));
    dir.mkpath(QStringLiteral("empty"));
    for (int n = 1; n <= 10; ++n)
        writeFile(dir.filePath(QStringLiteral("guide/deep/d%1.htm").arg(QString::fromLatin1(number(n)))),
                  page("Deep " + number(n), {}));
    for (int n = 1; n <= 15; ++n)
        writeFile(dir.filePath(QStringLiteral("guide/p%1.htm").arg(QString::fromLatin1(number(n)))),
                  page({}, "Guide " + number(n)));
    writeFile(dir.filePath(QStringLiteral("images/logo.png")), QByteArray("\x89PNG\r\n\x1a\n", 8));
    writeFile(dir.filePath(QStringLiteral("index.htm")), page("Welcome", "Start here"));
    writeFile(dir.filePath(QStringLiteral("notes.txt")), "not a page");
    writeFile(dir.filePath(QStringLiteral("style.css")), "body { margin: 0 }");
    for (int n = 1; n <= 15; ++n)
        writeFile(dir.filePath(QStringLiteral("Reference/ref%1.html").arg(QString::fromLatin1(number(n)))),
                  page({}, {}));
    // 帮助主题 and 第一章 in GB2312.
    writeFile(dir.filePath(QStringLiteral("中文.htm")),
              QByteArray("<html><head><meta http-equiv=\"Content-Type\" content=\"text/html; charset=gb2312\">"
                         "<title>\xb0\xef\xd6\xfa\xd6\xf7\xcc\xe2</title></head><body><h1>\xb5\xda\xd2\xbb\xd5\xc2"
                         "</h1></body></html>"));
}

} // namespace PageFolderFixture
