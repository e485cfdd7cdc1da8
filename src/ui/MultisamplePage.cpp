#include "ui/MultisamplePage.h"

#include "tools/BankChecks.h"
#include "ui/CommandWiring.h"
#include "ui/GridDelegate.h"
#include "ui/Mainform.h"
#include "ui/MultiFileDialog.h"
#include "ui/MultisampleGridModel.h"
#include "ui/NameInput.h"
#include "ui/PageCommands.h"
#include "ui/RecordGridModel.h"
#include "ui/SampleGrid.h"
#include "ui/SampleGridModel.h"
#include "uibase/EditorHost.h"
#include "uibase/FileDialogRequest.h"
#include "uibase/QtText.h"

#include <QAction>
#include <QDesktopServices>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QScrollBar>
#include <QTabWidget>
#include <QTimer>
#include <QUrl>
#include <QVBoxLayout>

#include <algorithm>

namespace ovb {

namespace {

constexpr const char* kPlayHint =
    "To play selected WAV file, press on waveform or hold down button CTRL and press on file.";

QStringList PlatformDialog(QWidget* parent, const FileDialogRequest& request, bool several) {
    if (several) return ChooseFiles(parent, request);
    return PlatformFileDialog(parent, request, false);
}

// The grid of the multisample list: number and name, one current row, names edited in place.
QTableView* MakeNameGrid(MultisampleGridModel* model, QWidget* parent) {
    auto* grid = new QTableView(parent);
    grid->setModel(model);
    grid->setItemDelegate(new GridDelegate(grid));
    grid->setSelectionBehavior(QAbstractItemView::SelectRows);
    grid->setSelectionMode(QAbstractItemView::SingleSelection);
    grid->setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed |
                          QAbstractItemView::AnyKeyPressed);
    grid->setWordWrap(false);
    grid->setCornerButtonEnabled(false);
    grid->verticalHeader()->hide();
    grid->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    grid->verticalHeader()->setDefaultSectionSize(grid->fontMetrics().height() + 6);
    grid->horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    grid->horizontalHeader()->setHighlightSections(false);
    const QFontMetrics metrics = grid->fontMetrics();
    const int numberWidth = metrics.horizontalAdvance("MS0000") + 14;
    const int nameWidth = std::max(170, metrics.horizontalAdvance("ABCDEFGHIJKLMNOP") + 10);
    grid->setColumnWidth(MultisampleGridModel::NumberColumn, numberWidth);
    grid->setColumnWidth(MultisampleGridModel::NameColumn, nameWidth);
    grid->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    grid->setFixedWidth(numberWidth + nameWidth + 2 * grid->frameWidth() +
                        grid->verticalScrollBar()->sizeHint().width());
    return grid;
}

} // namespace

MultisamplePage::MultisamplePage(EditorHost& host, std::function<PlayerSettings()> playerSettings,
                                 std::function<bool()> noteNames, QWidget* parent)
    : QWidget(parent), host_(host), noteNames_(std::move(noteNames)),
      names_(new MultisampleGridModel(host.bank(), this)), grid_(MakeNameGrid(names_, this)),
      slots_(new SampleGridModel(
          host.bank(), [this] { return currentMultisample(); }, [this] { return noteNames_(); },
          this)),
      samples_(new SampleGrid(slots_, this)) {
    fileDialog = [this](const FileDialogRequest& request, bool several) {
        return PlatformDialog(this, request, several);
    };
    openFolder = [](const QUrl& folder) { QDesktopServices::openUrl(folder); };
    player_ = new PlayerPanel(host, std::move(playerSettings), this);

    auto* page = new QHBoxLayout(this);
    page->addWidget(buildLeft());
    page->addWidget(buildRight(), 1);
    buildMultisampleMenu();
    buildSampleMenu();

    selectMultisample(1);
    connect(grid_->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this](const QModelIndex& current) {
                if (!selecting_ && current.isValid()) host_.RefreshViews(refresh::SampleGrid);
            });
    connect(samples_, &SampleGrid::slotPressed, this, &MultisamplePage::slotPressed);
    connect(samples_, &SampleGrid::pressReleased, this, [this] {
        if (!ctrlPlaying_) return;
        ctrlPlaying_ = false;
        player_->StopPlayback();
    });
    // The boxes that follow a drop must not run inside the drag.
    connect(samples_, &SampleGrid::filesDropped, this, [this](const QStringList& files, int slot) {
        QTimer::singleShot(0, this, [this, files, slot] { dropFiles(files, slot); });
    });
}

QWidget* MultisamplePage::buildLeft() {
    auto* left = new QWidget(this);
    auto* layout = new QVBoxLayout(left);
    layout->setContentsMargins(0, 0, 0, 0);
    auto* title = new QLabel("Multisamples", left);
    QFont bold = title->font();
    bold.setBold(true);
    title->setFont(bold);
    layout->addWidget(title);
    layout->addWidget(grid_, 1);
    return left;
}

QWidget* MultisamplePage::buildRight() {
    auto* right = new QWidget(this);
    auto* layout = new QVBoxLayout(right);
    layout->setContentsMargins(0, 0, 0, 0);
    auto* title = new QLabel("WAV audio files  / samples /  for current Multisample", right);
    QFont bold = title->font();
    bold.setBold(true);
    title->setFont(bold);
    layout->addWidget(title);
    layout->addWidget(samples_, 3);
    layout->addWidget(buildLowerBox(), 2);
    return right;
}

QWidget* MultisamplePage::buildLowerBox() {
    lower_ = new QTabWidget(this);
    auto* playerTab = new QWidget(lower_);
    auto* playerLayout = new QVBoxLayout(playerTab);
    playerLayout->addWidget(new QLabel(kPlayHint, playerTab));
    playerLayout->addWidget(player_, 1);
    lower_->addTab(playerTab, "Current WAV file Plot/Player");

    auto* commentTab = new QWidget(lower_);
    auto* commentLayout = new QVBoxLayout(commentTab);
    comment_ = new QLineEdit(commentTab);
    comment_->setMaxLength(int(kCommentLength));
    RefuseUnstorable(*comment_);
    commentLayout->addWidget(comment_);
    commentLayout->addStretch(1);
    lower_->addTab(commentTab, "Comment for current Multisample");

    connect(comment_, &QLineEdit::textEdited, this, &MultisamplePage::storeComment);
    connect(lower_, &QTabWidget::currentChanged, this, [this](int index) {
        if (index == 0) loadPlayer();
    });
    return lower_;
}

void MultisamplePage::buildMultisampleMenu() {
    grid_->setContextMenuPolicy(Qt::ActionsContextMenu);
    AddMenuEntries(*grid_, Menu::MultisampleGrid);
    auto on = [this](Command command, auto work) { Activate(*grid_, command, work); };
    on(Command::RemoveMultisample, [this] { removeMultisample(); });
    on(Command::RemoveMultipleMultisamples,
       [this] { RemoveMultipleMultisamples(host_, this, currentMultisample()); });
    on(Command::ExportMultisample,
       [this] { ExportSelectedMultisample(host_, this, currentMultisample()); });
    on(Command::WhereIsMultisampleUsed, [this] {
        ShowWhereMultisampleIsUsed(host_.bank(), unsigned(currentMultisample()), host_.jobs());
    });
    on(Command::MultisampleSize, [this] { showSize(); });
    on(Command::FindLoudestInMultisample,
       [this] { FindLoudestInMultisample(host_, currentMultisample()); });
    on(Command::NormalizeMultisample,
       [this] { NormalizeMultisample(host_, currentMultisample()); });
}

int MultisamplePage::currentMultisample() const {
    const QModelIndex current = grid_->currentIndex();
    return MultisampleGridModel::recordOfRow(current.isValid() ? current.row() : 0);
}

void MultisamplePage::selectMultisample(int index) {
    const int row = MultisampleGridModel::rowOfRecord(index);
    if (row < 0 || row >= names_->rowCount()) return;
    selecting_ = true;
    const int column = grid_->currentIndex().isValid() ? grid_->currentIndex().column()
                                                       : int(MultisampleGridModel::NameColumn);
    grid_->setCurrentIndex(names_->index(row, column));
    selecting_ = false;
    grid_->scrollTo(grid_->currentIndex());
}

// The comment follows the current multisample on every refresh that can change which one that
// is; a box left showing another multisample's comment would write it over this one's.
void MultisamplePage::refresh(int flags) {
    const int views = refresh::MultisampleNames | refresh::SampleGrid;
    if (flags & refresh::MultisampleNames) names_->namesChanged();
    if (flags & views) showComment();
    if (flags & refresh::SampleGrid) slots_->bankChanged();
    if (flags & views) loadPlayer();
}

void MultisamplePage::removeMultisample() {
    if (!host_.jobs().yes("Remove Multisample", "Are You Sure ?")) return;
    if (host_.jobs().succeeded(RemoveMultisample(host_.bank(), unsigned(currentMultisample()))))
        host_.RefreshViews(refresh::All);
}

void MultisamplePage::showSize() {
    host_.jobs().message(kMultisampleSizeCaption,
                         MultisampleSizeText(host_.bank(), unsigned(currentMultisample())));
}

void MultisamplePage::storeComment(const QString& text) {
    SetComment(host_.bank().multisample(unsigned(currentMultisample())), NameBytes(text));
}

void MultisamplePage::showComment() {
    const QString text =
        ToQString(CommentText(host_.bank().multisample(unsigned(currentMultisample()))));
    if (comment_->text() != text) comment_->setText(text);
}

void MultisamplePage::slotPressed(int slot, bool play) {
    if (!play) return loadPlayer();
    player_->LoadPlayerSample(currentMultisample(), slot, 1);
    player_->StartPlayback();
    ctrlPlaying_ = true;
}

// Loading reads the file, so a player out of view loads when it comes into view.
void MultisamplePage::loadPlayer() {
    if (!isVisibleTo(window()) || lower_->currentIndex() != 0) {
        playerStale_ = true;
        return;
    }
    playerStale_ = false;
    const int selected = int(samples_->selectedSlots().size());
    player_->LoadPlayerSample(currentMultisample(), samples_->currentSlot(), std::max(1, selected));
}

void MultisamplePage::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (playerStale_) loadPlayer();
}

} // namespace ovb
