// The program's start as a whole: the first copy comes up with its search window made and
// hidden; a second copy says so and ends without showing anything else, unless it names a file,
// which it hands to the running window; one copy at a time, and a crashed copy never blocks the
// next start; and the start screen shown meanwhile.
#include "ui/Startup.h"
#include "MainWindowTestSupport.h"
#include "TestEditorHost.h"
#include "assistants/Searchform.h"
#include "bank/ScriptFile.h"
#include "job/ScriptedJobServices.h"
#include "support/TestFiles.h"
#include "ui/SingleInstance.h"
#include "ui/Startscreen.h"
#include "ui/UndoHistory.h"

#include <QDateTime>
#include <QDeadlineTimer>
#include <QFile>
#include <QLabel>
#include <QLockFile>
#include <QMessageBox>
#include <QProcess>
#include <QProgressBar>
#include <QUrl>

#include <gtest/gtest.h>

using namespace ovb;

namespace {
StartupOptions TestOptions(const test::TempDir& dir) {
    StartupOptions options;
    options.instanceName = "StartupTest_mutex";
    options.lockFolder = test::Path(dir.path());
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
    options.onShown = [&](TForm1& form) {
        shown = form.isVisible();
        searchMade = form.findChild<TSearchForm*>() != nullptr;
        searchVisible = searchMade && form.findChild<TSearchForm*>()->isVisible();
        startScreenLeft = StartScreen() != nullptr;
        QCoreApplication::quit();
    };
    EXPECT_EQ(RunEditor(App(), options), 0);
    EXPECT_TRUE(shown);
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

// The real program started a second time, with a file URL as the desktop gives it: it ends at once
// and the running window opens the file, though only after the dialog it shows is closed.
TEST(Startup, LaterStartHandsItsFileToTheRunningWindow) {
    test::TempDir dir;
    std::filesystem::permissions(dir.path(), std::filesystem::perms::owner_all); // a runtime folder
    const auto script = dir / "Handed.ovs";
    as_bank saved;
    ScriptedJobServices quiet;
    ASSERT_TRUE(SaveScript(saved, script, quiet, true));
    StartupOptions options;
    options.lockFolder = test::Path(dir.path()); // the program's own name
    int laterExit = -1;
    bool openedUnderDialog = true;
    QString caption, undo;
    options.onShown = [&](TForm1& form) {
        form.jobServices().setDialogRunner([](QDialog&) {}); // "Script loading OK!" needs no click
        QProcess later;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("XDG_RUNTIME_DIR", options.lockFolder);
        later.setProcessEnvironment(env);
        later.start(OVB_GUI_PROGRAM, {QUrl::fromLocalFile(QString::fromStdString(script)).url()});
        QMessageBox box(QMessageBox::Information, "Busy", "A dialog of the running window", {},
                        &form);
        const QDeadlineTimer giveUp(20000);
        QTimer poll;
        int ticksAfter = 0; // the dialog stays a while after the hand-over, as a user's would
        QObject::connect(&poll, &QTimer::timeout, [&] {
            if (giveUp.hasExpired()) later.kill();
            if (later.state() != QProcess::NotRunning || ++ticksAfter < 25) return;
            openedUnderDialog = form.currentFileName() == script.string();
            box.done(0);
        });
        poll.start(20);
        box.exec();
        laterExit = later.exitStatus() == QProcess::NormalExit ? later.exitCode() : -1;
        auto* wait = new QTimer(&form);
        QObject::connect(wait, &QTimer::timeout, [&, giveUp] {
            if (form.currentFileName() != script.string() && !giveUp.hasExpired()) return;
            caption = form.windowTitle();
            undo = form.undoHistory().undoText();
            QCoreApplication::quit();
        });
        wait->start(20);
    };
    EXPECT_EQ(RunEditor(App(), options), 0);
    EXPECT_EQ(laterExit, 0);
    EXPECT_FALSE(openedUnderDialog);
    EXPECT_EQ(caption, "Orvelanta Sampler Bank Manager - Version: 0.81 / Handed.ovs");
    EXPECT_EQ(undo, "Undo Open Handed.ovs");
}

// The start screen: its gauge, and a click on the picture that closes it.
TEST(StartScreen, ShowsItsGaugeUntilClosed) {
    ShowStartScreen();
    TStartScreen* screen = StartScreen();
    ASSERT_NE(screen, nullptr);
    EXPECT_TRUE(screen->isVisible());
    EXPECT_FALSE(screen->picture()->pixmap().isNull());
    SetStartProgress(40);
    EXPECT_EQ(screen->gauge()->value(), 40);
    HideStartScreen();
    EXPECT_EQ(StartScreen(), nullptr);
    SetStartProgress(50); // after the screen is gone: nothing to move

    ShowStartScreen();
    QLabel* picture = StartScreen()->picture();
    test::SendMouse(*picture, QEvent::MouseButtonPress, picture->rect().center());
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(StartScreen(), nullptr);
    HideStartScreen(); // start-up still calls it: harmless
}

// One copy of the editor at a time, and a crashed copy never blocks the next start.

TEST(SingleInstance, SecondCopyIsRefusedUntilTheFirstEnds) {
    test::TempDir dir;
    SingleInstance first("Editor_mutex", test::Path(dir.path()));
    ASSERT_TRUE(first.tryAcquire());
    EXPECT_TRUE(first.tryAcquire()) << "taking it again in the same copy is harmless";

    SingleInstance second("Editor_mutex", test::Path(dir.path()));
    EXPECT_FALSE(second.tryAcquire());
    // The editor runs for days: an old lock of a live copy still counts.
    QFile lockFile(first.lockPath());
    ASSERT_TRUE(lockFile.open(QIODevice::ReadWrite));
    ASSERT_TRUE(lockFile.setFileTime(QDateTime::currentDateTime().addDays(-3),
                                     QFileDevice::FileModificationTime));
    lockFile.close();
    EXPECT_FALSE(second.tryAcquire());
    SingleInstance other("Another_mutex", test::Path(dir.path()));
    EXPECT_TRUE(other.tryAcquire()) << "only the same name is refused";

    first.release();
    EXPECT_TRUE(second.tryAcquire());
    EXPECT_FALSE(first.tryAcquire());
}

TEST(SingleInstance, LockOfACopyThatDiedIsTakenOver) {
    test::TempDir dir;
    SingleInstance instance("Editor_mutex", test::Path(dir.path()));

    // A lock file as a copy leaves it when it is killed: written by that copy, never removed.
    QProcess gone;
    gone.start("true", {});
    ASSERT_TRUE(gone.waitForStarted());
    const qint64 deadPid = gone.processId();
    ASSERT_TRUE(gone.waitForFinished());
    QByteArray content;
    {
        QLockFile model(instance.lockPath());
        ASSERT_TRUE(model.tryLock(0));
        QFile file(instance.lockPath());
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        content = file.readAll();
        model.unlock();
    }
    content = QByteArray::number(deadPid) + content.mid(content.indexOf('\n'));
    QFile stale(instance.lockPath());
    ASSERT_TRUE(stale.open(QIODevice::WriteOnly));
    stale.write(content);
    stale.close();

    EXPECT_TRUE(instance.tryAcquire());
    SingleInstance next("Editor_mutex", test::Path(dir.path()));
    EXPECT_FALSE(next.tryAcquire()) << "the new copy now holds it";
}
