#include "Languages.h"
#include "CodePages.h"
#include "TQrx.h"
#include "Version.h"

#include <QCoreApplication>
#include <QStringList>
#include <QTextStream>

namespace {

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

int usage(int status)
{
    QTextStream(status == 0 ? stdout : stderr) << "Usage: quorix-build --version\n";
    return status;
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
    if (args == QStringList{QStringLiteral("--help")})
        return usage(0);
    return usage(2);
}
