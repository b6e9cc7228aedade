#include "TfrmBuildOutput.h"

#include <QCoreApplication>
#include <QHBoxLayout>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QVBoxLayout>

TfrmBuildOutput::TfrmBuildOutput(QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::WindowStaysOnTopHint)
{
    setWindowTitle(QStringLiteral("正在构建中"));
    mmOutput = new QPlainTextEdit(this);
    mmOutput->setReadOnly(true);
    mmOutput->setLineWrapMode(QPlainTextEdit::NoWrap);
    mmOutput->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    mmOutput->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    btnClose = new QPushButton(QStringLiteral("关闭(&C)"), this);
    connect(btnClose, &QPushButton::clicked, this, &QWidget::close);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(btnClose);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(mmOutput);
    layout->addLayout(buttons);
    resize(560, 360);
}

void TfrmBuildOutput::Clear()
{
    mmOutput->clear();
    m_lines.clear();
}

void TfrmBuildOutput::AppendOutputLine(const QString& text)
{
    m_lines.append(text);
    mmOutput->appendPlainText(text);
    mmOutput->verticalScrollBar()->setValue(mmOutput->verticalScrollBar()->maximum());
    // Paint now, but take no clicks or keys: a second build must not start
    // inside this one.
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

QStringList TfrmBuildOutput::Lines() const
{
    return m_lines;
}
