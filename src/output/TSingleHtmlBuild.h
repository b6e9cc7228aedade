#pragma once

#include <QString>
#include <functional>

class TContents;
class TQrx;

// The single HTML output of a build: the whole table of contents as one
// HTML file, with the files it refers to beside it. The output folder is
// emptied first, so a folder that holds the project, the home folder or the
// file system root is refused (EQuorixError) before anything is deleted.
class TSingleHtmlBuild {
public:
    using TLineEvent = std::function<void(const QString& line)>;

    // `log` receives progress lines; `error` receives what the window shows
    // in a message box (an empty table of contents, a missing template).
    TSingleHtmlBuild(TQrx& project, TContents& contents, TLineEvent log, TLineEvent error);

    // Opens the written file when the project asks for it (ViewCompiledFile);
    // unset, nothing is opened.
    TLineEvent OnShowResult;

    // True when the file was written.
    bool Run();

    // The output folder (native, trailing separator) and the file written,
    // known once Run has checked them.
    QString OutputFolder;
    QString OutputFile;

private:
    void checkTargets();
    void checkFolderHoldsNoProjectFile() const;
    bool readTemplate(QString& text) const;
    QString fillTemplate(const QString& text);

    TQrx& m_project;
    TContents& m_contents;
    TLineEvent m_log;
    TLineEvent m_error;
};
