#pragma once

#include <QHash>
#include <QString>
#include <QStringList>
#include <vector>

class TExtensionList;

// NormalizePath for a reference joined to its base folder; a network path
// ("\\server\share\...") keeps its two leading backslashes.
QString NormalizeRefPath(const QString& path);

// The length of the scheme a text begins with ("http" of "http://x",
// "C" of "C:\x"); 0 when it begins with none.
qsizetype UrlSchemeLength(QStringView text);

// "http:", "mailto:": an address outside the help. A drive letter is no scheme.
bool IsOutsideAddress(QStringView url);

// Finds the files a page, style sheet or script refers to by scanning its
// text, without parsing HTML: a reference is a path that ends in one of the
// known extensions and stands between the delimiters of an attribute value
// or a style url(...). Only names of existing files count. Absolute paths
// and addresses (a scheme or a drive) are never references.
class THTMLRefer {
public:
    // A reference in Source: the characters from Start up to, not
    // including, End (0-based).
    struct TPosition {
        int Start;
        int End;
    };

    explicit THTMLRefer(const TExtensionList& extensions);

    // Appends FileName and every existing file that its text refers to
    // (native absolute paths). An unreadable file adds no references.
    void GetFiles(const QString& FileName, QStringList& List);
    // The same for FileName's text, already read.
    void GetFiles(const QString& FileName, const QString& Text, QStringList& List);
    // Cuts Str into literal, reference, literal, ..., literal pieces (an
    // odd count; one piece without references). References are taken as
    // relative to Basepath (a folder ending with a separator) and kept as
    // written.
    void GetTemplate(const QString& Str, const QString& Basepath, QStringList& Temp);

    int count() const { return int(Positions.size()); }

    // Str, a text read from the folder Basepath, with every reference that
    // names an existing file in another case than the file's own re-spelt
    // as the file is named, so that a case-sensitive reader finds it (a
    // project made on Windows may write "Images/Logo.GIF" for
    // images/logo.gif). Other references stay as written.
    QString WithFileNames(const QString& Str, const QString& Basepath);
    // Whether ExistingFile has found a file only by matching without case.
    bool MatchedWithoutCase() const { return m_matchedWithoutCase; }

    // The existing file `path` names, matched without case when the exact
    // name is missing (pages written on Windows); empty when there is none.
    // Answers are kept: files are taken not to change while one object is
    // in use.
    QString ExistingFile(const QString& path);

    QString Source;  // the text being scanned
    QString Source2; // the text scanned by the file collector
    QString LS;      // Source lower-cased, positions unchanged
    QString Path;    // the folder relative references are resolved against, with its separator
    std::vector<TPosition> Positions;

private:
    // The template finder: every reference that ends in `extension`.
    void ExtractFiles(const QString& extension);
    // The file collector: every reference in Source2, as native paths.
    void ExtractFiles(QStringList& List);
    QString normalized(const QString& path);

    const TExtensionList& m_extensions;
    QHash<QString, QString> m_existing;
    QHash<QString, QString> m_normalized;
    bool m_matchedWithoutCase = false;
};
