// The SD card assistant through its widgets: the four steps with their lists, totals and icons,
// the card chosen from the list of mount points, and the refusals and the write as the user sees
// them.
#include "assistants/SDCardCopyForm.h"
#include "MainWindowTestSupport.h"
#include "support/FatImage.h"
#include "support/TestFiles.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>

#include <gtest/gtest.h>

using namespace ovb;
using namespace ovb::test;
namespace fs = std::filesystem;

namespace {

class Assistant {
  public:
    Assistant() {
        form.jobServices().setDialogRunner([this](QDialog& dialog) {
            auto* box = qobject_cast<QMessageBox*>(&dialog);
            ASSERT_NE(box, nullptr);
            boxes << box->windowTitle() + ": " + box->text();
            box->button(QMessageBox::Ok)->click();
        });
        form.fileDialog = [this](const FileDialogRequest&, bool multiple) {
            asked.push_back(multiple);
            return answer;
        };
    }
    template <class W> W* get(const char* name) {
        W* w = form.findChild<W*>(name);
        EXPECT_NE(w, nullptr) << name;
        return w;
    }
    void click(const char* name) { get<QPushButton>(name)->click(); }
    QStringList items(const char* name) { return ListItems(*get<QListWidget>(name)); }
    QString text(const char* name) { return get<QLineEdit>(name)->text(); }
    bool done(int step) {
        return get<QLabel>(qPrintable(QString("Step%1Icon").arg(step)))->property("done").toBool();
    }
    bool chooseCard(const fs::path& point) {
        QComboBox* box = get<QComboBox>("DriveBox");
        const int index = box->findText(QString::fromStdString(point.string()));
        box->setCurrentIndex(index);
        return index >= 0;
    }

    SDCardCopyForm form;
    QStringList answer;
    std::vector<bool> asked; // whether each file dialog offered several files
    QStringList boxes;
};

} // namespace

TEST(SDCardCopyForm, StepsListTheirFilesTotalsAndIcons) {
    TempDir dir;
    WriteAll(dir / "Gig.ovb", PatternBytes(1000, 1));
    WriteAll(dir / "Gig.O01", PatternBytes(24, 2));
    WriteAll(dir / "OS.QV2", PatternBytes(300, 3));
    Assistant a;
    EXPECT_FALSE(a.done(1));

    a.answer = {Path(dir / "Gig.ovb")};
    a.click("SellectBankButton");
    EXPECT_EQ(a.items("BankList"),
              (QStringList{"Gig.ovb   Size: 1000 bytes", "Gig.O01   Size: 24 bytes"}));
    EXPECT_EQ(a.text("BankTotal"), "1024 bytes");
    EXPECT_TRUE(a.done(1));
    EXPECT_EQ(a.asked, std::vector<bool>{false});

    a.answer = {};
    a.click("SellectBankButton");
    EXPECT_TRUE(a.items("BankList").isEmpty()) << "a cancelled choice keeps nothing";
    EXPECT_FALSE(a.done(1));
    EXPECT_EQ(a.form.plan().bank.total, 0u);

    QCheckBox* os = a.get<QCheckBox>("CopyOsCheck");
    QPushButton* osButton = a.get<QPushButton>("SellectOsButton");
    EXPECT_FALSE(osButton->isEnabled());
    os->click();
    EXPECT_TRUE(osButton->isEnabled());
    a.answer = {Path(dir / "OS.QV2"), Path(dir / "missing.QV2")};
    osButton->click();
    EXPECT_TRUE(a.asked.back());
    EXPECT_EQ(a.items("OsList"), QStringList{Path(dir / "OS.QV2")});
    EXPECT_EQ(a.text("OsTotal"), "300 bytes");
    EXPECT_TRUE(a.done(2));
    os->click();
    EXPECT_TRUE(a.items("OsList").isEmpty());
    EXPECT_FALSE(a.done(2));
    EXPECT_FALSE(osButton->isEnabled());

    a.get<QCheckBox>("Mp3Check")->click();
    a.click("SellectMp3Button");
    EXPECT_EQ(a.asked.size(), 4u);

    a.click("StartWriteButton");
    ASSERT_EQ(a.boxes.size(), 1);
    EXPECT_TRUE(a.boxes[0].contains("not FAT32")) << "no card chosen";
}

TEST(SDCardCopyForm, Mp3FilterOffersEveryPatternInEveryCase) {
    EXPECT_EQ(MultiPatternFilter("Mp3 files and MP3_LIST.TXT file|*.Mp3;MP3_LIST.TXT"),
              "Mp3 files and MP3_LIST.TXT file (*.Mp3 *.mp3 *.MP3 MP3_LIST.TXT mp3_list.txt)");
}

class SDCardCopyFormOnCard : public ::testing::Test {
  protected:
    void SetUp() override {
        if (const std::string why = FatMountUnavailable(); !why.empty())
            GTEST_SKIP() << "no FAT volume can be mounted here: " << why;
    }
    TempDir dir;
};

// The refusals' wording and order are the copy tools' own; here one shows and the write follows.
TEST_F(SDCardCopyFormOnCard, Fat32CardRefusesUntilEmptyThenWrites) {
    MakeFatImage(dir / "card.img", 100 << 20, 32, "NEW32");
    FatMount mount(dir / "card.img", dir / "card");
    ASSERT_TRUE(mount.mounted());
    fs::create_directory(mount.point() / "Old");
    WriteAll(dir / "OS.QV2", PatternBytes(2000, 3));
    Assistant a;
    ASSERT_TRUE(a.chooseCard(mount.point())) << "the mount point is offered";
    EXPECT_EQ(a.get<QLabel>("DriveName")->text(), "NEW32");
    EXPECT_EQ(a.text("DriveFileSystem"), "FAT32");
    EXPECT_TRUE(a.done(4));
    EXPECT_EQ(a.text("DriveFree"),
              QString::fromStdString(CardSpaceText(a.form.volume().freeBytes)));

    a.get<QCheckBox>("CopyOsCheck")->click();
    a.answer = {Path(dir / "OS.QV2")};
    a.click("SellectOsButton");
    a.click("StartWriteButton");
    EXPECT_FALSE(fs::exists(mount.point() / "OS.QV2"));
    fs::remove(mount.point() / "Old");
    a.click("StartWriteButton");
    ASSERT_EQ(a.boxes.size(), 2) << a.boxes.join("\n").toStdString();
    EXPECT_TRUE(a.boxes[0].contains("not empty"));
    EXPECT_TRUE(a.boxes[1].endsWith("Write COMPLETE!"));
    EXPECT_EQ(ReadAll(mount.point() / "OS.QV2"), PatternBytes(2000, 3));
}

TEST(SDCardCopyFormMenu, TheMenuCommandOpensANewModalAssistantEachTime) {
    TForm1 main;
    for (int i = 0; i < 2; ++i) {
        QString seen;
        WhenModalAppears([&](QWidget& w) {
            seen = w.windowTitle();
            static_cast<QDialog&>(w).reject();
        });
        Trigger(main, Command::OpenSdCard);
        EXPECT_EQ(seen, "SD Card Write Assistant");
        EXPECT_TRUE(main.findChildren<SDCardCopyForm*>().isEmpty()) << "gone when closed";
    }
}
