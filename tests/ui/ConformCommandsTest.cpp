// The conform command of the Tools menu, run through its menu entry with the destination
// answered through the hook and every question answered Yes.
#include "MainWindowTestSupport.h"
#include "support/Shell.h"
#include "support/TestFiles.h"
#include "ui/ConformDialog.h"

#include <gtest/gtest.h>

#include <QLineEdit>
#include <QRadioButton>

using namespace ovb;
using namespace ovb::test;

// Cancelled, the destination question leaves bank and files alone; answered, the bank's files
// are conformed and the bank names the new ones.
TEST(ConformCommands, ToolsMenuEntryConformsTheBankUnlessTheDestinationIsCancelled) {
    TForm1 form;
    TempDir dir;
    const auto source = dir / "tone.wav";
    ASSERT_TRUE(SoxSine(source, "-r 44100 -b 24 -c 1", 0.2));
    form.bank().path(3, 5) = source.string();
    auto boxes = AnswerBoxes(form, QMessageBox::Yes);
    int asked = 0;
    std::optional<ConformOptions> answer; // Cancel
    HookScope<ConformDestinationAsk> hook(ConformDestinationHook(), [&](QWidget*) {
        ++asked;
        return answer;
    });
    Trigger(form, Command::ConformWavFiles);
    EXPECT_EQ(asked, 1);
    EXPECT_TRUE(boxes->seen.isEmpty());
    EXPECT_EQ(form.bank().path(3, 5), source.string());

    answer = ConformOptions{}; // beside, "_48k"
    Trigger(form, Command::ConformWavFiles);
    EXPECT_EQ(asked, 2);
    const auto target = dir / "tone_48k.wav";
    EXPECT_EQ(form.bank().path(3, 5), target.string());
    EXPECT_TRUE(std::filesystem::exists(target));
}

TEST(ConformCommands, DestinationDialogAcceptsOnlyAUsableChoice) {
    ConformDestinationDialog dialog;
    EXPECT_TRUE(dialog.acceptable()); // beside with the default suffix
    dialog.suffixEdit()->setText("");
    EXPECT_FALSE(dialog.acceptable());
    dialog.suffixEdit()->setText("sub/x");
    EXPECT_FALSE(dialog.acceptable());
    dialog.mirrorButton()->setChecked(true);
    EXPECT_FALSE(dialog.acceptable()); // no folder yet
    dialog.folderEdit()->setText(" /data/conformed ");
    ASSERT_TRUE(dialog.acceptable());
    const ConformOptions o = dialog.options();
    EXPECT_EQ(o.place, ConformOptions::Place::Mirror);
    EXPECT_EQ(o.mirrorRoot, "/data/conformed");
}
