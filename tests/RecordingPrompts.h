#pragma once

#include "IUserPrompts.h"

#include <QList>
#include <QStringList>
#include <functional>

// The prompts of a test: every box is recorded with its text, questions are
// answered by `Answer` (or the next of `Answers`), choices by the handlers
// a test sets; unset handlers cancel.
class TRecordingPrompts : public IUserPrompts {
public:
    struct TBox {
        QString Method; // "ShowError", "Confirm", "Message"
        Kind BoxKind = Kind::Information;
        QString Text;
        Buttons ButtonsShown = NoButton;
    };

    QList<TBox> Boxes;
    Button Answer = No;
    QList<Button> Answers; // used first, in order
    // Answer a box in place of `Answer` (the box is still recorded).
    std::function<Button(const QString& text, Buttons buttons)> OnConfirm;
    std::function<Button(Kind kind, const QString& text, Buttons buttons)> OnMessage;
    std::function<QStringList(const QString& caption, const QString& filter, const QString& folder, bool several)>
        OnChooseFiles;
    struct TSaveFileRequest {
        QString Caption, Filter, Folder, Name, DefaultSuffix;
        bool ConfirmOverwrite = true;
    };
    std::function<QString(const TSaveFileRequest& request)> OnChooseSaveFile;
    std::function<std::optional<QString>(const QString& caption, const QString& prompt, const QString& text)> OnAskText;
    std::function<bool(QString& folder, const QString& caption)> OnAskForFolder;

    QStringList Texts(const QString& method = QString()) const
    {
        QStringList texts;
        for (const TBox& box : Boxes) {
            if (method.isEmpty() || box.Method == method)
                texts.append(box.Text);
        }
        return texts;
    }
    QStringList Errors() const { return Texts(QStringLiteral("ShowError")); }
    QStringList Questions() const { return Texts(QStringLiteral("Confirm")); }

    void ShowError(const QString& message) override
    {
        Boxes.append({QStringLiteral("ShowError"), Kind::Error, message, Ok});
    }
    Button Confirm(const QString& text, Buttons buttons) override
    {
        Boxes.append({QStringLiteral("Confirm"), Kind::Question, text, buttons});
        return OnConfirm ? OnConfirm(text, buttons) : next();
    }
    Button Message(Kind kind, const QString& text, Buttons buttons) override
    {
        Boxes.append({QStringLiteral("Message"), kind, text, buttons});
        return OnMessage ? OnMessage(kind, text, buttons) : next();
    }
    QStringList ChooseFiles(const QString& caption, const QString& filter, const QString& folder, bool several) override
    {
        return OnChooseFiles ? OnChooseFiles(caption, filter, folder, several) : QStringList();
    }
    QString ChooseSaveFile(const QString& caption, const QString& filter, const QString& folder, const QString& name,
                           const QString& defaultSuffix, bool confirmOverwrite) override
    {
        return OnChooseSaveFile ? OnChooseSaveFile({caption, filter, folder, name, defaultSuffix, confirmOverwrite})
                                : QString();
    }
    std::optional<QString> AskText(const QString& caption, const QString& prompt, const QString& text) override
    {
        return OnAskText ? OnAskText(caption, prompt, text) : std::nullopt;
    }
    bool AskForFolder(QString& folder, const QString& caption) override
    {
        return OnAskForFolder ? OnAskForFolder(folder, caption) : false;
    }

private:
    Button next()
    {
        return Answers.isEmpty() ? Answer : Answers.takeFirst();
    }
};
