#include "TRecentProjects.h"

#include "Paths.h"
#include "ProgramFolder.h"

#include <QDir>
#include <QFile>
#include <QSettings>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

class RecentProjectsTest : public ::testing::Test {
protected:
    QString project(const QString& name)
    {
        const QString file = dir.filePath(name);
        QFile touch(file);
        touch.open(QIODevice::WriteOnly);
        return file;
    }

    QTemporaryDir dir;
    QSettings settings{dir.filePath(QStringLiteral("recent.ini")), QSettings::IniFormat};
    TRecentProjects recent{settings};
};

} // namespace

// Eleven projects opened in turn keep the ten most recent; opening a listed
// one again moves it to the front without a second entry, whatever its case.
TEST_F(RecentProjectsTest, KeepsTenMostRecentWithoutCaseDuplicates)
{
    QStringList files;
    for (int i = 1; i <= 11; ++i) {
        files.append(project(QStringLiteral("p%1.qrx").arg(i)));
        recent.Add(files.last());
    }
    EXPECT_EQ(settings.value(QStringLiteral("RecentFilesCount")).toInt(), 10);
    QStringList expected;
    for (int i = 11; i >= 2; --i)
        expected.append(files[i - 1]);
    EXPECT_EQ(recent.Entries(), expected) << "most recent first, p1 gone";
    EXPECT_EQ(settings.value(QStringLiteral("RecentFile1")).toString(), files[10]);

    recent.Add(files[4].toUpper().replace(dir.path().toUpper(), dir.path())); // p5, another case
    const QStringList stored = recent.Stored();
    EXPECT_EQ(stored.size(), 10);
    EXPECT_EQ(stored.front().toLower(), files[4].toLower());
    EXPECT_EQ(stored.filter(QStringLiteral("p5.qrx"), Qt::CaseInsensitive).size(), 1);
    EXPECT_EQ(stored[1], files[10]);
}

// Entries whose files are gone stay stored but are not offered; with
// nothing stored, the sample project is.
TEST_F(RecentProjectsTest, MissingFilesAndTheSampleProject)
{
    EXPECT_EQ(recent.Entries(), QStringList{TRecentProjects::SampleProject()});
    EXPECT_EQ(TRecentProjects::SampleProject(), ProgramDataFolder() + QStringLiteral("/sample/sample.qrx"));

    const QString kept = project(QStringLiteral("kept.qrx"));
    const QString gone = dir.filePath(QStringLiteral("gone.qrx"));
    recent.Add(gone);
    recent.Add(kept);
    EXPECT_EQ(recent.Entries(), QStringList{kept});
    EXPECT_EQ(recent.Stored(), (QStringList{kept, gone}));

    // An unreadable count is no list.
    settings.setValue(QStringLiteral("RecentFilesCount"), QStringLiteral("many"));
    EXPECT_EQ(recent.Entries(), QStringList{TRecentProjects::SampleProject()});
}

// The author's own copy of the sample project in the documents folder wins.
TEST_F(RecentProjectsTest, SampleProjectInTheDocumentsFolder)
{
    // A home of the test's own: the author's documents are not touched.
    const QByteArray home = qgetenv("HOME");
    qputenv("HOME", dir.path().toUtf8());
    const QString sample = DocumentsFolder() + QStringLiteral("/Quorix 项目/示例项目/sample.qrx");
    EXPECT_TRUE(sample.startsWith(dir.path()));
    EXPECT_NE(TRecentProjects::SampleProject(), sample);
    ASSERT_TRUE(QDir().mkpath(QFileInfo(sample).path()));
    QFile file(sample);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.close();
    EXPECT_EQ(TRecentProjects::SampleProject(), sample);
    qputenv("HOME", home);
}
