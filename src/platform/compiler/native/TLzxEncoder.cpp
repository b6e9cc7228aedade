#include "TLzxEncoder.h"

#include "TLzxBitWriter.h"

#include <algorithm>
#include <array>
#include <queue>
#include <vector>

namespace {

constexpr int PositionSlots = 32; // for a 64 KiB window
constexpr int Literals = 256;
constexpr int MainElements = Literals + 8 * PositionSlots;
constexpr int LengthElements = 249;
constexpr int PretreeElements = 20;
constexpr int PrimaryLengths = 7;
constexpr int MinMatch = 2;
constexpr int MaxMatch = 257;
constexpr int WantedMatch = 3;
constexpr int MaxCodeLength = 16;
constexpr int MaxPretreeLength = 15;
constexpr int PretreeLengthBits = 4;
constexpr int VerbatimBlock = 1;
constexpr int BlockTypeBits = 3;
constexpr int BlockSizeBits = 24;
constexpr int DeltaModulus = 17;
// Offsets 0 to 2 name the repeated offsets; a real distance is stored + 2.
constexpr int RepeatedOffsets = 3;
constexpr int MaxDistance = (1 << TLzxEncoder::WindowBits) - RepeatedOffsets;
constexpr int HashBits = 15;
constexpr int ChainDepth = 24;
constexpr int GoodEnough = 64;

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
    int SlotOf(int formatted) const
    {
        return int(std::upper_bound(base.begin(), base.end(), formatted) - base.begin()) - 1;
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
    quint16 literalOrDistance;
};

// Writes `lengths[from, to)` as deltas from `previous` through a pretree.
void WriteLengths(TLzxBitWriter& bits, const std::vector<quint8>& lengths, std::vector<quint8>& previous, int from,
                  int to)
{
    std::vector<quint32> frequencies(PretreeElements, 0);
    std::vector<int> deltas;
    for (int n = from; n < to; ++n) {
        const int delta = (previous[size_t(n)] - lengths[size_t(n)] + DeltaModulus) % DeltaModulus;
        deltas.push_back(delta);
        ++frequencies[size_t(delta)];
    }
    const std::vector<quint8> pretree = CodeLengths(frequencies, MaxPretreeLength);
    const std::vector<quint32> codes = CanonicalCodes(pretree);
    for (quint8 length : pretree)
        bits.Put(length, PretreeLengthBits);
    for (int delta : deltas)
        bits.Put(codes[size_t(delta)], pretree[size_t(delta)]);
    for (int n = from; n < to; ++n)
        previous[size_t(n)] = lengths[size_t(n)];
}

// Greedy parse of one frame with hash chains over the interval so far.
std::vector<TToken> Tokens(const uchar* data, int frameStart, int frameEnd, std::vector<int>& head,
                           std::vector<int>& chain)
{
    std::vector<TToken> tokens;
    tokens.reserve(size_t(frameEnd - frameStart));
    const auto hashAt = [&](int at) {
        return int(((data[at] << 10) ^ (data[at + 1] << 5) ^ data[at + 2]) & ((1 << HashBits) - 1));
    };
    const auto insert = [&](int at) {
        if (at + 2 < frameEnd) {
            const int hash = hashAt(at);
            chain[size_t(at)] = head[size_t(hash)];
            head[size_t(hash)] = at;
        }
    };
    int at = frameStart;
    while (at < frameEnd) {
        int bestLength = 0;
        int bestDistance = 0;
        if (at + WantedMatch <= frameEnd) {
            const int limit = std::min(MaxMatch, frameEnd - at);
            int candidate = head[size_t(hashAt(at))];
            for (int depth = 0; candidate >= 0 && depth < ChainDepth; ++depth) {
                const int distance = at - candidate;
                if (distance > MaxDistance)
                    break;
                if (data[candidate + bestLength] == data[at + bestLength]) {
                    int length = 0;
                    while (length < limit && data[candidate + length] == data[at + length])
                        ++length;
                    if (length > bestLength) {
                        bestLength = length;
                        bestDistance = distance;
                        if (length >= GoodEnough || length == limit)
                            break;
                    }
                }
                candidate = chain[size_t(candidate)];
            }
        }
        if (bestLength >= WantedMatch) {
            tokens.push_back({quint16(bestLength), quint16(bestDistance)});
            for (int n = 0; n < bestLength; ++n)
                insert(at + n);
            at += bestLength;
        } else {
            tokens.push_back({0, data[at]});
            insert(at);
            ++at;
        }
    }
    return tokens;
}

} // namespace

QByteArray TLzxEncoder::CompressInterval(const QByteArray& data, QList<quint64>* frameOffsets)
{
    const TSlots& positionSlots = Slots();
    const auto* bytes = reinterpret_cast<const uchar*>(data.constData());
    std::vector<int> head(size_t(1) << HashBits, -1);
    std::vector<int> chain(size_t(data.size()), -1);
    std::vector<quint8> previousMain(MainElements, 0);
    std::vector<quint8> previousLength(LengthElements, 0);
    QByteArray out;
    for (int frameStart = 0; frameStart < data.size(); frameStart += FrameSize) {
        frameOffsets->append(quint64(out.size()));
        const std::vector<TToken> tokens = Tokens(bytes, frameStart, frameStart + FrameSize, head, chain);

        std::vector<quint32> mainFrequencies(MainElements, 0);
        std::vector<quint32> lengthFrequencies(LengthElements, 0);
        for (const TToken& token : tokens) {
            if (token.length == 0) {
                ++mainFrequencies[token.literalOrDistance];
                continue;
            }
            const int header = std::min(token.length - MinMatch, PrimaryLengths);
            const int slot = positionSlots.SlotOf(token.literalOrDistance + 2);
            ++mainFrequencies[size_t(Literals + (slot << 3) + header)];
            if (header == PrimaryLengths)
                ++lengthFrequencies[size_t(token.length - MinMatch - PrimaryLengths)];
        }
        const std::vector<quint8> mainLengths = CodeLengths(mainFrequencies, MaxCodeLength);
        const std::vector<quint8> lengthLengths = CodeLengths(lengthFrequencies, MaxCodeLength);
        const std::vector<quint32> mainCodes = CanonicalCodes(mainLengths);
        const std::vector<quint32> lengthCodes = CanonicalCodes(lengthLengths);

        TLzxBitWriter bits;
        if (frameStart == 0)
            bits.Put(0, 1); // no E8 translation
        bits.Put(VerbatimBlock, BlockTypeBits);
        bits.Put(FrameSize, BlockSizeBits);
        WriteLengths(bits, mainLengths, previousMain, 0, Literals);
        WriteLengths(bits, mainLengths, previousMain, Literals, MainElements);
        WriteLengths(bits, lengthLengths, previousLength, 0, LengthElements);
        for (const TToken& token : tokens) {
            if (token.length == 0) {
                bits.Put(mainCodes[token.literalOrDistance], mainLengths[token.literalOrDistance]);
                continue;
            }
            const int header = std::min(token.length - MinMatch, PrimaryLengths);
            const int formatted = token.literalOrDistance + 2;
            const int slot = positionSlots.SlotOf(formatted);
            const size_t symbol = size_t(Literals + (slot << 3) + header);
            bits.Put(mainCodes[symbol], mainLengths[symbol]);
            if (header == PrimaryLengths) {
                const size_t footer = size_t(token.length - MinMatch - PrimaryLengths);
                bits.Put(lengthCodes[footer], lengthLengths[footer]);
            }
            bits.Put(quint32(formatted - positionSlots.base[size_t(slot)]), positionSlots.extra[size_t(slot)]);
        }
        bits.AlignToWord();
        out += bits.Bytes();
    }
    return out;
}
