#pragma once

#include <QString>
#include <memory>

class IHTMLElement;

// A stretch of the page's text between two positions, moved by units.
// Units: "character" (one character of the page's text; a paragraph or
// line break counts as one) and "word" (a word with the blanks after it; a
// punctuation mark is a word of its own).
class IHTMLTxtRange {
public:
    virtual ~IHTMLTxtRange() = default;

    virtual QString text() = 0;
    // Replaces the content by plain text; the range then spans that text.
    virtual void setText(const QString& text) = 0;
    virtual QString htmlText() = 0;
    // Replaces the content by an HTML fragment; the range collapses after it.
    virtual void pasteHTML(const QString& html) = 0;

    virtual void collapse(bool toStart = true) = 0;
    // Move one end by `count` units (negative: backwards); the answer is how
    // many units it moved. An end that passes the other takes it along.
    virtual int moveStart(const QString& unit, int count = 1) = 0;
    virtual int moveEnd(const QString& unit, int count = 1) = 0;

    // The innermost element that holds the whole range.
    virtual std::shared_ptr<IHTMLElement> parentElement() = 0;
    virtual std::shared_ptr<IHTMLTxtRange> duplicate() = 0;
    // Whether `range` lies inside this range (the ends may meet).
    virtual bool inRange(IHTMLTxtRange& range) = 0;

    // An opaque text that puts a range back at the same place of the same
    // page text, also after the page was reloaded.
    virtual QString getBookmark() = 0;
    virtual bool moveToBookmark(const QString& bookmark) = 0;

    // Makes the range the document's selection.
    virtual void select() = 0;
};
