#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <functional>

class QIODevice;
class TCHMOutputHost;
class TCHMProject;

// Writes the files of an HTML Help project from a TCHMProject: the project
// file (".hhp"), the contents (".hhc"), the index (".hhk") and the context
// map (".h"). Files are 8-bit text with CR LF line ends: every name of a
// file the compiler opens is written as the file system names it (UTF-8),
// the texts a reader sees (title, font) in the help's code page; the list
// bodies are written as the bytes TCHMProject holds.
class TCHMProjectWriter {
public:
    // `textCodePage`: the code page of what a reader sees (the help
    // language's); 0, the system's ANSI code page.
    explicit TCHMProjectWriter(TCHMProject& project, int textCodePage = 0);

    // An "Error:" line for each file of the work folder the compiler cannot
    // take by its name; such a file is left out of [FILES].
    std::function<void(const QString& line)> OnInfo;

    // The text after "main=" in [WINDOWS]. Uses the flag words as they are.
    // A double quote in a field, which the format cannot escape, becomes an
    // apostrophe in the title and "%22" in a page address.
    QString WindowDefinition() const;

    // The bytes of each file.
    QByteArray HHPBytes() const;
    QByteArray HHCBytes() const;
    QByteArray HHKBytes() const;
    QByteArray HBytes() const;

    // The same on a stream; throws EQuorixError when it cannot be written.
    void WriteHHP(QIODevice* device) const;
    void WriteHHC(QIODevice* device) const;
    void WriteHHK(QIODevice* device) const;
    void WriteH(QIODevice* device) const;

    // The same into a file (native full path), replaced only once complete.
    void OutputHHP(const QString& FileName) const;
    void OutputHHC(const QString& FileName) const;
    void OutputHHK(const QString& FileName) const;
    void OutputH(const QString& FileName) const;

    // Appends to Files every file below `Dir` (in name order, sub-folders
    // where they come) relative to Folder, except the project's own files
    // (".hhp", ".hhc", ".hhk", ".log", ".chm" and the context map header)
    // and those whose names the compiler cannot take (see OnInfo).
    void GetFiles(const QString& Dir);
    // The files GetFiles left out because of their names.
    const QStringList& UnlistedFiles() const { return m_unlisted; }
    // Why the compiler cannot take a file by this path (relative, "/"
    // separators); empty when it can.
    static QString NameRefusal(const QString& relativePath);

    // Computes the flag words, lists the files, writes the project files
    // into Folder and chooses their names; then, as asked, compiles and
    // shows the result through `host`, and deletes the project files.
    // Throws EQuorixError for a Windows path in CHM or Folder, a file that
    // cannot be written, compiling without a host, or compiling while a
    // file of the work folder was left out.
    void Output(bool CompileIt, bool Preview, bool DelProj, TCHMOutputHost* host = nullptr);

private:
    QByteArray Ansi(const QString& text) const;
    QStringList WindowFields() const;

    TCHMProject& m_project;
    int m_textCodePage;
    QStringList m_unlisted;
};
