#include "ChmPageWords.h"

#include "CodePages.h"
#include "Entities.h"
#include "PageFiles.h"

#include <QHash>
#include <QSet>

#include <unicode/ubrk.h>

#include <memory>

namespace {

// Tags that leave the words on either side of them apart are all but these.
const QSet<QString>& InlineTags()
{
    static const QSet<QString> tags = {
        QStringLiteral("a"),     QStringLiteral("abbr"), QStringLiteral("acronym"), QStringLiteral("b"),
        QStringLiteral("bdi"),   QStringLiteral("bdo"),  QStringLiteral("big"),     QStringLiteral("cite"),
        QStringLiteral("code"),  QStringLiteral("del"),  QStringLiteral("dfn"),     QStringLiteral("em"),
        QStringLiteral("font"),  QStringLiteral("i"),    QStringLiteral("ins"),     QStringLiteral("kbd"),
        QStringLiteral("mark"),  QStringLiteral("nobr"), QStringLiteral("q"),       QStringLiteral("s"),
        QStringLiteral("samp"),  QStringLiteral("small"), QStringLiteral("span"),   QStringLiteral("strike"),
        QStringLiteral("strong"), QStringLiteral("sub"), QStringLiteral("sup"),     QStringLiteral("tt"),
        QStringLiteral("u"),     QStringLiteral("var"),  QStringLiteral("wbr"),
    };
    return tags;
}

// Elements of the head: any other element starts the body, as in browsers.
const QSet<QString>& HeadTags()
{
    static const QSet<QString> tags = {
        QStringLiteral("html"), QStringLiteral("head"),     QStringLiteral("title"), QStringLiteral("meta"),
        QStringLiteral("link"), QStringLiteral("base"),     QStringLiteral("style"), QStringLiteral("script"),
        QStringLiteral("noscript"), QStringLiteral("xml"),  QStringLiteral("basefont"), QStringLiteral("bgsound"),
        QStringLiteral("object"), QStringLiteral("param"),  QStringLiteral("template"),
    };
    return tags;
}

// Elements whose content is no text of the page.
bool SkipsContent(const QString& tag)
{
    return tag == u"script" || tag == u"style" || tag == u"xml";
}

// Longest named reference the entity table holds.
constexpr qsizetype MaxEntityName = 10;

bool IsAsciiAlnum(QChar c)
{
    return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z') || (c >= u'0' && c <= u'9');
}

constexpr char32_t MaxCode = 0x10FFFF;

// The value of a hexadecimal digit; -1 for any other character.
int DigitValue(QChar c)
{
    if (c >= u'0' && c <= u'9')
        return c.unicode() - u'0';
    if (c >= u'a' && c <= u'f')
        return c.unicode() - u'a' + 10;
    if (c >= u'A' && c <= u'F')
        return c.unicode() - u'A' + 10;
    return -1;
}

// The reference at `at` ("&amp;", "&#169;", "&#xA9;") appended to `out`; the
// index after it. A "&" that starts no known reference is text.
qsizetype DecodeReference(const QString& text, qsizetype at, QString& out)
{
    const qsizetype size = text.size();
    qsizetype i = at + 1;
    if (i < size && text[i] == u'#') {
        const bool hex = i + 1 < size && (text[i + 1] == u'x' || text[i + 1] == u'X');
        const int base = hex ? 16 : 10;
        const qsizetype digits = hex ? i + 2 : i + 1;
        char32_t code = 0;
        qsizetype end = digits;
        for (; end < size; ++end) {
            const int digit = DigitValue(text[end]);
            if (digit < 0 || digit >= base)
                break;
            code = std::min<char32_t>(code * base + char32_t(digit), MaxCode + 1);
        }
        if (end == digits) {
            out.append(u'&');
            return at + 1;
        }
        if (end < size && text[end] == u';')
            ++end;
        if (code == 0 || code > MaxCode || QChar::isSurrogate(code))
            out.append(u' ');
        else
            out.append(QString::fromUcs4(&code, 1));
        return end;
    }
    qsizetype end = i;
    while (end < size && end - i < MaxEntityName + 1 && IsAsciiAlnum(text[end]))
        ++end;
    if (end < size && text[end] == u';') {
        const int code = EntityCode(text.mid(i, end - i));
        if (code >= 0) {
            const char32_t unit = char32_t(code);
            out.append(QString::fromUcs4(&unit, 1));
            return end + 1;
        }
    }
    // Without ";" the shortest known name counts, as browsers read them.
    for (qsizetype length = 2; length <= end - i && length <= MaxEntityName; ++length) {
        const int code = EntityCode(text.mid(i, length));
        if (code >= 0) {
            const char32_t unit = char32_t(code);
            out.append(QString::fromUcs4(&unit, 1));
            return i + length;
        }
    }
    out.append(u'&');
    return at + 1;
}

// The end of the tag that starts at `at` (after its ">"); quoted attribute
// values may hold ">".
qsizetype TagEnd(const QString& text, qsizetype at)
{
    QChar quote;
    for (qsizetype i = at + 1; i < text.size(); ++i) {
        const QChar c = text[i];
        if (!quote.isNull()) {
            if (c == quote)
                quote = QChar();
        } else if (c == u'"' || c == u'\'') {
            // Only a quote that opens an attribute value counts.
            if (i > 0 && text[i - 1] == u'=')
                quote = c;
        } else if (c == u'>') {
            return i + 1;
        }
    }
    return text.size();
}

QString DecodePage(const QByteArray& page, int helpCodePage)
{
    const TPageEncoding encoding = PageEncodingOf(page);
    if (encoding.Type == EncodingAnsi && !encoding.Mark)
        return AnsiToText(page, helpCodePage);
    return DecodeTextBytes(page);
}

struct TBreakIteratorCloser {
    void operator()(UBreakIterator* iterator) const { ubrk_close(iterator); }
};

bool IsSplitScript(char32_t code)
{
    switch (QChar::script(code)) {
    case QChar::Script_Han:
    case QChar::Script_Hiragana:
    case QChar::Script_Katakana:
    case QChar::Script_Bopomofo:
        return true;
    default:
        return false;
    }
}

void AppendWord(QStringList& words, QStringView word)
{
    bool letterOrNumber = false;
    bool ascii = true;
    for (const QChar c : word) {
        letterOrNumber = letterOrNumber || c.isLetterOrNumber() || c.isSurrogate();
        ascii = ascii && c.unicode() < 0x80;
    }
    if (!letterOrNumber)
        return;
    QString lower = word.toString().toLower();
    if (!ascii)
        lower = lower.normalized(QString::NormalizationForm_C);
    if (lower.size() > MaxWordLength)
        lower.truncate(lower[MaxWordLength - 1].isHighSurrogate() ? MaxWordLength - 1 : MaxWordLength);
    words.append(lower);
}

// A segment of the word breaker, its Chinese and Japanese characters apart.
void AppendSegment(QStringList& words, QStringView segment)
{
    qsizetype runStart = 0;
    for (qsizetype i = 0; i < segment.size();) {
        char32_t code = segment[i].unicode();
        qsizetype length = 1;
        if (segment[i].isHighSurrogate() && i + 1 < segment.size() && segment[i + 1].isLowSurrogate()) {
            code = QChar::surrogateToUcs4(segment[i], segment[i + 1]);
            length = 2;
        }
        if (IsSplitScript(code)) {
            if (i > runStart)
                AppendWord(words, segment.sliced(runStart, i - runStart));
            AppendWord(words, segment.sliced(i, length));
            runStart = i + length;
        }
        i += length;
    }
    if (runStart < segment.size())
        AppendWord(words, segment.sliced(runStart));
}

} // namespace

TChmPageText ChmPageText(const QByteArray& page, int helpCodePage)
{
    const QString text = DecodePage(page, helpCodePage);
    TChmPageText result;
    result.Body.reserve(text.size());
    bool inHead = false;
    bool inTitle = false;
    const qsizetype size = text.size();
    for (qsizetype i = 0; i < size;) {
        const QChar c = text[i];
        QString& out = inTitle ? result.Title : result.Body;
        if (c == u'&') {
            if (inTitle || !inHead)
                i = DecodeReference(text, i, out);
            else
                ++i;
            continue;
        }
        if (c != u'<') {
            if (inTitle || !inHead)
                out.append(c);
            ++i;
            continue;
        }
        if (text.mid(i, 4) == u"<!--") {
            const qsizetype end = text.indexOf(u"-->", i + 4);
            i = end < 0 ? size : end + 3;
            continue;
        }
        const bool closing = i + 1 < size && text[i + 1] == u'/';
        qsizetype nameEnd = i + (closing ? 2 : 1);
        const qsizetype nameStart = nameEnd;
        // A tag's name starts with a letter.
        if (nameEnd < size && text[nameEnd].isLetter() && text[nameEnd].unicode() < 0x80)
            while (nameEnd < size && (IsAsciiAlnum(text[nameEnd]) || text[nameEnd] == u':' || text[nameEnd] == u'-'))
                ++nameEnd;
        if (nameEnd == nameStart && !(nameStart < size && (text[nameStart] == u'!' || text[nameStart] == u'?'))) {
            // "<" that starts no tag ("a < b") is text.
            if (inTitle || !inHead)
                out.append(c);
            ++i;
            continue;
        }
        const QString name = text.mid(nameStart, nameEnd - nameStart).toLower();
        i = TagEnd(text, i);
        if (name.isEmpty())
            continue; // <!DOCTYPE ...>, <?xml ...?>
        if (inTitle && !(closing && name == u"title"))
            continue; // the title holds text only
        if (!closing && SkipsContent(name)) {
            const qsizetype end = text.indexOf(QStringLiteral("</") + name, i, Qt::CaseInsensitive);
            i = end < 0 ? size : TagEnd(text, end);
            continue;
        }
        if (name == u"title") {
            inTitle = !closing;
            continue;
        }
        if (name == u"head") {
            inHead = !closing;
            continue;
        }
        // Word's namespaced elements ("o:p") stay wherever they are.
        if (inHead && !closing && !HeadTags().contains(name) && !name.contains(u':'))
            inHead = false;
        if (!inHead && !InlineTags().contains(name))
            result.Body.append(u' ');
    }
    result.Title = result.Title.simplified();
    return result;
}

QStringList ChmTextWords(const QString& text)
{
    QStringList words;
    if (text.isEmpty())
        return words;
    UErrorCode error = U_ZERO_ERROR;
    const std::unique_ptr<UBreakIterator, TBreakIteratorCloser> breaker(
        ubrk_open(UBRK_WORD, "", reinterpret_cast<const UChar*>(text.utf16()), int32_t(text.size()), &error));
    if (U_FAILURE(error) || !breaker)
        return words;
    int32_t start = ubrk_first(breaker.get());
    for (int32_t end = ubrk_next(breaker.get()); end != UBRK_DONE; start = end, end = ubrk_next(breaker.get())) {
        const int32_t status = ubrk_getRuleStatus(breaker.get());
        if (status >= UBRK_WORD_NONE && status < UBRK_WORD_NONE_LIMIT)
            continue;
        AppendSegment(words, QStringView(text).sliced(start, end - start));
    }
    return words;
}

TChmPageWords ChmPageWords(const QByteArray& page, int codePage, bool withWords)
{
    const TChmPageText text = ChmPageText(page, codePage);
    TChmPageWords result;
    result.Title = text.Title.isEmpty() ? QByteArray() : TextToAnsi(text.Title, codePage);
    if (!withWords)
        return result;

    // Distinct words first: each is converted once.
    QStringList distinct;
    QHash<QString, qsizetype> indexOf;
    QList<QList<quint32>> positions;
    quint32 position = 0;
    const auto add = [&](const QStringList& words) {
        for (const QString& word : words) {
            auto found = indexOf.constFind(word);
            if (found == indexOf.cend()) {
                found = indexOf.insert(word, distinct.size());
                distinct.append(word);
                positions.append(QList<quint32>());
            }
            positions[found.value()].append(position++);
        }
    };
    add(ChmTextWords(text.Title));
    result.TitleWordCount = position;
    add(ChmTextWords(text.Body));
    if (distinct.isEmpty())
        return result;

    // The code pages of help languages never use "\n" inside a character.
    const QList<QByteArray> encoded = TextToAnsi(distinct.join(u'\n'), codePage).split('\n');
    QHash<QByteArray, qsizetype> wordOf;
    for (qsizetype n = 0; n < distinct.size(); ++n) {
        QByteArray bytes = n < encoded.size() && encoded.size() == distinct.size() ? encoded[n]
                                                                                  : TextToAnsi(distinct[n], codePage);
        // A "?" the word did not have is a character the code page lacks.
        if (bytes.isEmpty() || bytes.count('?') != distinct[n].count(u'?')) {
            result.Unstorable += positions[n].size();
            if (result.FirstUnstorable.isEmpty())
                result.FirstUnstorable = distinct[n];
            continue;
        }
        QString cut = distinct[n];
        while (bytes.size() > MaxWordBytes) {
            cut.truncate(cut.size() * MaxWordBytes / bytes.size());
            if (!cut.isEmpty() && cut.back().isHighSurrogate())
                cut.chop(1);
            bytes = TextToAnsi(cut, codePage);
        }
        // Two spellings may meet in one word of the code page.
        const auto same = wordOf.constFind(bytes);
        if (same == wordOf.cend()) {
            wordOf.insert(bytes, result.Words.size());
            result.Words.append(TChmPageWord{bytes, positions[n]});
        } else {
            QList<quint32>& merged = result.Words[same.value()].Positions;
            merged += positions[n];
            std::sort(merged.begin(), merged.end());
        }
    }
    return result;
}
