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
    EXPECT_EQ(HTMLHelpCompilerNames().front(), HTMLHelpCompilerName(DefaultHTMLHelpCompiler));
    EXPECT_NE(dynamic_cast<TNativeHTMLHelpCompiler*>(MakeHTMLHelpCompiler(EHTMLHelpCompiler::Native).get()), nullptr);
    EXPECT_NE(dynamic_cast<TChmcmdCompiler*>(MakeHTMLHelpCompiler(EHTMLHelpCompiler::Chmcmd).get()), nullptr);
}

// A project stores nothing for the default, so it follows the program's
// default; a name this version does not know builds with the default.
TEST(HTMLHelpCompilerChoice, AProjectsStoredNameReadsAsItsChoice)
{
    const EHTMLHelpCompiler other = DefaultHTMLHelpCompiler == EHTMLHelpCompiler::Native ? EHTMLHelpCompiler::Chmcmd
                                                                                         : EHTMLHelpCompiler::Native;
    EXPECT_EQ(HTMLHelpCompilerStoredName(DefaultHTMLHelpCompiler), QString());
    EXPECT_EQ(HTMLHelpCompilerOfProject(HTMLHelpCompilerStoredName(other)), other);
    const struct {
        const char* stored;
        EHTMLHelpCompiler choice;
    } cases[] = {
        {"", DefaultHTMLHelpCompiler},
        {" Native ", EHTMLHelpCompiler::Native},
        {"chmcmd", EHTMLHelpCompiler::Chmcmd},
        {"hha.dll", DefaultHTMLHelpCompiler},
    };
    for (const auto& c : cases)
        EXPECT_EQ(HTMLHelpCompilerOfProject(QString::fromLatin1(c.stored)), c.choice) << c.stored;
}

} // namespace
