#include "ProjectFileTestSupport.h"

#include "QuorixError.h"
#include "TemplateCatalogue.h"

#include <QDir>
#include <gtest/gtest.h>

using namespace ProjectFileTest;

namespace {

class TemplateCatalogueTest : public testing::Test {
protected:
    QTemporaryDir dir;
    QString program;
    QString root;

    void SetUp() override
    {
        program = dir.filePath("program");
        root = dir.filePath("help") + "/";
        QDir().mkpath(program + "/templates/blue/images");
        QDir().mkpath(root);
        writeBytes(program + "/templates/templates.ini",
            "[Template1]\r\nName=Blue\r\nImg=blue.png\r\nPath=blue\r\n"
            "[Template2]\r\nPath=plain\r\n"
            "[Template4]\r\nName=Not reached\r\n");
        writeBytes(program + "/templates/blue/index.htm",
            "<html><head><meta http-equiv=\"Content-Type\" content=\"text/html; charset=($CHARSET$)\">"
            "<title>($title$)</title></head><body>($content$)</body></html>");
        writeBytes(program + "/templates/blue/images/logo.png", "png");
    }
};

TEST_F(TemplateCatalogueTest, ReadsConsecutiveSectionsWithDefaults)
{
    const QList<TTemplateCatalogueEntry> entries = ReadTemplateCatalogue(program);
    ASSERT_EQ(entries.size(), 2);
    EXPECT_EQ(entries[0].Name, "Blue");
    EXPECT_EQ(entries[0].Img, "blue.png");
    EXPECT_EQ(entries[0].FileName, "index.htm");
    EXPECT_EQ(entries[1].Name, "No name");
    EXPECT_TRUE(ReadTemplateCatalogue(dir.filePath("nowhere")).isEmpty());
}

TEST_F(TemplateCatalogueTest, InstallsACopyWithTheProjectCharsetAndDetectsCollisions)
{
    const TTemplateCatalogueEntry blue = ReadTemplateCatalogue(program).front();
    EXPECT_EQ(ProposeTemplateFolderName(root), "template");
    EXPECT_FALSE(TemplateFolderCollides(blue, program, root, "template"));

    EXPECT_EQ(InstallTemplate(blue, program, root, "template", "UTF-8"), "template\\index.htm");
    const QString page = QString::fromUtf8(readBytes(root + "template/index.htm"));
    EXPECT_TRUE(page.contains("charset=UTF-8\"")) << page.toStdString();
    EXPECT_TRUE(QFile::exists(root + "template/images/logo.png"));

    EXPECT_EQ(ProposeTemplateFolderName(root), "template1");
    EXPECT_TRUE(TemplateFolderCollides(blue, program, root, "template"));
    EXPECT_FALSE(TemplateFolderCollides(blue, program, root, "template1"));
}

} // namespace
