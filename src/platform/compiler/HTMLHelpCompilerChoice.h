#pragma once

#include "HTMLHelpCompilers.h"
#include "IHTMLHelpCompiler.h"

#include <memory>

std::unique_ptr<IHTMLHelpCompiler> MakeHTMLHelpCompiler(EHTMLHelpCompiler choice);
