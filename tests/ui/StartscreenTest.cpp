// The start screen: what it shows, its gauge, and a click on the picture that closes it.
#include "ui/Startscreen.h"
#include "TestEditorHost.h"

#include <QLabel>
#include <QProgressBar>

#include <gtest/gtest.h>

using namespace ovb;

TEST(StartScreen, ShowsNameVersionAndGaugeUntilClosed) {
    ShowStartScreen();
    TStartScreen* screen = StartScreen();
    ASSERT_NE(screen, nullptr);
    EXPECT_TRUE(screen->isVisible());
    QStringList texts;
    for (QLabel* label : screen->findChildren<QLabel*>())
        texts << label->text();
    for (const char* text : {"Zerwintal Orvelanta Sampler", "Bank Manager", "Ver: 0.81"})
        EXPECT_TRUE(texts.contains(text)) << text;
    EXPECT_FALSE(screen->picture()->pixmap().isNull());

    SetStartProgress(40);
    EXPECT_EQ(screen->gauge()->value(), 40);
    HideStartScreen();
    EXPECT_EQ(StartScreen(), nullptr);
    SetStartProgress(50); // after the screen is gone: nothing to move
}

TEST(StartScreen, ClickOnThePictureClosesIt) {
    ShowStartScreen();
    QLabel* picture = StartScreen()->picture();
    test::SendMouse(*picture, QEvent::MouseButtonPress, picture->rect().center());
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(StartScreen(), nullptr);
    HideStartScreen(); // start-up still calls it: harmless
}
