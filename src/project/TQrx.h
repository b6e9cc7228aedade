#pragma once

#include "TCHMProject.h"
#include "TDocPDFSettings.h"
#include "TopicTree.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <functional>

class TIniFile;
class TIniWriter;
#include <memory>

// The help project: every setting of every output and the topic tree. One
// object lives as long as the main window; opening, creating and closing a
// project reset it rather than making another.
class TQrx {
public:
    TQrx();
    ~TQrx();
    TQrx(const TQrx&) = delete;
    TQrx& operator=(const TQrx&) = delete;

    // Resets every setting to its default (some derived from the system
    // language) and empties the three roots. DocSetting keeps its values.
    void Initialize();
    void Clear() { Initialize(); }
    // Deletes every topic; the three roots stay.
    void ClearTreeView();

    // The project file. Failures throw EQuorixError with a message for the
    // author; the model is then unchanged (reading) or still marked as
    // unsaved (writing).
    // Replaces settings and topics by those of the file; what the author
    // should hear about the file (a wrong topic count, say) lands in
    // LoadWarnings.
    void ReadFromIni(const QString& fileName);
    // Writes the whole project; the old file stays until the new one is complete.
    void SaveToIni(const QString& fileName);
    bool Save();
    // Appends the table of contents of another project file.
    void ImportTocFromAnotherIni(const QString& fileName);

    // Section readers and writers.
    static void CHMProjectSaveToIni(const TCHMProject& project, TIniWriter& ini, const QString& section);
    static void CHMProjectReadFromIni(TCHMProject& project, const TIniFile& ini, const QString& section);
    static void DocSettingSaveToIni(const TDocPDFSettings& settings, TIniWriter& ini, const QString& section);
    static void DocSettingReadFromIni(TDocPDFSettings& settings, const TIniFile& ini, const QString& section);
    void WriteTreeToIni(const QString& section, const QString& name, TIniWriter& ini) const;
    void ReadTreeFromIni(const QString& section, const QString& name, const TIniFile& ini);

    // Context numbers.
    // The smallest number from 1000 upwards that no topic holds as its text.
    int NewSensitiveNumber() const;
    // The `count` smallest such numbers, for topics added together.
    QList<int> NewSensitiveNumbers(int count) const;
    // Numbers the topics of the table of contents and the pages out of TOC
    // 1000, 1001, ... in tree order; templates keep theirs.
    void AutoSensitiveNumber();

    // Topic icons: recompute Kind and the images of every topic.
    void SetIcon();
    void SetTocRealIcon(TopicNode* parentNode, int kind);
    void SetRealIcon(TopicNode* node, int kind);

    // State of the project
    int Ver = 0;
    // What reading the project file found wrong but could mend, one
    // sentence each; emptied by Clear.
    QStringList LoadWarnings;
    bool ProjectChanged = false;
    QString ProjectFilename;
    bool IsNew = true;
    QString Dictionary;

    // General settings
    QString Title;
    QString RootDir; // native absolute path ending with the separator, or empty
    QString DefaultTopic;
    QString CompiledFile;
    bool DefaultTemplate = true;
    QString Encoding;
    QString CustomTemplate;
    QString Language; // "0x" + four upper-case hex digits
    bool DeleteProject = false;
    bool ViewCompiledFile = true;
    int HasChild = 0;
    int NoChild = 10;
    QString HHPFolder;

    // HTML Help output
    QString HtmlHelpTemplate;
    QString HtmlHelpTitle;
    bool HtmlHelpTitleSame = true;
    QString HtmlHelpOutputEncoding;
    TCHMProject CHMSetting;

    // Web help output
    QString WebHelpDefault;
    QString WebHelpOutputFolder;
    QString WebHelpTemplate;
    QString WebHelpTitle;
    bool WebHelpDefaultSame = true;
    bool WebHelpTemplateSame = true;
    bool WebHelpTilteSame = true;
    int WebHelpLanguage = 1;
    bool StartFromRoot = true;
    bool AutoCollapse = false;
    bool DrawLines = true;
    int HeadProperties = 1;
    int PageProperties = 1;
    bool RealColorIcon = false;
    bool ShowIndex = true;
    int NavWidth = 270;
    QString WebFontColor;
    QString WebBackColor;
    int WebBackground = 1;

    // Single HTML output
    QString SingleHtmlFilename;
    QString SingleHtmlOutputFolder;
    QString SingleHtmlTitle;
    bool SingleHtmlHasToc = false;
    bool SingleHtmlSame = true;

    // Word and PDF output
    QString WordFileTitle;
    bool WordFileTitleSame = true;
    QString WordFile;
    QString PDFfile;
    TDocPDFSettings DocSetting;

    // Tree binding: the project owns its topic tree; windows show it.
    TopicTree& Tree() { return *m_tree; }
    const TopicTree& Tree() const { return *m_tree; }
    TopicNode* tnTableOfContents = nullptr;
    TopicNode* tnUnvisiblePages = nullptr;
    TopicNode* tnTemplates = nullptr;

    // Called after a project file has been read or a table of contents imported.
    std::function<void(TQrx*)> FOnLoad;

private:
    std::unique_ptr<TopicTree> m_tree;
};
