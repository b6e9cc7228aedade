#include "ImportListCommand.h"

#include "QuorixError.h"
#include "TCHMDecompile.h"

#include <QFileInfo>
#include <QTextStream>

namespace {

const QString ImportOption = QStringLiteral("--import");
const QString ListOption = QStringLiteral("--list");
constexpr int ImportArgumentCount = 4;

} // namespace

QString ImportListUsage()
{
    return QStringLiteral("       quorix-build --import FILE.chm|FILE.hhp TARGET-FOLDER --list\n"
                          "         reads existing help (a CHM is unpacked into the empty TARGET-FOLDER)\n"
                          "         and prints its title, language, default topic and contents\n");
}

bool IsImportListCommand(const QStringList& args)
{
    return !args.isEmpty() && args[0] == ImportOption;
}

QStringList ImportListing(const TCHMDecompile& import)
{
    QStringList lines{QStringLiteral("Title: ") + import.Title, QStringLiteral("Language: ") + import.LangID,
                      QStringLiteral("Default topic: ") + import.DefaultPage};
    for (int i = 0; i < import.List.Count(); ++i) {
        const TTitleList& entry = import.List.Item(i);
        lines << QStringList{QString::number(entry.Level), entry.Topic, entry.Url, entry.Keywords, entry.ContextNumber}
                     .join(QLatin1Char('\t'));
    }
    return lines;
}

int RunImportListCommand(const QStringList& args, QTextStream& out, QTextStream& err)
{
    if (args.size() != ImportArgumentCount || args[0] != ImportOption || args[3] != ListOption) {
        err << "quorix-build: --import takes a help file, a target folder and --list.\n";
        return 2;
    }
    const QString file = args[1];
    const QFileInfo info(file);
    if (!info.isFile()) {
        err << "quorix-build: " << file << " is not a file.\n";
        return 1;
    }
    TCHMDecompile import;
    import.FOnChange = [&err](const QString& what, int percent) {
        err << what << " " << percent << "%\n";
        err.flush();
    };
    try {
        if (info.suffix().compare(QLatin1String("hhp"), Qt::CaseInsensitive) == 0) {
            import.LoadFromHHP(file);
        } else {
            import.LoadFromCHM(file);
            import.rootFolder = QFileInfo(args[2]).absoluteFilePath();
            import.decompile();
        }
    } catch (const EQuorixError& error) {
        err << "quorix-build: " << error.message() << "\n";
        return 1;
    }
    for (const QString& skipped : import.Skipped())
        err << "quorix-build: not written: " << skipped << "\n";
    for (const QString& line : ImportListing(import))
        out << line << "\n";
    out.flush();
    err.flush();
    return 0;
}
