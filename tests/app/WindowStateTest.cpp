#include "TWindowState.h"

#include <QSettings>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

TWindowState designedWindow()
{
    TWindowState designed;
    designed.Left = 10;
    designed.Top = 20;
    designed.Width = 1000;
    designed.Height = 720;
    designed.NavWidth = 260;
    return designed;
}

void store(QSettings& settings, int width, int height)
{
    settings.setValue(QStringLiteral("Left"), 40);
    settings.setValue(QStringLiteral("Top"), 30);
    settings.setValue(QStringLiteral("Height"), height);
    settings.setValue(QStringLiteral("Width"), width);
    settings.setValue(QStringLiteral("NavWidth"), 300);
    settings.setValue(QStringLiteral("Maximized"), 0);
    settings.setValue(QStringLiteral("ShowBorder"), 0);
    settings.setValue(QStringLiteral("ShowDetail"), 1);
}

class WindowStateTest : public ::testing::Test {
protected:
    QTemporaryDir dir;
    QSettings settings{dir.filePath(QStringLiteral("state.ini")), QSettings::IniFormat};
};

} // namespace

// The stored size only bounds the designed one from below.
TEST_F(WindowStateTest, StoredSizeIsALowerBound)
{
    const struct {
        int storedWidth, storedHeight, width, height;
    } cases[] = {
        {600, 720, 918, 720},   // too narrow: the minimum width
        {1200, 720, 1000, 720}, // wider than designed: still the designed width
        {918, 499, 1000, 700},  // too low: 700
        {917, 500, 918, 720},
    };
    for (const auto& c : cases) {
        store(settings, c.storedWidth, c.storedHeight);
        const TWindowState state = TWindowState::Load(settings, designedWindow());
        EXPECT_EQ(state.Width, c.width) << c.storedWidth;
        EXPECT_EQ(state.Height, c.height) << c.storedHeight;
        EXPECT_EQ(state.Left, 40);
        EXPECT_EQ(state.Top, 30);
        EXPECT_EQ(state.NavWidth, 300);
        EXPECT_FALSE(state.Maximized);
        EXPECT_FALSE(state.ShowBorders);
        EXPECT_TRUE(state.ShowDetails);
    }
}

// Reading stops at the first missing or unreadable value: what was read
// stays, the window maximizes and shows borders (the first run).
TEST_F(WindowStateTest, MissingValuesMeanAFirstRun)
{
    TWindowState state = TWindowState::Load(settings, designedWindow());
    EXPECT_TRUE(state.Maximized);
    EXPECT_TRUE(state.ShowBorders);
    EXPECT_EQ(state.Width, 1000);
    EXPECT_EQ(state.Left, 10);

    store(settings, 600, 720);
    settings.remove(QStringLiteral("Maximized"));
    state = TWindowState::Load(settings, designedWindow());
    EXPECT_EQ(state.Width, 918) << "read before the gap";
    EXPECT_EQ(state.NavWidth, 300);
    EXPECT_TRUE(state.Maximized);
    EXPECT_TRUE(state.ShowBorders);
    EXPECT_FALSE(state.ShowDetails) << "not read: after the gap";

    store(settings, 1200, 720);
    settings.setValue(QStringLiteral("Top"), QStringLiteral("high"));
    state = TWindowState::Load(settings, designedWindow());
    EXPECT_EQ(state.Left, 40);
    EXPECT_EQ(state.Top, 20);
    EXPECT_TRUE(state.Maximized);
}

// What is saved reads back (a size inside the bounds), with the same names.
TEST_F(WindowStateTest, SavedStateReadsBack)
{
    TWindowState saved = designedWindow();
    saved.Left = -5;
    saved.Maximized = true;
    saved.ShowBorders = true;
    saved.NavWidth = 0;
    saved.Save(settings);
    EXPECT_EQ(settings.value(QStringLiteral("NavWidth")).toInt(), 1) << "a panel of no width is stored as 1";
    EXPECT_EQ(settings.value(QStringLiteral("Maximized")).toInt(), 1);
    EXPECT_EQ(settings.value(QStringLiteral("ShowBorder")).toInt(), 1);
    EXPECT_EQ(settings.value(QStringLiteral("ShowDetail")).toInt(), 0);

    const TWindowState read = TWindowState::Load(settings, designedWindow());
    EXPECT_EQ(read.Left, -5);
    EXPECT_EQ(read.Top, 20);
    EXPECT_EQ(read.NavWidth, 1);
    EXPECT_TRUE(read.Maximized);
    EXPECT_TRUE(read.ShowBorders);
}
