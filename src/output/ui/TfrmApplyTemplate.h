#pragma once

#include "TApplyTemplate.h"

#include <QDialog>

class QCheckBox;
class QLabel;
class QPushButton;

// The apply-template dialog: two check boxes for the outputs that use the
// template page. OK stores the choice in the project (TApplyTemplate).
class TfrmApplyTemplate : public QDialog {
    Q_OBJECT

public:
    TfrmApplyTemplate(TQrx& project, const TopicNode& page, QWidget* parent = nullptr);

    void accept() override;

private:
    TApplyTemplate m_logic;
    QLabel* lbMessage;
    QCheckBox* cbHtmlHelp;
    QCheckBox* cbWebHelp;
    QPushButton* btnOK;
    QPushButton* btnCancel;
};
