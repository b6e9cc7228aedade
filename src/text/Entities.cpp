#include "Entities.h"

#include <QHash>

namespace {

struct EntityEntry {
    const char* name;
    int code;
};

// HTML 4.01's references without "uml" and "euro", with "nbsp" as a plain
// space (pages keep their line breaking), then the aliases older pages use.
const EntityEntry Entries[] = {
    // Latin-1
    {"nbsp", 32}, {"iexcl", 161}, {"cent", 162}, {"pound", 163}, {"curren", 164}, {"yen", 165},
    {"brvbar", 166}, {"sect", 167}, {"copy", 169}, {"ordf", 170}, {"laquo", 171}, {"not", 172},
    {"shy", 173}, {"reg", 174}, {"macr", 175}, {"deg", 176}, {"plusmn", 177}, {"sup2", 178},
    {"sup3", 179}, {"acute", 180}, {"micro", 181}, {"para", 182}, {"middot", 183}, {"cedil", 184},
    {"sup1", 185}, {"ordm", 186}, {"raquo", 187}, {"frac14", 188}, {"frac12", 189}, {"frac34", 190},
    {"iquest", 191}, {"Agrave", 192}, {"Aacute", 193}, {"Acirc", 194}, {"Atilde", 195}, {"Auml", 196},
    {"Aring", 197}, {"AElig", 198}, {"Ccedil", 199}, {"Egrave", 200}, {"Eacute", 201}, {"Ecirc", 202},
    {"Euml", 203}, {"Igrave", 204}, {"Iacute", 205}, {"Icirc", 206}, {"Iuml", 207}, {"ETH", 208},
    {"Ntilde", 209}, {"Ograve", 210}, {"Oacute", 211}, {"Ocirc", 212}, {"Otilde", 213}, {"Ouml", 214},
    {"times", 215}, {"Oslash", 216}, {"Ugrave", 217}, {"Uacute", 218}, {"Ucirc", 219}, {"Uuml", 220},
    {"Yacute", 221}, {"THORN", 222}, {"szlig", 223}, {"agrave", 224}, {"aacute", 225}, {"acirc", 226},
    {"atilde", 227}, {"auml", 228}, {"aring", 229}, {"aelig", 230}, {"ccedil", 231}, {"egrave", 232},
    {"eacute", 233}, {"ecirc", 234}, {"euml", 235}, {"igrave", 236}, {"iacute", 237}, {"icirc", 238},
    {"iuml", 239}, {"eth", 240}, {"ntilde", 241}, {"ograve", 242}, {"oacute", 243}, {"ocirc", 244},
    {"otilde", 245}, {"ouml", 246}, {"divide", 247}, {"oslash", 248}, {"ugrave", 249}, {"uacute", 250},
    {"ucirc", 251}, {"uuml", 252}, {"yacute", 253}, {"thorn", 254}, {"yuml", 255},
    // Symbols and Greek letters
    {"fnof", 402},
    {"Alpha", 913}, {"Beta", 914}, {"Gamma", 915}, {"Delta", 916}, {"Epsilon", 917}, {"Zeta", 918},
    {"Eta", 919}, {"Theta", 920}, {"Iota", 921}, {"Kappa", 922}, {"Lambda", 923}, {"Mu", 924},
    {"Nu", 925}, {"Xi", 926}, {"Omicron", 927}, {"Pi", 928}, {"Rho", 929}, {"Sigma", 931},
    {"Tau", 932}, {"Upsilon", 933}, {"Phi", 934}, {"Chi", 935}, {"Psi", 936}, {"Omega", 937},
    {"alpha", 945}, {"beta", 946}, {"gamma", 947}, {"delta", 948}, {"epsilon", 949}, {"zeta", 950},
    {"eta", 951}, {"theta", 952}, {"iota", 953}, {"kappa", 954}, {"lambda", 955}, {"mu", 956},
    {"nu", 957}, {"xi", 958}, {"omicron", 959}, {"pi", 960}, {"rho", 961}, {"sigmaf", 962},
    {"sigma", 963}, {"tau", 964}, {"upsilon", 965}, {"phi", 966}, {"chi", 967}, {"psi", 968},
    {"omega", 969}, {"thetasym", 977}, {"upsih", 978}, {"piv", 982},
    {"bull", 8226}, {"hellip", 8230}, {"prime", 8242}, {"Prime", 8243}, {"oline", 8254}, {"frasl", 8260},
    {"weierp", 8472}, {"image", 8465}, {"real", 8476}, {"trade", 8482}, {"alefsym", 8501},
    {"larr", 8592}, {"uarr", 8593}, {"rarr", 8594}, {"darr", 8595}, {"harr", 8596}, {"crarr", 8629},
    {"lArr", 8656}, {"uArr", 8657}, {"rArr", 8658}, {"dArr", 8659}, {"hArr", 8660},
    {"forall", 8704}, {"part", 8706}, {"exist", 8707}, {"empty", 8709}, {"nabla", 8711}, {"isin", 8712},
    {"notin", 8713}, {"ni", 8715}, {"prod", 8719}, {"sum", 8721}, {"minus", 8722}, {"lowast", 8727},
    {"radic", 8730}, {"prop", 8733}, {"infin", 8734}, {"ang", 8736}, {"and", 8743}, {"or", 8744},
    {"cap", 8745}, {"cup", 8746}, {"int", 8747}, {"there4", 8756}, {"sim", 8764}, {"cong", 8773},
    {"asymp", 8776}, {"ne", 8800}, {"equiv", 8801}, {"le", 8804}, {"ge", 8805}, {"sub", 8834},
    {"sup", 8835}, {"nsub", 8836}, {"sube", 8838}, {"supe", 8839}, {"oplus", 8853}, {"otimes", 8855},
    {"perp", 8869}, {"sdot", 8901},
    {"lceil", 8968}, {"rceil", 8969}, {"lfloor", 8970}, {"rfloor", 8971}, {"lang", 9001}, {"rang", 9002},
    {"loz", 9674}, {"spades", 9824}, {"clubs", 9827}, {"hearts", 9829}, {"diams", 9830},
    // Markup-significant and international characters
    {"quot", 34}, {"amp", 38}, {"lt", 60}, {"gt", 62},
    {"OElig", 338}, {"oelig", 339}, {"Scaron", 352}, {"scaron", 353}, {"Yuml", 376},
    {"circ", 710}, {"tilde", 732},
    {"ensp", 8194}, {"emsp", 8195}, {"thinsp", 8201}, {"zwnj", 8204}, {"zwj", 8205}, {"lrm", 8206},
    {"rlm", 8207}, {"ndash", 8211}, {"mdash", 8212}, {"lsquo", 8216}, {"rsquo", 8217}, {"sbquo", 8218},
    {"ldquo", 8220}, {"rdquo", 8221}, {"bdquo", 8222}, {"dagger", 8224}, {"Dagger", 8225},
    {"permil", 8240}, {"lsaquo", 8249}, {"rsaquo", 8250},
    // Aliases written by older tools
    {"AMP", 38}, {"COPY", 169}, {"GT", 62}, {"LT", 60}, {"NBSP", 32}, {"QUOT", 34}, {"REG", 174},
    {"brkbar", 166}, {"die", 168}, {"hibar", 175}, {"um", 168}, {"Dstrok", 272}, {"dstrok", 273},
};

// Longest name in the table; the decoder gives up on longer names.
constexpr qsizetype MaxNameLength = 10;

const QHash<QString, int>& codes()
{
    static const QHash<QString, int> table = [] {
        QHash<QString, int> hash;
        for (const EntityEntry& entry : Entries)
            hash.insert(QString::fromLatin1(entry.name), entry.code);
        return hash;
    }();
    return table;
}

bool isAsciiDigit(QChar c)
{
    return c.unicode() >= u'0' && c.unicode() <= u'9';
}

bool isAsciiAlnum(QChar c)
{
    const char16_t u = c.unicode();
    return isAsciiDigit(c) || (u >= u'a' && u <= u'z') || (u >= u'A' && u <= u'Z');
}

// Appends the character of a decimal reference. Codes that are no character
// (0, surrogates, beyond U+10FFFF, or too many digits) give U+FFFD.
void appendCode(QString& out, qint64 code)
{
    if (code <= 0 || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) {
        out.append(QChar(QChar::ReplacementCharacter));
        return;
    }
    const char32_t ucs4 = static_cast<char32_t>(code);
    out.append(QString::fromUcs4(&ucs4, 1));
}

} // namespace

const QStringList& EntityTable()
{
    static const QStringList list = [] {
        QStringList entries;
        for (const EntityEntry& entry : Entries)
            entries.append(QString::fromLatin1(entry.name) + u':' + QString::number(entry.code));
        return entries;
    }();
    return list;
}

int EntityCode(const QString& name)
{
    return codes().value(name, -1);
}

QString EncodeEntities(const QString& text)
{
    QString result;
    result.reserve(text.size());
    for (const QChar c : text) {
        switch (c.unicode()) {
        case u'&': result.append(u"&amp;"); break;
        case u'"': result.append(u"&quot;"); break;
        case u'<': result.append(u"&lt;"); break;
        case u'>': result.append(u"&gt;"); break;
        case u'\u00A9': result.append(u"&copy;"); break;
        default: result.append(c);
        }
    }
    return result;
}

QString DecodeEntities(const QString& text)
{
    const QHash<QString, int>& table = codes();
    QString out;
    out.reserve(text.size());

    bool inReference = false;
    bool numeric = false;
    bool justDecoded = false;
    QString name;           // after "&": "#" and digits, or the name so far
    qint64 number = 0;      // value of the digits, capped
    bool tooBig = false;

    const auto finishNumeric = [&](const QChar* ending) {
        if (name.size() > 1) {
            appendCode(out, tooBig ? -1 : number);
            if (ending != nullptr && *ending != u';')
                out.append(*ending);
        } else {
            out.append(u"&#");
            if (ending != nullptr)
                out.append(*ending);
        }
        inReference = false;
    };

    const qsizetype size = text.size();
    for (qsizetype i = 0; i < size; ++i) {
        const QChar c = text.at(i);
        if (c == u'&') {
            if (inReference) {
                out.append(u'&');
                out.append(name);
            }
            inReference = true;
            numeric = false;
            justDecoded = false;
            name.clear();
            number = 0;
            tooBig = false;
            continue;
        }
        if (inReference && numeric) {
            if (isAsciiDigit(c)) {
                name.append(c);
                number = number * 10 + (c.unicode() - u'0');
                if (number > 0x10FFFF) {
                    tooBig = true;
                    number = 0x110000;
                }
                continue;
            }
            finishNumeric(&c);
            continue;
        }
        if (inReference) {
            name.append(c);
            if (name.size() == 1 && c == u'#') {
                numeric = true;
                continue;
            }
            if (name.size() > MaxNameLength) {
                out.append(u'&');
                out.append(name);
                inReference = false;
                continue;
            }
            const auto found = table.constFind(name);
            if (found == table.constEnd())
                continue;
            int code = found.value();
            // A longer known name that runs up to ";" is the one meant.
            qsizetype end = i + 1;
            while (end < size && end - (i + 1) + name.size() < MaxNameLength && isAsciiAlnum(text.at(end)))
                ++end;
            if (end > i + 1 && end < size && text.at(end) == u';') {
                const QString longer = name + text.mid(i + 1, end - (i + 1));
                const auto longerFound = table.constFind(longer);
                if (longerFound != table.constEnd()) {
                    code = longerFound.value();
                    i = end - 1;
                }
            }
            appendCode(out, code);
            justDecoded = true;
            inReference = false;
            continue;
        }
        if (c == u';' && justDecoded) {
            justDecoded = false;
            continue;
        }
        justDecoded = false;
        out.append(c);
    }

    if (inReference) {
        if (numeric)
            finishNumeric(nullptr);
        else {
            out.append(u'&');
            out.append(name);
        }
    }
    return out;
}

bool LooksEntityEncoded(const QString& text)
{
    int terminators = 0;
    bool inReference = false;
    int run = 0;
    for (const QChar c : text) {
        if (c == u'&') {
            inReference = true;
            run = 0;
        } else if (c == u';' || c == u' ') {
            inReference = false;
            ++terminators;
            run = 0;
        } else if (!inReference) {
            if (c.unicode() >= 128)
                return false;
        } else if (++run > 6) {
            inReference = false;
            ++terminators;
            run = 0;
        }
    }
    return terminators >= 2;
}
