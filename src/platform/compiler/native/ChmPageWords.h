#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

// The text of a page as a reader sees it: the title, and the body with tags,
// comments, scripts, styles and the rest of the head taken out, references
// decoded. Tags that break a line or box in text stand for a space; inline
// ones (<b>, <span>, <a> ...) join what they surround. The page is read in
// its own encoding (byte-order mark, declared charset, or UTF-8); a page with
// none of these in `helpCodePage`.
struct TChmPageText {
    QString Title; // blanks collapsed
    QString Body;
};
TChmPageText ChmPageText(const QByteArray& page, int helpCodePage);

// The words of `text` as the full-text search finds them, in order and lower
// case: the word boundaries of the Unicode rules (ICU's, with its
// dictionaries for scripts written without spaces, such as Thai), and every
// Chinese or Japanese character a word of its own, so that any run of them
// is found as the phrase of its characters. Numbers are words; spaces and
// punctuation are not.
QStringList ChmTextWords(const QString& text);

// One distinct word of a page in the help's code page, with the positions
// of its occurrences in the page's word sequence (the title's words first,
// then the body's), ascending.
struct TChmPageWord {
    QByteArray Text;
    QList<quint32> Positions;
};

// What the help file keeps of one page: its title in the help's code page
// and, when asked for, its words. Words the code page cannot hold cannot
// be typed into a search of this help: they are left out and counted.
struct TChmPageWords {
    QByteArray Title;             // empty when the page has none
    quint32 TitleWordCount = 0;   // positions below this are in the title
    QList<TChmPageWord> Words;    // in the order of their first occurrence
    int Unstorable = 0;           // occurrences left out
    QString FirstUnstorable;
};
TChmPageWords ChmPageWords(const QByteArray& page, int codePage, bool withWords);

// The longest word kept, in UTF-16 units and in bytes of the code page:
// longer words are cut to their start (a search for their start finds them).
constexpr qsizetype MaxWordLength = 100;
constexpr qsizetype MaxWordBytes = 254;
