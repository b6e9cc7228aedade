#pragma once

#include "Folders.h"
#include "OutputTestSupport.h"
#include "ProjectFileWriter.h"
#include "ProjectGenerator.h"

#include <QString>

namespace OutputTest {

// A generated project made ready to compile as a build does: its pages
// copied into `work` (ending with "/") and the HTML Help project filled for
// "help.chm" with the title "Generated help". False when generating fails.
inline bool PrepareGeneratedHtmlHelp(const QString& folder, const GeneratorOptions& options, const QString& work,
                                     GeneratedProject* generated, TQrx* project, TContents* contents,
                                     TCHMProject* chm)
{
    *generated = GenerateProject(folder + QStringLiteral("/help"), options);
    const QString projectFile = folder + QStringLiteral("/help.qrx");
    if (generated->rootDir.isEmpty() || !WriteGeneratedProjectFile(*generated, projectFile))
        return false;
    project->ReadFromIni(projectFile);
    project->Title = QStringLiteral("Generated help");
    project->Language = QStringLiteral("0x0409");
    contents->qrx = project;
    contents->Fill();
    if (!CopyFolder(generated->rootDir, work))
        return false;
    FillHtmlHelpProject(*chm, *project, *contents, work, QStringLiteral("help.chm"));
    return true;
}

} // namespace OutputTest
