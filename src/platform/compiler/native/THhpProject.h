#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>
#include <utility>

// An HTML Help project (".hhp") as the native compiler reads it: the options,
// window definitions, files, context numbers and aliases, with "#include"d
// files read in place. Values stay bytes as the project stores them.
class THhpProject {
public:
    // Reads `hhpFile`; throws EQuorixError when it cannot be read. Included
    // files that cannot be read are reported in Warnings.
    static THhpProject Read(const QString& hhpFile);

    // The value of an [OPTIONS] key, trimmed; keys match without case.
    QByteArray Option(const QByteArray& key) const;
    // The "Language=" option's identifier ("0x409 English ..." gives 0x409);
    // `fallback` when absent or unreadable.
    quint32 LanguageId(quint32 fallback) const;

    QString Folder; // the project's folder, native, ending with "/"
    QList<std::pair<QByteArray, QByteArray>> Options;
    QList<std::pair<QByteArray, QByteArray>> Windows; // name, definition
    QList<QByteArray> Files;                           // stored form, as listed
    QList<std::pair<QByteArray, quint32>> Map;         // context name, number
    QList<std::pair<QByteArray, QByteArray>> Aliases;  // context name, page
    QStringList Warnings;
};
