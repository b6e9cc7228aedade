#pragma once

#include <QDialog>
#include <QStringList>

class QListWidget;
class QRadioButton;

// The start dialog ("项目文件"): create a project of a kind, open one, or
// open a recent one (chosen at first).
class TfrmStart : public QDialog {
    Q_OBJECT
public:
    enum Choice { CreateProject, OpenProject, OpenRecent };

    // `recent`: the captions of the recent-project menu. `canCreate`: new
    // projects can be made (the choice is offered but greyed out otherwise).
    TfrmStart(const QStringList& recent, bool canCreate, QWidget* parent = nullptr);

    Choice choice() const;
    int projectKind() const; // 0-3
    QString recentEntry() const;

    QListWidget* kindList() const { return m_kinds; }
    QListWidget* recentList() const { return m_recent; }
    QRadioButton* button(Choice choice) const;

private:
    void syncLists();

    QRadioButton* m_create;
    QRadioButton* m_open;
    QRadioButton* m_openRecent;
    QListWidget* m_kinds;
    QListWidget* m_recent;
};
