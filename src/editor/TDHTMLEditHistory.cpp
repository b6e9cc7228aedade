#include "TDHTMLEditHistory.h"

#include "IDHTMLEdit.h"

#include <QFileInfo>

namespace {

bool isPlace(const QString& selection)
{
    return selection != QStringView(DHTMLEdit::SelectionControlRecord)
        && selection != QStringView(DHTMLEdit::SelectionNoneRecord) && !selection.isEmpty();
}

} // namespace

TDHTMLEditHistory::TDHTMLEditHistory(IDHTMLEdit& edit)
    : m_edit(edit)
{
}

void TDHTMLEditHistory::Look()
{
    if (Position < 0) {
        // The page as loaded.
        const QString html = m_edit.DocumentHTML();
        m_lastChange = m_edit.ChangeCount();
        Clear();
        append(html, m_edit.SelectionBookmark());
        return;
    }
    // The page is read only when its content moved since the last look.
    if (m_edit.ChangeCount() != m_lastChange) {
        if (!m_edit.IsDirty()) {
            // A snapshot or another page just loaded: no change of the author's.
            m_lastChange = m_edit.ChangeCount();
            return;
        }
        const QString html = m_edit.DocumentHTML();
        m_lastChange = m_edit.ChangeCount();
        if (html != Source[Position]) {
            append(html, m_edit.SelectionBookmark());
            return;
        }
    }
    if (Position == Source.size() - 1) {
        const QString selection = m_edit.SelectionBookmark();
        m_bytes += bytesOf(selection) - bytesOf(Selection[Position]);
        Selection[Position] = selection;
    }
}

void TDHTMLEditHistory::append(const QString& html, const QString& selection)
{
    ++Position;
    // What redo could reach goes.
    while (Source.size() > Position)
        dropNewest();
    Source.append(html);
    Selection.append(selection);
    Selection2.append(selection);
    m_bytes += bytesOf(html) + 2 * bytesOf(selection);
    trim();
}

void TDHTMLEditHistory::trim()
{
    // The snapshot shown always stays; the oldest go first, then what redo
    // could reach.
    while (m_bytes > m_capacity && Source.size() > 1) {
        if (Position > 0) {
            dropOldest();
            continue;
        }
        dropNewest();
    }
}

void TDHTMLEditHistory::dropNewest()
{
    m_bytes -= bytesOf(Source.last()) + bytesOf(Selection.last()) + bytesOf(Selection2.last());
    Source.removeLast();
    Selection.removeLast();
    Selection2.removeLast();
}

void TDHTMLEditHistory::dropOldest()
{
    m_bytes -= bytesOf(Source.first()) + bytesOf(Selection.first()) + bytesOf(Selection2.first());
    Source.removeFirst();
    Selection.removeFirst();
    Selection2.removeFirst();
    --Position;
    m_lostOriginal = true;
}

void TDHTMLEditHistory::SetCapacity(qint64 bytes)
{
    m_capacity = bytes;
    trim();
}

void TDHTMLEditHistory::Undo()
{
    if (Position < 0)
        return;
    // The last keystroke, not seen by a refresh yet, is a step of its own.
    if (!m_edit.Busy())
        Look();
    if (Position <= 0)
        return;
    --Position;
    Operation = OperationUndo; // before the load: a control may finish it at once
    load();
}

void TDHTMLEditHistory::Redo()
{
    if (Position < 0)
        return;
    if (!m_edit.Busy())
        Look(); // an edit since the last refresh drops what redo could reach
    if (!CanRedo())
        return;
    ++Position;
    Operation = OperationRedo;
    load();
}

void TDHTMLEditHistory::load()
{
    m_edit.SetDocumentHTML(Source[Position]);
    const QString file = CurrentFile ? CurrentFile() : QString();
    if (!file.isEmpty())
        m_edit.SetBaseURL(QFileInfo(file).path() + QLatin1Char('/'));
}

void TDHTMLEditHistory::Clear()
{
    Source.clear();
    Selection.clear();
    Selection2.clear();
    Position = -1;
    Operation = OperationNone;
    m_bytes = 0;
    m_lostOriginal = false;
}

void TDHTMLEditHistory::RestoreSelection()
{
    if (Position < 0)
        return;
    const int operation = Operation;
    Operation = OperationNone;
    if (operation == OperationNone)
        return;
    const QString& selection = operation == OperationUndo ? Selection[Position] : Selection2[Position];
    // A selected picture or table is not selected again.
    if (isPlace(selection))
        m_edit.SelectBookmark(selection);
}
