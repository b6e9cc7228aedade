#include "ChmWindowsFile.h"

#include "ChmBytes.h"
#include "TChmStringTable.h"
#include "THhpProject.h"

#include <QList>

namespace {

// The entry as the viewer's window type structure lays it out.
constexpr quint32 EntrySize = 196;
constexpr int TabOrderSize = 20;

// Fields of a [WINDOWS] definition, in the order the project writes them.
enum EField {
    Caption,
    Contents,
    Index,
    DefaultFile,
    Home,
    Jump1Url,
    Jump1Text,
    Jump2Url,
    Jump2Text,
    NavigationStyle,
    NavigationWidth,
    Buttons,
    Position,
    Style,
    ExtendedStyle,
    ShowState,
    NavigationClosed,
    DefaultTab,
    TabPosition,
    NotifyId,
};

// Which members of an entry the viewer takes from it.
enum EValidMember : quint32 {
    ValidProperties = 0x2,
    ValidStyles = 0x4,
    ValidExtendedStyles = 0x8,
    ValidPosition = 0x10,
    ValidNavigationWidth = 0x20,
    ValidShowState = 0x40,
    ValidButtons = 0x100,
    ValidExpansion = 0x200,
    ValidTabPosition = 0x400,
    ValidCurrentTab = 0x2000,
};

bool ReadNumber(const QByteArray& field, quint32& value)
{
    const QByteArray text = field.trimmed();
    if (text.isEmpty())
        return false;
    bool ok = false;
    const qint64 number = text.startsWith("0x") || text.startsWith("0X") ? text.mid(2).toLongLong(&ok, 16)
                                                                         : text.toLongLong(&ok, 10);
    if (ok)
        value = quint32(number);
    return ok;
}

} // namespace

QList<QByteArray> ChmWindowFields(const QByteArray& definition)
{
    QList<QByteArray> fields;
    QByteArray field;
    bool quoted = false;
    int brackets = 0;
    for (const char c : definition) {
        if (c == '"')
            quoted = !quoted;
        else if (!quoted && c == '[')
            ++brackets, field += c;
        else if (!quoted && c == ']')
            brackets = qMax(0, brackets - 1), field += c;
        else if (!quoted && brackets == 0 && c == ',') {
            fields.append(field.trimmed());
            field.clear();
        } else
            field += c;
    }
    fields.append(field.trimmed());
    return fields;
}

QByteArray ChmWindowsFile(const THhpProject& project, TChmStringTable& strings,
                          const std::function<QByteArray(const QByteArray& projectPath)>& pageInHelp)
{
    if (project.Windows.isEmpty())
        return QByteArray();
    QByteArray out;
    PutDword(out, quint32(project.Windows.size()));
    PutDword(out, EntrySize);
    for (const auto& [name, definition] : project.Windows) {
        QList<QByteArray> fields = ChmWindowFields(definition);
        while (fields.size() <= NotifyId)
            fields.append(QByteArray());
        const auto text = [&](EField field) { return strings.Add(fields[field]); };
        // A page: named by its place in the help file, or kept as written when
        // it is a URL or in another help file.
        const auto page = [&](EField field) {
            const QByteArray& value = fields[field];
            if (value.isEmpty())
                return quint32(0);
            const qsizetype hash = value.contains('#') ? value.indexOf('#') : value.size();
            const QByteArray stored = value.contains(':') ? QByteArray() : pageInHelp(value.left(hash));
            return strings.Add(stored.isEmpty() ? value : stored + value.mid(hash));
        };
        quint32 valid = 0;
        const auto number = [&](EField field, quint32 member) {
            quint32 value = 0;
            if (ReadNumber(fields[field], value))
                valid |= member;
            return value;
        };
        const quint32 properties = number(NavigationStyle, ValidProperties);
        const quint32 style = number(Style, ValidStyles);
        const quint32 extendedStyle = number(ExtendedStyle, ValidExtendedStyles);
        QList<QByteArray> corners = fields[Position].mid(1, fields[Position].size() - 2).split(',');
        quint32 rect[4] = {0, 0, 0, 0};
        if (fields[Position].startsWith('[') && corners.size() == 4) {
            bool all = true;
            for (int n = 0; n < 4; ++n)
                all = ReadNumber(corners[n], rect[n]) && all;
            if (all)
                valid |= ValidPosition;
        }
        const quint32 showState = number(ShowState, ValidShowState);
        const quint32 navigationWidth = number(NavigationWidth, ValidNavigationWidth);
        const quint32 buttons = number(Buttons, ValidButtons);
        const quint32 closed = number(NavigationClosed, ValidExpansion);
        const quint32 tab = number(DefaultTab, ValidCurrentTab);
        const quint32 tabPosition = number(TabPosition, ValidTabPosition);
        quint32 notifyId = 0;
        ReadNumber(fields[NotifyId], notifyId);

        QByteArray entry;
        PutDword(entry, EntrySize);
        PutDword(entry, 0); // ANSI strings
        PutDword(entry, strings.Add(name));
        PutDword(entry, valid);
        PutDword(entry, properties);
        PutDword(entry, text(Caption));
        PutDword(entry, style);
        PutDword(entry, extendedStyle);
        for (const quint32 corner : rect)
            PutDword(entry, corner);
        PutDword(entry, showState);
        for (int handle = 0; handle < 6; ++handle)
            PutDword(entry, 0); // window handles and info types, set at run time
        PutDword(entry, navigationWidth);
        for (int n = 0; n < 4; ++n)
            PutDword(entry, 0); // topic pane, set at run time
        PutDword(entry, page(Contents));
        PutDword(entry, page(Index));
        PutDword(entry, page(DefaultFile));
        PutDword(entry, page(Home));
        PutDword(entry, buttons);
        PutDword(entry, closed);
        PutDword(entry, tab);
        PutDword(entry, tabPosition);
        PutDword(entry, notifyId);
        entry.append(TabOrderSize, '\0');
        PutDword(entry, 0); // history entries: the viewer's default
        PutDword(entry, text(Jump1Text));
        PutDword(entry, text(Jump2Text));
        PutDword(entry, page(Jump1Url));
        PutDword(entry, page(Jump2Url));
        for (int n = 0; n < 4; ++n)
            PutDword(entry, 0); // minimum size
        PutDword(entry, 0);     // information types
        PutDword(entry, 0);     // custom tabs
        Q_ASSERT(quint32(entry.size()) == EntrySize);
        out += entry;
    }
    return out;
}
