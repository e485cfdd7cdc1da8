// The main menu. Commands whose work comes in a later version are shown disabled, so that users
// see where they will be; the few that the program defines as doing nothing are enabled and do
// nothing.
#include "ui/Mainform.h"

#include "audio/Wav_trim.h"
#include "audio/Wav_trim_commands.h"
#include "tools/BankChecks.h"

#include <QAction>
#include <QActionGroup>
#include <QAudioDevice>
#include <QInputDialog>
#include <QKeySequence>
#include <QLineEdit>
#include <QMediaDevices>
#include <QMenu>
#include <QMenuBar>

namespace ovb {

namespace {

QAction* Later(QMenu* menu, const QString& caption) {
    QAction* action = menu->addAction(caption);
    action->setEnabled(false);
    action->setStatusTip(kNotYetAvailable);
    return action;
}

// Commands that carry no action in this program: choosing them changes and shows nothing.
QAction* Inert(QMenu* menu, const QString& caption) {
    return menu->addAction(caption);
}

// A check of the loaded bank; checks that change the bank bring every page up to date after.
template <typename Check>
QAction* BankCheck(QMenu* menu, const QString& caption, TForm1* form, Check check) {
    QAction* action = menu->addAction(caption);
    QObject::connect(action, &QAction::triggered, form, [form, check] {
        check(form->bank(), form->jobs());
        form->RefreshViews(refresh::All);
    });
    return action;
}

QAction* Checkable(QMenu* menu, const QString& caption, bool checked) {
    QAction* action = menu->addAction(caption);
    action->setCheckable(true);
    action->setChecked(checked);
    return action;
}

} // namespace

void TForm1::buildMenus() {
    QMenuBar* bar = menuBar();
    buildFileMenu(bar->addMenu("&File"));
    QMenu* edit = bar->addMenu("&Edit");
    edit->addAction("Calculate bank SIZE", this, &TForm1::CalculateSize1Click);
    QMenu* view = bar->addMenu("&View");
    showNoteNumber_ = Checkable(view, "Show Note Number", false);
    connect(showNoteNumber_, &QAction::toggled, this, [this] { RefreshViews(); });
    buildToolsMenu(bar->addMenu("&Tools"));
    QMenu* assistants = bar->addMenu("&Assistants");
    assistants->addAction("Open Search Assistant...", this, &TForm1::OpenSearchAssistant1Click);
    Later(assistants, "Open Bank Combinator Assistant...");
    Later(assistants, "Open SD Card Write Assistant...");
    buildSettingsMenu(bar->addMenu("&Settings"));
}

void TForm1::buildFileMenu(QMenu* file) {
    file->addAction("Clear ALL...", this, &TForm1::ClearAll1Click);
    file->addSeparator();
    file->addAction("Open Orvelanta Sampler Script File...", this, &TForm1::OpenScript1Click)
        ->setShortcut(QKeySequence("Ctrl+O"));
    file->addAction("Save Orvelanta Sampler Script File...", this, &TForm1::SaveScript1Click)
        ->setShortcut(QKeySequence("Ctrl+S"));
    file->addSeparator();
    file->addAction("Open Orvelanta Sampler Bank File...", this, &TForm1::OpenBank1Click)
        ->setShortcut(QKeySequence("Ctrl+Shift+O"));
    file->addAction("Save Orvelanta Sampler Bank File - (split to 4GB toms)...", this,
                    &TForm1::SaveBank1Click)
        ->setShortcut(QKeySequence("Ctrl+Shift+S"));
    file->addSeparator();
    file->addAction("Export All Bank Content to Text File...", this, &TForm1::ExportText1Click);
    Later(file, "Export All Samples From Loaded Bank File...");
    file->addSeparator();
    file->addAction("Exit", this, &QWidget::close)->setShortcut(QKeySequence("Ctrl+Q"));
}

void TForm1::buildCheckMenu(QMenu* check) {
    BankCheck(check, "Check For UNUSED Multisamples...", this, CheckUnusedMultisamples);
    BankCheck(check, "Remove UNUSED Multisamples...", this, RemoveUnusedMultisamples);
    BankCheck(check, "Check For Not Latin Chars In File Path And Names", this, CheckNonLatinPaths);
    BankCheck(check, "Check for doubled char \"\\\\\" in file path", this, CheckDoubledDelimiters);
    BankCheck(check, "Check Multisample Names For Invalid Chars", this, CheckMultisampleNames);
    BankCheck(check, "Check for duplicated samples...", this, CheckDuplicatedSamples);
    BankCheck(check,
              "Check all WAV files for first sample with level whu will triger Windows Auto "
              "Fade In Function",
              this, CheckFirstSampleLevel);
    BankCheck(check, "Report all samples with active or not default LOOPs", this, ReportLoops);
    check->addSeparator();
    Later(check, "Check and auto fix sounds STEREO GROUP assignment...");
    Later(check, "Check for SOUNDS, not assigned to any group");
    Later(check, "Check for SOUNDS, assigned to GROUPS - ABSOLUTLY EQUAL to current sound");
    Later(check, "Check for SOUNDS, assigned to GROUPS - COMMON with current sound");
    check->addSeparator();
    Inert(check, "Check for FREE sounds, not used in any preset");
    Inert(check, "Check for duplicated SOUNDS");
    Inert(check, "Automatic Fix Duplicated Sounds...");
    Inert(check, "Reorganize all SOUNDS, remove Empty position and update PRESETS...");
}

// The threshold items carry their parameter as the action's data: the threshold table index for
// the start, the threshold itself for the end.
void TForm1::buildSilenceMenus(QMenu* tools) {
    // The tools work on every WAV file of the bank's multisamples, once per slot.
    auto onBankFiles = [this](QAction* action, auto work) {
        connect(action, &QAction::triggered, this, [this, work] {
            work(SlotPaths(UsedSlots(bank())), jobs());
            RefreshViews(refresh::All);
        });
    };
    QMenu* start =
        tools->addMenu("Remove silence from START of WAV files included in multisamples");
    onBankFiles(start->addAction("Check Start of WAV files for silence and report result"),
                [](const auto& paths, JobServices& ui) { CheckStartSilence(paths, ui); });
    start->addSeparator();
    const char* startItems[] = {"+/-   0  samples  /  -90.0dB...",
                                "+/-   3  samples  /  -80.0dB...",
                                "+/-  10  samples  /  -70.3dB..."};
    for (unsigned i = 0; i < 3; ++i) {
        QAction* item = start->addAction(startItems[i]);
        item->setData(i);
        onBankFiles(item,
                    [i](const auto& paths, JobServices& ui) { TrimStartSilence(paths, i, ui); });
    }

    QMenu* end = tools->addMenu("Remove silence from END of WAV files included in multisamples");
    QAction* fade = Checkable(end, "Apply 2ms Fade Out AFTER point of removing silence", false);
    onBankFiles(end->addAction("Check end of WAV files for silence and report rezult"),
                [fade](const auto& paths, JobServices& ui) {
                    CheckEndSilence(paths, fade->isChecked(), ui);
                });
    end->addSeparator();
    const char* endItems[] = {"+/-   0 samples  /  -90.0dB...", "+/- 10 samples  /  -70.3dB...",
                              "+/- 20 samples  /  -64.3dB...",  "+/- 30 samples  /  -60.8dB...",
                              "+/- 40 samples  /  -58.3dB...",  "+/- 50 samples  /  -56.3dB...",
                              "+/- 60 samples  /  -54.7dB...",  "+/- 70 samples  /  -53.4dB...",
                              "+/- 80 samples  /  -52.2dB...",  "+/- 90 samples  /  -51.2dB...",
                              "+/- 100 samples  /  -50.3dB..."};
    for (int i = 0; i < 11; ++i) {
        QAction* item = end->addAction(endItems[i]);
        item->setData(i * 10);
        onBankFiles(item, [fade, threshold = i * 10](const auto& paths, JobServices& ui) {
            TrimEndSilence(paths, threshold, fade->isChecked(), ui);
        });
    }
    onBankFiles(tools->addAction("Remove FIXED number of samples from START of WAV files"),
                [this](const auto& paths, JobServices& ui) {
                    if (!ConfirmFixedRemoval(ui)) return;
                    bool ok = false;
                    QString text = QInputDialog::getText(
                        this, "Samples for remove",
                        "Enter value in SAMPLES for remove from start of files. Range from 1 to "
                        "2048",
                        QLineEdit::Normal, "0", &ok);
                    if (ok) TrimFixedCount(paths, text.toStdString(), ui);
                });
}

void TForm1::buildToolsMenu(QMenu* tools) {
    buildCheckMenu(tools->addMenu("Check / Auto-Fix invalid conditions"));
    tools->addSeparator();
    buildSilenceMenus(tools);
    tools->addSeparator();
    Later(tools, "Extract library common path");
    Inert(tools, "Save ALL Used Multisamples Names To Multisamples Folders");
    tools->addAction("Reform loaded script file to bank file", this, &TForm1::ReformToBank1Click);
    BankCheck(tools, "Check all WAV files for existing", this, CheckMissingFiles);
    QMenu* over64 =
        tools->addMenu("Check for multisamples, with more of 64 assigned notes/samples");
    Inert(over64, "By sample start offset (bank need to be calculated)");
    Inert(over64, "By sample file path string");
    tools->addSeparator();
    QMenu* external = tools->addMenu("Procedure to EXTERNAL files");
    external->addAction("Update Factory Reset Part of EXTERNAL OVB Bank File...", this,
                        &TForm1::UpdateFactoryReset1Click);
    Later(external, "Analize and find loudest audio level in EXTERNAL group of WAV files...");
    Later(external, "Normalize EXTERNAL group of WAV files to -0.5dB audio level...");
    QMenu* system = tools->addMenu("System Tools");
    Later(system, "Init All Unused Sounds (Unused is sound with name \"- - -\")");
    tools->addSeparator();
    tools->addAction("Import Sampler 2 Sounds...", this, &TForm1::ImportSampler2Click);
}

void TForm1::buildSettingsMenu(QMenu* settings) {
    auto* source = new QActionGroup(this);
    playFromWav_ = source->addAction(Checkable(settings, "Play/View Audio From WAV Files", false));
    source->addAction(Checkable(settings, "Play/View Audio From Bank File", true));
    settings->addSeparator();
    silenceFirst_ = Checkable(settings, "Play first sample with level 0", true);
    settings->addSeparator();
    addAudioDevices(settings->addMenu("Audio Output Device"));
}

// Tag 0 is the system's default output, tag n + 1 the n-th device found at start.
void TForm1::addAudioDevices(QMenu* menu) {
    devices_ = new QActionGroup(this);
    devices_->addAction(Checkable(menu, "DEFAULT WAVE OUT DEVICE", true))->setData(0);
    const QList<QAudioDevice> outputs = QMediaDevices::audioOutputs();
    for (int n = 0; n < outputs.size(); ++n) {
        QString name = outputs[n].description();
        if (name.isEmpty()) {
            ui_.message("Wave Error", "fffd");
            name = QString::fromUtf8(outputs[n].id());
        }
        devices_->addAction(Checkable(menu, name, false))->setData(n + 1);
    }
}

} // namespace ovb
