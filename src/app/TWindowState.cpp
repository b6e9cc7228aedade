#include "TWindowState.h"

#include <QSettings>
#include <optional>

namespace {

constexpr int MinimumHeight = 500;
constexpr int SmallHeight = 700;
constexpr int MinimumWidth = 918;

std::optional<int> readInt(const QSettings& settings, const char* name)
{
    const QVariant value = settings.value(QLatin1String(name));
    if (!value.isValid())
        return std::nullopt;
    bool ok = false;
    const int number = value.toInt(&ok);
    if (!ok)
        return std::nullopt;
    return number;
}

} // namespace

TWindowState TWindowState::Load(const QSettings& settings, const TWindowState& designed)
{
    TWindowState state = designed;
    const auto firstRun = [&state] {
        state.ShowBorders = true;
        state.Maximized = true;
        return state;
    };

    const auto left = readInt(settings, "Left");
    if (!left)
        return firstRun();
    state.Left = *left;
    const auto top = readInt(settings, "Top");
    if (!top)
        return firstRun();
    state.Top = *top;
    const auto height = readInt(settings, "Height");
    if (!height)
        return firstRun();
    state.Height = *height < MinimumHeight ? SmallHeight : designed.Height;
    const auto width = readInt(settings, "Width");
    if (!width)
        return firstRun();
    state.Width = *width < MinimumWidth ? MinimumWidth : designed.Width;
    const auto navWidth = readInt(settings, "NavWidth");
    if (!navWidth)
        return firstRun();
    state.NavWidth = *navWidth;
    const auto maximized = readInt(settings, "Maximized");
    if (!maximized)
        return firstRun();
    state.Maximized = *maximized == 1;
    const auto showBorders = readInt(settings, "ShowBorder");
    if (!showBorders)
        return firstRun();
    state.ShowBorders = *showBorders != 0;
    const auto showDetails = readInt(settings, "ShowDetail");
    if (!showDetails)
        return firstRun();
    state.ShowDetails = *showDetails != 0;
    return state;
}

void TWindowState::Save(QSettings& settings) const
{
    settings.setValue(QStringLiteral("Top"), Top);
    settings.setValue(QStringLiteral("Left"), Left);
    settings.setValue(QStringLiteral("Height"), Height);
    settings.setValue(QStringLiteral("Width"), Width);
    settings.setValue(QStringLiteral("Maximized"), Maximized ? 1 : 0);
    settings.setValue(QStringLiteral("ShowBorder"), ShowBorders ? 1 : 0);
    settings.setValue(QStringLiteral("ShowDetail"), ShowDetails ? 1 : 0);
    settings.setValue(QStringLiteral("NavWidth"), NavWidth > 0 ? NavWidth : 1);
}
