// Windows on a small screen (the window tests run on a 1024 x 700 one): the main window fits it
// with nothing cut and comes back where it was; every dialog and assistant opens wholly on the
// screen, centred on the main window as far as the screen allows.
#include "MainWindowTestSupport.h"
#include "assistants/Searchform.h"
#include "ui/SoundPage.h"
#include "uibase/Progresform.h"
#include "uibase/UiSettings.h"

#include <QDialog>
#include <QGuiApplication>
#include <QScreen>

#include <gtest/gtest.h>

using namespace ovb;
using namespace ovb::test;

namespace {

constexpr QSize kLarge(1180, 720);

QRect Screen() {
    return QGuiApplication::primaryScreen()->availableGeometry();
}

// Centred on `on` along each axis, or pushed against a screen edge where centring would not fit.
void ExpectPlaced(const QRect& frame, const QRect& on, const char* what) {
    const QRect screen = Screen();
    EXPECT_TRUE(screen.contains(frame)) << what;
    const QPoint off = frame.center() - on.center();
    EXPECT_TRUE(std::abs(off.x()) <= 2 || frame.left() == screen.left() ||
                frame.right() == screen.right())
        << what;
    EXPECT_TRUE(std::abs(off.y()) <= 2 || frame.top() == screen.top() ||
                frame.bottom() == screen.bottom())
        << what;
}

} // namespace

TEST(WindowPlacement, TheMainWindowFitsTheScreenAndComesBackWhereItWas) {
    ASSERT_EQ(Screen().size(), QSize(1024, 700));
    {
        TForm1 form;
        RestoreWindowPlace(form, kLarge);
        form.show();
        EXPECT_TRUE(Screen().contains(form.frameGeometry()));
        // Smaller than its minimum, a page would be cut.
        EXPECT_GE(form.width(), form.minimumSizeHint().width());
        EXPECT_GE(form.height(), form.minimumSizeHint().height());
        form.setGeometry(4, 40, 1008, 620);
        SaveWindowPlace(form);
    }
    TForm1 again;
    RestoreWindowPlace(again, kLarge);
    EXPECT_EQ(again.geometry(), QRect(4, 40, 1008, 620));
    again.move(3000, 2000); // a screen that is gone
    SaveWindowPlace(again);
    TForm1 third;
    RestoreWindowPlace(third, kLarge);
    third.show();
    EXPECT_TRUE(Screen().contains(third.frameGeometry()));
}

TEST(WindowPlacement, EveryDialogOpensWhollyOnTheScreenCentredOnTheMainWindow) {
    TForm1 form;
    form.setGeometry(40, 30, 640, 480); // off-centre, so that large dialogs meet an edge
    form.show();
    auto modal = [&form](const char* what, const std::function<void()>& open) {
        QRect seen;
        WhenModalAppears([&seen](QWidget& w) {
            seen = w.frameGeometry();
            static_cast<QDialog&>(w).reject();
        });
        open();
        ASSERT_FALSE(seen.isNull()) << what;
        ExpectPlaced(seen, form.frameGeometry(), what);
    };
    modal("SD card assistant", [&] { Trigger(form, Command::OpenSdCard); });
    modal("conform dialog", [&] { Trigger(form, Command::ConformWavFiles); });
    modal("range removal", [&] { Trigger(form, Command::RemoveMultipleSounds); });
    modal("replace dialog", [&] { Trigger(form, Command::ReplaceInPaths); });
    modal("row operation", [&] {
        qobject_cast<SoundPage*>(form.editorPages().widget(page::Sound))->rowDragged(1, 2);
    });
    modal("report", [&] {
        form.jobs().ShowReport("Report: Wide", {std::string(400, 'W'), "line"});
        form.jobs().CloseReport();
    });

    Trigger(form, Command::OpenSearch);
    ExpectPlaced(form.searchAssistant()->frameGeometry(), form.frameGeometry(), "search");
    form.searchAssistant()->close();
    form.jobs().ShowProgress('c');
    ExpectPlaced(form.jobServices().progressForm()->frameGeometry(), form.frameGeometry(),
                 "progress");
    form.jobs().HideProgress();
}
