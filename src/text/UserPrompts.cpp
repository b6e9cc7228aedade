#include "UserPrompts.h"

#include <QMutex>

#include <cstdio>

namespace {

QMutex handlerMutex;
TErrorMessageHandler errorHandler;
TSaveFileNameHandler saveFileNameHandler;
TBrowseForFolderHandler browseForFolderHandler;

template <typename Handler>
Handler current(const Handler& handler)
{
    QMutexLocker locker(&handlerMutex);
    return handler;
}

} // namespace

void SetErrorMessageHandler(TErrorMessageHandler handler)
{
    QMutexLocker locker(&handlerMutex);
    errorHandler = std::move(handler);
}

void SetSaveFileNameHandler(TSaveFileNameHandler handler)
{
    QMutexLocker locker(&handlerMutex);
    saveFileNameHandler = std::move(handler);
}

void SetBrowseForFolderHandler(TBrowseForFolderHandler handler)
{
    QMutexLocker locker(&handlerMutex);
    browseForFolderHandler = std::move(handler);
}

void ShowErrorMessage(const QString& message)
{
    // Called outside the lock: a handler may show a modal box for a while.
    if (const TErrorMessageHandler handler = current(errorHandler)) {
        handler(message);
        return;
    }
    std::fprintf(stderr, "Error: %s\n", message.toLocal8Bit().constData());
}

bool AskSaveFileName(QString& fileName)
{
    if (const TSaveFileNameHandler handler = current(saveFileNameHandler))
        return handler(fileName);
    return false;
}

bool AskForFolder(QObject* owner, QString& folder, const QString& caption, int flags, const QString& root)
{
    if (const TBrowseForFolderHandler handler = current(browseForFolderHandler))
        return handler(owner, folder, caption, flags, root);
    return false;
}
