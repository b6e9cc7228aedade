#include "PlatformFactory.h"

#include <QApplication>
#include <QLocale>
#include <QStandardPaths>
#include <gtest/gtest.h>

// Tests of windows and web views: a QApplication with Qt WebEngine set up
// as the program does it. Listing the tests needs no display.
int main(int argc, char** argv)
{
    ::testing::InitGoogleTest(&argc, argv);
    if (::testing::GTEST_FLAG(list_tests))
        return RUN_ALL_TESTS();
    // Before anything reads settings: tests never touch the user's own.
    QStandardPaths::setTestModeEnabled(true);
    PreparePlatformBeforeApplication();
    QApplication app(argc, argv);
    PreparePlatformAfterApplication();
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    return RUN_ALL_TESTS();
}
