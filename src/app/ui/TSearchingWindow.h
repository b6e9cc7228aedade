#pragma once

#include <QDialog>
#include <QElapsedTimer>

class QLabel;

// The window ("正在搜索中") shown while a folder is searched for pages: the
// page found last, and the wait cursor on the window that searches. The
// window keeps painting; the author's input waits until the search ends.
class TSearchingWindow : public QDialog {
    Q_OBJECT
public:
    explicit TSearchingWindow(QWidget* owner);

    void Begin();
    void ShowFile(const QString& file);
    void End();

    QString Text() const;

private:
    QWidget* m_owner;
    QLabel* m_file;
    QElapsedTimer m_sincePaint;
};
