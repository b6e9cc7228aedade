#include "TChmContainerWriter.h"

#include "ChmBytes.h"
#include "TLzxEncoder.h"

#include <QSet>
#include <algorithm>
#include <future>
#include <thread>
#include <vector>

namespace {

constexpr quint32 ItsfVersion = 3;
constexpr quint32 ItsfHeaderLength = 0x60;
constexpr quint32 HeaderSection0Length = 0x18;
constexpr quint32 ItspVersion = 1;
constexpr quint32 ItspHeaderLength = 0x54;
constexpr quint32 ChunkSize = 0x1000;
constexpr quint32 QuickrefDensity = 2;
constexpr int QuickrefEvery = 1 + (1 << QuickrefDensity);
constexpr int ListingHeaderLength = 0x14;
constexpr int IndexHeaderLength = 0x08;
constexpr quint32 NoChunk = 0xFFFFFFFF;

// LZX frames of 32 KiB; the decoder starts afresh every two frames.
constexpr int FrameSize = TLzxEncoder::FrameSize;
constexpr int FramesPerReset = 2;
constexpr int WindowFrames = (1 << TLzxEncoder::WindowBits) / FrameSize;
constexpr int CacheSize = 1;
constexpr quint32 ControlDataVersion = 2;
constexpr quint32 ResetTableVersion = 2;
constexpr quint32 ResetTableHeaderLength = 0x28;
constexpr quint32 ResetTableEntrySize = 8;
// Readers look a little past the data, so the stream always ends with at
// least this much padding inside its last frame.
constexpr int StreamTailPadding = 2;

const QByteArray ContentName("::DataSpace/Storage/MSCompressed/Content");
const QByteArray ControlDataName("::DataSpace/Storage/MSCompressed/ControlData");
const QByteArray SpanInfoName("::DataSpace/Storage/MSCompressed/SpanInfo");
const QByteArray TransformListName("::DataSpace/Storage/MSCompressed/Transform/List");
const QByteArray ResetTableName("::DataSpace/Storage/MSCompressed/Transform/"
                                "{7FC28940-9D31-11D0-9B27-00A0C91E9C7C}/InstanceData/ResetTable");
const QByteArray NameListName("::DataSpace/NameList");
const char LzxTransformGuid[] = "{7FC28940-9D31-11D0-9B27-00A0C91E9C7C}";




void SetWord(QByteArray& out, qsizetype at, quint16 value)
{
    out[at] = char(value & 0xFF);
    out[at + 1] = char(value >> 8);
}

// A GUID as it is stored: one DWORD, two WORDs, eight bytes.
void PutGuid(QByteArray& out, quint32 first, quint16 second, quint16 third, const char (&rest)[9])
{
    PutDword(out, first);
    PutWord(out, second);
    PutWord(out, third);
    out.append(rest, 8);
}

// The format's variable-length integer: 7 bits a byte, most significant
// first, every byte but the last with its top bit set.
void PutEncint(QByteArray& out, quint64 value)
{
    char bytes[10];
    int count = 0;
    do {
        bytes[count++] = char(value & 0x7F);
        value >>= 7;
    } while (value);
    while (count-- > 0)
        out.append(char(bytes[count] | (count ? 0x80 : 0)));
}

QByteArray Utf16Name(const QByteArray& ascii)
{
    QByteArray out;
    PutWord(out, quint16(ascii.size()));
    for (char c : ascii)
        PutWord(out, quint16(uchar(c)));
    PutWord(out, 0);
    return out;
}

QByteArray NameList()
{
    const QByteArray names = Utf16Name("Uncompressed") + Utf16Name("MSCompressed");
    QByteArray out;
    constexpr int SectionCount = 2;
    // Its length in words, itself included.
    PutWord(out, quint16((names.size() + 4) / 2));
    PutWord(out, SectionCount);
    return out + names;
}

QByteArray ControlData()
{
    constexpr quint32 DwordsFollowing = 6;
    QByteArray out;
    PutDword(out, DwordsFollowing);
    out.append("LZXC", 4);
    PutDword(out, ControlDataVersion);
    PutDword(out, FramesPerReset);
    PutDword(out, WindowFrames);
    PutDword(out, CacheSize);
    PutDword(out, 0);
    return out;
}

// A chunk of the directory: entries from the front, the quickref words
// (every QuickrefEvery-th entry's offset, then the entry count) from the end.
class TChunkBuilder {
public:
    explicit TChunkBuilder(int headerLength)
        : m_headerLength(headerLength)
    {
    }

    bool Fits(const QByteArray& entry) const
    {
        const int count = int(m_offsets.size()) + 1;
        const int quickref = 2 + 2 * ((count - 1) / QuickrefEvery);
        return m_headerLength + m_entries.size() + entry.size() + quickref <= qsizetype(ChunkSize);
    }
    bool IsEmpty() const { return m_offsets.isEmpty(); }
    void Add(const QByteArray& entry)
    {
        m_offsets.append(quint16(m_entries.size()));
        m_entries += entry;
    }
    // The chunk with `header` in front; its free-space field is at byte 4.
    QByteArray Finish(const QByteArray& header) const
    {
        QByteArray chunk = header + m_entries;
        chunk.append(qsizetype(ChunkSize) - chunk.size(), '\0');
        const quint32 free = ChunkSize - quint32(m_headerLength) - quint32(m_entries.size());
        for (int shift = 0; shift < 32; shift += 8)
            chunk[4 + shift / 8] = char((free >> shift) & 0xFF);
        SetWord(chunk, ChunkSize - 2, quint16(m_offsets.size()));
        for (int slot = 1; slot * QuickrefEvery < m_offsets.size(); ++slot)
            SetWord(chunk, ChunkSize - 2 - 2 * slot, m_offsets[slot * QuickrefEvery]);
        return chunk;
    }

private:
    int m_headerLength;
    QByteArray m_entries;
    QList<quint16> m_offsets;
};

} // namespace

TChmContainerWriter::TChmContainerWriter(quint32 languageId)
    : m_languageId(languageId)
{
}

void TChmContainerWriter::AddFile(const QByteArray& name, const QByteArray& bytes, ESection section)
{
    m_objects.append({name, section, bytes});
}

bool TChmContainerWriter::NameLess(const QByteArray& left, const QByteArray& right)
{
    const auto fold = [](char c) { return uchar(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c); };
    return std::lexicographical_compare(left.cbegin(), left.cend(), right.cbegin(), right.cend(),
                                        [&](char a, char b) { return fold(a) < fold(b); });
}

QByteArray TChmContainerWriter::CompressedStream(const QByteArray& data, QList<quint64>* frameOffsets) const
{
    const qsizetype frames = (data.size() + StreamTailPadding + FrameSize - 1) / FrameSize;
    QByteArray padded = data;
    padded.append(frames * FrameSize - data.size(), '\0');
    // Each reset interval is compressed on its own, on every core.
    constexpr qsizetype IntervalSize = qsizetype(FramesPerReset) * FrameSize;
    struct TInterval {
        QByteArray Compressed;
        QList<quint64> Offsets;
    };
    const qsizetype intervalCount = (padded.size() + IntervalSize - 1) / IntervalSize;
    std::vector<std::future<TInterval>> work;
    std::vector<TInterval> done(static_cast<size_t>(intervalCount));
    const qsizetype threads = std::max<qsizetype>(1, std::thread::hardware_concurrency());
    for (qsizetype first = 0; first < intervalCount; first += threads) {
        work.clear();
        for (qsizetype n = first; n < std::min(intervalCount, first + threads); ++n)
            work.push_back(std::async(std::launch::async, [&padded, n] {
                TInterval interval;
                interval.Compressed
                    = TLzxEncoder::CompressInterval(padded.mid(n * IntervalSize, IntervalSize), &interval.Offsets);
                return interval;
            }));
        for (size_t n = 0; n < work.size(); ++n)
            done[size_t(first) + n] = work[n].get();
    }
    QByteArray stream;
    for (const TInterval& interval : done) {
        for (quint64 offset : interval.Offsets)
            frameOffsets->append(quint64(stream.size()) + offset);
        stream += interval.Compressed;
    }
    return stream;
}

QByteArray TChmContainerWriter::Directory(const QList<QByteArray>& entries, const QList<QByteArray>& names) const
{
    // Listing chunks, then each index level over the one below it.
    QList<QByteArray> chunks;
    QList<QByteArray> levelFirstNames;
    QList<quint32> levelChunks;
    {
        TChunkBuilder builder(ListingHeaderLength);
        QList<TChunkBuilder> builders;
        for (qsizetype n = 0; n < entries.size(); ++n) {
            if (!builder.Fits(entries[n])) {
                builders.append(builder);
                builder = TChunkBuilder(ListingHeaderLength);
            }
            if (builder.IsEmpty())
                levelFirstNames.append(names[n]);
            builder.Add(entries[n]);
        }
        builders.append(builder);
        const qsizetype count = builders.size();
        for (qsizetype n = 0; n < count; ++n) {
            QByteArray header("PMGL", 4);
            PutDword(header, 0);
            PutDword(header, 0);
            PutDword(header, n == 0 ? NoChunk : quint32(n - 1));
            PutDword(header, n + 1 == count ? NoChunk : quint32(n + 1));
            chunks.append(builders[n].Finish(header));
            levelChunks.append(quint32(n));
        }
    }
    const quint32 listingCount = quint32(chunks.size());
    quint32 depth = 1;
    quint32 root = NoChunk;
    while (levelChunks.size() > 1) {
        QList<QByteArray> upperNames;
        QList<quint32> upperChunks;
        TChunkBuilder builder(IndexHeaderLength);
        const auto finish = [&] {
            QByteArray header("PMGI", 4);
            PutDword(header, 0);
            upperChunks.append(quint32(chunks.size()));
            chunks.append(builder.Finish(header));
            builder = TChunkBuilder(IndexHeaderLength);
        };
        for (qsizetype n = 0; n < levelChunks.size(); ++n) {
            QByteArray entry;
            PutEncint(entry, quint64(levelFirstNames[n].size()));
            entry += levelFirstNames[n];
            PutEncint(entry, levelChunks[n]);
            if (!builder.Fits(entry))
                finish();
            if (builder.IsEmpty())
                upperNames.append(levelFirstNames[n]);
            builder.Add(entry);
        }
        finish();
        levelFirstNames = upperNames;
        levelChunks = upperChunks;
        ++depth;
        root = levelChunks.front();
    }

    QByteArray out("ITSP", 4);
    PutDword(out, ItspVersion);
    PutDword(out, ItspHeaderLength);
    PutDword(out, 0x0A);
    PutDword(out, ChunkSize);
    PutDword(out, QuickrefDensity);
    PutDword(out, depth);
    PutDword(out, root);
    PutDword(out, 0);
    PutDword(out, listingCount - 1);
    PutDword(out, NoChunk);
    PutDword(out, quint32(chunks.size()));
    PutDword(out, m_languageId);
    PutGuid(out, 0x5D02926A, 0x212E, 0x11D0, "\x9D\xF9\x00\xA0\xC9\x22\xE6\xEC");
    PutDword(out, ItspHeaderLength);
    PutDword(out, NoChunk);
    PutDword(out, NoChunk);
    PutDword(out, NoChunk);
    for (const QByteArray& chunk : chunks)
        out += chunk;
    return out;
}

QByteArray TChmContainerWriter::Write() const
{
    QList<const TObject*> objects;
    for (const TObject& object : m_objects)
        objects.append(&object);
    std::stable_sort(objects.begin(), objects.end(),
                     [](const TObject* a, const TObject* b) { return NameLess(a->Name, b->Name); });

    struct TPlaced {
        QByteArray Name;
        ESection Section;
        quint64 Offset;
        quint64 Length;
    };
    QList<TPlaced> placed;
    QByteArray section0;
    QByteArray section1;
    for (const TObject* object : objects) {
        QByteArray& target = object->Section == ESection::Compressed ? section1 : section0;
        placed.append({object->Name, object->Section, quint64(target.size()), quint64(object->Bytes.size())});
        target += object->Bytes;
    }

    QList<quint64> frameOffsets;
    const QByteArray content = CompressedStream(section1, &frameOffsets);
    QByteArray spanInfo;
    PutQword(spanInfo, quint64(section1.size()));
    QByteArray resetTable;
    PutDword(resetTable, ResetTableVersion);
    PutDword(resetTable, quint32(frameOffsets.size()));
    PutDword(resetTable, ResetTableEntrySize);
    PutDword(resetTable, ResetTableHeaderLength);
    PutQword(resetTable, quint64(section1.size()));
    PutQword(resetTable, quint64(content.size()));
    PutQword(resetTable, FrameSize);
    for (quint64 offset : frameOffsets)
        PutQword(resetTable, offset);
    QByteArray transformList;
    for (const char* c = LzxTransformGuid; *c; ++c)
        PutWord(transformList, quint16(uchar(*c)));

    const QList<std::pair<QByteArray, QByteArray>> storage = {
        {NameListName, NameList()},       {ControlDataName, ControlData()},
        {SpanInfoName, spanInfo},         {TransformListName, transformList},
        {ResetTableName, resetTable},     {ContentName, content},
    };
    for (const auto& [name, bytes] : storage) {
        placed.append({name, ESection::Uncompressed, quint64(section0.size()), quint64(bytes.size())});
        section0 += bytes;
    }
    std::stable_sort(placed.begin(), placed.end(),
                     [](const TPlaced& a, const TPlaced& b) { return NameLess(a.Name, b.Name); });

    QList<QByteArray> entries;
    QList<QByteArray> names;
    for (const TPlaced& object : placed) {
        QByteArray entry;
        PutEncint(entry, quint64(object.Name.size()));
        entry += object.Name;
        PutEncint(entry, quint64(object.Section));
        PutEncint(entry, object.Offset);
        PutEncint(entry, object.Length);
        entries.append(entry);
        names.append(object.Name);
    }
    const QByteArray directory = Directory(entries, names);

    const quint64 directoryOffset = ItsfHeaderLength + HeaderSection0Length;
    const quint64 contentOffset = directoryOffset + quint64(directory.size());
    const quint64 fileSize = contentOffset + quint64(section0.size());

    QByteArray out("ITSF", 4);
    PutDword(out, ItsfVersion);
    PutDword(out, ItsfHeaderLength);
    PutDword(out, 1);
    PutDword(out, 0); // timestamp: none, so the same project gives the same file
    PutDword(out, m_languageId);
    PutGuid(out, 0x7C01FD10, 0x7BAA, 0x11D0, "\x9E\x0C\x00\xA0\xC9\x22\xE6\xEC");
    PutGuid(out, 0x7C01FD11, 0x7BAA, 0x11D0, "\x9E\x0C\x00\xA0\xC9\x22\xE6\xEC");
    PutQword(out, ItsfHeaderLength);
    PutQword(out, HeaderSection0Length);
    PutQword(out, directoryOffset);
    PutQword(out, quint64(directory.size()));
    PutQword(out, contentOffset);

    constexpr quint32 HeaderSection0Mark = 0x01FE;
    PutDword(out, HeaderSection0Mark);
    PutDword(out, 0);
    PutQword(out, fileSize);
    PutDword(out, 0);
    PutDword(out, 0);

    out.reserve(qsizetype(fileSize));
    out += directory;
    out += section0;
    return out;
}
