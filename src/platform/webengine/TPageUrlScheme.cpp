#include "TPageUrlScheme.h"

#include "ProgramFolder.h"
#include "TPageRequestInterceptor.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QMimeDatabase>
#include <QUrlQuery>
#include <QWebEngineProfile>
#include <QWebEngineUrlRequestJob>
#include <QWebEngineUrlScheme>

const QByteArray TPageUrlScheme::SchemeName = QByteArrayLiteral("quorix-page");

namespace {

const QString PageKey = QStringLiteral("quorix-page");
const QString RevisionKey = QStringLiteral("r");
const QString Host = QStringLiteral("local");

TPageUrlScheme* g_instance = nullptr;
QWebEngineProfile* g_profile = nullptr;
QString g_projectFolder;

// A folder as the disk knows it, links and ".." resolved; empty for one that
// does not exist and for the root of the file system, which would open all
// of it.
QString servedFolder(const QString& folder)
{
    if (folder.isEmpty())
        return QString();
    const QString canonical = QFileInfo(folder).canonicalFilePath();
    return canonical == QLatin1String("/") ? QString() : canonical;
}

bool isInside(const QString& canonicalFile, const QString& folder)
{
    const QString root = servedFolder(folder);
    return !root.isEmpty() && canonicalFile.startsWith(root + QLatin1Char('/'));
}

} // namespace

void TPageUrlScheme::Register()
{
    if (QWebEngineUrlScheme::schemeByName(SchemeName).name() == SchemeName)
        return;
    QWebEngineUrlScheme scheme(SchemeName);
    scheme.setSyntax(QWebEngineUrlScheme::Syntax::Host);
    // Local pages that may show local pictures, but that web content may not reach.
    scheme.setFlags(QWebEngineUrlScheme::SecureScheme | QWebEngineUrlScheme::LocalScheme
                    | QWebEngineUrlScheme::LocalAccessAllowed | QWebEngineUrlScheme::CorsEnabled);
    QWebEngineUrlScheme::registerScheme(scheme);
}

QWebEngineProfile* TPageUrlScheme::Profile()
{
    if (g_profile == nullptr) {
        // A profile without a storage name keeps nothing on disk.
        g_profile = new QWebEngineProfile(QCoreApplication::instance());
        g_profile->setHttpCacheType(QWebEngineProfile::MemoryHttpCache);
        g_profile->setSpellCheckEnabled(false);
        g_instance = new TPageUrlScheme(g_profile);
        g_profile->installUrlSchemeHandler(SchemeName, g_instance);
        g_profile->setUrlRequestInterceptor(new TPageRequestInterceptor(g_profile));
        QObject::connect(g_profile, &QObject::destroyed, [] {
            g_profile = nullptr;
            g_instance = nullptr;
        });
    }
    return g_profile;
}

TPageUrlScheme* TPageUrlScheme::Instance()
{
    Profile();
    return g_instance;
}

void TPageUrlScheme::ForgetPage(quint64 pageId)
{
    if (g_instance != nullptr)
        g_instance->RemovePage(pageId);
}

TPageUrlScheme::TPageUrlScheme(QObject* parent)
    : QWebEngineUrlSchemeHandler(parent)
{
}

void TPageUrlScheme::SetProjectFolder(const QString& folder)
{
    g_projectFolder = folder;
}

quint64 TPageUrlScheme::NewPageId()
{
    static quint64 next = 0;
    return ++next;
}

QUrl TPageUrlScheme::PageUrl(const QString& folder, quint64 pageId, int revision)
{
    QString path = folder;
    path.replace(QLatin1Char('\\'), QLatin1Char('/'));
    if (!path.startsWith(QLatin1Char('/')))
        path.prepend(QLatin1Char('/'));
    if (!path.endsWith(QLatin1Char('/')))
        path.append(QLatin1Char('/'));
    QUrl url;
    url.setScheme(QString::fromLatin1(SchemeName));
    url.setHost(Host);
    url.setPath(path);
    QUrlQuery query;
    query.addQueryItem(PageKey, QString::number(pageId));
    query.addQueryItem(RevisionKey, QString::number(revision));
    url.setQuery(query);
    return url;
}

QUrl TPageUrlScheme::ServePage(quint64 pageId, const QString& html, const QString& folder, int revision)
{
    // The mark makes the page's own charset declaration irrelevant.
    Instance()->SetPage(pageId, QByteArrayLiteral("\xEF\xBB\xBF") + html.toUtf8(), folder);
    return PageUrl(folder, pageId, revision);
}

quint64 TPageUrlScheme::PageIdOf(const QUrl& url)
{
    if (url.scheme() != QLatin1String(SchemeName))
        return 0;
    return QUrlQuery(url).queryItemValue(PageKey).toULongLong();
}

int TPageUrlScheme::RevisionOf(const QUrl& url)
{
    return QUrlQuery(url).queryItemValue(RevisionKey).toInt();
}

QString TPageUrlScheme::LocalPath(const QUrl& url)
{
    return url.path(QUrl::FullyDecoded);
}

QString TPageUrlScheme::AuthorUrl(const QUrl& url)
{
    if (url.scheme() != QLatin1String(SchemeName))
        return url.toString();
    if (PageIdOf(url) != 0)
        return url.hasFragment() ? QLatin1Char('#') + url.fragment(QUrl::FullyDecoded) : QString();
    QUrl file = QUrl::fromLocalFile(LocalPath(url));
    if (url.hasFragment())
        file.setFragment(url.fragment(QUrl::FullyDecoded));
    return file.toString();
}

void TPageUrlScheme::SetPage(quint64 pageId, const QByteArray& bytes, const QString& folder)
{
    m_pages.insert(pageId, TPage{bytes, folder});
}

void TPageUrlScheme::RemovePage(quint64 pageId)
{
    m_pages.remove(pageId);
}

bool TPageUrlScheme::MayServe(const QString& path) const
{
    const QString file = QFileInfo(path).canonicalFilePath();
    if (file.isEmpty())
        return false;
    if (isInside(file, g_projectFolder) || isInside(file, ProgramDataFolder()))
        return true;
    for (const TPage& page : m_pages) {
        if (isInside(file, page.folder))
            return true;
    }
    return false;
}

void TPageUrlScheme::requestStarted(QWebEngineUrlRequestJob* job)
{
    if (job->requestMethod() != QByteArrayLiteral("GET")) {
        job->fail(QWebEngineUrlRequestJob::RequestDenied);
        return;
    }
    const QUrl url = job->requestUrl();
    if (const quint64 pageId = PageIdOf(url); pageId != 0) {
        const auto page = m_pages.constFind(pageId);
        if (page == m_pages.constEnd()) {
            job->fail(QWebEngineUrlRequestJob::UrlNotFound);
            return;
        }
        auto* buffer = new QBuffer(job);
        buffer->setData(page->bytes);
        buffer->open(QIODevice::ReadOnly);
        job->reply(QByteArrayLiteral("text/html"), buffer);
        return;
    }
    const QString path = LocalPath(url);
    const QFileInfo info(path);
    if (!info.isFile()) {
        job->fail(QWebEngineUrlRequestJob::UrlNotFound);
        return;
    }
    if (!MayServe(path)) {
        emit refused(path);
        job->fail(QWebEngineUrlRequestJob::RequestDenied);
        return;
    }
    // The file that was judged, not whatever a link names by now.
    auto* file = new QFile(info.canonicalFilePath(), job);
    if (!file->open(QIODevice::ReadOnly)) {
        job->fail(QWebEngineUrlRequestJob::RequestDenied);
        return;
    }
    static const QMimeDatabase mimeTypes;
    job->reply(mimeTypes.mimeTypeForFile(info, QMimeDatabase::MatchExtension).name().toLatin1(), file);
}
