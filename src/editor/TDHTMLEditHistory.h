#pragma once

#include <QString>
#include <QStringList>
#include <functional>

class IDHTMLEdit;

// The editor's own undo and redo: whole-page snapshots of the editing
// control, each with where the selection was. The command layer calls Look
// at every refresh; Undo and Redo load an earlier or later snapshot, and
// RestoreSelection, once the control has loaded it, puts the selection back.
//
// The snapshots are capped by their total size, the oldest dropped first,
// so a long day on a large page cannot exhaust memory.
class TDHTMLEditHistory {
public:
    // Operation values.
    enum { OperationNone = 0, OperationUndo = 1, OperationRedo = 2 };
    // What the snapshots may hold in all, in bytes: about 30 steps of a
    // 2 MB page, thousands of an ordinary one.
    static constexpr qint64 DefaultCapacityBytes = 128LL * 1024 * 1024;

    explicit TDHTMLEditHistory(IDHTMLEdit& edit);

    // Takes the first snapshot, a new one when the page changed, or notes
    // where the selection now is.
    void Look();
    void Undo();
    void Redo();
    // Back to empty, for another page.
    void Clear();
    // After the control loaded a snapshot of Undo or Redo.
    void RestoreSelection();

    bool CanUndo() const { return Position > 0; }
    bool CanRedo() const { return Position >= 0 && Position < Source.size() - 1; }
    // The page as loaded is gone from the history (dropped by the cap): the
    // page may differ from it even where nothing is left to undo.
    bool LostOriginal() const { return m_lostOriginal; }

    qint64 Capacity() const { return m_capacity; }
    void SetCapacity(qint64 bytes);
    // What the snapshots and selections now take.
    qint64 SizeInBytes() const { return m_bytes; }

    // The page file of the topic shown; undo and redo load the snapshot in
    // its folder. Unset or empty: the control keeps its folder.
    std::function<QString()> CurrentFile;

    QStringList Source;     // the snapshots
    QStringList Selection;  // for each, the selection last seen with that text
    QStringList Selection2; // for each, the selection when it was taken
    int Operation = OperationNone;
    int Position = -1;

private:
    void load();
    void append(const QString& html, const QString& selection);
    void trim();
    void dropOldest();
    void dropNewest();
    static qint64 bytesOf(const QString& text) { return qint64(text.size()) * qint64(sizeof(QChar)); }

    IDHTMLEdit& m_edit;
    quint64 m_lastChange = 0;
    qint64 m_bytes = 0;
    qint64 m_capacity = DefaultCapacityBytes;
    bool m_lostOriginal = false;
};
