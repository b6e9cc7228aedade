#include "InsertPicture.h"
#include "RecordingPrompts.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QUrl>
#include <gtest/gtest.h>

namespace {

// A project with a page folder "topics", and a folder outside it holding
// pictures; names with blanks and non-ASCII letters where they matter.
class InsertPictureTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(temp.isValid());
        project = temp.filePath(QStringLiteral("help project"));
        pages = project + QStringLiteral("/topics");
        outside = temp.filePath(QStringLiteral("Bilder ü"));
        ASSERT_TRUE(QDir().mkpath(pages));
        ASSERT_TRUE(QDir().mkpath(project + QStringLiteral("/images")));
        ASSERT_TRUE(QDir().mkpath(outside));
    }
    static void write(const QString& path, const QByteArray& bytes)
    {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }
    static QByteArray read(const QString& path)
    {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
    // The save dialog answers `target` and counts how often it was shown.
    void saveAs(const QString& target)
    {
        prompts.OnChooseSaveFile = [this, target](const TRecordingPrompts::TSaveFileRequest& request) {
            requests.append(request);
            return target;
        };
    }

    QTemporaryDir temp;
    QString project, pages, outside;
    TRecordingPrompts prompts;
    QList<TRecordingPrompts::TSaveFileRequest> requests;
};

TEST_F(InsertPictureTest, PicturesInsideTheProjectAreReferredToRelativelyWithoutQuestions)
{
    write(project + QStringLiteral("/images/logo.png"), "png");
    write(pages + QStringLiteral("/a&b.gif"), "gif");
    const TPictureInsert result = PreparePictures(
        {project + QStringLiteral("/images/logo.png"), pages + QStringLiteral("/a&b.gif")}, pages, project, prompts);
    EXPECT_EQ(result.Html, QStringLiteral("<img alt=\"\" src=\"../images/logo.png\"><img alt=\"\" src=\"a&amp;b.gif\">"));
    EXPECT_TRUE(prompts.Boxes.isEmpty());
    EXPECT_TRUE(result.Copied.isEmpty());
    EXPECT_EQ(result.LastFolder, project + QStringLiteral("/images"));
}

TEST_F(InsertPictureTest, ABlankInARelativePathWarnsAndStillInserts)
{
    write(project + QStringLiteral("/images/my logo.png"), "png");
    const TPictureInsert result = PreparePictures({project + QStringLiteral("/images/my logo.png")}, pages, project, prompts);
    EXPECT_EQ(result.Html, QStringLiteral("<img alt=\"\" src=\"../images/my logo.png\">"));
    ASSERT_EQ(prompts.Boxes.size(), 1);
    EXPECT_EQ(prompts.Boxes.front().BoxKind, IUserPrompts::Kind::Warning);
}

TEST_F(InsertPictureTest, APictureFromOutsideIsCopiedOnceIntoThePageFolder)
{
    const QString source = outside + QStringLiteral("/photo ß.png");
    write(source, "picture bytes");
    prompts.Answer = IUserPrompts::Yes;
    const QString target = pages + QStringLiteral("/photo.png");
    saveAs(target);
    const TPictureInsert result = PreparePictures({source}, pages, project, prompts);
    ASSERT_EQ(requests.size(), 1);
    EXPECT_EQ(QDir::cleanPath(requests.front().Folder), pages);
    EXPECT_EQ(requests.front().Name, QStringLiteral("photo ß.png"));
    EXPECT_EQ(result.Copied, QStringList{target});
    EXPECT_EQ(read(target), QByteArray("picture bytes"));
    EXPECT_EQ(read(source), QByteArray("picture bytes"));
    EXPECT_EQ(result.Html, QStringLiteral("<img alt=\"\" src=\"photo.png\">"));
    EXPECT_EQ(prompts.Boxes.size(), 1) << "one question, no overwrite question for a new file";
}

TEST_F(InsertPictureTest, NotCopyingRefersToTheFilesByTheirAddresses)
{
    write(outside + QStringLiteral("/a.png"), "a");
    write(outside + QStringLiteral("/b c.png"), "b");
    prompts.Answer = IUserPrompts::No;
    const TPictureInsert result =
        PreparePictures({outside + QStringLiteral("/a.png"), outside + QStringLiteral("/b c.png")}, pages, project, prompts);
    const QString folder = QUrl::fromLocalFile(outside).toString(QUrl::FullyEncoded);
    EXPECT_EQ(result.Html, QStringLiteral("<img alt=\"\" src=\"%1/a.png\"><img alt=\"\" src=\"%1/b%20c.png\">").arg(folder));
    EXPECT_TRUE(result.Html.contains(QStringLiteral("src=\"file:///")));
    EXPECT_TRUE(requests.isEmpty());
    EXPECT_TRUE(result.Copied.isEmpty());
}

// A name clash asks; a "No", a cancelled save dialog or a failed copy make
// no tag, and neither the source nor the other picture is touched.
TEST_F(InsertPictureTest, WithoutARealCopyThereIsNoReference)
{
    const QString source = outside + QStringLiteral("/logo.png");
    write(source, "new");
    const QString existing = pages + QStringLiteral("/logo.png");
    struct TCase {
        const char* name;
        QString target;
        IUserPrompts::Button replace;
        int questions;
    };
    const QList<TCase> cases{
        {"save dialog cancelled", QString(), IUserPrompts::No, 1},
        {"clash, replacing refused", existing, IUserPrompts::No, 2},
        {"copy into a missing folder fails", pages + QStringLiteral("/missing/logo.png"), IUserPrompts::Yes, 1},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.name);
        write(existing, "old");
        prompts.Boxes.clear();
        prompts.Answers = {IUserPrompts::Yes};
        prompts.Answer = c.replace;
        saveAs(c.target);
        const TPictureInsert result = PreparePictures({source}, pages, project, prompts);
        EXPECT_TRUE(result.Html.isEmpty());
        EXPECT_TRUE(result.Copied.isEmpty());
        EXPECT_EQ(read(existing), QByteArray("old"));
        EXPECT_EQ(read(source), QByteArray("new"));
        EXPECT_EQ(prompts.Texts(QStringLiteral("Message")).size() + prompts.Questions().size(), c.questions);
    }
    EXPECT_EQ(prompts.Errors().size(), 1) << "the failed copy is told";
}

TEST_F(InsertPictureTest, AClashReplacedOnlyAfterYesAndNeverTheSourceItself)
{
    const QString source = outside + QStringLiteral("/logo.png");
    write(source, "new");
    const QString existing = pages + QStringLiteral("/logo.png");
    write(existing, "old");
    prompts.Answer = IUserPrompts::Yes;
    saveAs(existing);
    TPictureInsert result = PreparePictures({source}, pages, project, prompts);
    EXPECT_EQ(prompts.Questions().size(), 1);
    EXPECT_EQ(read(existing), QByteArray("new"));
    EXPECT_EQ(result.Html, QStringLiteral("<img alt=\"\" src=\"logo.png\">"));

    // Saved over its own source (a picture linked into the project): no copy,
    // no question, the source stays whole.
    const QString linked = pages + QStringLiteral("/linked.png");
    ASSERT_TRUE(QFile::link(source, linked));
    prompts.Boxes.clear();
    saveAs(linked);
    result = PreparePictures({source}, pages, project, prompts);
    EXPECT_TRUE(prompts.Questions().isEmpty());
    EXPECT_TRUE(result.Copied.isEmpty());
    EXPECT_EQ(read(source), QByteArray("new"));
    EXPECT_EQ(result.Html, QStringLiteral("<img alt=\"\" src=\"linked.png\">"));
}

} // namespace
