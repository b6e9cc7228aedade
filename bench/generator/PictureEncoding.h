#pragma once

#include <QByteArray>
#include <QVector>
#include <QtGlobal>

// Minimal encoders for the pictures of synthetic projects. They produce files
// every image viewer opens, without pulling Qt Gui into a Core-only library.

// 8-bit RGB picture, rows top to bottom, 3 bytes per pixel (rgb.size() == width * height * 3).
QByteArray EncodePng(int width, int height, const QByteArray& rgb);

// Palette picture: palette holds 0xRRGGBB values (at most 256), indices one byte
// per pixel (indices.size() == width * height), each below palette.size().
QByteArray EncodeGif(int width, int height, const QVector<quint32>& palette, const QByteArray& indices);
