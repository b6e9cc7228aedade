// The sample project beside the programs: the help project the start dialog
// offers on first run and the first thing a new author builds. It must read
// as a complete project whose pages, pictures, links and template are all
// there, or every output of it shows the gaps.

#include "PageFiles.h"
#include "PageParts.h"
#include "Paths.h"
#include "ProgramFolder.h"
#include "QtPrinting.h"
#include "TQrx.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSet>
#include <QStringDecoder>
#include <algorithm>
#include <gtest/gtest.h>

namespace {

QString samplePath()
{
    return QDir(ProgramDataFolder()).filePath(QStringLiteral("sample/sample.qrx"));
}

QByteArray readBytes(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QList<const TopicNode*> topicsBelow(const TopicNode* root)
{
    QList<const TopicNode*> topics;
    for (const TopicNode* node = root->firstChild(); node != nullptr; node = node->next(root))
        topics.append(node);
    return topics;
}

// Relative files a page or style sheet names in src="...", href="..." or
// url(...), with their anchors; addresses and absolute paths are skipped.
QStringList relativeReferences(const QString& text)
{
    static const QRegularExpression pattern(
        QStringLiteral(R"((?:\b(?:src|href)\s*=\s*["']([^"']*)["'])|(?:url\(\s*["']?([^"')]*)["']?\s*\)))"),
        QRegularExpression::CaseInsensitiveOption);
    QStringList references;
    for (const QRegularExpressionMatch& match : pattern.globalMatch(text)) {
        const QString reference = (match.captured(1).isEmpty() ? match.captured(2) : match.captured(1)).trimmed();
        if (!reference.isEmpty() && !reference.contains(QLatin1Char(':')) && !reference.startsWith(QLatin1Char('/')))
            references.append(reference);
    }
    return references;
}

// Bookmarks as Quorix itself finds them: named anchors without href.
QStringList bookmarksOf(const QString& page)
{
    return GetBookmarkNames(ReadTextFile(page)).split(QStringLiteral("\r\n"), Qt::SkipEmptyParts);
}

class SampleProject : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(QFileInfo::exists(samplePath())) << samplePath().toStdString();
        project.ReadFromIni(samplePath());
        root = QDir(project.RootDir);
    }

    QString pageOf(const TopicNode* topic) const
    {
        return ProjectFilePath(project.RootDir, StripAnchor(topic->entry().Url));
    }

    TQrx project;
    QDir root;
};

TEST_F(SampleProject, IsAThreeLevelHelpProjectWithEveryFeature)
{
    // Written by Quorix itself, not by hand.
    EXPECT_TRUE(readBytes(samplePath()).startsWith(QByteArray("\xFF\xFE[\0", 4))) << "UTF-16LE with byte-order mark";
    EXPECT_EQ(root.canonicalPath(), QFileInfo(samplePath()).dir().canonicalPath()) << "RootDir= empty";

    const QList<const TopicNode*> contents = topicsBelow(project.tnTableOfContents);
    EXPECT_GE(contents.size(), 20);
    int deepest = 0;
    for (const TopicNode* topic : contents)
        deepest = std::max(deepest, topic->depth());
    EXPECT_GE(deepest, 3) << "books, chapters and topics below them";

    // Index keywords with sub-keywords ("//" is a literal slash, not a level)
    // and context numbers, each naming one topic.
    int subKeywords = 0;
    QSet<QString> contextNumbers;
    int numbered = 0;
    for (const QList<const TopicNode*>& group :
         {contents, topicsBelow(project.tnUnvisiblePages), topicsBelow(project.tnTemplates)}) {
        for (const TopicNode* topic : group) {
            const TLeftTreeData& entry = topic->entry();
            for (const QString& keyword : entry.Keywords.split(QStringLiteral("\r\n"), Qt::SkipEmptyParts))
                subKeywords += QString(keyword).remove(QStringLiteral("//")).contains(QLatin1Char('/'));
            if (entry.ContextNumber.isEmpty())
                continue;
            ++numbered;
            EXPECT_TRUE(QRegularExpression(QStringLiteral("^[1-9][0-9]*$")).match(entry.ContextNumber).hasMatch())
                << topic->text().toStdString();
            EXPECT_FALSE(contextNumbers.contains(entry.ContextNumber)) << entry.ContextNumber.toStdString();
            contextNumbers.insert(entry.ContextNumber);
        }
    }
    EXPECT_GE(subKeywords, 3);
    EXPECT_GE(numbered, 5);

    auto linkedTopicWithUrl = [&](const TopicNode* rootNode, const QString& url) {
        for (const TopicNode* topic : topicsBelow(rootNode))
            if (topic->entry().Status == StatusLinked && topic->entry().Url.compare(url, Qt::CaseInsensitive) == 0)
                return topic;
        return static_cast<const TopicNode*>(nullptr);
    };
    EXPECT_NE(linkedTopicWithUrl(project.tnTableOfContents, project.DefaultTopic), nullptr)
        << "default topic " << project.DefaultTopic.toStdString();

    bool linkedOutOfToc = false;
    for (const TopicNode* topic : topicsBelow(project.tnUnvisiblePages))
        linkedOutOfToc = linkedOutOfToc || topic->entry().Status == StatusLinked;
    EXPECT_TRUE(linkedOutOfToc) << "a page out of the table of contents";

    // The HTML Help template (also used for web help): a template topic whose
    // page carries the tags and bare-named buttons with greyed forms beside it.
    ASSERT_FALSE(project.HtmlHelpTemplate.isEmpty());
    EXPECT_TRUE(project.WebHelpTemplateSame);
    const TopicNode* templateTopic = linkedTopicWithUrl(project.tnTemplates, project.HtmlHelpTemplate);
    ASSERT_NE(templateTopic, nullptr) << project.HtmlHelpTemplate.toStdString();
    const QString templatePath = pageOf(templateTopic);
    const QString templatePage = ReadTextFile(templatePath);
    for (const char* tag : {"($title$)", "($content$)", "($navigation$)", "($prev$)", "($next$)"})
        EXPECT_TRUE(templatePage.contains(QLatin1String(tag), Qt::CaseInsensitive)) << tag;
    const QDir templateFolder = QFileInfo(templatePath).dir();
    for (const char* direction : {"prev", "next"}) {
        const QString name = QStringLiteral("btn_%1_").arg(QLatin1String(direction));
        const QRegularExpression button(QStringLiteral(R"re(<img [^>]*src="%1n(\.(?:gif|png|jpg))")re").arg(name));
        const QRegularExpressionMatch match = button.match(templatePage);
        ASSERT_TRUE(match.hasMatch()) << direction;
        EXPECT_TRUE(templateFolder.exists(name + QLatin1Char('n') + match.captured(1))) << direction;
        EXPECT_TRUE(templateFolder.exists(name + QLatin1Char('g') + match.captured(1))) << direction;
    }

    // Outputs land beside the project folder: inside it, a build would pack
    // its own earlier results and fill the program's data folder.
    for (const QString& target : {project.CompiledFile, project.WebHelpOutputFolder, project.SingleHtmlOutputFolder,
             project.WordFile, project.PDFfile}) {
        const QString resolved = ResolveProjectPath(project.RootDir, target);
        EXPECT_TRUE(IsAbsolutePath(resolved)) << resolved.toStdString();
        EXPECT_FALSE(resolved.startsWith(project.RootDir)) << resolved.toStdString();
    }
}

TEST_F(SampleProject, EveryTopicLinksAUtf8PageWithItsTitle)
{
    QSet<QString> topicPages;
    for (const TopicNode* rootNode : {project.tnTableOfContents, project.tnUnvisiblePages, project.tnTemplates}) {
        for (const TopicNode* topic : topicsBelow(rootNode)) {
            SCOPED_TRACE(topic->text().toStdString());
            const TLeftTreeData& entry = topic->entry();
            ASSERT_TRUE(entry.Status == StatusLinked || entry.Status == StatusNoLink) << entry.Status;
            if (entry.Status == StatusNoLink)
                continue;
            const QString page = pageOf(topic);
            ASSERT_TRUE(QFileInfo(page).isFile()) << page.toStdString();
            topicPages.insert(QFileInfo(page).canonicalFilePath());

            const QByteArray bytes = readBytes(page);
            QStringDecoder utf8(QStringDecoder::Utf8);
            const QString text = utf8.decode(bytes);
            EXPECT_FALSE(utf8.hasError()) << "not UTF-8";
            EXPECT_EQ(GetCharset(text), QStringLiteral("utf-8"));
            // Saving a page writes the topic title into it; they must agree already.
            EXPECT_EQ(GetTitle(text), topic->text());

            const QStringList bookmarks = bookmarksOf(page);
            const TUrlAnchor link = SplitUrlAnchor(entry.Url);
            if (!link.Anchor.isEmpty()) {
                EXPECT_TRUE(bookmarks.contains(link.Anchor)) << entry.Url.toStdString();
            }
            // A keyword ending in "#name" opens the page at that bookmark.
            for (const QString& keyword : entry.Keywords.split(QStringLiteral("\r\n"), Qt::SkipEmptyParts)) {
                const TUrlAnchor level = SplitUrlAnchor(keyword.section(QLatin1Char('/'), -1));
                if (!level.Anchor.isEmpty() && !level.Page.isEmpty()) {
                    EXPECT_TRUE(bookmarks.contains(level.Anchor)) << keyword.toStdString();
                }
            }
        }
    }

    // No page of the folder is left out of the tree, and so out of the outputs.
    QDirIterator it(root.path(), {QStringLiteral("*.htm"), QStringLiteral("*.html")}, QDir::Files,
        QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString file = QFileInfo(it.next()).canonicalFilePath();
        EXPECT_TRUE(topicPages.contains(file)) << root.relativeFilePath(file).toStdString();
    }
}

TEST_F(SampleProject, EveryReferenceOfPagesAndStyleSheetsResolves)
{
    int checked = 0;
    QDirIterator it(root.path(), {QStringLiteral("*.htm"), QStringLiteral("*.html"), QStringLiteral("*.css")},
        QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString file = it.next();
        const QDir folder = QFileInfo(file).dir();
        for (const QString& reference : relativeReferences(ReadTextFile(file))) {
            SCOPED_TRACE(root.relativeFilePath(file).toStdString() + " names " + reference.toStdString());
            ++checked;
            // Links use "/" and plain names: "\", blanks and "%20" break in some help viewers.
            EXPECT_FALSE(reference.contains(QLatin1Char('\\')) || reference.contains(QLatin1Char(' '))
                || reference.contains(QLatin1Char('%')));
            const TUrlAnchor link = SplitUrlAnchor(reference);
            const QString target = link.Page.isEmpty() ? file : folder.filePath(link.Page);
            ASSERT_TRUE(QFileInfo(target).isFile());
            EXPECT_TRUE(QFileInfo(target).canonicalFilePath().startsWith(root.canonicalPath() + QLatin1Char('/')))
                << "outside the project folder";
            if (!link.Anchor.isEmpty()) {
                EXPECT_TRUE(bookmarksOf(target).contains(link.Anchor));
            }
        }
    }
    EXPECT_GT(checked, 100);
}

} // namespace
