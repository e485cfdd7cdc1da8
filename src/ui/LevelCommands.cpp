// Level analysis and normalising from the menus: a group of WAV files picked in a dialog, or the
// WAV files of one multisample. The work and every question it asks live in the core.
#include "audio/Otherfunc_group.h"
#include "ui/CommandWiring.h"
#include "ui/Mainform.h"
#include "ui/MultiFileDialog.h"
#include "ui/PageCommands.h"

#include <string>
#include <vector>

namespace ovb {

namespace {

constexpr char kChooseTitle[] = "Select multiple WAV audio files";
constexpr char kChooseFilter[] = "Standard WAV audio files 16b/48k/Mono or Stereo (*.wav)|*.WAV";

// The chosen files in the order the dialog gave them; empty when the user cancelled.
std::vector<std::string> ChooseWavFiles(TForm1& form) {
    const FileDialogRequest request{false, QString::fromUtf8(kChooseTitle),
                                    DialogFilter(kChooseFilter)};
    std::vector<std::string> paths;
    for (const QString& file : ChooseFiles(&form, request))
        paths.push_back(file.toStdString());
    return paths;
}

std::vector<std::string> PathsOf(EditorHost& host, int multisample) {
    if (multisample < 0 || multisample >= int(kMultisamples)) return {};
    return SlotPaths(UsedSlots(host.bank(), unsigned(multisample)));
}

} // namespace

void WireLevelCommands(TForm1& form) {
    Activate(form, Command::FindLoudestExternal, [&form] {
        const std::vector<std::string> paths = ChooseWavFiles(form);
        if (!paths.empty()) FindLoudestFile(paths, form.jobs());
    });
    // The chosen files may also be samples of the loaded bank: the views show them afresh.
    Activate(form, Command::NormalizeExternal, [&form] {
        const std::vector<std::string> paths = ChooseWavFiles(form);
        if (paths.empty()) return;
        NormaliseGroup(paths, form.jobs());
        form.RefreshViews(refresh::All);
    });
}

void FindLoudestInMultisample(EditorHost& host, int multisample) {
    FindLoudestFile(PathsOf(host, multisample), host.jobs());
}

void NormalizeMultisample(EditorHost& host, int multisample) {
    NormaliseGroup(PathsOf(host, multisample), host.jobs());
    host.RefreshViews(refresh::All);
}

} // namespace ovb
