#pragma once

#include <QString>
#include <functional>

class TCHMOutputHost;
class TContents;
class TQrx;

// The CHM output of a build: the pages and every file they use are copied
// into a work folder (HTML Help template applied), the HTML Help project is
// written there and compiled through the host, and the work folder is
// removed unless the author keeps the project. Progress lines go to `log`.
class TChmBuild {
public:
    using TLineEvent = std::function<void(const QString& line)>;

    TChmBuild(TQrx& project, TContents& contents, TCHMOutputHost& host, TLineEvent log);

    // True when the help file was written. Failures are reported through
    // `log` (and thrown as EQuorixError where the build cannot go on).
    bool Run();

private:
    QString workFolder() const;
    void outputPages(const QString& folder);
    void configureProject(const QString& folder);

    TQrx& m_project;
    TContents& m_contents;
    TCHMOutputHost& m_host;
    TLineEvent m_log;
};
