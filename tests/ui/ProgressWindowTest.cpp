// The shared progress window as jobs drive it through the GUI's job services.
#include "GuiTestSupport.h"
#include "uibase/QtJobServices.h"

#include <QMetaObject>
#include <QPointer>
#include <QProgressBar>
#include <QPushButton>

#include <gtest/gtest.h>

using namespace ovb;

namespace {

class ProgressWindow : public ::testing::Test {
  protected:
    QtJobServices ui{nullptr};
};

TEST_F(ProgressWindow, SecondShowKeepsTheFirstCallersWindow) {
    bool first = false, second = false;
    ui.ShowProgress('r', &first);
    ui.SetProgressText("Loading bank...");
    TProgressForm* form = ui.progressForm();

    ui.ShowProgress('w', &second);
    ASSERT_EQ(ui.progressForm(), form);
    EXPECT_EQ(form->text(), "Loading bank...");
    ui.SetProgressPercent(100);
    // Left part of a full gauge: chunk colour, away from the centred percentage text.
    const QColor firstColour = test::PaintedColour(*form->gauge(), 0.1, 0.5);
    // A press waits for the job's pass over the pending events, then reaches the first job's
    // flag.
    EXPECT_TRUE(form->cancelButton()->isVisibleTo(form));
    QMetaObject::invokeMethod(form->cancelButton(), "click", Qt::QueuedConnection);
    EXPECT_FALSE(first);
    ui.processEvents();
    EXPECT_TRUE(first);
    EXPECT_FALSE(second);
    ui.HideProgress();
    // The gauge kept the first job's colour: a writing job alone paints another one.
    ui.ShowProgress('w');
    ui.SetProgressPercent(100);
    EXPECT_NE(test::PaintedColour(*ui.progressForm()->gauge(), 0.1, 0.5), firstColour);
    ui.HideProgress();

    // A job without a cancel flag keeps the window without Cancel, whatever the second caller has.
    ui.ShowProgress('c');
    ui.ShowProgress('r', &second);
    EXPECT_FALSE(ui.progressForm()->cancelButton()->isVisibleTo(ui.progressForm()));
    EXPECT_EQ(ui.progressForm()->kind(), 'c');
}

TEST_F(ProgressWindow, WindowFollowsTheJobAndHideDestroysIt) {
    ui.ShowProgress('c');
    QPointer<TProgressForm> form = ui.progressForm();
    EXPECT_TRUE(form->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    EXPECT_FALSE(form->windowFlags().testFlag(Qt::WindowCloseButtonHint));

    ui.SetProgressText("Saving bank...");
    ui.SetProgressDetail("D:\\Samples\\Piano\\C 3.wav");
    ui.SetProgressPercent(40);
    EXPECT_EQ(form->text(), "Saving bank...");
    EXPECT_EQ(form->detail(), "D:\\Samples\\Piano\\C 3.wav");
    EXPECT_EQ(form->gauge()->value(), 40);
    // Beyond the range the gauge would silently keep its old value.
    ui.SetProgressPercent(250);
    EXPECT_EQ(form->gauge()->value(), 100);

    ui.HideProgress();
    EXPECT_TRUE(form.isNull());
    EXPECT_EQ(ui.progressForm(), nullptr);
    // Calls after the end of a job reach no window and must not touch the destroyed one.
    ui.SetProgressText("late");
    ui.HideProgress();
    EXPECT_EQ(ui.progressForm(), nullptr);
}

TEST_F(ProgressWindow, BelongsToTheParentAndDiesWithIt) {
    auto* main = new QWidget;
    main->show();
    QtJobServices owned(main);
    owned.ShowProgress('c');
    QPointer<TProgressForm> form = owned.progressForm();
    EXPECT_EQ(form->parentWidget(), main);
    EXPECT_TRUE(form->isWindow());

    delete main;
    EXPECT_TRUE(form.isNull());
    // The services must notice instead of using the destroyed window.
    owned.SetProgressPercent(50);
    owned.HideProgress();
    owned.ShowProgress('r');
    EXPECT_NE(owned.progressForm(), nullptr);
}

} // namespace
