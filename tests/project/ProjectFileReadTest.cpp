#include "ProjectFileTestSupport.h"

#include "QuorixError.h"
#include "ProgramFolder.h"
#include "TIniFile.h"

#include <QDir>
#include <QLocale>
#include <gtest/gtest.h>

#include <sys/stat.h>

using namespace ProjectFileTest;

namespace {

TEST(IniReader, FollowsTheProjectFileRules)
{
    const QString text = QStringLiteral(
        "ignored=before any section\n"
        "  [ General ]  \r\n"
        "; Title=comment\n"
        "TITLE =  spaced value \t\r"
        "Title=second occurrence loses\r\n"
        "Hex=0x1F\n"
        "Dollar=$ff\n"
        "ShortHex=0x\n"
        "Negative=-12\n"
        "Plus=+7\n"
        "Bad=12abc\n"
        "Huge=99999999999\n"
        "AllBits=$FFFFFFFF\n"
        "Empty=\n"
        "Flag=2\n"
        "Off=0\n"
        "Eq=a=b\n"
        "no equals sign here\n"
        "[general]\n"
        "Second=from a repeated section\n"
        "[Other]\n"
        "Title=other section\n");
    const TIniFile ini = TIniFile::FromText(text);
    EXPECT_EQ(ini.ReadString(u"GENERAL", u"title", "x"), "spaced value");
    EXPECT_EQ(ini.ReadString(u"Other", u"Title", "x"), "other section");
    EXPECT_EQ(ini.ReadString(u"General", u"ignored", "default"), "default");
    EXPECT_EQ(ini.ReadString(u"General", u"Second", "default"), "default");
    EXPECT_EQ(ini.ReadString(u"General", u"Eq", "x"), "a=b");
    EXPECT_EQ(ini.ReadString(u"General", u"Empty", "x"), "");
    EXPECT_FALSE(ini.HasKey(u"General", u"no equals sign here"));

    struct IntegerCase {
        const char16_t* key;
        int expected;
    };
    const IntegerCase integers[] = {{u"Hex", 31}, {u"Dollar", 255}, {u"ShortHex", -1}, {u"Negative", -12},
        {u"Plus", 7}, {u"Bad", -1}, {u"Huge", -1}, {u"AllBits", -1}, {u"Empty", -1}, {u"Missing", -1}, {u"Flag", 2}};
    for (const IntegerCase& c : integers)
        EXPECT_EQ(ini.ReadInteger(u"General", c.key, -1), c.expected) << QString::fromUtf16(c.key).toStdString();
    EXPECT_TRUE(ini.ReadBool(u"General", u"Flag", false));
    EXPECT_FALSE(ini.ReadBool(u"General", u"Off", true));
    EXPECT_TRUE(ini.ReadBool(u"General", u"Bad", true));
}

TEST(IniReader, ByteOrderMarkElseUtf8ElseAnsi)
{
    const QString text = QStringLiteral("[S]\r\nK=Grüße 你好\r\n");
    QByteArray utf16be("\xFE\xFF", 2);
    for (QChar c : text)
        utf16be.append(char(c.unicode() >> 8)).append(char(c.unicode() & 0xFF));
    using Decoded = TIniFile::Decoded;
    struct Case {
        const char* label;
        QByteArray bytes;
        QString expected;
        Decoded decoded;
    };
    const Case cases[] = {
        {"utf-16le mark", utf16File(text), "Grüße 你好", Decoded::Utf16Mark},
        {"utf-16be mark", utf16be, "Grüße 你好", Decoded::Utf16Mark},
        {"utf-8 mark", QByteArray("\xEF\xBB\xBF") + text.toUtf8(), "Grüße 你好", Decoded::Utf8Mark},
        {"utf-8 without mark", text.toUtf8(), "Grüße 你好", Decoded::Utf8},
        {"ascii", "[S]\nK=plain", "plain", Decoded::Utf8},
        // Not UTF-8: the system ANSI code page (1252 on a U.S. English system).
        {"ansi", "[S]\nK=Gr\xFC\xDF" "e", "Grüße", Decoded::Ansi},
        {"ansi with one valid sequence", "[S]\nK=\xC3\xA9 \xE9", "Ã© é", Decoded::Ansi},
    };
    for (const Case& c : cases) {
        const TIniFile ini = TIniFile::FromBytes(c.bytes);
        EXPECT_EQ(ini.ReadString(u"S", u"K", {}), c.expected) << c.label;
        EXPECT_EQ(ini.DecodedAs(), c.decoded) << c.label;
    }
}

class ProjectFileRead : public testing::Test {
protected:
    QTemporaryDir dir;
    QString write(const QString& name, const QByteArray& bytes)
    {
        const QString path = dir.filePath(name);
        writeBytes(path, bytes);
        return path;
    }
    QString writeUtf16(const QString& name, const QString& text) { return write(name, utf16File(withCrLf(text))); }
};

TEST_F(ProjectFileRead, MissingKeysTakeTheirDefaults)
{
    // A project file as the help import writes it: a few keys only.
    const QString path = writeUtf16("import.qrx", "[general]\nver=1\ntitle=Imported\nLanguage=0x0419\n"
                                                 "[DocSetting]\nTop=11\n"
                                                 "[TOPICS]\nTitleList=1\nTitleList.Title.0=Only\n");
    TQrx project;
    project.DocSetting.PaperSize = 4; // the creation value, held as a code
    project.ReadFromIni(path);
    EXPECT_EQ(project.Ver, 1);
    EXPECT_EQ(project.Title, "Imported");
    EXPECT_EQ(project.Dictionary, "ru_RU"); // from the language just read
    EXPECT_EQ(project.CompiledFile, "unnamed.chm");
    EXPECT_EQ(project.WebHelpOutputFolder, "");
    EXPECT_EQ(project.SingleHtmlOutputFolder, "<Project_Folder>_output\\SingleHTML");
    EXPECT_EQ(project.RootDir, QDir(dir.path()).absolutePath() + "/");
    EXPECT_EQ(project.CHMSetting.Height, 500);
    EXPECT_EQ(project.CHMSetting.Width, 700);
    EXPECT_EQ(project.DocSetting.Top, 11);
    EXPECT_EQ(project.DocSetting.PaperSize, 7); // the held code read as an index
    EXPECT_EQ(outline(project), (QStringList{"Table of contents*", "  Only", "Pages out of TOC", "Templates"}));
    EXPECT_EQ(project.Tree().selected(), project.tnTableOfContents); // no linked page to select
    EXPECT_FALSE(project.ProjectChanged);
    EXPECT_FALSE(project.IsNew);
}

TEST_F(ProjectFileRead, BytesThatAreUtf8AreReadAsUtf8WhateverTheVersionSays)
{
    const QByteArray chinese = "\xE4\xB8\xAD\xE6\x96\x87"; // 中文 in UTF-8
    const QByteArray utf8Mark = "\xEF\xBB\xBF";
    struct Case {
        const char* label;
        QByteArray bytes;
        int version;
        QString title;
        bool markWrittenIn; // else the file stays as it was
        bool warned;
    };
    const Case cases[] = {
        {"utf-8, version 1", "[GENERAL]\r\nVer=1\r\nTitle=" + chinese + "\r\n", 1, "中文", false, false},
        {"utf-8, no version", "[GENERAL]\r\nTitle=" + chinese + "\r\n", 0, "中文", false, false},
        {"utf-8, version 2", "[GENERAL]\r\nVer=2\r\nTitle=" + chinese + "\r\n", 2, "中文", true, false},
        {"utf-8 with mark, version 2", utf8Mark + "[GENERAL]\r\nVer=2\r\nTitle=" + chinese + "\r\n", 2, "中文",
            false, false},
        {"utf-16, version 2", utf16File(withCrLf("[GENERAL]\nVer=2\nTitle=你好\n")), 2, "你好", false, false},
        {"ansi, version 1", "[GENERAL]\r\nVer=1\r\nTitle=Gr\xFC\xDF" "e\r\n", 1, "Grüße", false, false},
        {"ansi, no version", "[GENERAL]\r\nTitle=Gr\xFC\xDF" "e \x93\x80\x94\r\n", 0, "Grüße “€”", false, false},
        // Not UTF-8 although it says so: read in ANSI and never rewritten.
        {"ansi, version 2", "[GENERAL]\r\nVer=2\r\nTitle=Gr\xFC\xDF" "e\r\n", 2, "Grüße", false, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        const QString path = write("project.qrx", c.bytes);
        TQrx project;
        project.ReadFromIni(path);
        EXPECT_EQ(project.Ver, c.version);
        EXPECT_EQ(project.Title, c.title);
        EXPECT_EQ(readBytes(path), c.markWrittenIn ? utf8Mark + c.bytes : c.bytes);
        EXPECT_EQ(project.LoadWarnings.size(), c.warned ? 1 : 0) << project.LoadWarnings.join(QLatin1Char('\n')).toStdString();
        EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{"project.qrx"}); // no temporary file left

        // Saved and read again, the title is the author's.
        project.SaveToIni(path);
        TQrx again;
        again.ReadFromIni(path);
        EXPECT_EQ(again.Title, c.title);
    }
}

TEST_F(ProjectFileRead, RootFolderForms)
{
    struct Case {
        QString stored;
        QString expected;
    };
    const QString folder = QDir(dir.path()).absolutePath();
    const Case cases[] = {
        {"", folder + "/"},
        {"html\\", folder + "/html/"},
        {"html\\en", folder + "/html/en/"},
        {"..\\shared\\", QDir::cleanPath(folder + "/..") + "/shared/"},
        {"/srv/help", "/srv/help/"},
        {"$AppDir$\\Samples\\", ProgramDataFolder() + "/Samples/"},
        {"C:\\Help\\", "C:\\Help\\"}, // kept for the outputs to report
    };
    for (const Case& c : cases) {
        TQrx project;
        project.ReadFromIni(writeUtf16("root.qrx", "[GENERAL]\nVer=1\nRootDir=" + c.stored + "\n"));
        EXPECT_EQ(project.RootDir, c.expected) << c.stored.toStdString();
    }
}

TEST_F(ProjectFileRead, TreeIsRebuiltFromLevelsAndKinds)
{
    const QString topics = QStringLiteral(
        "[TOPICS]\nTitleList=9\n"
        "TitleList.Title.0=Heading\nTitleList.Level.0=0\nTitleList.Status.0=2\n"
        "TitleList.Title.1=Jumps two levels\nTitleList.Level.1=2\nTitleList.Url.1=a.htm\n"
        "TitleList.Title.2=Back to one\nTitleList.Level.2=1\nTitleList.Url.2=b.htm\n"
        "TitleList.Title.3=Negative level\nTitleList.Level.3=-5\n"
        "TitleList.Title.4=Out of TOC\nTitleList.Level.4=0\nTitleList.Kind.4=1\n"
        "TitleList.Title.5=Its child\nTitleList.Level.5=1\nTitleList.Kind.5=0\n"
        "TitleList.Title.6=Template\nTitleList.Level.6=0\nTitleList.Kind.6=2\n"
        "TitleList.Title.7=Unknown kind\nTitleList.Level.7=0\nTitleList.Kind.7=7\n"
        "TitleList.Title.8=Keywords\nTitleList.Level.8=0\nTitleList.Keywords.8=alpha`\\beta`\\\n");
    TQrx project;
    project.ReadFromIni(writeUtf16("tree.qrx", "[GENERAL]\nVer=1\n" + topics));
    EXPECT_EQ(outline(project),
        (QStringList{"Table of contents", "  Heading", "    Jumps two levels*", "    Back to one", "  Negative level",
            "  Unknown kind", "  Keywords", "Pages out of TOC", "  Out of TOC", "    Its child", "Templates",
            "  Template"}));
    EXPECT_EQ(project.tnTableOfContents->child(3)->entry().Keywords, "alpha\r\nbeta\r\n");
    EXPECT_EQ(project.tnUnvisiblePages->child(0)->child(0)->entry().Kind, 1); // recomputed
    EXPECT_EQ(project.tnUnvisiblePages->child(0)->imageIndex(), 44);
    EXPECT_EQ(project.tnTableOfContents->imageIndex(), 43); // expanded root
}

TEST_F(ProjectFileRead, DamagedFilesOpenWhatCanBeReadOrFailClearly)
{
    TQrx project;
    try {
        project.ReadFromIni(dir.filePath("nothing.qrx"));
        FAIL() << "no error";
    } catch (const EQuorixError& error) {
        EXPECT_EQ(error.message(), dir.filePath("nothing.qrx") + " doesn't exist!");
    }
    EXPECT_THROW(project.ReadFromIni(dir.path()), EQuorixError);

    // A count of two billion with a few entries reads those entries.
    project.ReadFromIni(writeUtf16("count.qrx",
        "[GENERAL]\nVer=1\n[TOPICS]\nTitleList=2000000000\nTitleList.Title.0=a\nTitleList.Title.1=b\n"
        "TitleList.Title.2=c\nTitleList.Title.1999999999=far\nTitleList.Title.2147483647=last\n"
        "TitleList.Title.2147483648=beyond any number\n"));
    EXPECT_EQ(outline(project), (QStringList{"Table of contents*", "  a", "  b", "  c", "  far", "  last",
                                    "Pages out of TOC", "Templates"}));

    // A file cut in the middle of a line keeps what came before.
    QByteArray truncated = utf16File(withCrLf("[GENERAL]\nVer=1\nTitle=Kept\n[TOPICS]\nTitleList=2\n"
                                              "TitleList.Title.0=First\nTitleList.Title.1=Sec"));
    truncated.chop(3); // half a character at the end
    project.Clear();
    project.ReadFromIni(write("truncated.qrx", truncated));
    EXPECT_EQ(project.Title, "Kept");
    EXPECT_EQ(project.Tree().topicCount(), 2);

}

TEST_F(ProjectFileRead, WhatIsNoProjectFileIsRefusedAndLeftAlone)
{
    QByteArray noise(300000, '\0');
    quint32 state = 12345;
    for (char& byte : noise) {
        state = state * 1103515245u + 12345u;
        byte = char(state >> 16);
    }
    struct Case {
        const char* label;
        QByteArray bytes;
    };
    const Case cases[] = {
        {"random bytes", noise},
        {"random bytes after a UTF-16 mark", "\xFF\xFE" + noise},
        {"random bytes after a UTF-8 mark", "\xEF\xBB\xBF" + noise},
        {"a text file", "Title=Notes\r\nsome words\r\n"},
        {"an INI file of another program", "[Settings]\r\nTitle=x\r\n"},
        {"an empty file", QByteArray()},
    };
    TQrx project;
    project.Title = "Open project";
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        const QString path = write("other.qrx", c.bytes);
        try {
            project.ReadFromIni(path);
            ADD_FAILURE() << "no error";
        } catch (const EQuorixError& error) {
            EXPECT_EQ(error.message(), path + " is not a project file: it has neither a [GENERAL] nor a [TOPICS] section.");
        }
        EXPECT_THROW(project.ImportTocFromAnotherIni(path), EQuorixError);
        EXPECT_EQ(project.Title, "Open project");
        EXPECT_EQ(readBytes(path), c.bytes);
    }
    // Either section alone is a project file.
    EXPECT_NO_THROW(project.ReadFromIni(write("topics.qrx", "[TOPICS]\r\nTitleList=0\r\n")));
    EXPECT_NO_THROW(project.ReadFromIni(write("general.qrx", "[general]\r\nver=1\r\n")));
}

TEST_F(ProjectFileRead, PipesAndDevicesAreRefusedAtOnce)
{
    const QString fifo = dir.filePath("pipe.qrx");
    ASSERT_EQ(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    for (const QString& path : {fifo, QStringLiteral("/dev/zero"), QStringLiteral("/dev/null")}) {
        SCOPED_TRACE(path.toStdString());
        TQrx project;
        try {
            project.ReadFromIni(path);
            ADD_FAILURE() << "no error";
        } catch (const EQuorixError& error) {
            EXPECT_TRUE(error.message().startsWith(path + " is not a regular file")) << error.message().toStdString();
        }
        EXPECT_THROW(project.ImportTocFromAnotherIni(path), EQuorixError);
    }
}

TEST_F(ProjectFileRead, EveryTopicIsReadWhateverTheCountSaysAndTheAuthorIsTold)
{
    const QString three = "TitleList.Title.0=a\nTitleList.Title.1=b\nTitleList.Level.2=0\nTitleList.Title.2=c\n";
    struct Case {
        const char* label;
        QString topics;
        QStringList titles;
        QString warning;
    };
    const Case cases[] = {
        {"count right", "TitleList=3\n" + three, {"a", "b", "c"}, ""},
        {"count missing", three, {"a", "b", "c"},
            "The project file does not say how many topics it holds; all 3 were read."},
        {"count malformed", "TitleList=three\n" + three, {"a", "b", "c"},
            "The project file does not say how many topics it holds; all 3 were read."},
        {"count too small", "TitleList=1\n" + three, {"a", "b", "c"},
            "The project file says it holds 1 topic but holds 3; all 3 were read."},
        {"count zero, one topic", "TitleList=0\nTitleList.Url.0=x.htm\n", {""},
            "The project file says it holds 0 topics but holds 1; the one topic was read."},
        {"count too large", "TitleList=5\n" + three, {"a", "b", "c"},
            "The project file says it holds 5 topics but holds 3; all 3 were read."},
        {"count without topics", "TitleList=2\n", {}, "The project file says it holds 2 topics but holds none."},
        {"neither count nor topics", "", {}, ""},
        // Keys that are no topic's make no topic.
        {"foreign keys", "TitleList=1\nTitleList.Title.0=a\nTitleList.Title.01=zero\nTitleList.Note.1=n\n"
                         "TitleList.Title.x=x\nTitleList.Title.-1=minus\nTitleListTitle.2=glued\n",
            {"a"}, ""},
        {"gap in the numbers", "TitleList=4\nTitleList.Title.0=a\nTitleList.Title.3=d\n", {"a", "d"},
            "The project file says it holds 4 topics but holds 2; all 2 were read."},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        TQrx project;
        project.ReadFromIni(writeUtf16("count.qrx", "[GENERAL]\nVer=1\n[TOPICS]\n" + c.topics));
        QStringList titles;
        for (int row = 0; row < project.tnTableOfContents->childCount(); ++row)
            titles << project.tnTableOfContents->child(row)->text();
        EXPECT_EQ(titles, c.titles);
        EXPECT_EQ(project.LoadWarnings, c.warning.isEmpty() ? QStringList() : QStringList{c.warning});

        // Importing is told the same; opening another project starts afresh.
        TQrx importer;
        importer.ImportTocFromAnotherIni(dir.filePath("count.qrx"));
        EXPECT_EQ(importer.Tree().topicCount(), c.titles.size());
        EXPECT_EQ(importer.LoadWarnings, project.LoadWarnings);
        project.Clear();
        EXPECT_TRUE(project.LoadWarnings.isEmpty());
    }
}

TEST_F(ProjectFileRead, TreeNestedFiftyThousandDeepIsWrittenAndReadBack)
{
    constexpr int Depth = 50000;
    TQrx project;
    TopicNode* parent = project.tnTableOfContents;
    for (int level = 0; level < Depth; ++level) {
        TLeftTreeData entry;
        entry.Url = QStringLiteral("p%1.htm").arg(level);
        parent = project.Tree().appendNode(parent, QString::number(level), entry);
    }
    project.Tree().appendNode(project.tnUnvisiblePages, "outside");
    const QString path = dir.filePath("deep.qrx");
    project.SaveToIni(path);

    TQrx again;
    again.ReadFromIni(path);
    EXPECT_TRUE(again.LoadWarnings.isEmpty());
    EXPECT_EQ(again.Tree().topicCount(), Depth + 1);
    int level = 0;
    for (const TopicNode* node = again.tnTableOfContents->firstChild(); node != nullptr; node = node->firstChild()) {
        ASSERT_EQ(node->childCount(), level + 1 < Depth ? 1 : 0) << level;
        ASSERT_EQ(node->text(), QString::number(level));
        ++level;
    }
    EXPECT_EQ(level, Depth);
    EXPECT_EQ(again.tnUnvisiblePages->childCount(), 1);
    EXPECT_EQ(again.Tree().selected(), again.tnTableOfContents->firstChild());

    // Written again it is the same file.
    const QByteArray first = readBytes(path);
    again.SaveToIni(path);
    EXPECT_EQ(readBytes(path), first);
    EXPECT_TRUE(first.contains(utf16File(QStringLiteral("TitleList.Level.49999=49999\r\n")).mid(2)));
}

TEST_F(ProjectFileRead, ImportAppendsTheOtherTableOfContents)
{
    const QString other = writeUtf16("other.qrx",
        "[GENERAL]\nVer=1\n[TOPICS]\nTitleList=5\n"
        "TitleList.Title.0=X\nTitleList.Level.0=0\nTitleList.Url.0=x.htm\nTitleList.ContextNumber.0=1000\n"
        "TitleList.Title.1=X1\nTitleList.Level.1=1\n"
        "TitleList.Title.2=Y\nTitleList.Level.2=0\n"
        "TitleList.Title.3=Hidden\nTitleList.Level.3=0\nTitleList.Kind.3=1\n"
        "TitleList.Title.4=After hidden\nTitleList.Level.4=0\n");
    TQrx project;
    project.Tree().appendNode(project.tnTableOfContents, "Existing");
    int loads = 0;
    project.FOnLoad = [&loads](TQrx*) { ++loads; };
    project.ImportTocFromAnotherIni(other);
    EXPECT_EQ(outline(project), (QStringList{"Table of contents", "  Existing", "  X*", "    X1", "  Y*",
                                    "Pages out of TOC", "Templates"}));
    EXPECT_EQ(project.tnTableOfContents->child(1)->entry().Url, "x.htm");
    EXPECT_TRUE(project.ProjectChanged);
    EXPECT_EQ(loads, 1);
    EXPECT_THROW(project.ImportTocFromAnotherIni(dir.filePath("missing.qrx")), EQuorixError);
    EXPECT_EQ(project.Tree().topicCount(), 4);
}

TEST_F(ProjectFileRead, FailedSaveKeepsTheOldFileAndTheUnsavedMark)
{
    const QString path = dir.filePath("keep.qrx");
    TQrx project;
    project.Title = "Old";
    project.SaveToIni(path);
    const QByteArray old = readBytes(path);

    project.Title = "New";
    project.ProjectChanged = true;
    // The target's folder cannot take a new file.
    QFile::setPermissions(dir.path(), QFile::ReadOwner | QFile::ExeOwner);
    const bool canStillWrite = QFileInfo(dir.path()).isWritable(); // root ignores permissions
    if (!canStillWrite) {
        EXPECT_THROW(project.SaveToIni(path), EQuorixError);
        EXPECT_TRUE(project.ProjectChanged);
        EXPECT_EQ(readBytes(path), old);
    }
    QFile::setPermissions(dir.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);

    // A folder in the way of the file fails the same way.
    QDir().mkpath(dir.filePath("taken.qrx"));
    EXPECT_THROW(project.SaveToIni(dir.filePath("taken.qrx")), EQuorixError);
    EXPECT_TRUE(project.ProjectChanged);
}

} // namespace
