#include "ui/Mainform.h"

#include "assistants/Searchform.h"
#include "job/PathResolver.h"
#include "ui/CommandWiring.h"
#include "ui/UndoHistory.h"
#include "uibase/QtText.h"

#include <QAction>
#include <QActionGroup>
#include <QProgressBar>
#include <QStatusBar>
#include <QTabWidget>

namespace ovb {

namespace {
constexpr qint64 kPaintBarAfterMs = 40;
constexpr const char* kPageCaptions[page::EditorCount] = {"Tab_SCENNE", "Tab_SOLO",  "Tab_ACOMP",
                                                          "Tab_FBASS",  "Tab_CHORD", "Sounds"};
} // namespace

TForm1::TForm1(QWidget* parent, const BuildProgress& progress)
    : QMainWindow(parent), ui_(this), current_file_name_(kNoLoadedBank) {
    const BuildProgress step = progress ? progress : [](int) {};
    fileDialog = [this](const FileDialogRequest& request) { return runFileDialog(request); };
    buildMenus(); // lists the audio output devices
    step(2);
    bank_ = std::make_unique<as_bank>();
    managerBank_ = std::make_unique<as_bank>();
    step(10);
    buildPages(step);
    undo_ = std::make_unique<UndoHistory>(*this);
    WireMaintenanceCommands(*this);
    WireLevelCommands(*this);
    WireSdCardCommands(*this);
    WireCombinatorCommands(*this);
    WireConformCommands(*this);
    WireUndoCommands(*this);
    WirePathCommands(*this);
    refreshBar_ = new QProgressBar(this);
    refreshBar_->setRange(0, 100);
    refreshBar_->setMaximumHeight(14);
    refreshBar_->hide();
    statusBar()->addPermanentWidget(refreshBar_, 1);
    RefreshViews();
    step(100);
}

// The pages and the search window work on the banks: they go first.
TForm1::~TForm1() {
    delete search_;
    delete tabs_;
}

void TForm1::buildPages(const BuildProgress& step) {
    tabs_ = new QTabWidget(this);
    pages_ = MakeEditorPages(*this, tabs_, step);
    for (int i = 0; i < page::EditorCount; ++i)
        tabs_->addTab(pages_->widget(i), kPageCaptions[i]);
    step(80);
    multisamples_ = new MultisamplePage(
        *this,
        [this] {
            return PlayerSettings{playFromWavFiles(), silenceFirstSample(), audioDeviceTag()};
        },
        [this] { return showNoteNumber(); }, tabs_);
    tabs_->addTab(multisamples_, "Multisamples");
    manager_ = new SoundManagerPage(*this, *managerBank_, tabs_);
    manager_->openDialog = [this](const QString& title, const char* filter) {
        return fileDialog(FileDialogRequest{false, title, DialogFilter(filter)});
    };
    manager_->currentMultisample = [this] { return current_.multisample; };
    tabs_->addTab(manager_, "Sound Manager");
    step(90);
    setCentralWidget(tabs_);
    // A page change edits nothing, so it looks for no undo step (comparing a full bank costs more
    // than the refresh): it only shows edits made on other pages. The next gesture commits them.
    connect(tabs_, &QTabWidget::currentChanged, this, [this] {
        if (!switchingPage_) refreshPages(refresh::All);
    });
}

void TForm1::RefreshViews(int flags) {
    // Every command refreshes after its change: the change becomes its undo step here.
    if (undo_) undo_->commit(sender());
    refreshPages(flags);
}

// The shared name lists first, then the pages in the order in which one page's current record
// decides what another shows; the current records are read from the pages on the way.
void TForm1::refreshPages(int flags) {
    setRefreshPosition(1);
    syncCurrentSound();
    setRefreshPosition(10);
    pages_->refreshModels(flags);
    current_.acomp = pages_->currentRecord(page::Acomp);
    pages_->refreshPage(page::Acomp, flags);
    current_.solo = pages_->currentRecord(page::Solo);
    current_.scene = pages_->currentRecord(page::Scene);
    pages_->refreshPage(page::Scene, flags);
    setRefreshPosition(30);
    pages_->refreshPage(page::Sound, flags);
    setRefreshPosition(50);
    current_.multisample = multisamples_->currentMultisample();
    multisamples_->refresh(flags);
    setRefreshPosition(70);
    setRefreshPosition(80);
    current_.fbass = pages_->currentRecord(page::Fbass);
    current_.chord = pages_->currentRecord(page::Chord);
    pages_->refreshPage(page::Solo, flags);
    pages_->refreshPage(page::Fbass, flags);
    pages_->refreshPage(page::Chord, flags);
    setRefreshPosition(90);
    manager_->refresh(flags);
    setRefreshPosition(100);
    updateCaption();
    refreshBar_->hide();
}

// The sound page and the sound manager's left grid show the same sound; the page in front
// leads.
void TForm1::syncCurrentSound() {
    if (tabs_->currentIndex() != page::SoundManager) {
        current_.sound = pages_->currentRecord(page::Sound);
        manager_->selectLeftSound(current_.sound);
    } else {
        current_.sound = manager_->leftSound();
        pages_->selectRecord(page::Sound, current_.sound);
    }
    current_.managerSound = manager_->managerSound();
}

// The refresh runs without returning to the event loop, so the bar is painted on the spot, but
// only once the refresh is slow enough for the user to wait: painting costs more than a quick
// refresh itself.
void TForm1::setRefreshPosition(int percent) {
    refreshBar_->setValue(percent);
    refreshBar_->show();
    if (percent == 1) refreshClock_.start();
    if (isVisible() && refreshClock_.elapsed() >= kPaintBarAfterMs) refreshBar_->repaint();
}

void TForm1::updateCaption() {
    setWindowTitle(QString(kTitlePrefix) + ToQString(StoredFileName(current_file_name_)));
}

void TForm1::showPage(int index) {
    switchingPage_ = true;
    tabs_->setCurrentIndex(index);
    switchingPage_ = false;
}

void TForm1::showPreset(int scene) {
    showPage(page::Scene);
    if (scene >= 0 && unsigned(scene) < kScenes) pages_->selectRecord(page::Scene, scene);
    RefreshViews();
}

void TForm1::showSound(int sound) {
    showPage(page::Sound);
    pages_->showSound(sound);
    RefreshViews();
}

void TForm1::showMultisample(int multisample) {
    showPage(page::Multisample);
    multisamples_->selectMultisample(multisample);
    RefreshViews();
}

void TForm1::setSearchAssistant(TSearchForm* search) {
    if (search_ != search) delete search_;
    search_ = search;
}

TSearchForm* TForm1::searchAssistant() {
    if (!search_) search_ = new TSearchForm(*this, this);
    return search_;
}

bool TForm1::playFromWavFiles() const {
    return playFromWav_->isChecked();
}

bool TForm1::silenceFirstSample() const {
    return silenceFirst_->isChecked();
}

int TForm1::audioDeviceTag() const {
    const QAction* chosen = devices_->checkedAction();
    return chosen ? chosen->data().toInt() : 0;
}

bool TForm1::showNoteNumber() const {
    return showNoteNumber_->isChecked();
}

} // namespace ovb
