#pragma once

#include "TNewProject.h"

#include <QDialog>

class IUserPrompts;
class QCheckBox;
class QComboBox;
class QFormLayout;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QStackedWidget;
class QVBoxLayout;

// The new-project dialog ("新建项目"): the four kinds as a check list, one
// page for the selected kind below it (no tabs), the title and folder on
// the page shown (kind 3 needs neither), "确定" only once the values are
// complete. The window reads the author's choice with Request().
class TfrmNew : public QDialog {
    Q_OBJECT
public:
    // `defaultFolder`: the folder proposed for a new project (native);
    // `prompts` answers the "..." buttons.
    TfrmNew(const QString& defaultFolder, IUserPrompts& prompts, QWidget* parent = nullptr);

    int Kind() const { return m_kind; }
    void SetKind(int kind);
    // Brings the dialog in line with the selected kind: its check mark, its
    // page, the title and folder panel on it, the folder label and a folder
    // proposed again.
    void syn();
    // The help file to import, as the open dialog chose it.
    void SetChmFile(const QString& file);

    // What the author asked for, the folder with the documents folder put back.
    TNewProject Request() const;

    QListWidget* kindList() const { return m_kinds; }
    QStackedWidget* pages() const { return m_pages; }
    QWidget* titleFolderPanel() const { return m_panel; }
    QLineEdit* titleField() const { return m_title; }
    QLabel* folderLabel() const { return m_folderLabel; }
    QLineEdit* folderField() const { return m_folder; }
    QPushButton* folderButton() const { return m_folderButton; }
    QComboBox* titleModeList() const { return m_titleMode; }
    QCheckBox* keepStructureBox() const { return m_keepStructure; }
    QLineEdit* chmField() const { return m_chmFile; }
    QPushButton* chmButton() const { return m_chmButton; }
    QComboBox* languageList() const { return m_language; }
    QCheckBox* extractBox() const { return m_extract; }
    QLineEdit* hhpField() const { return m_hhpFile; }
    QPushButton* hhpButton() const { return m_hhpButton; }
    QPushButton* okButton() const { return m_ok; }

private:
    QWidget* createPanel();
    // A page for a kind with its form; `page` receives the page.
    static QFormLayout* newPage(QWidget*& page);
    // A file field with its "..." button, which chooses a file of `filter`.
    void addFileField(QFormLayout* form, const QString& label, QLineEdit*& field, QPushButton*& button,
                      const QString& filter);
    QWidget* createHtmlPage();
    QWidget* createChmPage();
    QWidget* createHhpPage();
    void chooseFolder();
    void chooseFile(QLineEdit* field, const QString& filter);
    void kindClicked(int row);
    void showCheckMarks();
    void updateOk();

    QString m_defaultFolder;
    IUserPrompts& m_prompts;
    int m_kind = NewBlankProject;
    QListWidget* m_kinds;
    QStackedWidget* m_pages;
    QVBoxLayout* m_pageLayouts[NewProjectKindCount] = {};
    QWidget* m_panel = nullptr;
    QLineEdit* m_title = nullptr;
    QLabel* m_folderLabel = nullptr;
    QLineEdit* m_folder = nullptr;
    QPushButton* m_folderButton = nullptr;
    QComboBox* m_titleMode = nullptr;
    QCheckBox* m_keepStructure = nullptr;
    QLineEdit* m_chmFile = nullptr;
    QPushButton* m_chmButton = nullptr;
    QComboBox* m_language = nullptr;
    QCheckBox* m_extract = nullptr;
    QLineEdit* m_hhpFile = nullptr;
    QPushButton* m_hhpButton = nullptr;
    QPushButton* m_ok = nullptr;
};
