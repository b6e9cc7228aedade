#pragma once

#include "IHTMLHelpCompiler.h"

#include <QString>
#include <QStringList>
#include <memory>
#include <optional>

// Which HTML Help compiler a build uses: chmcmd, or Quorix's own.
enum class EHTMLHelpCompiler { Chmcmd, Native };

// chmcmd stays the default until the native compiler covers the whole
// format (tables, binary index, search).
constexpr EHTMLHelpCompiler DefaultHTMLHelpCompiler = EHTMLHelpCompiler::Chmcmd;

// The choice named "chmcmd" or "native" (any case); empty for another name.
std::optional<EHTMLHelpCompiler> HTMLHelpCompilerNamed(const QString& name);
// The names HTMLHelpCompilerNamed accepts, the default first.
QStringList HTMLHelpCompilerNames();
std::unique_ptr<IHTMLHelpCompiler> MakeHTMLHelpCompiler(EHTMLHelpCompiler choice);
