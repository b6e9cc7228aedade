#pragma once

#include "IDHTMLEdit.h"

#include <QHash>
#include <QWidget>

// The editing control as a test double: the page is a string in memory,
// commands and status queries are recorded, and the answers are what the
// test sets. Loads complete at once. There is no document model (DOM() is
// null): tests of the document model use the real control.
class TFakeDHTMLEdit : public QWidget, public IDHTMLEdit {
public:
    struct TCommand {
        int id;
        int option;
        QVariant value;
    };

    explicit TFakeDHTMLEdit(QWidget* parent = nullptr);

    QWidget* widget() override { return this; }

    QString DocumentHTML() override { return Html; }
    void SetDocumentHTML(const QString& html) override;
    QString BaseURL() const override { return Folder; }
    void SetBaseURL(const QString& folder) override { Folder = folder; }
    bool ShowBorders() const override { return Borders; }
    void SetShowBorders(bool show) override { Borders = show; }
    bool ShowDetails() const override { return Details; }
    void SetShowDetails(bool show) override { Details = show; }
    bool IsDirty() override { return Dirty; }
    // Moves when Html changed since it was last asked, and with every load.
    quint64 ChangeCount() override;
    void Flush() override { ++Flushes; }
    QString SelectionBookmark() override { return Bookmark; }
    bool SelectBookmark(const QString& bookmark) override;
    bool Busy() const override { return false; }
    IHTMLDocument* DOM() override { return nullptr; }

    // Recorded in Commands; answers Results[cmdID], true when unset.
    QVariant ExecCommand(int cmdID, int option = DHTMLEdit::OLECMDEXECOPT_DODEFAULT,
                         const QVariant& inValue = QVariant()) override;
    // Recorded in Queries; answers Statuses[cmdID], DefaultStatus when unset.
    int QueryStatus(int cmdID) override;
    void SetContextMenu(const QStringList& menuStrings, const QList<int>& menuStates) override;
    void NewDocument() override;

    QString Html;
    QString Folder;
    bool Borders = false;
    bool Details = false;
    bool Dirty = false; // set by the test to stand for an edit
    int Loads = 0;      // pages set, NewDocument included
    int Flushes = 0;
    // The selection: what SelectionBookmark answers and SelectBookmark sets.
    QString Bookmark = QString::fromUtf16(DHTMLEdit::SelectionNoneRecord);

    QList<TCommand> Commands;
    QList<int> Queries;
    QHash<int, QVariant> Results;
    QHash<int, int> Statuses;
    int DefaultStatus = DHTMLEdit::DECMDF_ENABLED;
    QStringList MenuStrings;
    QList<int> MenuStates;

private:
    QString m_countedHtml;
    int m_countedLoads = 0;
    quint64 m_changeCount = 0;
};
