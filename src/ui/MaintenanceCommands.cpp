// The maintenance commands of the menus and of the multisample and sound pages: sound group
// checks and repairs, sample export from the loaded bank file, and the library path tools. The
// work and its questions live in the core; this file asks for folders and texts and refreshes.
#include "tools/LibraryPaths.h"
#include "tools/RangeRemoval.h"
#include "tools/SampleExport.h"
#include "tools/SoundMaintenance.h"
#include "ui/CommandWiring.h"
#include "ui/Deletemultipleform.h"
#include "ui/Mainform.h"
#include "ui/PageCommands.h"
#include "ui/Replacestringform.h"
#include "ui/Selectdirectoryform.h"
#include "uibase/QtText.h"
#include "uibase/StatusMessage.h"

#include <QLabel>
#include <QStatusBar>

#include <filesystem>

namespace ovb {

namespace {

constexpr char kCommonPathLabel[] = "libraryCommonPath";

// Only the main window has a loaded file name and a label; page tests run on a stand-in host.
TForm1* MainWindowOf(EditorHost& host) {
    return dynamic_cast<TForm1*>(&host);
}

std::filesystem::path LoadedFile(EditorHost& host) {
    TForm1* form = MainWindowOf(host);
    return form ? form->currentFileName() : host.bank().loadedFile();
}

std::filesystem::path FolderPath(const QString& folder) {
    return std::filesystem::path(folder.toStdString());
}

// Computes the library common path and shows it in the main window's label.
std::string ExtractCommonPath(EditorHost& host) {
    const std::string common = LibraryCommonPath(host.bank());
    if (TForm1* form = MainWindowOf(host))
        if (auto* label = form->findChild<QLabel*>(kCommonPathLabel))
            label->setText("Library Common Path: " + ToQString(common));
    return common;
}

void ExportLibraryCommand(TForm1& form) {
    if (!ConfirmLibraryExport(form.currentFileName(), form.jobs())) return;
    QString folder;
    if (SelectDirectory(&form, "Sellect Common Path For Exported Library...",
                        "Start Library Export...", folder) != kModalConfirm)
        return;
    // Taken afresh: a path computed before the last edits would not root every file in the folder.
    const std::string common = ExtractCommonPath(form);
    const LibraryExportResult done =
        ExportLibrary(form.bank(), form.currentFileName(), common, FolderPath(folder), form.jobs());
    if (done.started && done.errors == 0)
        ShowStatus(&form, QString("Exported %1 WAV files to %2").arg(done.exported).arg(folder));
}

void GroupCheck(TForm1& form, Command command, GroupMatch match) {
    Activate(form, command, [&form, match] {
        const int current = form.current().sound;
        if (current < 0 || current >= int(kSounds)) return;
        CheckSoundsInGroups(form.bank(), form.bank().sound(unsigned(current)).category, match,
                            form.jobs());
        form.RefreshViews(refresh::All);
    });
}

} // namespace

void WireMaintenanceCommands(TForm1& form) {
    auto* label = new QLabel("Library Common Path: ", &form);
    label->setObjectName(kCommonPathLabel);
    label->setTextFormat(Qt::PlainText);
    form.statusBar()->addWidget(label);

    Activate(form, Command::ExportSamples, [&form] { ExportLibraryCommand(form); });
    Activate(form, Command::FixStereoGroups, [&form] {
        FixStereoGroups(form.bank(), form.jobs());
        form.RefreshViews(refresh::All);
    });
    Activate(form, Command::CheckDuplicatedSounds,
             [&form] { CheckDuplicatedSounds(form.bank(), form.jobs()); });
    Activate(form, Command::CheckSoundsWithoutGroup, [&form] {
        CheckSoundsWithoutGroup(form.bank(), form.jobs());
        form.RefreshViews(refresh::All);
    });
    GroupCheck(form, Command::CheckEqualGroups, GroupMatch::Equal);
    GroupCheck(form, Command::CheckCommonGroups, GroupMatch::Common);
    Activate(form, Command::ExtractCommonPath, [&form] { ExtractCommonPath(form); });
    Activate(form, Command::InitUnusedSounds, [&form] {
        InitUnusedSounds(form.bank());
        form.RefreshViews(refresh::All);
    });
}

void RemoveMultipleMultisamples(EditorHost& host, QWidget* parent, int currentMultisample) {
    RunRangeRemoval(host, parent, RemovalRange::Multisamples, currentMultisample);
}

void RemoveMultipleSounds(EditorHost& host, QWidget* parent, int currentSound) {
    RunRangeRemoval(host, parent, RemovalRange::Sounds, currentSound);
}

void ExportSelectedMultisample(EditorHost& host, QWidget* parent, int multisample) {
    const std::filesystem::path loaded = LoadedFile(host);
    if (multisample < 0 ||
        !CanExportMultisample(host.bank(), loaded, unsigned(multisample), host.jobs()))
        return;
    QString folder;
    if (SelectDirectory(parent, "Sellect Path For Multisample WAV Files Export...",
                        "Start WAV FIles Export...", folder) != kModalConfirm)
        return;
    const MultisampleExportResult result = ExportMultisample(
        host.bank(), loaded, unsigned(multisample), FolderPath(folder), host.jobs());
    if (result.exported > 0)
        ShowStatus(parent, QString("Exported %1 WAV files of MS%2 to %3")
                               .arg(result.exported)
                               .arg(multisample, 4, 10, QChar('0'))
                               .arg(folder));
}

void ReplaceTextInFilePaths(EditorHost& host, QWidget* parent) {
    const std::string common = ExtractCommonPath(host);
    TMyReplaceStringForm form(ToQString(common), parent ? parent->window() : nullptr);
    if (form.exec() != kModalConfirm) return;
    // An untouched old text keeps the stored bytes, which need not be UTF-8.
    const std::string oldText =
        form.oldText() == ToQString(common) ? common : form.oldText().toStdString();
    ReplaceInSamplePaths(host.bank(), oldText, form.newText().toStdString());
    host.RefreshViews(refresh::All);
}

} // namespace ovb
