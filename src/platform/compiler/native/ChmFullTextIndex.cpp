#include "ChmFullTextIndex.h"

#include "ChmBytes.h"
#include "Languages.h"
#include "THhpProject.h"

#include <QtConcurrent/QtConcurrentMap>

#include <algorithm>
#include <array>
#include <limits>

namespace {

constexpr qsizetype NodeSize = 4096;
constexpr qsizetype HeaderSize = 0x400;
constexpr qsizetype LeafHeaderSize = 8;
constexpr qsizetype IndexHeaderSize = 2;
// Readers decode the scale-and-root integers of scale 2 only.
constexpr quint8 Scale = 2;
constexpr int MaxRoot = 31;

enum EContext : quint8 { BodyContext = 0, TitleContext = 1 };

// Fields of the header.
enum EHeaderOffset : qsizetype {
    HeaderMagicAt = 0x00,
    TopicCountAt = 0x04,
    LastLeafAt = 0x0C,
    RootNodeAt = 0x14,
    TreeDepthAt = 0x18,
    UnknownSevenAt = 0x1A,
    DocumentScaleAt = 0x1E,
    CountScaleAt = 0x20,
    LocationScaleAt = 0x22,
    NodeSizeAt = 0x2E,
    LongestWordAt = 0x36,
    OccurrencesAt = 0x3A,
    UniqueWordsAt = 0x3E,
    CodePageAt = 0x7A,
    LanguageAt = 0x7E,
};
constexpr quint32 HeaderMagic = 0x00280000;
constexpr quint32 UnknownSeven = 7;

void SetWord(QByteArray& bytes, qsizetype at, quint16 value)
{
    bytes[at] = char(value & 0xFF);
    bytes[at + 1] = char(value >> 8);
}

void SetDword(QByteArray& bytes, qsizetype at, quint32 value)
{
    for (int shift = 0; shift < 32; shift += 8)
        bytes[at + shift / 8] = char((value >> shift) & 0xFF);
}

// Variable-length integer of the leaf entries: 7 bits a byte, lowest first,
// the high bit set on every byte but the last.
void PutEncInt(QByteArray& out, quint64 value)
{
    do {
        quint8 byte = value & 0x7F;
        value >>= 7;
        if (value != 0)
            byte |= 0x80;
        out.append(char(byte));
    } while (value != 0);
}

int BitLength(quint32 value)
{
    int length = 0;
    for (; value != 0; value >>= 1)
        ++length;
    return length;
}

// How many values of each bit length one kind of integer takes.
using TLengthCounts = std::array<quint64, 33>;

// The bits a scale-2 integer of `length` bits takes with `root`.
quint64 EncodedBits(int length, int root)
{
    return length <= root ? quint64(1 + root) : quint64(2 * length - root);
}

int BestRoot(const TLengthCounts& counts)
{
    int best = 0;
    quint64 bestBits = ~quint64(0);
    for (int root = 0; root <= MaxRoot; ++root) {
        quint64 bits = 0;
        for (int length = 0; length < int(counts.size()); ++length)
            bits += counts[length] * EncodedBits(length, root);
        if (bits < bestBits) {
            bestBits = bits;
            best = root;
        }
    }
    return best;
}

// Bits written from the highest bit of each byte down.
class TBitWriter {
public:
    explicit TBitWriter(QByteArray& out) : m_out(out) {}

    void PutBit(bool bit)
    {
        if (m_bit == FirstBit)
            m_out.append('\0');
        if (bit)
            m_out.back() = char(quint8(m_out.back()) | (1u << m_bit));
        m_bit = m_bit == 0 ? FirstBit : m_bit - 1;
    }
    void PutBits(quint32 value, int count)
    {
        for (int bit = count - 1; bit >= 0; --bit)
            PutBit((value >> bit) & 1);
    }
    // Scale 2: a value of at most `root` bits is "0" and `root` bits; a
    // longer one is as many "1"s as it has bits beyond `root`, "0", and its
    // bits below the highest.
    void PutScaleRoot(quint32 value, int root)
    {
        const int length = BitLength(value);
        if (length <= root) {
            PutBit(false);
            PutBits(value, root);
            return;
        }
        for (int extra = length - root; extra > 0; --extra)
            PutBit(true);
        PutBit(false);
        PutBits(value, length - 1);
    }
    // Each topic's record starts on a whole byte.
    void Align() { m_bit = FirstBit; }

private:
    static constexpr int FirstBit = 7;
    QByteArray& m_out;
    int m_bit = FirstBit;
};

// The order readers search the words in: bytes compared with ASCII letters
// folded, as C's strcasecmp does; the bytes themselves break ties.
bool SearchLess(const QByteArray& left, const QByteArray& right)
{
    const auto fold = [](char c) {
        const auto byte = quint8(c);
        return byte >= 'A' && byte <= 'Z' ? quint8(byte + ('a' - 'A')) : byte;
    };
    const qsizetype common = std::min(left.size(), right.size());
    for (qsizetype i = 0; i < common; ++i) {
        if (fold(left[i]) != fold(right[i]))
            return fold(left[i]) < fold(right[i]);
    }
    if (left.size() != right.size())
        return left.size() < right.size();
    return left < right;
}

qsizetype SharedPrefix(const QByteArray& left, const QByteArray& right)
{
    const qsizetype common = std::min(left.size(), right.size());
    qsizetype shared = 0;
    while (shared < common && left[shared] == right[shared])
        ++shared;
    return shared;
}

// A word as entries of a node store it: its length with the position byte,
// the length it shares with the entry before it, and the rest.
void PutNodeWord(QByteArray& out, const QByteArray& word, const QByteArray& previous)
{
    const qsizetype shared = SharedPrefix(word, previous);
    out.append(char(1 + word.size() - shared));
    out.append(char(shared));
    out.append(word.mid(shared));
}

// Where a word's list of topics is.
struct TWlc {
    quint32 Offset = 0;
    quint32 Size = 0;
    quint32 TopicCount = 0;
};

struct TNode {
    QByteArray Bytes;
    QByteArray LastWord;
    quint32 Offset = 0;
};

} // namespace

bool ChmFullTextSearchWanted(const THhpProject& project)
{
    const QByteArray value = project.Option("Full-text search");
    return value.compare("Yes", Qt::CaseInsensitive) == 0 || value == "1";
}

TChmFullTextIndex::TChmFullTextIndex(int codePage, quint32 languageId)
    : m_codePage(codePage == 0 ? SystemAnsiCodePage() : codePage), m_languageId(languageId)
{
}

void TChmFullTextIndex::AddPage(const TChmPageWords& page)
{
    const quint32 topic = m_topics++;
    for (const TChmPageWord& word : page.Words) {
        const auto title = std::lower_bound(word.Positions.cbegin(), word.Positions.cend(), page.TitleWordCount);
        m_words[word.Text].append({topic, quint32(title - word.Positions.cbegin()), word.Positions});
        m_occurrences += word.Positions.size();
    }
}

QByteArray TChmFullTextIndex::Bytes() const
{
    QList<QByteArray> words = m_words.keys();
    std::sort(words.begin(), words.end(), SearchLess);

    // Each word's topics: in the body (title and text) and, when the word is
    // in some title, in the titles.
    const auto titleTopics = [](const QList<TTopicHits>& hits) {
        return std::count_if(hits.cbegin(), hits.cend(), [](const TTopicHits& hit) { return hit.TitleCount > 0; });
    };
    TLengthCounts topicLengths{};
    TLengthCounts countLengths{};
    TLengthCounts locationLengths{};
    const auto measure = [&](const QList<TTopicHits>& hits, bool title) {
        quint32 lastTopic = 0;
        for (const TTopicHits& hit : hits) {
            const quint32 count = title ? hit.TitleCount : quint32(hit.Positions.size());
            if (count == 0)
                continue;
            ++topicLengths[BitLength(hit.Topic - lastTopic)];
            lastTopic = hit.Topic;
            ++countLengths[BitLength(count)];
            quint32 lastPosition = 0;
            for (quint32 n = 0; n < count; ++n) {
                ++locationLengths[BitLength(hit.Positions[n] - lastPosition)];
                lastPosition = hit.Positions[n];
            }
        }
    };
    for (const QByteArray& word : words) {
        const QList<TTopicHits>& hits = m_words[word];
        measure(hits, false);
        if (titleTopics(hits) > 0)
            measure(hits, true);
    }
    const int topicRoot = BestRoot(topicLengths);
    const int countRoot = BestRoot(countLengths);
    const int locationRoot = BestRoot(locationLengths);

    // The lists of topics, word after word, after the header.
    QByteArray out(HeaderSize, '\0');
    const auto writeWlc = [&](const QList<TTopicHits>& hits, bool title) {
        TWlc wlc;
        wlc.Offset = quint32(out.size());
        TBitWriter bits(out);
        quint32 lastTopic = 0;
        for (const TTopicHits& hit : hits) {
            const quint32 count = title ? hit.TitleCount : quint32(hit.Positions.size());
            if (count == 0)
                continue;
            bits.PutScaleRoot(hit.Topic - lastTopic, topicRoot);
            lastTopic = hit.Topic;
            bits.PutScaleRoot(count, countRoot);
            quint32 lastPosition = 0;
            for (quint32 n = 0; n < count; ++n) {
                bits.PutScaleRoot(hit.Positions[n] - lastPosition, locationRoot);
                lastPosition = hit.Positions[n];
            }
            bits.Align();
            ++wlc.TopicCount;
        }
        wlc.Size = quint32(out.size()) - wlc.Offset;
        return wlc;
    };
    QList<TWlc> bodyWlcs;
    QList<TWlc> titleWlcs;
    bodyWlcs.reserve(words.size());
    titleWlcs.reserve(words.size());
    for (const QByteArray& word : words) {
        const QList<TTopicHits>& hits = m_words[word];
        bodyWlcs.append(writeWlc(hits, false));
        titleWlcs.append(titleTopics(hits) > 0 ? writeWlc(hits, true) : TWlc());
    }

    // Leaf nodes; a word's body and title entries share one.
    QList<TNode> leaves;
    QByteArray leaf;
    QByteArray previous;
    const auto closeLeaf = [&]() {
        SetWord(leaf, 6, quint16(NodeSize - leaf.size()));
        leaf.resize(NodeSize, '\0');
        leaves.append({leaf, previous, 0});
        leaf.clear();
        previous.clear();
    };
    const auto leafEntries = [&](qsizetype n, const QByteArray& before) {
        QByteArray entries;
        const auto put = [&](const QByteArray& after, EContext context, const TWlc& wlc) {
            PutNodeWord(entries, words[n], after);
            entries.append(char(context));
            PutEncInt(entries, wlc.TopicCount);
            PutDword(entries, wlc.Offset);
            PutWord(entries, 0);
            PutEncInt(entries, wlc.Size);
        };
        put(before, BodyContext, bodyWlcs[n]);
        if (titleWlcs[n].TopicCount > 0)
            put(words[n], TitleContext, titleWlcs[n]);
        return entries;
    };
    for (qsizetype n = 0; n < words.size(); ++n) {
        if (leaf.isEmpty())
            leaf = QByteArray(LeafHeaderSize, '\0');
        QByteArray entries = leafEntries(n, previous);
        if (leaf.size() + entries.size() > NodeSize) {
            closeLeaf();
            leaf = QByteArray(LeafHeaderSize, '\0');
            entries = leafEntries(n, previous);
        }
        leaf += entries;
        previous = words[n];
    }
    if (!leaf.isEmpty() || leaves.isEmpty()) {
        if (leaf.isEmpty())
            leaf = QByteArray(LeafHeaderSize, '\0');
        closeLeaf();
    }
    for (qsizetype n = 0; n < leaves.size(); ++n) {
        leaves[n].Offset = quint32(out.size() + n * NodeSize);
        if (n + 1 < leaves.size())
            SetDword(leaves[n].Bytes, 0, quint32(out.size() + (n + 1) * NodeSize));
    }
    const quint32 lastLeaf = leaves.back().Offset;
    for (const TNode& node : leaves)
        out += node.Bytes;

    // Index nodes above them, each entry the last word of a node below.
    QList<TNode> level = leaves;
    quint16 depth = 1;
    while (level.size() > 1) {
        QList<TNode> parents;
        QByteArray node;
        QByteArray last;
        const auto closeNode = [&]() {
            SetWord(node, 0, quint16(NodeSize - node.size()));
            node.resize(NodeSize, '\0');
            parents.append({node, last, 0});
            node.clear();
            last.clear();
        };
        for (const TNode& child : level) {
            if (node.isEmpty())
                node = QByteArray(IndexHeaderSize, '\0');
            QByteArray entry;
            PutNodeWord(entry, child.LastWord, last);
            PutDword(entry, child.Offset);
            PutWord(entry, 0);
            if (node.size() + entry.size() > NodeSize) {
                closeNode();
                node = QByteArray(IndexHeaderSize, '\0');
                entry.clear();
                PutNodeWord(entry, child.LastWord, QByteArray());
                PutDword(entry, child.Offset);
                PutWord(entry, 0);
            }
            node += entry;
            last = child.LastWord;
        }
        closeNode();
        for (TNode& parent : parents) {
            parent.Offset = quint32(out.size());
            out += parent.Bytes;
        }
        level = parents;
        ++depth;
    }

    qsizetype longest = 0;
    for (const QByteArray& word : words)
        longest = std::max(longest, word.size());
    SetDword(out, HeaderMagicAt, HeaderMagic);
    SetDword(out, TopicCountAt, m_topics);
    SetDword(out, LastLeafAt, lastLeaf);
    SetDword(out, RootNodeAt, level.front().Offset);
    SetWord(out, TreeDepthAt, depth);
    SetDword(out, UnknownSevenAt, UnknownSeven);
    out[DocumentScaleAt] = char(Scale);
    out[DocumentScaleAt + 1] = char(topicRoot);
    out[CountScaleAt] = char(Scale);
    out[CountScaleAt + 1] = char(countRoot);
    out[LocationScaleAt] = char(Scale);
    out[LocationScaleAt + 1] = char(locationRoot);
    SetDword(out, NodeSizeAt, quint32(NodeSize));
    SetDword(out, LongestWordAt, quint32(longest));
    SetDword(out, OccurrencesAt, quint32(std::min<quint64>(m_occurrences, std::numeric_limits<quint32>::max())));
    SetDword(out, UniqueWordsAt, quint32(words.size()));
    SetDword(out, CodePageAt, quint32(m_codePage));
    SetDword(out, LanguageAt, m_languageId);
    return out;
}

TChmReadPages ChmReadPages(const QList<QByteArray>& pages, int codePage, quint32 languageId, bool fullText)
{
    TChmReadPages read;
    read.Titles.reserve(pages.size());
    TChmFullTextIndex index(codePage, languageId);
    // Pages are read in parallel and taken in their order, one at a time.
    QtConcurrent::blockingMappedReduced<int>(
        pages, [codePage, fullText](const QByteArray& page) { return ChmPageWords(page, codePage, fullText); },
        [&](int&, const TChmPageWords& words) {
            if (words.Unstorable > 0 && read.Unstorable == 0) {
                read.FirstUnstorable = words.FirstUnstorable;
                read.FirstUnstorablePage = read.Titles.size();
            }
            read.Unstorable += words.Unstorable;
            read.Titles.append(words.Title);
            if (fullText)
                index.AddPage(words);
        },
        QtConcurrent::OrderedReduce | QtConcurrent::SequentialReduce);
    if (fullText) {
        read.Index = index.Bytes();
        read.WordCount = index.WordCount();
    }
    return read;
}
