// The main window: its file commands, run through their menu entries with the file dialogs and
// message boxes answered as a user would, and its pages kept in step with the bank.
#include "MainWindowTestSupport.h"
#include "bank/ScriptFile.h"
#include "job/ScriptedJobServices.h"
#include "support/TestFiles.h"

#include <QProgressBar>
#include <QStatusBar>
#include <QTabWidget>

#include <gtest/gtest.h>

using namespace ovb;
using namespace ovb::test;

namespace {

const QString kNoBankCaption = "Orvelanta Sampler Bank Manager - Version: 0.81 / No loaded bank!";

std::filesystem::path WriteScript(const std::filesystem::path& file, char soundMark) {
    as_bank bank;
    bank.sound(2).name[0] = soundMark;
    ScriptedJobServices quiet;
    EXPECT_TRUE(SaveScript(bank, file, quiet, true));
    return file;
}

} // namespace

TEST(MainWindow, OpensAScriptThroughTheMenuAndClearAllAsksFirst) {
    TempDir dir;
    const auto script = WriteScript(dir / "Accordion.ovs", 'X');
    TForm1 form;
    auto boxes = AnswerBoxes(form, QMessageBox::Yes);
    auto dialogs = AnswerFileDialogs(form, Path(script));

    Trigger(form, Command::OpenScript);
    ASSERT_EQ(dialogs->asked.size(), 1);
    EXPECT_FALSE(dialogs->asked[0].save);
    EXPECT_EQ(form.bank().sound(2).name[0], 'X');
    EXPECT_EQ(form.currentFileName(), script.string());
    EXPECT_EQ(form.windowTitle(), "Orvelanta Sampler Bank Manager - Version: 0.81 / Accordion.ovs");
    EXPECT_TRUE(boxes->seen.contains("Info: Script loading OK!"));

    boxes->answer = QMessageBox::No;
    Trigger(form, Command::ClearAll);
    EXPECT_EQ(boxes->seen.last(), "Clear ALL: Are You Sure ?");
    EXPECT_EQ(form.bank().sound(2).name[0], 'X') << "No keeps the bank";
    EXPECT_TRUE(form.windowTitle().endsWith("Accordion.ovs"));

    boxes->answer = QMessageBox::Yes;
    Trigger(form, Command::ClearAll);
    EXPECT_EQ(form.bank().sound(2).name[0], '-');
    EXPECT_EQ(form.windowTitle(), kNoBankCaption);

    dialogs->path.clear(); // Cancel
    const auto boxesBefore = boxes->seen.size();
    Trigger(form, Command::OpenScript);
    EXPECT_EQ(form.windowTitle(), kNoBankCaption);
    EXPECT_EQ(boxes->seen.size(), boxesBefore);
}

// A name typed without extension gets the filter's; the next dialogs open where the loaded file is.
TEST(MainWindow, EstimatesSavesAndOpensABankFileThroughTheMenu) {
    TempDir dir;
    const auto wav = dir / "Piano C 3.wav";
    WriteWav(wav, true, 48000 * 4);
    TForm1 form;
    auto boxes = AnswerBoxes(form, QMessageBox::Yes);
    auto dialogs = AnswerFileDialogs(form, {});
    std::memcpy(form.bank().multisample(1).name.data(), "Piano", 5);
    form.bank().path(1, 24) = wav.string();

    Trigger(form, Command::CalculateSize);
    ASSERT_FALSE(boxes->seen.isEmpty());
    EXPECT_TRUE(boxes->seen.last().startsWith("Sample Editor: Estimated Bank Size is:  "));

    const auto bankFile = dir / "Piano.ovb";
    dialogs->path = Path(dir / "Piano");
    Trigger(form, Command::SaveBank);
    ASSERT_EQ(dialogs->asked.size(), 1);
    EXPECT_TRUE(dialogs->asked[0].save);
    ASSERT_TRUE(std::filesystem::exists(bankFile));
    EXPECT_FALSE(std::filesystem::exists(dir / "Piano"));
    EXPECT_EQ(form.statusBar()->currentMessage(), "Bank file saved: " + Path(bankFile));
    EXPECT_EQ(form.windowTitle(), kNoBankCaption) << "saving does not change the loaded name";

    Trigger(form, Command::ClearAll);
    ASSERT_EQ(form.bank().path(1, 24), "- - -");
    dialogs->path = Path(bankFile);
    Trigger(form, Command::OpenBank);
    ASSERT_EQ(dialogs->asked.size(), 2);
    EXPECT_EQ(form.bank().path(1, 24), wav.string());
    EXPECT_EQ(form.windowTitle(), "Orvelanta Sampler Bank Manager - Version: 0.81 / Piano.ovb");
    dialogs->path.clear();
    Trigger(form, Command::SaveScript);
    EXPECT_EQ(dialogs->asked.last().folder, Path(dir.path()));
}

TEST(MainWindow, ReformGivesTheLoadedNameTheBankExtension) {
    TempDir dir;
    const auto script = WriteScript(dir / "Accordion.ovs", 'B');
    TForm1 form;
    auto boxes = AnswerBoxes(form);
    form.openFile(Path(script));
    Trigger(form, Command::ReformToBank);
    EXPECT_EQ(form.currentFileName(), (dir / "Accordion.OVB").string());
    EXPECT_TRUE(form.windowTitle().endsWith("/ Accordion.OVB"));
    EXPECT_EQ(form.bank().sound(2).name[0], 'B') << "only the name changes";
    // A name without extension gets one; the folder's dot is not the name's.
    EXPECT_EQ(ReplaceExtension("/set.v2/Accordion", ".OVB"), "/set.v2/Accordion.OVB");
}

TEST(MainWindow, CaptionShowsTheChosenFileEvenWhenItCannotBeRead) {
    TForm1 form;
    auto boxes = AnswerBoxes(form);
    form.openFile("C:\\Banks\\Old:Demo.ovs");
    EXPECT_FALSE(boxes->seen.isEmpty()) << "the reader reports the missing file";
    EXPECT_EQ(form.windowTitle(), "Orvelanta Sampler Bank Manager - Version: 0.81 / Demo.ovs");
    EXPECT_EQ(form.bank().sound(2).name[0], '-');
}

// Neither command can use the chosen file yet: the file and the bank stay as they were.
TEST(MainWindow, ExternalFileCommandsLeaveBankAndFilesAlone) {
    TempDir dir;
    const auto external = dir / "Factory.ovb";
    WriteAll(external, PatternBytes(4096, 7));
    TForm1 form;
    form.bank().sound(2).name[0] = 'K';
    auto boxes = AnswerBoxes(form);
    auto dialogs = AnswerFileDialogs(form, Path(external));

    Trigger(form, Command::UpdateFactoryReset);
    EXPECT_TRUE(boxes->seen.isEmpty());
    Trigger(form, Command::ImportSampler2);
    EXPECT_EQ(dialogs->asked.size(), 2);
    ASSERT_EQ(boxes->seen.size(), 1);
    EXPECT_TRUE(boxes->seen[0].contains("cannot be read by this version"));
    EXPECT_EQ(ReadAll(external), PatternBytes(4096, 7));
    EXPECT_EQ(form.bank().sound(2).name[0], 'K');
    EXPECT_EQ(form.windowTitle(), kNoBankCaption);
}

TEST(MainWindow, DialogFiltersOfferBothSpellings) {
    EXPECT_EQ(DialogFilter("Zerwintal Orvelanta Sampler SCRIPT file (*.ovs)|*.OVS"),
              "Zerwintal Orvelanta Sampler SCRIPT file (*.ovs *.OVS)");
}

// The main window's pages and the refresh that keeps them in step with the bank and each other:
// the sound page and the sound manager's left grid show one sound; the page in front decides
// which.
TEST(MainPages, RefreshKeepsTheSoundOfBothSoundPagesTogether) {
    TForm1 form;
    form.show();
    form.editorPages().selectRecord(page::Sound, 17);
    form.RefreshViews(refresh::Sounds);
    EXPECT_EQ(form.current().sound, 17);
    EXPECT_EQ(form.soundManagerPage()->leftSound(), 17);

    form.pageControl()->setCurrentIndex(page::SoundManager); // a page change refreshes
    form.soundManagerPage()->selectLeftSound(42);
    form.RefreshViews(refresh::All);
    EXPECT_EQ(form.current().sound, 42);
    EXPECT_EQ(form.editorPages().currentRecord(page::Sound), 42);

    form.pageControl()->setCurrentIndex(page::Sound);
    EXPECT_EQ(form.current().sound, 42);
    EXPECT_EQ(form.soundManagerPage()->leftSound(), 42);
    EXPECT_FALSE(form.refreshBar()->isVisible()) << "the bar shows only during a refresh";
}
