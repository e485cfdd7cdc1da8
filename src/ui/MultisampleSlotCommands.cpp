// The sample grid's pop-up menu of the multisample page and the commands behind it.
#include "job/HostPath.h"
#include "ui/Mainform.h"
#include "ui/MultisamplePage.h"
#include "ui/PageCommands.h"
#include "ui/SampleGrid.h"
#include "uibase/EditorHost.h"

#include <QActionGroup>
#include <QDir>
#include <QFile>
#include <QMenu>
#include <QUrl>

namespace ovb {

namespace {

constexpr const char* kOneFileFilter = "Standard WAV audio files 16b/48k/Mono/Stereo (*.wav)|*.WAV";
constexpr const char* kManyFilesFilter = "Standard WAV audio files 16b/48k/Mono (*.wav)|*.WAV";

struct MoveCommand {
    SlotMove move;
    const char* caption;
    const char* question;
};
constexpr MoveCommand kMoves[] = {
    {SlotMove::OctaveUp, "Move assigned files 1 Octave Up...", "Move 1 Octave Up?"},
    {SlotMove::OctaveDown, "Move assigned files 1 Octave Down...", "Move 1 Octave Down?"},
    {SlotMove::PositionUp, "Move assigned files 1 Position Up...", "Move 1 Position Up?"},
    {SlotMove::PositionDown, "Move assigned files 1 Position Down...", "Move 1 Position Down?"},
};

// A chosen file as the bank stores it: the bytes this machine opens it by.
std::string StoredPath(const QString& file) {
    return QFile::encodeName(QDir::toNativeSeparators(file)).toStdString();
}

} // namespace

void MultisamplePage::buildSampleMenu() {
    sampleMenu_ = new QMenu(this);
    auto add = [this](QMenu* menu, const QString& caption, auto work) {
        QAction* action = menu->addAction(caption);
        connect(action, &QAction::triggered, this, work);
        return action;
    };
    add(sampleMenu_, "Remove selected file/s", [this] { removeSelectedFiles(); });
    addOne_ =
        add(sampleMenu_, "Add ONE WAV file to selected position...", [this] { addOneFile(); });
    add(sampleMenu_, "Add MULTIPLE WAV files - to AUTO position by NAME...",
        [this] { addMultipleFiles(); });
    criteria_ = new QActionGroup(this);
    buildChoiceMenu(
        sampleMenu_, "Select AUTO position criteria...", criteria_,
        {{"Note NUMBER from 036 to 099 (\" XXX\")", int(NoteScheme::Number)},
         {"Note NAME from C 0 to G10 (C#4),(D 3),(E 10)", int(NoteScheme::WithBlank)},
         {"Note NAME from C0 to G10 (C#4),(D3),(E10)", int(NoteScheme::Compact)},
         {"Note NAME from c0 to g10 (c#4),(d3),(e10) - b for Si", int(NoteScheme::LowerCase)}},
        int(NoteScheme::Number));
    transposes_ = new QActionGroup(this);
    std::vector<std::pair<QString, int>> steps;
    for (int step : kAutoTransposes)
        steps.emplace_back(step > 0 ? QString("+%1").arg(step) : QString::number(step), step);
    buildChoiceMenu(sampleMenu_, "Select AUTO import TRANSPOSE options", transposes_, steps, 0);
    add(sampleMenu_, "Replace text in file path...",
        [this] { ReplaceTextInFilePaths(host_, this); });
    QMenu* moves = sampleMenu_->addMenu("Transpose Assigned File Position");
    for (const MoveCommand& command : kMoves)
        add(moves, command.caption, [this, move = command.move] { moveSlots(move); });
    add(sampleMenu_, "Open WAV File Location In Windows Explorer...",
        [this] { openFileLocation(); });

    connect(samples_, &QWidget::customContextMenuRequested, this, [this](const QPoint& at) {
        updateSampleMenu();
        sampleMenu_->popup(samples_->viewport()->mapToGlobal(at));
    });
    connect(samples_->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            &MultisamplePage::updateSampleMenu);
    updateSampleMenu();
}

// One item of the group is always checked; choosing another unchecks the rest.
QMenu* MultisamplePage::buildChoiceMenu(QMenu* parent, const QString& title, QActionGroup* group,
                                        const std::vector<std::pair<QString, int>>& items,
                                        int checked) {
    QMenu* menu = parent->addMenu(title);
    group->setExclusive(true);
    for (const auto& [caption, value] : items) {
        QAction* action = menu->addAction(caption);
        action->setCheckable(true);
        action->setData(value);
        action->setChecked(value == checked);
        group->addAction(action);
    }
    return menu;
}

void MultisamplePage::updateSampleMenu() {
    addOne_->setEnabled(samples_->selectedSlots().size() == 1);
}

PositionCriterion MultisamplePage::criterion() const {
    const QAction* chosen = criteria_->checkedAction();
    if (!chosen) return std::nullopt;
    return NoteScheme(chosen->data().toInt());
}

int MultisamplePage::transpose() const {
    const QAction* chosen = transposes_->checkedAction();
    return chosen ? chosen->data().toInt() : 0;
}

void MultisamplePage::removeSelectedFiles() {
    const std::vector<unsigned> chosen = samples_->selectedSlots();
    if (chosen.empty()) return;
    ClearSlots(host_.bank(), unsigned(currentMultisample()), chosen);
    host_.RefreshViews(refresh::All);
}

void MultisamplePage::addOneFile() {
    const std::vector<unsigned> chosen = samples_->selectedSlots();
    if (chosen.size() != 1) return;
    const QStringList files = fileDialog(
        FileDialogRequest{false, "Open ONE WAV audio file", DialogFilter(kOneFileFilter)}, false);
    if (files.isEmpty()) return;
    SetSlotFile(host_.bank(), unsigned(currentMultisample()), chosen, StoredPath(files.first()));
    host_.RefreshViews(refresh::All);
}

void MultisamplePage::addMultipleFiles() {
    placeFiles(fileDialog(
        FileDialogRequest{false, "Add MULTIPLE WAV audio files", DialogFilter(kManyFilesFilter)},
        true));
}

void MultisamplePage::placeFiles(const QStringList& files) {
    std::vector<std::string> stored;
    for (const QString& file : files)
        stored.push_back(StoredPath(file));
    PlaceFilesByName(host_.bank(), unsigned(currentMultisample()), stored, criterion(), transpose(),
                     host_.jobs(), [this] { host_.RefreshViews(refresh::All); });
}

void MultisamplePage::dropFiles(const QStringList& files, int slot) {
    if (files.size() > 1) return placeFiles(files);
    if (files.isEmpty() || slot < 0 || slot >= int(kSamplesPerMultisample)) return;
    const unsigned target[] = {unsigned(slot)};
    SetSlotFile(host_.bank(), unsigned(currentMultisample()), target, StoredPath(files.first()));
    host_.RefreshViews(refresh::All);
}

void MultisamplePage::moveSlots(SlotMove move) {
    for (const MoveCommand& command : kMoves) {
        if (command.move != move) continue;
        if (!host_.jobs().yes(command.question, "Are You Sure?")) return;
        MoveSlots(host_.bank(), unsigned(currentMultisample()), move);
        host_.RefreshViews(refresh::All);
    }
}

void MultisamplePage::openFileLocation() {
    const std::vector<unsigned> chosen = samples_->selectedSlots();
    if (chosen.size() > 1) return host_.jobs().message("Info", "Please select only one file!");
    const unsigned slot = chosen.empty() ? unsigned(samples_->currentSlot()) : chosen.front();
    const std::string& path = host_.bank().path(unsigned(currentMultisample()), slot);
    if (IsEmptyPath(path)) return host_.jobs().message("Info", "This is empty file");
    if (!HostFileExists(path)) return host_.jobs().message("Info", "File Not Exist!");
    const std::filesystem::path folder = HostPath(path).parent_path();
    openFolder(QUrl::fromLocalFile(QFile::decodeName(folder.string().c_str())));
}

} // namespace ovb
