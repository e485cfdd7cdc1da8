// The GUI tests need one QApplication for the whole run. Without a display they use Qt's
// offscreen platform, unless the caller chose another (xvfb-run with QT_QPA_PLATFORM=xcb). It is
// the window program's own application object, with its barrier against escaped exceptions.
// What the program remembers between runs goes to a configuration folder of this run, never the
// user's.
#include "uibase/GuardedApplication.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    ::testing::InitGoogleTest(&argc, argv);
    QTemporaryDir config;
    qputenv("XDG_CONFIG_HOME", config.path().toLocal8Bit());
    ovb::GuardedApplication app(argc, argv);
    return RUN_ALL_TESTS();
}
