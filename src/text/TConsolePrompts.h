#pragma once

#include "IUserPrompts.h"

// The prompts of a program without a window: messages go to stderr, every
// question is declined (Cancel, No, Abort), nothing is chosen.
class TConsolePrompts : public IUserPrompts {
public:
    // `program` opens each line ("quorix-build: ...").
    explicit TConsolePrompts(QString program = QString());

    void ShowError(const QString& message) override;
    Button Confirm(const QString& text, Buttons buttons) override;
    Button Message(Kind kind, const QString& text, Buttons buttons) override;
    QStringList ChooseFiles(const QString&, const QString&, const QString&, bool) override { return {}; }
    QString ChooseSaveFile(const QString&, const QString&, const QString&, const QString&, const QString&,
                           bool) override
    {
        return {};
    }
    std::optional<QString> AskText(const QString&, const QString&, const QString&) override { return std::nullopt; }
    bool AskForFolder(QString&, const QString&) override { return false; }

    // The answer that declines a box with these buttons.
    static Button Declining(Buttons buttons);

private:
    void print(const QString& text) const;

    QString m_program;
};
