#include "TSearchingWindow.h"

#include <QCoreApplication>
#include <QLabel>
#include <QVBoxLayout>

namespace {

// Pending events run this often while pages are found: often enough to
// paint, seldom enough to cost nothing on a folder of many thousand pages.
constexpr int PaintIntervalMs = 50;
constexpr int WindowWidth = 480;

void processPendingEvents()
{
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

} // namespace

TSearchingWindow::TSearchingWindow(QWidget* owner)
    : QDialog(owner)
    , m_owner(owner)
    , m_file(new QLabel(this))
{
    setWindowTitle(QStringLiteral("正在搜索中"));
    m_file->setTextFormat(Qt::PlainText);
    m_file->setMinimumWidth(WindowWidth);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_file);
}

void TSearchingWindow::Begin()
{
    m_file->clear();
    if (m_owner != nullptr)
        m_owner->setCursor(Qt::WaitCursor);
    show();
    processPendingEvents();
    m_sincePaint.start();
}

void TSearchingWindow::ShowFile(const QString& file)
{
    m_file->setText(fontMetrics().elidedText(file, Qt::ElideMiddle, m_file->width()));
    m_file->setToolTip(file);
    if (m_sincePaint.elapsed() >= PaintIntervalMs) {
        processPendingEvents();
        m_sincePaint.restart();
    }
}

void TSearchingWindow::End()
{
    hide();
    if (m_owner != nullptr)
        m_owner->unsetCursor();
}

QString TSearchingWindow::Text() const
{
    return m_file->toolTip();
}
