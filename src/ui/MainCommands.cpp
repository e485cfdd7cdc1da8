// The file commands of the main menu and the commands that change what the window shows.
#include "ui/Mainform.h"

#include "assistants/Searchform.h"
#include "bank/BankFileLoader.h"
#include "bank/BankFileWriter.h"
#include "bank/BankFiles.h"
#include "bank/BankSize.h"
#include "bank/ScriptFile.h"
#include "bank/TextExport.h"
#include "ui/UndoHistory.h"
#include "uibase/StatusMessage.h"

#include <QDir>
#include <QFileInfo>

namespace ovb {

namespace {
constexpr const char* kScriptFilter = "Zerwintal Orvelanta Sampler SCRIPT file (*.ovs)|*.OVS";
constexpr const char* kBankOpenFilter = "Zerwintal Orvelanta Samplers BANK file (*.ovb)|*.OVB";
constexpr const char* kBankSaveFilter = "Zerwintal Samplers BANK file (*.ovb)|*.OVB";
constexpr const char* kTextFilter = "Zerwintal Samplers Program Names Text File (*.txt)|*.TXT";
constexpr const char* kSampler2Filter = "Zerwintal Sampler 2 BANK file (*.zbb)|*.ZBB";

std::filesystem::path FsPath(const QString& path) {
    return std::filesystem::path(path.toStdString());
}
} // namespace

std::string ReplaceExtension(std::string_view path, std::string_view extension) {
    const std::size_t separator = path.find_last_of("\\/:");
    const std::size_t nameStart = separator == std::string_view::npos ? 0 : separator + 1;
    std::size_t dot = path.rfind('.');
    if (dot == std::string_view::npos || dot < nameStart) dot = path.size();
    return std::string(path.substr(0, dot)) + std::string(extension);
}

QString TForm1::runFileDialog(const FileDialogRequest& request) {
    return PlatformFileDialog(this, request, false).value(0);
}

// The dialogs open in the folder of the loaded file; a name saved without an extension gets the
// filter's.
QString TForm1::chooseFile(bool save, const char* title, const char* filter) {
    const QFileInfo loaded(QString::fromStdString(current_file_name_));
    const QString folder = loaded.exists() ? loaded.absolutePath() : QString();
    const QString qtFilter = DialogFilter(filter);
    const QString chosen =
        fileDialog(FileDialogRequest{save, QString::fromUtf8(title), qtFilter, folder});
    return save ? WithFilterExtension(chosen, qtFilter) : chosen;
}

void TForm1::showDone(const QString& what, const QString& path) {
    ShowStatus(this, what + ": " + QDir::toNativeSeparators(path));
}

// The readers report their own errors; the bank shows whatever they filled in and the caption
// names the chosen file either way.
void TForm1::loadFile(const QString& path, bool bankFile) {
    bank_->reset();
    if (bankFile)
        LoadBankFile(*bank_, FsPath(path), ui_);
    else
        LoadScript(*bank_, FsPath(path), ui_);
    current_file_name_ = path.toStdString();
    // The player follows what was opened: a script's audio is in its WAV files, a bank file's in
    // the bank. The menu's choice holds until the next open.
    command(bankFile ? Command::PlayFromBankFile : Command::PlayFromWavFiles)->setChecked(true);
    RefreshViews();
    emit bankOpened();
}

void TForm1::openFile(const QString& path) {
    undo_->beginCommand("Open " + QFileInfo(path).fileName());
    loadFile(path, KindOfFile(FsPath(path)) == BankFileKind::Bank);
}

void TForm1::ClearAll1Click() {
    if (!ui_.yes("Clear ALL", "Are You Sure ?")) return;
    bank_->reset();
    current_file_name_ = kNoLoadedBank;
    RefreshViews();
}

void TForm1::OpenScript1Click() {
    QString path =
        chooseFile(false, "Open Zerwintal Orvelanta Sampler SCRIPT file!", kScriptFilter);
    if (!path.isEmpty()) loadFile(path, false);
}

void TForm1::OpenBank1Click() {
    QString path =
        chooseFile(false, "Open Zerwintal Orvelanta Samplers BANK file!", kBankOpenFilter);
    if (!path.isEmpty()) loadFile(path, true);
}

void TForm1::SaveScript1Click() {
    QString path = chooseFile(true, "Save all data as-> Zerwintal Orvelanta Sampler SCRIPT file!",
                              kScriptFilter);
    if (!path.isEmpty() && SaveScript(*bank_, FsPath(path), ui_)) showDone("Script saved", path);
}

void TForm1::SaveBank1Click() {
    QString path = chooseFile(true, "Save all data as-> Zerwintal Orvelanta Sampler BANK file!",
                              kBankSaveFilter);
    if (path.isEmpty()) return;
    const bool saved = CreateBankFile(*bank_, FsPath(path), ui_);
    RefreshViews();
    if (saved) showDone("Bank file saved", path);
}

void TForm1::ExportText1Click() {
    QString path = chooseFile(true, "Save all Program Nmaes as-> TEXT file!", kTextFilter);
    if (!path.isEmpty() && ExportText(*bank_, FsPath(path), ui_))
        showDone("Bank content exported", path);
}

void TForm1::CalculateSize1Click() {
    BankSizeResult size = CalculateBankSize(*bank_, ui_);
    ui_.message("Sample Editor", EstimatedSizeText(size.totalSize));
}

// Later commands that read audio from the loaded bank file then read it from the bank file of
// the same name, which the user has made from the script.
void TForm1::ReformToBank1Click() {
    current_file_name_ = ReplaceExtension(current_file_name_, ".OVB");
    bank_->setLoadedFile(current_file_name_); // the player reads audio from this file
    RefreshViews();
}

// What the factory-reset part of a bank file should receive is not settled yet: the chosen file
// is left as it is.
void TForm1::UpdateFactoryReset1Click() {
    chooseFile(false, "Open Zerwintal Orvelanta Sampler BANK file!", kBankOpenFilter);
}

void TForm1::ImportSampler2Click() {
    QString path =
        chooseFile(false, "Import Zerwintal Sampler 2 Sounds BANK file!", kSampler2Filter);
    if (path.isEmpty()) return;
    ui_.message("Info", "Sampler 2 bank files cannot be read by this version.\n"
                        "The loaded bank is unchanged.");
}

void TForm1::OpenSearchAssistant1Click() {
    searchAssistant()->showAssistant();
}

} // namespace ovb
