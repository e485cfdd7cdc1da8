// The sound manager page of the main window driven through its widgets: a second bank loaded
// from a script through the grid's context menu, copies by the three buttons with the chosen
// placement, and both grids moved on as the copies go down.
#include "ui/SoundManagerPage.h"
#include "MainWindowTestSupport.h"
#include "TestEditorHost.h"
#include "bank/ScriptFile.h"
#include "job/ScriptedJobServices.h"
#include "support/BankNames.h"
#include "support/TestFiles.h"
#include "ui/RecordGrid.h"

#include <QComboBox>
#include <QPushButton>
#include <QSpinBox>
#include <QTabWidget>

#include <gtest/gtest.h>

#include <cstring>

using namespace ovb;
using namespace ovb::test;

namespace {

// Manager bank: "Piano" (5) and "Organ" (20); sounds 100..109 play Piano, sound 100 Organ too.
std::filesystem::path WriteManagerScript(const std::filesystem::path& file) {
    as_bank bank;
    SetName(bank.multisample(5).name, "Piano");
    bank.path(5, 0) = "D:\\Lib\\Piano C 3.wav";
    SetName(bank.multisample(20).name, "Organ");
    bank.path(20, 4) = "D:\\Lib\\Organ E 3.wav";
    for (unsigned i = 100; i < 110; ++i) {
        SetName(bank.sound(i).name, "Mgr" + std::to_string(i));
        bank.sound(i).zone[0].set_multisample(5);
    }
    bank.sound(100).zone[1].set_multisample(20);
    ScriptedJobServices quiet;
    EXPECT_TRUE(SaveScript(bank, file, quiet, true));
    return file;
}

class SoundManagerPageTest : public ::testing::Test {
  protected:
    TempDir dir;
    TForm1 form;
    SoundManagerPage& manager = *form.soundManagerPage();
    std::shared_ptr<BoxLog> boxes = AnswerBoxes(form);
    std::shared_ptr<DialogLog> dialogs = AnswerFileDialogs(form, {});

    void SetUp() override {
        // The edited bank uses positions 1 and 3; 2 is the first empty one.
        SetName(form.bank().multisample(1).name, "Bass");
        form.bank().path(1, 0) = "D:\\Lib\\Bass.wav";
        SetName(form.bank().multisample(3).name, "Lead");
        form.bank().path(3, 0) = "D:\\Lib\\Lead.wav";
        form.resize(1280, 760);
        form.show();
        form.pageControl()->setCurrentIndex(page::SoundManager);
    }

    void LoadManager() {
        dialogs->path = Path(WriteManagerScript(dir / "Second.ovs"));
        Trigger(manager, Command::LoadManagerScript);
    }
    // The user's choice of sounds in both grids.
    void Choose(int edited, int fromManager) {
        ClickRecord(*manager.leftGrid(), edited);
        ClickRecord(*manager.rightGrid(), fromManager);
    }
    unsigned ZoneMs(unsigned sound, unsigned zone) {
        return form.bank().sound(sound).zone[zone].multisample();
    }
    QString LeftName(int sound) {
        return manager.leftGrid()->model()->index(sound, 1).data().toString().trimmed();
    }
};

} // namespace

TEST_F(SoundManagerPageTest, LoadsAScriptIntoTheSecondBankAndClearsIt) {
    const std::string fileBefore = form.currentFileName();
    LoadManager();
    EXPECT_EQ(manager.rightGrid()->model()->index(105, 1).data().toString(), "Mgr105");
    EXPECT_EQ(form.bank().sound(105).name, EmptyName<16>()) << "the edited bank is not touched";
    EXPECT_EQ(form.currentFileName(), fileBefore) << "the edited bank's file is still the same";

    // Cancel in the bank file dialog keeps the loaded bank.
    dialogs->path.clear();
    Trigger(manager, Command::LoadManagerBank);
    ASSERT_EQ(dialogs->asked.size(), 2);
    EXPECT_EQ(manager.rightGrid()->model()->index(105, 1).data().toString(), "Mgr105");

    Trigger(manager, Command::ClearManager);
    EXPECT_EQ(manager.rightGrid()->model()->index(105, 1).data().toString(), "- - -");
    EXPECT_EQ(form.managerBank().path(20, 4), "- - -");
}

TEST_F(SoundManagerPageTest, ExecuteCopiesWithTheChosenPlacement) {
    LoadManager();
    Choose(10, 100);
    manager.executeButton()->click();
    EXPECT_EQ(ZoneMs(10, 0), 2u);
    EXPECT_EQ(LeftName(10), "Mgr100") << "the left grid shows the copy";
    EXPECT_EQ(manager.leftSound(), 10) << "Execute leaves both grids where they were";
    EXPECT_EQ(manager.managerSound(), 100);

    // Behind the last used position; Piano exists by now and is reused.
    manager.placementList()->setCurrentIndex(1);
    form.bank().path(40, 0) = "D:\\Lib\\Far.wav";
    Choose(11, 100);
    SetName(form.bank().multisample(4).name, "Renamed");
    manager.executeButton()->click();
    EXPECT_EQ(ZoneMs(11, 1), 41u);

    // From the multisample page's current multisample on.
    form.showMultisample(60);
    form.pageControl()->setCurrentIndex(page::SoundManager);
    manager.placementList()->setCurrentIndex(2);
    SetName(form.bank().multisample(41).name, "Renamed too");
    Choose(12, 100);
    manager.executeButton()->click();
    EXPECT_EQ(ZoneMs(12, 1), 61u);
    EXPECT_TRUE(boxes->seen.filter("Error").isEmpty());
}

TEST_F(SoundManagerPageTest, OneDownAndXDownCopyAndMoveBothGrids) {
    LoadManager();
    Choose(10, 100);
    manager.oneDownButton()->click();
    manager.oneDownButton()->click();
    EXPECT_EQ(LeftName(11), "Mgr101");
    EXPECT_EQ(manager.leftSound(), 12);
    EXPECT_EQ(manager.managerSound(), 102);
    EXPECT_EQ(form.current().sound, 12) << "the window follows the left grid";

    Choose(20, 104);
    manager.countField()->setValue(3);
    manager.xDownButton()->click();
    EXPECT_EQ(manager.countField()->value(), 0);
    EXPECT_EQ(LeftName(22), "Mgr106");
    EXPECT_EQ(LeftName(23), "- - -");
    EXPECT_EQ(manager.leftSound(), 23);
    EXPECT_EQ(manager.managerSound(), 107);
    EXPECT_EQ(form.editorPages().currentRecord(page::Sound), 23);

    Choose(int(kSounds) - 3, 100);
    manager.countField()->setValue(4);
    manager.xDownButton()->click();
    EXPECT_EQ(boxes->seen.last(), "Bank Manager: Not possible!\nThis is last sound position!");
    EXPECT_EQ(manager.countField()->value(), 3);
    EXPECT_EQ(manager.leftSound(), int(kSounds) - 2) << "the grids stop where copying stopped";
    EXPECT_EQ(manager.managerSound(), 101);
}
