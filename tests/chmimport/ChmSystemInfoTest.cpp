// The system data of a compiled help file: records found by their codes,
// lengths checked against the data.
#include "ChmSystemInfo.h"

#include <gtest/gtest.h>

namespace {

QByteArray Record(quint16 code, const QByteArray& data)
{
    QByteArray record;
    record.append(char(code & 0xFF)).append(char(code >> 8));
    record.append(char(data.size() & 0xFF)).append(char(data.size() >> 8));
    return record + data;
}

const QByteArray Version("\x03\x00\x00\x00", 4);

TEST(ChmSystemInfoTest, RecordsInAnyOrder)
{
    const QByteArray system = Version + Record(3, QByteArray("Title\0", 6)) + Record(9, "HHA Version 4.74.8702") +
                              Record(2, QByteArray("start.htm\0", 10)) + Record(0, QByteArray("toc.hhc\0", 8)) +
                              Record(4, QByteArray("\x04\x08\x00\x00\x00\x00\x00\x00", 8)) + Record(1, "idx.hhk");
    const TChmSystemInfo info = ReadChmSystemData(system);
    EXPECT_EQ(info.LangID(), "0x0804");
    EXPECT_EQ(info.Title, "Title");
    EXPECT_EQ(info.DefaultTopic, "start.htm");
    EXPECT_EQ(info.ContentsFile, "toc.hhc");
    EXPECT_EQ(info.IndexFile, "idx.hhk");
}

TEST(ChmSystemInfoTest, DataThatRunsShortEndsTheReading)
{
    const QByteArray title = Version + Record(3, QByteArray("Title\0", 6));
    struct Case {
        const char* what;
        QByteArray system;
        bool hasLanguage;
        const char* title;
    };
    const Case cases[] = {
        {"empty", QByteArray(), false, ""},
        {"version only", Version, false, ""},
        {"a record longer than the data", title + QByteArray("\x04\x00\xFF\x7F\x09\x04", 6), false, "Title"},
        {"a language of one byte", title + Record(4, "\x09"), false, "Title"},
        {"a header cut short", title + QByteArray("\x02\x00", 2), false, "Title"},
        {"a title without its zero", Version + Record(3, "No end"), false, "No end"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const TChmSystemInfo info = ReadChmSystemData(c.system);
        EXPECT_EQ(info.HasLanguage, c.hasLanguage);
        EXPECT_TRUE(info.LangID().isEmpty());
        EXPECT_EQ(info.Title, c.title);
    }
}

} // namespace
