#include "HTMLHelpCompilerChoice.h"

#include "TChmcmdCompiler.h"
#include "TNativeHTMLHelpCompiler.h"

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
