#include "THTMLRefer.h"

#include "PageFiles.h"
#include "Paths.h"
#include "TExtensionList.h"
#include "TextSearch.h"

#include <QFileInfo>
#include <QSet>

#include <algorithm>

namespace {

bool isOneOf(QChar c, QStringView set)
{
    return set.contains(c);
}

// "http:", "mailto:", "C:": a reference that names no file of the project.
bool hasSchemeOrDrive(QStringView text)
{
    return text.startsWith(u':') || UrlSchemeLength(text) > 0;
}

bool isRelativeReference(QStringView text)
{
    return !text.isEmpty() && !IsAbsolutePath(text.toString()) && !hasSchemeOrDrive(text);
}

// The characters the file collector tells apart, one bit each.
enum CharacterClass : unsigned char {
    ExtensionEnd = 1,   // TAB LF CR space " # ' ) > ?
    Opener = 2,         // TAB LF CR " ' ( < =
    Refused = 4,        // # * : ? |
};

struct CharacterClasses {
    unsigned char of[128] = {};
    constexpr CharacterClasses()
    {
        for (char c : {'\t', '\n', '\r', ' ', '"', '#', '\'', ')', '>', '?'})
            of[int(c)] |= ExtensionEnd;
        for (char c : {'\t', '\n', '\r', '"', '\'', '(', '<', '='})
            of[int(c)] |= Opener;
        for (char c : {'#', '*', ':', '?', '|'})
            of[int(c)] |= Refused;
    }
};

constexpr CharacterClasses Classes;

unsigned char classOf(QChar c)
{
    return c.unicode() < 128 ? Classes.of[c.unicode()] : 0;
}

} // namespace

qsizetype UrlSchemeLength(QStringView text)
{
    const qsizetype colon = text.indexOf(u':');
    if (colon < 1 || !text[0].isLetter() || text[0].unicode() > 127)
        return 0;
    for (qsizetype i = 1; i < colon; ++i) {
        const char16_t u = text[i].unicode();
        const bool schemeCharacter = (u >= u'a' && u <= u'z') || (u >= u'A' && u <= u'Z') || (u >= u'0' && u <= u'9')
            || u == u'+' || u == u'.' || u == u'-';
        if (!schemeCharacter)
            return 0;
    }
    return colon;
}

bool IsOutsideAddress(QStringView url)
{
    return UrlSchemeLength(url) > 1;
}

QString NormalizeRefPath(const QString& path)
{
    // NormalizePath already keeps the leading "\\" of a network path.
    return NormalizePath(path);
}

THTMLRefer::THTMLRefer(const TExtensionList& extensions)
    : m_extensions(extensions)
{
}

QString THTMLRefer::ExistingFile(const QString& path)
{
    const auto known = m_existing.constFind(path);
    if (known != m_existing.cend())
        return *known;
    QString file;
    if (QFileInfo(path).isFile()) {
        file = path;
    } else {
        const QString matched = MatchFileCase(path);
        if (matched != path && QFileInfo(matched).isFile()) {
            file = matched;
            m_matchedWithoutCase = true;
        }
    }
    m_existing.insert(path, file);
    return file;
}

// Pages of one folder name the same few files over and over.
QString THTMLRefer::normalized(const QString& path)
{
    const auto known = m_normalized.constFind(path);
    if (known != m_normalized.cend())
        return *known;
    const QString result = NormalizeRefPath(path);
    m_normalized.insert(path, result);
    return result;
}

void THTMLRefer::GetFiles(const QString& FileName, QStringList& List)
{
    GetFiles(FileName, ReadTextFile(FileName), List);
}

void THTMLRefer::GetFiles(const QString& FileName, const QString& Text, QStringList& List)
{
    Source = Text;
    Source2 = Text;
    Path = WithTrailingSeparator(QFileInfo(FileName).absolutePath());
    QStringList found{FileName};
    ExtractFiles(found);
    // "sub/../a.gif" and "A.GIF" may both name a.gif.
    QSet<QString> files;
    for (const QString& path : std::as_const(found)) {
        const QString file = ExistingFile(path);
        if (!file.isEmpty() && !files.contains(file)) {
            files.insert(file);
            List.append(file);
        }
    }
}

// One pass over the text. Each time an extension closes, the reference
// would begin right after the nearest opener to its left, so the positions
// of the last opener of each kind and of the last refused character are
// kept as the scan goes: no scanning back, however long the text.
void THTMLRefer::ExtractFiles(QStringList& List)
{
    const QString& text = Source2;
    const qsizetype size = text.size();
    qsizetype extensionStart = -1;
    qsizetype lastQuote = -1;
    qsizetype lastApostrophe = -1;
    qsizetype lastParenthesis = -1;
    qsizetype lastOpener = -1;
    qsizetype lastRefused = -1;
    QStringList collected;
    QSet<QString> seen;

    for (qsizetype i = 0; i < size; ++i) {
        const QChar c = text[i];
        const unsigned char kind = classOf(c);
        if (c == u'.') {
            extensionStart = i;
        } else if (extensionStart >= 0 && (kind & ExtensionEnd)) {
            if (m_extensions.Contains(QStringView(text).mid(extensionStart, i - extensionStart))) {
                // A closing quote or parenthesis needs its own opener; any
                // other end takes the reference from the last opener of any kind.
                const qsizetype opener = c == u'"' ? lastQuote
                    : c == u'\'' ? lastApostrophe
                    : c == u')' ? lastParenthesis
                    : lastOpener;
                if (opener >= 0 && lastRefused < opener) {
                    const QString reference = TrimBlanks(QStringView(text).mid(opener + 1, i - opener - 1));
                    if (isRelativeReference(reference)) {
                        const QString path = Path + reference;
                        if (!seen.contains(path)) {
                            seen.insert(path);
                            collected.append(path);
                        }
                    }
                }
            }
            extensionStart = -1;
        }

        if (kind & Opener) {
            lastOpener = i;
            if (c == u'"')
                lastQuote = i;
            else if (c == u'\'')
                lastApostrophe = i;
            else if (c == u'(')
                lastParenthesis = i;
        }
        if (kind & Refused)
            lastRefused = i;
    }
    for (QString& path : collected)
        path = normalized(path);
    std::sort(collected.begin(), collected.end(),
              [](const QString& a, const QString& b) { return a.compare(b, Qt::CaseInsensitive) < 0; });
    List.append(collected);
}

void THTMLRefer::GetTemplate(const QString& Str, const QString& Basepath, QStringList& Temp)
{
    Source = Str;
    Path = WithTrailingSeparator(Basepath);
    LS = ToLowerSameLength(Str);
    Positions.clear();
    for (const QString& extension : m_extensions.Items())
        ExtractFiles(extension);
    std::stable_sort(Positions.begin(), Positions.end(),
                     [](const TPosition& a, const TPosition& b) { return a.Start < b.Start; });

    Temp.clear();
    qsizetype copied = 0;
    for (const TPosition& position : Positions) {
        // Overlapping finds (only in odd text) would repeat characters.
        if (position.Start < copied)
            continue;
        Temp.append(Source.mid(copied, position.Start - copied));
        Temp.append(Source.mid(position.Start, position.End - position.Start));
        copied = position.End;
    }
    Temp.append(Source.mid(copied));
}

QString THTMLRefer::WithFileNames(const QString& Str, const QString& Basepath)
{
    QStringList pieces;
    GetTemplate(Str, Basepath, pieces);
    if (pieces.size() == 1)
        return Str;
    QString result;
    result.reserve(Str.size() + 16);
    for (qsizetype i = 0; i < pieces.size(); ++i) {
        if (i % 2 == 0) {
            result += pieces[i];
            continue;
        }
        const QString path = normalized(Path + pieces[i]);
        const QString file = ExistingFile(path);
        result += file.isEmpty() || file == path ? pieces[i] : RelativeUrl(Path, file);
    }
    return result;
}

// A reference is the extension's name back to its delimiter: the character
// after the extension says which delimiters may enclose it; the scan back
// stops at the end of the previous find, at a tag bracket or at a line break.
void THTMLRefer::ExtractFiles(const QString& extension)
{
    if (extension.isEmpty())
        return;
    const QString e = ToLowerSameLength(extension);
    const qsizetype size = LS.size();
    qsizetype low = 0;
    for (qsizetype p = LS.indexOf(e); p >= 0; p = LS.indexOf(e, low)) {
        const qsizetype end = p + e.size();
        const QChar after = end < size ? LS[end] : QChar();
        QStringView stops;
        QStringView accepts;
        if (after == u'"') {
            stops = u"\"<>\n\r";
            accepts = u"\"";
        } else if (isOneOf(after, u"> #?")) {
            stops = u"=<>'\"\n\r";
            accepts = u"=\"'";
        } else if (after == u'\'') {
            stops = u"'<>\"\n\r";
            accepts = u"'";
        } else if (after == u')') {
            stops = u"(<>\"\n\r";
            accepts = u"(";
        }
        if (!stops.isEmpty()) {
            qsizetype k = p - 1;
            while (k >= low && !isOneOf(LS[k], stops))
                --k;
            if (k >= low && isOneOf(LS[k], accepts)) {
                const QStringView candidate = QStringView(Source).mid(k + 1, end - k - 1);
                if (isRelativeReference(candidate)
                    && !ExistingFile(normalized(Path + candidate.toString())).isEmpty())
                    Positions.push_back({int(k + 1), int(end)});
            }
        }
        low = end;
    }
}
