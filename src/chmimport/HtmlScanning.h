#pragma once

#include <QString>

// What the tolerant page scanners share: the fixed sets of tag names
// (looked up without regard to case), whitespace handling and reading tags.

// A start or end tag of one of these ends a run of text.
bool IsBlockBoundaryTag(const QString& name);
// The block boundaries without P and BR.
bool IsBlockElementTag(const QString& name);
// Elements whose text is not document text.
bool IsNonDocumentTag(const QString& name);
// Start tags that never open an element.
bool IsEmptyTag(const QString& name);
// Attributes whose values are links.
bool IsUrlAttribute(const QString& name);
// File extensions (with the dot) that denote pages.
bool IsPageExtension(const QString& extension);

// Whitespace of the scanners: TAB, LF, CR and space only.
bool IsScanWhitespace(QChar c);
// Every run of whitespace one space, none at the ends.
QString CollapseWhitespace(const QString& text);
// Whitespace removed from both ends.
QString TrimWhitespace(const QString& text);

// A tag as the scanners read it at a "<".
struct TTagRead {
    QString Name;    // without the "/" of an end tag or of the self-closing form
    QString Text;    // from "<" to ">" inclusive (to the end when unclosed)
    bool End = false;
    bool Valid = false; // false for "< ", "<>" and "</>": no element, text dropped
    qsizetype Next = 0; // position after the tag
};
// Reads the tag whose "<" is at `at`.
TTagRead ReadTag(const QString& html, qsizetype at);

struct TBodyParts {
    QString Before; // up to and including the body start tag
    QString Body;
    QString After;  // from the last body end tag
};
TBodyParts SplitAtBody(const QString& html);
