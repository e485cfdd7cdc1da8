// The shared choice lists and record lists over the bank: item texts, which refresh bits rebuild
// which list, that only changed items are reported, and names written through a record list.
#include "TestEditorHost.h"
#include "support/BankNames.h"
#include "ui/RecordGridModel.h"

#include <QAbstractItemModel>

#include <gtest/gtest.h>

#include <set>

using namespace ovb;
using ovb::test::SetName;

namespace {

QString Item(QAbstractItemModel* model, int row) {
    return model->index(row, 0).data().toString();
}

// The rows a model reported as changed, one entry per reported row.
struct ChangedRows {
    std::multiset<int> rows;
    explicit ChangedRows(QAbstractItemModel* model) {
        QObject::connect(model, &QAbstractItemModel::dataChanged,
                         [this](const QModelIndex& a, const QModelIndex& b) {
                             for (int r = a.row(); r <= b.row(); ++r)
                                 rows.insert(r);
                         });
    }
};

std::string Bytes(std::span<const char> name) {
    return std::string(name.data(), name.size());
}

TEST(BankModels, RefreshBitsRebuildOnlyTheirListsAndOnlyChangedItems) {
    test::TestEditorHost host;
    BankModels& m = host.models;
    as_bank& bank = host.bank();
    ASSERT_EQ(m.multisampleNames()->rowCount(), 10000);
    ASSERT_EQ(m.chordNames()->rowCount(), 1000);
    EXPECT_EQ(Item(m.multisampleNames(), 0), "No Multisample");
    EXPECT_EQ(Item(m.chordNames(), 7), "007 - - -" + QString(27, ' '));
    ChangedRows sounds(m.soundNames()), multis(m.multisampleNames()), solos(m.soloNames()),
        acomps(m.acompNames()), fbasses(m.fbassNames()), chords(m.chordNames());
    SetName(bank.sound(5).name, "Piano", '\0');
    SetName(bank.sound(6).name, "Organ", '\0');
    SetName(bank.multisample(8).name, "Strings", '\0');
    SetName(bank.solo(3).name, "Lead", '\0');
    SetName(bank.chord(999).name, "Last", '\0');

    m.refresh(refresh::MultisampleNames);
    EXPECT_EQ(multis.rows, std::multiset<int>{8});
    EXPECT_EQ(Item(m.multisampleNames(), 8), "MS0008 Strings");
    EXPECT_TRUE(sounds.rows.empty());
    // A new record's name keeps its padding; the list is not rebuilt without its bit.
    EXPECT_EQ(Item(m.soundNames(), 5), "0005 - - -           ");

    m.refresh(refresh::Sounds);
    EXPECT_EQ(sounds.rows, (std::multiset<int>{5, 6}));
    EXPECT_EQ(Item(m.soundNames(), 5), "0005 Piano");

    m.refresh(refresh::SoloLists);
    EXPECT_EQ(solos.rows, std::multiset<int>{3});
    EXPECT_TRUE(acomps.rows.empty());
    EXPECT_TRUE(chords.rows.empty());
    m.refresh(refresh::AcompLists);
    EXPECT_EQ(chords.rows, std::multiset<int>{999});
    EXPECT_TRUE(fbasses.rows.empty());

    // Nothing changed since: a full refresh reports no item again.
    m.refresh(refresh::All);
    EXPECT_EQ(sounds.rows.size() + multis.rows.size() + solos.rows.size() + chords.rows.size(), 5u);
}

// Each list shows its record kind's number and name and writes that kind, cut to its width; a
// character outside the module's set becomes a question mark.
TEST(RecordGridModel, ShownAndEditedNamesBelongToTheirRecordWithItsWidth) {
    test::TestEditorHost host;
    BankModels& m = host.models;
    const QString forty = "ABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789abcd";
    struct Case {
        RecordGridModel* grid;
        std::span<const char> name;
    };
    as_bank& b = host.bank();
    const Case cases[] = {{m.sceneGrid(), b.scene(4).name}, {m.soloGrid(), b.solo(4).name},
                          {m.acompGrid(), b.acomp(4).name}, {m.fbassGrid(), b.fbass(4).name},
                          {m.chordGrid(), b.chord(4).name}, {m.soundGrid(), b.sound(4).name}};
    for (const Case& c : cases) {
        ASSERT_TRUE(c.grid->setData(c.grid->index(4, 1), forty, Qt::EditRole));
        EXPECT_EQ(Bytes(c.name), forty.left(int(c.name.size())).toStdString());
        // The number column is not a name.
        EXPECT_FALSE(c.grid->setData(c.grid->index(4, 0), "x", Qt::EditRole));
    }
    EXPECT_EQ(b.sound(3).name, EmptyName<16>());

    RecordGridModel* sounds = m.soundGrid();
    EXPECT_EQ(sounds->index(7, 0).data().toString(), "0007");
    // A name read up to its first zero byte.
    SetName(b.sound(7).name, "Wedding", '\0');
    EXPECT_EQ(sounds->index(7, 1).data().toString(), "Wedding");
    sounds->setData(sounds->index(1, 1), QString::fromUtf8("Café ♪"), Qt::EditRole);
    EXPECT_EQ(Bytes(b.sound(1).name), std::string("Caf\xE9 ?") + std::string(10, '\0'));
    EXPECT_EQ(sounds->index(1, 1).data().toString(), QString::fromUtf8("Café ?"));
}

} // namespace
