#include "ProjectFileWriter.h"

#include "QuorixError.h"
#include "TQrx.h"

#include <QFileInfo>
#include <vector>

bool WriteGeneratedProjectFile(const GeneratedProject& generated, const QString& fileName, QString* errorMessage)
{
    TQrx project;
    project.Title = generated.title;
    project.RootDir = generated.rootDir;
    project.ProjectFilename = QFileInfo(fileName).absoluteFilePath();
    TopicTree& tree = project.Tree();
    std::vector<TopicNode*> path; // the last topic at each level
    for (const GeneratedTopic& topic : generated.topics) {
        TLeftTreeData entry;
        entry.Url = topic.url;
        entry.Keywords = topic.keywords.join(QStringLiteral("\r\n"));
        entry.ContextNumber = topic.contextNumber;
        const size_t level = std::min(size_t(std::max(topic.level, 0)), path.size());
        TopicNode* parent = level == 0 ? project.tnTableOfContents : path[level - 1];
        path.resize(level);
        path.push_back(tree.appendNode(parent, topic.title, entry));
    }
    project.SetIcon();
    try {
        project.SaveToIni(project.ProjectFilename);
    } catch (const EQuorixError& error) {
        if (errorMessage)
            *errorMessage = error.message();
        return false;
    }
    return true;
}
