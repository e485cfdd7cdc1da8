// The window program's barrier: an exception escaping an event handler is shown, not fatal.
#include "uibase/GuardedApplication.h"

#include <QTimer>

#include <gtest/gtest.h>

#include <stdexcept>

using namespace ovb;

TEST(GuardedApplication, AnEscapedExceptionIsShownAndTheEventsGoOn) {
    auto& app = dynamic_cast<GuardedApplication&>(*QCoreApplication::instance());
    const auto usual = app.showError;
    QStringList shown;
    app.showError = [&shown](const QString& text) { shown << text; };
    bool later = false;
    QTimer::singleShot(0, [] { throw std::runtime_error("disk full"); });
    QTimer::singleShot(0, [] { throw 42; });
    QTimer::singleShot(0, [&later] { later = true; });
    for (int i = 0; i < 100 && !later; ++i)
        QCoreApplication::processEvents();
    app.showError = usual;
    EXPECT_EQ(shown, QStringList({"disk full", "Unknown error"}));
    EXPECT_TRUE(later);
}
