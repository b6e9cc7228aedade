#pragma once

#include <QByteArray>
#include <QImage>

// Qt reads GIF but cannot write it: a small GIF89a writer with one 256-entry
// palette and LZW compression. Pixels whose alpha is below `alphaCutoff` become
// the transparent colour; the others are blended over `matte`, since GIF has
// no partial transparency.
QByteArray EncodeGif(const QImage& image, QRgb matte = 0xffffffff, int alphaCutoff = 96);
