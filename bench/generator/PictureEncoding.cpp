#include "PictureEncoding.h"

#include <array>

namespace {

quint32 Crc32(const QByteArray& data)
{
    static const std::array<quint32, 256> table = [] {
        std::array<quint32, 256> t{};
        for (quint32 n = 0; n < 256; ++n) {
            quint32 c = n;
            for (int k = 0; k < 8; ++k)
                c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
            t[n] = c;
        }
        return t;
    }();
    quint32 crc = 0xFFFFFFFFu;
    for (char ch : data)
        crc = table[(crc ^ quint8(ch)) & 0xFF] ^ (crc >> 8);
    return crc ^ 0xFFFFFFFFu;
}

void AppendBigEndian32(QByteArray& out, quint32 value)
{
    out.append(char(value >> 24));
    out.append(char(value >> 16));
    out.append(char(value >> 8));
    out.append(char(value));
}

void AppendLittleEndian16(QByteArray& out, int value)
{
    out.append(char(value & 0xFF));
    out.append(char((value >> 8) & 0xFF));
}

void AppendPngChunk(QByteArray& out, const char* type, const QByteArray& data)
{
    AppendBigEndian32(out, quint32(data.size()));
    QByteArray typed(type, 4);
    typed.append(data);
    out.append(typed);
    AppendBigEndian32(out, Crc32(typed));
}

// Packs variable-width codes least significant bit first, as GIF wants.
class CodePacker
{
public:
    void Put(int code, int width)
    {
        m_bits |= quint32(code) << m_count;
        m_count += width;
        while (m_count >= 8) {
            m_bytes.append(char(m_bits & 0xFF));
            m_bits >>= 8;
            m_count -= 8;
        }
    }
    QByteArray Finish()
    {
        if (m_count > 0)
            m_bytes.append(char(m_bits & 0xFF));
        m_bits = 0;
        m_count = 0;
        return m_bytes;
    }

private:
    QByteArray m_bytes;
    quint32 m_bits = 0;
    int m_count = 0;
};

} // namespace

QByteArray EncodePng(int width, int height, const QByteArray& rgb)
{
    QByteArray header;
    AppendBigEndian32(header, quint32(width));
    AppendBigEndian32(header, quint32(height));
    header.append(char(8)); // bit depth
    header.append(char(2)); // colour type: truecolour
    header.append(char(0)); // deflate
    header.append(char(0)); // adaptive filtering
    header.append(char(0)); // no interlace

    QByteArray raw;
    raw.reserve(height * (1 + width * 3));
    for (int y = 0; y < height; ++y) {
        raw.append(char(0)); // filter "none" for every row
        raw.append(rgb.constData() + qsizetype(y) * width * 3, width * 3);
    }
    // qCompress gives a zlib stream behind a 4-byte length of Qt's own.
    const QByteArray zlib = qCompress(raw, 9).mid(4);

    QByteArray png("\x89PNG\r\n\x1a\n", 8);
    AppendPngChunk(png, "IHDR", header);
    AppendPngChunk(png, "IDAT", zlib);
    AppendPngChunk(png, "IEND", QByteArray());
    return png;
}

QByteArray EncodeGif(int width, int height, const QVector<quint32>& palette, const QByteArray& indices)
{
    // The colour table has 2^(sizeBits + 1) entries; unused ones stay black.
    int sizeBits = 0;
    while ((2 << sizeBits) < palette.size() && sizeBits < 7)
        ++sizeBits;
    const int tableSize = 2 << sizeBits;

    QByteArray gif("GIF89a");
    AppendLittleEndian16(gif, width);
    AppendLittleEndian16(gif, height);
    gif.append(char(0x80 | (sizeBits << 4) | sizeBits)); // global table, its size
    gif.append(char(0)); // background colour index
    gif.append(char(0)); // pixel aspect ratio
    for (int i = 0; i < tableSize; ++i) {
        const quint32 colour = i < palette.size() ? palette[i] : 0;
        gif.append(char((colour >> 16) & 0xFF));
        gif.append(char((colour >> 8) & 0xFF));
        gif.append(char(colour & 0xFF));
    }

    gif.append(char(0x2C)); // image descriptor
    AppendLittleEndian16(gif, 0);
    AppendLittleEndian16(gif, 0);
    AppendLittleEndian16(gif, width);
    AppendLittleEndian16(gif, height);
    gif.append(char(0)); // no local table, not interlaced

    // Every pixel is sent as its literal code, with a clear code before the
    // string table would outgrow the first code width. Larger than real LZW,
    // but trivially correct, and the pictures are tiny.
    const int minCodeSize = qMax(2, sizeBits + 1);
    const int clearCode = 1 << minCodeSize;
    const int endCode = clearCode + 1;
    const int codeWidth = minCodeSize + 1;
    const int literalsPerClear = (1 << codeWidth) - clearCode - 3;
    CodePacker packer;
    for (int i = 0; i < indices.size(); ++i) {
        if (i % literalsPerClear == 0)
            packer.Put(clearCode, codeWidth);
        packer.Put(quint8(indices[i]), codeWidth);
    }
    packer.Put(endCode, codeWidth);
    const QByteArray data = packer.Finish();

    gif.append(char(minCodeSize));
    for (qsizetype at = 0; at < data.size(); at += 255) {
        const qsizetype n = qMin<qsizetype>(255, data.size() - at);
        gif.append(char(n));
        gif.append(data.constData() + at, n);
    }
    gif.append(char(0)); // end of image data
    gif.append(char(0x3B)); // trailer
    return gif;
}
