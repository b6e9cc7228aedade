// The compiled-file option is found and replaced as chmcmd reads it.
#include "HhpOptions.h"

#include <gtest/gtest.h>

namespace {

TEST(HhpOptions, FindsAndReplacesTheCompiledFileOfTheOptionsSection)
{
    struct Case {
        const char* name;
        QByteArray hhp;
        QByteArray compiledFile;
        QByteArray replaced; // with "new.chm"
    };
    const Case cases[] = {
        {"as written", "[OPTIONS]\r\nCompiled file=help.chm\r\nTitle=T\r\n",
         "help.chm", "[OPTIONS]\r\nCompiled file=new.chm\r\nTitle=T\r\n"},
        {"any case and blanks", "[options]\nCOMPILED FILE = my help.chm \n", "my help.chm",
         "[options]\nCompiled file=new.chm\n"},
        {"other sections left alone",
         "\xEF\xBB\xBF[OPTIONS]\r\nTitle=T\r\n[FILES]\r\nCompiled file=a.htm\r\n[ OPTIONS ]\r\nCompiled file=b.chm",
         "b.chm",
         "\xEF\xBB\xBF[OPTIONS]\r\nTitle=T\r\n[FILES]\r\nCompiled file=a.htm\r\n[ OPTIONS ]\r\nCompiled file=new.chm"},
        {"none", "[OPTIONS]\r\nTitle=T\r\n[WINDOWS]\r\nCompiled file=x.chm\r\n", "",
         "[OPTIONS]\r\nTitle=T\r\n[WINDOWS]\r\nCompiled file=x.chm\r\n"},
        {"empty value", "[OPTIONS]\r\nCompiled file=\r\n", "", "[OPTIONS]\r\nCompiled file=new.chm\r\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(HhpCompiledFile(c.hhp), c.compiledFile);
        EXPECT_EQ(WithHhpCompiledFile(c.hhp, "new.chm"), c.replaced);
    }
}

} // namespace
