#include "TFakeDHTMLEdit.h"

TFakeDHTMLEdit::TFakeDHTMLEdit(QWidget* parent)
    : QWidget(parent)
{
}

void TFakeDHTMLEdit::SetDocumentHTML(const QString& html)
{
    Html = html;
    Dirty = false;
    ++Loads;
    if (OnDocumentComplete)
        OnDocumentComplete();
}

QVariant TFakeDHTMLEdit::ExecCommand(int cmdID, int option, const QVariant& inValue)
{
    Commands.append({cmdID, option, inValue});
    return Results.value(cmdID, true);
}

int TFakeDHTMLEdit::QueryStatus(int cmdID)
{
    Queries.append(cmdID);
    return Statuses.value(cmdID, DefaultStatus);
}

void TFakeDHTMLEdit::SetContextMenu(const QStringList& menuStrings, const QList<int>& menuStates)
{
    MenuStrings = menuStrings;
    MenuStates = menuStates;
}

void TFakeDHTMLEdit::NewDocument()
{
    SetDocumentHTML(QStringLiteral("<html><head><title></title></head><body></body></html>"));
}

quint64 TFakeDHTMLEdit::ChangeCount()
{
    if (Html != m_countedHtml || Loads != m_countedLoads) {
        m_countedHtml = Html;
        m_countedLoads = Loads;
        ++m_changeCount;
    }
    return m_changeCount;
}

bool TFakeDHTMLEdit::SelectBookmark(const QString& bookmark)
{
    Bookmark = bookmark;
    return true;
}
