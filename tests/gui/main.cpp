#include <QApplication>

#include <gtest/gtest.h>

#include <clocale>

// The GUI tests need one application object for the whole run.
// Without a display of their own (also when ctest lists them) they draw off screen.
int main(int argc, char* argv[]) {
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    std::setlocale(LC_NUMERIC, "C");
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
