#pragma once

#include "TSelectTopicModel.h"

#include <QDialog>

class IUserPrompts;
class QLineEdit;
class QPushButton;
class QTreeView;
class TQrx;

// The select-topic dialog ("选择主题"): a topic or a template picked from
// the project's tree, or a page file, for the project settings and the
// hyperlink dialog. Callers put the current address into AddressField(),
// call Initialize, run the dialog and, on OK, read the address back.
class TfrmSelectTopic : public QDialog {
    Q_OBJECT
public:
    // The dialog reads the project's tree and never changes it.
    TfrmSelectTopic(TQrx& project, IUserPrompts& prompts, QWidget* parent = nullptr);

    QLineEdit* AddressField() const { return m_address; }
    // `mode`: TSelectTopicModel::PickTopic, else templates. The first root
    // shown opens one level; the topic whose Url is the address is selected.
    void Initialize(int mode);

    QTreeView* treeView() const { return m_view; }
    TSelectTopicModel& model() { return m_model; }
    QPushButton* expandAllButton() const { return m_expandAll; }
    QPushButton* browseButton() const { return m_browse; }
    QPushButton* okButton() const { return m_ok; }
    QPushButton* noneButton() const { return m_none; }

private:
    void nodeSelected(const QModelIndex& index);
    void expandAll();
    void browse();

    const TQrx& m_project;
    IUserPrompts& m_prompts;
    TSelectTopicModel m_model;
    QTreeView* m_view;
    QLineEdit* m_address;
    QPushButton* m_expandAll;
    QPushButton* m_browse;
    QPushButton* m_ok;
    QPushButton* m_none;
};
