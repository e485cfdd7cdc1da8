// A bank made on Windows in the window program: its script names drive D: in windows-1251 bytes
// and other letter case than the library copied here. The user maps D: once and the samples play;
// moved samples are found again as one undoable step.
#include "MainWindowTestSupport.h"
#include "bank/ScriptFile.h"
#include "job/ScriptedJobServices.h"
#include "support/PathSettingsScope.h"
#include "support/TestFiles.h"
#include "ui/PlayerPanel.h"
#include "ui/SampleDrivesDialog.h"
#include "ui/SampleGrid.h"
#include "ui/Selectdirectoryform.h"
#include "ui/Wavplot.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QTableWidget>

#include <cstdlib>

using namespace ovb;
using namespace ovb::test;

namespace {

// Windows-1251 bytes of "D:\БИБЛИОТЕКА\баян\ЛЯ 4.WAV".
constexpr const char* kStored = "D:\\\xC1\xC8\xC1\xCB\xC8\xCE\xD2\xC5\xCA\xC0\\\xE1\xE0\xFF\xED"
                                "\\\xCB\xDF 4.WAV";

class SampleDrivesTest : public ::testing::Test {
  protected:
    TempDir dir, config;
    PathSettingsScope noDrives{PathSettings{}};
    std::string savedConfig = std::getenv("XDG_CONFIG_HOME") ? std::getenv("XDG_CONFIG_HOME") : "";
    TForm1 form;
    std::shared_ptr<BoxLog> boxes = AnswerBoxes(form);
    HookScope<SampleDrivesRunner> drivesRunner{SampleDrivesRunnerHook(), SampleDrivesRunnerHook()};
    HookScope<DirectoryChooser> chooser{DirectoryChooserHook(), DirectoryChooserHook()};

    void SetUp() override { setenv("XDG_CONFIG_HOME", config.path().c_str(), 1); }
    void TearDown() override { setenv("XDG_CONFIG_HOME", savedConfig.c_str(), 1); }
    void OpenScript(const std::string& stored) {
        as_bank bank;
        bank.path(5, 0) = stored;
        ScriptedJobServices ui;
        ASSERT_TRUE(WriteScript(bank, dir / "windows.ovs", ui));
        form.openFile(Path(dir / "windows.ovs"));
    }
};

TEST_F(SampleDrivesTest, ChoosingTheDriveFolderFindsAndPlotsTheSamples) {
    std::filesystem::create_directories(dir / "Библиотека" / "Баян");
    WriteWav(dir / "Библиотека" / "Баян" / "Ля 4.wav", false, 9600);
    OpenScript(kStored);
    QLabel* hint = form.findChild<QLabel*>("unmappedDrivesHint");
    ASSERT_NE(hint, nullptr);
    EXPECT_TRUE(hint->isVisibleTo(&form));
    EXPECT_TRUE(hint->text().contains("drive D:"));

    Trigger(form, Command::PlayFromWavFiles);
    form.showMultisample(5);
    MultisamplePage& page = *form.multisamplePage();
    page.sampleGrid()->selectSlots(0, 0);
    form.RefreshViews();
    MyWavePlot& plot = *page.playerPanel()->plot();
    EXPECT_FALSE(plot.valid()); // "File Not Exist"

    SampleDrivesRunnerHook() = [&](SampleDrivesDialog& dialog) {
        EXPECT_EQ(dialog.table()->rowCount(), 1);
        dialog.folderField('D')->setText(Path(dir.path()));
        QComboBox& codePage = *dialog.codePageBox();
        codePage.setCurrentIndex(codePage.findData("windows-1251"));
        EXPECT_EQ(dialog.sample()->text(), "D:\\БИБЛИОТЕКА\\баян\\ЛЯ 4.WAV");
        EXPECT_EQ(dialog.table()->item(0, 3)->text(), "1"); // found
        dialog.accept();
        return dialog.result();
    };
    Trigger(form, Command::SampleDrives);
    EXPECT_TRUE(plot.valid());
    EXPECT_FALSE(hint->isVisibleTo(&form));
    EXPECT_EQ(page.sampleGrid()->model()->index(0, 2).data().toString(),
              "D:\\БИБЛИОТЕКА\\баян\\ЛЯ 4.WAV");
    EXPECT_EQ(form.bank().path(5, 0), kStored); // reading never rewrites the stored bytes
    // Kept for the next run.
    std::vector<std::string> problems;
    const PathSettings kept = ReadPathSettings(PathSettingsFile(), problems);
    EXPECT_EQ(kept.codePage, "windows-1251");
    EXPECT_EQ(kept.drives.at('D'), dir.path());
}

TEST_F(SampleDrivesTest, LocatingMovedSamplesIsOneUndoableStep) {
    std::filesystem::create_directories(dir / "New Disk" / "Piano");
    WriteWav(dir / "New Disk" / "Piano" / "C 3.wav", false, 960);
    OpenScript("/gone/Piano/C 3.wav");
    DirectoryChooserHook() = [&](const QString&, const QString&, QString& chosen) {
        chosen = Path(dir / "New Disk");
        return kModalConfirm;
    };
    Trigger(form, Command::LocateMissingSamples);
    EXPECT_EQ(form.bank().path(5, 0), (dir / "New Disk" / "Piano" / "C 3.wav").string());
    QAction* undo = form.command(Command::Undo);
    EXPECT_EQ(undo->text(), "Undo Locate Missing Samples");
    undo->trigger();
    EXPECT_EQ(form.bank().path(5, 0), "/gone/Piano/C 3.wav");
}

} // namespace
