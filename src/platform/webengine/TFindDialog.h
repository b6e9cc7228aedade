#pragma once

#include <QDialog>
#include <functional>

class QCheckBox;
class QLineEdit;

// The editing control's find dialog: finds text in the page and selects it.
class TFindDialog : public QDialog {
    Q_OBJECT
public:
    // `find(text, matchCase, backwards)` answers whether the text was found.
    TFindDialog(std::function<bool(const QString&, bool, bool)> find, QWidget* parent = nullptr);

    void findNext();

private:
    std::function<bool(const QString&, bool, bool)> m_find;
    QLineEdit* m_text;
    QCheckBox* m_matchCase;
    QCheckBox* m_backwards;
};
