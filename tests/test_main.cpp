#include <QCoreApplication>
#include <QLocale>
#include <QStandardPaths>
#include <gtest/gtest.h>

int main(int argc, char** argv)
{
    ::testing::InitGoogleTest(&argc, argv);
    QCoreApplication app(argc, argv);
    // Tests never touch the user's real settings and see a U.S. English
    // system unless a test says otherwise.
    QStandardPaths::setTestModeEnabled(true);
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    return RUN_ALL_TESTS();
}
