#pragma once

#include <QByteArray>
#include <QHash>
#include <QString>
#include <QUrl>
#include <QWebEngineUrlSchemeHandler>

class QWebEngineProfile;

// Serves pages to the web views through the "quorix-page" scheme: a page's
// text from memory, every other address from the disk. A page so lives in
// its folder, its relative pictures and style sheets resolve, and pages of
// any size load (setHtml silently stops at about 2 MB).
//
// Files are served only from the project folder, the program's data folder
// and the folders of the pages held in memory, judged after links and ".."
// are resolved: a page cannot read the rest of the disk.
//
// An in-memory page's address is its folder with "?quorix-page=<id>".
class TPageUrlScheme : public QWebEngineUrlSchemeHandler {
    Q_OBJECT
public:
    static const QByteArray SchemeName;

    // Declares the scheme to the web engine; must run before the
    // QApplication is created.
    static void Register();
    // The profile every Quorix web view uses: nothing is kept on disk, it
    // serves the scheme and lets no request leave it (TPageRequestInterceptor).
    // Created on first use, lives as long as the application.
    static QWebEngineProfile* Profile();
    static TPageUrlScheme* Instance();
    // Drops an in-memory page; nothing when the profile is already gone.
    static void ForgetPage(quint64 pageId);

    // The open project's folder; empty when none is open.
    static void SetProjectFolder(const QString& folder);

    static quint64 NewPageId();
    // Holds `html` as the in-memory page `pageId` of `folder` and answers
    // its address; nothing is kept on disk.
    static QUrl ServePage(quint64 pageId, const QString& html, const QString& folder, int revision);
    // `folder` is a native absolute folder ("/home/a/help/"); empty gives "/".
    static QUrl PageUrl(const QString& folder, quint64 pageId, int revision);
    // The page id of an in-memory page's address; 0 for anything else.
    static quint64 PageIdOf(const QUrl& url);
    static int RevisionOf(const QUrl& url);
    // The file an address of the scheme names.
    static QString LocalPath(const QUrl& url);
    // An address as the author knows it: "file:///..." for a file, the bare
    // "#anchor" for a link inside the page itself; other schemes unchanged.
    static QString AuthorUrl(const QUrl& url);

    // `folder`: the page's folder, whose files it may show; may be empty.
    void SetPage(quint64 pageId, const QByteArray& bytes, const QString& folder);
    void RemovePage(quint64 pageId);
    // Whether the file `path` lies in one of the folders files are served from.
    bool MayServe(const QString& path) const;

    void requestStarted(QWebEngineUrlRequestJob* job) override;

signals:
    // A file outside those folders was asked for, and not served.
    void refused(const QString& path);

private:
    explicit TPageUrlScheme(QObject* parent);

    struct TPage {
        QByteArray bytes;
        QString folder;
    };
    QHash<quint64, TPage> m_pages;
};
