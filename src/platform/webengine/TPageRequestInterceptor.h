#pragma once

#include <QWebEngineUrlRequestInterceptor>

// Keeps the web views off the network and off the disk at large: a page
// loads only what the page scheme serves (which keeps to the project's
// folders) and what it carries itself (data:, blob:). Pages are the author's
// own or imported ones; showing them must not reach out to any server.
class TPageRequestInterceptor : public QWebEngineUrlRequestInterceptor {
    Q_OBJECT
public:
    explicit TPageRequestInterceptor(QObject* parent = nullptr);

    static bool Allows(const QUrl& url);

    void interceptRequest(QWebEngineUrlRequestInfo& info) override;
};
