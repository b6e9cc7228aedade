#pragma once

#include "IDHTMLEdit.h"

// An editing control that hands every member on to another and counts
// how often the page's whole HTML is read.
class TCountingEdit : public IDHTMLEdit {
public:
    explicit TCountingEdit(IDHTMLEdit& inner)
        : m_inner(inner)
    {
        m_inner.OnDocumentComplete = [this] { if (OnDocumentComplete) OnDocumentComplete(); };
        m_inner.OnDisplayChanged = [this] { if (OnDisplayChanged) OnDisplayChanged(); };
        m_inner.OnShowContextMenu = [this](int x, int y) { if (OnShowContextMenu) OnShowContextMenu(x, y); };
        m_inner.OnContextMenuAction = [this](int index) { if (OnContextMenuAction) OnContextMenuAction(index); };
        m_inner.OnKeyCommand = [this](int id) { if (OnKeyCommand) OnKeyCommand(id); };
    }
    ~TCountingEdit() override
    {
        m_inner.OnDocumentComplete = nullptr;
        m_inner.OnDisplayChanged = nullptr;
        m_inner.OnShowContextMenu = nullptr;
        m_inner.OnContextMenuAction = nullptr;
        m_inner.OnKeyCommand = nullptr;
    }

    int HtmlReads = 0;

    QWidget* widget() override { return m_inner.widget(); }
    QString DocumentHTML() override
    {
        ++HtmlReads;
        return m_inner.DocumentHTML();
    }
    void SetDocumentHTML(const QString& html) override { m_inner.SetDocumentHTML(html); }
    QString BaseURL() const override { return m_inner.BaseURL(); }
    void SetBaseURL(const QString& folder) override { m_inner.SetBaseURL(folder); }
    bool ShowBorders() const override { return m_inner.ShowBorders(); }
    void SetShowBorders(bool show) override { m_inner.SetShowBorders(show); }
    bool ShowDetails() const override { return m_inner.ShowDetails(); }
    void SetShowDetails(bool show) override { m_inner.SetShowDetails(show); }
    bool IsDirty() override { return m_inner.IsDirty(); }
    quint64 ChangeCount() override { return m_inner.ChangeCount(); }
    void Flush() override { m_inner.Flush(); }
    bool Busy() const override { return m_inner.Busy(); }
    IHTMLDocument* DOM() override { return m_inner.DOM(); }
    QVariant ExecCommand(int cmdID, int option, const QVariant& inValue) override
    {
        return m_inner.ExecCommand(cmdID, option, inValue);
    }
    int QueryStatus(int cmdID) override { return m_inner.QueryStatus(cmdID); }
    QString SelectionBookmark() override { return m_inner.SelectionBookmark(); }
    bool SelectBookmark(const QString& bookmark) override { return m_inner.SelectBookmark(bookmark); }
    void SetContextMenu(const QStringList& strings, const QList<int>& states) override
    {
        m_inner.SetContextMenu(strings, states);
    }
    void NewDocument() override { m_inner.NewDocument(); }

private:
    IDHTMLEdit& m_inner;
};
