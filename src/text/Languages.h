#pragma once

#include <QString>
#include <QStringList>
#include <vector>

// One entry of the language table: English name, Windows language identifier
// ("0x" + four upper-case hex digits), its ANSI code page and spelling dictionary.
struct TLanguage {
    QString Name;
    QString Id;
    int CodePage = 0;
    QString Dictionary;
};

// The fixed table of the 122 languages, in the order the dialogs list them.
// Built once; read-only afterwards. Ids are compared without regard to case.
class TLanguages {
public:
    TLanguages();

    int GetCount() const;
    const TLanguage& GetItem(int index) const;
    int GetIndexById(const QString& id) const;          // -1 when unknown
    int GetCodepageById(const QString& id) const;       // 0 when unknown
    QString GetNameById(const QString& id) const;       // empty when unknown
    QString GetDictionaryById(const QString& id) const; // empty when unknown
    void NameToStringLists(QStringList& list) const;    // appends every name in table order

    std::vector<TLanguage> Languages;
};

// The one global language table, built on first use (call it at start-up).
const TLanguages& LanguageTable();

// The system language as a table identifier such as "0x0409", from the
// default QLocale (the system locale unless a test set another default):
// the entry whose language and country match, else the first entry of the
// same language, else "0x0409".
QString SystemLanguageId();

// The system ANSI code page: the code page of SystemLanguageId() (1252 when
// nothing matches).
int SystemAnsiCodePage();
