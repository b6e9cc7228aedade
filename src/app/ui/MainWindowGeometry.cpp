#include "MainWindowGeometry.h"

#include "IDHTMLEdit.h"

#include <QGuiApplication>
#include <QMainWindow>
#include <QScreen>
#include <QSplitter>

TWindowState CaptureWindowState(const QMainWindow& window, const QSplitter& splitter, const IDHTMLEdit& editor)
{
    const QRect normal = window.isMaximized() || window.isFullScreen() ? window.normalGeometry() : window.geometry();
    TWindowState state;
    state.Left = normal.x();
    state.Top = normal.y();
    state.Width = normal.width();
    state.Height = normal.height();
    state.Maximized = window.isMaximized();
    state.ShowBorders = editor.ShowBorders();
    state.ShowDetails = editor.ShowDetails();
    state.NavWidth = splitter.sizes().value(0);
    return state;
}

void ApplyWindowState(const TWindowState& state, QMainWindow& window, QSplitter& splitter, IDHTMLEdit& editor)
{
    QRect bounds(state.Left, state.Top, state.Width, state.Height);
    const QScreen* screen = QGuiApplication::screenAt(bounds.center());
    if (screen == nullptr && QGuiApplication::primaryScreen() != nullptr)
        bounds.moveCenter(QGuiApplication::primaryScreen()->availableGeometry().center());
    window.setGeometry(bounds);
    splitter.setSizes({std::max(1, state.NavWidth), std::max(1, state.Width - state.NavWidth)});
    if (state.Maximized)
        window.setWindowState(window.windowState() | Qt::WindowMaximized);
    editor.SetShowBorders(state.ShowBorders);
    editor.SetShowDetails(state.ShowDetails);
}
