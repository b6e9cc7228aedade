#include "TDialogPrompts.h"

#include "FileFilters.h"
#include "ProductInfo.h"

#include <QApplication>
#include <QFileDialog>
#include <QFileInfo>
#include <QInputDialog>
#include <QMessageBox>

namespace {

QMessageBox::StandardButtons boxButtons(IUserPrompts::Buttons buttons)
{
    QMessageBox::StandardButtons result;
    const struct {
        IUserPrompts::Button Ours;
        QMessageBox::StandardButton Box;
    } map[] = {
        {IUserPrompts::Ok, QMessageBox::Ok},       {IUserPrompts::Cancel, QMessageBox::Cancel},
        {IUserPrompts::Yes, QMessageBox::Yes},     {IUserPrompts::No, QMessageBox::No},
        {IUserPrompts::Abort, QMessageBox::Abort}, {IUserPrompts::Retry, QMessageBox::Retry},
    };
    for (const auto& entry : map) {
        if (buttons & entry.Ours)
            result |= entry.Box;
    }
    return result;
}

IUserPrompts::Button answerOf(int button)
{
    switch (button) {
    case QMessageBox::Ok:
        return IUserPrompts::Ok;
    case QMessageBox::Yes:
        return IUserPrompts::Yes;
    case QMessageBox::No:
        return IUserPrompts::No;
    case QMessageBox::Abort:
        return IUserPrompts::Abort;
    case QMessageBox::Retry:
        return IUserPrompts::Retry;
    default:
        return IUserPrompts::Cancel;
    }
}

QMessageBox::Icon iconOf(IUserPrompts::Kind kind)
{
    switch (kind) {
    case IUserPrompts::Kind::Warning:
        return QMessageBox::Warning;
    case IUserPrompts::Kind::Error:
        return QMessageBox::Critical;
    case IUserPrompts::Kind::Question:
        return QMessageBox::Question;
    default:
        return QMessageBox::Information;
    }
}

} // namespace

TDialogPrompts::TDialogPrompts(QWidget* owner)
    : m_owner(owner)
{
}

QWidget* TDialogPrompts::parent() const
{
    return m_owner ? m_owner.data() : QApplication::activeWindow();
}

void TDialogPrompts::ShowError(const QString& message)
{
    QMessageBox::critical(parent(), QStringLiteral("Error"), message);
}

IUserPrompts::Button TDialogPrompts::Confirm(const QString& text, Buttons buttons)
{
    return answerOf(QMessageBox::question(parent(), QStringLiteral("Confirm"), text, boxButtons(buttons)));
}

IUserPrompts::Button TDialogPrompts::Message(Kind kind, const QString& text, Buttons buttons)
{
    QMessageBox box(iconOf(kind), ProductInfo::Name(), text, boxButtons(buttons), parent());
    return answerOf(box.exec());
}

QStringList TDialogPrompts::ChooseFiles(const QString& caption, const QString& filter, const QString& folder,
                                        bool several)
{
    QFileDialog dialog(parent(), caption, folder);
    dialog.setNameFilter(QtFileFilter(filter));
    dialog.setFileMode(several ? QFileDialog::ExistingFiles : QFileDialog::ExistingFile);
    return dialog.exec() == QDialog::Accepted ? dialog.selectedFiles() : QStringList();
}

QString TDialogPrompts::ChooseSaveFile(const QString& caption, const QString& filter, const QString& folder,
                                       const QString& name, const QString& defaultSuffix, bool confirmOverwrite)
{
    QFileDialog dialog(parent(), caption);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setNameFilter(QtFileFilter(filter));
    dialog.setDefaultSuffix(defaultSuffix);
    dialog.setOption(QFileDialog::DontConfirmOverwrite, !confirmOverwrite);
    if (!folder.isEmpty() && QFileInfo(folder).isDir())
        dialog.setDirectory(folder);
    dialog.selectFile(name);
    return dialog.exec() == QDialog::Accepted ? dialog.selectedFiles().value(0) : QString();
}

std::optional<QString> TDialogPrompts::AskText(const QString& caption, const QString& prompt, const QString& text)
{
    bool ok = false;
    const QString answer = QInputDialog::getText(parent(), caption, prompt, QLineEdit::Normal, text, &ok);
    if (!ok)
        return std::nullopt;
    return answer;
}

bool TDialogPrompts::AskForFolder(QString& folder, const QString& caption)
{
    const QString chosen = QFileDialog::getExistingDirectory(parent(), caption, folder);
    if (chosen.isEmpty())
        return false;
    folder = chosen;
    return true;
}
