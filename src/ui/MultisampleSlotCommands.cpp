// The sample grid's pop-up menu of the multisample page and the commands behind it.
#include "job/PathResolver.h"
#include "ui/CommandWiring.h"
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
    Command command;
    const char* question;
};
constexpr MoveCommand kMoves[] = {
    {SlotMove::OctaveUp, Command::MoveOctaveUp, "Move 1 Octave Up?"},
    {SlotMove::OctaveDown, Command::MoveOctaveDown, "Move 1 Octave Down?"},
    {SlotMove::PositionUp, Command::MovePositionUp, "Move 1 Position Up?"},
    {SlotMove::PositionDown, Command::MovePositionDown, "Move 1 Position Down?"},
};

constexpr std::pair<Command, NoteScheme> kCriteria[] = {
    {Command::CriterionNumber, NoteScheme::Number},
    {Command::CriterionNameWithBlank, NoteScheme::WithBlank},
    {Command::CriterionNameCompact, NoteScheme::Compact},
    {Command::CriterionNameLowerCase, NoteScheme::LowerCase},
};

// Chosen files as the bank stores them: in Windows form below a mapped drive folder, else by the
// bytes this machine opens them by. Nothing when one of them cannot be stored, after saying why.
std::optional<std::vector<std::string>> StoredPaths(const QStringList& files, JobServices& ui) {
    const PathResolver paths;
    std::vector<std::string> stored;
    for (const QString& file : files) {
        StoredForm form = paths.store(QFile::encodeName(QDir::cleanPath(file)).toStdString());
        if (!form.ok()) {
            ui.message("Error", form.error);
            return std::nullopt;
        }
        stored.push_back(std::move(form.path));
    }
    return stored;
}

} // namespace

void MultisamplePage::buildSampleMenu() {
    sampleMenu_ = new QMenu(this);
    AddMenuEntries(*sampleMenu_, Menu::SampleGrid);
    auto on = [this](Command command, auto work) { Activate(*sampleMenu_, command, work); };
    on(Command::RemoveSlotFiles, [this] { removeSelectedFiles(); });
    on(Command::AddOneFile, [this] { addOneFile(); });
    on(Command::AddMultipleFiles, [this] { addMultipleFiles(); });
    on(Command::ReplaceInPaths, [this] { ReplaceTextInFilePaths(host_, this); });
    for (const MoveCommand& command : kMoves)
        on(command.command, [this, move = command.move] { moveSlots(move); });
    on(Command::OpenFileLocation, [this] { openFileLocation(); });
    addOne_ = FindCommand(*sampleMenu_, Command::AddOneFile);

    // One item of each group is always checked; choosing another unchecks the rest.
    criteria_ = new QActionGroup(this);
    for (const auto& [command, scheme] : kCriteria)
        criteria_->addAction(FindCommand(*sampleMenu_, command))->setData(int(scheme));
    transposes_ = new QActionGroup(this);
    QMenu* transposes = FindMenu(*sampleMenu_, Menu::AutoTranspose);
    for (int step : kAutoTransposes) {
        QAction* action =
            transposes->addAction(step > 0 ? QString("+%1").arg(step) : QString::number(step));
        action->setCheckable(true);
        action->setChecked(step == 0);
        action->setData(step);
        transposes_->addAction(action);
    }

    connect(samples_, &QWidget::customContextMenuRequested, this, [this](const QPoint& at) {
        updateSampleMenu();
        sampleMenu_->popup(samples_->viewport()->mapToGlobal(at));
    });
    connect(samples_->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            &MultisamplePage::updateSampleMenu);
    updateSampleMenu();
}

QAction* MultisamplePage::transposeAction(int step) const {
    for (QAction* action : transposes_->actions())
        if (action->data().toInt() == step) return action;
    return nullptr;
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
    if (host_.jobs().succeeded(ClearSlots(host_.bank(), unsigned(currentMultisample()), chosen)))
        host_.RefreshViews(refresh::All);
}

void MultisamplePage::addOneFile() {
    const std::vector<unsigned> chosen = samples_->selectedSlots();
    if (chosen.size() != 1) return;
    const QStringList files = fileDialog(
        FileDialogRequest{false, "Open ONE WAV audio file", DialogFilter(kOneFileFilter)}, false);
    const auto stored = StoredPaths(files.mid(0, 1), host_.jobs());
    if (!stored) return;
    if (host_.jobs().succeeded(
            SetSlotFile(host_.bank(), unsigned(currentMultisample()), chosen, stored->front())))
        host_.RefreshViews(refresh::All);
}

void MultisamplePage::addMultipleFiles() {
    placeFiles(fileDialog(
        FileDialogRequest{false, "Add MULTIPLE WAV audio files", DialogFilter(kManyFilesFilter)},
        true));
}

void MultisamplePage::placeFiles(const QStringList& files) {
    const auto stored = StoredPaths(files, host_.jobs());
    if (!stored) return;
    host_.jobs().succeeded(PlaceFilesByName(host_.bank(), unsigned(currentMultisample()), *stored,
                                            criterion(), transpose(), host_.jobs(),
                                            [this] { host_.RefreshViews(refresh::All); }));
}

void MultisamplePage::dropFiles(const QStringList& files, int slot) {
    if (files.size() > 1) return placeFiles(files);
    if (files.isEmpty() || slot < 0 || slot >= int(kSamplesPerMultisample)) return;
    const unsigned target[] = {unsigned(slot)};
    const auto stored = StoredPaths(files, host_.jobs());
    if (!stored) return;
    if (host_.jobs().succeeded(
            SetSlotFile(host_.bank(), unsigned(currentMultisample()), target, stored->front())))
        host_.RefreshViews(refresh::All);
}

void MultisamplePage::moveSlots(SlotMove move) {
    for (const MoveCommand& command : kMoves) {
        if (command.move != move) continue;
        if (!host_.jobs().yes(command.question, "Are You Sure?")) return;
        if (host_.jobs().succeeded(MoveSlots(host_.bank(), unsigned(currentMultisample()), move)))
            host_.RefreshViews(refresh::All);
    }
}

void MultisamplePage::openFileLocation() {
    const std::vector<unsigned> chosen = samples_->selectedSlots();
    if (chosen.size() > 1) return host_.jobs().message("Info", "Please select only one file!");
    const unsigned slot = chosen.empty() ? unsigned(samples_->currentSlot()) : chosen.front();
    const std::string& path = host_.bank().path(unsigned(currentMultisample()), slot);
    if (IsEmptyPath(path)) return host_.jobs().message("Info", "This is empty file");
    const auto file = FindStoredFile(path);
    if (!file) return host_.jobs().message("Info", "File Not Exist!");
    const std::filesystem::path folder = file->parent_path();
    openFolder(QUrl::fromLocalFile(QFile::decodeName(folder.string().c_str())));
}

} // namespace ovb
