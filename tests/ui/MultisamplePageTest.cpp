// The multisample page in the main window, driven through its pop-up menus, its grids, drops from
// the file manager and the comment box, with real WAV files in a folder.
#include "ui/MultisamplePage.h"
#include "MainWindowTestSupport.h"
#include "TestEditorHost.h"
#include "bank/ScriptFile.h"
#include "job/ScriptedJobServices.h"
#include "support/TestFiles.h"
#include "ui/SampleGrid.h"
#include "ui/Wavplot.h"

#include <QApplication>
#include <QDropEvent>
#include <QLineEdit>
#include <QMimeData>
#include <QTabWidget>
#include <QUrl>

#include <gtest/gtest.h>

#include <cstring>

using namespace ovb;
using namespace ovb::test;

namespace {

constexpr int kMs = 5;

class MultisamplePageTest : public ::testing::Test {
  protected:
    TForm1 form;
    MultisamplePage& page = *form.multisamplePage();
    SampleGrid& samples = *page.sampleGrid();
    TempDir dir;
    std::shared_ptr<BoxLog> dialogs = AnswerBoxes(form, QMessageBox::No);
    QStringList chosen;       // what the file dialogs answer
    QList<bool> askedSeveral; // one item a file dialog: whether it offered several files

    void SetUp() override {
        page.fileDialog = [this](const FileDialogRequest&, bool several) {
            askedSeveral << several;
            return chosen;
        };
        form.show();
        form.showMultisample(kMs);
    }

    QString Wav(const std::string& name) {
        WriteWav(dir / name, false, 960);
        return Path(dir / name);
    }
    QString Cell(int slot, int column = 2) const {
        return samples.model()->index(slot, column).data().toString();
    }
    std::vector<int> FilledSlots() const {
        std::vector<int> filled;
        for (int slot = 0; slot < 64; ++slot)
            if (Cell(slot) != "- - -") filled.push_back(slot);
        return filled;
    }
    void Run(Command command) { Trigger(page, command); }
    void PlaceFiles(const QStringList& files) {
        chosen = files;
        Run(Command::AddMultipleFiles);
    }
};

TEST_F(MultisamplePageTest, AddMultiplePlacesByTheChosenCriterionAndTranspose) {
    const QString spaced = Wav("Piano 060.wav");
    PlaceFiles({spaced, Wav("Organ.wav")});
    EXPECT_EQ(askedSeveral, QList<bool>{true});
    EXPECT_EQ(FilledSlots(), std::vector<int>{24});

    Run(Command::CriterionNameWithBlank);
    page.transposeAction(12)->trigger();
    // Slot 0 now looks for note 48, C 4; note 36 (C 3) has no slot.
    const QString c4 = Wav("Str C 4.wav");
    PlaceFiles({Wav("Str C 3.wav"), c4});
    EXPECT_EQ(Cell(0), c4);
}

TEST_F(MultisamplePageTest, MarkerFileNameIsOfferedAndShownInTheListOnYes) {
    std::filesystem::create_directory(dir / "pad");
    WriteAll(dir / "pad" / "Warm Pad.msn", {});
    dialogs->answer = QMessageBox::Yes;
    PlaceFiles({Wav("pad/Pad 048.wav")});
    EXPECT_EQ(dialogs->seen, (QStringList{"Info: Added 1 from 1 files.",
                                          "Question: Use multisample name: \"Warm Pad\" ?"}));
    EXPECT_EQ(page.grid()->model()->index(kMs - 1, 1).data().toString(), "Warm Pad");
}

TEST_F(MultisamplePageTest, NameEditedInTheListIsStored) {
    QAbstractItemModel& list = *page.grid()->model();
    ASSERT_EQ(list.rowCount(), 9999) << "multisamples 1 to 9999";
    EXPECT_EQ(list.index(9998, 0).data().toString(), "MS9999");
    ASSERT_TRUE(list.setData(list.index(kMs - 1, 1), "Choir", Qt::EditRole));
    const Name<16>& name = form.bank().multisample(kMs).name;
    EXPECT_EQ(std::string(name.data(), 16), std::string("Choir") + std::string(11, '\0'));
}

// Sends a drag from the file manager and its drop onto a row of the grid.
bool DropOn(SampleGrid& grid, int row, const QStringList& files) {
    QMimeData data;
    QList<QUrl> urls;
    for (const QString& file : files)
        urls << QUrl::fromLocalFile(file);
    data.setUrls(urls);
    const QPoint at = grid.visualRect(grid.model()->index(row, 2)).center();
    QDragEnterEvent enter(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(grid.viewport(), &enter);
    if (!enter.isAccepted()) return false;
    QDropEvent drop(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(grid.viewport(), &drop);
    for (int i = 0; i < 20; ++i)
        QApplication::processEvents();
    return drop.isAccepted();
}

TEST_F(MultisamplePageTest, DroppedFilesArePlacedByNameOrOnTheRowForASingleFile) {
    const QString low = Wav("Choir 036.wav"), high = Wav("Choir 099.wav");
    ASSERT_TRUE(DropOn(samples, 10, {low, high}));
    EXPECT_EQ(FilledSlots(), (std::vector<int>{0, 63}));
    EXPECT_TRUE(askedSeveral.isEmpty()) << "a drop asks for no files";

    const QString single = Wav("Anything.WAV");
    ASSERT_TRUE(DropOn(samples, 7, {single}));
    EXPECT_EQ(Cell(7), single);
    EXPECT_EQ(dialogs->seen.size(), 1) << "a single file needs no box";

    WriteAll(dir / "notes.txt", {});
    EXPECT_FALSE(DropOn(samples, 8, {Path(dir / "notes.txt")}));
    EXPECT_EQ(Cell(8), "- - -");
}

// No keeps everything; Yes changes the slots and the list shows it at once.
TEST_F(MultisamplePageTest, MoveAndRemoveAskFirstAndRefreshTheSlots) {
    as_bank& bank = form.bank();
    std::memcpy(bank.multisample(kMs).name.data(), "Organ", 5);
    for (unsigned p = 0; p < 14; ++p)
        bank.path(kMs, p) = "/lib/n" + std::to_string(p) + ".wav";
    Run(Command::MoveOctaveUp);
    EXPECT_EQ(bank.path(kMs, 0), "/lib/n0.wav");
    dialogs->answer = QMessageBox::Yes;
    Run(Command::MoveOctaveUp);
    EXPECT_EQ(FilledSlots(), (std::vector<int>{0, 1}));

    dialogs->answer = QMessageBox::No;
    Run(Command::RemoveMultisample);
    EXPECT_EQ(FilledSlots(), (std::vector<int>{0, 1}));
    dialogs->answer = QMessageBox::Yes;
    Run(Command::RemoveMultisample);
    EXPECT_TRUE(FilledSlots().empty());
    EXPECT_EQ(page.grid()->model()->index(kMs - 1, 1).data().toString(), "- - -");
}

// A Ctrl press picks the pressed slot alone.
TEST_F(MultisamplePageTest, AddOneIsOfferedForExactlyOneRowAndRemoveClearsTheRange) {
    samples.selectSlots(3, 4);
    EXPECT_FALSE(FindCommand(page, Command::AddOneFile)->isEnabled());
    Click(*samples.viewport(), samples.visualRect(samples.model()->index(6, 2)).center(),
          Qt::ControlModifier);
    EXPECT_EQ(samples.selectedSlots(), std::vector<unsigned>{6});
    EXPECT_TRUE(FindCommand(page, Command::AddOneFile)->isEnabled());

    const QString file = Wav("One.wav");
    chosen = {file};
    Run(Command::AddOneFile);
    EXPECT_EQ(askedSeveral, QList<bool>{false});
    EXPECT_EQ(FilledSlots(), std::vector<int>{6});

    form.bank().path(kMs, 5) = "/lib/five.wav";
    form.bank().path(kMs, 7) = "/lib/seven.wav";
    samples.selectSlots(5, 6);
    Run(Command::RemoveSlotFiles);
    EXPECT_EQ(FilledSlots(), std::vector<int>{7});
}

TEST_F(MultisamplePageTest, FileLocationNeedsOneExistingFile) {
    QList<QUrl> opened;
    page.openFolder = [&opened](const QUrl& folder) { opened << folder; };
    form.bank().path(kMs, 1) = Path(dir / "gone.wav").toStdString();
    form.bank().path(kMs, 2) = Wav("here.wav").toStdString();
    // Two slots, an empty one, a missing file: each is refused with its reason.
    for (auto [first, last] : {std::pair{1, 2}, std::pair{0, 0}, std::pair{1, 1}}) {
        samples.selectSlots(first, last);
        Run(Command::OpenFileLocation);
    }
    EXPECT_EQ(dialogs->seen, (QStringList{"Info: Please select only one file!",
                                          "Info: This is empty file", "Info: File Not Exist!"}));
    EXPECT_TRUE(opened.isEmpty());
    samples.selectSlots(2, 2);
    Run(Command::OpenFileLocation);
    ASSERT_EQ(opened.size(), 1);
    EXPECT_EQ(opened[0], QUrl::fromLocalFile(Path(dir.path())));
}

// The comment box shows the current multisample's comment and typing goes there.
TEST_F(MultisamplePageTest, CommentFollowsTheCurrentMultisample) {
    QLineEdit& box = *page.commentBox();
    page.lowerBox()->setCurrentIndex(1);
    const std::string shownFirst = CommentText(form.bank().multisample(kMs));
    SetComment(form.bank().multisample(kMs + 1), "next one");
    ClickRecord(*page.grid(), kMs);
    EXPECT_EQ(form.current().multisample, kMs + 1);
    EXPECT_EQ(box.text(), "next one");
    box.setFocus();
    TypeText(box, "!");
    EXPECT_EQ(CommentText(form.bank().multisample(kMs + 1)), "next one!");
    EXPECT_EQ(CommentText(form.bank().multisample(kMs)), shownFirst);
}

TEST_F(MultisamplePageTest, NoteLabelsFollowShowNoteNumber) {
    const bool names = form.showNoteNumber();
    Trigger(form, Command::ShowNoteNumber);
    EXPECT_EQ(Cell(63, 0), names ? "99" : "D#8");
}

// Opening a script plays from its WAV files, opening a bank file from the bank; a slot the source
// cannot give says why on the plot, never shows the sample of before.
TEST_F(MultisamplePageTest, ThePlayerFollowsTheFileOpened) {
    form.bank().path(kMs, 24) = Wav("Pad 060.wav").toStdString();
    ScriptedJobServices quiet;
    ASSERT_TRUE(WriteScript(form.bank(), dir / "Pads.ovs", quiet));
    MyWavePlot& plot = *page.playerPanel()->plot();
    auto show = [&](int slot) {
        Click(*samples.viewport(), samples.visualRect(samples.model()->index(slot, 2)).center());
    };
    auto files = AnswerFileDialogs(form, Path(dir / "Pads.ovs"));
    ASSERT_FALSE(form.playFromWavFiles());
    Trigger(form, Command::OpenScript);
    EXPECT_TRUE(form.playFromWavFiles());
    form.showMultisample(kMs);
    show(24);
    EXPECT_TRUE(plot.valid());

    files->path = Path(dir / "Pads.ovb");
    dialogs->answer = QMessageBox::Yes;
    Trigger(form, Command::SaveBank);
    Trigger(form, Command::OpenBank);
    EXPECT_FALSE(form.playFromWavFiles());
    form.showMultisample(kMs);
    show(24);
    EXPECT_TRUE(plot.valid()) << "from the bank file";
    show(0);
    EXPECT_FALSE(plot.valid()) << "an empty slot of the bank shows its message";
}

} // namespace
