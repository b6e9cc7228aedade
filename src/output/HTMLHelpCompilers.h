#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <optional>

// Which HTML Help compiler a build uses: chmcmd, or Quorix's own. Projects
// name their choice in the HTML Help settings; no name means the default.
enum class EHTMLHelpCompiler { Chmcmd, Native };

// chmcmd stays the default until the native compiler covers the whole
// format (window definitions, binary index, search).
constexpr EHTMLHelpCompiler DefaultHTMLHelpCompiler = EHTMLHelpCompiler::Chmcmd;

// The choice named "chmcmd" or "native" (any case); empty for another name.
std::optional<EHTMLHelpCompiler> HTMLHelpCompilerNamed(const QString& name);
// The name a choice is stored and typed under.
QString HTMLHelpCompilerName(EHTMLHelpCompiler choice);
// The choices in the order the build dialog lists them, the default first.
QList<EHTMLHelpCompiler> HTMLHelpCompilerChoices();
// The names HTMLHelpCompilerNamed accepts, the default first.
QStringList HTMLHelpCompilerNames();
// What the build dialog shows for a choice.
QString HTMLHelpCompilerCaption(EHTMLHelpCompiler choice);
// A project's stored name as a choice: the default for no name or a name
// this version does not know.
EHTMLHelpCompiler HTMLHelpCompilerOfProject(const QString& storedName);
// What a project stores for a choice: nothing for the default, so projects
// that never chose keep following it.
QString HTMLHelpCompilerStoredName(EHTMLHelpCompiler choice);
