// The five section pages driven through their real widgets: choices write the current record,
// clicks in the lists ask for their refresh bits, refreshes show the current record's values,
// and names typed into a list cell reach the bank keystroke by keystroke.
#include "ui/SectionPages.h"
#include "TestEditorHost.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QMimeData>

#include <memory>

#include <gtest/gtest.h>

using namespace ovb;

namespace {

template <typename Page> struct Shown {
    test::TestEditorHost& host;
    Page page;
    explicit Shown(test::TestEditorHost& h) : host(h), page(h, h.models) {
        h.pages.push_back(&page);
        page.resize(1100, 700);
        page.show();
    }
};

TEST(SectionPages, ClicksInTheListsAskForTheirRefreshBits) {
    test::TestEditorHost host;
    Shown<ScenePage> scene(host);
    Shown<SoloPage> solo(host);
    Shown<AcompPage> acomp(host);
    Shown<FbassPage> fbass(host);
    Shown<ChordPage> chord(host);
    const std::pair<RecordPage*, int> cases[] = {{&scene.page, 0x80},
                                                 {&solo.page, 0x100},
                                                 {&acomp.page, 0x200},
                                                 {&fbass.page, 0x400},
                                                 {&chord.page, 0x800}};
    for (auto [page, bits] : cases) {
        host.refreshes.clear();
        test::ClickRecord(*page->grid(), 12);
        EXPECT_EQ(page->currentRecord(), 12);
        EXPECT_EQ(host.refreshes, std::vector<int>{bits});
        // Rows can be dragged; a drop changes nothing, the list keeps the bank's order.
        QAbstractItemModel& list = *page->grid()->model();
        const QModelIndex from = list.index(3, 1);
        ASSERT_TRUE(list.flags(from) & Qt::ItemIsDragEnabled);
        const std::unique_ptr<QMimeData> dragged(list.mimeData({from}));
        EXPECT_TRUE(list.canDropMimeData(dragged.get(), Qt::MoveAction, -1, -1, list.index(8, 1)));
        list.dropMimeData(dragged.get(), Qt::MoveAction, -1, -1, list.index(8, 1));
        QCoreApplication::processEvents();
        EXPECT_EQ(list.index(3, 0).data().toString() + list.index(8, 0).data().toString(),
                  "003008");
    }
    // Selecting from code is silent: the caller refreshes.
    host.refreshes.clear();
    scene.page.selectRecord(999);
    EXPECT_EQ(scene.page.currentRecord(), 999);
    EXPECT_TRUE(host.refreshes.empty());
}

// The same checks on the two pages whose records choose two other records.
template <typename Page, typename Record>
void CheckChoices(Record& (*records)(as_bank&, unsigned), std::uint16_t Record::*first,
                  std::uint16_t Record::*second) {
    test::TestEditorHost host;
    Shown<Page> shown(host);
    Page& page = shown.page;
    Record& r = records(host.bank(), 4);
    r.*first = 321;
    r.*second = 999;
    test::ClickRecord(*page.grid(), 4);
    EXPECT_EQ(page.choiceList(0)->currentIndex(), 321);
    EXPECT_EQ(page.choiceList(1)->currentIndex(), 999);

    page.choiceList(0)->setCurrentIndex(17);
    page.choiceList(1)->setCurrentIndex(0);
    EXPECT_EQ(r.*first, 17);
    EXPECT_EQ(r.*second, 0);

    test::ClickRecord(*page.grid(), 5);
    EXPECT_EQ(page.choiceList(0)->currentIndex(), 0);
    EXPECT_EQ(r.*first, 17) << "showing a record writes nothing";
}

TEST(SectionPages, SceneAndAcompChoicesWriteTheCurrentRecordAndFollowTheList) {
    CheckChoices<ScenePage, as_scenne>(
        [](as_bank& b, unsigned i) -> as_scenne& { return b.scene(i); }, &as_scenne::solo,
        &as_scenne::acomp);
    CheckChoices<AcompPage, as_acomp>(
        [](as_bank& b, unsigned i) -> as_acomp& { return b.acomp(i); }, &as_acomp::fbass,
        &as_acomp::chord);
}

// The same checks on the three pages of sound layers.
template <typename Page> void CheckLayers(as_layers& (*records)(as_bank&, unsigned)) {
    test::TestEditorHost host;
    Shown<Page> shown(host);
    Page& page = shown.page;
    as_layers& r = records(host.bank(), 6);
    r.sound1 = 9999;
    r.sound3_on = 1;
    test::ClickRecord(*page.grid(), 6);
    EXPECT_EQ(page.soundList(0)->currentIndex(), 9999);
    EXPECT_TRUE(page.onBox(2)->isChecked());
    EXPECT_FALSE(page.onBox(0)->isChecked());

    page.soundList(1)->setCurrentIndex(1234);
    EXPECT_EQ(r.sound2, 1234);
    page.onBox(0)->click();
    EXPECT_EQ(r.sound1_on, 1);
    page.onBox(2)->click();
    EXPECT_EQ(r.sound3_on, 0);

    test::ClickRecord(*page.grid(), 5);
    EXPECT_EQ(page.soundList(1)->currentIndex(), 0);
    EXPECT_FALSE(page.onBox(0)->isChecked());
    EXPECT_EQ(r.sound2, 1234) << "showing a record writes nothing";
}

TEST(SectionPages, LayerPagesWriteSoundsAndSwitches) {
    CheckLayers<SoloPage>([](as_bank& b, unsigned i) -> as_layers& { return b.solo(i); });
    CheckLayers<FbassPage>([](as_bank& b, unsigned i) -> as_layers& { return b.fbass(i); });
    CheckLayers<ChordPage>([](as_bank& b, unsigned i) -> as_layers& { return b.chord(i); });
}

TEST(SectionPages, TypingInANameCellWritesEveryKeystroke) {
    test::TestEditorHost host;
    Shown<SoloPage> shown(host);
    RecordGrid& grid = *shown.page.grid();
    const Name<32>& name = host.bank().solo(3).name;
    const QModelIndex cell = grid.model()->index(3, 1);
    grid.setCurrentIndex(cell);
    grid.edit(cell);
    auto* editor = grid.viewport()->findChild<QLineEdit*>();
    ASSERT_NE(editor, nullptr);
    EXPECT_EQ(editor->text(), "- - -");
    editor->selectAll();
    test::TypeText(*editor, "Ba");
    EXPECT_EQ(std::string(name.data(), 32), "Ba" + std::string(30, '\0'));
}

} // namespace
