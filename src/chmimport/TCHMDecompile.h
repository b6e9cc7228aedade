#pragma once

#include "TTitleLists.h"
#include "TWrittenFiles.h"

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <functional>
#include <utility>
#include <vector>

// Brings existing help into a folder of plain files and a table of
// contents: a compiled help file is unpacked with chmlib, an HTML Help
// Workshop project is read in place. Used once per import.
class TCHMDecompile {
public:
    TCHMDecompile() = default;
    virtual ~TCHMDecompile() = default;
    TCHMDecompile(const TCHMDecompile&) = delete;
    TCHMDecompile& operator=(const TCHMDecompile&) = delete;

    TTitleLists List;
    QByteArray rTitle;
    QByteArray rDefaultPage;
    int rCodePage = 0;
    int CodePage = 0;
    QString LangID;
    QString Title;
    QString DefaultPage;
    QString hhcFile;
    QString hhkFile;
    QString rootFolder; // native, with a trailing separator
    QString DefaultWindow;
    // A page and its context number or alias, from [MAP] and [ALIAS].
    std::vector<std::pair<QString, QString>> Context;
    QString chmFile;
    QString FileName;
    // Progress: what is being done and how far (percent).
    std::function<void(const QString& info, int percent)> FOnChange;
    // Set once the author agreed to unpack into a folder that holds files;
    // even then nothing is deleted and nothing is written outside it.
    bool AllowFilledFolder = false;

    // Reads the title, language and default topic of a compiled help file.
    void LoadFromCHM(const QString& ChmFile);
    // Unpacks chmFile into rootFolder and reads its contents and index.
    // Throws EQuorixError when the folder cannot be made or holds files,
    // or the help file cannot be read.
    void decompile();
    // Reads an HTML Help Workshop project where it lies.
    void LoadFromHHP(const QString& HHPFile);

    // The language identifier, title and default topic of a compiled help
    // file; empty texts when it has none.
    struct TChmInfo {
        QString LangID;
        QString Title;
        QString DefaultPage;
    };
    static TChmInfo ReadChmInfo(const QString& chmFile);

    // The files written by decompile and where they went.
    const TWrittenFiles& Written() const { return m_written; }
    // Objects that were not written, each with the reason.
    const QStringList& Skipped() const { return m_skipped; }

    // The parsers, on text already decoded, and on files.
    void ParseContents(const QString& text);
    void ParseIndex(const QString& text);
    void ParseContentsFile(const QString& file);
    void ParseIndexFile(const QString& file);
    // [MAP] and [ALIAS] of project text; included files are read relative
    // to rootFolder.
    void ReadContext(const QString& hhpText);

private:
    void Report(const QString& info, int percent) const;
    void ReserveExisting();
    void Extract(const QList<struct TChmObject>& objects, const class TChmFile& file);
    QString ChooseListFile(const QByteArray& named, const QString& extension) const;
    QString ReadByteText(const QString& file);
    QString ValueText(const QString& raw) const;
    void ParseContentsText(const QString& text);
    void ParseIndexText(const QString& text);
    QString IncludedText(const QString& name) const;

    TWrittenFiles m_written;
    QStringList m_skipped;
    QByteArray m_contentsObject;
    QByteArray m_indexObject;
    // The text being read holds bytes, one to a character.
    bool m_byteValues = false;
};
