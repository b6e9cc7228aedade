#pragma once

#include <QString>

// Text pieces of web help that do not depend on the project: the marks and
// scripts put into its pages, the plain text its search reads, the escaping
// of its scripts and the names of its tree images.

// The page with the comment that lets a browser run its scripts from a local
// folder: after its document type declaration, or behind a declaration put
// in front when it has none.
QString AddSavedFromMark(const QString& page);

// A path ("\" or "/" separators) as a link: each name percent-encoded as
// UTF-8, so that spaces, "&", "#", "%" and letters beyond ASCII reach the
// browser as the file's own name.
QString WebHelpAddress(const QString& path);
// The same followed by "#" + `anchor` when there is one.
QString WebHelpAddress(const QString& path, const QString& anchor);

// A breadcrumb as the contents write it ("<A href=\"" + path + "\">" ...)
// with each link encoded (WebHelpAddress).
QString WebHelpBreadcrumb(const QString& navigation);

// The script a topic page carries: it selects entry `index` in the tree of
// the viewer around it, or loads the viewer with the page when opened alone.
// `url` is the page's path below the topics folder ("\" or "/"), not yet
// encoded.
QString WebHelpSyncScript(const QString& url, int index);

// The text a search looks in: what lies outside tags, without script, title
// and style content, with line breaks for paragraphs, breaks and lists.
// References stay as written.
QString WebHelpPlainText(const QString& html);

// `text` escaped for a double- or single-quoted string of a script file.
QString WebHelpJsString(const QString& text);

// Entity-encoded and escaped for a single-quoted script string inside an
// attribute value.
QString WebHelpAttributeJs(const QString& text);

// The code "languages.js" sets for WebHelpLanguage (1 "en" ... 11 "cn");
// empty for 0, which leaves the choice to the browser.
QString WebHelpLanguageCode(int language);

// The closed and open icon of a tree entry, as file names in "icons".
struct TWebIconPair {
    QString Closed;
    QString Open;
};
TWebIconPair WebHelpIconPair(int icon, bool hasChildren, bool realColorIcon);

// Tree images by position code (0 first entry with a later sibling, 1 other
// entry with one, 2 other entry without, 3 first entry without).
QString WebHelpConnector(int position, bool drawLines);
QString WebHelpClosedExpander(int position, bool drawLines);
QString WebHelpColumn(bool laterSibling, bool drawLines);
