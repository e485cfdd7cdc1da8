// The main menu as users find it: every command under its caption, the shortcuts, commands of
// later versions visibly disabled, and the settings that hold for the run.
#include "../audio/WavValues.h"
#include "MainWindowTestSupport.h"

#include <QAudioDevice>
#include <QMediaDevices>
#include <QMenu>
#include <QMenuBar>

#include <gtest/gtest.h>

using namespace ovb;
using namespace ovb::test;

namespace {

const char* const kLaterCommands[] = {
    "Open Bank Combinator Assistant...",
};

// Commands that exist but do nothing at all.
const char* const kInertCommands[] = {
    "Check for FREE sounds, not used in any preset",
    "Check for duplicated SOUNDS",
    "Automatic Fix Duplicated Sounds...",
    "Reorganize all SOUNDS, remove Empty position and update PRESETS...",
    "Save ALL Used Multisamples Names To Multisamples Folders",
    "By sample start offset (bank need to be calculated)",
    "By sample file path string",
};

const char* const kWorkingCommands[] = {
    "Analize and find loudest audio level in EXTERNAL group of WAV files...",
    "Normalize EXTERNAL group of WAV files to -0.5dB audio level...",
    "Open SD Card Write Assistant...",
    "Conform WAV files to 48 kHz / 16-bit...",
    "Export All Samples From Loaded Bank File...",
    "Check and auto fix sounds STEREO GROUP assignment...",
    "Check for SOUNDS, not assigned to any group",
    "Check for SOUNDS, assigned to GROUPS - ABSOLUTLY EQUAL to current sound",
    "Check for SOUNDS, assigned to GROUPS - COMMON with current sound",
    "Extract library common path",
    "Init All Unused Sounds (Unused is sound with name \"- - -\")",
    "Remove FIXED number of samples from START of WAV files",
    "+/- 100 samples  /  -50.3dB...",
    "+/- 20 samples  /  -64.3dB...",
    "+/- 10 samples  /  -70.3dB...",
    "+/-   0 samples  /  -90.0dB...",
    "Check end of WAV files for silence and report rezult",
    "Apply 2ms Fade Out AFTER point of removing silence",
    "+/-  10  samples  /  -70.3dB...",
    "+/-   3  samples  /  -80.0dB...",
    "+/-   0  samples  /  -90.0dB...",
    "Check Start of WAV files for silence and report result",
    "Check For UNUSED Multisamples...",
    "Remove UNUSED Multisamples...",
    "Check For Not Latin Chars In File Path And Names",
    "Check for doubled char \"\\\\\" in file path",
    "Check Multisample Names For Invalid Chars",
    "Check for duplicated samples...",
    "Check all WAV files for first sample with level whu will triger Windows Auto Fade In "
    "Function",
    "Report all samples with active or not default LOOPs",
    "Check all WAV files for existing",
    "Clear ALL...",
    "Open Orvelanta Sampler Script File...",
    "Save Orvelanta Sampler Script File...",
    "Open Orvelanta Sampler Bank File...",
    "Save Orvelanta Sampler Bank File - (split to 4GB toms)...",
    "Export All Bank Content to Text File...",
    "Exit",
    "Calculate bank SIZE",
    "Show Note Number",
    "Reform loaded script file to bank file",
    "Update Factory Reset Part of EXTERNAL OVB Bank File...",
    "Import Sampler 2 Sounds...",
    "Open Search Assistant...",
    "Play/View Audio From WAV Files",
    "Play/View Audio From Bank File",
    "Play first sample with level 0",
    "DEFAULT WAVE OUT DEVICE",
};

const char* const kSubmenus[] = {
    "Check / Auto-Fix invalid conditions",
    "Remove silence from START of WAV files included in multisamples",
    "Remove silence from END of WAV files included in multisamples",
    "Check for multisamples, with more of 64 assigned notes/samples",
    "Procedure to EXTERNAL files",
    "System Tools",
    "Audio Output Device",
};

QStringList Checked(const QMenu& menu) {
    QStringList out;
    for (QAction* a : menu.actions())
        if (a->isChecked()) out << a->text();
    return out;
}

} // namespace

TEST(MainMenu, MenuBarHasTheSixMenusWithAccelerators) {
    TForm1 form;
    QStringList titles;
    for (QAction* a : form.menuBar()->actions())
        titles << a->text();
    EXPECT_EQ(titles,
              (QStringList{"&File", "&Edit", "&View", "&Tools", "&Assistants", "&Settings"}));
}

TEST(MainMenu, EveryCommandIsThereEnabledOrNot) {
    TForm1 form;
    for (const char* caption : kWorkingCommands) {
        QAction* a = FindAction(form, caption);
        ASSERT_NE(a, nullptr) << caption;
        EXPECT_TRUE(a->isEnabled()) << caption;
    }
    for (const char* caption : kSubmenus) {
        QAction* a = FindAction(form, caption);
        ASSERT_NE(a, nullptr) << caption;
        EXPECT_NE(a->menu(), nullptr) << caption;
    }
    for (const char* caption : kLaterCommands) {
        QAction* a = FindAction(form, caption);
        ASSERT_NE(a, nullptr) << caption;
        EXPECT_FALSE(a->isEnabled()) << caption;
        EXPECT_EQ(a->statusTip(), "Not available in this version yet") << caption;
    }
    const QStringList endItems{"+/- 30 samples", "+/- 40 samples", "+/- 50 samples",
                               "+/- 60 samples", "+/- 70 samples", "+/- 80 samples",
                               "+/- 90 samples"};
    QMenu* end = FindAction(form, kSubmenus[2])->menu();
    for (const QString& start : endItems) {
        int found = 0;
        for (QAction* a : end->actions())
            found += a->text().startsWith(start + "  /  -") && a->text().endsWith("dB...");
        EXPECT_EQ(found, 1) << start.toStdString();
    }
}

TEST(MainMenu, CommandsWithoutActionDoNothing) {
    TForm1 form;
    form.bank().sound(3).name[0] = 'Q';
    auto boxes = AnswerBoxes(form);
    auto dialogs = AnswerFileDialogs(form, "/nonexistent/file.ovb");
    for (const char* caption : kInertCommands) {
        QAction* a = FindAction(form, caption);
        ASSERT_NE(a, nullptr) << caption;
        ASSERT_TRUE(a->isEnabled()) << caption;
        a->trigger();
    }
    EXPECT_TRUE(boxes->seen.isEmpty());
    EXPECT_TRUE(dialogs->asked.isEmpty());
    EXPECT_EQ(form.bank().sound(3).name[0], 'Q');
    EXPECT_TRUE(form.windowTitle().endsWith("No loaded bank!"));
}

TEST(MainMenu, FileCommandsHaveTheirShortcuts) {
    TForm1 form;
    const std::pair<const char*, const char*> shortcuts[] = {
        {"Open Orvelanta Sampler Script File...", "Ctrl+O"},
        {"Open Orvelanta Sampler Bank File...", "Ctrl+Shift+O"},
        {"Save Orvelanta Sampler Script File...", "Ctrl+S"},
        {"Save Orvelanta Sampler Bank File - (split to 4GB toms)...", "Ctrl+Shift+S"},
        {"Exit", "Ctrl+Q"},
    };
    for (const auto& [caption, keys] : shortcuts) {
        QAction* a = FindAction(form, caption);
        ASSERT_NE(a, nullptr) << caption;
        EXPECT_EQ(a->shortcut(), QKeySequence(keys)) << caption;
    }
}

TEST(MainMenu, SettingsStartAsDocumentedAndKeepTheChoice) {
    TForm1 form;
    QAction* fromWav = FindAction(form, "Play/View Audio From WAV Files");
    QAction* fromBank = FindAction(form, "Play/View Audio From Bank File");
    ASSERT_TRUE(fromWav && fromBank);
    EXPECT_FALSE(form.playFromWavFiles());
    EXPECT_TRUE(fromBank->isChecked());
    fromWav->trigger();
    EXPECT_TRUE(form.playFromWavFiles());
    EXPECT_FALSE(fromBank->isChecked());
    fromWav->trigger(); // choosing the chosen one keeps it
    EXPECT_TRUE(fromWav->isChecked());
    fromBank->trigger();
    EXPECT_FALSE(form.playFromWavFiles());

    EXPECT_TRUE(form.silenceFirstSample());
    FindAction(form, "Play first sample with level 0")->trigger();
    EXPECT_FALSE(form.silenceFirstSample());

    EXPECT_FALSE(form.showNoteNumber());
    FindAction(form, "Show Note Number")->trigger();
    EXPECT_TRUE(form.showNoteNumber());
}

TEST(MainMenu, AudioOutputDevicesAreListedAfterTheDefaultOne) {
    TForm1 form;
    QMenu* devices = FindAction(form, "Audio Output Device")->menu();
    const QList<QAction*> items = devices->actions();
    const auto outputs = QMediaDevices::audioOutputs();
    ASSERT_EQ(items.size(), outputs.size() + 1) << "no device: only the default item";
    EXPECT_EQ(items[0]->text(), "DEFAULT WAVE OUT DEVICE");
    EXPECT_EQ(Checked(*devices), QStringList{"DEFAULT WAVE OUT DEVICE"});
    EXPECT_EQ(form.audioDeviceTag(), 0);
    for (int n = 0; n < outputs.size(); ++n)
        EXPECT_EQ(items[n + 1]->text(), outputs[n].description());

    items.last()->trigger();
    EXPECT_EQ(Checked(*devices), QStringList{items.last()->text()});
    EXPECT_EQ(form.audioDeviceTag(), int(outputs.size()));
}

TEST(MainMenu, BankChecksRunOnTheLoadedBank) {
    TForm1 form;
    auto boxes = AnswerBoxes(form, QMessageBox::No); // do not show the missing files
    form.bank().path(3, 5) = "/nonexistent/folder/C 3.wav";
    Trigger(form, "Check all WAV files for existing");
    Trigger(form, "Check For UNUSED Multisamples...");
    Trigger(form, "Check for doubled char \"\\\\\" in file path");
    // The unused multisample goes straight to the report window; the others speak in boxes.
    ASSERT_EQ(boxes->seen.size(), 3) << boxes->seen.join(" | ").toStdString();
    EXPECT_EQ(boxes->seen[0], "Info: Missing 1 WAV files!!!\n\nShow missing files ?");
    EXPECT_TRUE(boxes->seen[1].startsWith("Report: Unused Multisamples Names: Unused "
                                          "multisamples: 1"));
    EXPECT_EQ(boxes->seen[2],
              "Checking for Doubled Path Delimiters ...: No Doubled Path Delimiters Found!");
    EXPECT_EQ(form.jobServices().reportForm(), nullptr); // the unused report was closed
    EXPECT_EQ(form.bank().path(3, 5), "/nonexistent/folder/C 3.wav"); // checks change nothing
}

TEST(MainMenu, SilenceToolsWorkOnTheBanksFiles) {
    test::TempDir dir;
    const auto wav = dir / "Piano C 3.wav";
    std::vector<std::int16_t> audio(2000, 0); // 1000 silent frames, then sound
    for (int i = 0; i < 2000; ++i)
        audio.push_back(std::int16_t(i * 37 + 1));
    WriteValues(wav, false, audio);
    const auto file = ReadAll(wav);

    TForm1 form;
    auto boxes = AnswerBoxes(form, QMessageBox::Yes);
    form.bank().path(1, 0) = wav.string();
    form.bank().path(2, 0) = wav.string(); // the same file in two slots is trimmed once per slot
    Trigger(form, "+/-   0  samples  /  -90.0dB...");
    const auto trimmed = ReadAll(wav);
    EXPECT_LT(trimmed.size(), file.size()) << boxes->seen.join(" | ").toStdString();
    EXPECT_EQ(std::vector<std::uint8_t>(trimmed.end() - 100, trimmed.end()),
              std::vector<std::uint8_t>(file.end() - 100, file.end())); // the sound is kept
    EXPECT_FALSE(boxes->seen.isEmpty());
}
