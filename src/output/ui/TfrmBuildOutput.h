#pragma once

#include <QStringList>
#include <QWidget>

class QPlainTextEdit;
class QPushButton;

// The build output window "正在构建中": every progress line of a build, one
// line each. It stays on top while shown and stays open after the build
// until the author closes it.
class TfrmBuildOutput : public QWidget {
    Q_OBJECT

public:
    explicit TfrmBuildOutput(QWidget* parent = nullptr);

    void Clear();
    // Appends `text` as one line and lets the window repaint: the build
    // runs on the user-interface thread.
    void AppendOutputLine(const QString& text);
    QStringList Lines() const;

    QPlainTextEdit* mmOutput;
    QPushButton* btnClose;

private:
    QStringList m_lines;
};
