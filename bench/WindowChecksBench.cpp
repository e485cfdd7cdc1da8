// Every check of the Tools menu on a full bank (FullBank.h), run as the core runs it (ovbank) and
// as the window runs it (the menu command, with its progress window, report and refresh). Prints
// both times, the window's extra time and the ratio. Target: the window within the core's time
// + 300 ms for every check. Runs offscreen unless a display is chosen; an argument picks the
// checks whose names contain it.
#include "FullBank.h"
#include "job/ScriptedJobServices.h"
#include "tools/BankChecks.h"
#include "tools/SoundMaintenance.h"
#include "ui/Mainform.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QElapsedTimer>
#include <QMessageBox>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

namespace {

using namespace ovb;
using CoreCheck = std::function<void(as_bank&, JobServices&)>;

struct Check {
    const char* name;
    Command command;
    CoreCheck core;
};

// The questions are answered Yes, except the offer to list every missing file, in both runs.
bool ListsMissingFiles(std::string_view text) {
    return text.find("Show missing files") != std::string_view::npos;
}

class Answering : public ScriptedJobServices {
  public:
    Answer ask(std::string_view caption, std::string_view text, Buttons buttons,
               AskPurpose purpose) override {
        answers.push_back(ListsMissingFiles(text) ? Answer::No : Answer::Yes);
        return ScriptedJobServices::ask(caption, text, buttons, purpose);
    }
};

void AnswerBoxes(QDialog& dialog) {
    auto* box = qobject_cast<QMessageBox*>(&dialog);
    if (!box) return dialog.accept();
    const bool no = ListsMissingFiles(box->text().toStdString());
    const auto answer = no ? QMessageBox::No : QMessageBox::Yes;
    box->button(box->standardButtons() & answer ? answer : QMessageBox::Ok)->click();
}

double Median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

// The median time of run, each run after an untimed prepare.
template <typename Prepare, typename Run> double MedianMs(int runs, Prepare prepare, Run run) {
    std::vector<double> times;
    for (int i = 0; i < runs; ++i) {
        prepare();
        QElapsedTimer clock;
        clock.start();
        run();
        times.push_back(double(clock.nsecsElapsed()) / 1e6);
    }
    return Median(times);
}

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const int runs = 3;
    const std::vector<Check> checks = {
        {"unused multisamples", Command::CheckUnusedMultisamples,
         [](as_bank& b, JobServices& ui) { CheckUnusedMultisamples(b, ui); }},
        {"not Latin characters", Command::CheckNonLatinChars,
         [](as_bank& b, JobServices& ui) { CheckNonLatinPaths(b, ui); }},
        {"doubled delimiters", Command::CheckDoubledDelimiters,
         [](as_bank& b, JobServices& ui) { CheckDoubledDelimiters(b, ui); }},
        {"multisample names", Command::CheckMultisampleNames,
         [](as_bank& b, JobServices& ui) { CheckMultisampleNames(b, ui); }},
        {"duplicated samples", Command::CheckDuplicatedSamples,
         [](as_bank& b, JobServices& ui) { CheckDuplicatedSamples(b, ui); }},
        {"first sample level", Command::CheckFirstSampleLevel,
         [](as_bank& b, JobServices& ui) { CheckFirstSampleLevel(b, ui); }},
        {"LOOPs", Command::ReportLoops, [](as_bank& b, JobServices& ui) { ReportLoops(b, ui); }},
        {"all WAV files exist", Command::CheckMissingFiles,
         [](as_bank& b, JobServices& ui) { CheckMissingFiles(b, ui); }},
        {"stereo groups", Command::FixStereoGroups,
         [](as_bank& b, JobServices& ui) { FixStereoGroups(b, ui); }},
        {"sounds without group", Command::CheckSoundsWithoutGroup,
         [](as_bank& b, JobServices& ui) { CheckSoundsWithoutGroup(b, ui); }},
        {"sounds with equal groups", Command::CheckEqualGroups,
         [](as_bank& b, JobServices& ui) {
             CheckSoundsInGroups(b, b.sound(0).category, GroupMatch::Equal, ui);
         }},
        {"duplicated sounds", Command::CheckDuplicatedSounds,
         [](as_bank& b, JobServices& ui) { CheckDuplicatedSounds(b, ui); }},
        {"remove unused multisamples", Command::RemoveUnusedMultisamples,
         [](as_bank& b, JobServices& ui) { RemoveUnusedMultisamples(b, ui); }},
    };

    TForm1 form;
    form.show();
    form.jobServices().setDialogRunner(AnswerBoxes);
    const auto full = bench::FullBank();
    bool allWithin = true;
    std::printf("%-28s %10s %10s %10s %7s\n", "check (full bank)", "core ms", "window ms",
                "extra ms", "ratio");
    const QString only = app.arguments().value(1); // a part of a check's name: that one only
    for (const Check& check : checks) {
        if (!QString(check.name).contains(only)) continue;
        as_bank bank;
        const double core = MedianMs(
            runs, [&] { bench::CopyBank(*full, bank); },
            [&] {
                Answering ui;
                check.core(bank, ui);
            });
        QAction* action = form.command(check.command);
        const double window = MedianMs(
            runs,
            [&] {
                bench::CopyBank(*full, form.bank());
                form.RefreshViews(refresh::All);
            },
            [&] { action->trigger(); });
        const double extra = window - core;
        allWithin = allWithin && extra <= 300.0;
        std::printf("%-28s %10.1f %10.1f %10.1f %7.2f%s\n", check.name, core, window, extra,
                    window / core, extra <= 300.0 ? "" : "  (over core + 300 ms)");
    }
    std::printf("window within core + 300 ms for every check: %s\n", allWithin ? "yes" : "NO");
    return allWithin ? 0 : 1;
}
