#pragma once

#include "IUserPrompts.h"

#include <QPointer>
#include <QWidget>

// The prompts of the window: message boxes, file and folder dialogs and an
// input box, each modal over `owner` (or the active window).
class TDialogPrompts : public IUserPrompts {
public:
    explicit TDialogPrompts(QWidget* owner = nullptr);

    void ShowError(const QString& message) override;
    Button Confirm(const QString& text, Buttons buttons) override;
    Button Message(Kind kind, const QString& text, Buttons buttons) override;
    QStringList ChooseFiles(const QString& caption, const QString& filter, const QString& folder,
                            bool several) override;
    QString ChooseSaveFile(const QString& caption, const QString& filter, const QString& folder, const QString& name,
                           const QString& defaultSuffix, bool confirmOverwrite) override;
    std::optional<QString> AskText(const QString& caption, const QString& prompt, const QString& text) override;
    bool AskForFolder(QString& folder, const QString& caption) override;

private:
    QWidget* parent() const;

    QPointer<QWidget> m_owner;
};
