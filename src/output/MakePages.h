#pragma once

#include "TMakePagesPara.h"
#include "TPrevNext.h"

#include <QString>
#include <QStringList>

class TSortedFileList;

// Page templates: an ordinary page of the project that frames every topic
// page of an output. Its tags, matched without case, are replaced by the
// topic's values.
extern const QString TemplateTagTitle;      // "($title$)": the topic title, entity-encoded
extern const QString TemplateTagPrev;       // "($prev$)": a text link to the previous page
extern const QString TemplateTagPrevImg;    // "($previmg$)": the previous button (set by PrepareTemplate)
extern const QString TemplateTagNext;       // "($next$)"
extern const QString TemplateTagNextImg;    // "($nextimg$)"
extern const QString TemplateTagNavigation; // "($navigation$)": the breadcrumb
extern const QString TemplateTagContent;    // "($content$)": the topic's body content

// The template file's text with its button images (sources "btn_prev_n" /
// "btn_next_n" + ".gif", ".png" or ".jpg", next to the template) turned into
// "($previmg$)" and "($nextimg$)". `PN` receives what was found; the greyed
// images that exist are added to `copyList`. An unreadable file gives an
// empty template.
QString PrepareTemplate(const QString& templateFile, TPrevNext& PN, TSortedFileList& copyList);

// The topic page framed by the template `T`: the page keeps its own head
// (title set to P.Title) and gets the template's doctype when it has none,
// the template's head extras and its body with every tag filled in. A page
// without a body comes back unchanged but for its title and image tags.
QString MakePage(const QString& T, const TMakePagesPara& P);

// The template pieces (literal, reference, literal, ..., as THTMLRefer's
// GetTemplate cuts them) joined with every reference re-addressed from the
// template's folder to the page's folder ("/" separators), naming the file
// as it is on disk. Both folders end with a separator.
QString RebaseTemplate(const QStringList& pieces, const QString& templateFolder, const QString& pageFolder);
