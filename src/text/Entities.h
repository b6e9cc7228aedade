#pragma once

#include <QString>
#include <QStringList>

// Character entity references.

// The named references the decoder knows, as "name:code" ("amp:38"), names
// compared with case. Built once on first use; call it at start-up.
const QStringList& EntityTable();

// Code of a named reference (case matters), or -1.
int EntityCode(const QString& name);

// "&", double quote, "<", ">" and "©" written as references.
QString EncodeEntities(const QString& text);

// Named and decimal references decoded in one left-to-right pass. A named
// reference needs no ";" and matches its shortest known name ("&copy2020"
// gives "©2020"), unless a longer known name runs up to a ";" ("&notin;" is
// "∉", not "¬in;"). Hexadecimal references pass through as text.
QString DecodeEntities(const QString& text);

// Whether the text reads like characters written as references: no character
// above 127 outside a reference, and at least two reference terminators.
bool LooksEntityEncoded(const QString& text);
