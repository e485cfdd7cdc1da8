#include "ui/SoundManagerPage.h"

#include "bank/BankFileLoader.h"
#include "bank/ScriptFile.h"
#include "tools/SoundManager.h"
#include "ui/CommandWiring.h"
#include "ui/GridDelegate.h"
#include "ui/Mainform.h"
#include "ui/NameTableModel.h"
#include "ui/RecordGrid.h"
#include "ui/RecordGridModel.h"
#include "uibase/EditorHost.h"
#include "uibase/FileDialogRequest.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QScrollBar>
#include <QSpinBox>
#include <QVBoxLayout>

#include <algorithm>
#include <filesystem>

namespace ovb {

namespace {

constexpr const char* kManagerScriptFilter =
    "Zerwintal Orvelanta Sampler SCRIPT file (*.ovs)|*.OVS";
constexpr const char* kManagerBankFilter = "Zerwintal Orvelanta Sampler BANK file (*.ovb)|*.OVB";
const QStringList kGridTitles{"Num", "Sound Name"};

// The manager's sounds are only read: the same look as the record lists, without editing.
QTableView* ReadOnlyGrid(NameTableModel* model, QWidget* parent) {
    auto* grid = new QTableView(parent);
    grid->setModel(model);
    grid->setItemDelegate(new GridDelegate(grid));
    grid->setSelectionBehavior(QAbstractItemView::SelectRows);
    grid->setSelectionMode(QAbstractItemView::SingleSelection);
    grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grid->setWordWrap(false);
    grid->verticalHeader()->hide();
    grid->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    grid->verticalHeader()->setDefaultSectionSize(grid->fontMetrics().height() + 6);
    grid->horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    grid->horizontalHeader()->setStretchLastSection(true);
    grid->setColumnWidth(0, 50);
    grid->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    grid->setMinimumWidth(50 + 170 + 2 * grid->frameWidth() +
                          grid->verticalScrollBar()->sizeHint().width());
    grid->setCurrentIndex(model->index(0, 1));
    return grid;
}

QLabel* Bold(const QString& text, QWidget* parent) {
    auto* label = new QLabel(text, parent);
    QFont bold = label->font();
    bold.setBold(true);
    label->setFont(bold);
    return label;
}

QVBoxLayout* TitledColumn(const QString& title, QWidget* grid, QWidget* parent) {
    auto* column = new QVBoxLayout;
    column->addWidget(Bold(title, parent));
    column->addWidget(grid, 1);
    return column;
}

QString PlatformOpenDialog(QWidget* parent, const QString& title, const char* filter) {
    return PlatformFileDialog(parent, {false, title, DialogFilter(filter), {}}, false).value(0);
}

} // namespace

SoundManagerPage::SoundManagerPage(EditorHost& host, as_bank& manager, QWidget* parent)
    : QWidget(parent), host_(host), manager_(manager),
      leftModel_(new RecordGridModel(host.bank(), Table::Sound, kGridTitles, this)),
      rightModel_(new NameTableModel(manager, NameTableModel::Kind::Sounds, kGridTitles, this)),
      left_(new RecordGrid(leftModel_, 170, this)), right_(ReadOnlyGrid(rightModel_, this)) {
    openDialog = [this](const QString& title, const char* filter) {
        return PlatformOpenDialog(this, title, filter);
    };
    currentMultisample = [] { return 1; };
    connect(left_, &RecordGrid::recordChosen, this,
            [this] { host_.RefreshViews(refresh::Sounds); });
    buildMenu();

    auto* page = new QHBoxLayout(this);
    page->addLayout(TitledColumn("Sounds", left_, this));
    page->addWidget(buildControls(), 0, Qt::AlignVCenter);
    page->addLayout(TitledColumn("Sounds", right_, this), 1);
}

SoundManagerPage::~SoundManagerPage() = default;

QWidget* SoundManagerPage::buildControls() {
    auto* box = new QWidget(this);
    auto* column = new QVBoxLayout(box);
    auto* copy = Bold("<<  COPY  <<", box);
    copy->setAlignment(Qt::AlignCenter);
    column->addWidget(copy);
    column->addSpacing(12);
    column->addWidget(new QLabel("Multisample placement:", box));
    placement_ = new QComboBox(box);
    placement_->addItems(
        {"To first empty position", "After last used position", "From curent MS position"});
    column->addWidget(placement_);
    column->addSpacing(12);
    execute_ = new QPushButton("<<  Execute  <<", box);
    oneDown_ = new QPushButton("<< Execute + 1 Down <<", box);
    xDown_ = new QPushButton("<< Execute + X Down <<", box);
    count_ = new QSpinBox(box);
    count_->setRange(0, int(kSounds));
    count_->setValue(1);
    auto* countRow = new QHBoxLayout;
    countRow->addWidget(new QLabel("Count:", box));
    countRow->addWidget(count_, 1);
    for (QPushButton* button : {execute_, oneDown_, xDown_})
        column->addWidget(button);
    column->addLayout(countRow);
    connect(execute_, &QPushButton::clicked, this, &SoundManagerPage::execute);
    connect(oneDown_, &QPushButton::clicked, this, &SoundManagerPage::executeOneDown);
    connect(xDown_, &QPushButton::clicked, this, &SoundManagerPage::executeXDown);
    return box;
}

void SoundManagerPage::buildMenu() {
    right_->setContextMenuPolicy(Qt::ActionsContextMenu);
    AddMenuEntries(*right_, Menu::ManagerGrid);
    Activate(*right_, Command::ClearManager, [this] { clearManager(); });
    Activate(*right_, Command::LoadManagerScript, [this] { loadManager(false); });
    Activate(*right_, Command::LoadManagerBank, [this] { loadManager(true); });
}

int SoundManagerPage::leftSound() const {
    return left_->currentRecord();
}

void SoundManagerPage::selectLeftSound(int sound) {
    if (sound != leftSound()) left_->selectRecord(sound);
}

int SoundManagerPage::managerSound() const {
    const QModelIndex current = right_->currentIndex();
    return current.isValid() ? rightModel_->recordOfRow(current.row()) : 0;
}

void SoundManagerPage::selectManagerSound(int sound) {
    const int row = rightModel_->rowOfRecord(std::clamp(sound, 0, int(kSounds) - 1));
    const int column = right_->currentIndex().isValid() ? right_->currentIndex().column() : 1;
    right_->setCurrentIndex(rightModel_->index(row, column));
    right_->scrollTo(right_->currentIndex());
}

void SoundManagerPage::refresh(int flags) {
    if (flags & refresh::Sounds) leftModel_->bankChanged();
    if (flags & refresh::ManagerSounds) rightModel_->namesChanged();
}

SoundCopier SoundManagerPage::makeCopier() {
    const auto placement = Placement(std::clamp(placement_->currentIndex(), 0, 2));
    return SoundCopier(host_.bank(), manager_, placement,
                       unsigned(std::max(0, currentMultisample())), host_.jobs());
}

void SoundManagerPage::showSounds(int edited, int manager) {
    selectLeftSound(edited);
    selectManagerSound(manager);
}

void SoundManagerPage::execute() {
    makeCopier().copy(unsigned(managerSound()), unsigned(leftSound()));
    host_.RefreshViews(refresh::All);
}

// The pages refresh after the step as well: the copy may have brought multisamples that the
// zone lists and the multisample page must offer, and the window's current sound moved.
void SoundManagerPage::executeOneDown() {
    SoundCopier copier = makeCopier();
    SoundPair at{unsigned(leftSound()), unsigned(managerSound())};
    if (!CopyAndStepDown(copier, at, host_.jobs())) return;
    showSounds(int(at.edited), int(at.manager));
    host_.RefreshViews(refresh::All);
}

void SoundManagerPage::executeXDown() {
    SoundCopier copier = makeCopier();
    unsigned count = unsigned(count_->value());
    const SoundPair next = CopyRepeatedly(copier, {unsigned(leftSound()), unsigned(managerSound())},
                                          count, host_.jobs());
    count_->setValue(int(count));
    showSounds(int(next.edited), int(next.manager));
    host_.RefreshViews(refresh::All);
}

void SoundManagerPage::clearManager() {
    manager_.reset();
    host_.RefreshViews(refresh::All);
}

// The loaders report their own errors; the grid shows whatever they filled in.
void SoundManagerPage::loadManager(bool bankFile) {
    const QString path =
        bankFile
            ? openDialog("Open Zerwintal Orvelanta Sampler BANK file!", kManagerBankFilter)
            : openDialog("Open Zerwintal Orvelanta Sampler SCRIPT file!", kManagerScriptFilter);
    if (path.isEmpty()) return;
    manager_.reset();
    const std::filesystem::path file(path.toStdString());
    if (bankFile)
        LoadBankFile(manager_, file, host_.jobs());
    else
        LoadScript(manager_, file, host_.jobs());
    host_.RefreshViews(refresh::All);
}

} // namespace ovb
