// Full-text search of the native compiler's help files: the words of every
// script found by an independent reader (python3-chm, which decodes the
// search index through chmlib) on the right pages with their titles.
#include "ChmFullTextIndex.h"
#include "ChmPageWords.h"
#include "ChmReadersCheck.h"
#include "CodePages.h"
#include "CompilerTestSupport.h"
#include "TNativeHTMLHelpCompiler.h"

#include <QMap>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

using CompilerTest::ReadBytes;
using CompilerTest::WriteBytes;

// Debian's own interpreter: python3-chm is installed for it.
const QString Python = QStringLiteral("/usr/bin/python3");

// Prints, for each query "MODE:HEX" (w whole word, t whole word in titles,
// p word start), one line of "TITLE=PAGE" pairs in hex.
const char* const SearchScript = R"(
import sys
from chm import chm
f = chm.CHMFile()
if not f.LoadCHM(sys.argv[1]) or not f.IsSearchable():
    sys.exit(2)
for query in sys.argv[2:]:
    mode, text = query.split(':')
    found = f.Search(bytes.fromhex(text), 1 if mode in 'wt' else 0, 1 if mode == 't' else 0)
    hits = found[1] if found else {}
    print(' '.join(sorted(t.hex() + '=' + u.hex() for t, u in hits.items())))
)";

bool ReaderAvailable()
{
    QProcess run;
    run.start(Python, {QStringLiteral("-c"), QStringLiteral("from chm import chm")});
    return run.waitForFinished(30000) && run.exitStatus() == QProcess::NormalExit && run.exitCode() == 0;
}

using THits = QMap<QByteArray, QByteArray>; // title -> page

struct TQuery {
    char Mode;
    QByteArray Text; // in the help's code page
};

std::vector<THits> Search(const QString& chm, const std::vector<TQuery>& queries)
{
    QStringList arguments = {QStringLiteral("-c"), QString::fromLatin1(SearchScript), chm};
    for (const TQuery& query : queries)
        arguments.append(QLatin1Char(query.Mode) + QStringLiteral(":") + QString::fromLatin1(query.Text.toHex()));
    QProcess run;
    run.start(Python, arguments);
    std::vector<THits> results;
    if (!run.waitForFinished(120000) || run.exitCode() != 0) {
        ADD_FAILURE() << "python3-chm cannot search " << chm.toStdString() << ": "
                      << run.readAllStandardError().toStdString();
        return results;
    }
    for (const QByteArray& line : run.readAllStandardOutput().split('\n')) {
        if (results.size() == queries.size())
            break;
        THits hits;
        for (const QByteArray& pair : line.split(' ')) {
            const qsizetype equals = pair.indexOf('=');
            if (equals > 0)
                hits.insert(QByteArray::fromHex(pair.left(equals)), QByteArray::fromHex(pair.mid(equals + 1)));
        }
        results.push_back(hits);
    }
    return results;
}

QByteArray Page(const QByteArray& charset, const QByteArray& title, const QByteArray& body)
{
    return "<html><head><meta http-equiv=\"Content-Type\" content=\"text/html; charset=" + charset
        + "\"><title>" + title + "</title></head><body>" + body + "</body></html>";
}

constexpr int ManyPages = 200;
// A count of 128 is the first with two bytes: read in the wrong byte order,
// it is 1.
constexpr int EncIntStep = 128;
const QByteArray LongWord = QByteArray(300, 'x') + "end";

// One project in two helps: English, Chinese and Russian pages, a word on
// many pages (each with a word of its own, enough for several leaf nodes),
// a very long word, numbers, a page with no text and a word repeated in a
// title. Its pages' names inside the help, by file name.
QStringList WriteSearchProject(const QString& folder, const QByteArray& language)
{
    QByteArray files;
    QStringList names;
    const auto add = [&](const QString& name, const QByteArray& bytes) {
        WriteBytes(folder + QLatin1Char('/') + name, bytes);
        files += name.toUtf8() + "\r\n";
        names.append(name);
    };
    add(QStringLiteral("english.htm"),
        Page("utf-8", "Getting started",
             "<h1>Getting&nbsp;started</h1><p>Install the <b>comp</b>iler first.</p><p>Version 2024, pi is 3.14."
             "</p><!-- hidden comment --><script>var hiddenScript = 1;</script><style>.hiddenStyle {}</style>"
             "<p>tab&#x6C;e and &lt;tags&gt;</p>"));
    // "概述" and "欢迎使用帮助" in GBK.
    add(QStringLiteral("chinese.htm"),
        Page("gb2312", "\xB8\xC5\xCA\xF6",
             "<p>\xBB\xB6\xD3\xAD\xCA\xB9\xD3\xC3\xB0\xEF\xD6\xFA</p><script>var x='\xBD\xC5';</script>"));
    add(QStringLiteral("russian.htm"),
        Page("utf-8", "Обзор", "<p>Ошибка сохранения файла. Привет, мир!</p><p>שלום</p>"));
    add(QStringLiteral("empty.htm"), "<html><body><img src=\"x.gif\"></body></html>");
    add(QStringLiteral("setup.htm"), Page("utf-8", "Setup setup", "<p>Run setup.</p>"));
    add(QStringLiteral("long.htm"), Page("utf-8", "Long", "<p>" + LongWord + "</p>"));
    for (int n = 0; n < ManyPages; ++n)
        add(QStringLiteral("many/p%1.htm").arg(n),
            Page("utf-8", "Many " + QByteArray::number(n),
                 "<p>common word" + QByteArray::number(n) + "unique setup" + (n < EncIntStep ? " step" : "") + "</p>"));
    WriteBytes(folder + "/help.hhp", "[OPTIONS]\r\nCompiled file=help.chm\r\nFull-text search=Yes\r\nLanguage=" + language
                                         + "\r\nTitle=Search\r\n\r\n[FILES]\r\n" + files + "\r\n");
    return names;
}

TCompileResult Compile(const QString& folder, QStringList* lines)
{
    TNativeHTMLHelpCompiler compiler;
    return compiler.CompileHHP(
        folder + "/help.hhp", [&](const QString& line) { lines->append(line); }, {});
}

THits Hits(std::initializer_list<std::pair<QByteArray, QByteArray>> hits)
{
    THits map;
    for (const auto& [title, page] : hits)
        map.insert(title, page);
    return map;
}

// The first `count` of the many pages.
THits ManyHits(int count = ManyPages)
{
    THits hits;
    for (int n = 0; n < count; ++n)
        hits.insert("Many " + QByteArray::number(n), "many/p" + QByteArray::number(n) + ".htm");
    return hits;
}

std::string Describe(const THits& hits)
{
    QByteArrayList pages = hits.values();
    return hits.size() > 5 ? std::to_string(hits.size()) + " pages" : pages.join(' ').toStdString();
}

void ExpectSearches(const QString& chm, const std::vector<std::pair<TQuery, THits>>& cases)
{
    std::vector<TQuery> queries;
    for (const auto& [query, hits] : cases)
        queries.push_back(query);
    const std::vector<THits> results = Search(chm, queries);
    ASSERT_EQ(results.size(), cases.size());
    for (size_t n = 0; n < cases.size(); ++n) {
        EXPECT_TRUE(results[n] == cases[n].second)
            << cases[n].first.Mode << ":" << cases[n].first.Text.toStdString() << " (hex "
            << cases[n].first.Text.toHex().toStdString() << ") finds " << Describe(results[n]) << "\nnot "
            << Describe(cases[n].second);
    }
}

// Every reader lists the pages and the search index byte-identical.
void ExpectReadersAgree(const QString& folder, const QStringList& names)
{
    ChmReadersCheck::TExpected expected;
    for (const QString& name : names)
        expected.insert('/' + name, ReadBytes(folder + '/' + name));
    expected.insert("/$FIftiMain", ChmReader(folder + "/help.chm").read("/$FIftiMain"));
    EXPECT_GT(expected.value("/$FIftiMain").size(), 0);
    ChmReadersCheck::ExpectEveryReader(folder + "/help.chm", expected);
}

TEST(FullTextSearch, ChineseHelpFindsEnglishChineseAndRussianWordsWithTheirTitles)
{
    if (!ReaderAvailable())
        GTEST_SKIP() << "python3-chm is not installed for " << Python.toStdString();
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QStringList names = WriteSearchProject(dir.path(), "0x804 Chinese (PRC)");
    QStringList lines;
    const TCompileResult result = Compile(dir.path(), &lines);
    ASSERT_TRUE(result.Succeeded) << result.Message.toStdString();
    // The Hebrew word is the one GBK cannot hold.
    EXPECT_EQ(lines.filter(QStringLiteral("leaves out 1 words")).size(), 1) << lines.join('\n').toStdString();
    EXPECT_TRUE(lines.filter(QStringLiteral("Warning:")).isEmpty()) << lines.join('\n').toStdString();

    const auto gbk = [](const QString& text) { return TextToAnsi(text, 936); };
    const THits english = Hits({{"Getting started", "english.htm"}});
    const THits chinese = Hits({{gbk(QStringLiteral("概述")), "chinese.htm"}});
    const THits russian = Hits({{gbk(QStringLiteral("Обзор")), "russian.htm"}});
    THits setup = ManyHits();
    setup.insert("Setup setup", "setup.htm");
    ExpectSearches(result.CompiledFile,
                   {
                       {{'w', "compiler"}, english}, // joined across an inline tag
                       {{'w', "getting"}, english},
                       {{'w', "2024"}, english},
                       {{'w', "3.14"}, english},
                       {{'w', "table"}, english}, // a hexadecimal reference
                       {{'w', "tags"}, english},
                       {{'w', "hiddenscript"}, {}},
                       {{'w', "hiddenstyle"}, {}},
                       {{'w', "hidden"}, {}},
                       {{'w', "comp"}, {}},
                       {{'w', gbk(QStringLiteral("欢"))}, chinese},
                       {{'w', gbk(QStringLiteral("助"))}, chinese},
                       {{'w', gbk(QStringLiteral("脚"))}, {}}, // in a script only
                       {{'w', gbk(QStringLiteral("概"))}, chinese}, // in the title only
                       {{'w', gbk(QStringLiteral("ошибка"))}, russian},
                       {{'w', gbk(QStringLiteral("мир"))}, russian},
                       {{'w', "common"}, ManyHits()},
                       {{'w', "step"}, ManyHits(EncIntStep)},
                       {{'w', "word137unique"}, Hits({{"Many 137", "many/p137.htm"}})},
                       {{'p', "word19"}, Hits({{"Many 19", "many/p19.htm"}, {"Many 190", "many/p190.htm"},
                                               {"Many 191", "many/p191.htm"}, {"Many 192", "many/p192.htm"},
                                               {"Many 193", "many/p193.htm"}, {"Many 194", "many/p194.htm"},
                                               {"Many 195", "many/p195.htm"}, {"Many 196", "many/p196.htm"},
                                               {"Many 197", "many/p197.htm"}, {"Many 198", "many/p198.htm"},
                                               {"Many 199", "many/p199.htm"}})},
                       {{'w', "setup"}, setup},
                       {{'t', "setup"}, Hits({{"Setup setup", "setup.htm"}})},
                       {{'t', "run"}, {}},
                       {{'w', LongWord.left(MaxWordLength)}, Hits({{"Long", "long.htm"}})},
                       {{'p', "xxxxxxxx"}, Hits({{"Long", "long.htm"}})},
                       {{'w', "zzz"}, {}},
                       {{'w', "a"}, {}},
                   });
    ExpectReadersAgree(dir.path(), names);
    // The words fill several leaf nodes: the searches above went through the
    // index node above them.
    const QByteArray index = ChmReader(result.CompiledFile).read("/$FIftiMain");
    ASSERT_GT(index.size(), 0x1A);
    EXPECT_EQ(quint8(index[0x18]) | quint8(index[0x19]) << 8, 2);
}

TEST(FullTextSearch, RussianHelpFindsRussianWordsInItsCodePage)
{
    if (!ReaderAvailable())
        GTEST_SKIP() << "python3-chm is not installed for " << Python.toStdString();
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QStringList names = WriteSearchProject(dir.path(), "0x0419");
    QStringList lines;
    const TCompileResult result = Compile(dir.path(), &lines);
    ASSERT_TRUE(result.Succeeded) << result.Message.toStdString();
    // Code page 1251 holds neither the Chinese characters (six in the body,
    // two in the title) nor the Hebrew word.
    EXPECT_EQ(lines.filter(QStringLiteral("leaves out 9 words")).size(), 1) << lines.join('\n').toStdString();

    const auto cp1251 = [](const QString& text) { return TextToAnsi(text, 1251); };
    const THits russian = Hits({{cp1251(QStringLiteral("Обзор")), "russian.htm"}});
    ExpectSearches(result.CompiledFile, {
                                            {{'w', cp1251(QStringLiteral("ошибка"))}, russian},
                                            {{'w', cp1251(QStringLiteral("обзор"))}, russian},
                                            {{'t', cp1251(QStringLiteral("обзор"))}, russian},
                                            {{'p', cp1251(QStringLiteral("сохран"))}, russian},
                                            {{'w', "compiler"}, Hits({{"Getting started", "english.htm"}})},
                                            {{'w', "common"}, ManyHits()},
                                        });
    ExpectReadersAgree(dir.path(), names);
}

// Without "Full-text search=Yes" the help has no index and says so.
TEST(FullTextSearch, HelpWithoutFullTextSearchHasNoIndex)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    WriteBytes(dir.filePath("intro.htm"), Page("utf-8", "Intro", "<p>Intro</p>"));
    WriteBytes(dir.filePath("help.hhp"), "[OPTIONS]\nCompiled file=help.chm\n[FILES]\nintro.htm\n");
    TNativeHTMLHelpCompiler compiler;
    const TCompileResult result = compiler.CompileHHP(dir.filePath("help.hhp"), {}, {});
    ASSERT_TRUE(result.Succeeded) << result.Message.toStdString();
    ChmReader help(result.CompiledFile);
    EXPECT_FALSE(help.names().contains("/$FIftiMain"));
    const QByteArray flags = help.systemEntryBytes(4);
    ASSERT_GE(flags.size(), 12);
    EXPECT_EQ(flags.mid(8, 4), QByteArray(4, '\0'));
}

// Reading pages in the thread pool gives the index and titles of reading
// them one after the other.
TEST(FullTextSearch, PagesReadInParallelGiveTheSerialResult)
{
    QList<QByteArray> pages;
    for (int n = 0; n < 300; ++n)
        pages.append(Page("utf-8", "Page " + QByteArray::number(n),
                          "<p>word" + QByteArray::number(n % 37) + " shared " + QByteArray::number(n * 7) + "</p>"));
    TChmFullTextIndex serial(1252, 0x409);
    QList<QByteArray> titles;
    for (const QByteArray& page : pages) {
        const TChmPageWords words = ChmPageWords(page, 1252, true);
        serial.AddPage(words);
        titles.append(words.Title);
    }
    const TChmReadPages parallel = ChmReadPages(pages, 1252, 0x409, true);
    EXPECT_EQ(parallel.Titles, titles);
    EXPECT_TRUE(parallel.Index == serial.Bytes());
}

// What a page's text gives the search, in order, "|" between words.
TEST(FullTextSearch, PageTextGivesTheWordsAReaderSees)
{
    struct TCase {
        const char* html;
        const char* title;
        const char* words;
    };
    const TCase cases[] = {
        {"<p>One<br>two</p><p>three</p>", "", "one|two|three"},
        {"<b>Bo</b>ld <span>in</span>line", "", "bold|inline"},
        {"<head><title>A &amp; B</title><meta name=x content=\"no\"><xml><o:p>Author</o:p></xml></head>"
         "<body>Body</body>",
         "A & B", "a|b|body"},
        {"<!-- a comment --><script>if (a < b) hidden();</script><style>p { x: y }</style>Shown", "", "shown"},
        {"caf&eacute; &#233;t&#xE9; &copy2020 a&b <3", "", "café|été|2020|a|b|3"},
        {"<a href=\"x.htm\" title='a > b'>Link</a>", "", "link"},
        {"ÉCOLE Straße ΑΘΗΝΑ", "", "école|straße|αθηνα"},
        {"欢迎使用 Qt编辑器", "", "欢|迎|使|用|qt|编|辑|器"},
        {"カタカナとひらがな日本", "", "カ|タ|カ|ナ|と|ひ|ら|が|な|日|本"},
        {"안녕하세요 세계", "", "안녕하세요|세계"},
        {"สวัสดีครับ", "", "สวัสดี|ครับ"},
        {"don't stop 1,000.5 e-mail", "", "don't|stop|1,000.5|e|mail"},
        {"", "", ""},
    };
    for (const TCase& test : cases) {
        SCOPED_TRACE(test.html);
        const TChmPageText text = ChmPageText(QByteArray(test.html), 65001);
        EXPECT_EQ(text.Title, QString::fromUtf8(test.title));
        QStringList words = ChmTextWords(text.Title);
        words += ChmTextWords(text.Body);
        EXPECT_EQ(words.join(u'|'), QString::fromUtf8(test.words));
    }
}

// A page without a declared charset that is not UTF-8 is in the help's code
// page; its title is stored in the help's code page whatever the page's.
TEST(FullTextSearch, PagesAreReadInTheirEncodingAndTitlesStoredInTheHelpsCodePage)
{
    const QByteArray gbkTitle = "\xB8\xC5\xCA\xF6"; // "概述"
    EXPECT_EQ(ChmPageWords("<title>" + gbkTitle + "</title>", 936, false).Title, gbkTitle);
    EXPECT_EQ(ChmPageWords(Page("utf-8", "概述", ""), 936, false).Title, gbkTitle);
    EXPECT_EQ(ChmPageWords(Page("gb2312", gbkTitle, ""), 936, false).Title, gbkTitle);
    EXPECT_EQ(ChmPageWords(Page("windows-1251", "\xCE\xE1\xE7\xEE\xF0", ""), 936, false).Title,
              TextToAnsi(QStringLiteral("Обзор"), 936));
    const TChmPageWords words = ChmPageWords(Page("utf-8", "Title title", "title body"), 1252, true);
    ASSERT_EQ(words.Words.size(), 2);
    EXPECT_EQ(words.TitleWordCount, 2u);
    EXPECT_EQ(words.Words[0].Text, "title");
    EXPECT_EQ(words.Words[0].Positions, QList<quint32>({0, 1, 2}));
    EXPECT_EQ(words.Words[1].Positions, QList<quint32>({3}));
}

} // namespace
