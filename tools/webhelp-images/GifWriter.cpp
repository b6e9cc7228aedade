#include "GifWriter.h"

#include <QHash>
#include <QList>
#include <array>
#include <vector>

namespace {

QRgb Blend(QRgb pixel, QRgb matte)
{
    // Premultiplied input: the colour channels already carry the alpha.
    const int rest = 255 - qAlpha(pixel);
    auto mix = [rest](int c, int m) { return qMin(255, c + (m * rest + 127) / 255); };
    return qRgb(mix(qRed(pixel), qRed(matte)), mix(qGreen(pixel), qGreen(matte)), mix(qBlue(pixel), qBlue(matte)));
}

class TBitWriter {
public:
    void Write(int code, int size)
    {
        m_buffer |= uint32_t(code) << m_bits;
        m_bits += size;
        while (m_bits >= 8) {
            m_bytes.append(char(m_buffer & 0xff));
            m_buffer >>= 8;
            m_bits -= 8;
        }
    }
    QByteArray Finish()
    {
        if (m_bits > 0)
            m_bytes.append(char(m_buffer & 0xff));
        return m_bytes;
    }

private:
    QByteArray m_bytes;
    uint32_t m_buffer = 0;
    int m_bits = 0;
};

QByteArray Lzw(const std::vector<uint8_t>& pixels, int minCodeSize)
{
    const int clearCode = 1 << minCodeSize;
    TBitWriter out;
    QHash<uint32_t, int> table;
    int codeSize = minCodeSize + 1;
    int maxCode = clearCode + 1;
    out.Write(clearCode, codeSize);
    int current = pixels.front();
    for (size_t i = 1; i < pixels.size(); ++i) {
        const uint32_t key = (uint32_t(current) << 8) | pixels[i];
        const auto found = table.constFind(key);
        if (found != table.constEnd()) {
            current = *found;
            continue;
        }
        out.Write(current, codeSize);
        table.insert(key, ++maxCode);
        if (maxCode >= (1 << codeSize))
            ++codeSize;
        if (maxCode == 4095) {
            out.Write(clearCode, codeSize);
            table.clear();
            codeSize = minCodeSize + 1;
            maxCode = clearCode + 1;
        }
        current = pixels[i];
    }
    out.Write(current, codeSize);
    out.Write(clearCode + 1, codeSize);
    return out.Finish();
}

void Put16(QByteArray& data, int value)
{
    data.append(char(value & 0xff));
    data.append(char((value >> 8) & 0xff));
}

} // namespace

QByteArray EncodeGif(const QImage& source, QRgb matte, int alphaCutoff)
{
    const QImage image = source.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    const int width = image.width();
    const int height = image.height();

    // Opaque colours, reduced in precision until they fit the palette.
    bool transparent = false;
    std::vector<QRgb> colours(size_t(width) * height);
    for (int y = 0; y < height; ++y) {
        const QRgb* line = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        for (int x = 0; x < width; ++x) {
            const QRgb pixel = line[x];
            if (qAlpha(pixel) < alphaCutoff) {
                transparent = true;
                colours[size_t(y) * width + x] = 0;
            } else {
                colours[size_t(y) * width + x] = Blend(pixel, matte) | 0xff000000;
            }
        }
    }
    const int firstIndex = transparent ? 1 : 0;
    QHash<QRgb, int> palette;
    QList<QRgb> entries;
    for (int step = 1; step <= 64; step *= 2) {
        palette.clear();
        entries.clear();
        auto round = [step](int c) { return qMin(255, (c + step / 2) / step * step); };
        for (QRgb& colour : colours) {
            if (colour == 0)
                continue;
            const QRgb reduced = qRgb(round(qRed(colour)), round(qGreen(colour)), round(qBlue(colour)));
            if (!palette.contains(reduced)) {
                palette.insert(reduced, firstIndex + int(entries.size()));
                entries.append(reduced);
            }
        }
        if (entries.size() + firstIndex <= 256) {
            for (QRgb& colour : colours)
                if (colour != 0)
                    colour = qRgb(round(qRed(colour)), round(qGreen(colour)), round(qBlue(colour)));
            break;
        }
    }

    std::vector<uint8_t> indexes(colours.size());
    for (size_t i = 0; i < colours.size(); ++i)
        indexes[i] = colours[i] == 0 ? 0 : uint8_t(palette.value(colours[i]));

    QByteArray gif("GIF89a");
    Put16(gif, width);
    Put16(gif, height);
    gif.append(char(0xf7)); // global table of 256 entries, 8-bit colour
    gif.append(char(0));
    gif.append(char(0));
    std::array<QRgb, 256> table{};
    table.fill(qRgb(255, 255, 255));
    for (int i = 0; i < entries.size(); ++i)
        table[size_t(firstIndex + i)] = entries[i];
    for (QRgb colour : table) {
        gif.append(char(qRed(colour)));
        gif.append(char(qGreen(colour)));
        gif.append(char(qBlue(colour)));
    }
    if (transparent) {
        gif.append("\x21\xf9\x04\x01\x00\x00\x00\x00", 8);
    }
    gif.append(char(0x2c));
    Put16(gif, 0);
    Put16(gif, 0);
    Put16(gif, width);
    Put16(gif, height);
    gif.append(char(0));
    const int minCodeSize = 8;
    gif.append(char(minCodeSize));
    const QByteArray compressed = Lzw(indexes, minCodeSize);
    for (qsizetype at = 0; at < compressed.size(); at += 255) {
        const qsizetype length = qMin<qsizetype>(255, compressed.size() - at);
        gif.append(char(length));
        gif.append(compressed.mid(at, length));
    }
    gif.append(char(0));
    gif.append(char(0x3b));
    return gif;
}
