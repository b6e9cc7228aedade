// Quorix's own HTML Help compiler: HTML Help Workshop projects and the
// projects Quorix writes, compiled and read back by every reader here.
#include "ChmReadersCheck.h"
#include "CompilerTestSupport.h"
#include "QuorixError.h"
#include "TCHMProjectWriter.h"
#include "TCompilerOutputHost.h"
#include "THhpProject.h"
#include "TNativeHTMLHelpCompiler.h"
#include "output/GeneratedHtmlHelp.h"

#include <QMap>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

using CompilerTest::ReadBytes;
using CompilerTest::WriteBytes;

// A project as HTML Help Workshop writes one: options, a window, files in
// a sub-folder named with "\" and other case, context numbers from an
// included header, aliases from an included file, one missing page, one
// outside the project's folder and one whose name is too long.
void WriteWorkshopProject(const QString& folder)
{
    WriteBytes(folder + "/Topics/Intro.htm", "<html><head><title>Intro</title></head><body>Intro</body></html>");
    WriteBytes(folder + "/Topics/second.htm", "<html><head><title>Second</title></head><body>2</body></html>");
    WriteBytes(folder + "/images/logo.gif", QByteArray("GIF89a\x01\x00\x01\x00\x00\xff\x00,", 14));
    WriteBytes(folder + "/help.hhc", "<html><body><ul><li><object type=\"text/sitemap\"></object></ul></body></html>");
    WriteBytes(folder + "/help.hhk", "<html><body><ul></ul></body></html>");
    WriteBytes(folder + "/ctx.h", "// context numbers\r\n#define IDH_INTRO 100\r\n#define IDH_SECOND 0x65\r\n");
    WriteBytes(folder + "/alias.txt", "IDH_SECOND=topics\\second.htm\r\n");
    WriteBytes(folder + "/help.hhp",
               "[OPTIONS]\r\nCompatibility=1.1 or later\r\nCompiled file=out\\help.chm\r\nContents file=help.hhc\r\n"
               "Index file=help.hhk\r\nDefault Window=main\r\nDefault topic=topics\\intro.htm\r\n"
               "Language=0x804 Chinese (PRC)\r\nTitle=Workshop help\r\n\r\n"
               "[WINDOWS]\r\nmain=\"Workshop help\",\"help.hhc\",\"help.hhk\",\"topics\\intro.htm\",,,,,,0x2520,,"
               "0x3006,,,,,,,,0\r\n\r\n"
               "[FILES]\r\ntopics\\intro.htm\r\nTopics\\second.htm\r\nimages\\logo.gif\r\ntopics\\missing.htm\r\n"
               "..\\outside.htm\r\n" + QByteArray(1100, 'n') + ".htm\r\n\r\n"
               "[ALIAS]\r\nIDH_INTRO=topics\\intro.htm\r\n#include alias.txt\r\n\r\n"
               "[MAP]\r\n#include ctx.h\r\n\r\n[INFOTYPES]\r\n");
}

TEST(NativeCompiler, CompilesAWorkshopProjectAndWarnsOfAMissingPage)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    WriteWorkshopProject(dir.path());
    QStringList lines;
    TNativeHTMLHelpCompiler compiler;
    const TCompileResult result = compiler.CompileHHP(
        dir.filePath("help.hhp"), [&](const QString& line) { lines.append(line); }, {});
    ASSERT_TRUE(result.Succeeded) << result.Message.toStdString();
    EXPECT_EQ(result.CompiledFile, dir.filePath("out/help.chm"));
    const QStringList warnings = lines.filter(QStringLiteral("Warning:"));
    ASSERT_EQ(warnings.size(), 3) << lines.join('\n').toStdString();
    EXPECT_TRUE(warnings[0].contains(QStringLiteral("missing.htm")));
    EXPECT_TRUE(warnings[1].contains(QStringLiteral("outside the project's folder")));
    EXPECT_TRUE(warnings[2].contains(QStringLiteral("longer than")));

    ChmReadersCheck::ExpectEveryReader(result.CompiledFile,
                                       {{"/topics/intro.htm", ReadBytes(dir.filePath("Topics/Intro.htm"))},
                                        {"/Topics/second.htm", ReadBytes(dir.filePath("Topics/second.htm"))},
                                        {"/images/logo.gif", ReadBytes(dir.filePath("images/logo.gif"))},
                                        {"/help.hhc", ReadBytes(dir.filePath("help.hhc"))},
                                        {"/help.hhk", ReadBytes(dir.filePath("help.hhk"))}});
    ChmReader help(result.CompiledFile);
    EXPECT_FALSE(help.names().contains("/topics/missing.htm"));
    EXPECT_EQ(help.systemEntry(0), "help.hhc");
    EXPECT_EQ(help.systemEntry(1), "help.hhk");
    EXPECT_EQ(help.systemEntry(2), "topics/intro.htm");
    EXPECT_EQ(help.systemEntry(3), "Workshop help");
    EXPECT_EQ(help.systemEntry(5), "main");
    const QByteArray flags = help.systemEntryBytes(4);
    ASSERT_GE(flags.size(), 4);
    EXPECT_EQ(quint8(flags[0]) | quint8(flags[1]) << 8, 0x804);
}

TEST(NativeCompiler, ReadsOptionsWindowsContextNumbersAndAliasesThroughIncludes)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    WriteWorkshopProject(dir.path());
    const THhpProject project = THhpProject::Read(dir.filePath("help.hhp"));
    EXPECT_EQ(project.Option("compiled FILE"), "out\\help.chm");
    EXPECT_EQ(project.LanguageId(0x409), 0x804u);
    ASSERT_EQ(project.Windows.size(), 1);
    EXPECT_EQ(project.Windows.front().first, "main");
    EXPECT_EQ(project.Files.size(), 6);
    const QList<std::pair<QByteArray, quint32>> map = {{"IDH_INTRO", 100}, {"IDH_SECOND", 0x65}};
    EXPECT_EQ(project.Map, map);
    const QList<std::pair<QByteArray, QByteArray>> aliases = {{"IDH_INTRO", "topics\\intro.htm"},
                                                              {"IDH_SECOND", "topics\\second.htm"}};
    EXPECT_EQ(project.Aliases, aliases);
    EXPECT_TRUE(project.Warnings.isEmpty()) << project.Warnings.join('\n').toStdString();
}

TEST(NativeCompiler, UnreadableIncludesAreWarningsAndCyclesEnd)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    WriteBytes(dir.filePath("help.hhp"), "[OPTIONS]\nCompiled file=help.chm\n[MAP]\n#include self.h\n#include gone.h\n");
    // Three includes of itself: cut only by depth, this was read 3^depth times.
    WriteBytes(dir.filePath("self.h"), "#define IDH_A 1\n#include self.h\n#include self.h\n#include \"self.h\"\n");
    const THhpProject project = THhpProject::Read(dir.filePath("help.hhp"));
    EXPECT_EQ(project.Warnings.filter("gone.h").size(), 1);
    EXPECT_EQ(project.Warnings.filter("self.h").size(), 3);
    const QList<std::pair<QByteArray, quint32>> map = {{"IDH_A", 1}};
    EXPECT_EQ(project.Map, map);
    EXPECT_THROW(THhpProject::Read(dir.filePath("none.hhp")), EQuorixError);
}

// A project file named like one of the help file's own tables would sit
// beside it under the same name, and readers would take either.
TEST(NativeCompiler, FilesNamedLikeTheHelpFilesOwnTablesAreLeftOut)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    WriteBytes(dir.filePath("intro.htm"), "<html><head><title>Intro</title></head><body>Intro</body></html>");
    WriteBytes(dir.filePath("#system"), "not the system table");
    WriteBytes(dir.filePath("#STRINGS"), "not the string table");
    WriteBytes(dir.filePath("help.hhp"), "[OPTIONS]\nCompiled file=help.chm\nTitle=Own tables\n"
                                         "Default topic=intro.htm\n[FILES]\nintro.htm\n#system\n#STRINGS\n");
    QStringList lines;
    TNativeHTMLHelpCompiler compiler;
    const TCompileResult result = compiler.CompileHHP(
        dir.filePath("help.hhp"), [&](const QString& line) { lines.append(line); }, {});
    ASSERT_TRUE(result.Succeeded) << result.Message.toStdString();
    const QStringList warnings = lines.filter(QStringLiteral("help file's own"));
    ASSERT_EQ(warnings.size(), 2) << lines.join('\n').toStdString();
    EXPECT_TRUE(warnings[0].contains(QStringLiteral("#system")));
    EXPECT_TRUE(warnings[1].contains(QStringLiteral("#STRINGS")));
    ChmReader help(result.CompiledFile);
    const QStringList names(help.names().cbegin(), help.names().cend());
    EXPECT_EQ(names.filter(QStringLiteral("/#system"), Qt::CaseInsensitive).size(), 1);
    EXPECT_EQ(names.filter(QStringLiteral("/#strings"), Qt::CaseInsensitive).size(), 1);
    EXPECT_EQ(help.systemEntry(3), "Own tables");
}

// "Compiled file" naming the project or one of its pages would write the
// help file over the author's file.
TEST(NativeCompiler, AHelpFileNamedLikeAProjectFileIsNotWrittenOverIt)
{
    for (const char* compiled : {"intro.htm", "help.hhp", "Help.hhc"}) {
        SCOPED_TRACE(compiled);
        QTemporaryDir dir;
        ASSERT_TRUE(dir.isValid());
        WriteBytes(dir.filePath("intro.htm"), "<html><body>Intro</body></html>");
        WriteBytes(dir.filePath("Help.hhc"), "<html><body><ul></ul></body></html>");
        WriteBytes(dir.filePath("help.hhp"), QByteArray("[OPTIONS]\nContents file=Help.hhc\nCompiled file=") + compiled
                                                 + "\n[FILES]\nintro.htm\n");
        const QByteArray before = ReadBytes(dir.filePath(compiled));
        TNativeHTMLHelpCompiler compiler;
        const TCompileResult result = compiler.CompileHHP(dir.filePath("help.hhp"), {}, {});
        EXPECT_FALSE(result.Succeeded);
        EXPECT_TRUE(result.Message.contains(QStringLiteral("one of the project's own files")))
            << result.Message.toStdString();
        EXPECT_EQ(ReadBytes(dir.filePath(compiled)), before);
    }
}

TEST(NativeCompiler, CancelingLeavesTheOldHelpFile)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    WriteWorkshopProject(dir.path());
    WriteBytes(dir.filePath("out/help.chm"), "old");
    TNativeHTMLHelpCompiler compiler;
    const TCompileResult result
        = compiler.CompileHHP(dir.filePath("help.hhp"), {}, [](const QString&) { return false; });
    EXPECT_FALSE(result.Succeeded);
    EXPECT_EQ(ReadBytes(dir.filePath("out/help.chm")), "old");
}

quint32 Dword(const QByteArray& bytes, qsizetype at)
{
    if (at < 0 || at + 4 > bytes.size())
        return 0xFFFFFFFF;
    return quint32(quint8(bytes[at])) | quint32(quint8(bytes[at + 1])) << 8 | quint32(quint8(bytes[at + 2])) << 16
        | quint32(quint8(bytes[at + 3])) << 24;
}

QByteArray StringAt(const QByteArray& bytes, quint32 offset)
{
    return offset < quint32(bytes.size()) ? bytes.mid(offset).split('\0').front() : QByteArray("?");
}

// The context map as a reader decodes it: each context number with the
// page name it opens, read from /#IVB and /#STRINGS.
QMap<quint32, QByteArray> ContextMap(const ChmReader& help)
{
    const QByteArray ivb = help.read("/#IVB");
    const QByteArray strings = help.read("/#STRINGS");
    QMap<quint32, QByteArray> map;
    if (ivb.size() < 4 || Dword(ivb, 0) != quint32(ivb.size() - 4))
        return map;
    for (qsizetype at = 4; at + 8 <= ivb.size(); at += 8) {
        const quint32 offset = Dword(ivb, at + 4);
        map.insert(Dword(ivb, at), StringAt(strings, offset));
    }
    return map;
}

TEST(NativeCompiler, ContextMapResolvesEveryAliasToItsPageInsideTheHelpFile)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    WriteBytes(dir.filePath("Topics/Intro.htm"), "<html><body>Intro</body></html>");
    WriteBytes(dir.filePath("topics/second.htm"), "<html><body>Second</body></html>");
    WriteBytes(dir.filePath("help.h"), "#define IDH_INTRO 10\n#define IDH_ALSO_INTRO 11\n#define IDH_SECOND 12\n"
                                       "#define IDH_GONE 13\n#define IDH_UNUSED 14\n");
    WriteBytes(dir.filePath("help.hhp"),
               "[OPTIONS]\r\nCompiled file=help.chm\r\n\r\n[FILES]\r\nTopics\\Intro.htm\r\ntopics\\second.htm\r\n\r\n"
               "[ALIAS]\r\nIDH_INTRO=topics\\intro.htm\r\nIDH_ALSO_INTRO=Topics\\Intro.htm\r\n"
               "IDH_SECOND=topics\\second.htm#part\r\nIDH_GONE=topics\\gone.htm\r\nIDH_NONE=topics\\second.htm\r\n\r\n"
               "[MAP]\r\n#include help.h\r\n");
    QStringList lines;
    TNativeHTMLHelpCompiler compiler;
    const TCompileResult result = compiler.CompileHHP(
        dir.filePath("help.hhp"), [&](const QString& line) { lines.append(line); }, {});
    ASSERT_TRUE(result.Succeeded) << result.Message.toStdString();

    ChmReader help(result.CompiledFile);
    const QMap<quint32, QByteArray> expected = {
        {10, "Topics/Intro.htm"}, {11, "Topics/Intro.htm"}, {12, "topics/second.htm#part"}};
    const QMap<quint32, QByteArray> map = ContextMap(help);
    EXPECT_EQ(map, expected);
    const QSet<QString> names = help.names();
    for (const QByteArray& page : map)
        EXPECT_TRUE(names.contains('/' + QString::fromUtf8(page.split('#').front()))) << page.toStdString();

    const QStringList warnings = lines.filter(QStringLiteral("Warning:"));
    for (const char* named : {"IDH_GONE", "IDH_NONE", "IDH_UNUSED"})
        EXPECT_EQ(warnings.filter(QLatin1String(named)).size(), 1) << named << "\n" << lines.join('\n').toStdString();
    EXPECT_EQ(warnings.size(), 3);
}

// Each topic as a reader finds it: #TOPICS gives the title in #STRINGS and
// the entry in #URLTBL, which gives the page's name in #URLSTR.
struct DecodedTopic {
    QByteArray name;
    QByteArray title;
    bool inContents;
    bool operator==(const DecodedTopic&) const = default;
};

std::vector<DecodedTopic> DecodeTopics(const ChmReader& help)
{
    const QByteArray topics = help.read("/#TOPICS");
    const QByteArray urlTable = help.read("/#URLTBL");
    const QByteArray urlStrings = help.read("/#URLSTR");
    const QByteArray strings = help.read("/#STRINGS");
    std::vector<DecodedTopic> decoded;
    for (qsizetype at = 0; at + 16 <= topics.size(); at += 16) {
        const quint32 title = Dword(topics, at + 4);
        const quint32 url = Dword(topics, at + 8);
        const bool indexMatches = Dword(urlTable, url + 4) == quint32(at / 16);
        decoded.push_back({indexMatches ? StringAt(urlStrings, Dword(urlTable, url + 8) + 8) : "?",
                           title == 0xFFFFFFFF ? QByteArray() : StringAt(strings, title),
                           quint8(topics[at + 12]) == 6});
    }
    return decoded;
}

TEST(NativeCompiler, TopicTablesNameEveryPageWithItsTitle)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    WriteWorkshopProject(dir.path());
    WriteBytes(dir.filePath("help.hhc"), "<html><body><ul><li><object type=\"text/sitemap\"><param name=\"Name\" "
                                         "value=\"Intro\"><PARAM NAME=\"Local\" VALUE=\"Topics\\Intro.htm#top\">"
                                         "</object><li><object type=\"text/sitemap\"><param name=\"Local\" "
                                         "value=\"topics/second.htm\"></object></ul></body></html>");
    WriteBytes(dir.filePath("Topics/second.htm"), "<HTML><HEAD><TITLE>\n  Second\n  page </TITLE></HEAD></HTML>");
    TNativeHTMLHelpCompiler compiler;
    const TCompileResult result = compiler.CompileHHP(dir.filePath("help.hhp"), {}, {});
    ASSERT_TRUE(result.Succeeded) << result.Message.toStdString();
    ChmReader help(result.CompiledFile);
    const std::vector<DecodedTopic> expected = {{"topics/intro.htm", "Intro", true},
                                                {"Topics/second.htm", "Second page", true}};
    EXPECT_EQ(DecodeTopics(help), expected);
}

// A project that names its pages in the help's code page (GBK here), as HTML
// Help Workshop projects do, finds the UTF-8 files and stores UTF-8 names.
TEST(NativeCompiler, PagesNamedInTheHelpsCodePageAreStoredUnderTheirUtf8Names)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QByteArray page = "<html><head><title>\xB8\xC5\xCA\xF6</title></head><body>x</body></html>";
    WriteBytes(dir.filePath(QStringLiteral("topics/概述.htm")), page);
    WriteBytes(dir.filePath("ctx.h"), "#define IDH_OVERVIEW 5\n");
    // "概述" in GBK.
    WriteBytes(dir.filePath("help.hhp"), "[OPTIONS]\r\nCompiled file=help.chm\r\nLanguage=0x804\r\n"
                                         "Default topic=topics\\\xB8\xC5\xCA\xF6.htm\r\n\r\n"
                                         "[FILES]\r\ntopics\\\xB8\xC5\xCA\xF6.htm\r\n\r\n"
                                         "[ALIAS]\r\nIDH_OVERVIEW=topics\\\xB8\xC5\xCA\xF6.htm\r\n\r\n"
                                         "[MAP]\r\n#include ctx.h\r\n");
    QStringList lines;
    TNativeHTMLHelpCompiler compiler;
    const TCompileResult result = compiler.CompileHHP(
        dir.filePath("help.hhp"), [&](const QString& line) { lines.append(line); }, {});
    ASSERT_TRUE(result.Succeeded) << result.Message.toStdString();
    EXPECT_TRUE(lines.filter(QStringLiteral("Warning:")).isEmpty()) << lines.join('\n').toStdString();
    const QString name = QStringLiteral("/topics/概述.htm");
    ChmReadersCheck::ExpectEveryReader(result.CompiledFile, {{name, page}});
    ChmReader help(result.CompiledFile);
    const QMap<quint32, QByteArray> expected = {{5, name.mid(1).toUtf8()}};
    EXPECT_EQ(ContextMap(help), expected);
    EXPECT_EQ(help.systemEntry(2), name.mid(1).toUtf8());
}

// A generated project of 2,000 topics written by the output code, as a
// build compiles it.
TEST(NativeCompiler, GeneratedProjectOfTwoThousandTopicsReadsByteIdentical)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    GeneratorOptions options;
    options.topicCount = 2000;
    options.seed = 11;
    GeneratedProject generated;
    TQrx project;
    TContents contents;
    TCHMProject chm;
    const QString work = dir.filePath("work") + QLatin1Char('/');
    ASSERT_TRUE(
        OutputTest::PrepareGeneratedHtmlHelp(dir.path(), options, work, &generated, &project, &contents, &chm));
    TNativeHTMLHelpCompiler compiler;
    QStringList lines;
    TCompilerOutputHost host(compiler, [&](const QString& line) { lines.append(line); }, {});
    TCHMProjectWriter(chm).Output(true, false, false, &host);
    ASSERT_TRUE(host.Compiled()) << host.Result().Message.toStdString();
    EXPECT_TRUE(lines.filter(QStringLiteral("Warning:")).isEmpty()) << lines.join('\n').toStdString();

    ChmReadersCheck::TExpected expected;
    for (const GeneratedTopic& topic : generated.topics) {
        const QString name = QString(topic.url).replace('\\', '/');
        expected.insert('/' + name, ReadBytes(generated.rootDir + name));
    }
    for (const QString& file : generated.resourceFiles) {
        const QString name = QString(file).replace('\\', '/');
        expected.insert('/' + name, ReadBytes(generated.rootDir + name));
    }
    expected.insert("/help.hhc", ReadBytes(work + "help.hhc"));
    expected.insert("/help.hhk", ReadBytes(work + "help.hhk"));
    ChmReadersCheck::ExpectEveryReader(work + "help.chm", expected);
    ChmReader help(work + "help.chm");
    EXPECT_EQ(help.systemEntry(3), "Generated help");
    EXPECT_EQ(help.systemEntry(2), QString(chm.DefaultTopic).replace('\\', '/').toUtf8());
}

// The window a project defines, as python3-chm (an independent reader) and
// the entry's own fields give it back: its pages named inside the help file.
TEST(NativeCompiler, WritesTheProjectsWindow)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    WriteWorkshopProject(dir.path());
    TNativeHTMLHelpCompiler compiler;
    const TCompileResult result = compiler.CompileHHP(dir.filePath("help.hhp"), {}, {});
    ASSERT_TRUE(result.Succeeded) << result.Message.toStdString();

    QProcess reader;
    reader.setProcessChannelMode(QProcess::MergedChannels);
    reader.start(QStringLiteral("/usr/bin/python3"),
                 {QStringLiteral("-c"),
                  QStringLiteral("import sys\nfrom chm.chm import CHMFile\nf = CHMFile()\nf.LoadCHM(sys.argv[1])\n"
                                 "sys.stdout.buffer.write(b'|'.join([f.topics, f.index, f.home]))"),
                  result.CompiledFile});
    ASSERT_TRUE(reader.waitForFinished(30000));
    EXPECT_EQ(reader.readAll(), "/help.hhc|/help.hhk|/topics/intro.htm");

    ChmReader help(result.CompiledFile);
    const QByteArray windows = help.read("/#WINDOWS");
    const QByteArray strings = help.read("/#STRINGS");
    ASSERT_EQ(windows.size(), 8 + 196);
    EXPECT_EQ(Dword(windows, 0), 1u);
    EXPECT_EQ(Dword(windows, 4), 196u);
    const QByteArray entry = windows.mid(8);
    EXPECT_EQ(StringAt(strings, Dword(entry, 0x08)), "main");
    EXPECT_EQ(StringAt(strings, Dword(entry, 0x14)), "Workshop help");
    EXPECT_EQ(Dword(entry, 0x10), 0x2520u); // navigation style
    EXPECT_EQ(Dword(entry, 0x70), 0x3006u); // buttons
    EXPECT_EQ(Dword(entry, 0x0C) & 0x102u, 0x102u);
}

} // namespace
