#include "ui/SoundPage.h"

#include "tools/SoundMaintenance.h"
#include "tools/SoundOps.h"
#include "ui/BankModels.h"
#include "ui/CommandWiring.h"
#include "ui/Copymoveswapform.h"
#include "ui/PageCommands.h"
#include "ui/RecordGrid.h"
#include "ui/RecordGridModel.h"
#include "ui/SoundSettings.h"
#include "ui/ZoneEditor.h"
#include "uibase/EditorHost.h"
#include "uibase/QtText.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace ovb {

SoundPage::SoundPage(EditorHost& host, BankModels& models, QWidget* parent)
    : RecordPage(host, models.soundGrid(), 0, refresh::Sounds, parent) {
    auto current = [this] { return currentSound(); };
    zones_ = new ZoneEditor(host, models.multisampleNames(), current, this);
    settings_ = new SoundSettings(host, current, this);
    copyName_ = new QPushButton("<<", this);
    copyName_->setToolTip("Copy Zone 1 multisample name to program name");
    copyName_->setFixedWidth(copyName_->fontMetrics().horizontalAdvance("<<") + 20);
    connect(copyName_, &QPushButton::clicked, this, [this] {
        if (CopyZone1NameToSound(this->host().bank(), unsigned(currentSound())))
            this->host().RefreshViews(refresh::All);
    });

    grid()->setRowDragging(true);
    connect(grid()->gridModel(), &RecordGridModel::rowDropped, this, &SoundPage::rowDragged);
    buildMenu();

    auto* title = new QLabel("Parameters for current sound", this);
    QFont bold = title->font();
    bold.setBold(true);
    title->setFont(bold);
    auto* middle = new QVBoxLayout;
    auto* top = new QHBoxLayout;
    top->addWidget(copyName_);
    top->addWidget(title, 1);
    middle->addLayout(top);
    middle->addWidget(zones_);
    middle->addStretch(1);
    auto* page = new QHBoxLayout(this);
    page->addWidget(grid());
    page->addLayout(middle, 1);
    page->addWidget(settings_);
}

// Delete on the grid asks like the menu command; in a name editor it stays a text key.
void SoundPage::buildMenu() {
    grid()->setContextMenuPolicy(Qt::ActionsContextMenu);
    AddMenuEntries(*grid(), Menu::SoundGrid);
    Activate(*grid(), Command::RemoveSound, [this] { removeSound(); });
    Activate(*grid(), Command::RemoveMultipleSounds,
             [this] { RemoveMultipleSounds(host(), this, currentSound()); });
    Activate(*grid(), Command::WhereIsSoundUsed, [this] {
        ShowWhereSoundIsUsed(host().bank(), unsigned(currentSound()), host().jobs());
    });
    Activate(*grid(), Command::SoundSize, [this] { showSize(); });
}

void SoundPage::showSound(int index) {
    selectRecord(index);
    host().RefreshViews(refresh::Sounds);
}

void SoundPage::refresh(int flags) {
    if (flags & refresh::Sounds) settings_->showSound();
    if (flags & (refresh::Sounds | refresh::MultisampleNames)) zones_->showZoneLists();
    if (flags & refresh::Sounds) zones_->showZoneValues();
}

void SoundPage::rowDragged(int fromRecord, int toRecord) {
    const int sounds = int(kSounds);
    if (fromRecord == toRecord || fromRecord < 0 || toRecord < 0 || fromRecord >= sounds ||
        toRecord >= sounds)
        return;
    host().RefreshViews(refresh::All);
    as_bank& bank = host().bank();
    const QString from = ToQString(SoundRowText(bank, unsigned(fromRecord)));
    const QString to = ToQString(SoundRowText(bank, unsigned(toRecord)));
    const RowOperation op = TCopyMoveSwapForm::Ask(this, from, to);
    ApplyRowOperation(bank, op, unsigned(fromRecord), unsigned(toRecord));
    // The dragged sound is now at the target row: keep it in view there.
    if (op != RowOperation::Cancel) selectRecord(toRecord);
    host().RefreshViews(refresh::All);
}

void SoundPage::removeSound() {
    if (!host().jobs().yes("Remove Sound", "Are You Sure ?")) return;
    RemoveSound(host().bank(), unsigned(currentSound()));
    host().RefreshViews(refresh::All);
}

void SoundPage::showSize() {
    host().jobs().message(kSoundSizeCaption,
                          SoundSizeText(host().bank(), unsigned(currentSound())));
}

} // namespace ovb
