// Conversions between text and bytes in Windows code pages, through ICU.
#include "CodePages.h"

#include "Languages.h"

#include <QHash>
#include <QMutex>
#include <QStringDecoder>

#include <unicode/ucnv.h>
#include <unicode/ucnv_cb.h>
#include <unicode/ucnv_err.h>
#include <unicode/ucsdet.h>

#include <algorithm>
#include <memory>
#include <optional>

namespace {

constexpr int WesternCodePage = 1252;
constexpr int Utf8CodePage = 65001;
constexpr int UserDefinedCodePage = 50000;  // x-user-defined
constexpr int AutodetectAllCodePage = 50001;
constexpr int AutodetectJapaneseCodePage = 50932;
constexpr int AutodetectKoreanCodePage = 50949;

// x-user-defined keeps bytes 0x80-0xFF apart from any real character.
constexpr char16_t UserDefinedBase = 0xF780;

// Detection looks at the start of the bytes only: enough to decide, and a
// page of tens of megabytes is not scanned by every recogniser.
constexpr qsizetype DetectionSampleSize = 256 * 1024;

// Code pages whose ICU converter is not found as "windows-N". The ISO-2022-JP
// pages are read with the variant that understands every escape Windows
// accepts (half-width katakana by ESC ( I and by SO/SI, JIS X 0212) and
// written as plain ISO-2022-JP, which every reader accepts.
struct KnownPage {
    int codePage;
    const char* decoder;
    const char* encoder;  // nullptr: same as decoder
};

const KnownPage KnownPages[] = {
    // ICU has no ASMO-708 table; ISO-8859-6 is the standard it became.
    {708, "ISO-8859-6", nullptr},
    {1200, "UTF-16LE", nullptr},
    {1201, "UTF-16BE", nullptr},
    {12000, "UTF-32LE", nullptr},
    {12001, "UTF-32BE", nullptr},
    {20127, "US-ASCII", nullptr},
    {20866, "KOI8-R", nullptr},
    {21866, "KOI8-U", nullptr},
    {20932, "EUC-JP", nullptr},
    {20936, "GB2312", nullptr},
    {28591, "ISO-8859-1", nullptr},
    {28592, "ISO-8859-2", nullptr},
    {28593, "ISO-8859-3", nullptr},
    {28594, "ISO-8859-4", nullptr},
    {28595, "ISO-8859-5", nullptr},
    {28596, "ISO-8859-6", nullptr},
    {28597, "ISO-8859-7", nullptr},
    {28598, "ISO-8859-8", nullptr},
    {28599, "ISO-8859-9", nullptr},
    {38598, "ISO-8859-8-I", nullptr},
    {50220, "ISO_2022,locale=ja,version=3", "ISO_2022,locale=ja,version=0"},
    {50221, "ISO_2022,locale=ja,version=3", "ISO_2022,locale=ja,version=0"},
    {50222, "ISO_2022,locale=ja,version=3", "ISO_2022,locale=ja,version=0"},
    {50225, "ISO-2022-KR", nullptr},
    {51932, "EUC-JP", nullptr},
    {52936, "HZ-GB-2312", nullptr},
    {54936, "GB18030", nullptr},
    {65000, "UTF-7", nullptr},
    {65001, "UTF-8", nullptr},
};

bool isUnicodePage(int codePage)
{
    return codePage == 1200 || codePage == 1201 || codePage == 12000 || codePage == 12001
        || codePage == 65000 || codePage == 65001;
}

// Windows' own single-byte ANSI pages read their undefined bytes 0x80-0x9F as
// the C1 controls U+0080-U+009F and write them back, so such pages survive a
// round trip.
bool isWindowsSingleBytePage(int codePage)
{
    return codePage == 874 || (codePage >= 1250 && codePage <= 1258);
}

// A code page resolved to ICU converter names.
struct Converter {
    QByteArray decoder;
    QByteArray encoder;
    bool unicode = false;       // keeps ICU's own replacement (U+FFFD) when writing
    quint32 c1Undefined = 0;    // bit n: byte 0x80 + n is undefined in the page
};

struct ConverterCloser {
    void operator()(UConverter* converter) const { ucnv_close(converter); }
};
using ConverterPtr = std::unique_ptr<UConverter, ConverterCloser>;

ConverterPtr openConverter(const char* name)
{
    UErrorCode error = U_ZERO_ERROR;
    UConverter* converter = ucnv_open(name, &error);
    if (U_FAILURE(error)) {
        if (converter != nullptr)
            ucnv_close(converter);
        return nullptr;
    }
    return ConverterPtr(converter);
}

bool converterExists(const char* name)
{
    return openConverter(name) != nullptr;
}

quint32 undefinedC1Bytes(const char* name)
{
    ConverterPtr converter = openConverter(name);
    if (!converter)
        return 0;
    UErrorCode error = U_ZERO_ERROR;
    ucnv_setToUCallBack(converter.get(), UCNV_TO_U_CALLBACK_STOP, nullptr, nullptr, nullptr, &error);
    quint32 mask = 0;
    for (int byte = 0x80; byte <= 0x9F; ++byte) {
        const char in = static_cast<char>(byte);
        UChar out[4];
        error = U_ZERO_ERROR;
        const int32_t length = ucnv_toUChars(converter.get(), out, 4, &in, 1, &error);
        if (U_FAILURE(error) || (length == 1 && out[0] == byte))
            mask |= 1u << (byte - 0x80);
    }
    return mask;
}

std::optional<Converter> resolve(int codePage)
{
    Converter converter;
    for (const KnownPage& page : KnownPages) {
        if (page.codePage != codePage)
            continue;
        converter.decoder = page.decoder;
        converter.encoder = page.encoder != nullptr ? page.encoder : page.decoder;
        break;
    }
    if (converter.decoder.isEmpty()) {
        // ICU names Windows' own pages "windows-N" and the OEM pages "ibm-N".
        for (const char* prefix : {"windows-", "ibm-", "cp"}) {
            const QByteArray name = prefix + QByteArray::number(codePage);
            if (converterExists(name.constData())) {
                converter.decoder = converter.encoder = name;
                break;
            }
        }
        if (converter.decoder.isEmpty())
            return std::nullopt;
    } else if (!converterExists(converter.decoder.constData()) || !converterExists(converter.encoder.constData())) {
        return std::nullopt;
    }
    converter.unicode = isUnicodePage(codePage);
    if (isWindowsSingleBytePage(codePage))
        converter.c1Undefined = undefinedC1Bytes(converter.decoder.constData());
    return converter;
}

// Resolving opens converters, so the answer is kept per code page.
std::optional<Converter> converterFor(int codePage)
{
    static QMutex mutex;
    static QHash<int, std::optional<Converter>> cache;
    QMutexLocker locker(&mutex);
    const auto found = cache.constFind(codePage);
    if (found != cache.constEnd())
        return *found;
    std::optional<Converter> converter = resolve(codePage);
    cache.insert(codePage, converter);
    return converter;
}

// The converter for a code page; one this system lacks falls back to the
// system ANSI code page and then to Western, so text is never lost.
Converter converterOrFallback(int codePage)
{
    for (int candidate : {codePage, SystemAnsiCodePage(), WesternCodePage}) {
        if (std::optional<Converter> converter = converterFor(candidate))
            return *converter;
    }
    Converter latin1;
    latin1.decoder = latin1.encoder = "ISO-8859-1";
    return latin1;
}

int realCodePage(int codePage)
{
    switch (codePage) {
    case 0: return SystemAnsiCodePage();
    case AutodetectJapaneseCodePage: return 932;
    case AutodetectKoreanCodePage: return 949;
    default: return codePage;
    }
}

bool isC1Undefined(quint32 mask, UChar32 value)
{
    return value >= 0x80 && value <= 0x9F && ((mask >> (value - 0x80)) & 1u) != 0;
}

// Every undecodable sequence becomes one U+FFFD (ICU would write U+001A for
// some single bytes), except the undefined C1 bytes of Windows pages.
void toUnicodeCallback(const void* context, UConverterToUnicodeArgs* args, const char* codeUnits,
                       int32_t length, UConverterCallbackReason reason, UErrorCode* error)
{
    if (reason > UCNV_IRREGULAR)
        return;
    const quint32 mask = *static_cast<const quint32*>(context);
    UChar replacement = 0xFFFD;
    if (length == 1 && isC1Undefined(mask, static_cast<unsigned char>(codeUnits[0])))
        replacement = static_cast<unsigned char>(codeUnits[0]);
    *error = U_ZERO_ERROR;
    ucnv_cbToUWriteUChars(args, &replacement, 1, 0, error);
}

void fromUnicodeCallback(const void* context, UConverterFromUnicodeArgs* args, const UChar* codeUnits,
                         int32_t length, UChar32 codePoint, UConverterCallbackReason reason, UErrorCode* error)
{
    if (reason == UCNV_UNASSIGNED && isC1Undefined(*static_cast<const quint32*>(context), codePoint)) {
        const char byte = static_cast<char>(codePoint);
        *error = U_ZERO_ERROR;
        ucnv_cbFromUWriteBytes(args, &byte, 1, 0, error);
        return;
    }
    UCNV_FROM_U_CALLBACK_SUBSTITUTE(nullptr, args, codeUnits, length, codePoint, reason, error);
}

QString decode(const Converter& converter, const char* data, qsizetype size)
{
    if (size <= 0)
        return QString();
    ConverterPtr icu = openConverter(converter.decoder.constData());
    if (!icu)
        return QString::fromLatin1(data, size);  // the name opened when it was resolved
    UErrorCode error = U_ZERO_ERROR;
    ucnv_setToUCallBack(icu.get(), toUnicodeCallback, &converter.c1Undefined, nullptr, nullptr, &error);

    // One byte gives at most one UTF-16 unit in nearly every page; the loop
    // grows the buffer for the rest.
    QString text(size + 16, Qt::Uninitialized);
    const char* source = data;
    const char* const sourceEnd = data + size;
    qsizetype written = 0;
    for (;;) {
        UChar* const base = reinterpret_cast<UChar*>(text.data());
        UChar* target = base + written;
        error = U_ZERO_ERROR;
        ucnv_toUnicode(icu.get(), &target, base + text.size(), &source, sourceEnd, nullptr, true, &error);
        written = target - base;
        if (error != U_BUFFER_OVERFLOW_ERROR)
            break;
        text.resize(text.size() * 2);
    }
    text.truncate(written);
    return text;
}

QByteArray encode(const Converter& converter, const QString& text)
{
    if (text.isEmpty())
        return QByteArray();
    ConverterPtr icu = openConverter(converter.encoder.constData());
    if (!icu)
        return text.toLatin1();  // the name opened when it was resolved
    UErrorCode error = U_ZERO_ERROR;
    // Fallback mappings stand in for Windows' best-fit characters.
    ucnv_setFallback(icu.get(), true);
    if (!converter.unicode) {
        ucnv_setSubstChars(icu.get(), "?", 1, &error);
        error = U_ZERO_ERROR;
        ucnv_setFromUCallBack(icu.get(), fromUnicodeCallback, &converter.c1Undefined, nullptr, nullptr, &error);
    }

    const qsizetype perChar = ucnv_getMaxCharSize(icu.get()) == 1 ? 1 : 2;
    QByteArray bytes(text.size() * perChar + 16, Qt::Uninitialized);
    const UChar* source = reinterpret_cast<const UChar*>(text.constData());
    const UChar* const sourceEnd = source + text.size();
    qsizetype written = 0;
    for (;;) {
        char* const base = bytes.data();
        char* target = base + written;
        error = U_ZERO_ERROR;
        ucnv_fromUnicode(icu.get(), &target, base + bytes.size(), &source, sourceEnd, nullptr, true, &error);
        written = target - base;
        if (error != U_BUFFER_OVERFLOW_ERROR)
            break;
        bytes.resize(bytes.size() * 2);
    }
    bytes.truncate(written);
    return bytes;
}

QString decodeUserDefined(const QByteArray& bytes)
{
    QString text(bytes.size(), Qt::Uninitialized);
    QChar* out = text.data();
    for (const char c : bytes) {
        const auto byte = static_cast<unsigned char>(c);
        *out++ = QChar(byte < 0x80 ? char16_t(byte) : char16_t(UserDefinedBase + (byte - 0x80)));
    }
    return text;
}

QByteArray encodeUserDefined(const QString& text)
{
    QByteArray bytes;
    bytes.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t unit = text.at(i).unicode();
        if (unit < 0x80)
            bytes.append(static_cast<char>(unit));
        else if (unit >= UserDefinedBase && unit <= UserDefinedBase + 0x7F)
            bytes.append(static_cast<char>(unit - UserDefinedBase + 0x80));
        else {
            bytes.append('?');
            if (QChar::isHighSurrogate(unit) && i + 1 < text.size() && text.at(i + 1).isLowSurrogate())
                ++i;  // one "?" for the whole character
        }
    }
    return bytes;
}

// The page named by a detected charset: its Windows code page when the
// charset table knows the name, else the ICU converter of that name.
std::optional<Converter> converterForDetectedName(const char* name)
{
    const int codePage = CodePageForCharset(QString::fromLatin1(name));
    if (codePage != 0 && codePage != AutodetectAllCodePage) {
        if (std::optional<Converter> converter = converterFor(realCodePage(codePage)))
            return converter;
    }
    // Right-to-left and left-to-right variants share one converter.
    QByteArray icuName(name);
    if (icuName.endsWith("_rtl") || icuName.endsWith("_ltr"))
        icuName.chop(4);
    if (!converterExists(icuName.constData()))
        return std::nullopt;
    Converter converter;
    converter.decoder = converter.encoder = icuName;
    converter.unicode = icuName.startsWith("UTF");
    return converter;
}

std::optional<Converter> detectConverter(const QByteArray& bytes)
{
    UErrorCode error = U_ZERO_ERROR;
    UCharsetDetector* detector = ucsdet_open(&error);
    if (U_FAILURE(error))
        return std::nullopt;
    const std::unique_ptr<UCharsetDetector, void (*)(UCharsetDetector*)> closer(detector, ucsdet_close);
    // Pages are HTML: markup says nothing about the text's charset.
    ucsdet_enableInputFilter(detector, true);
    const auto sampleSize = static_cast<int32_t>(std::min(bytes.size(), DetectionSampleSize));
    ucsdet_setText(detector, bytes.constData(), sampleSize, &error);
    const UCharsetMatch* match = ucsdet_detect(detector, &error);
    if (U_FAILURE(error) || match == nullptr)
        return std::nullopt;
    const char* name = ucsdet_getName(match, &error);
    if (U_FAILURE(error) || name == nullptr)
        return std::nullopt;
    return converterForDetectedName(name);
}

QString decodeAutodetected(const QByteArray& bytes)
{
    if (bytes.isEmpty())
        return QString();
    if (std::optional<Converter> detected = detectConverter(bytes))
        return decode(*detected, bytes.constData(), bytes.size());
    QString text;
    if (DecodeValidUtf8(bytes, text))
        return text;
    return decode(converterOrFallback(WesternCodePage), bytes.constData(), bytes.size());
}

} // namespace

bool CodePageAvailable(int codePage)
{
    switch (codePage) {
    case 0:
    case UserDefinedCodePage:
    case AutodetectAllCodePage:
        return true;
    default:
        return converterFor(realCodePage(codePage)).has_value();
    }
}

bool DecodeValidUtf8(QByteArrayView bytes, QString& text)
{
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless | QStringDecoder::Flag::ConvertInitialBom);
    QString decoded = utf8.decode(bytes);
    if (utf8.hasError())
        return false;
    text = std::move(decoded);
    return true;
}

QString AnsiToText(const QByteArray& bytes, int codePage)
{
    const int page = realCodePage(codePage);
    if (page == UserDefinedCodePage)
        return decodeUserDefined(bytes);
    if (page == AutodetectAllCodePage)
        return decodeAutodetected(bytes);
    return decode(converterOrFallback(page), bytes.constData(), bytes.size());
}

QByteArray TextToAnsi(const QString& text, int codePage)
{
    int page = realCodePage(codePage);
    if (page == UserDefinedCodePage)
        return encodeUserDefined(text);
    // Autodetected text is written as UTF-8: it loses nothing and is what
    // detection finds again.
    if (page == AutodetectAllCodePage)
        page = Utf8CodePage;
    return encode(converterOrFallback(page), text);
}

QString BytesTextToText(const QString& text, int codePage)
{
    QByteArray bytes(text.size(), Qt::Uninitialized);
    for (qsizetype i = 0; i < text.size(); ++i)
        bytes[i] = static_cast<char>(text.at(i).unicode() & 0xFF);
    return AnsiToText(bytes, codePage);
}
