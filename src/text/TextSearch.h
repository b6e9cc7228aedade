#pragma once

#include <QString>

#include <initializer_list>
#include <utility>
#include <vector>

// Plain-text search helpers shared by the page routines. "Without case" here
// always means: both sides lower-cased one UTF-16 unit at a time, so that a
// position found in a lower-cased copy is the same position in the original.

// TAB, LF, CR and space: the only whitespace the HTML routines know.
bool IsHtmlSpace(QChar c);

// Lower case, one UTF-16 unit for one (QString::toLower may change the length,
// e.g. for U+0130, and positions would no longer agree).
QString ToLowerSameLength(const QString& text);

// First position of `lowerPattern` in `lowerText` at or after `from`, or -1.
// Both must already be lower-cased with ToLowerSameLength.
qsizetype IndexOfLower(const QString& lowerText, const QString& lowerPattern, qsizetype from = 0);

// Every occurrence of `pattern`, compared without case, replaced by
// `replacement`: left to right, non-overlapping. An empty pattern changes nothing.
QString ReplaceNoCase(const QString& text, const QString& pattern, const QString& replacement);

// Every placeholder of the form "($NAME$)" among `values` (name, value pairs;
// compared without case) replaced by its value in one pass, left to right:
// a value that itself contains a placeholder (a title "The ($content$) tag",
// a page showing "($CHARSET$)") is kept as it is.
using TPlaceholderValues = std::vector<std::pair<QString, QString>>;
QString FillPlaceholders(const QString& text, const TPlaceholderValues& values);

// Every occurrence of `marker` (compared without case) written in lower case,
// so that the caller can then search for the lower-case marker exactly.
QString FoldMarker(const QString& text, const QString& marker);

// FoldMarker for several markers at once (one lower-cased copy).
QString FoldMarkers(const QString& text, std::initializer_list<QStringView> markers);

// Blanks and control characters (up to U+0020) removed from both ends.
QString TrimBlanks(QStringView text);

// Whether `text` contains `pattern`, compared without case.
bool ContainsNoCase(const QString& text, const QString& pattern);
