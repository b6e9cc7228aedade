#pragma once

#include "TCHMProject.h"
#include "TContents.h"
#include "TQrx.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QString>
#include <utility>
#include <vector>

// Helpers shared by the output tests: small projects built in code, page
// files written beside them, and the HTML Help fields a build fills in.
namespace OutputTest {

// One topic of an outline: level 1 is a child of the branch root.
struct Topic {
    Topic(int level, QString title, QString url = {}, int status = StatusLinked, QString keywords = {},
          QString contextNumber = {}, int icon = 0)
        : Level(level)
        , Title(std::move(title))
        , Url(std::move(url))
        , Status(status)
        , Keywords(std::move(keywords))
        , ContextNumber(std::move(contextNumber))
        , Icon(icon)
    {
    }

    int Level;
    QString Title;
    QString Url;
    int Status;
    QString Keywords; // lines separated by "\n"; stored with CR LF
    QString ContextNumber;
    int Icon;
};

// Appends the outline below `root` in order; returns the nodes made.
inline std::vector<TopicNode*> AddTopics(TQrx& project, TopicNode* root, const std::vector<Topic>& topics)
{
    std::vector<TopicNode*> made;
    std::vector<TopicNode*> path{root};
    for (const Topic& topic : topics) {
        path.resize(size_t(topic.Level));
        TLeftTreeData entry;
        entry.Url = topic.Url;
        entry.Status = topic.Status;
        entry.Keywords = QString(topic.Keywords).replace(QLatin1String("\n"), QLatin1String("\r\n"));
        entry.ContextNumber = topic.ContextNumber;
        entry.Icon = topic.Icon;
        TopicNode* node = project.Tree().appendNode(path.back(), topic.Title, entry);
        path.push_back(node);
        made.push_back(node);
    }
    return made;
}

inline QByteArray ReadBytes(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

inline void WriteBytes(const QString& path, const QByteArray& bytes)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    if (file.open(QIODevice::WriteOnly))
        file.write(bytes);
}

// A small UTF-8 page at a stored path below `root`.
inline void WritePage(const QString& root, const QString& storedUrl, const QString& body)
{
    WriteBytes(root + QString(storedUrl).replace(QLatin1Char('\\'), QLatin1Char('/')),
               (QStringLiteral("<html><head><meta http-equiv=\"Content-Type\" content=\"text/html; charset=utf-8\">"
                               "<title>")
                + body + QStringLiteral("</title></head><body><p>") + body + QStringLiteral("</p></body></html>"))
                   .toUtf8());
}

// What the build hands to TCHMProject before writing: the stored window
// settings, title, language, default topic and the three lists.
inline void FillHtmlHelpProject(TCHMProject& chm, const TQrx& project, const TContents& contents,
                                const QString& workFolder, const QString& compiledFile)
{
    chm.Assign(project.CHMSetting);
    chm.Title = project.Title;
    chm.Language = project.Language;
    chm.Font.clear();
    chm.DefaultTopic = project.DefaultTopic.isEmpty() ? contents.DefaultPage : project.DefaultTopic;
    chm.TOC = contents.MakeHHCList();
    chm.IndexList = contents.MakeHHKList();
    contents.MakeContextSensitive(chm.Alias, chm.Map);
    chm.Folder = workFolder;
    chm.CHM = compiledFile;
    chm.AutoSearch = true;
}

} // namespace OutputTest
