// The main window's caption follows the loaded file, and its file commands run the bank jobs
// through the window's own job services.
#include "ui/Mainform.h"
#include "bank/ScriptFile.h"
#include "job/ScriptedJobServices.h"
#include "support/TestFiles.h"

#include <QAbstractButton>
#include <QAction>
#include <QMessageBox>
#include <gtest/gtest.h>

using namespace ovb;

namespace {

// Answers every message box with the given button and records its text.
struct BoxAnswerer {
    QMessageBox::StandardButton button;
    QStringList texts;
    void operator()(QDialog& dialog) {
        auto* box = qobject_cast<QMessageBox*>(&dialog);
        ASSERT_NE(box, nullptr);
        texts << box->windowTitle() + ": " + box->text();
        QAbstractButton* b =
            box->button(box->standardButtons() & button ? button : QMessageBox::Ok);
        ASSERT_NE(b, nullptr);
        b->click();
    }
};

} // namespace

TEST(MainWindow, CaptionFollowsTheOpenedFileAndClearAll) {
    test::TempDir dir;
    as_bank bank;
    bank.sound(2).name[0] = 'X';
    ScriptedJobServices quiet;
    auto script = dir / "Accordion.ovs";
    ASSERT_TRUE(SaveScript(bank, script, quiet, true));

    TForm1 form;
    EXPECT_EQ(form.windowTitle(),
              "Orvelanta Sampler Bank Manager - Version: 0.81 / No loaded bank!");
    auto answers = std::make_shared<BoxAnswerer>(BoxAnswerer{QMessageBox::Yes, {}});
    form.jobServices().setDialogRunner([answers](QDialog& d) { (*answers)(d); });

    form.openFile(QString::fromStdString(script.string()));
    EXPECT_EQ(form.windowTitle(), "Orvelanta Sampler Bank Manager - Version: 0.81 / Accordion.ovs");
    EXPECT_EQ(form.bank().sound(2).name[0], 'X');
    EXPECT_TRUE(answers->texts.contains("Info: Script loading OK!"));

    auto* clear = form.findChild<QAction*>(); // any action exists: the menus are built
    ASSERT_NE(clear, nullptr);
    for (QAction* a : form.findChildren<QAction*>())
        if (a->text() == "Clear ALL...") a->trigger();
    EXPECT_TRUE(answers->texts.contains("Clear ALL: Are You Sure ?"));
    EXPECT_EQ(form.bank().sound(2).name[0], '-');
    EXPECT_EQ(form.windowTitle(),
              "Orvelanta Sampler Bank Manager - Version: 0.81 / No loaded bank!");
}

TEST(MainWindow, DialogFiltersOfferBothSpellings) {
    EXPECT_EQ(DialogFilter("Zerwintal Orvelanta Sampler SCRIPT file (*.ovs)|*.OVS"),
              "Zerwintal Orvelanta Sampler SCRIPT file (*.ovs *.OVS)");
}
