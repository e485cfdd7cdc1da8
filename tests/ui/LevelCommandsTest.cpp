// Level analysis and normalising as the user runs them: the EXTERNAL commands of the Tools menu
// with files picked in the multi-file dialog, and the multisample page's two commands, with every
// question answered Yes and the written sample values read back from the files.
#include "MainWindowTestSupport.h"
#include "support/WavValues.h"
#include "ui/MultiFileDialog.h"
#include "ui/PageCommands.h"

#include <gtest/gtest.h>

using namespace ovb;
using namespace ovb::test;
namespace fs = std::filesystem;

namespace {

// The analysis result names the count of files read and the loudest one.
bool NamesLoudest(const QString& result, unsigned files, const fs::path& loudest) {
    return result.startsWith(QString("Analize Result:: Analized %1 WAV files.").arg(files)) &&
           result.contains("\n\n" + Path(loudest) + "\n\n");
}

} // namespace

// Cancelled, the file dialogs leave everything alone; with files, the loudest one is named.
TEST(LevelCommands, ExternalAnalysisAsksForFilesAndNamesTheLoudest) {
    TempDir dir;
    WriteValues(dir / "soft.wav", false, {10, -900, 20});
    WriteValues(dir / "loud.wav", true, {0, 0, 1, -2, 300, -20000, 20000, 5}); // frame 2 first
    const fs::path missing = dir / "gone.wav";
    const auto before = ReadAll(dir / "soft.wav");
    TForm1 form;
    auto boxes = AnswerBoxes(form);
    QStringList picked; // Cancel
    QList<FileDialogRequest> asked;
    HookScope<MultiFileDialog> hook(multiFileDialog(),
                                    [&](QWidget*, const FileDialogRequest& request) {
                                        asked << request;
                                        return picked;
                                    });
    Trigger(form, Command::FindLoudestExternal);
    Trigger(form, Command::NormalizeExternal);
    EXPECT_EQ(asked.size(), 2);
    EXPECT_TRUE(boxes->seen.isEmpty()) << boxes->seen.join("\n").toStdString();
    EXPECT_EQ(ReadAll(dir / "soft.wav"), before);

    picked = {Path(dir / "soft.wav"), Path(missing), Path(dir / "loud.wav")};
    Trigger(form, Command::FindLoudestExternal);
    ASSERT_EQ(asked.size(), 3);
    EXPECT_FALSE(asked[2].save);
    // Yes to "show errors" brings the error report before the result.
    ASSERT_EQ(boxes->seen.size(), 3) << boxes->seen.join("\n").toStdString();
    EXPECT_TRUE(boxes->seen[1].endsWith(Path(missing)));
    EXPECT_TRUE(NamesLoudest(boxes->seen[2], 2, dir / "loud.wav")) << boxes->seen[2].toStdString();
}

// The page's commands reach the multisample's non-empty slots, a file in two slots included;
// the gain itself is the level tools' business.
TEST(LevelCommands, MultisampleCommandsWorkOnItsNonEmptySlots) {
    TempDir dir;
    const fs::path low = dir / "low.wav", high = dir / "high.wav";
    WriteValues(low, false, {-8192, 100});
    WriteValues(high, false, {50, 16384});
    TForm1 form;
    form.bank().path(7, 0) = low.string();
    form.bank().path(7, 5) = high.string();
    form.bank().path(7, 63) = low.string();
    form.bank().path(8, 0) = (dir / "other.wav").string();

    auto boxes = AnswerBoxes(form);
    FindLoudestInMultisample(form, 7);
    ASSERT_EQ(boxes->seen.size(), 1);
    EXPECT_TRUE(NamesLoudest(boxes->seen[0], 3, high)) << boxes->seen[0].toStdString();

    boxes->seen.clear();
    NormalizeMultisample(form, 7);
    ASSERT_EQ(boxes->seen.size(), 4) << boxes->seen.join("\n").toStdString();
    EXPECT_TRUE(boxes->seen[3].startsWith("Normalize procedure report: Normalize OK!"));
    EXPECT_NE(ValuesAt(ReadAll(low), kWavHeaderSize, 2)[1], 100)
        << "the low file took the gain too";
}
