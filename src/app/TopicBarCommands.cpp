#include "TopicBarCommands.h"

#include "Paths.h"
#include "TQrx.h"

#include <QFileInfo>

const QString LinkToBlankPageQuestion = QStringLiteral("Are you sure to link to a blank page?");
const QString NoLinkQuestion = QStringLiteral("Are you sure to make this topic no-link?");

QString OutOfFolderQuestion(const QString& file)
{
    return QLatin1Char('"') + file
        + QStringLiteral("\" is out of project folder, so it cannot be packd into chm file. Continue?");
}

namespace {

bool unlink(TQrx& project, TopicNode& topic, int status, const QString& question, const TAskYesNo& askYes)
{
    if (topic.isRoot())
        return false;
    if (topic.entry().Status == StatusLinked && !askYes(question))
        return false;
    topic.entry().Status = status;
    topic.entry().Url.clear();
    project.ProjectChanged = true;
    return true;
}

// Inside the root folder, by the rules of the platform's file names.
bool insideRootFolder(const QString& rootDir, const QString& file)
{
#ifdef Q_OS_WIN
    const Qt::CaseSensitivity names = Qt::CaseInsensitive;
#else
    const Qt::CaseSensitivity names = Qt::CaseSensitive;
#endif
    return !rootDir.isEmpty() && file.startsWith(WithTrailingSeparator(rootDir), names);
}

} // namespace

bool LinkToBlankPage(TQrx& project, TopicNode& topic, const TAskYesNo& askYes)
{
    return unlink(project, topic, StatusUnsaved, LinkToBlankPageQuestion, askYes);
}

bool MakeNoLink(TQrx& project, TopicNode& topic, const TAskYesNo& askYes)
{
    return unlink(project, topic, StatusNoLink, NoLinkQuestion, askYes);
}

bool LinkToExistingPage(TQrx& project, TopicNode& topic, const QString& file, const TAskYesNo& askYes)
{
    project.ProjectChanged = true;
    if (file.isEmpty() || topic.isRoot())
        return false;
    const QString path = QFileInfo(file).absoluteFilePath();
    QString url;
    if (insideRootFolder(project.RootDir, path))
        url = RelativePath(project.RootDir, path);
    else if (askYes(OutOfFolderQuestion(path)))
        url = path;
    else
        return false;
    topic.entry().Status = StatusLinked;
    topic.entry().Url = url;
    return true;
}

void SetSelectedIcons(TQrx& project, int icon)
{
    for (TopicNode* node : project.Tree().selection())
        if (!node->isRoot())
            node->entry().Icon = icon;
    project.SetIcon();
    project.ProjectChanged = true;
}
