#include "TEditorToolBars.h"

#include "IDHTMLEdit.h"
#include "TDHTMLEditOperation.h"

#include <QAction>
#include <QColorDialog>
#include <QComboBox>
#include <QIcon>
#include <QMenu>
#include <QPainter>
#include <QPixmap>
#include <QToolButton>
#include <QWidget>

using namespace DHTMLEdit;
using namespace EditorMenus;

namespace {

const char* const TagProperty = "tag";

// Pictures of the drop-downs' items.
constexpr int IconSize = 16;
constexpr int SwatchWidth = 32;
constexpr int SwatchHeight = 13;
// The rows of a colour button's picture that show the colour it applies.
constexpr int ColourBarTop = 12;

int tagOf(const QObject* object)
{
    bool ok = false;
    const int tag = object->property(TagProperty).toInt(&ok);
    return ok ? tag : 0;
}

QColor colourOf(quint32 rgb)
{
    return QColor::fromRgb(QRgb(rgb | 0xff000000u));
}

quint32 rgbOf(const QColor& colour)
{
    return quint32(colour.rgb()) & 0xffffffu;
}

// A black frame filled with the colour.
QIcon swatch(quint32 rgb)
{
    QPixmap picture(SwatchWidth, SwatchHeight);
    picture.fill(Qt::black);
    QPainter painter(&picture);
    painter.fillRect(1, 1, SwatchWidth - 2, SwatchHeight - 2, colourOf(rgb));
    return QIcon(picture);
}

QIcon glyphIcon(const QString& glyph)
{
    QPixmap picture(IconSize, IconSize);
    picture.fill(Qt::transparent);
    QPainter painter(&picture);
    QFont font = painter.font();
    font.setPixelSize(IconSize - 2);
    painter.setFont(font);
    painter.drawText(picture.rect(), Qt::AlignCenter, glyph);
    return QIcon(picture);
}

// A small grid with the row or column a table command adds (green) or
// removes (red).
QIcon tableIcon(int tag)
{
    constexpr int Cells = 3;
    constexpr int Cell = 4;
    constexpr int Origin = 2;
    QPixmap picture(IconSize, IconSize);
    picture.fill(Qt::transparent);
    QPainter painter(&picture);
    const QColor added(0x2e, 0x9e, 0x3e);
    const QColor removed(0xd0, 0x30, 0x30);
    auto cell = [&](int column, int row, const QColor& colour) {
        painter.fillRect(Origin + column * Cell, Origin + row * Cell, Cell, Cell, colour);
    };
    for (int i = 0; i < Cells; ++i) {
        switch (tag) {
        case DECMD_INSERTROW: cell(i, 0, added); break;
        case DECMD_INSERTCOL: cell(0, i, added); break;
        case EDTAG_APPENDROW: cell(i, Cells - 1, added); break;
        case EDTAG_APPENDCOLUMN: cell(Cells - 1, i, added); break;
        case DECMD_DELETEROWS: cell(i, 1, removed); break;
        case DECMD_DELETECOLS: cell(1, i, removed); break;
        default: break;
        }
    }
    painter.setPen(Qt::darkGray);
    for (int i = 0; i <= Cells; ++i) {
        painter.drawLine(Origin, Origin + i * Cell, Origin + Cells * Cell, Origin + i * Cell);
        painter.drawLine(Origin + i * Cell, Origin, Origin + i * Cell, Origin + Cells * Cell);
    }
    return QIcon(picture);
}

} // namespace

TEditorToolBars::TEditorToolBars(IDHTMLEdit& edit, QWidget& root, QObject* parent)
    : QObject(parent)
    , m_edit(edit)
    , m_operation(std::make_unique<TDHTMLEditOperation>(edit))
    , m_characterTag(StartSpecialCharacter)
    , m_tableTag(StartTableEditTag())
{
    PickColour = [this](const QColor& initial) -> std::optional<QColor> {
        const QColor chosen = QColorDialog::getColor(initial, m_edit.widget()->window(), QStringLiteral("颜色"));
        if (!chosen.isValid())
            return std::nullopt;
        return chosen;
    };
    QWidget* control = edit.widget();
    m_operation->ControlEnabled = [control] { return control->isEnabled(); };
    m_operation->OnRefresh = [this] { refresh(); };
    m_operation->OnBlockFormats = [this](const QStringList& names) { fillBlockFormats(names); };
    bind(root);
}

TEditorToolBars::~TEditorToolBars() = default;

QMenu* TEditorToolBars::Menu(int tag) const
{
    QToolButton* button = Button(tag);
    return button ? button->menu() : nullptr;
}

// ---- binding -------------------------------------------------------------------

void TEditorToolBars::bind(QWidget& root)
{
    // Tool buttons first: a drop-down button gets its menu before its items
    // are bound with the other menu entries.
    for (QToolButton* button : root.findChildren<QToolButton*>()) {
        QAction* action = button->defaultAction();
        const int tag = action ? tagOf(action) : tagOf(button);
        if (tag < EDTAG_EDITOR)
            continue;
        m_buttonsByTag.insert(tag, button);
        setUpDropDown(button, tag);
    }
    for (QAction* action : root.findChildren<QAction*>()) {
        const int tag = tagOf(action);
        if (tag >= EDTAG_EDITOR && !m_actionsByTag.contains(tag))
            bindAction(action, tag);
    }
    for (QComboBox* combo : root.findChildren<QComboBox*>()) {
        const int tag = tagOf(combo);
        if (tag >= DECMD_BOLD)
            bindCombo(combo, tag);
    }
}

void TEditorToolBars::bindAction(QAction* action, int tag)
{
    m_actions.append({action, tag});
    m_actionsByTag.insert(tag, action);
    if (tag == EDTAG_SHOWBORDERS)
        action->setChecked(m_edit.ShowBorders());
    else if (tag == EDTAG_SHOWDETAILS)
        action->setChecked(m_edit.ShowDetails());
    connect(action, &QAction::triggered, this, [this, action, tag](bool checked) {
        // A check button shows what the page says, not what the click made it.
        if (action->isCheckable() && tag != EDTAG_SHOWBORDERS && tag != EDTAG_SHOWDETAILS)
            action->setChecked(!checked);
        runAction(action, tag);
    });
}

void TEditorToolBars::bindCombo(QComboBox* combo, int tag)
{
    m_combosByTag.insert(tag, combo);
    connect(combo, &QComboBox::textActivated, this, [this, tag](const QString& text) {
        m_operation->ExecCommand(tag, text);
        m_edit.widget()->setFocus(); // typing goes on in the page
    });
}

QMenu* TEditorToolBars::dropDownMenu(QToolButton* button)
{
    QMenu* menu = button->menu();
    if (menu == nullptr) {
        menu = new QMenu(button);
        button->setMenu(menu);
        button->setPopupMode(QToolButton::MenuButtonPopup);
    }
    menu->clear();
    return menu;
}

void TEditorToolBars::setUpDropDown(QToolButton* button, int tag)
{
    switch (tag) {
    case DECMD_SETFORECOLOR:
        buildColourMenu(button, true);
        break;
    case DECMD_SETBACKCOLOR:
        buildColourMenu(button, false);
        break;
    case EDTAG_SPECIALCHARACTER:
        buildCharacterMenu(button);
        break;
    case EDTAG_TABLEEDIT:
        buildTableMenu(button);
        break;
    case EDTAG_EXTERNALEDITOR:
        dropDownMenu(button);
        MakeExternalEditor();
        break;
    default:
        break;
    }
}

// ---- drop-downs ------------------------------------------------------------------

void TEditorToolBars::buildColourMenu(QToolButton* button, bool foreground)
{
    QMenu* menu = dropDownMenu(button);
    const QList<TColour>& colours = ColourTable();
    for (int index = 0; index < colours.size(); ++index) {
        QAction* item = menu->addAction(swatch(colours[index].Rgb), colours[index].Name);
        connect(item, &QAction::triggered, this, [this, foreground, index] { chooseColour(foreground, index); });
    }
    QAction* custom = menu->addAction(CustomColourCaption);
    connect(custom, &QAction::triggered, this, [this, foreground] { chooseColour(foreground, CustomColourTag); });
    paintColour(button, foreground ? m_operation->CurrentForeColor : m_operation->CurrentBackColor);
}

void TEditorToolBars::chooseColour(bool foreground, int index)
{
    quint32 rgb = 0;
    if (index == CustomColourTag) {
        const quint32 current = foreground ? m_operation->CurrentForeColor : m_operation->CurrentBackColor;
        const std::optional<QColor> chosen = PickColour ? PickColour(colourOf(current)) : std::nullopt;
        if (!chosen)
            return; // cancelled: nothing changes
        rgb = rgbOf(*chosen);
    } else {
        rgb = ColourTable().value(index).Rgb;
    }
    paintColour(Button(foreground ? DECMD_SETFORECOLOR : DECMD_SETBACKCOLOR), rgb);
    if (foreground)
        m_operation->ApplyForeColor(rgb);
    else
        m_operation->ApplyBackColor(rgb);
}

void TEditorToolBars::paintColour(QToolButton* button, quint32 rgb)
{
    if (button == nullptr || button->defaultAction() == nullptr)
        return;
    QAction* action = button->defaultAction();
    QPixmap picture = action->icon().pixmap(IconSize, IconSize);
    if (picture.isNull()) {
        picture = QPixmap(IconSize, IconSize);
        picture.fill(Qt::transparent);
    }
    picture = picture.scaled(IconSize, IconSize);
    QPainter painter(&picture);
    painter.fillRect(0, ColourBarTop, IconSize, IconSize - ColourBarTop, colourOf(rgb));
    painter.end();
    action->setIcon(QIcon(picture));
}

void TEditorToolBars::buildCharacterMenu(QToolButton* button)
{
    QMenu* menu = dropDownMenu(button);
    for (const TSpecialCharacter& character : SpecialCharacters()) {
        QAction* item = menu->addAction(glyphIcon(character.Glyph), character.Caption);
        const int tag = character.Tag;
        connect(item, &QAction::triggered, this, [this, button, item, tag] {
            m_operation->InsertCharacter(tag);
            m_characterTag = tag;
            takeItem(button, item);
        });
    }
}

void TEditorToolBars::buildTableMenu(QToolButton* button)
{
    QMenu* menu = dropDownMenu(button);
    for (const TTableEditItem& entry : TableEditItems()) {
        if (entry.Tag == 0) {
            menu->addSeparator();
            continue;
        }
        QAction* item = menu->addAction(tableIcon(entry.Tag), entry.Caption);
        const int tag = entry.Tag;
        // Refreshed with the others: enabled only where the command applies.
        m_actions.append({item, tag});
        connect(item, &QAction::triggered, this, [this, button, item, tag] {
            m_operation->EditTable(tag);
            m_tableTag = tag;
            takeItem(button, item);
        });
    }
}

void TEditorToolBars::MakeExternalEditor()
{
    QToolButton* button = Button(EDTAG_EXTERNALEDITOR);
    if (button == nullptr)
        return;
    QMenu* menu = dropDownMenu(button);
    for (const QString& editor : std::as_const(m_operation->ExternalEditor)) {
        QAction* item = menu->addAction(editor);
        connect(item, &QAction::triggered, this, [this, editor] {
            if (m_operation->Hooks.ExternalEditor)
                m_operation->Hooks.ExternalEditor(editor);
        });
    }
}

// The button repeats the item last used: its picture, and its caption as hint.
void TEditorToolBars::takeItem(QToolButton* button, QAction* item)
{
    QAction* action = button->defaultAction();
    if (action == nullptr)
        return;
    action->setIcon(item->icon());
    action->setText(item->text());
    action->setToolTip(item->text());
}

// ---- commands --------------------------------------------------------------------

void TEditorToolBars::runAction(QAction* action, int tag)
{
    switch (tag) {
    case EDTAG_SHOWBORDERS:
        action->setChecked(m_operation->ToggleShowBorders());
        break;
    case EDTAG_SHOWDETAILS:
        action->setChecked(m_operation->ToggleShowDetails());
        break;
    case EDTAG_SPECIALCHARACTER:
        m_operation->InsertCharacter(m_characterTag);
        break;
    case EDTAG_TABLEEDIT:
        m_operation->EditTable(m_tableTag);
        break;
    default:
        m_operation->Run(tag);
        break;
    }
}

// ---- refresh ---------------------------------------------------------------------

int TEditorToolBars::currentTag(const TBoundAction& bound) const
{
    // The table-editing button stands for the command it repeats.
    return bound.Tag == EDTAG_TABLEEDIT ? m_tableTag : bound.Tag;
}

void TEditorToolBars::refresh()
{
    QList<int> tags;
    for (const TBoundAction& bound : std::as_const(m_actions)) {
        if (bound.Action)
            tags.append(currentTag(bound));
    }
    tags.append(m_combosByTag.keys());
    const TEditorStates states = m_operation->States(tags);

    for (const TBoundAction& bound : std::as_const(m_actions)) {
        if (!bound.Action)
            continue;
        const auto state = states.constFind(currentTag(bound));
        if (state == states.constEnd())
            continue;
        bound.Action->setEnabled(state->Enabled);
        if (bound.Action->isCheckable())
            bound.Action->setChecked(state->Down);
    }
    for (auto combo = m_combosByTag.constBegin(); combo != m_combosByTag.constEnd(); ++combo) {
        const auto state = states.constFind(combo.key());
        if (state == states.constEnd())
            continue;
        QComboBox* box = combo.value();
        box->setEnabled(state->Enabled);
        if (box->isEditable())
            box->setEditText(state->Text);
        else
            box->setCurrentIndex(state->HasText ? box->findText(state->Text) : 0);
    }
}

void TEditorToolBars::fillBlockFormats(const QStringList& names)
{
    QComboBox* box = Combo(DECMD_SETBLOCKFMT);
    if (box == nullptr)
        return;
    box->clear();
    box->addItems(names);
}
