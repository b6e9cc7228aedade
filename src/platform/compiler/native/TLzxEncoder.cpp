#include "TLzxEncoder.h"

#include "TLzxBitWriter.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cstring>
#include <queue>
#include <vector>

namespace {

constexpr int PositionSlots = 32; // for a 64 KiB window
constexpr int Literals = 256;
constexpr int MainElements = Literals + 8 * PositionSlots;
constexpr int LengthElements = 249;
constexpr int AlignedElements = 8;
constexpr int PretreeElements = 20;
constexpr int PrimaryLengths = 7;
constexpr int MinMatch = 2;
constexpr int MaxMatch = 257;
constexpr int WantedMatch = 3;
constexpr int MaxCodeLength = 16;
constexpr int MaxPretreeLength = 15;
constexpr int MaxAlignedLength = 7;
constexpr int PretreeLengthBits = 4;
constexpr int AlignedLengthBits = 3;
// Aligned blocks code the low 3 bits of offsets with 3 or more extra bits.
constexpr int AlignedBits = 3;
constexpr int AlignedMask = (1 << AlignedBits) - 1;
constexpr int VerbatimBlock = 1;
constexpr int AlignedBlock = 2;
constexpr int BlockTypeBits = 3;
constexpr int BlockSizeBits = 24;
constexpr int DeltaModulus = 17;
// Pretree codes for runs of lengths: zeros (short and long) and repeats.
constexpr int ZeroRunShort = 17;
constexpr int ZeroRunShortMin = 4;
constexpr int ZeroRunShortBits = 4;
constexpr int ZeroRunLong = 18;
constexpr int ZeroRunLongMin = 20;
constexpr int ZeroRunLongBits = 5;
constexpr int SameRun = 19;
constexpr int SameRunMin = 4;
constexpr int SameRunBits = 1;
// Offsets 0 to 2 name the repeated offsets; a real distance is stored + 2.
constexpr int RepeatedOffsets = 3;
constexpr int MaxDistance = (1 << TLzxEncoder::WindowBits) - RepeatedOffsets;
constexpr int HashBits = 15;
// The chain search is bounded so that the time per byte stays bounded.
constexpr int ChainDepth = 32;
// A match this long is taken without looking further or one byte ahead.
constexpr int NiceLength = 96;
// Rough bit costs that rank the candidates before the trees exist.
constexpr int LiteralBits = 8;
constexpr int MatchSymbolBits = 8;
constexpr int RepeatedSymbolBits = 5;
constexpr int LengthFooterBits = 5;

struct TSlots {
    std::array<int, PositionSlots + 1> base{};
    std::array<int, PositionSlots> extra{};
    TSlots()
    {
        int bits = 0;
        for (int slot = 0; slot < PositionSlots; slot += 2) {
            extra[slot] = extra[slot + 1] = bits;
            if (slot != 0)
                ++bits;
        }
        for (int slot = 0; slot < PositionSlots; ++slot)
            base[slot + 1] = base[slot] + (1 << extra[slot]);
    }
    // Slots pair up per power of two above 4.
    static int SlotOf(int formatted)
    {
        if (formatted < 4)
            return formatted;
        const int log = 31 - std::countl_zero(quint32(formatted));
        return 2 * log + ((formatted >> (log - 1)) & 1);
    }
};

const TSlots& Slots()
{
    static const TSlots positionSlots;
    return positionSlots;
}

// Huffman code lengths no longer than `maxLength`; frequencies are flattened
// until the tree fits. At least two symbols get a code, so every tree is
// complete as decoders require.
std::vector<quint8> CodeLengths(std::vector<quint32> frequencies, int maxLength)
{
    const int count = int(frequencies.size());
    int used = int(std::count_if(frequencies.begin(), frequencies.end(), [](quint32 f) { return f != 0; }));
    for (int symbol = 0; used < 2 && symbol < count; ++symbol)
        if (frequencies[symbol] == 0) {
            frequencies[symbol] = 1;
            ++used;
        }
    for (;;) {
        struct TNode {
            quint64 weight;
            int left;
            int right;
        };
        std::vector<TNode> nodes;
        using TItem = std::pair<quint64, int>;
        std::priority_queue<TItem, std::vector<TItem>, std::greater<>> heap;
        for (int symbol = 0; symbol < count; ++symbol)
            if (frequencies[symbol]) {
                nodes.push_back({frequencies[symbol], -1, symbol});
                heap.push({frequencies[symbol], int(nodes.size()) - 1});
            }
        while (heap.size() > 1) {
            const TItem a = heap.top();
            heap.pop();
            const TItem b = heap.top();
            heap.pop();
            nodes.push_back({a.first + b.first, a.second, b.second});
            heap.push({a.first + b.first, int(nodes.size()) - 1});
        }
        std::vector<quint8> lengths(size_t(count), 0);
        int longest = 0;
        // Depth-first over the tree; leaves have left == -1.
        std::vector<std::pair<int, int>> stack = {{heap.top().second, 0}};
        while (!stack.empty()) {
            const auto [node, depth] = stack.back();
            stack.pop_back();
            if (nodes[size_t(node)].left < 0) {
                lengths[size_t(nodes[size_t(node)].right)] = quint8(depth);
                longest = std::max(longest, depth);
            } else {
                stack.push_back({nodes[size_t(node)].left, depth + 1});
                stack.push_back({nodes[size_t(node)].right, depth + 1});
            }
        }
        if (longest <= maxLength)
            return lengths;
        for (quint32& frequency : frequencies)
            if (frequency)
                frequency = (frequency >> 1) | 1;
    }
}

// Canonical codes: shorter codes first, equal lengths in symbol order.
std::vector<quint32> CanonicalCodes(const std::vector<quint8>& lengths)
{
    std::array<int, MaxCodeLength + 2> counts{};
    for (quint8 length : lengths)
        ++counts[length];
    counts[0] = 0;
    std::array<quint32, MaxCodeLength + 2> next{};
    quint32 code = 0;
    for (int bits = 1; bits <= MaxCodeLength; ++bits) {
        code = (code + quint32(counts[bits - 1])) << 1;
        next[bits] = code;
    }
    std::vector<quint32> codes(lengths.size(), 0);
    for (size_t symbol = 0; symbol < lengths.size(); ++symbol)
        if (lengths[symbol])
            codes[symbol] = next[lengths[symbol]]++;
    return codes;
}

struct TToken {
    quint16 length; // 0: a literal
    // The literal, or the offset as stored: 0 to 2 a repeated offset,
    // otherwise the distance + 2.
    quint16 value;
};

int ExtraBits(int formatted)
{
    const int slot = TSlots::SlotOf(formatted);
    return slot < 4 ? 0 : slot / 2 - 1;
}

// One pretree symbol of a tree's lengths, with its run-length bits.
struct TPretreeItem {
    int symbol;
    int extra = 0;
    int extraBits = 0;
    int delta = -1; // a repeat run's length delta, after the run bits
};

// Writes `lengths[from, to)` through a pretree: deltas from `previous`, with
// runs of zeros and of equal lengths shortened.
void WriteLengths(TLzxBitWriter& bits, const std::vector<quint8>& lengths, std::vector<quint8>& previous, int from,
                  int to)
{
    const auto delta = [&](int n) {
        return (previous[size_t(n)] - lengths[size_t(n)] + DeltaModulus) % DeltaModulus;
    };
    std::vector<TPretreeItem> items;
    std::vector<quint32> frequencies(PretreeElements, 0);
    for (int n = from; n < to;) {
        int run = 1;
        while (n + run < to && lengths[size_t(n + run)] == lengths[size_t(n)])
            ++run;
        if (lengths[size_t(n)] == 0 && run >= ZeroRunLongMin) {
            run = std::min(run, ZeroRunLongMin + (1 << ZeroRunLongBits) - 1);
            items.push_back({ZeroRunLong, run - ZeroRunLongMin, ZeroRunLongBits});
        } else if (lengths[size_t(n)] == 0 && run >= ZeroRunShortMin) {
            run = std::min(run, ZeroRunShortMin + (1 << ZeroRunShortBits) - 1);
            items.push_back({ZeroRunShort, run - ZeroRunShortMin, ZeroRunShortBits});
        } else if (run >= SameRunMin) {
            // The decoder sets the whole run from the first length's delta.
            run = std::min(run, SameRunMin + (1 << SameRunBits) - 1);
            items.push_back({SameRun, run - SameRunMin, SameRunBits, delta(n)});
            ++frequencies[size_t(delta(n))];
        } else {
            run = 1;
            items.push_back({delta(n)});
        }
        ++frequencies[size_t(items.back().symbol)];
        n += run;
    }
    const std::vector<quint8> pretree = CodeLengths(frequencies, MaxPretreeLength);
    const std::vector<quint32> codes = CanonicalCodes(pretree);
    for (quint8 length : pretree)
        bits.Put(length, PretreeLengthBits);
    for (const TPretreeItem& item : items) {
        bits.Put(codes[size_t(item.symbol)], pretree[size_t(item.symbol)]);
        bits.Put(quint32(item.extra), item.extraBits);
        if (item.delta >= 0)
            bits.Put(codes[size_t(item.delta)], pretree[size_t(item.delta)]);
    }
    for (int n = from; n < to; ++n)
        previous[size_t(n)] = lengths[size_t(n)];
}

// Hash chains over one reset interval, with the decoder's three repeated
// offsets, which carry over from frame to frame inside the interval.
class TMatchFinder {
public:
    TMatchFinder(const uchar* data, int size)
        : m_data(data), m_size(size), m_head(size_t(1) << HashBits, -1), m_chain(size_t(size), -1)
    {
    }

    // Lazy parse of one frame: a match is put off by one byte when the
    // match starting there gains more.
    std::vector<TToken> Parse(int frameStart, int frameEnd)
    {
        std::vector<TToken> tokens;
        tokens.reserve(size_t(frameEnd - frameStart));
        int at = frameStart;
        TMatch current = Best(at, frameEnd);
        while (at < frameEnd) {
            if (current.gain <= 0) {
                tokens.push_back({0, m_data[at]});
                current = Best(++at, frameEnd);
                continue;
            }
            if (current.length < NiceLength && at + 1 < frameEnd) {
                const TMatch next = Best(at + 1, frameEnd);
                if (next.gain > current.gain) {
                    tokens.push_back({0, m_data[at]});
                    ++at;
                    current = next;
                    continue;
                }
            }
            tokens.push_back({quint16(current.length), quint16(current.formatted)});
            Use(current.formatted);
            at += current.length;
            current = Best(at, frameEnd);
        }
        return tokens;
    }

private:
    struct TMatch {
        int length = 0;
        int formatted = 0;
        int gain = 0;
    };

    int Hash(int at) const
    {
        const quint32 bytes = m_data[at] | (m_data[at + 1] << 8) | (m_data[at + 2] << 16);
        return int((bytes * 2654435761u) >> (32 - HashBits));
    }

    void InsertUpTo(int at)
    {
        for (; m_inserted < at; ++m_inserted)
            if (m_inserted + 2 < m_size) {
                const int hash = Hash(m_inserted);
                m_chain[size_t(m_inserted)] = m_head[size_t(hash)];
                m_head[size_t(hash)] = m_inserted;
            }
    }

    int Length(int at, int from, int limit) const
    {
        int n = 0;
        for (; n + 8 <= limit; n += 8) {
            quint64 a;
            quint64 b;
            std::memcpy(&a, m_data + at + n, 8);
            std::memcpy(&b, m_data + from + n, 8);
            if (a != b) {
                if constexpr (std::endian::native == std::endian::little)
                    return n + std::countr_zero(a ^ b) / 8;
                break;
            }
        }
        while (n < limit && m_data[at + n] == m_data[from + n])
            ++n;
        return n;
    }

    static int Gain(int length, int formatted)
    {
        int cost = formatted < RepeatedOffsets ? RepeatedSymbolBits : MatchSymbolBits + ExtraBits(formatted);
        if (length - MinMatch >= PrimaryLengths)
            cost += LengthFooterBits;
        return LiteralBits * length - cost;
    }

    // The match at `at` that gains most over literals, if any; it never
    // reaches past the frame nor before the interval.
    TMatch Best(int at, int frameEnd)
    {
        TMatch best;
        const int limit = std::min(MaxMatch, frameEnd - at);
        if (limit < MinMatch)
            return best;
        InsertUpTo(at);
        for (int slot = 0; slot < RepeatedOffsets; ++slot) {
            const int distance = m_repeated[size_t(slot)];
            if (distance > at)
                continue;
            const int length = Length(at, at - distance, limit);
            if (length >= MinMatch && Gain(length, slot) > best.gain)
                best = {length, slot, Gain(length, slot)};
        }
        if (limit < WantedMatch || best.length == limit)
            return best;
        int longest = best.length;
        int candidate = m_head[size_t(Hash(at))];
        for (int depth = 0; candidate >= 0 && depth < ChainDepth; ++depth) {
            const int distance = at - candidate;
            if (distance > MaxDistance)
                break;
            if (m_data[candidate + longest] == m_data[at + longest]) {
                const int length = Length(at, candidate, limit);
                if (length > longest) {
                    longest = length;
                    if (length >= WantedMatch && Gain(length, distance + 2) > best.gain)
                        best = {length, distance + 2, Gain(length, distance + 2)};
                    if (length >= NiceLength || length == limit)
                        break;
                }
            }
            candidate = m_chain[size_t(candidate)];
        }
        return best;
    }

    // The decoder's update of the repeated offsets for a match.
    void Use(int formatted)
    {
        if (formatted >= RepeatedOffsets) {
            m_repeated = {formatted - 2, m_repeated[0], m_repeated[1]};
        } else {
            std::swap(m_repeated[0], m_repeated[size_t(formatted)]);
        }
    }

    const uchar* m_data;
    int m_size;
    std::vector<int> m_head;
    std::vector<int> m_chain;
    int m_inserted = 0;
    std::array<int, RepeatedOffsets> m_repeated{1, 1, 1};
};

} // namespace

QByteArray TLzxEncoder::CompressInterval(const QByteArray& data, QList<quint64>* frameOffsets)
{
    const TSlots& positionSlots = Slots();
    const auto* bytes = reinterpret_cast<const uchar*>(data.constData());
    TMatchFinder finder(bytes, int(data.size()));
    std::vector<quint8> previousMain(MainElements, 0);
    std::vector<quint8> previousLength(LengthElements, 0);
    QByteArray out;
    for (int frameStart = 0; frameStart < data.size(); frameStart += FrameSize) {
        frameOffsets->append(quint64(out.size()));
        const std::vector<TToken> tokens = finder.Parse(frameStart, frameStart + FrameSize);

        std::vector<quint32> mainFrequencies(MainElements, 0);
        std::vector<quint32> lengthFrequencies(LengthElements, 0);
        std::vector<quint32> alignedFrequencies(AlignedElements, 0);
        for (const TToken& token : tokens) {
            if (token.length == 0) {
                ++mainFrequencies[token.value];
                continue;
            }
            const int header = std::min(token.length - MinMatch, PrimaryLengths);
            const int slot = TSlots::SlotOf(token.value);
            ++mainFrequencies[size_t(Literals + (slot << 3) + header)];
            if (header == PrimaryLengths)
                ++lengthFrequencies[size_t(token.length - MinMatch - PrimaryLengths)];
            if (positionSlots.extra[size_t(slot)] >= AlignedBits)
                ++alignedFrequencies[size_t((token.value - positionSlots.base[size_t(slot)]) & AlignedMask)];
        }
        const std::vector<quint8> mainLengths = CodeLengths(mainFrequencies, MaxCodeLength);
        const std::vector<quint8> lengthLengths = CodeLengths(lengthFrequencies, MaxCodeLength);
        const std::vector<quint8> alignedLengths = CodeLengths(alignedFrequencies, MaxAlignedLength);
        const std::vector<quint32> mainCodes = CanonicalCodes(mainLengths);
        const std::vector<quint32> lengthCodes = CanonicalCodes(lengthLengths);
        const std::vector<quint32> alignedCodes = CanonicalCodes(alignedLengths);

        // Both block types share the other trees; they differ only in how
        // the low offset bits cost and in the aligned tree itself.
        quint64 verbatimBits = 0;
        quint64 alignedBits = quint64(AlignedElements) * AlignedLengthBits;
        for (int symbol = 0; symbol < AlignedElements; ++symbol) {
            verbatimBits += quint64(alignedFrequencies[size_t(symbol)]) * AlignedBits;
            alignedBits += quint64(alignedFrequencies[size_t(symbol)]) * alignedLengths[size_t(symbol)];
        }
        const bool aligned = alignedBits < verbatimBits;

        TLzxBitWriter bits;
        if (frameStart == 0)
            bits.Put(0, 1); // no E8 translation
        bits.Put(aligned ? AlignedBlock : VerbatimBlock, BlockTypeBits);
        bits.Put(FrameSize, BlockSizeBits);
        if (aligned)
            for (quint8 length : alignedLengths)
                bits.Put(length, AlignedLengthBits);
        WriteLengths(bits, mainLengths, previousMain, 0, Literals);
        WriteLengths(bits, mainLengths, previousMain, Literals, MainElements);
        WriteLengths(bits, lengthLengths, previousLength, 0, LengthElements);
        for (const TToken& token : tokens) {
            if (token.length == 0) {
                bits.Put(mainCodes[token.value], mainLengths[token.value]);
                continue;
            }
            const int header = std::min(token.length - MinMatch, PrimaryLengths);
            const int slot = TSlots::SlotOf(token.value);
            const size_t symbol = size_t(Literals + (slot << 3) + header);
            bits.Put(mainCodes[symbol], mainLengths[symbol]);
            if (header == PrimaryLengths) {
                const size_t footer = size_t(token.length - MinMatch - PrimaryLengths);
                bits.Put(lengthCodes[footer], lengthLengths[footer]);
            }
            const int extra = positionSlots.extra[size_t(slot)];
            const quint32 offsetBits = quint32(token.value - positionSlots.base[size_t(slot)]);
            if (aligned && extra >= AlignedBits) {
                bits.Put(offsetBits >> AlignedBits, extra - AlignedBits);
                const size_t low = offsetBits & AlignedMask;
                bits.Put(alignedCodes[low], alignedLengths[low]);
            } else {
                bits.Put(offsetBits, extra);
            }
        }
        bits.AlignToWord();
        out += bits.Bytes();
    }
    return out;
}
