// The search assistant over the main window's bank: running a search, the lists, and the
// double-click that takes the main window to a result.
#include "assistants/Searchform.h"
#include "MainWindowTestSupport.h"
#include "TestEditorHost.h"
#include "support/BankNames.h"

#include <QApplication>
#include <QCheckBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabWidget>

#include <gtest/gtest.h>

using namespace ovb;
using ovb::test::SetName;

namespace {

void Click(QListWidget& list, int row) {
    test::Click(*list.viewport(), list.visualItemRect(list.item(row)).center());
}

void DoubleClickAt(QListWidget& list, QPoint at) {
    test::Click(*list.viewport(), at);
    test::SendMouse(*list.viewport(), QEvent::MouseButtonDblClick, at);
    test::SendMouse(*list.viewport(), QEvent::MouseButtonRelease, at);
}

void DoubleClick(QListWidget& list, int row) {
    DoubleClickAt(list, list.visualItemRect(list.item(row)).center());
}

// Counts the Enter keys that reach a widget.
struct EnterCounter : QObject {
    int seen = 0;
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::KeyPress &&
            static_cast<QKeyEvent*>(event)->key() == Qt::Key_Return)
            ++seen;
        return false;
    }
};

class SearchWindow : public ::testing::Test {
  protected:
    SearchWindow() {
        SetName(form.bank().scene(12).name, "Piano Bar");
        SetName(form.bank().sound(345).name, "Grand Piano");
        SetName(form.bank().sound(346).name, "Organ");
        SetName(form.bank().multisample(77).name, "Piano C");
        form.bank().path(5, 10) = "/lib/piano/A 1.wav";
        search = form.searchAssistant();
        search->showAssistant();
        edit = search->findChild<QLineEdit*>("Edit1");
        button = search->findChild<QPushButton*>("Button1");
        presets = search->findChild<QListWidget*>("ListBoxPresets");
        sounds = search->findChild<QListWidget*>("ListBoxSounds");
        multisamples = search->findChild<QListWidget*>("ListBoxMultisamples");
        paths = search->findChild<QPlainTextEdit*>("MemoFilesPath");
    }

    // Types the text and presses Enter in the text field; true when the key went no further
    // than the text field.
    bool SearchWithEnter(const QString& text) {
        edit->setText(text);
        EnterCounter window;
        search->installEventFilter(&window);
        QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
        QApplication::sendEvent(edit, &enter);
        search->removeEventFilter(&window);
        return window.seen == 0;
    }

    TForm1 form;
    TSearchForm* search = nullptr;
    QLineEdit* edit = nullptr;
    QPushButton* button = nullptr;
    QListWidget *presets = nullptr, *sounds = nullptr, *multisamples = nullptr;
    QPlainTextEdit* paths = nullptr;
};

} // namespace

TEST_F(SearchWindow, EnterRunsTheSearchAndIsConsumed) {
    EXPECT_TRUE(SearchWithEnter("piano"));
    EXPECT_EQ(test::ListItems(*presets), QStringList{"0012 Piano Bar"});
    EXPECT_EQ(test::ListItems(*sounds), QStringList{"0345 Grand Piano"});
    EXPECT_EQ(test::ListItems(*multisamples), QStringList{"0077 Piano C"});
    EXPECT_EQ(edit->selectedText(), "piano") << "ready to type the next search";

    search->findChild<QCheckBox*>("CheckBoxSearchInFilePath")->setChecked(true);
    search->findChild<QCheckBox*>("CheckBoxSearchInSoundNames")->setChecked(false);
    button->click();
    EXPECT_TRUE(sounds->count() == 0) << "the previous results are gone";
    EXPECT_EQ(test::ListItems(*multisamples), (QStringList{"0005 - - -", "0077 Piano C"}));
    EXPECT_EQ(paths->toPlainText(), "0005 /lib/piano/A 1.wav");
}

// One result is selected at a time; a double-click on one takes the main window to it, on
// anything else does nothing.
TEST_F(SearchWindow, ClicksSelectOneResultAndDoubleClickShowsIt) {
    SearchWithEnter("piano");
    Click(*presets, 0);
    Click(*sounds, 0);
    EXPECT_EQ(sounds->currentRow(), 0);
    EXPECT_EQ(presets->currentRow(), -1);
    EXPECT_TRUE(presets->selectedItems().isEmpty());
    Click(*multisamples, 0);
    EXPECT_EQ(sounds->currentRow(), -1);

    sounds->addItem("Piano without number");
    DoubleClick(*sounds, 1);
    sounds->setCurrentRow(-1);
    DoubleClickAt(*sounds, QPoint(5, sounds->viewport()->height() - 3)); // below the entries
    EXPECT_EQ(form.pageControl()->currentIndex(), page::Scene);
    EXPECT_EQ(form.editorPages().currentRecord(page::Sound), 0);

    DoubleClick(*sounds, 0);
    EXPECT_EQ(form.pageControl()->currentIndex(), page::Sound);
    EXPECT_EQ(form.current().sound, 345) << "the main window has refreshed";

    DoubleClick(*multisamples, 0);
    EXPECT_EQ(form.pageControl()->currentIndex(), page::Multisample);
    EXPECT_EQ(form.multisamplePage()->currentMultisample(), 77);
    EXPECT_EQ(form.current().multisample, 77);

    DoubleClick(*presets, 0);
    EXPECT_EQ(form.pageControl()->currentIndex(), page::Scene);
    EXPECT_EQ(form.editorPages().currentRecord(page::Scene), 12);
}
