#pragma once

#include "HTMLHelpCompilers.h"

#include <QString>
#include <functional>

class TQrx;

// The ten project values the build dialog edits.
struct TBuildDialogValues {
    QString CompiledFile;
    QString WebHelpOutputFolder;
    QString SingleHtmlOutputFolder;
    QString SingleHtmlFilename;
    QString WordFile;
    QString PDFfile;
    bool DeleteProject = false; // the "输出 Html 帮助研讨会项目 (hhp)" box
    QString HHPFolder;
    bool ViewCompiledFile = true;
    EHTMLHelpCompiler Compiler = DefaultHTMLHelpCompiler;

    bool operator==(const TBuildDialogValues&) const = default;
};

// The pages of the build dialog, in order; each builds one output.
enum TBuildDialogPage : int {
    bpChm = 0,
    bpWebHelp = 1,
    bpWord = 2,
    bpPdf = 3,
    bpSingleHtml = 4,
};

// The fields the start validation may send the focus to.
enum class TBuildDialogField {
    None,
    CompiledFile,
    HHPFolder,
    WebHelpOutputFolder,
    SingleHtmlOutputFolder,
    SingleHtmlFilename,
};

// What the start button leads to: the dialog closes with "start", or it
// shows `Message` (error icon) and focuses `Focus`, or (a question answered
// No) it only stays open.
struct TBuildValidation {
    bool Start = false;
    QString Message;
    TBuildDialogField Focus = TBuildDialogField::None;
};

// The build dialog without its window.
class TBuildDialogModel {
public:
    // A warning question with Yes / No; true for Yes.
    using TQuestion = std::function<bool(const QString& question)>;

    static const QString Caption; // "构建帮助文件"

    static TBuildDialogValues FromProject(const TQrx& project);
    // Stores every value; `ProjectChanged` is set when any of them differs
    // (texts compared with case).
    static void StoreInProject(const TBuildDialogValues& values, TQrx& project);

    // The page a build command's tag opens: tag n opens page n - 1, tag 0
    // (the whole build) the first page.
    static int PageOfTag(int tag);
    // The output bit (TBuildOutput) of a page; 0 for no page.
    static int OutputOfPage(int page);

    // The start button on `page`: the checks in order, the warning questions
    // about a folder the output empties asked through `ask`.
    static TBuildValidation Validate(int page, const TBuildDialogValues& values, const QString& rootDir,
                                     const TQuestion& ask);

    // The folder an output empties before it writes (resolved as the build
    // resolves it); empty for outputs that empty none.
    static QString EmptiedFolder(int page, const TBuildDialogValues& values, const QString& rootDir);
};
