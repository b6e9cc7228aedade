#pragma once

#include "TBuildDialogModel.h"

#include <QDialog>
#include <functional>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTabWidget;
class IUserPrompts;
class TQrx;

// The build dialog: one page per output with its target, the HTML Help
// project folder, and whether to open the result. "开始" validates
// (TBuildDialogModel) and closes with Accepted; the caller stores Values()
// and builds the output of ActivePage().
class TfrmBuild : public QDialog {
    Q_OBJECT

public:
    // `page`: the page shown first (a TBuildDialogPage); `prompts` shows
    // its errors and questions and the file and folder pickers.
    TfrmBuild(const TQrx& project, int page, IUserPrompts& prompts, QWidget* parent = nullptr);

    TBuildDialogValues Values() const;
    int ActivePage() const;

    // The link's help page beside the program.
    static QString ChmHelpPage();

    void accept() override;

    QTabWidget* pcPages;
    QLineEdit* edtCompiledFile;
    QCheckBox* cbOutputHhp;
    QLineEdit* edtHhpFolder;
    QPushButton* btnHhpFolder;
    QLabel* lbWhyChm;
    QComboBox* cbCompiler; // the HTML Help compiler
    QLineEdit* edtWebHelpFolder;
    QLineEdit* edtWordFile;
    QLineEdit* edtPdfFile;
    QLineEdit* edtSingleHtmlFolder;
    QLineEdit* edtSingleHtmlFile;
    QCheckBox* cbViewCompiled;
    QPushButton* btnStart;
    QPushButton* btnCancel;
    QList<QPushButton*> OptionButtons;
    // The "..." buttons, by the field they fill.
    QPushButton* BrowseButton(const QLineEdit* field) const;

private:
    QWidget* chmPage();
    QWidget* webHelpPage();
    QWidget* wordPage();
    QWidget* pdfPage();
    QWidget* singleHtmlPage();
    QPushButton* optionsButton(const QString& caption);
    QPushButton* browseButton(const char* name);
    void pickFile(QLineEdit* field, const QString& filter, const QString& suffix, bool confirmOverwrite);
    void pickFolder(QLineEdit* field, bool resolved);
    void updateHhpFolder();
    QLineEdit* fieldOf(TBuildDialogField field) const;

    QString m_rootDir;
    IUserPrompts& m_prompts;
};
