#pragma once

#include "TPrevNext.h"

#include <QString>

// What one topic page brings to its merge with a page template.
struct TMakePagesPara {
    QString Title;      // the topic title
    QString Page;       // the whole topic page
    QString Previous;   // relative links to the previous and next page; empty at the ends
    QString Next;
    QString Nav;        // the breadcrumb HTML
    QString BeforeBody; // put right after the template's body start tag
    QString AfterBody;  // appended to the topic's content
    QString tempPath;   // the template's folder relative to the page's ("\" separators, ending
                        // with one; empty for the same folder)
    const TPrevNext* PN = nullptr; // the template's buttons; not owned

    // tempPath as a link prefix ("/" separators).
    QString GetTempWebPath() const { return QString(tempPath).replace(u'\\', u'/'); }
};
