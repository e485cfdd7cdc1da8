// The maintenance windows and commands driven through their widgets: the range-removal forms,
// the replace dialog with its folder button, the one-at-a-time folder chooser, and the export,
// group and common-path commands of the main window's menus.
#include "MainWindowTestSupport.h"
#include "TestEditorHost.h"
#include "bank/BankFileWriter.h"
#include "support/TestFiles.h"
#include "ui/Deletemultipleform.h"
#include "ui/PageCommands.h"
#include "ui/Replacestringform.h"
#include "ui/Selectdirectoryform.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>

#include <gtest/gtest.h>

using namespace ovb;
using namespace ovb::test;
namespace fs = std::filesystem;

namespace {

// Answers the folder chooser and records what each request showed.
struct ChooseFolder {
    explicit ChooseFolder(QString folder)
        : hook(DirectoryChooserHook(),
               [this, folder](const QString& caption, const QString& confirm, QString& chosen) {
                   asked << caption + " / " + confirm;
                   chosen = folder;
                   return kModalConfirm;
               }) {}
    QStringList asked;
    HookScope<DirectoryChooser> hook;
};

// Runs act on the modal window of type W once it shows; closes anything else.
template <typename W> void WhenShown(std::function<void(W&)> act) {
    WhenModalAppears([act](QWidget& modal) {
        if (auto* w = qobject_cast<W*>(&modal))
            act(*w);
        else
            modal.close();
    });
}

class RangeForms : public ::testing::Test {
  protected:
    TestEditorHost host;
    as_bank& bank = host.bank();
};

TEST_F(RangeForms, FromAndToFollowEachOther) {
    TDeleteMultipleForm ms(host, RemovalRange::Multisamples, 5);
    EXPECT_EQ(ms.toEdit()->value(), 5);
    ms.fromEdit()->setValue(9);
    EXPECT_EQ(ms.toEdit()->value(), 9);
    ms.toEdit()->setValue(12);
    EXPECT_EQ(ms.fromEdit()->value(), 9); // To above From leaves From alone
    ms.toEdit()->setValue(3);
    EXPECT_EQ(ms.fromEdit()->value(), 3);

    TDeleteMultipleForm sounds(host, RemovalRange::Sounds, 9999);
    EXPECT_EQ(sounds.toEdit()->maximum(), 9998);
    EXPECT_EQ(sounds.fromEdit()->value(), 9998);
}

TEST_F(RangeForms, RemoveAsksAndTakesFromUpToTo) {
    for (unsigned m = 4; m <= 8; ++m)
        bank.path(m, 0) = "D:\\x" + std::to_string(m) + ".wav";
    host.services.answers = {Answer::Yes};
    WhenShown<TDeleteMultipleForm>([](TDeleteMultipleForm& form) {
        form.toEdit()->setValue(7);
        form.removeButton()->click();
    });
    RemoveMultipleMultisamples(host, nullptr, 5);
    EXPECT_TRUE(host.services.showed("Remove Multiple Multisamples", "Are You Sure ?"));
    for (unsigned m = 4; m <= 8; ++m) // From 5 up to To 7, which itself is kept
        EXPECT_EQ(bank.path(m, 0) == kEmptyPath, m == 5 || m == 6) << m;
    EXPECT_EQ(host.refreshes, (std::vector<int>{refresh::All}));

    // No closes the window too and removes nothing.
    host.refreshes.clear();
    host.services.answers = {Answer::No};
    WhenShown<TDeleteMultipleForm>([](TDeleteMultipleForm& form) {
        form.toEdit()->setValue(9);
        form.removeButton()->click();
    });
    RemoveMultipleMultisamples(host, nullptr, 7);
    EXPECT_EQ(bank.path(7, 0), "D:\\x7.wav");
    EXPECT_TRUE(host.refreshes.empty());

    bank.sound(2).category = 0x40;
    bank.sound(3).category = 0x40;
    host.services.answers = {Answer::Yes};
    WhenShown<TDeleteMultipleForm>([](TDeleteMultipleForm& form) {
        form.fromEdit()->setValue(2);
        form.removeButton()->click();
    });
    RemoveMultipleSounds(host, nullptr, 3);
    EXPECT_TRUE(host.services.showed("Remove Multiple Sounds", "Are You Sure ?"));
    EXPECT_EQ(bank.sound(2).category, NewSound().category);
    EXPECT_EQ(bank.sound(3).category, 0x40u);
}

TEST_F(RangeForms, ReplaceDialogCancelKeepsPathsAndConfirmRelocates) {
    bank.path(1, 0) = "D:\\Old\\Piano\\C3.wav";
    bank.path(2, 5) = "D:\\Old\\Pad\\C4.wav";
    ChooseFolder folder("E:\\New");
    QString shownOld, shownNew;
    WhenShown<TMyReplaceStringForm>([&](TMyReplaceStringForm& form) {
        shownOld = form.oldEdit()->text();
        shownNew = form.newEdit()->text();
        form.newEdit()->setText("X:\\");
        form.cancelButton()->click();
    });
    ReplaceTextInFilePaths(host, nullptr);
    EXPECT_EQ(shownOld, "D:\\Old\\P");
    EXPECT_EQ(shownNew, "D:\\Old\\P");
    EXPECT_EQ(bank.path(2, 5), "D:\\Old\\Pad\\C4.wav");

    WhenShown<TMyReplaceStringForm>([&](TMyReplaceStringForm& form) {
        form.oldEdit()->setText("D:\\Old\\");
        form.browseButton()->click();
        shownNew = form.newEdit()->text();
        form.replaceButton()->click();
    });
    ReplaceTextInFilePaths(host, nullptr);
    EXPECT_EQ(folder.asked.size(), 1);
    EXPECT_EQ(shownNew, "E:\\New\\");
    EXPECT_EQ(bank.path(2, 5), "E:\\New\\Pad\\C4.wav");
}

TEST(FolderChooser, OnlyOneOpensAndConfirmGivesTheShownFolder) {
    TempDir dir;
    QString chosen, inner = "untouched";
    int second = -1;
    WhenShown<TSellectDyrectoryForm>([&](TSellectDyrectoryForm& form) {
        second = SelectDirectory(nullptr, "Another", "OK", inner);
        form.setDirectory(Path(dir.path()));
        form.confirmButton()->click();
    });
    EXPECT_EQ(SelectDirectory(nullptr, "Pick", "Start", chosen), kModalConfirm);
    EXPECT_EQ(second, kModalCancel);
    EXPECT_EQ(inner, "untouched");
    EXPECT_EQ(chosen, Path(dir.path()));

    WhenShown<TSellectDyrectoryForm>(
        [](TSellectDyrectoryForm& form) { form.cancelButton()->click(); });
    EXPECT_EQ(SelectDirectory(nullptr, "Pick", "Start", chosen), kModalCancel);
}

TEST(MaintenanceMenus, ExportAllSamplesWritesTheLibraryIntoTheChosenFolder) {
    TempDir dir;
    fs::create_directories(dir / "lib" / "Piano");
    WriteWav(dir / "lib" / "Piano" / "C3.wav", false, 1024, 3);
    WriteWav(dir / "lib" / "Piano" / "D3.wav", true, 512, 4);
    {
        as_bank bank;
        bank.path(1, 0) = (dir / "lib" / "Piano" / "C3.wav").string();
        bank.path(1, 2) = (dir / "lib" / "Piano" / "D3.wav").string();
        ScriptedJobServices ui;
        ASSERT_TRUE(CreateBankFile(bank, dir / "bank.ovb", ui));
    }
    TForm1 form;
    auto boxes = AnswerBoxes(form);
    form.openFile(Path(dir / "bank.ovb"));
    QStringList& seen = boxes->seen;
    seen.clear();
    const fs::path out = dir / "out";
    fs::create_directories(out);
    ChooseFolder folder(Path(out));
    Trigger(form, Command::ExportSamples);
    EXPECT_EQ(folder.asked.size(), 1);
    ASSERT_EQ(seen.size(), 2) << seen.join("\n").toStdString();
    EXPECT_TRUE(seen.at(0).startsWith("WARNING!!!: This is massive"));
    EXPECT_TRUE(seen.at(1).startsWith("Info: Export Complete"));
    EXPECT_TRUE(fs::exists(out / "C3.wav"));

    auto* label = form.findChild<QLabel*>("libraryCommonPath");
    ASSERT_NE(label, nullptr);
    EXPECT_EQ(label->text(), "Library Common Path: " + Path(dir / "lib" / "Piano") + "/");
}

TEST(MaintenanceMenus, GroupChecksUseTheCurrentSound) {
    TForm1 form;
    auto boxes = AnswerBoxes(form);
    QStringList& seen = boxes->seen;
    as_bank& bank = form.bank();
    bank.sound(0).category = 0x3; // the current sound
    bank.sound(0).zone[0].set_multisample(1);
    bank.sound(4).category = 0x2;
    bank.sound(4).zone[0].set_multisample(1);
    Trigger(form, Command::CheckCommonGroups);
    ASSERT_EQ(seen.size(), 1);
    EXPECT_TRUE(seen.at(0).startsWith("Report: Check for SOUNDS with COMMON GROUPS!: Found 2"));
}

} // namespace
