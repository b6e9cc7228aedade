#include "PageFiles.h"

#include "RecordingPrompts.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

namespace {

QByteArray bytesOf(std::initializer_list<int> values)
{
    QByteArray bytes;
    for (const int value : values)
        bytes.append(char(value));
    return bytes;
}

QByteArray page(const QByteArray& charset, const QByteArray& body)
{
    QByteArray head = "<html><head>";
    if (!charset.isEmpty())
        head += "<meta http-equiv=\"Content-Type\" content=\"text/html; charset=" + charset + "\">";
    return head + "<title>T</title></head><body>" + body + "</body></html>";
}

QByteArray utf16leWithMark(const QString& text)
{
    QByteArray bytes = bytesOf({0xFF, 0xFE});
    for (const QChar ch : text)
        bytes.append(char(ch.unicode() & 0xFF)).append(char(ch.unicode() >> 8));
    return bytes;
}

QString pageText(const QString& charset, const QString& body)
{
    return QString::fromUtf8(page(charset.toUtf8(), QByteArray())).replace("<body></body>", "<body>" + body + "</body>");
}


class PageFiles : public ::testing::Test {
protected:
    QTemporaryDir dir;
    QString path(const QString& name) const { return dir.path() + u'/' + name; }

    QString write(const QString& name, const QByteArray& bytes) const
    {
        QFile file(path(name));
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
        return path(name);
    }

    QByteArray read(const QString& name) const
    {
        QFile file(path(name));
        EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << name.toStdString();
        return file.readAll();
    }
};

} // namespace

TEST_F(PageFiles, ReadsEachEncodingByMarkThenDeclarationThenAnsi)
{
    struct Case {
        const char* label;
        QByteArray bytes;
        QString codePage;
        QString expectedBody;
    };
    const QString chinese = QString::fromUtf8("中文");
    const QString japanese = QString::fromUtf8("日本");
    const Case cases[] = {
        {"utf-8 with mark", bytesOf({0xEF, 0xBB, 0xBF}) + page("", "中文"), "", chinese},
        {"utf-8 declared", page("utf-8", "中文"), "", chinese},
        {"utf-8 undeclared", page("", "中文"), "", chinese},
        {"utf-16le", utf16leWithMark(QString::fromUtf8(page("unicode", "中文"))), "", chinese},
        {"gb2312", page("gb2312", bytesOf({0xD6, 0xD0, 0xCE, 0xC4})), "", chinese},
        {"shift_jis", page("Shift_JIS", bytesOf({0x93, 0xFA, 0x96, 0x7B})), "", japanese},
        {"windows-1252", page("windows-1252", bytesOf({0xE9, 0x80})), "", QString::fromUtf8("é€")},
        {"undeclared ansi", page("", bytesOf({0xE9, 0x80})), "", QString::fromUtf8("é€")},
        {"code page given", page("", bytesOf({0xD6, 0xD0, 0xCE, 0xC4})), "936", chinese},
        {"given beats declared", page("windows-1252", bytesOf({0xD6, 0xD0})), "936", QString::fromUtf8("中")},
        {"unknown charset", page("x-none", bytesOf({0xE9})), "", QString::fromUtf8("é")},
    };
    for (const Case& c : cases) {
        const QString text = ReadTextFile(write("page.htm", c.bytes), c.codePage);
        EXPECT_TRUE(text.contains("<body>" + c.expectedBody + "</body>")) << c.label << ": " << text.toStdString();
        EXPECT_FALSE(text.startsWith(QChar(0xFEFF))) << c.label;
    }
}

TEST_F(PageFiles, MarksDecideBeforeAnyDeclaration)
{
    EXPECT_EQ(DecodeTextBytes(bytesOf({0xFE, 0xFF, 0x4E, 0x2D})), QString::fromUtf8("中"));
    // An odd last byte of UTF-16 is no code unit.
    EXPECT_EQ(DecodeTextBytes(bytesOf({0xFF, 0xFE, 0x41, 0x00, 0x42})), "A");
    EXPECT_EQ(DecodeTextBytes(bytesOf({0xEF, 0xBB, 0xBF}) + page("windows-1252", "\xC3\xA9")).count(QChar(0xE9)), 1);
    EXPECT_EQ(DecodeTextBytes(QByteArray()), QString());
    // Only the first mark is the file's; a second is the page's own character.
    EXPECT_EQ(DecodeTextBytes(bytesOf({0xEF, 0xBB, 0xBF, 0xEF, 0xBB, 0xBF, 'x'})), QString(QChar(0xFEFF)) + "x");
}

TEST_F(PageFiles, MissingFileIsEmptyWithoutError)
{
    QString error;
    EXPECT_EQ(ReadTextFile(path("none.htm"), QString(), &error), QString());
    EXPECT_EQ(DecodeTextFile(path("none.htm")), QString());
    EXPECT_TRUE(error.isEmpty());
}

TEST_F(PageFiles, ReadErrorIsReturnedWithEmptyText)
{
    QDir().mkpath(path("folder.htm"));
    QString error;
    EXPECT_EQ(ReadTextFile(path("folder.htm"), QString(), &error), QString());
    EXPECT_TRUE(error.contains("folder.htm"));
}

TEST_F(PageFiles, LockedFileIsDetectedAndStillRead)
{
    const QStringList tempBefore = QDir::temp().entryList({"~wi*.tmp"});
    const QString file = write("locked.htm", page("utf-8", "x"));
    EXPECT_FALSE(IsFileLocked(file));
    EXPECT_FALSE(IsFileLocked(path("missing.htm")));
    EXPECT_FALSE(QFile::exists(path("missing.htm")));

    const int fd = ::open(QFile::encodeName(file).constData(), O_RDWR);
    ASSERT_GE(fd, 0);
    ASSERT_EQ(::flock(fd, LOCK_EX), 0);
    EXPECT_TRUE(IsFileLocked(file));
    EXPECT_TRUE(ReadTextFile(file).contains("<body>x</body>"));
    ::close(fd);
    EXPECT_FALSE(IsFileLocked(file));

    // A record lock for writing, as office programs take, counts too.
    const int writer = ::open(QFile::encodeName(file).constData(), O_RDWR);
    ASSERT_GE(writer, 0);
    struct flock lock {};
    lock.l_type = F_WRLCK;
    lock.l_whence = SEEK_SET;
    ASSERT_EQ(::fcntl(writer, F_OFD_SETLK, &lock), 0);
    EXPECT_TRUE(IsFileLocked(file));
    ::close(writer);
    EXPECT_FALSE(IsFileLocked(file));
    // The temporary copy is gone again.
    EXPECT_EQ(QDir::temp().entryList({"~wi*.tmp"}), tempBefore);
}

TEST(GetEncodingType, FollowsTheCharsetDeclaration)
{
    struct Case {
        const char* charset;
        int expected;
    } const cases[] = {
        {"utf-8", EncodingUtf8}, {"UTF-8", EncodingUtf8}, {"unicode", EncodingUtf16}, {"gb2312", 936},
        {"shift_jis", 932},      {"windows-1252", 1252},  {"x-none", 0},
        {"utf-8 ", 65001},  // the charset table ignores the blank: UTF-8 without mark
    };
    for (const auto& c : cases)
        EXPECT_EQ(GetEncodingType(pageText(QString::fromUtf8(c.charset), "x")), c.expected) << c.charset;
    EXPECT_EQ(GetEncodingType("<html><body>x</body></html>"), EncodingAnsi);
}

TEST(EncodeText, WritesMarksAndCodePages)
{
    EXPECT_EQ(EncodeText("é", EncodingUtf8), bytesOf({0xEF, 0xBB, 0xBF, 0xC3, 0xA9}));
    EXPECT_EQ(EncodeText("é", EncodingUtf16), bytesOf({0xFF, 0xFE, 0xE9, 0x00}));
    EXPECT_EQ(EncodeText(QString::fromUtf8("é€"), EncodingAnsi), bytesOf({0xE9, 0x80}));
    EXPECT_EQ(EncodeText(QString::fromUtf8("é"), -5), bytesOf({0xE9}));
    EXPECT_EQ(EncodeText(QString::fromUtf8("中文"), 936), bytesOf({0xD6, 0xD0, 0xCE, 0xC4}));
    EXPECT_EQ(EncodeText(QString::fromUtf8("日本"), 932), bytesOf({0x93, 0xFA, 0x96, 0x7B}));
    EXPECT_EQ(EncodeText(QString::fromUtf8("中"), 1252), "?");
}

TEST_F(PageFiles, SavesPagesInTheirDeclaredEncodingAndReadsThemBack)
{
    struct Case {
        const char* charset;
        QByteArray expectedStart;
        QByteArray body;
    };
    const Case cases[] = {
        {"utf-8", bytesOf({0xEF, 0xBB, 0xBF}), "中文"},
        {"unicode", bytesOf({0xFF, 0xFE, '<', 0}), QByteArray()},
        {"gb2312", "<html>", bytesOf({0xD6, 0xD0, 0xCE, 0xC4})},
        {"shift_jis", "<html>", bytesOf({0x93, 0xFA, 0x96, 0x7B})},
        {"windows-1252", "<html>", bytesOf({0xE9})},
        {"", "<html>", bytesOf({0xE9})},
    };
    const QString bodies[] = {QString::fromUtf8("中文"), QString::fromUtf8("中文"), QString::fromUtf8("中文"),
                              QString::fromUtf8("日本"), QString::fromUtf8("é"), QString::fromUtf8("é")};
    int index = 0;
    for (const Case& c : cases) {
        const QString html = pageText(QString::fromUtf8(c.charset), bodies[index++]);
        ASSERT_TRUE(SaveHtmlFile(html, path("saved.htm"))) << c.charset;
        const QByteArray bytes = read("saved.htm");
        EXPECT_TRUE(bytes.startsWith(c.expectedStart)) << c.charset;
        if (!c.body.isEmpty()) {
            EXPECT_TRUE(bytes.contains("<body>" + c.body + "</body>")) << c.charset;
        }
        EXPECT_EQ(ReadTextFile(path("saved.htm")), html) << c.charset;
    }
}

TEST_F(PageFiles, CharactersTheDeclaredPageLacksAreNotLost)
{
    // No declaration means ANSI (windows-1252 here), which has no Chinese.
    const QString html = pageText("", QString::fromUtf8("中文 é"));
    ASSERT_TRUE(SaveHtmlFile(html, path("mixed.htm")));
    EXPECT_TRUE(read("mixed.htm").startsWith(bytesOf({0xEF, 0xBB, 0xBF})));
    EXPECT_EQ(ReadTextFile(path("mixed.htm")), html);

    QBuffer buffer;
    buffer.open(QIODevice::ReadWrite);
    SaveHtmlToStream(html, &buffer);
    EXPECT_TRUE(buffer.data().startsWith(bytesOf({0xEF, 0xBB, 0xBF})));
}

TEST_F(PageFiles, SaveTextFileReplacesWholeFilesAndLeavesNoTemporaryFile)
{
    write("t.txt", QByteArray(1000, 'x'));
    ASSERT_TRUE(SaveTextFile("abc", path("t.txt"), EncodingAnsi));
    EXPECT_EQ(read("t.txt"), "abc");
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{"t.txt"});

    ASSERT_TRUE(SaveTextFile("[GENERAL]", path("p.qrx"), EncodingUtf8));
    EXPECT_EQ(read("p.qrx"), bytesOf({0xEF, 0xBB, 0xBF}) + "[GENERAL]");
}

TEST_F(PageFiles, EmptyTextWritesNothing)
{
    write("keep.htm", "old");
    EXPECT_TRUE(SaveTextFile("", path("keep.htm"), EncodingUtf8));
    EXPECT_EQ(read("keep.htm"), "old");
    EXPECT_TRUE(SaveTextFile("", path("new.htm"), EncodingUtf8));
    EXPECT_FALSE(QFile::exists(path("new.htm")));
}

TEST_F(PageFiles, ReadOnlyPageIsNotOverwritten)
{
    const QString file = write("ro.htm", "old");
    QFile::setPermissions(file, QFileDevice::ReadOwner | QFileDevice::ReadGroup);
    QString error;
    EXPECT_FALSE(SaveTextFile("new", file, EncodingAnsi, &error));
    EXPECT_TRUE(error.contains("ro.htm"));
    EXPECT_EQ(read("ro.htm"), "old");
}

TEST_F(PageFiles, SaveHtmlFileShowsTheErrorThenRetriesWithTheNameChosen)
{
    const QString file = write("ro.htm", "old");
    QFile::setPermissions(file, QFileDevice::ReadOwner);
    const QString html = pageText("utf-8", "new");

    EXPECT_FALSE(SaveHtmlFile(html, file)); // nobody to ask: the save fails
    {
        TRecordingPrompts prompts; // the author cancels the other name
        EXPECT_FALSE(SaveHtmlFile(html, file, &prompts));
        EXPECT_EQ(prompts.Errors().size(), 1);
    }
    {
        TRecordingPrompts prompts;
        QStringList offered;
        prompts.OnChooseSaveFile = [&](const TRecordingPrompts::TSaveFileRequest& request) {
            offered.append(request.Folder + "/" + request.Name);
            return path("other.htm");
        };
        QString savedAs;
        EXPECT_TRUE(SaveHtmlFile(html, file, &prompts, &savedAs));
        EXPECT_EQ(offered, QStringList{file});
        EXPECT_EQ(savedAs, path("other.htm"));
        EXPECT_EQ(prompts.Errors().size(), 1);
        EXPECT_EQ(ReadTextFile(path("other.htm")), html);
        EXPECT_EQ(read("ro.htm"), "old");
    }
}

TEST_F(PageFiles, SavingKeepsPermissionsAndWritesThroughLinks)
{
    const QString file = write("p.htm", "old");
    QFile::setPermissions(file, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadOther);
    ASSERT_TRUE(SaveTextFile("new", file, EncodingAnsi));
    const QFileDevice::Permissions modeBits(0x7777 & ~0x0700);  // owner, group, other
    EXPECT_EQ(QFile::permissions(file) & modeBits,
              QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadOther);

    ASSERT_TRUE(QFile::link(file, path("link.htm")));
    ASSERT_TRUE(SaveTextFile("linked", path("link.htm"), EncodingAnsi));
    EXPECT_TRUE(QFileInfo(path("link.htm")).isSymLink());
    EXPECT_EQ(read("p.htm"), "linked");
}

TEST(WriteTextToStream, RewindsAndCutsOlderLongerContent)
{
    QBuffer buffer;
    buffer.open(QIODevice::ReadWrite);
    buffer.write(QByteArray(100, 'x'));
    WriteTextToStream("ab", EncodingUtf16, &buffer);
    EXPECT_EQ(buffer.data(), bytesOf({0xFF, 0xFE, 'a', 0, 'b', 0}));
    WriteTextToStream(QString::fromUtf8("中"), 936, &buffer);
    EXPECT_EQ(buffer.data(), bytesOf({0xD6, 0xD0}));
    WriteTextToStream("x", EncodingAnsi, nullptr);
}
