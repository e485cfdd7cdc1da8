// The keyboard of the window program, through the platform's key events: pages switch with
// Ctrl+Tab / Ctrl+Shift+Tab and Ctrl+PgDown / Ctrl+PgUp wherever the focus is; Escape closes the
// search window and report windows, whose findings can be copied and saved as text.
#include "MainWindowTestSupport.h"
#include "assistants/Searchform.h"
#include "support/TestFiles.h"
#include "ui/RecordGrid.h"
#include "ui/SoundPage.h"

#include <QClipboard>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>

#include <gtest/gtest.h>

using namespace ovb;
using namespace ovb::test;

TEST(Keyboard, PagesSwitchWithCtrlTabAndCtrlPageKeysWhereverTheFocusIs) {
    TForm1 form;
    form.show();
    form.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
    QTabWidget& pages = *form.pageControl();
    form.showSound(1);
    qobject_cast<SoundPage*>(form.editorPages().widget(page::Sound))->grid()->setFocus();
    const Qt::KeyboardModifiers ctrl = Qt::ControlModifier;
    const struct {
        Qt::Key key;
        Qt::KeyboardModifiers modifiers;
        int page;
    } steps[] = {{Qt::Key_Tab, ctrl, page::Multisample},
                 {Qt::Key_PageDown, ctrl, page::SoundManager},
                 {Qt::Key_Tab, ctrl, page::Scene}, // round to the first page
                 {Qt::Key_Tab, ctrl | Qt::ShiftModifier, page::SoundManager},
                 {Qt::Key_PageUp, ctrl, page::Multisample}};
    for (const auto& step : steps) {
        QTest::keyClick(QApplication::focusWidget(), step.key, step.modifiers);
        EXPECT_EQ(pages.currentIndex(), step.page)
            << QKeySequence(step.key | step.modifiers).toString().toStdString();
    }
}

TEST(Keyboard, EscapeClosesTheSearchWindow) {
    TForm1 form;
    form.show();
    Trigger(form, Command::OpenSearch);
    TSearchForm& search = *form.searchAssistant();
    ASSERT_TRUE(search.isVisible());
    search.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&search));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
    EXPECT_FALSE(search.isVisible());
}

TEST(Keyboard, AReportIsCopiedSavedAsTextAndClosedByEscape) {
    TempDir dir;
    TForm1 form;
    form.show();
    QString saved;
    bool closed = false;
    WhenModalAppears([&](QWidget& window) {
        auto& report = static_cast<TFormReport&>(window);
        report.copyButton()->click();
        report.saveDialog = [&](const FileDialogRequest&) { return Path(dir / "found"); };
        report.saveButton()->click();
        QTest::keyClick(report.textBox(), Qt::Key_Escape);
        closed = !report.isVisible();
        if (!closed) report.reject();
    });
    form.jobs().ShowReport("Report: Found", {"MS0001  Piano", "MS0002  Organ"});
    // Closed, the window stays, hidden, for the next report.
    ASSERT_NE(form.jobServices().reportForm(), nullptr);
    EXPECT_FALSE(form.jobServices().reportForm()->isVisible());
    form.jobs().CloseReport();
    EXPECT_TRUE(closed);
    EXPECT_EQ(QGuiApplication::clipboard()->text(), "MS0001  Piano\nMS0002  Organ");
    const auto text = ReadAll(dir / "found.txt");
    EXPECT_EQ(std::string(text.begin(), text.end()), "MS0001  Piano\nMS0002  Organ\n");
}
