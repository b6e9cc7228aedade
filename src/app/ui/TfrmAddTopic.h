#pragma once

#include "TAddTopic.h"

#include <QDialog>

class QButtonGroup;
class QComboBox;
class QLabel;
class QListWidget;
class QRadioButton;
class QSpinBox;
class QStackedWidget;
class QToolButton;

// The add-topic dialog ("添加新主题"): the pages "目录页", "非内容页面" and
// "模板" as flat buttons, the insert mode and what to add. It shows the
// state of its TAddTopic and hands the author's choices to it; the window
// runs TAddTopic::Apply after OK.
class TfrmAddTopic : public QDialog {
    Q_OBJECT
public:
    // Reads the template catalogue of `programFolder` each time.
    TfrmAddTopic(int tag, const TopicNode* focused, const QString& programFolder, QWidget* parent = nullptr);

    const TAddTopic& choices() const { return m_choices; }
    const QList<TTemplateCatalogueEntry>& catalogue() const { return m_catalogue; }

    QToolButton* pageButton(int page) const;
    QComboBox* insertModeList() const { return m_insertMode; }
    // The item types of the page shown.
    QRadioButton* typeButton(TAddTopic::TItemType type) const;
    QSpinBox* countBox() const { return m_count; }
    QComboBox* titleSourceList() const { return m_titleSource; }
    QListWidget* catalogueList() const { return m_catalogueList; }
    QLabel* picture() const { return m_picture; }

private:
    QWidget* createPagePanel();
    QWidget* createTemplatePanel();
    void showChoices();

    TAddTopic m_choices;
    QString m_programFolder;
    QList<TTemplateCatalogueEntry> m_catalogue;
    QButtonGroup* m_pages;
    QComboBox* m_insertMode;
    QStackedWidget* m_panels;
    QButtonGroup* m_pageTypes;
    QButtonGroup* m_templateTypes;
    QWidget* m_countRow;
    QSpinBox* m_count;
    QWidget* m_titleSourceRow;
    QComboBox* m_titleSource;
    QWidget* m_catalogueRow;
    QListWidget* m_catalogueList;
    QLabel* m_picture;
};
