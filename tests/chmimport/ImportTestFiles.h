#pragma once

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <gtest/gtest.h>

// Files the import's tests write and read.
namespace ImportTest {

inline void Write(const QString& file, const QByteArray& bytes)
{
    QDir().mkpath(QFileInfo(file).path());
    QFile out(file);
    ASSERT_TRUE(out.open(QIODevice::WriteOnly));
    out.write(bytes);
}

inline QByteArray Read(const QString& file)
{
    QFile in(file);
    return in.open(QIODevice::ReadOnly) ? in.readAll() : QByteArray();
}

} // namespace ImportTest
