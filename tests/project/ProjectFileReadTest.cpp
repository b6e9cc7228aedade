#include "ProjectFileTestSupport.h"

#include "QuorixError.h"
#include "ProgramFolder.h"
#include "TIniFile.h"

#include <QDir>
#include <QLocale>
#include <gtest/gtest.h>

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

TEST(IniReader, ByteOrderMarksChooseTheEncoding)
{
    const QString text = QStringLiteral("[S]\r\nK=Grüße 你好\r\n");
    QByteArray utf16be("\xFE\xFF", 2);
    for (QChar c : text)
        utf16be.append(char(c.unicode() >> 8)).append(char(c.unicode() & 0xFF));
    const QByteArray inputs[] = {utf16File(text), utf16be, QByteArray("\xEF\xBB\xBF") + text.toUtf8()};
    for (const QByteArray& bytes : inputs) {
        const TIniFile ini = TIniFile::FromBytes(bytes);
        EXPECT_TRUE(ini.HadByteOrderMark());
        EXPECT_EQ(ini.ReadString(u"S", u"K", {}), "Grüße 你好");
    }
    // Without a mark: the system ANSI code page (1252 on a U.S. English system).
    EXPECT_EQ(TIniFile::FromBytes("[S]\nK=Gr\xFC\xDF" "e").ReadString(u"S", u"K", {}), "Grüße");
    // Explicit UTF-8 skips only its own mark; 7-bit ASCII recognises none.
    EXPECT_EQ(TIniFile::FromBytes("\xEF\xBB\xBF[S]\nK=\xC3\xA9", TIniFile::Encoding::Utf8).ReadString(u"S", u"K", {}),
        "é");
    EXPECT_FALSE(TIniFile::FromBytes("\xEF\xBB\xBF[S]\nK=v", TIniFile::Encoding::UsAscii).HasKey(u"S", u"K"));
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

TEST_F(ProjectFileRead, VersionDecidesTheEncoding)
{
    // Version 2 is UTF-8; the file is rewritten with the UTF-8 mark.
    const QByteArray version2 = "[GENERAL]\r\nVer=2\r\nTitle=Grüße\r\n";
    const QString path2 = write("v2.qrx", version2);
    TQrx project;
    project.ReadFromIni(path2);
    EXPECT_EQ(project.Title, "Grüße");
    EXPECT_EQ(readBytes(path2), QByteArray("\xEF\xBB\xBF") + version2);
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{"v2.qrx"}); // no temporary file left

    // No version: 7-bit text.
    project.Clear();
    project.ReadFromIni(write("v0.qrx", "[GENERAL]\r\nTitle=Gr\xFC\xDF" "e\r\n"));
    EXPECT_EQ(project.Ver, 0);
    EXPECT_EQ(project.Title, QString::fromUtf16(u"Gr\uFFFD\uFFFDe"));

    // A byte-order mark is believed even without a version.
    project.Clear();
    project.ReadFromIni(writeUtf16("marked.qrx", "[GENERAL]\nTitle=你好\n"));
    EXPECT_EQ(project.Title, "你好");
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

    // A count of two billion with three entries reads the three.
    project.ReadFromIni(writeUtf16("count.qrx",
        "[GENERAL]\nVer=1\n[TOPICS]\nTitleList=2000000000\nTitleList.Title.0=a\nTitleList.Title.1=b\n"
        "TitleList.Title.2=c\nTitleList.Title.1999999999=far\nTitleList.Title.2000000000=beyond\n"));
    EXPECT_EQ(outline(project), (QStringList{"Table of contents*", "  a", "  b", "  c", "  far", "Pages out of TOC",
                                    "Templates"}));

    // A file cut in the middle of a line keeps what came before.
    QByteArray truncated = utf16File(withCrLf("[GENERAL]\nVer=1\nTitle=Kept\n[TOPICS]\nTitleList=2\n"
                                              "TitleList.Title.0=First\nTitleList.Title.1=Sec"));
    truncated.chop(3); // half a character at the end
    project.Clear();
    project.ReadFromIni(write("truncated.qrx", truncated));
    EXPECT_EQ(project.Title, "Kept");
    EXPECT_EQ(project.Tree().topicCount(), 2);

    // Random bytes give an empty project, not a crash.
    QByteArray noise(300000, '\0');
    quint32 state = 12345;
    for (char& byte : noise) {
        state = state * 1103515245u + 12345u;
        byte = char(state >> 16);
    }
    for (const QByteArray& prefix : {QByteArray(), QByteArray("\xFF\xFE"), QByteArray("\xEF\xBB\xBF")}) {
        project.Clear();
        EXPECT_NO_THROW(project.ReadFromIni(write("noise.qrx", prefix + noise)));
    }
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
