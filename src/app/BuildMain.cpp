#include "BuildSwitches.h"
#include "CodePages.h"
#include "HTMLHelpCompilerChoice.h"
#include "ImportListCommand.h"
#include "Languages.h"
#include "NewProjectCommand.h"
#include "QuorixError.h"
#include "TBuildRunner.h"
#include "TQrx.h"
#include "Version.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QStringList>
#include <QTextStream>

namespace {

void printLoadWarnings(const TQrx& project)
{
    QTextStream err(stderr);
    for (const QString& warning : project.LoadWarnings)
        err << "Warning: " << warning << "\n";
}

int printVersion()
{
    const TLanguages& languages = LanguageTable();
    TQrx project;
    QTextStream out(stdout);
    out << "Quorix " << QUORIX_VERSION << "\n"
        << "What this build can do:\n"
        << "  project model: settings of every output, topic tree with its three roots\n"
        << "  context numbers and automatic topic icons\n"
        << "  languages: " << languages.GetCount() << " languages, " << CharsetAliasTable().size()
        << " charset names, " << DictionaryDisplayNames().size() << " dictionary names, Windows code pages through ICU\n"
        << "  this system: language " << project.Language << " (" << languages.GetNameById(project.Language)
        << "), code page " << SystemAnsiCodePage() << ", dictionary " << project.Dictionary << "\n";
    return 0;
}

// Reads a project and writes it again: how an author upgrades or
// normalises a project file.
int resave(const QString& input, const QString& output)
{
    try {
        TQrx project;
        project.ReadFromIni(input);
        printLoadWarnings(project);
        project.ProjectFilename = QFileInfo(output).absoluteFilePath();
        project.SaveToIni(project.ProjectFilename);
        QTextStream(stdout) << "Wrote " << project.ProjectFilename << " (" << project.Tree().topicCount()
                            << " topics)\n";
        return 0;
    } catch (const EQuorixError& error) {
        QTextStream(stderr) << "quorix-build: " << error.message() << "\n";
        return 1;
    } catch (const std::bad_alloc&) {
        QTextStream(stderr) << "quorix-build: not enough memory to read " << input << "\n";
        return 1;
    }
}

int usage(int status)
{
    QTextStream(status == 0 ? stdout : stderr)
        << "Usage: quorix-build PROJECT.qrx /SWITCH\n"
           "         builds the project unattended; SWITCH is up to three of the letters\n"
           "         h (CHM), w (web help), d (Word), p (PDF), s (single HTML), e.g. /hws\n"
           "       quorix-build --compiler=NAME PROJECT.qrx /SWITCH\n"
           "         the same with the HTML Help compiler NAME instead of the project's choice: "
        << HTMLHelpCompilerNames().join(QStringLiteral(" (default) or ")) << "\n"
        << "       quorix-build --version\n"
           "       quorix-build --resave IN.qrx OUT.qrx\n"
        << NewProjectUsage() << ImportListUsage();
    return status;
}

// Builds the outputs the switch asks for, in build order. Status 0 only when
// every one of them was written.
// `compiler`, when given, replaces the project's own choice.
int build(const QString& projectFile, const QString& buildSwitch, std::optional<EHTMLHelpCompiler> compiler)
{
    const int outputs = BuildSwitchOutputs(buildSwitch);
    if (outputs == 0) {
        QTextStream(stderr) << "quorix-build: \"" << buildSwitch
                            << "\" is not a build switch: \"/\" and up to three of h, w, d, p, s.\n";
        return usage(2);
    }
    TQrx project;
    try {
        project.ReadFromIni(projectFile);
        printLoadWarnings(project);
    } catch (const EQuorixError& error) {
        QTextStream(stderr) << "quorix-build: " << error.message() << "\n";
        return 1;
    } catch (const std::bad_alloc&) {
        QTextStream(stderr) << "quorix-build: not enough memory to read " << projectFile << "\n";
        return 1;
    }
    // Unattended: nothing is opened afterwards.
    project.ViewCompiledFile = false;
    QTextStream out(stdout);
    QTextStream err(stderr);
    TCompilerLineFilter compilerLines;
    TBuildRunner runner(
        project, compilerLines,
        [&out](const QString& line) {
            out << line << "\n";
            out.flush();
        },
        [&err](const QString& message) {
            err << "quorix-build: " << message << "\n";
            err.flush();
        });
    runner.CompilerChoice = compiler;
    if (runner.Run(outputs))
        return 0;
    // The last line of the progress on stdout says it too; stderr is where a
    // script looks for what failed.
    err << "quorix-build: " << runner.FailedLine() << "\n";
    return 1;
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("quorix-build"));
    QCoreApplication::setApplicationVersion(QStringLiteral(QUORIX_VERSION));
    const QStringList args = QCoreApplication::arguments().mid(1);
    if (args == QStringList{QStringLiteral("--version")})
        return printVersion();
    if (args.size() == 3 && args[0] == QStringLiteral("--resave"))
        return resave(args[1], args[2]);
    if (args == QStringList{QStringLiteral("--help")})
        return usage(0);
    if (!args.isEmpty() && args[0] == QStringLiteral("--new")) {
        QTextStream out(stdout);
        QTextStream err(stderr);
        QString error;
        const std::optional<TNewProject> request = ParseNewProjectArguments(args.mid(1), &error);
        if (!request) {
            err << "quorix-build: " << error << "\n";
            err.flush();
            return usage(2);
        }
        return RunNewProjectCommand(*request, out, err);
    }
    if (IsImportListCommand(args)) {
        QTextStream out(stdout);
        QTextStream err(stderr);
        const int status = RunImportListCommand(args, out, err);
        return status == 2 ? usage(2) : status;
    }
    if (args.size() == 2 && !args[0].startsWith(QStringLiteral("--")))
        return build(args[0], args[1], std::nullopt);
    const QString compilerOption = QStringLiteral("--compiler=");
    if (args.size() == 3 && args[0].startsWith(compilerOption)) {
        const std::optional<EHTMLHelpCompiler> compiler = HTMLHelpCompilerNamed(args[0].mid(compilerOption.size()));
        if (!compiler) {
            QTextStream(stderr) << "quorix-build: \"" << args[0].mid(compilerOption.size())
                                << "\" is not an HTML Help compiler: " << HTMLHelpCompilerNames().join(QStringLiteral(" or "))
                                << ".\n";
            return usage(2);
        }
        return build(args[1], args[2], *compiler);
    }
    return usage(2);
}
