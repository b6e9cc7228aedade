#pragma once

#include "QtPrinting.h"
#include "TQrx.h"

#include <QByteArray>
#include <QFile>
#include <QString>
#include <QTemporaryDir>

// Helpers shared by the project-file tests.
namespace ProjectFileTest {

inline QByteArray readBytes(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

inline void writeBytes(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    if (file.open(QIODevice::WriteOnly))
        file.write(bytes);
}

// UTF-16LE with mark, as project files are written.
inline QByteArray utf16File(const QString& text)
{
    QByteArray bytes("\xFF\xFE", 2);
    bytes.append(reinterpret_cast<const char*>(text.utf16()), text.size() * 2);
    return bytes;
}

// The text of a project file with "\n" turned into CR LF.
inline QString withCrLf(QString text)
{
    return text.replace(QLatin1Char('\n'), QStringLiteral("\r\n"));
}

// Titles in depth-first order, indented by depth, with "*" after the selected ones.
inline QStringList outline(const TQrx& project)
{
    QStringList lines;
    project.Tree().forEachNode([&](const TopicNode* node) {
        QString line = QString((node->depth()) * 2, QLatin1Char(' ')) + node->text();
        if (project.Tree().selection().contains(const_cast<TopicNode*>(node)))
            line += QLatin1Char('*');
        lines << line;
        return true;
    });
    return lines;
}

} // namespace ProjectFileTest
