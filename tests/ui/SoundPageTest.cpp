// The sound page driven through its real widgets: the list, its context menu and row drags with
// the operation dialog, the twenty zones, the oscillator mode and the categories.
#include "ui/SoundPage.h"
#include "GuiTestSupport.h"
#include "TestEditorHost.h"
#include "support/BankNames.h"
#include "ui/Copymoveswapform.h"
#include "ui/LevelBar.h"
#include "ui/RecordGridModel.h"
#include "ui/SoundSettings.h"
#include "ui/ZoneEditor.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QMimeData>
#include <QPushButton>

#include <gtest/gtest.h>

using namespace ovb;
using ovb::test::SetName;
using ovb::test::Trigger;

namespace {

class SoundPageTest : public ::testing::Test {
  protected:
    test::TestEditorHost host;
    as_bank& bank = host.bank();
    SoundPage page{host, host.models};
    ZoneEditor& zones = *page.zoneEditor();

    void SetUp() override {
        host.pages.push_back(&page);
        page.resize(1280, 760);
        page.show();
    }
    void Select(int sound) { test::ClickRecord(*page.grid(), sound); }
};

// What the operation dialog showed before it was answered.
struct DialogSeen {
    QStringList texts;
    int shown = 0;
};

void AnswerOperation(RowOperation op, DialogSeen& seen) {
    test::WhenModalAppears([op, &seen](QWidget& modal) {
        auto* form = qobject_cast<TCopyMoveSwapForm*>(&modal);
        if (!form) {
            modal.close();
            return;
        }
        ++seen.shown;
        for (auto* label : form->findChildren<QLabel*>())
            seen.texts << label->text();
        form->button(op)->click();
    });
}

// A row dropped on another asks, once the drop is over, which operation to run; the dialog names
// both rows and its buttons reach their operation. What an operation does to the records is the
// core's business.
TEST_F(SoundPageTest, RowDropAsksTheOperationAfterTheDropAndRunsTheChosenOne) {
    // Sounds 0..7 named and marked by their index, so that their travels show.
    for (unsigned i = 0; i < 8; ++i) {
        SetName(bank.sound(i).name, "Snd" + std::to_string(i), '\0');
        bank.sound(i).osc_mode = std::uint8_t(i);
    }
    RecordGridModel* model = page.grid()->gridModel();
    std::unique_ptr<QMimeData> dragged(model->mimeData({model->index(5, 1)}));
    ASSERT_TRUE(model->canDropMimeData(dragged.get(), Qt::MoveAction, -1, -1, model->index(1, 1)));
    DialogSeen seen;
    AnswerOperation(RowOperation::Move, seen);
    host.refreshes.clear();
    // The view is told that nothing was dropped: it must not move or remove rows itself.
    EXPECT_FALSE(model->dropMimeData(dragged.get(), Qt::MoveAction, -1, -1, model->index(1, 1)));
    EXPECT_EQ(seen.shown, 0);
    for (int i = 0; i < 50 && seen.shown == 0; ++i)
        QApplication::processEvents();
    ASSERT_EQ(seen.shown, 1);
    EXPECT_EQ(seen.texts, (QStringList{"[0005] - Snd5", "[0001] - Snd1"}));
    EXPECT_EQ(bank.sound(1).osc_mode, 5);
    EXPECT_EQ(bank.sound(2).osc_mode, 1);
    EXPECT_EQ(host.refreshes, (std::vector<int>{refresh::All, refresh::All}));
    EXPECT_EQ(page.grid()->model()->index(1, 1).data().toString(), "Snd5");

    AnswerOperation(RowOperation::Swap, seen);
    page.rowDragged(3, 6);
    EXPECT_EQ(bank.sound(3).osc_mode, 6);
    EXPECT_EQ(bank.sound(6).osc_mode, 2);
    AnswerOperation(RowOperation::Cancel, seen);
    page.rowDragged(3, 4);
    EXPECT_EQ(bank.sound(3).osc_mode, 6);
    EXPECT_EQ(seen.shown, 3);
    // Rows of another list are refused.
    std::unique_ptr<QMimeData> foreign(
        host.models.sceneGrid()->mimeData({host.models.sceneGrid()->index(2, 1)}));
    EXPECT_FALSE(model->canDropMimeData(foreign.get(), Qt::MoveAction, -1, -1, model->index(1, 1)));
}

TEST_F(SoundPageTest, ContextMenuRemovesAfterYesAndTellsTheSize) {
    SetName(bank.sound(3).name, "Flute", '\0');
    bank.sound(3).zone[0].set_multisample(2);
    bank.multisample(2).sample[0].length_sectors = 3;
    Select(3);
    Trigger(page, Command::SoundSize);
    EXPECT_TRUE(host.services.showed("Bank Manager", "Size of sound 0003 [Flute] is 1.5 kB."));

    host.services.answers = {Answer::No};
    Trigger(page, Command::RemoveSound);
    EXPECT_TRUE(host.services.showed("Remove Sound", "Are You Sure ?"));
    EXPECT_EQ(NameString(bank.sound(3).name), "Flute");
    host.services.answers = {Answer::Yes};
    host.refreshes.clear();
    Trigger(page, Command::RemoveSound);
    EXPECT_EQ(bank.sound(3).name, NewSound().name);
    EXPECT_EQ(host.refreshes, std::vector<int>{refresh::All});
}

TEST_F(SoundPageTest, ZoneListsWriteTheIndexKeepingTheFlagBits) {
    bank.sound(2).zone[3].ms_and_flags = 2;
    bank.sound(2).zone[4].ms_and_flags = 0xFFFF; // no list item shows 16383
    Select(2);
    EXPECT_EQ(host.refreshes.back(), refresh::Sounds);
    QComboBox* list = zones.zoneList(3);
    EXPECT_EQ(list->currentText(), "No Multisample");
    EXPECT_EQ(list->palette().color(QPalette::Button), ZoneEditor::ListColour(false));

    list->setCurrentIndex(25);
    EXPECT_EQ(bank.sound(2).zone[3].ms_and_flags, 25 * 4 + 2);
    EXPECT_EQ(list->palette().color(QPalette::Button), ZoneEditor::ListColour(true));
    EXPECT_EQ(bank.sound(2).zone[4].ms_and_flags, 0xFFFF) << "other zones keep what they hold";
    list->setCurrentIndex(0);
    EXPECT_EQ(bank.sound(2).zone[3].ms_and_flags, 2);
    EXPECT_EQ(list->palette().color(QPalette::Button), ZoneEditor::ListColour(false));

    // Another sound shows its own zones and the edited one is left alone.
    bank.sound(9).zone[3].set_multisample(9999);
    Select(9);
    EXPECT_EQ(list->currentIndex(), 9999);
    EXPECT_EQ(bank.sound(2).zone[3].ms_and_flags, 2);
}

TEST_F(SoundPageTest, VelocityLimitFollowsVerticalDragsWithin0And127) {
    bank.sound(0).zone[4].velocity_high = 125;
    host.RefreshViews(refresh::Sounds);
    QLabel& limit = *zones.velocityLabel(4);
    EXPECT_EQ(limit.text(), "125");
    test::SendMouse(limit, QEvent::MouseButtonPress, {5, 50});
    for (int y = 49; y > 40; --y)
        test::SendMouse(limit, QEvent::MouseMove, {5, double(y)});
    EXPECT_EQ(bank.sound(0).zone[4].velocity_high, 127);
    EXPECT_EQ(limit.text(), "127");
    // Sideways moves change nothing; one step per move, however far.
    test::SendMouse(limit, QEvent::MouseMove, {60, 41});
    test::SendMouse(limit, QEvent::MouseMove, {60, 300});
    EXPECT_EQ(bank.sound(0).zone[4].velocity_high, 126);
    EXPECT_EQ(zones.velocityBar(4)->level(), 126);
    test::SendMouse(limit, QEvent::MouseButtonRelease, {60, 300});
    // Released: moving no longer drags.
    test::SendMouse(limit, QEvent::MouseMove, {60, 10});
    EXPECT_EQ(bank.sound(0).zone[4].velocity_high, 126);
}

TEST_F(SoundPageTest, ZoneValuesShowAndZone1sMultisampleGivesTheNameAndZone2sNext) {
    bank.sound(0).zone[19].volume = 7;
    bank.sound(0).zone[19].transpose = 52;
    host.RefreshViews(refresh::Sounds);
    EXPECT_EQ(zones.volumeLabel(19)->text(), "007");
    EXPECT_EQ(zones.transposeLabel(19)->text(), "-12");

    SetName(bank.multisample(12).name, "Grand Piano", '\0');
    zones.zoneList(0)->setCurrentIndex(12);
    host.refreshes.clear();
    page.copyNameButton()->click();
    EXPECT_EQ(host.refreshes, std::vector<int>{refresh::All});
    EXPECT_EQ(page.grid()->model()->index(0, 1).data().toString(), "Grand Piano");
    // A click on zone 2's label takes the multisample after zone 1's.
    test::Click(*zones.zoneLabel(1), {5, 5});
    EXPECT_EQ(bank.sound(0).zone[1].multisample(), 13u);
    EXPECT_EQ(zones.zoneList(1)->currentIndex(), 13);
}

TEST_F(SoundPageTest, ModeAndCategoriesWriteTheCurrentSound) {
    SoundSettings& s = *page.settings();
    Select(8);
    s.modeList()->setCurrentIndex(29);
    EXPECT_EQ(bank.sound(8).osc_mode, 29);

    s.categoryBox(20)->click();
    s.categoryBox(0)->click();
    s.categoryBox(0)->click();
    EXPECT_EQ(bank.sound(8).category, 1u << 20);

    bank.sound(8).category = 0x3FFFFF;
    host.RefreshViews(refresh::Sounds);
    EXPECT_TRUE(s.categoryBox(13)->isChecked());
    host.refreshes.clear();
    s.clearAllButton()->click();
    EXPECT_EQ(bank.sound(8).category, 0u);
    EXPECT_EQ(host.refreshes, std::vector<int>{refresh::All});
    EXPECT_FALSE(s.categoryBox(13)->isChecked());
}

} // namespace
