#pragma once

#include <QByteArray>
#include <QString>

class QIODevice;
class TCHMOutputHost;
class TCHMProject;

// Writes the files of an HTML Help project from a TCHMProject: the project
// file (".hhp"), the contents (".hhc"), the index (".hhk") and the context
// map (".h"). Files are 8-bit text in the ANSI code page with CR LF line
// ends; the list bodies are written as the bytes TCHMProject holds.
class TCHMProjectWriter {
public:
    // `ansiCodePage` 0: the system's ANSI code page.
    explicit TCHMProjectWriter(TCHMProject& project, int ansiCodePage = 0);

    // The text after "main=" in [WINDOWS]. Uses the flag words as they are.
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
    // where they come) relative to Folder, except the project's own files.
    void GetFiles(const QString& Dir);

    // Computes the flag words, lists the files, writes the project files
    // into Folder and chooses their names; then, as asked, compiles and
    // shows the result through `host`, and deletes the project files.
    // Throws EQuorixError for a Windows path in CHM or Folder, a file that
    // cannot be written, or compiling without a host.
    void Output(bool CompileIt, bool Preview, bool DelProj, TCHMOutputHost* host = nullptr);

private:
    QByteArray Ansi(const QString& text) const;

    TCHMProject& m_project;
    int m_ansiCodePage;
};
