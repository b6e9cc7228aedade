#pragma once

#include <QString>

// A search record of web help: a page's plain text, title and link.
struct TTextForWeb {
    QString Text;
    QString Title;
    QString url;
};
