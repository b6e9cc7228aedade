#pragma once

#include <QColor>

// How well text of one colour reads on another, by the contrast ratio of
// the Web Content Accessibility Guidelines: 1 (the same) to 21 (black on white).
double ContrastRatio(const QColor& first, const QColor& second);

// The contrast normal text needs to read well.
constexpr double ReadableContrast = 4.5;

// `preferred` when it reads well on `background`, else black or white,
// whichever reads better there.
QColor ReadableTextOn(const QColor& background, const QColor& preferred);
