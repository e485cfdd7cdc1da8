// Undo and redo through the main window's real commands: each command is done, undone and redone,
// and the bank is compared with a script saved before and after, byte for byte.
#include "MainWindowTestSupport.h"
#include "TestEditorHost.h"
#include "bank/ScriptFile.h"
#include "job/ScriptedJobServices.h"
#include "support/BankNames.h"
#include "support/TestFiles.h"
#include "ui/RecordGrid.h"
#include "ui/RecordGridModel.h"
#include "ui/SoundPage.h"
#include "ui/UndoHistory.h"
#include "ui/ZoneEditor.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>

#include <gtest/gtest.h>

using namespace ovb;
using ovb::test::SetName;

namespace {

// A bank worth undoing to: named sounds playing multisamples with paths.
void FillBank(as_bank& bank) {
    for (unsigned i = 0; i < 8; ++i) {
        SetName(bank.sound(i).name, ("Snd" + std::to_string(i)).c_str());
        bank.sound(i).zone[0].set_multisample(i + 1);
        SetName(bank.multisample(i + 1).name, ("Ms" + std::to_string(i + 1)).c_str());
        bank.path(i + 1, 0) = "D:\\Lib\\ms" + std::to_string(i + 1) + ".wav";
    }
    SetName(bank.scene(2).name, "Stage");
}

class UndoTest : public ::testing::Test {
  protected:
    test::TempDir dir;
    TForm1 form;
    std::shared_ptr<test::BoxLog> boxes = test::AnswerBoxes(form);
    QAction* undo = form.command(Command::Undo);
    QAction* redo = form.command(Command::Redo);
    int saved = 0;

    void SetUp() override {
        ASSERT_TRUE(undo && redo);
        // A new window has nothing to undo: building it is no step.
        ASSERT_FALSE(undo->isEnabled());
        ASSERT_FALSE(redo->isEnabled());
        // Every test starts after a bank filled as a loaded file would fill it, in one step.
        FillBank(form.bank());
        form.RefreshViews();
    }

    // The bank as a script file, with the window's file name.
    std::vector<std::uint8_t> Saved() {
        ScriptedJobServices ui;
        const auto path = dir / ("state" + std::to_string(++saved) + ".ovs");
        EXPECT_TRUE(WriteScript(form.bank(), path, ui));
        std::vector<std::uint8_t> bytes = test::ReadAll(path);
        const std::string& name = form.currentFileName();
        bytes.insert(bytes.end(), name.begin(), name.end());
        return bytes;
    }

    void Trigger(Command command) { test::Trigger(form, command); }

    SoundPage& soundPage() {
        return *qobject_cast<SoundPage*>(form.editorPages().widget(page::Sound));
    }

    void EditSoundName(int sound, const QString& text) {
        RecordGridModel* model = soundPage().grid()->gridModel();
        model->setData(model->index(sound, RecordGridModel::NameColumn), text, Qt::EditRole);
    }
};

// The bank is compared with a script saved before and after, byte for byte; the compared state
// holds the window's file name too.
TEST_F(UndoTest, OpeningAScriptIsOneStep) {
    const auto script = dir / "Other.ovs";
    ScriptedJobServices ui;
    ASSERT_TRUE(WriteScript(form.bank(), script, ui));
    SetName(form.bank().sound(3).name, "Mine");
    form.RefreshViews();
    auto dialogs = test::AnswerFileDialogs(form, test::Path(script));
    const auto before = Saved();
    Trigger(Command::OpenScript);
    const auto after = Saved();
    ASSERT_NE(before, after) << "the command changed nothing";
    EXPECT_EQ(undo->text(), "Undo Open Orvelanta Sampler Script File");
    undo->trigger();
    EXPECT_EQ(Saved(), before);
    EXPECT_EQ(redo->text(), "Redo Open Orvelanta Sampler Script File");
    redo->trigger();
    EXPECT_EQ(Saved(), after);
    EXPECT_FALSE(redo->isEnabled());
}

// A finished cell edit is one step however many words were typed; so is one drag of a limit.
TEST_F(UndoTest, OneStepPerFinishedCellEditAndPerDrag) {
    form.show();
    form.showSound(4);
    RecordGrid& grid = *soundPage().grid();
    const QModelIndex cell = grid.model()->index(4, RecordGridModel::NameColumn);
    grid.edit(cell);
    auto* editor = grid.findChild<QLineEdit*>();
    ASSERT_NE(editor, nullptr);
    editor->selectAll();
    test::TypeText(*editor, "Piano and Strings");
    test::TypeKey(*editor, Qt::Key_Return);
    form.undoHistory().commitPending(); // the next gesture
    EXPECT_EQ(NameString(form.bank().sound(4).name), "Piano and String");
    // A name set in the grid does not refresh: undo straight after it commits it as its own step
    // first and undoes only that.
    EditSoundName(5, "Reed");
    undo->trigger();
    EXPECT_EQ(NameString(form.bank().sound(5).name).substr(0, 4), "Snd5");
    EXPECT_EQ(NameString(form.bank().sound(4).name), "Piano and String");
    EXPECT_EQ(redo->text(), "Redo Edit sound name");
    EXPECT_EQ(undo->text(), "Undo Edit sound name");
    undo->trigger();
    EXPECT_EQ(NameString(form.bank().sound(4).name).substr(0, 4), "Snd4");
    EXPECT_FALSE(undo->text().startsWith("Undo Edit sound name")) << "one step, not one a word";

    QLabel& limit = *soundPage().zoneEditor()->velocityLabel(0);
    test::SendMouse(limit, QEvent::MouseButtonPress, {5, 50});
    for (int y = 51; y < 56; ++y)
        test::SendMouse(limit, QEvent::MouseMove, {5, double(y)});
    test::SendMouse(limit, QEvent::MouseButtonRelease, {5, 55});
    form.undoHistory().commitPending();
    const auto dragged = form.bank().sound(4).zone[0].velocity_high;
    ASSERT_EQ(dragged, 122);
    undo->trigger();
    EXPECT_EQ(form.bank().sound(4).zone[0].velocity_high, 127) << "the whole drag at once";
    redo->trigger();
    EXPECT_EQ(form.bank().sound(4).zone[0].velocity_high, dragged);
}

// The next gesture commits an edit, so that the following command is a separate step.
TEST_F(UndoTest, AnEditBeforeACommandIsUndoneSeparately) {
    const auto filled = Saved();
    EditSoundName(2, "Horn");
    // A press on the sound grid, as the user's next gesture after an edit.
    test::SendMouse(*soundPage().grid()->viewport(), QEvent::MouseButtonPress, {5, 5});
    const auto named = Saved();
    Trigger(Command::ClearAll);
    EXPECT_EQ(undo->text(), "Undo Clear ALL");
    undo->trigger();
    EXPECT_EQ(Saved(), named);
    EXPECT_EQ(undo->text(), "Undo Edit sound name");
    undo->trigger();
    EXPECT_EQ(Saved(), filled);
}

// A choice in a list writes straight into the record; opening the Edit menu commits and names it.
TEST_F(UndoTest, AChoiceListEditIsNamedWhenTheEditMenuOpens) {
    auto lists = form.editorPages().widget(page::Scene)->findChildren<QComboBox*>();
    ASSERT_FALSE(lists.isEmpty());
    const unsigned scene = unsigned(form.editorPages().currentRecord(page::Scene));
    const std::uint16_t solo = form.bank().scene(scene).solo;
    const auto before = Saved();
    const QString filledStep = undo->text();
    lists[0]->setCurrentIndex(solo + 3);
    ASSERT_EQ(form.bank().scene(scene).solo, solo + 3);
    const auto after = Saved();
    EXPECT_EQ(undo->text(), filledStep) << "not committed before the next gesture";
    emit FindMenu(form, Menu::Edit)->aboutToShow();
    EXPECT_EQ(undo->text(), "Undo Edit scene");
    undo->trigger();
    EXPECT_EQ(Saved(), before);
    EXPECT_EQ(lists[0]->currentIndex(), solo) << "the refresh after undo shows the choice";
    redo->trigger();
    EXPECT_EQ(Saved(), after);
}

// Size calculation and saving only record what they write: no step, and undo leaves it.
TEST_F(UndoTest, FileCommandsMakeNoStep) {
    form.bank().path(1, 0) = "D:\\Lib\\renamed.wav";
    form.RefreshViews();
    ASSERT_EQ(undo->text(), "Undo Edit sample paths");
    const std::uint8_t lengthBefore = form.bank().records().path_length_table[64];
    Trigger(Command::CalculateSize);
    const std::uint8_t lengthAfter = form.bank().records().path_length_table[64];
    ASSERT_NE(lengthAfter, lengthBefore) << "the calculation should have filled the table";
    EXPECT_EQ(undo->text(), "Undo Edit sample paths");
    auto dialogs = test::AnswerFileDialogs(form, test::Path(dir / "Saved.ovs"));
    boxes->answer = QMessageBox::No; // no recalculation
    Trigger(Command::SaveScript);
    EXPECT_TRUE(std::filesystem::exists(dir / "Saved.ovs"));
    EXPECT_EQ(undo->text(), "Undo Edit sample paths");
    undo->trigger();
    EXPECT_EQ(form.bank().path(1, 0), "D:\\Lib\\ms1.wav");
    EXPECT_EQ(form.bank().records().path_length_table[64], lengthAfter);
}

} // namespace
