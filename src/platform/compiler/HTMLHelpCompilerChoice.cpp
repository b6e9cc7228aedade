#include "HTMLHelpCompilerChoice.h"

#include "TChmcmdCompiler.h"
#include "TNativeHTMLHelpCompiler.h"

#include <array>
#include <utility>

namespace {

const std::array<std::pair<const char*, EHTMLHelpCompiler>, 2> Choices = {{
    {"chmcmd", EHTMLHelpCompiler::Chmcmd},
    {"native", EHTMLHelpCompiler::Native},
}};

} // namespace

std::optional<EHTMLHelpCompiler> HTMLHelpCompilerNamed(const QString& name)
{
    for (const auto& [choiceName, choice] : Choices)
        if (name.compare(QLatin1String(choiceName), Qt::CaseInsensitive) == 0)
            return choice;
    return std::nullopt;
}

QStringList HTMLHelpCompilerNames()
{
    QStringList names;
    for (const auto& [choiceName, choice] : Choices)
        names.insert(choice == DefaultHTMLHelpCompiler ? 0 : names.size(), QLatin1String(choiceName));
    return names;
}

std::unique_ptr<IHTMLHelpCompiler> MakeHTMLHelpCompiler(EHTMLHelpCompiler choice)
{
    switch (choice) {
    case EHTMLHelpCompiler::Native:
        return std::make_unique<TNativeHTMLHelpCompiler>();
    case EHTMLHelpCompiler::Chmcmd:
        break;
    }
    return std::make_unique<TChmcmdCompiler>();
}
