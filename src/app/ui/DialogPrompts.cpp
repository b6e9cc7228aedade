#include "DialogPrompts.h"

#include "UserPrompts.h"

#include <QApplication>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QWidget>

namespace {

QWidget* dialogParent()
{
    return QApplication::activeWindow();
}

} // namespace

void InstallDialogPrompts()
{
    SetErrorMessageHandler([](const QString& message) {
        QMessageBox::critical(dialogParent(), QStringLiteral("Error"), message);
    });
    SetSaveFileNameHandler([](QString& fileName) {
        const QString chosen = QFileDialog::getSaveFileName(dialogParent(), QStringLiteral("保存"), fileName);
        if (chosen.isEmpty())
            return false;
        fileName = chosen;
        return true;
    });
    SetBrowseForFolderHandler([](QObject* owner, QString& folder, const QString& caption, int, const QString&) {
        QWidget* parent = qobject_cast<QWidget*>(owner);
        const QString chosen =
            QFileDialog::getExistingDirectory(parent ? parent : dialogParent(), caption, folder);
        if (chosen.isEmpty())
            return false;
        folder = chosen;
        return true;
    });
}
