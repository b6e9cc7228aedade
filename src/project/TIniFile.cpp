#include "TIniFile.h"

#include "CodePages.h"

#include <QtEndian>
#include <limits>
#include <unordered_map>
#include <vector>

namespace {

// Case-insensitive hashing and comparison of views into the parsed text, so
// a file of hundreds of thousands of keys is indexed without copying them.
struct FoldedHash {
    size_t operator()(QStringView text) const noexcept
    {
        size_t hash = 1469598103934665603ull;
        const char16_t* chars = text.utf16();
        for (qsizetype i = 0; i < text.size(); ++i) {
            const char16_t u = chars[i];
            const char16_t folded = u < 128 ? char16_t(u | ((unsigned(u - u'A') < 26u) << 5)) : QChar::toCaseFolded(u);
            hash = (hash ^ folded) * 1099511628211ull;
        }
        return hash;
    }
};
struct FoldedEqual {
    bool operator()(QStringView a, QStringView b) const noexcept
    {
        if (a.size() != b.size())
            return false;
        // Keys are ASCII: compare them directly and leave the rest to Qt.
        const char16_t* x = a.utf16();
        const char16_t* y = b.utf16();
        for (qsizetype i = 0; i < a.size(); ++i) {
            char16_t p = x[i];
            char16_t q = y[i];
            if (p == q)
                continue;
            if (p >= 128 || q >= 128)
                return a.sliced(i).compare(b.sliced(i), Qt::CaseInsensitive) == 0;
            if (p >= u'A' && p <= u'Z')
                p += 32;
            if (q >= u'A' && q <= u'Z')
                q += 32;
            if (p != q)
                return false;
        }
        return true;
    }
};

// Every key of the file lives in one table, keyed by its section's number
// and its name, sized once for the whole file.
struct SectionKey {
    int section;
    QStringView key;
};
struct SectionKeyHash {
    size_t operator()(const SectionKey& k) const noexcept { return FoldedHash()(k.key) ^ (size_t(k.section) * 0x9E3779B97F4A7C15ull); }
};
struct SectionKeyEqual {
    bool operator()(const SectionKey& a, const SectionKey& b) const noexcept
    {
        return a.section == b.section && FoldedEqual()(a.key, b.key);
    }
};

bool isBlankOrControl(QChar c)
{
    return c.unicode() <= 32;
}

QStringView trimmed(QStringView text)
{
    qsizetype begin = 0;
    qsizetype end = text.size();
    while (begin < end && isBlankOrControl(text[begin]))
        ++begin;
    while (end > begin && isBlankOrControl(text[end - 1]))
        --end;
    return text.mid(begin, end - begin);
}

QString decodeUtf16(const QByteArray& bytes, qsizetype offset, bool bigEndian)
{
    const qsizetype units = (bytes.size() - offset) / 2;
    QString text(units, Qt::Uninitialized);
    if (bigEndian)
        qFromBigEndian<char16_t>(bytes.constData() + offset, units, text.data());
    else
        qFromLittleEndian<char16_t>(bytes.constData() + offset, units, text.data());
    return text;
}

int digitValue(char16_t c, int base)
{
    if (c >= u'0' && c <= u'9')
        return c - u'0';
    if (base == 16 && c >= u'a' && c <= u'f')
        return c - u'a' + 10;
    if (base == 16 && c >= u'A' && c <= u'F')
        return c - u'A' + 10;
    return -1;
}

bool startsWith(const QByteArray& bytes, const char* mark, int length)
{
    return bytes.size() >= length && memcmp(bytes.constData(), mark, size_t(length)) == 0;
}

} // namespace

struct TIniFile::Data {
    QString text;
    std::unordered_map<QStringView, int, FoldedHash, FoldedEqual> sectionNumbers;
    std::unordered_map<SectionKey, QStringView, SectionKeyHash, SectionKeyEqual> values;
    std::vector<std::vector<QStringView>> keysInOrder; // per section number
};

TIniFile::TIniFile()
    : d(std::make_unique<Data>())
{
}

TIniFile::~TIniFile() = default;
TIniFile::TIniFile(TIniFile&&) noexcept = default;
TIniFile& TIniFile::operator=(TIniFile&&) noexcept = default;

TIniFile TIniFile::FromBytes(const QByteArray& bytes)
{
    static const char utf8Mark[] = "\xEF\xBB\xBF";
    static const char utf16LeMark[] = "\xFF\xFE";
    static const char utf16BeMark[] = "\xFE\xFF";
    QString text;
    Decoded decoded = Decoded::Ansi;
    if (startsWith(bytes, utf16LeMark, 2)) {
        text = decodeUtf16(bytes, 2, false);
        decoded = Decoded::Utf16Mark;
    } else if (startsWith(bytes, utf16BeMark, 2)) {
        text = decodeUtf16(bytes, 2, true);
        decoded = Decoded::Utf16Mark;
    } else if (startsWith(bytes, utf8Mark, 3)) {
        text = QString::fromUtf8(bytes.constData() + 3, bytes.size() - 3);
        decoded = Decoded::Utf8Mark;
    } else if (DecodeValidUtf8(bytes, text)) {
        decoded = Decoded::Utf8;
    } else {
        text = AnsiToText(bytes, 0);
    }
    TIniFile ini = FromText(std::move(text));
    ini.m_decoded = decoded;
    return ini;
}

TIniFile TIniFile::FromText(QString text)
{
    TIniFile ini;
    Data& data = *ini.d;
    data.text = std::move(text);
    const QStringView all(data.text);
    const char16_t* chars = all.utf16();
    // A rough count of lines sizes the table once.
    data.values.reserve(size_t(all.count(u'\n')) + 16);
    int current = -1; // -1: before the first section, or in a repeated one
    qsizetype pos = 0;
    const qsizetype size = all.size();
    while (pos < size) {
        qsizetype end = pos;
        while (end < size && chars[end] != u'\r' && chars[end] != u'\n')
            ++end;
        const QStringView line = trimmed(all.mid(pos, end - pos));
        pos = end + 1;
        if (end < size && chars[end] == u'\r' && pos < size && chars[pos] == u'\n')
            ++pos; // CR LF is one line break

        if (line.isEmpty() || line.front() == u';')
            continue;
        if (line.front() == u'[' && line.back() == u']' && line.size() >= 2) {
            const QStringView name = trimmed(line.mid(1, line.size() - 2));
            const int number = int(data.keysInOrder.size());
            const bool inserted = data.sectionNumbers.try_emplace(name, number).second;
            current = inserted ? number : -1;
            if (inserted)
                data.keysInOrder.emplace_back();
            continue;
        }
        if (current < 0)
            continue;
        const qsizetype equals = line.indexOf(u'=');
        if (equals < 0)
            continue;
        const QStringView key = trimmed(line.first(equals));
        if (data.values.try_emplace(SectionKey{current, key}, trimmed(line.sliced(equals + 1))).second)
            data.keysInOrder[size_t(current)].push_back(key);
    }
    return ini;
}

const QString& TIniFile::Text() const
{
    return d->text;
}

int TIniFile::sectionNumber(QStringView section) const
{
    const auto it = d->sectionNumbers.find(section);
    return it == d->sectionNumbers.end() ? -1 : it->second;
}

const QStringView* TIniFile::find(QStringView section, QStringView key) const
{
    // Most lookups ask the section of the one before.
    if (!m_lastSectionValid || !FoldedEqual()(m_lastSectionName, section)) {
        m_lastSectionValid = true;
        m_lastSectionName = section.toString();
        m_lastSection = sectionNumber(section);
    }
    if (m_lastSection < 0)
        return nullptr;
    const auto it = d->values.find(SectionKey{m_lastSection, key});
    return it == d->values.end() ? nullptr : &it->second;
}

const std::vector<QStringView>& TIniFile::keys(QStringView section) const
{
    static const std::vector<QStringView> none;
    const int number = sectionNumber(section);
    return number < 0 ? none : d->keysInOrder[size_t(number)];
}

bool TIniFile::StartsWithFolded(QStringView text, QStringView prefix)
{
    return text.size() >= prefix.size() && FoldedEqual()(text.first(prefix.size()), prefix);
}

bool TIniFile::HasSection(QStringView section) const
{
    return sectionNumber(section) >= 0;
}

bool TIniFile::HasKey(QStringView section, QStringView key) const
{
    return find(section, key) != nullptr;
}

QString TIniFile::ReadString(QStringView section, QStringView key, const QString& defaultValue) const
{
    const QStringView* value = find(section, key);
    return value ? value->toString() : defaultValue;
}

bool TIniFile::ParseInteger(QStringView text, int& value)
{
    qsizetype pos = 0;
    bool negative = false;
    if (pos < text.size() && (text[pos] == u'-' || text[pos] == u'+'))
        negative = text[pos++] == u'-';
    int base = 10;
    if (text.size() - pos >= 3 && text[pos] == u'0' && (text[pos + 1] == u'x' || text[pos + 1] == u'X')) {
        base = 16;
        pos += 2;
    } else if (pos < text.size() && text[pos] == u'$') {
        base = 16;
        pos += 1;
    }
    if (pos >= text.size())
        return false;
    // Hexadecimal may fill all 32 bits ("$FFFFFFFF" is -1); decimal must fit.
    const quint64 limit = base == 16 ? 0xFFFFFFFFull : quint64(std::numeric_limits<int>::max()) + (negative ? 1 : 0);
    quint64 result = 0;
    for (; pos < text.size(); ++pos) {
        const int digit = digitValue(text[pos].unicode(), base);
        if (digit < 0)
            return false;
        result = result * quint64(base) + quint64(digit);
        if (result > limit)
            return false;
    }
    const qint64 signedResult = base == 16 ? qint64(qint32(quint32(result))) : qint64(result);
    value = int(negative ? -signedResult : signedResult);
    return true;
}

int TIniFile::ReadInteger(QStringView section, QStringView key, int defaultValue) const
{
    const QStringView* text = find(section, key);
    int value = 0;
    return text && ParseInteger(*text, value) ? value : defaultValue;
}

bool TIniFile::ReadBool(QStringView section, QStringView key, bool defaultValue) const
{
    return ReadInteger(section, key, defaultValue ? 1 : 0) != 0;
}
