// The main menu, built from the command table, and the work of the commands that the main window
// does itself: files, checks of the loaded bank, silence tools and settings.
#include "ui/Mainform.h"

#include "audio/Wav_trim.h"
#include "audio/Wav_trim_commands.h"
#include "tools/BankChecks.h"
#include "ui/CommandWiring.h"

#include <QAction>
#include <QActionGroup>
#include <QAudioDevice>
#include <QInputDialog>
#include <QLineEdit>
#include <QMediaDevices>
#include <QMenu>
#include <QMenuBar>
#include <QTabWidget>

#include <functional>
#include <utility>

namespace ovb {

namespace {

// The start thresholds by their index in the trim table, the end ones by their sample count.
constexpr std::pair<Command, unsigned> kStartTrims[] = {
    {Command::TrimStart0, 0}, {Command::TrimStart3, 1}, {Command::TrimStart10, 2}};
constexpr std::pair<Command, int> kEndTrims[] = {
    {Command::TrimEnd0, 0},   {Command::TrimEnd10, 10},  {Command::TrimEnd20, 20},
    {Command::TrimEnd30, 30}, {Command::TrimEnd40, 40},  {Command::TrimEnd50, 50},
    {Command::TrimEnd60, 60}, {Command::TrimEnd70, 70},  {Command::TrimEnd80, 80},
    {Command::TrimEnd90, 90}, {Command::TrimEnd100, 100}};

} // namespace

QAction* TForm1::command(Command id) const {
    return FindCommand(*this, id);
}

void TForm1::buildMenus() {
    AddMenuEntries(*menuBar(), Menu::Bar);
    auto* source = new QActionGroup(this);
    playFromWav_ = source->addAction(command(Command::PlayFromWavFiles));
    source->addAction(command(Command::PlayFromBankFile));
    silenceFirst_ = command(Command::SilenceFirstSample);
    showNoteNumber_ = command(Command::ShowNoteNumber);
    connect(showNoteNumber_, &QAction::toggled, this, [this] { RefreshViews(); });
    addAudioDevices(FindMenu(*this, Menu::AudioDevice));
    wireFileCommands();
    wireToolCommands();
    wireSilenceCommands();
}

void TForm1::wireFileCommands() {
    Activate(*this, Command::ClearAll, [this] { ClearAll1Click(); });
    Activate(*this, Command::OpenScript, [this] { OpenScript1Click(); });
    Activate(*this, Command::SaveScript, [this] { SaveScript1Click(); });
    Activate(*this, Command::OpenBank, [this] { OpenBank1Click(); });
    Activate(*this, Command::SaveBank, [this] { SaveBank1Click(); });
    Activate(*this, Command::ExportText, [this] { ExportText1Click(); });
    Activate(*this, Command::Exit, [this] { close(); });
    Activate(*this, Command::CalculateSize, [this] { CalculateSize1Click(); });
    Activate(*this, Command::NextPage, [this] { stepPage(1); });
    Activate(*this, Command::PreviousPage, [this] { stepPage(-1); });
    Activate(*this, Command::OpenSearch, [this] { OpenSearchAssistant1Click(); });
}

void TForm1::wireToolCommands() {
    using BankCheck = std::function<unsigned(as_bank&, JobServices&)>;
    // Checks of the loaded bank; those that change it bring every page up to date after.
    const std::pair<Command, BankCheck> checks[] = {
        {Command::CheckUnusedMultisamples, CheckUnusedMultisamples},
        {Command::RemoveUnusedMultisamples, RemoveUnusedMultisamples},
        {Command::CheckNonLatinChars, CheckNonLatinPaths},
        {Command::CheckDoubledDelimiters, CheckDoubledDelimiters},
        {Command::CheckMultisampleNames, CheckMultisampleNames},
        {Command::CheckDuplicatedSamples, CheckDuplicatedSamples},
        {Command::CheckFirstSampleLevel, CheckFirstSampleLevel},
        {Command::ReportLoops, ReportLoops},
        {Command::CheckMissingFiles, CheckMissingFiles},
    };
    for (const auto& [id, check] : checks)
        Activate(*this, id, [this, check = check] {
            check(bank(), jobs());
            RefreshViews(refresh::All);
        });
    Activate(*this, Command::ReformToBank, [this] { ReformToBank1Click(); });
    Activate(*this, Command::UpdateFactoryReset, [this] { UpdateFactoryReset1Click(); });
    Activate(*this, Command::ImportSampler2, [this] { ImportSampler2Click(); });
}

// The tools work on every WAV file of the bank's multisamples, once per slot.
void TForm1::wireSilenceCommands() {
    auto onBankFiles = [this](Command id, auto work) {
        Activate(*this, id, [this, work] {
            work(SlotPaths(UsedSlots(bank())), jobs());
            RefreshViews(refresh::All);
        });
    };
    QAction* fade = command(Command::FadeOutAfterTrim);
    onBankFiles(Command::CheckStartSilence,
                [](const auto& paths, JobServices& ui) { CheckStartSilence(paths, ui); });
    for (const auto& [id, index] : kStartTrims)
        onBankFiles(id, [index = index](const auto& paths, JobServices& ui) {
            TrimStartSilence(paths, index, ui);
        });
    onBankFiles(Command::CheckEndSilence, [fade](const auto& paths, JobServices& ui) {
        CheckEndSilence(paths, fade->isChecked(), ui);
    });
    for (const auto& [id, threshold] : kEndTrims)
        onBankFiles(id, [fade, threshold = threshold](const auto& paths, JobServices& ui) {
            TrimEndSilence(paths, threshold, fade->isChecked(), ui);
        });
    onBankFiles(Command::RemoveFixedSamples, [this](const auto& paths, JobServices& ui) {
        if (!ConfirmFixedRemoval(ui)) return;
        bool ok = false;
        QString text = QInputDialog::getText(
            this, "Samples for remove",
            "Enter value in SAMPLES for remove from start of files. Range from 1 to 2048",
            QLineEdit::Normal, "0", &ok);
        if (ok) TrimFixedCount(paths, text.toStdString(), ui);
    });
}

void TForm1::stepPage(int step) {
    const int count = tabs_->count();
    tabs_->setCurrentIndex((tabs_->currentIndex() + step + count) % count);
}

// Tag 0 is the system's default output, tag n + 1 the n-th device found at start.
void TForm1::addAudioDevices(QMenu* menu) {
    devices_ = new QActionGroup(this);
    devices_->addAction(command(Command::DefaultOutputDevice))->setData(0);
    const QList<QAudioDevice> outputs = QMediaDevices::audioOutputs();
    for (int n = 0; n < outputs.size(); ++n) {
        QString name = outputs[n].description();
        if (name.isEmpty()) {
            ui_.message("Wave Error", "fffd");
            name = QString::fromUtf8(outputs[n].id());
        }
        QAction* device = menu->addAction(name);
        device->setCheckable(true);
        devices_->addAction(device)->setData(n + 1);
    }
}

} // namespace ovb
