#include "HTMLHelpCompilers.h"

#include <array>

namespace {

struct Choice {
    const char* name;
    EHTMLHelpCompiler choice;
    const char16_t* caption;
};
const std::array<Choice, 2> Choices = {{
    {"chmcmd", EHTMLHelpCompiler::Chmcmd, u"chmcmd (Free Pascal)"},
    {"native", EHTMLHelpCompiler::Native, u"Quorix 内置编译器"},
}};

const Choice& entry(EHTMLHelpCompiler choice)
{
    for (const Choice& c : Choices)
        if (c.choice == choice)
            return c;
    return Choices.front();
}

} // namespace

std::optional<EHTMLHelpCompiler> HTMLHelpCompilerNamed(const QString& name)
{
    for (const Choice& c : Choices)
        if (name.compare(QLatin1String(c.name), Qt::CaseInsensitive) == 0)
            return c.choice;
    return std::nullopt;
}

QString HTMLHelpCompilerName(EHTMLHelpCompiler choice)
{
    return QLatin1String(entry(choice).name);
}

QList<EHTMLHelpCompiler> HTMLHelpCompilerChoices()
{
    QList<EHTMLHelpCompiler> choices;
    for (const Choice& c : Choices)
        choices.insert(c.choice == DefaultHTMLHelpCompiler ? 0 : choices.size(), c.choice);
    return choices;
}

QStringList HTMLHelpCompilerNames()
{
    QStringList names;
    for (EHTMLHelpCompiler choice : HTMLHelpCompilerChoices())
        names.append(HTMLHelpCompilerName(choice));
    return names;
}

QString HTMLHelpCompilerCaption(EHTMLHelpCompiler choice)
{
    return QString::fromUtf16(entry(choice).caption);
}

EHTMLHelpCompiler HTMLHelpCompilerOfProject(const QString& storedName)
{
    return HTMLHelpCompilerNamed(storedName.trimmed()).value_or(DefaultHTMLHelpCompiler);
}

QString HTMLHelpCompilerStoredName(EHTMLHelpCompiler choice)
{
    return choice == DefaultHTMLHelpCompiler ? QString() : HTMLHelpCompilerName(choice);
}
