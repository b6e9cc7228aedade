#pragma once

#include <QString>

// Parts of a page found by plain text search; the page is never parsed, so
// malformed markup gives empty or partial results, never a failure. Routines
// that return the page return it with their markers folded to lower case.

// Content of the first title element, line breaks removed, references decoded.
QString GetTitle(const QString& html);
// Title content replaced as given, or, without a title element, an encoded
// title element inserted after every "<head>".
QString SetTitle(const QString& html, const QString& title);

// Between the end of the first "<body" tag and the first "</body"; empty when
// either is missing or they are out of order.
QString GetBody(const QString& html);
// The first body start tag from "<body" to its ">"; empty when absent.
QString GetBodyTag(const QString& html);
// `text` inserted right after the body start tag. A page without one is
// returned without the insertion.
QString InsertAfterBodyTag(const QString& html, const QString& text);
// Like GetBody for "<head" and "</head".
QString GetHead(const QString& html);
// Trimmed text of the first h1 element; "No title" when there is none.
QString GetH1Title(const QString& html);

// Lower-cased value after the first "charset=" up to TAB, LF, CR, a quote or
// ">"; a quote right after "=" opens the value (<meta charset="utf-8">).
QString GetCharset(const QString& html);
// That value replaced, or a Content-Type meta element inserted after every "<head>".
QString SetCharset(const QString& html, const QString& charset);

// The first tag "<" + name (name in lower case) up to its ">", in the page's
// own case; empty when missing.
QString FindTag(const QString& html, const QString& name);
// Value of an attribute of a tag's text (name compared without case); empty
// when not found.
QString GetAttribute(const QString& tagText, const QString& name);
// Names of the anchors without "href", joined with CR LF.
QString GetBookmarkNames(const QString& html);
// Every style element before the body, each followed by CR LF.
QString ExtractHeadStyles(const QString& html);
