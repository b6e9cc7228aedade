// The CHM flow up to the compiler: what the work folder holds when the
// compiler runs, where it lives, and what is left afterwards.
#include "OutputTestSupport.h"
#include "QuorixError.h"
#include "TCHMOutputHost.h"
#include "TChmBuild.h"

#include <QDirIterator>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <map>

using namespace OutputTest;

namespace {

// Takes a copy of the work folder at compile time and writes a stand-in help file.
class RecordingHost : public TCHMOutputHost {
public:
    void Compile(const QString& hhpFile) override
    {
        hhp = hhpFile;
        const QString folder = QFileInfo(hhpFile).absolutePath() + QLatin1Char('/');
        QDirIterator it(folder, QDir::Files, QDirIterator::Subdirectories);
        while (it.hasNext()) {
            const QString file = it.next();
            files[file.mid(folder.size())] = QString::fromUtf8(ReadBytes(file));
        }
        WriteBytes(compiledFile, "ITSF");
    }
    void ShowCompiledFile(const QString&) override {}
    bool RetryDelete(const QString&) override { return false; }

    QString compiledFile;
    QString hhp;
    std::map<QString, QString> files; // work-folder-relative path -> text
};

class ChmBuildTest : public testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        project.RootDir = root;
        project.Title = QStringLiteral("Build");
        project.CompiledFile = dir.path() + QStringLiteral("/out/help.chm");
        host.compiledFile = project.CompiledFile;
        nodes = AddTopics(project, project.tnTableOfContents, {
            {1, "First", "first.htm"},
            {1, "Kept as it is", "guide\\plain.htm"},
            {1, "Draft", "", StatusUnsaved},
            {1, "Last", "last.htm"},
        });
        nodes[1]->entry().ApplyTemp = true;
        WritePage(root, "first.htm", "one");
        WritePage(root, "guide\\plain.htm", "two");
        WritePage(root, "last.htm", "four");
        WriteBytes(root + "tpl/page.htm",
                   "<html><head><title>($title$)</title></head><body><div class=\"frame\">($content$)</div></body></html>");
    }

    bool build()
    {
        contents.qrx = &project;
        contents.Fill();
        TChmBuild chm(project, contents, host, [this](const QString& line) { log << line; });
        return chm.Run();
    }

    QTemporaryDir dir;
    QString root = dir.path() + QStringLiteral("/project/");
    TQrx project;
    TContents contents;
    RecordingHost host;
    std::vector<TopicNode*> nodes;
    QStringList log;
};

TEST_F(ChmBuildTest, TemplateFramesTopicsButNotThoseThatRefuseIt)
{
    project.HtmlHelpTemplate = QStringLiteral("tpl\\page.htm");
    ASSERT_TRUE(build()) << log.join('\n').toStdString();

    EXPECT_TRUE(host.files["first.htm"].contains("<div class=\"frame\">")) << host.files["first.htm"].toStdString();
    EXPECT_TRUE(host.files["last.htm"].contains("<div class=\"frame\">"));
    // The ApplyTemp topic is copied, not framed.
    ASSERT_EQ(host.files.count("guide/plain.htm"), 1u);
    EXPECT_FALSE(host.files["guide/plain.htm"].contains("frame"));
    EXPECT_TRUE(host.files["guide/plain.htm"].contains("<p>two</p>"));
    // The unsaved topic is listed and, framed, exists as a page.
    EXPECT_TRUE(host.files["help.hhc"].contains("$$unsavedpage1.htm"));
    ASSERT_EQ(host.files.count("$$unsavedpage1.htm"), 1u);
    EXPECT_TRUE(host.files["$$unsavedpage1.htm"].contains("<div class=\"frame\">"));
    EXPECT_TRUE(QFileInfo::exists(project.CompiledFile));
}

TEST_F(ChmBuildTest, UnsavedTopicsHaveNoPageWithoutATemplate)
{
    ASSERT_TRUE(build());
    EXPECT_TRUE(host.files["help.hhc"].contains("$$unsavedpage1.htm"));
    EXPECT_EQ(host.files.count("$$unsavedpage1.htm"), 0u);
    EXPECT_EQ(host.files.count("first.htm"), 1u);
}

TEST_F(ChmBuildTest, KeptProjectStaysInItsFolderAndATemporaryOneIsRemoved)
{
    struct Case {
        bool keepProject;
    };
    for (const Case c : {Case{true}, Case{false}}) {
        SCOPED_TRACE(c.keepProject);
        const QString hhpFolder = dir.path() + QStringLiteral("/hhp/");
        nodes[0]->entry().ContextNumber = QStringLiteral("1000"); // so there is a context map
        project.DeleteProject = c.keepProject;
        project.HHPFolder = hhpFolder;
        host.files.clear();
        ASSERT_TRUE(build());
        const QString workFolder = QFileInfo(host.hhp).absolutePath() + QLatin1Char('/');
        if (c.keepProject) {
            EXPECT_EQ(workFolder, hhpFolder);
            const QStringList left = QDir(hhpFolder).entryList(QDir::Files, QDir::Name);
            for (const char* kept : {"help.hhp", "help.hhc", "help.h", "first.htm", "last.htm"})
                EXPECT_TRUE(left.contains(kept)) << kept << " " << left.join(' ').toStdString();
            EXPECT_TRUE(QFileInfo::exists(hhpFolder + "guide/plain.htm"));
        } else {
            EXPECT_NE(workFolder, hhpFolder);
            EXPECT_FALSE(QFileInfo::exists(workFolder)) << workFolder.toStdString();
        }
    }
}

TEST_F(ChmBuildTest, KeptProjectFolderMustNotHoldTheProject)
{
    project.DeleteProject = true;
    for (const QString& folder : {root, dir.path() + QStringLiteral("/"), root + QStringLiteral("hhp"), QDir::homePath(),
                                  QStringLiteral("/")}) {
        SCOPED_TRACE(folder.toStdString());
        project.HHPFolder = folder;
        EXPECT_THROW(build(), EQuorixError);
        EXPECT_TRUE(QFileInfo::exists(root + "first.htm"));
    }
}

TEST_F(ChmBuildTest, MissingTemplateIsSaidAndNothingIsCompiled)
{
    project.HtmlHelpTemplate = QStringLiteral("tpl\\gone.htm");
    EXPECT_FALSE(build());
    EXPECT_TRUE(log.contains("The template \"" + root + "tpl/gone.htm\" is not exsiting!")) << log.join('\n').toStdString();
    EXPECT_TRUE(host.hhp.isEmpty());
}

} // namespace
