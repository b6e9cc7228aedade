#pragma once

#include <QString>
#include <QStringList>

#include <optional>

// Everything the program asks the author or tells them in a box goes
// through this one interface, handed explicitly to whoever needs it. Library
// code never opens a window: the application passes its dialogs, a headless
// program its console (TConsolePrompts), a test a recording fake.
class IUserPrompts {
public:
    enum class Kind { Information, Warning, Error, Question };
    // The buttons of a box, as flags; an answer is one of them.
    enum Button {
        NoButton = 0,
        Ok = 0x1,
        Cancel = 0x2,
        Yes = 0x4,
        No = 0x8,
        Abort = 0x10,
        Retry = 0x20,
    };
    using Buttons = int;

    virtual ~IUserPrompts() = default;

    // An error box (error icon, OK).
    virtual void ShowError(const QString& message) = 0;
    // A question before losing work: caption "Confirm", question icon.
    // Closing the box answers Cancel.
    virtual Button Confirm(const QString& text, Buttons buttons) = 0;
    // Any other box of the program's commands, under the program's name.
    virtual Button Message(Kind kind, const QString& text, Buttons buttons) = 0;
    // Existing files to open (native paths, in the order chosen); empty when
    // cancelled. `filter` is in the "caption|patterns|..." form.
    virtual QStringList ChooseFiles(const QString& caption, const QString& filter, const QString& folder,
                                    bool several) = 0;
    // A file to save to, `name` proposed in `folder`; empty when cancelled.
    // `confirmOverwrite`: an existing file is confirmed before it is chosen.
    virtual QString ChooseSaveFile(const QString& caption, const QString& filter, const QString& folder,
                                   const QString& name, const QString& defaultSuffix, bool confirmOverwrite) = 0;
    // A one-line answer, `text` preset; none when cancelled.
    virtual std::optional<QString> AskText(const QString& caption, const QString& prompt, const QString& text) = 0;
    // A folder, `folder` preselected and replaced on OK; false on cancel.
    virtual bool AskForFolder(QString& folder, const QString& caption) = 0;

    // Yes/No in a box of `kind`: true for Yes.
    bool AskYes(Kind kind, const QString& question)
    {
        return Message(kind, question, Yes | No) == Yes;
    }
};
