#pragma once

#include <QByteArray>
#include <QString>
#include <exception>

// An error the author can act on: its message is shown as it is.
class EQuorixError : public std::exception {
public:
    explicit EQuorixError(QString message)
        : m_message(std::move(message))
        , m_utf8(m_message.toUtf8())
    {
    }
    const QString& message() const { return m_message; }
    const char* what() const noexcept override { return m_utf8.constData(); }

private:
    QString m_message;
    QByteArray m_utf8;
};
