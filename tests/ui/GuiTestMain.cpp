// The GUI tests need one QApplication for the whole run. Without a display they use Qt's
// offscreen platform, unless the caller chose another (xvfb-run with QT_QPA_PLATFORM=xcb). It is
// the window program's own application object, with its barrier against escaped exceptions.
#include "uibase/GuardedApplication.h"

#include <gtest/gtest.h>

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    ::testing::InitGoogleTest(&argc, argv);
    ovb::GuardedApplication app(argc, argv);
    return RUN_ALL_TESTS();
}
