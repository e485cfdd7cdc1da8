// The main menu and the pop-up menus as users find them: every command of the table in its menu,
// working unless the table says otherwise, no shortcut taken twice, and the settings that hold for
// the run.
#include "MainWindowTestSupport.h"
#include "TestEditorHost.h"
#include "support/WavValues.h"

#include <QAudioDevice>
#include <QMediaDevices>
#include <QMenu>
#include <QStatusBar>

#include <gtest/gtest.h>

#include <map>

using namespace ovb;
using namespace ovb::test;

// A command the table marks as working that nothing wires stays disabled: this catches it, and a
// command wired although the table says it does nothing.
TEST(MainMenu, EveryCommandIsThereAndWorksAsTheTableSays) {
    TForm1 form;
    std::map<QString, QString> keyOwners;
    for (const MenuEntry& row : MenuEntries()) {
        if (row.command == Command::None) {
            EXPECT_NE(FindMenu(form, row.submenu), nullptr) << row.caption;
            continue;
        }
        QAction* a = form.command(row.command);
        ASSERT_NE(a, nullptr) << row.caption;
        // Undo and Redo are enabled by the history (UndoTest).
        const bool history = row.command == Command::Undo || row.command == Command::Redo;
        const bool idle = row.has(entry::Later) || row.has(entry::NoAction) || history;
        EXPECT_EQ(a->isEnabled(), !idle) << row.caption;
        if (idle && !history) {
            EXPECT_EQ(a->statusTip(),
                      row.has(entry::Later) ? kNotYetAvailable : kNoActionInThisVersion);
        }
        for (const QKeySequence& keys : a->shortcuts()) {
            const QString owner = keyOwners[keys.toString()];
            EXPECT_TRUE(owner.isEmpty())
                << row.caption << " takes the keys of " << owner.toStdString();
            keyOwners[keys.toString()] = a->text();
        }
    }
}

// Disabled, a command cannot be highlighted; the mouse over it still shows why it does nothing.
TEST(MainMenu, ACommandWithoutActionTellsSoInTheStatusBar) {
    TForm1 form;
    form.show();
    QMenu& checks = *FindMenu(form, Menu::Checks);
    checks.popup(form.mapToGlobal(QPoint(10, 10)));
    const QRect item = checks.actionGeometry(form.command(Command::ReorganizeSounds));
    SendMouse(checks, QEvent::MouseMove, item.center(), Qt::NoButton);
    EXPECT_EQ(form.statusBar()->currentMessage(), kNoActionInThisVersion);
    checks.close();
}

TEST(MainMenu, SettingsStartAsDocumentedAndKeepTheChoice) {
    TForm1 form;
    QAction* fromWav = form.command(Command::PlayFromWavFiles);
    QAction* fromBank = form.command(Command::PlayFromBankFile);
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
    Trigger(form, Command::SilenceFirstSample);
    EXPECT_FALSE(form.silenceFirstSample());
    EXPECT_FALSE(form.showNoteNumber());
}

TEST(MainMenu, AudioOutputDevicesAreListedAfterTheDefaultOne) {
    TForm1 form;
    QMenu* devices = FindMenu(form, Menu::AudioDevice);
    const QList<QAction*> items = devices->actions();
    const auto outputs = QMediaDevices::audioOutputs();
    ASSERT_EQ(items.size(), outputs.size() + 1) << "no device: only the default item";
    EXPECT_TRUE(items[0]->isChecked());
    EXPECT_EQ(form.audioDeviceTag(), 0);
    for (int n = 0; n < outputs.size(); ++n)
        EXPECT_EQ(items[n + 1]->text(), outputs[n].description());

    // Choosing one device unchecks the default one.
    items.last()->trigger();
    EXPECT_TRUE(items.last()->isChecked());
    EXPECT_EQ(items[0]->isChecked(), items.size() == 1);
    EXPECT_EQ(form.audioDeviceTag(), int(outputs.size()));
}

TEST(MainMenu, BankChecksRunOnTheLoadedBank) {
    TForm1 form;
    auto boxes = AnswerBoxes(form, QMessageBox::No); // do not show the missing files
    form.bank().path(3, 5) = "/nonexistent/folder/C 3.wav";
    Trigger(form, Command::CheckMissingFiles);
    Trigger(form, Command::CheckUnusedMultisamples);
    Trigger(form, Command::CheckDoubledDelimiters);
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

// The trim command reaches the bank's files; what it cuts is the trim tools' business.
TEST(MainMenu, SilenceToolsWorkOnTheBanksFiles) {
    test::TempDir dir;
    const auto wav = dir / "Piano C 3.wav";
    std::vector<std::int16_t> audio(2000, 0); // 1000 silent frames, then sound
    audio.insert(audio.end(), 2000, 1000);
    WriteValues(wav, false, audio);
    TForm1 form;
    auto boxes = AnswerBoxes(form, QMessageBox::Yes);
    form.bank().path(1, 0) = wav.string();
    Trigger(form, Command::TrimStart0);
    EXPECT_EQ(DataSizeField(ReadAll(wav)), 4000u) << boxes->seen.join(" | ").toStdString();
}
