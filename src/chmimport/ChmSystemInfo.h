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

// The contents and index files the window definitions ("/#WINDOWS", names
// in "/#STRINGS") give for the window `name` (without case; the first
// window when none has that name). Offsets outside the data give nothing.
struct TChmWindowFiles {
    QByteArray ContentsFile;
    QByteArray IndexFile;
};
TChmWindowFiles ReadChmWindowFiles(const QByteArray& windows, const QByteArray& strings, const QByteArray& name);

// At most this much of each system object is read.
constexpr qsizetype MaxSystemDataSize = 1 << 20;
// The system data of a compiled help file, its contents and index files
// taken from its default window when the system data name none. Empty when
// the file cannot be opened.
TChmSystemInfo ReadChmFileInfo(const QString& chmFile);
