// The program's start as a whole: the first copy comes up with its search window made and
// hidden; a second copy says so and ends without showing anything else.
#include "ui/Startup.h"
#include "GuiTestSupport.h"
#include "assistants/Searchform.h"
#include "support/TestFiles.h"
#include "ui/Mainform.h"
#include "ui/Startscreen.h"

#include <QMessageBox>

#include <gtest/gtest.h>

using namespace ovb;

namespace {
StartupOptions TestOptions(const test::TempDir& dir) {
    StartupOptions options;
    options.instanceName = "StartupTest_mutex";
    options.lockFolder = QString::fromStdString(dir.path().string());
    return options;
}

QApplication& App() {
    return *qobject_cast<QApplication*>(QCoreApplication::instance());
}
} // namespace

TEST(Startup, FirstCopyShowsTheMainWindowWithTheSearchWindowHidden) {
    test::TempDir dir;
    StartupOptions options = TestOptions(dir);
    bool shown = false, searchMade = false, searchVisible = true, startScreenLeft = true;
    QString caption;
    options.onShown = [&](TForm1& form) {
        shown = form.isVisible();
        caption = form.windowTitle();
        searchMade = form.findChild<TSearchForm*>() != nullptr;
        searchVisible = searchMade && form.findChild<TSearchForm*>()->isVisible();
        startScreenLeft = StartScreen() != nullptr;
        QCoreApplication::quit();
    };
    EXPECT_EQ(RunEditor(App(), options), 0);
    EXPECT_TRUE(shown);
    EXPECT_EQ(caption, "Orvelanta Sampler Bank Manager - Version: 0.81 / No loaded bank!");
    EXPECT_TRUE(searchMade);
    EXPECT_FALSE(searchVisible);
    EXPECT_FALSE(startScreenLeft);

    SingleInstance again(options.instanceName, options.lockFolder);
    EXPECT_TRUE(again.tryAcquire()) << "the lock ends with the program";
}

TEST(Startup, SecondCopySaysSoAndEnds) {
    test::TempDir dir;
    StartupOptions options = TestOptions(dir);
    SingleInstance running(options.instanceName, options.lockFolder);
    ASSERT_TRUE(running.tryAcquire());
    bool shownAnything = false;
    options.onShown = [&](TForm1&) {
        shownAnything = true;
        QCoreApplication::quit();
    };
    QString text;
    test::WhenModalAppears([&](QWidget& modal) {
        auto* box = qobject_cast<QMessageBox*>(&modal);
        ASSERT_NE(box, nullptr);
        text = box->text();
        box->accept();
    });
    EXPECT_EQ(RunEditor(App(), options), 1);
    EXPECT_EQ(text, "Another copy of \"Zerwintal Orvelanta Sampler Bank Manager\" alredy running!");
    EXPECT_FALSE(shownAnything);
    EXPECT_EQ(StartScreen(), nullptr);
}
