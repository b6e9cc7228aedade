// Choosing the HTML Help compiler by name, as quorix-build's --compiler does.
#include "HTMLHelpCompilerChoice.h"
#include "TChmcmdCompiler.h"
#include "TNativeHTMLHelpCompiler.h"

#include <gtest/gtest.h>

namespace {

TEST(HTMLHelpCompilerChoice, NamesChooseTheirCompilerAndOthersNone)
{
    const struct {
        const char* name;
        std::optional<EHTMLHelpCompiler> choice;
    } cases[] = {
        {"chmcmd", EHTMLHelpCompiler::Chmcmd}, {"NATIVE", EHTMLHelpCompiler::Native},
        {"native ", std::nullopt},             {"", std::nullopt},
        {"hhc", std::nullopt},
    };
    for (const auto& c : cases)
        EXPECT_EQ(HTMLHelpCompilerNamed(QString::fromLatin1(c.name)), c.choice) << c.name;
    EXPECT_EQ(HTMLHelpCompilerNames().front(), QStringLiteral("chmcmd"));
    EXPECT_NE(dynamic_cast<TNativeHTMLHelpCompiler*>(MakeHTMLHelpCompiler(EHTMLHelpCompiler::Native).get()), nullptr);
    EXPECT_NE(dynamic_cast<TChmcmdCompiler*>(MakeHTMLHelpCompiler(EHTMLHelpCompiler::Chmcmd).get()), nullptr);
}

} // namespace
