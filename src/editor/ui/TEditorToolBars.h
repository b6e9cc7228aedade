#pragma once

#include <QColor>
#include <QHash>
#include <QList>
#include <QObject>
#include <QPointer>
#include <functional>
#include <memory>
#include <optional>

class IDHTMLEdit;
class QAction;
class QComboBox;
class QMenu;
class QToolButton;
class QWidget;
class TDHTMLEditOperation;

// Binds the window's editor tool bars and menus to the command layer by
// their Tags (the property "tag", DHTMLEditCommands.h): every tool button
// (through its action), menu entry and combo box below a widget, once, when
// made. Builds the drop-downs (font colour, background colour, special
// characters, table editing, external editors) and shows the states of
// every refresh.
//
// Combo boxes act on textActivated only: filling and refreshing them runs
// no command.
class TEditorToolBars : public QObject {
    Q_OBJECT
public:
    // `root`: the widget whose tool bars, buttons, menus and boxes carry the Tags.
    TEditorToolBars(IDHTMLEdit& edit, QWidget& root, QObject* parent = nullptr);
    ~TEditorToolBars() override;

    TDHTMLEditOperation& Operation() { return *m_operation; }

    // The colour picker of "Custom...": no colour when the author cancels.
    // Replaceable, so that tests answer it.
    std::function<std::optional<QColor>(const QColor& initial)> PickColour;

    // Fills the external-editor drop-down from Operation().ExternalEditor.
    void MakeExternalEditor();

    // The controls bound, by the Tag they were made with.
    QAction* Action(int tag) const { return m_actionsByTag.value(tag); }
    QComboBox* Combo(int tag) const { return m_combosByTag.value(tag); }
    QToolButton* Button(int tag) const { return m_buttonsByTag.value(tag); }
    // The drop-down menu of a drop-down button.
    QMenu* Menu(int tag) const;

private:
    struct TBoundAction {
        QPointer<QAction> Action;
        int Tag;
    };

    void bind(QWidget& root);
    void bindAction(QAction* action, int tag);
    void bindCombo(QComboBox* combo, int tag);
    void setUpDropDown(QToolButton* button, int tag);
    QMenu* dropDownMenu(QToolButton* button);
    void buildColourMenu(QToolButton* button, bool foreground);
    void chooseColour(bool foreground, int index);
    void paintColour(QToolButton* button, quint32 rgb);
    void buildCharacterMenu(QToolButton* button);
    void buildTableMenu(QToolButton* button);
    void runAction(QAction* action, int tag);
    void takeItem(QToolButton* button, QAction* item);
    void refresh();
    void fillBlockFormats(const QStringList& names);
    int currentTag(const TBoundAction& bound) const;

    IDHTMLEdit& m_edit;
    std::unique_ptr<TDHTMLEditOperation> m_operation;
    QList<TBoundAction> m_actions;
    QHash<int, QAction*> m_actionsByTag;
    QHash<int, QComboBox*> m_combosByTag;
    QHash<int, QToolButton*> m_buttonsByTag;
    // What the special-character and table-editing buttons repeat.
    int m_characterTag;
    int m_tableTag;
};
