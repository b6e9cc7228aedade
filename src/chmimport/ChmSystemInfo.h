#pragma once

#include <QByteArray>
#include <QString>

// What the system data of a compiled help file ("/#SYSTEM") say about it.
// Texts are the stored bytes, in the help file's code page.
struct TChmSystemInfo {
    bool HasLanguage = false;
    quint16 LanguageId = 0;
    QByteArray Title;
    QByteArray DefaultTopic;
    QByteArray ContentsFile;
    QByteArray IndexFile;
    QByteArray DefaultWindow;

    // "0x" + four upper-case hexadecimal digits; empty without a language.
    QString LangID() const;
};

// Reads the records of the system data; a record that runs past the end
// ends the reading, so any bytes give a result.
TChmSystemInfo ReadChmSystemData(const QByteArray& system);

// The system data of a compiled help file (empty when it cannot be opened
// or has none), at most MaxSystemDataSize bytes.
constexpr qsizetype MaxSystemDataSize = 1 << 20;
QByteArray ReadChmSystemBytes(const QString& chmFile);
