#include "NewProjectWiring.h"

#include "Paths.h"
#include "TProjectSession.h"
#include "TSearchingWindow.h"
#include "TfrmNew.h"

void WireNewProjectDialogs(TProjectSession& session, QWidget& window, IUserPrompts& prompts,
                           const std::function<int(QDialog& dialog)>& exec)
{
    session.AskNewProject = [&window, &prompts, &exec](int kind, const QString& file) -> std::optional<TNewProject> {
        TfrmNew dialog(TNewProject::DefaultFolder(DocumentsFolder()), prompts, &window);
        dialog.SetKind(kind);
        dialog.SetChmFile(file);
        if (exec(dialog) != QDialog::Accepted)
            return std::nullopt;
        return dialog.Request();
    };
    auto* searching = new TSearchingWindow(&window);
    session.OnSearching = [searching](bool begins) {
        if (begins)
            searching->Begin();
        else
            searching->End();
    };
    session.OnPageFound = [searching](const QString& file) { searching->ShowFile(file); };
}
