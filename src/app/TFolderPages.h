#pragma once

#include <QString>
#include <functional>
#include <vector>

class TQrx;
class TopicNode;

// How a page found in a folder gets its topic title, numbered as the
// new-project dialog lists the modes.
enum class TPageTitleMode {
    TitleElement = 0,     // the page's <title>; empty without one
    FirstHeading,         // the page's first <h1>; "No title" without one
    NameWithoutExtension, // the file name without its extension
    FileName,             // the whole file name
};
constexpr int PageTitleModeCount = 4;

// The pages of a folder as topics: every ".htm" and ".html" file at any
// depth, hidden ones included, each folder's entries sorted by name without
// regard to case (files and folders mixed, as Windows lists them). A
// symbolic link is followed only to a place inside the folder and never
// back into a folder it lies in, so a listing always ends.
//
// The folder is listed, and the pages read for their titles, when the
// object is made; the topics are added later in one change of the tree, so
// a project is replaced only once its new pages are known.
class TFolderPages {
public:
    // `onPage` hears the full path of each page as it is found.
    TFolderPages(const QString& folder, bool keepStructure, TPageTitleMode mode,
                 const std::function<void(const QString& file)>& onPage = {});

    int PageCount() const { return m_pageCount; }

    // Appends the topics under `parent` (Url relative to the listed folder,
    // "\" separators); with keepStructure each sub-folder that holds pages is
    // a heading above them, else every page is a direct child of `parent`.
    void AddTo(TQrx& project, TopicNode* parent) const;

private:
    struct TEntry {
        QString Title;
        QString Url; // empty for a heading
        std::vector<TEntry> Children;
    };

    void list(const QString& folder, const QString& storedFolder, std::vector<TEntry>& into,
              std::vector<QString>& openFolders);
    bool followsLink(const QString& target) const;
    QString titleOf(const QString& file, const QString& name) const;
    static void append(TQrx& project, TopicNode* parent, const std::vector<TEntry>& entries);

    bool m_keepStructure;
    TPageTitleMode m_mode;
    std::function<void(const QString&)> m_onPage;
    QString m_canonicalRoot;
    std::vector<TEntry> m_entries;
    int m_pageCount = 0;
};
