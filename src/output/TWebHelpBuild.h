#pragma once

#include <QString>
#include <functional>

class TContents;
class TQrx;

// The web help output of a build: a folder of frames, scripts and pages
// filled from the web help set beside the program (CDir + "webhelp/").
class TWebHelpBuild {
public:
    using TLineEvent = std::function<void(const QString& line)>;

    // `log` receives progress lines; `error` receives what the window shows
    // in a message box (an empty table of contents).
    TWebHelpBuild(TQrx& project, TContents& contents, TLineEvent log, TLineEvent error);

    // True when the web help was written. An output folder whose deletion
    // would take the author's files with it is refused with EQuorixError
    // before anything is deleted.
    bool Run();

    // The output folder the project names (native, with trailing
    // separator). Throws EQuorixError for a Windows path or a folder that
    // must not be emptied: "/", the home folder, one holding the project or
    // the program's data.
    QString OutputFolder() const;

    // Asked to show O + "index.htm" when the project says to view the
    // result (the application opens it in the browser); none by default.
    TLineEvent OnShowResult;

private:
    // The same once the copy list is known: nor may it hold a file the
    // build copies.
    void CheckMayEmpty(const QString& folder) const;
    QString DefaultPage() const;
    void WriteNavigation(const QString& set, const QString& folder);
    void CopySetFiles(const QString& set, const QString& folder);

    TQrx& m_project;
    TContents& m_contents;
    TLineEvent m_log;
    TLineEvent m_error;
};
