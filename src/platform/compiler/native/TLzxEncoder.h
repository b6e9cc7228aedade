#pragma once

#include <QByteArray>
#include <QList>

// LZX compression of one reset interval (the decoder starts afresh at its
// start): one block per 32 KiB frame, verbatim or aligned-offset, whichever
// is smaller, each frame ending on a word so that readers can start at any
// frame the reset table names. Matches reach back only inside the interval
// and never past a frame's end; the repeated offsets carry over between the
// interval's frames as they do in the decoder. Output depends only on `data`.
class TLzxEncoder {
public:
    static constexpr int FrameSize = 0x8000;
    static constexpr int WindowBits = 16;

    // `data` holds whole frames. The compressed bytes; `frameOffsets` gets
    // where each frame starts in them.
    static QByteArray CompressInterval(const QByteArray& data, QList<quint64>* frameOffsets);
};
