#pragma once

#include <QString>

// One open (or just closed) element of a page scanner's element stack.
struct THtmlTag {
    QString Name;      // as written; "Root" for the bottom entry
    QString Start;     // the start tag text
    QString Inner;     // what the scanner keeps from inside
    QString Tail;      // the end tag text once closed
    QString InnerText; // character data inside
    bool HasHeading = false;
    bool NonDoc = false;
    int Blocks = 0;
    int CharCount = 0;
    bool Block = false;
    bool NotCut = true;
    bool InTop = true;
    bool Hide = false;
};
