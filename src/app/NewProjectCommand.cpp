#include "NewProjectCommand.h"

#include "Paths.h"
#include "QuorixError.h"
#include "TQrx.h"

#include <QDir>
#include <QFileInfo>
#include <QTextStream>

namespace {

const QString TitleOption = QStringLiteral("--title");
const QString FromHtmlOption = QStringLiteral("--from-html");
const QString TitlesOption = QStringLiteral("--titles");
const QString FlatOption = QStringLiteral("--flat");

// The values of --titles, in the order of TPageTitleMode.
const QStringList TitleModeNames = {QStringLiteral("title"), QStringLiteral("h1"), QStringLiteral("name"),
                                    QStringLiteral("filename")};

std::optional<TNewProject> refuse(QString* error, const QString& why)
{
    if (error != nullptr)
        *error = why;
    return std::nullopt;
}

} // namespace

QString NewProjectUsage()
{
    return QStringLiteral(
        "       quorix-build --new FOLDER --title TITLE\n"
        "         makes a blank project (a sample tree and the standard templates) in FOLDER\n"
        "       quorix-build --new FOLDER --from-html [--title TITLE] [--titles title|h1|name|filename] [--flat]\n"
        "         makes a project of the pages already in FOLDER, titles taken from each page's\n"
        "         <title> (the default), its first <h1>, its name without extension or its file name;\n"
        "         --flat puts every page at the top level instead of a heading for each sub-folder\n"
        "         Both write FOLDER/TITLE.qrx and print its path.\n");
}

std::optional<TNewProject> ParseNewProjectArguments(const QStringList& arguments, QString* error)
{
    if (arguments.isEmpty() || arguments[0].startsWith(QStringLiteral("--")))
        return refuse(error, QStringLiteral("--new needs the folder of the new project."));
    TNewProject request;
    request.Folder = QFileInfo(arguments[0]).absoluteFilePath();
    bool hasTitle = false;
    bool fromHtml = false;
    bool pageOptions = false;
    bool titles = false;
    bool flat = false;
    for (qsizetype i = 1; i < arguments.size(); ++i) {
        const QString& option = arguments[i];
        const bool hasValue = i + 1 < arguments.size();
        if (option == TitleOption && hasValue && !hasTitle) {
            request.Title = arguments[++i];
            hasTitle = true;
        } else if (option == FromHtmlOption && !fromHtml) {
            fromHtml = true;
        } else if (option == TitlesOption && hasValue && !titles) {
            const qsizetype mode = TitleModeNames.indexOf(arguments[++i]);
            if (mode < 0)
                return refuse(error, QStringLiteral("--titles takes one of title, h1, name, filename."));
            request.TitleMode = TPageTitleMode(mode);
            titles = pageOptions = true;
        } else if (option == FlatOption && !flat) {
            request.KeepStructure = false;
            flat = pageOptions = true;
        } else {
            return refuse(error, QStringLiteral("\"%1\" is not an option of --new here.").arg(option));
        }
    }
    if (pageOptions && !fromHtml)
        return refuse(error, QStringLiteral("--titles and --flat go with --from-html."));
    if (hasTitle && request.Title.trimmed().isEmpty())
        return refuse(error, QStringLiteral("--title needs a title."));
    if (!hasTitle && !fromHtml)
        return refuse(error, QStringLiteral("A blank project needs --title."));
    request.Kind = fromHtml ? NewFromHtmlFiles : NewBlankProject;
    if (!hasTitle)
        request.Title = QDir(request.Folder).dirName();
    return request;
}

int RunNewProjectCommand(TNewProject request, QTextStream& out, QTextStream& err)
{
    const QString file = QDir(request.Folder).filePath(SafeFileName(request.Title, QStringLiteral("project"))
                                                       + QStringLiteral(".qrx"));
    try {
        if (request.Kind == NewFromHtmlFiles && !QFileInfo(request.Folder).isDir())
            throw EQuorixError(QStringLiteral("There is no folder \"%1\" with pages.").arg(request.Folder));
        // The author's own project file is never replaced.
        if (QFileInfo::exists(file))
            throw EQuorixError(QStringLiteral("%1 already exists; nothing was written.").arg(file));
        request.Prepare();
        TQrx project;
        for (const QString& problem : request.Fill(project))
            err << "quorix-build: " << problem << "\n";
        if (request.Kind == NewFromHtmlFiles && project.Tree().topicCount() == 0)
            err << "quorix-build: Warning: no .htm or .html pages in " << request.Folder << "\n";
        project.ProjectFilename = file;
        project.SaveToIni(file);
    } catch (const EQuorixError& error) {
        err << "quorix-build: " << error.message() << "\n";
        return 1;
    }
    out << file << "\n";
    return 0;
}
