// The shared report window as jobs show their findings through the GUI's job services.
#include "uibase/QtJobServices.h"

#include <QPlainTextEdit>
#include <QPointer>

#include <gtest/gtest.h>

using namespace ovb;

namespace {

struct ReportSeen {
    QString title, text;
    bool progressShown = true;
    int runs = 0;
};

class ReportWindow : public ::testing::Test {
  protected:
    void SetUp() override {
        ui.setDialogRunner([this](QDialog& dialog) {
            auto& report = dynamic_cast<TFormReport&>(dialog);
            seen.title = report.windowTitle();
            seen.text = report.textBox()->toPlainText();
            seen.progressShown = ui.progressForm() != nullptr;
            ++seen.runs;
        });
    }
    QtJobServices ui;
    ReportSeen seen;
};

TEST_F(ReportWindow, ShowsCaptionAndLinesButNeverNoLines) {
    ui.ShowReport("Report: Scan Report", {});
    EXPECT_EQ(seen.runs, 0);
    EXPECT_EQ(ui.reportForm(), nullptr);
    ui.ShowReport("Report: Scan Report",
                  {"Invalid String Found! ---", "Sample 003 from MS0012: D:\\a.wav", ""});
    EXPECT_EQ(seen.runs, 1);
    EXPECT_EQ(seen.title, "Report: Scan Report");
    EXPECT_EQ(seen.text, "Invalid String Found! ---\nSample 003 from MS0012: D:\\a.wav\n");
    // The busy window shown while the report is built is gone before the report is shown.
    EXPECT_FALSE(seen.progressShown);

    QPointer<TFormReport> report = ui.reportForm();
    ASSERT_FALSE(report.isNull());
    ui.CloseReport();
    EXPECT_TRUE(report.isNull());
    ui.CloseReport();
}

// A job's own progress window is left to the job; paths in the Windows code page stay readable.
TEST_F(ReportWindow, JobsOwnProgressWindowSurvivesTheReport) {
    ui.ShowProgress('r');
    ui.SetProgressText("Checking...");
    TProgressForm* form = ui.progressForm();
    // "Café" as an 8-bit Windows path and as UTF-8 text.
    ui.ShowReport("Report: Check", {"D:\\Caf\xE9.wav", "D:\\Caf\xC3\xA9.wav"});
    ASSERT_EQ(ui.progressForm(), form);
    EXPECT_EQ(form->text(), "Checking...");
    EXPECT_EQ(seen.text, QString::fromUtf8("D:\\Caf\xC3\xA9.wav\nD:\\Caf\xC3\xA9.wav"));
}

} // namespace
