// The main window's pages and the refresh that keeps them in step with the bank and each other.
#include "MainWindowTestSupport.h"
#include "ui/NameTableModel.h"

#include <QProgressBar>
#include <QTabWidget>
#include <QTableView>

#include <gtest/gtest.h>

using namespace ovb;
using namespace ovb::test;

// The sound page and the sound manager's left grid show one sound; the page in front decides
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

TEST(MainPages, NameGridsShowTheBankAfterALoad) {
    TForm1 form;
    std::memcpy(form.bank().multisample(9999).name.data(), "Last MS", 7);
    std::memcpy(form.managerBank().sound(0).name.data(), "Other bank", 10);
    form.RefreshViews(refresh::MultisampleNames | refresh::ManagerSounds);

    QAbstractItemModel* multisamples = form.multisamplePage()->grid()->model();
    ASSERT_EQ(multisamples->rowCount(), 9999) << "multisamples 1 to 9999";
    EXPECT_EQ(multisamples->index(9998, 0).data().toString(), "MS9999");
    EXPECT_EQ(multisamples->index(9998, 1).data().toString(), "Last MS");
    QAbstractItemModel* manager = form.soundManagerPage()->rightGrid()->model();
    ASSERT_EQ(manager->rowCount(), 10000);
    EXPECT_EQ(manager->index(0, 1).data().toString(), "Other bank");
}
