// Messages and questions of jobs as real message boxes, answered the way a user would, and the
// box an exception escaping an event handler becomes.
#include "uibase/GuardedApplication.h"
#include "uibase/QtJobServices.h"

#include <QAbstractButton>
#include <QMessageBox>
#include <QTimer>

#include <gtest/gtest.h>

#include <stdexcept>

using namespace ovb;

namespace {

// Presses one button of the box the services show, after recording what the box offered.
struct BoxSeen {
    QString title, text;
    QMessageBox::StandardButtons buttons;
    QWidget* parent = nullptr;
    int shown = 0;
};

QtJobServices::DialogRunner Press(QMessageBox::StandardButton button, BoxSeen& seen) {
    return [button, &seen](QDialog& dialog) {
        auto& box = dynamic_cast<QMessageBox&>(dialog);
        seen = {box.windowTitle(), box.text(), box.standardButtons(), box.parentWidget(),
                seen.shown + 1};
        if (button == QMessageBox::NoButton)
            box.reject();
        else
            box.button(button)->click();
    };
}

TEST(MessageBoxes, AskOffersTheButtonsAndReturnsThePressedOne) {
    struct Case {
        Buttons buttons;
        QMessageBox::StandardButton press;
        Answer expected;
    };
    const Case cases[] = {
        {Buttons::YesNo, QMessageBox::Yes, Answer::Yes},
        {Buttons::YesNo, QMessageBox::No, Answer::No},
        {Buttons::OkCancel, QMessageBox::Ok, Answer::Ok},
        {Buttons::OkCancel, QMessageBox::Cancel, Answer::Cancel},
        // Closed without a choice: never agreement.
        {Buttons::YesNo, QMessageBox::NoButton, Answer::No},
        {Buttons::OkCancel, QMessageBox::NoButton, Answer::Cancel},
    };
    for (const Case& c : cases) {
        QtJobServices ui;
        BoxSeen seen;
        ui.setDialogRunner(Press(c.press, seen));
        EXPECT_EQ(ui.ask("Question", "Clear ALL?", c.buttons), c.expected) << int(c.press);
        const auto offered = c.buttons == Buttons::YesNo ? QMessageBox::Yes | QMessageBox::No
                                                         : QMessageBox::Ok | QMessageBox::Cancel;
        EXPECT_EQ(seen.buttons, offered);
        EXPECT_EQ(seen.title, "Question");
    }
}

// A message shows its text as it is (no markup) with OK only, in front of the job's window.
TEST(MessageBoxes, MessageBelongsToTheProgressWindowDuringAJob) {
    QWidget main;
    QtJobServices ui(&main);
    BoxSeen seen;
    ui.setDialogRunner(Press(QMessageBox::Ok, seen));
    ui.message("Wave Error", "Cannot open file <D:\\a&b.wav>");
    EXPECT_EQ(seen.shown, 1);
    EXPECT_EQ(seen.text, "Cannot open file <D:\\a&b.wav>");
    EXPECT_EQ(seen.buttons, QMessageBox::StandardButtons(QMessageBox::Ok));
    EXPECT_EQ(seen.parent, &main);
    ui.ShowProgress('r');
    ui.message("Wave Error", "during");
    // Otherwise the always-on-top progress window could cover the box.
    EXPECT_EQ(seen.parent, ui.progressForm());
}

} // namespace

// The window program's barrier: an exception escaping an event handler is shown, not fatal.
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
