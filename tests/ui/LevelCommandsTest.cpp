// Level analysis and normalising as the user runs them: the EXTERNAL commands of the Tools menu
// with files picked in the multi-file dialog, and the multisample page's two commands, with every
// box answered in turn and the written sample values read back from the files.
#include "../audio/WavValues.h"
#include "MainWindowTestSupport.h"
#include "ui/MultiFileDialog.h"
#include "ui/PageCommands.h"
#include "ui/Reportform.h"

#include <gtest/gtest.h>

#include <QPlainTextEdit>

#include <cmath>
#include <deque>

using namespace ovb;
using namespace ovb::test;
namespace fs = std::filesystem;

namespace {

const QString kAnalyse = "Analize and find loudest audio level in EXTERNAL group of WAV files...";
const QString kNormalise = "Normalize EXTERNAL group of WAV files to -0.5dB audio level...";

// Answers the multi-file dialog with chosen files for the life of the object and records what
// each dialog asked for.
class PickFiles {
  public:
    explicit PickFiles(QStringList files) : files_(std::move(files)) {
        saved_ = multiFileDialog();
        multiFileDialog() = [this](QWidget*, const FileDialogRequest& request) {
            asked << request;
            return files_;
        };
    }
    ~PickFiles() { multiFileDialog() = saved_; }
    QList<FileDialogRequest> asked;

  private:
    QStringList files_;
    MultiFileDialog saved_;
};

// Answers the boxes in turn from a queue (OK where a box offers only OK) and records every box and
// report as "Caption: text".
struct Dialogs {
    std::deque<QMessageBox::StandardButton> answers;
    QStringList seen;
    int unplanned = 0;
};

std::shared_ptr<Dialogs> AnswerInTurn(TForm1& form,
                                      std::deque<QMessageBox::StandardButton> answers) {
    auto log = std::make_shared<Dialogs>(Dialogs{std::move(answers), {}, 0});
    form.jobServices().setDialogRunner([log](QDialog& dialog) {
        if (auto* report = qobject_cast<TFormReport*>(&dialog)) {
            log->seen << report->windowTitle() + ": " + report->textBox()->toPlainText();
            report->accept();
            return;
        }
        auto* box = qobject_cast<QMessageBox*>(&dialog);
        if (!box) {
            ++log->unplanned;
            dialog.reject();
            return;
        }
        log->seen << box->windowTitle() + ": " + box->text();
        if (box->standardButtons() == QMessageBox::Ok) {
            box->button(QMessageBox::Ok)->click();
        } else if (log->answers.empty()) {
            ++log->unplanned;
            box->button(QMessageBox::No)->click();
        } else {
            box->button(log->answers.front())->click();
            log->answers.pop_front();
        }
    });
    return log;
}

void Trigger(TForm1& form, const QString& caption) {
    QAction* action = FindAction(form, caption);
    ASSERT_NE(action, nullptr) << caption.toStdString();
    ASSERT_TRUE(action->isEnabled()) << caption.toStdString();
    action->trigger();
}

std::vector<std::int16_t> Audio(const fs::path& wav, std::size_t count) {
    return ValuesAt(ReadAll(wav), kWavHeaderSize, count);
}

// The analysis message for a loudest value, its frame and file, with the level worked out from
// its definition (relative to 32768).
QString ResultText(unsigned files, const fs::path& loudest, int value, unsigned frame) {
    return QString::asprintf("Analize Result:: Analized %u WAV files.\n\nLoudest WAV file path:"
                             "\n\n%s\n\nMax sample value:  %d / %fdB\nSample position..:  %u",
                             files, loudest.string().c_str(), value,
                             20.0 * std::log10(value / 32768.0), frame);
}

} // namespace

TEST(LevelCommands, ExternalAnalysisAsksForFilesAndNamesTheLoudest) {
    TempDir dir;
    WriteValues(dir / "soft.wav", false, {10, -900, 20});
    WriteValues(dir / "loud.wav", true, {0, 0, 1, -2, 300, -20000, 20000, 5}); // frame 2 first
    const fs::path missing = dir / "gone.wav";
    TForm1 form;
    auto boxes = AnswerInTurn(form, {QMessageBox::Yes});
    PickFiles pick({Path(dir / "soft.wav"), Path(missing), Path(dir / "loud.wav")});

    Trigger(form, kAnalyse);
    ASSERT_EQ(pick.asked.size(), 1);
    EXPECT_FALSE(pick.asked[0].save);
    EXPECT_EQ(pick.asked[0].title, "Select multiple WAV audio files");
    EXPECT_EQ(pick.asked[0].filter,
              "Standard WAV audio files 16b/48k/Mono or Stereo (*.wav *.WAV)");
    // Yes to "show errors" brings the error report before the result.
    ASSERT_EQ(boxes->seen.size(), 3) << boxes->seen.join("\n").toStdString();
    EXPECT_TRUE(boxes->seen[1].endsWith(Path(missing)));
    EXPECT_EQ(boxes->seen[2], ResultText(2, dir / "loud.wav", 20000, 2));
    EXPECT_EQ(boxes->unplanned, 0);
}

TEST(LevelCommands, CancelledDialogsDoNothing) {
    TempDir dir;
    WriteValues(dir / "a.wav", false, {1000, -1000});
    const auto before = ReadAll(dir / "a.wav");
    TForm1 form;
    auto boxes = AnswerInTurn(form, {QMessageBox::Yes, QMessageBox::Yes});
    PickFiles cancel({});
    Trigger(form, kAnalyse);
    Trigger(form, kNormalise);
    EXPECT_EQ(cancel.asked.size(), 2);
    EXPECT_TRUE(boxes->seen.isEmpty()) << boxes->seen.join("\n").toStdString();
    EXPECT_EQ(ReadAll(dir / "a.wav"), before);
}

// A sample used in two slots is one file: it takes the gain once, like every other file.
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

    auto boxes = AnswerInTurn(form, {});
    FindLoudestInMultisample(form, 7);
    ASSERT_EQ(boxes->seen.size(), 1);
    EXPECT_EQ(boxes->seen[0], ResultText(3, high, 16384, 1));

    boxes = AnswerInTurn(form, {QMessageBox::Yes, QMessageBox::Yes});
    NormalizeMultisample(form, 7);
    ASSERT_EQ(boxes->seen.size(), 4) << boxes->seen.join("\n").toStdString();
    EXPECT_TRUE(boxes->seen[3].startsWith("Normalize procedure report: Normalize OK!"));
    EXPECT_EQ(boxes->unplanned, 0);
    EXPECT_EQ(Audio(low, 2)[1], 189) << "scaled once although listed twice";
    EXPECT_NEAR(Audio(high, 2)[1], 30935, 1);
}
