// The GUI tests need one QApplication for the whole run. Without a display they use Qt's
// offscreen platform, unless the caller chose another (xvfb-run with QT_QPA_PLATFORM=xcb).
#include <QApplication>

#include <gtest/gtest.h>

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    ::testing::InitGoogleTest(&argc, argv);
    QApplication app(argc, argv);
    return RUN_ALL_TESTS();
}
