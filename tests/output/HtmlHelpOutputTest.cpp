// Writing an HTML Help project into its work folder: which files, their
// names, the file list, and the hand-over to the compiler.
#include "OutputTestSupport.h"
#include "QuorixError.h"
#include "TCHMOutputHost.h"
#include "TCHMProjectWriter.h"

#include <QBuffer>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace OutputTest;

namespace {

// Records what Output asks for; answers Retry a given number of times.
class FakeHost : public TCHMOutputHost {
public:
    void Compile(const QString& hhpFile) override
    {
        compiled << hhpFile;
        filesAtCompile = QDir(QFileInfo(hhpFile).absolutePath()).entryList(QDir::Files, QDir::Name);
    }
    void ShowCompiledFile(const QString& chmFile) override { shown << chmFile; }
    bool RetryDelete(const QString& message) override
    {
        questions << message;
        return retries-- > 0;
    }

    QStringList compiled;
    QStringList shown;
    QStringList questions;
    QStringList filesAtCompile;
    int retries = 0;
};

class HtmlHelpOutputTest : public testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        chm.Title = QStringLiteral("T");
        chm.Language = QStringLiteral("0x0409");
        chm.DefaultTopic = QStringLiteral("a.htm");
        chm.TOC = "<UL></UL>";
        chm.IndexList = "<UL></UL>";
        chm.Folder = work;
        chm.CHM = QStringLiteral("help.chm");
        WriteBytes(work + "a.htm", "<html></html>");
    }

    QStringList workFiles() const { return QDir(work).entryList(QDir::Files, QDir::Name); }
    QString hhp() const { return QString::fromLatin1(ReadBytes(work + "help.hhp")); }

    QTemporaryDir dir;
    QString work = dir.path() + QLatin1Char('/');
    TCHMProject chm;
    FakeHost host;
};

TEST_F(HtmlHelpOutputTest, LeavesOutTheFilesTheProjectDoesNotNeed)
{
    // No contents, no index, no context numbers.
    chm.Content = false;
    chm.Index = false;
    TCHMProjectWriter(chm).Output(false, false, false);
    EXPECT_EQ(workFiles(), (QStringList{"a.htm", "help.hhp"}));
    EXPECT_TRUE(hhp().contains("\r\nContents file=\r\n"));
    EXPECT_TRUE(hhp().contains("\r\nIndex file=\r\n"));
    EXPECT_TRUE(hhp().contains("main=\"T\",\"\",\"\",\"a.htm\""));
    EXPECT_FALSE(hhp().contains("[ALIAS]"));
    EXPECT_FALSE(hhp().contains("[MAP]"));
    EXPECT_TRUE(hhp().endsWith("[FILES]\r\na.htm\r\n\r\n"));

    // An empty contents list writes no contents file even when asked for;
    // the index file is written without keywords.
    chm.Content = true;
    chm.Index = true;
    chm.TOC.clear();
    TCHMProjectWriter(chm).Output(false, false, false);
    EXPECT_EQ(workFiles(), (QStringList{"a.htm", "help.hhk", "help.hhp"}));
    EXPECT_TRUE(ReadBytes(work + "help.hhk").contains("</OBJECT>\r\n<UL></UL>\r\n</BODY>\r\n</HTML>\r\n"));
}

TEST_F(HtmlHelpOutputTest, NamesTheFilesAfterTheCompiledFile)
{
    QDir().mkpath(dir.filePath("out"));
    chm.CHM = dir.filePath("out/My.Help.chm");
    chm.Map = QStringLiteral("#define IDH_ID1 1\r\n");
    chm.Alias = QStringLiteral("IDH_ID1=a.htm\r\n");
    TCHMProjectWriter(chm).Output(false, false, false);
    EXPECT_EQ(workFiles(), (QStringList{"My.Help.h", "My.Help.hhc", "My.Help.hhk", "My.Help.hhp", "a.htm"}));
    EXPECT_EQ(chm.LOGFile, "My.Help.log");
    const QString text = QString::fromLatin1(ReadBytes(work + "My.Help.hhp"));
    EXPECT_TRUE(text.startsWith("[OPTIONS]\r\nAuto Index=No\r\nBinary Index=Yes\r\nCompatibility=1.1 or later\r\n"
                                "Compiled file=" + chm.CHM + "\r\nContents file=My.Help.hhc\r\n"));
    EXPECT_TRUE(text.endsWith("[ALIAS]\r\nIDH_ID1=a.htm\r\n\r\n\r\n[MAP]\r\n#include My.Help.h\r\n\r\n"));

    // The window definition quotes the contents and index names, which
    // cannot hold a double quote.
    chm.CHM = dir.filePath("out/Say \"hi\".chm");
    TCHMProjectWriter(chm).Output(false, false, false);
    EXPECT_EQ(chm.HHCFile, "Say 'hi'.hhc");
    EXPECT_TRUE(QFileInfo::exists(work + "Say 'hi'.hhp"));
    EXPECT_TRUE(ReadBytes(work + "Say 'hi'.hhp").contains("main=\"T\",\"Say 'hi'.hhc\",\"Say 'hi'.hhk\","));
}

TEST_F(HtmlHelpOutputTest, ListsTheWorkFolderExceptProjectFiles)
{
    // Left out: the project's own files, the context map header among them.
    // A name with ".h" in it is a file of the help like any other.
    for (const char* name : {"b.htm", "C.htm", "img/x.gif", "img/sub/y.png", "style.css", "old.HHP", "c.hhc",
                             "d.Hhk", "build.LOG", "prev.chm", "help.h", "map.h", "notes.H.txt", "x.hpp.htm",
                             "read.help.htm", "my.header.gif", "readme"})
        WriteBytes(work + name, "x");
    chm.AutoSearch = true;
    TCHMProjectWriter(chm).Output(false, false, false);
    EXPECT_EQ(chm.Files, (QStringList{"a.htm", "b.htm", "C.htm", "img\\sub\\y.png", "img\\x.gif", "map.h",
                                      "my.header.gif", "notes.H.txt", "read.help.htm", "readme", "style.css",
                                      "x.hpp.htm"}));

    // A sub-folder only, when the build names one; nothing without AutoSearch.
    chm.SourceFolder = QStringLiteral("img");
    TCHMProjectWriter(chm).Output(false, false, false);
    EXPECT_EQ(chm.Files, (QStringList{"img\\sub\\y.png", "img\\x.gif"}));
    chm.AutoSearch = false;
    TCHMProjectWriter(chm).Output(false, false, false);
    EXPECT_TRUE(chm.Files.isEmpty());
}

struct RefusedNameCase {
    const char* name;   // in the work folder
    const char* stored; // as the build output names it
    const char* reason;
};

// chmcmd cannot find a file by some names (it trims lines, reads "\" as a
// separator, ";" as a comment, brackets as a section): it stops with no
// help file at all or leaves files out unsaid. Such a file is named and
// nothing is compiled.
TEST_F(HtmlHelpOutputTest, AFileTheCompilerCannotTakeIsNamedAndNothingIsCompiled)
{
    const RefusedNameCase cases[] = {
        {" lead.htm", " lead.htm", "the compiler drops blanks at either end of a name"},
        {"sub/trail.htm\t", "sub\\trail.htm\t", "the compiler drops blanks at either end of a name"},
        {"line\nbreak.htm", "line\nbreak.htm", "its name holds a line break"},
        {"back\\slash.gif", "back\\slash.gif", "the compiler reads \"\\\" in a name as a folder separator"},
        {";comment.htm", ";comment.htm", "the compiler reads a name starting with \";\" as a comment"},
        {"[section]", "[section]", "the compiler reads a name in brackets as a section"},
    };
    // Names it does take, however odd.
    for (const char* name : {"[br].htm", "tab\tinside.htm", "sub/ lead in a folder.htm", "#hash.htm", "a;b.htm",
                             "q\"uote.htm", "\xe6\xa6\x82\xe8\xbf\xb0.htm"})
        WriteBytes(work + QString::fromUtf8(name), "x");
    for (const RefusedNameCase& c : cases)
        WriteBytes(work + QString::fromUtf8(c.name), "x");
    chm.AutoSearch = true;
    TCHMProjectWriter writer(chm);
    QStringList lines;
    writer.OnInfo = [&lines](const QString& line) { lines << line; };
    try {
        writer.Output(true, false, false, &host);
        ADD_FAILURE() << "compiled although files were left out";
    } catch (const EQuorixError& error) {
        EXPECT_TRUE(error.message().contains("the names of 6 files")) << error.message().toStdString();
    }
    EXPECT_TRUE(host.compiled.isEmpty());
    EXPECT_EQ(chm.Files, (QStringList{"#hash.htm", "[br].htm", "a.htm", "a;b.htm", "q\"uote.htm",
                                      "sub\\ lead in a folder.htm", "tab\tinside.htm", "概述.htm"}));
    ASSERT_EQ(lines.size(), std::size(cases)) << lines.join('\n').toStdString();
    for (const RefusedNameCase& c : cases) {
        SCOPED_TRACE(c.stored);
        const QString line = QStringLiteral("Error: \"%1\" cannot be compiled into the help file: %2. Rename it.")
                                 .arg(QString::fromUtf8(c.stored), QString::fromUtf8(c.reason));
        EXPECT_TRUE(lines.contains(line)) << lines.join('\n').toStdString();
        EXPECT_TRUE(writer.UnlistedFiles().contains(QString::fromUtf8(c.stored)));
    }
    // The project files are there to look at.
    EXPECT_TRUE(QFileInfo::exists(work + "help.hhp"));
}

TEST_F(HtmlHelpOutputTest, CompilesIntoTheWorkFolderAndShowsTheResult)
{
    WriteBytes(work + "help.chm", "an older build");
    TCHMProjectWriter(chm).Output(true, true, true, &host);
    EXPECT_EQ(host.compiled, QStringList{work + "help.hhp"});
    // The old result is gone before the compiler runs; the project files are there.
    EXPECT_EQ(host.filesAtCompile, (QStringList{"a.htm", "help.hhc", "help.hhk", "help.hhp"}));
    EXPECT_EQ(host.shown, QStringList{work + "help.chm"});
    EXPECT_TRUE(host.questions.isEmpty());
    // DelProj removes the project files and nothing else.
    EXPECT_EQ(workFiles(), QStringList{"a.htm"});
}

TEST_F(HtmlHelpOutputTest, AsksWhileTheOldHelpFileCannotBeDeleted)
{
    // A folder in the way cannot be removed as a file, as an open file on Windows.
    QDir().mkpath(work + "help.chm/inside");
    host.retries = 1;
    TCHMProjectWriter(chm).Output(true, true, false, &host);
    const QString question = "\"" + work + "help.chm\" access denied! It's probably been opend. Please close it and Retry.";
    EXPECT_EQ(host.questions, (QStringList{question, question}));
    EXPECT_TRUE(host.compiled.isEmpty());
    EXPECT_TRUE(host.shown.isEmpty());
    EXPECT_TRUE(QFileInfo::exists(work + "help.hhp"));

    // Abort still deletes the project files when asked to.
    TCHMProjectWriter(chm).Output(true, false, true, &host);
    EXPECT_EQ(workFiles(), QStringList{"a.htm"});
}

TEST_F(HtmlHelpOutputTest, RefusesPathsThatNameNoFolderHere)
{
    for (const QString& target : {QStringLiteral("C:\\Help\\help.chm"), QStringLiteral("\\\\server\\share\\help.chm")}) {
        chm.CHM = target;
        try {
            TCHMProjectWriter(chm).Output(true, false, false, &host);
            ADD_FAILURE() << "no error for " << target.toStdString();
        } catch (const EQuorixError& error) {
            EXPECT_TRUE(error.message().contains(target));
            EXPECT_TRUE(error.message().contains("Windows path"));
        }
    }
    chm.CHM = QStringLiteral("help.chm");
    chm.Folder = QStringLiteral("relative/work/");
    EXPECT_THROW(TCHMProjectWriter(chm).Output(false, false, false), EQuorixError);
    chm.Folder = work;
    EXPECT_THROW(TCHMProjectWriter(chm).Output(true, false, false, nullptr), EQuorixError);
    EXPECT_EQ(workFiles(), QStringList{"a.htm"});
    EXPECT_TRUE(host.compiled.isEmpty());
}

TEST_F(HtmlHelpOutputTest, WritesToAStreamAndReportsAFileItCannotWrite)
{
    chm.SetFlagWords();
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    TCHMProjectWriter(chm).WriteHHC(&buffer);
    EXPECT_EQ(buffer.data(), TCHMProjectWriter(chm).HHCBytes());
    EXPECT_TRUE(buffer.data().endsWith("</OBJECT>\r\n<UL></UL>\r\n</BODY>\r\n</HTML>\r\n"));

    QBuffer closed;
    EXPECT_THROW(TCHMProjectWriter(chm).WriteHHP(&closed), EQuorixError);
    WriteBytes(work + "blocked/x", "a file where the folder should be");
    EXPECT_THROW(TCHMProjectWriter(chm).OutputHHP(work + "blocked/x/help.hhp"), EQuorixError);
}

TEST(TCHMProjectTest, AssignCopiesTheStoredSettingsOnly)
{
    TCHMProject source;
    source.Top = 1;
    source.Left = 2;
    source.Height = 3;
    source.Width = 4;
    source.PaneWidth = 5;
    source.DefaultTab = 3;
    source.ShowMSDNMenu = true;
    source.SavePosition = true;
    source.Hide = false;
    source.ContentsFont = QStringLiteral("Arial,10,0");
    source.IndexFont = QStringLiteral("Arial,9,0");
    source.Title = QStringLiteral("Title");
    source.Language = QStringLiteral("0x0407");
    source.Font = QStringLiteral("Arial,8,0");
    source.DefaultTopic = QStringLiteral("a.htm");
    source.AutoSearch = false;
    source.CHM = QStringLiteral("other.chm");
    source.Files = QStringList{"x.htm"};
    source.TOC = "<UL></UL>";
    source.Map = QStringLiteral("#define X 1\r\n");
    source.SetFlagWords();

    TCHMProject copy;
    copy.CHM = QStringLiteral("mine.chm");
    copy.Assign(source);
    EXPECT_EQ(copy.Top, 1);
    EXPECT_EQ(copy.Left, 2);
    EXPECT_EQ(copy.Height, 3);
    EXPECT_EQ(copy.Width, 4);
    EXPECT_EQ(copy.PaneWidth, 5);
    EXPECT_EQ(copy.DefaultTab, 3);
    EXPECT_TRUE(copy.ShowMSDNMenu);
    EXPECT_TRUE(copy.SavePosition);
    EXPECT_FALSE(copy.Hide);
    EXPECT_EQ(copy.ContentsFont, "Arial,10,0");
    EXPECT_EQ(copy.IndexFont, "Arial,9,0");
    EXPECT_EQ(copy.Title, "Title");
    EXPECT_EQ(copy.Language, "0x0407");
    EXPECT_EQ(copy.Font, "Arial,8,0");
    EXPECT_EQ(copy.DefaultTopic, "a.htm");
    // Build data and derived values stay.
    EXPECT_TRUE(copy.AutoSearch);
    EXPECT_EQ(copy.CHM, "mine.chm");
    EXPECT_TRUE(copy.Files.isEmpty());
    EXPECT_TRUE(copy.TOC.isEmpty());
    EXPECT_TRUE(copy.Map.isEmpty());
    EXPECT_EQ(copy.Face, 0);
}

} // namespace
