// The bank combinator assistant through its widgets: bank B chosen in the main window's file
// dialog, the plan shown, the combination made as one undoable step; a full bank refuses.
#include "assistants/BankCombinatorForm.h"
#include "MainWindowTestSupport.h"
#include "TestEditorHost.h"
#include "bank/PathArea.h"
#include "bank/ScriptFile.h"
#include "support/BankNames.h"
#include "support/TestFiles.h"
#include "tools/BankSearch.h"

#include <QLabel>
#include <QListWidget>
#include <QPushButton>

#include <gtest/gtest.h>

using namespace ovb;
using namespace ovb::test;

namespace {

// Bank B: sound 3 plays multisample 4.
std::filesystem::path WriteBankB(const TempDir& dir) {
    as_bank b;
    SetName(b.sound(3).name, "Accordion");
    b.sound(3).zone[0].set_multisample(4);
    SetName(b.multisample(4).name, "Musette");
    b.path(4, 10) = "D:\\Musette\\A 3.wav";
    b.info().set_path_area_size(2 * PathAreaSize(b)); // loads without a question
    ScriptedJobServices ui;
    EXPECT_TRUE(WriteScript(b, dir / "B.ovs", ui));
    return dir / "B.ovs";
}

} // namespace

TEST(BankCombinatorForm, ShowsThePlanAndCombinesAsOneUndoableStep) {
    TempDir dir;
    TForm1 form;
    auto boxes = AnswerBoxes(form);
    auto dialogs = AnswerFileDialogs(form, Path(WriteBankB(dir)));
    SetName(form.bank().sound(1).name, "Own sound");
    form.RefreshViews();
    QAction* undo = form.command(Command::Undo);
    QStringList plan;
    WhenModalAppears([&](QWidget& window) {
        auto* assistant = qobject_cast<BankCombinatorForm*>(&window);
        ASSERT_NE(assistant, nullptr);
        assistant->findChild<QPushButton*>("ChooseButton")->click();
        plan = ListItems(*assistant->findChild<QListWidget*>("PlanList"));
        assistant->findChild<QPushButton*>("CombineButton")->click();
        assistant->findChild<QPushButton*>("CloseButton")->click();
    });
    Trigger(form, Command::OpenCombinator);

    EXPECT_EQ(plan, (QStringList{"sound 0003 'Accordion' -> 0002",
                                 "multisample 0004 'Musette' -> 0001"}));
    EXPECT_EQ(form.bank().path(1, 10), "D:\\Musette\\A 3.wav");
    EXPECT_EQ(undo->text(), "Undo Open Bank Combinator Assistant");
    undo->trigger();
    EXPECT_EQ(form.bank().path(1, 10), "- - -");
    EXPECT_EQ(DisplayName(form.bank().sound(1).name), "Own sound");
}

TEST(BankCombinatorForm, AFullBankCannotCombine) {
    TempDir dir;
    const auto bankB = WriteBankB(dir);
    TestEditorHost host;
    for (unsigned m = 1; m < kMultisamples; ++m)
        host.bank().path(m, 0) = "D:\\Full.wav";
    BankCombinatorForm assistant(host);
    assistant.fileDialog = [&](const FileDialogRequest&) { return Path(bankB); };
    assistant.ChooseBankClick();
    EXPECT_EQ(assistant.findChild<QLabel*>("Summary")->text(),
              "No room for bank B: 1 multisample position missing.\nNothing was combined.");
    EXPECT_FALSE(assistant.findChild<QPushButton*>("CombineButton")->isEnabled());
}
